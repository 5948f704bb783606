#include "core/collection/ui/udfform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "core/program/ui/centring.h"

namespace {

template <class T>
T *Named(const char *name, QWidget *parent)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QPushButton *Button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = Named<QPushButton>(name, parent);
    b->setText(text);
    return b;
}

} // namespace

TUDFform::TUDFform(tMainState &state, std::function<void(bool ok)> done, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      s(state), work(state), done_(std::move(done))
{
    setObjectName(QStringLiteral("UDFform"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvanta: User defined fields"));
    auto *g = new QGridLayout(this);

    auto *typesCaption = new QLabel(QStringLiteral("Field types"), this);
    auto *fieldsCaption = new QLabel(QStringLiteral("Cutom Fields"), this);
    ListBox2 = Named<QListWidget>("ListBox2", this);
    ListBox2->addItems(UDFTypeNames);
    ListBox1 = Named<QListWidget>("ListBox1", this);
    AddButton = Button("AddButton", QStringLiteral("Add"), this);
    DeleteButton = Button("DeleteButton", QStringLiteral("Delete"), this);
    StatusLabel = Named<QLabel>("StatusLabel", this);
    StatusLabel->setWordWrap(true);
    Label5 = Named<QLabel>("Label5", this);
    LabelCaption = new QLabel(QStringLiteral("Label"), this);
    Edit1 = Named<QLineEdit>("Edit1", this);
    LengthCaption = new QLabel(QStringLiteral("Length"), this);
    LengthEdit = Named<QSpinBox>("LengthEdit", this);
    LengthEdit->setMinimum(1);
    OptionsCaption = new QLabel(QStringLiteral("Options"), this);
    Memo1 = Named<QPlainTextEdit>("Memo1", this);
    CheckBox1 = Named<QCheckBox>("CheckBox1", this);
    OKbutton = Button("OKbutton", QStringLiteral("OK"), this);
    CancelButton = Button("CancelButton", QStringLiteral("Cancel"), this);

    g->addWidget(typesCaption, 0, 0);
    g->addWidget(ListBox2, 1, 0, 4, 1);
    g->addWidget(AddButton, 5, 0);
    g->addWidget(StatusLabel, 6, 0, 1, 3);
    g->addWidget(fieldsCaption, 0, 1);
    g->addWidget(ListBox1, 1, 1, 4, 1);
    g->addWidget(DeleteButton, 5, 1);
    auto *editors = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{Label5, LabelCaption, Edit1, LengthCaption, LengthEdit,
                                                       OptionsCaption, Memo1, CheckBox1})
        editors->addWidget(w);
    editors->addStretch(1);
    g->addLayout(editors, 0, 2, 6, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CancelButton);
    buttons->addWidget(OKbutton);
    g->addLayout(buttons, 7, 0, 1, 3);

    for (int i = 0; i < static_cast<int>(work.Fields.size()); ++i)
        ListBox1->addItem(BlankLabel(work.Fields[static_cast<size_t>(i)].FieldLabel));

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TUDFform::ListBox1Click);
    connect(ListBox2, &QListWidget::currentRowChanged, this, &TUDFform::ListBox2Click);
    connect(AddButton, &QPushButton::clicked, this, &TUDFform::AddButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TUDFform::DeleteButtonClick);
    connect(LengthEdit, &QSpinBox::valueChanged, this, [this](int value) {
        if (tUDFWorkField *f = Selected())
            f->Length = value;
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        if (tUDFWorkField *f = Selected())
            f->BitByte = on ? (f->BitByte | 1) : (f->BitByte & ~1);
    });
    connect(OKbutton, &QPushButton::clicked, this, &TUDFform::OKbuttonClick);
    connect(CancelButton, &QPushButton::clicked, this, [this] { Finish(false); });
    Edit1->installEventFilter(this);
    Memo1->installEventFilter(this);

    DeleteButton->setEnabled(ListBox1->count() > 0);
    ListBox2->setCurrentRow(0);
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ListBox1Click();
    ListBox2Click();
    resize(620, 420);
    CentreOnScreen(this);
}

tUDFWorkField *TUDFform::Selected()
{
    const int row = ListBox1->currentRow();
    return row >= 0 && row < static_cast<int>(work.Fields.size()) ? &work.Fields[static_cast<size_t>(row)] : nullptr;
}

void TUDFform::ListBox1Click()
{
    const tUDFWorkField *f = Selected();
    for (QWidget *w : std::initializer_list<QWidget *>{Label5, LabelCaption, Edit1, LengthCaption, LengthEdit,
                                                       OptionsCaption, Memo1, CheckBox1})
        w->setVisible(false);
    if (!f)
        return;
    const tUDFEditors editors = UDFEditorsFor(f->FieldType);
    Label5->setText(UDFTypeNames.value(f->FieldType));
    Label5->setVisible(true);
    LabelCaption->setVisible(true);
    Edit1->setVisible(true);
    Edit1->setText(f->FieldLabel);
    LengthCaption->setVisible(editors.Length);
    LengthEdit->setVisible(editors.Length);
    OptionsCaption->setVisible(editors.Options);
    Memo1->setVisible(editors.Options);
    CheckBox1->setVisible(editors.Check);
    CheckBox1->setText(UDFCheckCaption(f->FieldType));
    LengthCaption->setText(UDFLengthCaption(f->FieldType));
    {
        const QSignalBlocker b1(CheckBox1), b2(LengthEdit);
        CheckBox1->setChecked(f->BitByte & 1);
        LengthEdit->setMaximum(UDFLengthLimit(f->FieldType));
        LengthEdit->setValue(f->Length);
    }
    Memo1->setPlainText(UDFOptionLines(f->Options).join(QLatin1Char('\n')));
}

void TUDFform::ListBox2Click()
{
    StatusLabel->setText(UDFTypeDescription(ListBox2->currentRow()));
}

void TUDFform::AddButtonClick()
{
    const int type = ListBox2->currentRow();
    if (type < 0)
        return;
    const int at = work.Add(type);
    ListBox1->addItem(BlankLabel(work.Fields[static_cast<size_t>(at)].FieldLabel));
    ListBox1->setCurrentRow(at);
    ListBox1Click();
    if (Edit1->isVisible()) {
        Edit1->setFocus();
        Edit1->selectAll();
    }
    DeleteButton->setEnabled(true);
}

void TUDFform::DeleteButtonClick()
{
    const int row = ListBox1->currentRow();
    if (row >= 0) {
        const int next = work.Delete(row);
        const QSignalBlocker block(ListBox1);
        delete ListBox1->takeItem(row);
        ListBox1->setCurrentRow(next);
        ListBox1Click();
    }
    DeleteButton->setEnabled(ListBox1->count() > 0);
}

void TUDFform::Edit1Exit()
{
    tUDFWorkField *f = Selected();
    if (!f)
        return;
    f->FieldLabel = BlankLabel(Edit1->text());
    ListBox1->currentItem()->setText(f->FieldLabel);
}

void TUDFform::Memo1Exit()
{
    tUDFWorkField *f = Selected();
    if (!f)
        return;
    QStringList kept;
    f->Options = UDFOptionsFromLines(Memo1->toPlainText().split(QLatin1Char('\n')), &kept);
    Memo1->setPlainText(kept.join(QLatin1Char('\n')));
}

bool TUDFform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == Edit1)
            Edit1Exit();
        else if (watched == Memo1)
            Memo1Exit();
    }
    return QDialog::eventFilter(watched, event);
}

void TUDFform::OKbuttonClick()
{
    // The box being typed in has not been left yet.
    if (Edit1->isVisible())
        Edit1Exit();
    if (Memo1->isVisible())
        Memo1Exit();
    ApplyUDFWorkList(s, work);
    Finish(true);
}

void TUDFform::Finish(bool ok)
{
    if (finished_)
        return;
    finished_ = true;
    hide();
    if (done_)
        done_(ok);
    deleteLater();
}

void TUDFform::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    Finish(false);
}
