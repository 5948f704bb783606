#include "pricing/pricetools/ui/bullionform.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVariantAnimation>

#include "core/model/currencytext.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "core/program/ui/pixelfont.h"
#include "pricing/pricetools/bullion.h"

namespace {

const std::array<const char *, 4> MetalNames{"Silver", "Gold", "Palladium", "Platinum"};
const std::array<const char *, 4> SpotEditNames{"SilverEdit", "GoldEdit", "PalladiumEdit", "PlatinumEdit"};
const std::array<const char *, 7> UnitNames{"Grains", "Pennyweights", "Grams", "Troy Ounces",
                                            "Troy Pounds", "Avoirdupois Ounces", "Avoirdupois Pounds"};

QLabel *Note(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("color: blue"));
    return l;
}

// The four "Silver value:" .. "Platinum value:" rows.
QGridLayout *ValueRows(std::array<QLabel *, 4> &labels, const QString &prefix, QWidget *parent)
{
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(MetalNames[i]) + QStringLiteral(" value:"), parent), i, 0);
        labels[i] = new QLabel(parent);
        labels[i]->setObjectName(prefix + QString::fromLatin1(MetalNames[i]) + QStringLiteral("Value"));
        grid->addWidget(labels[i], i, 1);
    }
    return grid;
}

// A spot field grows to this share of its height while it has the focus.
constexpr double FocusScale = 1.3;

QString PriceText(Money m)
{
    return FormatMoneyPattern(QStringLiteral("0.00"), m, LocaleDecimalSeparator(), QChar());
}

} // namespace

TBullionForm::TBullionForm(tMainState &s, std::function<void()> closed, QWidget *parent)
    : QDialog(parent), s_(s), closed_(std::move(closed)), local_(s.MetalValues)
{
    setObjectName(QStringLiteral("BullionForm"));
    setWindowTitle(QStringLiteral("Orvanta: Bullion Values"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(502, 406);

    TabControl1 = new QTabWidget(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setTabPosition(QTabWidget::South);
    TabItem2 = BuildPurityTab();
    TabItem1 = BuildConversionsTab();
    TabControl1->addTab(TabItem2, QStringLiteral("Purity calculator"));
    TabControl1->addTab(TabItem1, QStringLiteral("Conversions"));

    auto *box = new QVBoxLayout(this);
    box->addWidget(TabControl1, 1);
    box->addWidget(BuildSpotPrices());

    TabControl1->setCurrentWidget(TabItem2);
    WeightEdits[UnitTroyOunces]->setText(QStringLiteral("1"));
    WeightTyping(UnitTroyOunces);
    PurityCalc();
}

QWidget *TBullionForm::BuildSpotPrices()
{
    auto *panel = new QWidget(this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Spot prices per ounce"), panel), 0, 0, 1, 4);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(MetalNames[i]), panel), 1, i);
        auto *edit = new QLineEdit(PriceText(local_[i]), panel);
        edit->setObjectName(QString::fromLatin1(SpotEditNames[i]));
        SetPixelFont(edit, 16);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, i] {
            typed_[static_cast<size_t>(i)] = true;
            SilverEditTyping();
        });
        SpotEdits[i] = edit;
        // The row has room for the field grown by its focus animation; the
        // field stays centred on the row's middle line meanwhile.
        const int base = edit->sizeHint().height();
        edit->setFixedHeight(base);
        grid->setRowMinimumHeight(2, qRound(base * FocusScale));
        grid->addWidget(edit, 2, i, Qt::AlignVCenter);
    }
    LastUpdatedLabel = new QLabel(panel);
    LastUpdatedLabel->setObjectName(QStringLiteral("LastUpdatedLabel"));
    LastUpdatedLabel->setText(QStringLiteral("Last updated: ")
                              + (s_.MetalValuesDate < 2 ? QStringLiteral("Never") : FormatShortDate(s_.MetalValuesDate)));
    grid->addWidget(LastUpdatedLabel, 3, 0, 1, 2);
    CheckBox1 = new QCheckBox(QStringLiteral("Automatically update spot prices"), panel);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(s_.AutoSpotPrices);
    grid->addWidget(CheckBox1, 4, 0, 1, 3);
    ViewSizeBtn = new QPushButton(QStringLiteral("OK"), panel);
    ViewSizeBtn->setObjectName(QStringLiteral("ViewSizeBtn"));
    connect(ViewSizeBtn, &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(ViewSizeBtn, 3, 3, 2, 1);
    return panel;
}

QWidget *TBullionForm::BuildPurityTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabItem2"));
    auto *box = new QVBoxLayout(tab);
    const std::array<const char *, 3> captions{"Total weight of the coin", "Purity of precious metal",
                                               "Precious metal content"};
    const std::array<const char *, 3> units{"Grams", "Percent", "Ounces"};

    auto *numbers = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]{0,7}")), tab);
    WeightEdit = new QLineEdit(tab);
    WeightEdit->setObjectName(QStringLiteral("WeightEdit"));
    WeightEdit->setMaxLength(7);
    WeightEdit->setValidator(numbers);
    ContentEdit = new QLineEdit(tab);
    ContentEdit->setObjectName(QStringLiteral("ContentEdit"));
    ContentEdit->setMaxLength(7);
    ContentEdit->setValidator(numbers);
    PurityCombo = new QComboBox(tab);
    PurityCombo->setObjectName(QStringLiteral("PurityCombo"));
    PurityCombo->setEditable(true);
    PurityCombo->setInsertPolicy(QComboBox::NoInsert);
    PurityCombo->setMaxVisibleItems(10);
    for (const QString &p : PurityPresets())
        PurityCombo->addItem(p);
    PurityCombo->setCurrentIndex(-1);
    // Typing takes digits and "." only; a chosen item becomes its number.
    PurityCombo->lineEdit()->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), tab));
    PurityLabel = new QLabel(tab);
    PurityLabel->setObjectName(QStringLiteral("PurityLabel"));

    const std::array<QWidget *, 3> inputs{WeightEdit, PurityCombo, ContentEdit};
    // The buttons sit in frames of their own: the group keeps one selected.
    auto *group = new QButtonGroup(tab);
    for (int i = 0; i < 3; ++i) {
        Frames[i] = new QFrame(tab);
        Frames[i]->setObjectName(QStringLiteral("Frame%1").arg(i + 1));
        Frames[i]->setFrameShape(QFrame::Box);
        auto *row = new QHBoxLayout(Frames[i]);
        Radios[i] = new QRadioButton(QString::fromLatin1(captions[i]), Frames[i]);
        Radios[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        group->addButton(Radios[i], i);
        UnitLabels[i] = new QLabel(QString::fromLatin1(units[i]), Frames[i]);
        UnitLabels[i]->setObjectName(QStringLiteral("UnitLabel%1").arg(i + 1));
        row->addWidget(Radios[i], 1);
        row->addWidget(inputs[i]);
        row->addWidget(UnitLabels[i]);
        box->addWidget(Frames[i]);
        connect(Radios[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                PurityCalc();
        });
    }
    {
        // The first calculation runs once the whole window is built.
        const QSignalBlocker block(Radios[PurityModeContent]);
        Radios[PurityModeContent]->setChecked(true);
    }
    connect(WeightEdit, &QLineEdit::textEdited, this, [this] { PurityCalc(); });
    connect(ContentEdit, &QLineEdit::textEdited, this, [this] { PurityCalc(); });
    connect(PurityCombo->lineEdit(), &QLineEdit::textEdited, this, [this] { PurityCalc(); });
    connect(PurityCombo, &QComboBox::activated, this, &TBullionForm::PurityComboChange);

    box->addWidget(Note(QStringLiteral("Select one of the values at left and then fill in the other two to "
                                       "calculate the selected value."),
                        tab));
    box->addLayout(ValueRows(PurityValueLabels, QStringLiteral("Purity"), tab));
    box->addStretch();
    return tab;
}

QWidget *TBullionForm::BuildConversionsTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabItem1"));
    auto *box = new QVBoxLayout(tab);
    auto *grid = new QGridLayout;
    for (int u = 0; u < WeightUnitCount; ++u) {
        auto *edit = new QLineEdit(tab);
        edit->setObjectName(QStringLiteral("Edit%1").arg(u + 2));
        edit->setMaxLength(u == UnitTroyPounds || u == UnitAvoirdupoisPounds ? 10 : 12);
        connect(edit, &QLineEdit::textEdited, this, [this, u] { WeightTyping(u); });
        WeightEdits[u] = edit;
        grid->addWidget(edit, u, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(UnitNames[u]), tab), u, 1);
    }
    box->addLayout(grid);
    box->addWidget(Note(QStringLiteral("Enter a weight in any of these units to see the equivalent value in the "
                                       "other units."),
                        tab));
    box->addLayout(ValueRows(ConversionValueLabels, QStringLiteral("Conversion"), tab));
    box->addStretch();
    return tab;
}

bool TBullionForm::eventFilter(QObject *watched, QEvent *event)
{
    for (QLineEdit *edit : SpotEdits)
        if (watched == edit) {
            if (event->type() == QEvent::FocusIn)
                SilverEditEnter(edit);
            else if (event->type() == QEvent::FocusOut)
                SilverEditExit(edit);
        }
    return QDialog::eventFilter(watched, event);
}

void TBullionForm::AnimateSpotEdit(QLineEdit *edit, bool grow)
{
    auto *animation = edit->findChild<QVariantAnimation *>();
    if (!animation) {
        animation = new QVariantAnimation(edit);
        animation->setDuration(200);
        const int base = edit->height();
        connect(animation, &QVariantAnimation::valueChanged, edit,
                [edit, base](const QVariant &scale) { edit->setFixedHeight(qRound(base * scale.toDouble())); });
    }
    const double from = animation->state() == QAbstractAnimation::Running ? animation->currentValue().toDouble()
                                                                           : (grow ? 1.0 : FocusScale);
    animation->stop();
    animation->setStartValue(from);
    animation->setEndValue(grow ? FocusScale : 1.0);
    animation->start();
}

void TBullionForm::SilverEditEnter(QLineEdit *edit)
{
    AnimateSpotEdit(edit, true);
    edit->setText(SpotFieldEnterText(edit->text(), LocaleDecimalSeparator()));
}

void TBullionForm::SilverEditExit(QLineEdit *edit)
{
    AnimateSpotEdit(edit, false);
    edit->setText(SpotFieldExitText(edit->text(), LocaleDecimalSeparator()));
}

void TBullionForm::SilverEditTyping()
{
    std::array<QString, 4> texts;
    for (size_t i = 0; i < SpotEdits.size(); ++i)
        texts[i] = SpotEdits[i]->text();
    local_ = TypedSpotPrices(s_.MetalValues, texts, typed_, LocaleDecimalSeparator());
    ShowMetalValues();
}

void TBullionForm::WeightTyping(int unit)
{
    const QChar decimal = LocaleDecimalSeparator();
    std::array<int, WeightUnitCount> lengths{};
    for (int u = 0; u < WeightUnitCount; ++u)
        lengths[u] = WeightEdits[u]->maxLength();
    const tWeightConversion c = ConvertWeights(ReadNumber(WeightEdits[unit]->text(), decimal), unit, lengths, decimal);
    for (int u = 0; u < WeightUnitCount; ++u)
        if (u != unit)
            WeightEdits[u]->setText(c.Texts[u]);
    // The values price the weight itself, not its rounded troy-ounce text.
    ounces_ = c.TroyOunces;
    ShowMetalValues();
}

void TBullionForm::ShowMetalValues()
{
    const std::array<QString, 4> texts = MetalValueTexts(local_, ounces_);
    for (size_t i = 0; i < texts.size(); ++i)
        ConversionValueLabels[i]->setText(texts[i]);
}

void TBullionForm::PurityComboChange(int index)
{
    if (index >= 0)
        PurityCombo->setEditText(PurityFromCombo(PurityCombo->itemText(index)));
    PurityCalc();
}

void TBullionForm::PurityCalc()
{
    int mode = PurityModeContent;
    for (int i = 0; i < 3; ++i)
        if (Radios[i]->isChecked())
            mode = i;
    const double weight = ReadNumber(WeightEdit->text(), QLatin1Char('.'));
    const double purity = ReadNumber(PurityFromCombo(PurityCombo->currentText()), QLatin1Char('.'));
    const double content = ReadNumber(ContentEdit->text(), QLatin1Char('.'));
    const tPurityResult r = ::PurityCalc(mode, weight, purity, content);

    const std::array<QWidget *, 3> inputs{WeightEdit, PurityCombo, ContentEdit};
    const tPurityLayout layout = PurityLayout(mode, r.Defined);
    for (int i = 0; i < 3; ++i) {
        inputs[i]->setVisible(layout.InputShown[i]);
        UnitLabels[i]->setVisible(layout.UnitShown[i]);
        // The computed value's frame is marked in goldenrod.
        Frames[i]->setStyleSheet(layout.Marked[i] ? QStringLiteral("QFrame#%1 { border: 2px solid #DAA520; }").arg(Frames[i]->objectName())
                                                  : QStringLiteral("QFrame#%1 { border: 1px solid black; }").arg(Frames[i]->objectName()));
    }
    // The result stands where the computed value's input was.
    auto *row = static_cast<QHBoxLayout *>(Frames[mode]->layout());
    if (PurityLabel->parentWidget() != Frames[mode] || row->indexOf(PurityLabel) < 0) {
        PurityLabel->setParent(Frames[mode]);
        row->insertWidget(row->indexOf(inputs[mode]), PurityLabel);
    }
    PurityLabel->setText(r.Text);
    PurityLabel->show();

    std::array<QString, 4> texts;
    if (r.Content > 0)
        texts = MetalValueTexts(local_, r.Content);
    for (size_t i = 0; i < texts.size(); ++i)
        PurityValueLabels[i]->setText(texts[i]);
}

void TBullionForm::StoreOnClose()
{
    if (stored_)
        return;
    stored_ = true;
    // Every keystroke already updated the working prices; the fields' texts
    // may show them rounded to two decimals and are not read again.
    CloseBullion(s_, local_, CheckBox1->isChecked(), TodayDay());
    if (closed_)
        closed_();
}

void TBullionForm::closeEvent(QCloseEvent *event)
{
    StoreOnClose();
    QDialog::closeEvent(event);
}

void TBullionForm::done(int result)
{
    // Esc closes the window as its OK button does: what was typed is kept.
    StoreOnClose();
    QDialog::done(result);
}
