#include "core/collection/ui/populateform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<TPopulateForm> OpenForm;
}

TPopulateForm *TPopulateForm::Open(tMainState &state, QWidget *parent)
{
    if (!OpenForm)
        OpenForm = new TPopulateForm(state, parent);
    OpenForm->show();
    OpenForm->raise();
    OpenForm->activateWindow();
    return OpenForm;
}

bool TPopulateForm::InUse()
{
    return !OpenForm.isNull();
}

TPopulateForm::TPopulateForm(tMainState &state, QWidget *parent) : QDialog(parent), s(state)
{
    setObjectName(QStringLiteral("PopulateForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Orvanta: Populate a series"));
    resize(468, 268);

    Label4 = new QLabel(QStringLiteral(
        "This feature will create a coin entry for each variety of the selected series; these entries will each "
        "have zero coins.  You can then enter a large number of coins by simply increasing the quantity of specific "
        "entries."));
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label1 = new QLabel(QStringLiteral("Default grade:"));
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox;
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ListBox1 = new QListWidget;
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    Button1 = new QPushButton(QStringLiteral("Cancel"));
    Button1->setObjectName(QStringLiteral("Button1"));

    auto *g = new QGridLayout(this);
    g->addWidget(Label4, 0, 0, 1, 2);
    g->addWidget(Label1, 1, 0);
    g->addWidget(ComboBox1, 2, 0);
    g->addWidget(ListBox1, 1, 1, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(Button1);
    g->addLayout(buttons, 4, 0, 1, 2);
    g->setRowStretch(3, 1);
    g->setColumnStretch(1, 1);

    connect(OKButton, &QPushButton::clicked, this, &TPopulateForm::OKButtonClick);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    connect(ListBox1, &QListWidget::itemChanged, this, &TPopulateForm::UpdateOkButton);
    FormCreate();
}

TPopulateForm::~TPopulateForm() = default;

void TPopulateForm::FormCreate()
{
    ComboBox1->clear();
    ListBox1->clear();
    for (const tGradeTitle &t : s.CurrGradeList)
        ComboBox1->addItem(t.Title, t.Slot);
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
    Items = PopulateItems(s);
    QSignalBlocker block(ListBox1);
    for (const tPopulateItem &item : Items) {
        auto *row = new QListWidgetItem(item.Text, ListBox1);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(item.Checked ? Qt::Checked : Qt::Unchecked);
    }
    UpdateOkButton();
}

// OK follows the checks, so it never makes nothing.
void TPopulateForm::UpdateOkButton()
{
    bool any = false;
    for (int i = 0; i < ListBox1->count() && !any; ++i)
        any = ListBox1->item(i)->checkState() == Qt::Checked;
    OKButton->setEnabled(any);
}

void TPopulateForm::OKButtonClick()
{
    std::vector<tPriceInfo *> rows;
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->checkState() == Qt::Checked)
            rows.push_back(Items[static_cast<size_t>(i)].Price);
    const int grade = ComboBox1->currentIndex() >= 0 ? ComboBox1->currentData().toInt() : NoGrade;
    PopulateCoins(s, rows, grade);
    close();
}
