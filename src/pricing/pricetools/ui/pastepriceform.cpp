#include "pricing/pricetools/ui/pastepriceform.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>

#include "core/model/currencytext.h"
#include "core/model/gradetitles.h"
#include "core/program/ui/pixelfont.h"

namespace {

QPushButton *Button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    SetPixelFont(b, 14);
    return b;
}

QComboBox *CodeBox(const char *name, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(ValueCodeItems());
    c->setEditText(QStringLiteral("-------"));
    return c;
}

// The item a code box's text names; -1 (value 0) when it names none.
int CodeIndex(const QComboBox *box)
{
    return box->findText(box->currentText(), Qt::MatchExactly);
}

} // namespace

TPastePriceForm::TPastePriceForm(tMainState &s, tPastePriceEnv env, QWidget *parent)
    : QDialog(parent), s_(s), env_(std::move(env))
{
    setObjectName(QStringLiteral("PastePriceForm"));
    setWindowTitle(QStringLiteral("Price paister"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(524, 214);

    const tPastePriceChoice stored = ReadPastePriceSettings(IniPath());
    tGradeTitles titles;
    FillBuiltInGradeTitles(titles);

    VertScrollBox1 = new QScrollArea(this);
    VertScrollBox1->setObjectName(QStringLiteral("VertScrollBox1"));
    VertScrollBox1->setFixedWidth(140);
    auto *rows = new QWidget;
    auto *rowGrid = new QGridLayout(rows);
    rowGrid->setContentsMargins(8, 8, 8, 8);
    for (int k = 0; k < GradeSlots; ++k) {
        auto *radio = new QRadioButton(rows);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(k));
        radio->setProperty("Tag", k);
        auto *check = new QCheckBox(titles.Title(GradeKindCoins, 0, k), rows);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(k));
        check->setProperty("Tag", k);
        SetPixelFont(check, 16);
        check->setChecked(stored.Checked[static_cast<size_t>(k)]);
        rowGrid->addWidget(radio, k, 0);
        rowGrid->addWidget(check, k, 1);
        RadioButtonList.push_back(radio);
        CheckBoxList.push_back(check);
    }
    RadioButtonList[static_cast<size_t>(stored.StartIndex)]->setChecked(true);
    VertScrollBox1->setWidget(rows);

    ComboEdit1 = CodeBox("ComboEdit1", this);
    ComboEdit3 = CodeBox("ComboEdit3", this);
    ComboEdit2 = CodeBox("ComboEdit2", this);
    ComboEdit1->setCurrentIndex(stored.Prerun);
    ComboEdit3->setCurrentIndex(stored.Midrun);
    ComboEdit2->setCurrentIndex(stored.Postrun);
    auto *codes = new QVBoxLayout;
    const std::pair<const char *, QComboBox *> labelled[] = {
        {"Grades below", ComboEdit1}, {"Grades skipped", ComboEdit3}, {"Grades above", ComboEdit2}};
    for (const auto &[caption, box] : labelled) {
        codes->addWidget(new QLabel(QString::fromLatin1(caption), this));
        codes->addWidget(box);
    }
    Button3 = Button("Button3", QStringLiteral("Save"), this);
    Button5 = Button("Button5", QStringLiteral("Select MS"), this);
    Button6 = Button("Button6", QStringLiteral("Select PF"), this);
    Button7 = Button("Button7", QStringLiteral("Select None"), this);
    Button5->setProperty("Tag", 1);
    Button6->setProperty("Tag", 2);
    Button7->setProperty("Tag", 3);
    for (QPushButton *b : {Button3, Button5, Button6, Button7})
        codes->addWidget(b);
    codes->addStretch();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFixedWidth(104);

    Button1 = Button("Button1", QStringLiteral("Clear"), this);
    Button2 = Button("Button2", QStringLiteral("Clean"), this);
    Button4 = Button("Button4", QStringLiteral("Remove Spaces"), this);
    PasteBtn = Button("PasteBtn", QStringLiteral("Paste"), this);
    auto *actions = new QVBoxLayout;
    for (QPushButton *b : {Button1, Button2, Button4, PasteBtn}) {
        b->setMinimumSize(72, 41);
        actions->addWidget(b);
    }
    actions->addStretch();

    auto *box = new QHBoxLayout(this);
    box->addWidget(VertScrollBox1);
    box->addLayout(codes);
    box->addWidget(Memo1);
    box->addLayout(actions);

    connect(Button1, &QPushButton::clicked, Memo1, &QPlainTextEdit::clear);
    connect(Button2, &QPushButton::clicked, this, &TPastePriceForm::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TPastePriceForm::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TPastePriceForm::Button3Click);
    connect(PasteBtn, &QPushButton::clicked, this, &TPastePriceForm::PasteBtnClick);
    for (QPushButton *b : {Button5, Button6, Button7})
        connect(b, &QPushButton::clicked, this, [this, b] { Button5Click(b->property("Tag").toInt()); });
    for (QCheckBox *c : CheckBoxList)
        connect(c, &QCheckBox::toggled, this, &TPastePriceForm::CheckBox1Change);
    CheckBox1Change();
}

QString TPastePriceForm::IniPath() const
{
    return s_.OtherRedirect + QString::fromLatin1(PastePriceIniName);
}

tPastePriceChoice TPastePriceForm::Choice() const
{
    tPastePriceChoice c;
    for (int k = 0; k < GradeSlots; ++k) {
        c.Checked[static_cast<size_t>(k)] = CheckBoxList[static_cast<size_t>(k)]->isChecked();
        if (RadioButtonList[static_cast<size_t>(k)]->isChecked())
            c.StartIndex = k;
    }
    c.Prerun = CodeIndex(ComboEdit1);
    c.Midrun = CodeIndex(ComboEdit3);
    c.Postrun = CodeIndex(ComboEdit2);
    return c;
}

void TPastePriceForm::CheckBox1Change()
{
    strike_ = StrikeOf(Choice().Checked);
    const bool target = env_.SelectedPriceEntry && env_.SelectedPriceEntry();
    PasteBtn->setEnabled(target && (strike_ == StrikeMint || strike_ == StrikeProof));
}

void TPastePriceForm::changeEvent(QEvent *event)
{
    // The grid's selection may have changed while another window was active.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        CheckBox1Change();
    QDialog::changeEvent(event);
}

void TPastePriceForm::Button5Click(int tag)
{
    for (int k = 0; k < GradeSlots; ++k) {
        const bool mint = k < FirstProofSlot;
        const bool on = (tag == 1 && mint) || (tag == 2 && !mint);
        const QSignalBlocker block(CheckBoxList[static_cast<size_t>(k)]);
        CheckBoxList[static_cast<size_t>(k)]->setChecked(on);
    }
    CheckBox1Change();
}

QStringList TPastePriceForm::MemoLines() const
{
    const QString text = Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TPastePriceForm::Button2Click()
{
    Memo1->setPlainText(CleanPastedPrices(MemoLines(), LocaleDecimalSeparator()).join(QLatin1Char('\n')));
}

void TPastePriceForm::Button4Click()
{
    Memo1->setPlainText(RemoveBlankLines(MemoLines()).join(QLatin1Char('\n')));
}

void TPastePriceForm::Button3Click()
{
    WritePastePriceSettings(IniPath(), Choice());
}

void TPastePriceForm::PasteBtnClick()
{
    CheckBox1Change();
    tPriceInfo *entry = env_.SelectedPriceEntry ? env_.SelectedPriceEntry() : nullptr;
    if (!entry || !PasteBtn->isEnabled())
        return;
    // Read with the separator the cleaning kept.
    if (PasteIntoPriceEntry(s_, *entry, Choice(), MemoLines(), LocaleDecimalSeparator(), env_.RecordPriceUndo)
        && env_.RenderPrices)
        env_.RenderPrices();
}
