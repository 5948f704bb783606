#include "pricing/pricetools/ui/forexform.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "core/model/currencytext.h"
#include "core/program/ui/pixelfont.h"

TForexForm::TForexForm(tMainState &s, std::function<void()> currencyChanged, QWidget *parent)
    : QDialog(parent), s_(s), currencyChanged_(std::move(currencyChanged))
{
    setObjectName(QStringLiteral("ForexForm"));
    setWindowTitle(QStringLiteral("Orvanta: Exchange rates"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(804, 418);

    Grid1 = new QTableWidget(0, 4, this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setHorizontalHeaderLabels(
        {QStringLiteral("Code"), QStringLiteral("Description"), QStringLiteral("=Rate"), QStringLiteral("Rate=")});
    const int widths[] = {70, 245, 220, 220};
    for (int c = 0; c < 4; ++c)
        Grid1->setColumnWidth(c, widths[c]);
    Grid1->verticalHeader()->hide();
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Grid1->horizontalHeader()->setSectionsClickable(true);
    SetPixelFont(Grid1, 18);
    connect(Grid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForexForm::Grid1HeaderClick);
    connect(Grid1, &QTableWidget::currentCellChanged, this, [this] { UpdateSelectButton(); });
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [this] { SelectCurrencyButtonClick(); });

    Label2 = new QLabel(
        QStringLiteral("Value to be used in the above comparison (affects only the above display):"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(12);
    SetPixelFont(Edit1, 18);
    connect(Edit1, &QLineEdit::textEdited, this, &TForexForm::Edit1Typing);

    NoRatesLabel = new QLabel(NoExchangeRatesText(s_), this);
    NoRatesLabel->setObjectName(QStringLiteral("NoRatesLabel"));
    NoRatesLabel->setWordWrap(true);
    NoRatesLabel->setVisible(!NoRatesLabel->text().isEmpty());
    SetPixelFont(NoRatesLabel, 16);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    SetPixelFont(Label1, 20);

    SelectCurrencyButton = new QPushButton(QStringLiteral("Select this currency"), this);
    SelectCurrencyButton->setObjectName(QStringLiteral("SelectCurrencyButton"));
    SelectCurrencyButton->setFixedSize(243, 41);
    SetPixelFont(SelectCurrencyButton, 16);
    connect(SelectCurrencyButton, &QPushButton::clicked, this, &TForexForm::SelectCurrencyButtonClick);
    DoneBtn = new QPushButton(QStringLiteral("Done"), this);
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    DoneBtn->setFixedSize(115, 41);
    SetPixelFont(DoneBtn, 16);
    connect(DoneBtn, &QPushButton::clicked, this, &QDialog::close);

    auto *amount = new QHBoxLayout;
    amount->addWidget(Label2, 1);
    amount->addWidget(Edit1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(SelectCurrencyButton);
    bottom->addWidget(DoneBtn);
    auto *box = new QVBoxLayout(this);
    box->addWidget(NoRatesLabel);
    box->addWidget(Grid1, 1);
    box->addLayout(amount);
    box->addLayout(bottom);

    rows_ = BuildLocalForexList(s_);
    lastAmountText_ = ForexAmountText(tanslateValue_, LocaleDecimalSeparator());
    Edit1->setText(lastAmountText_);
    Grid1->setRowCount(static_cast<int>(rows_.size()));
    SortForex(rows_, gridSortCol_);
    FillGrid();
    Grid1->setCurrentCell(0, 0);
    ShowSelectedCurrency();
    SelectCurrencyButton->setFocus();
}

void TForexForm::FillGrid()
{
    Grid1->setUpdatesEnabled(false);
    const QChar decimal = LocaleDecimalSeparator();
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        for (int c = 0; c < 4; ++c) {
            const QString text = ForexCellText(s_, rows_[static_cast<size_t>(r)], c, tanslateValue_, decimal);
            if (QTableWidgetItem *item = Grid1->item(r, c))
                item->setText(text);
            else
                Grid1->setItem(r, c, new QTableWidgetItem(text));
        }
    Grid1->setUpdatesEnabled(true);
    UpdateSelectButton();
}

void TForexForm::UpdateSelectButton()
{
    const int r = Grid1->currentRow();
    SelectCurrencyButton->setEnabled(r >= 0 && r < static_cast<int>(rows_.size())
                                     && CanSelectForex(s_, rows_[static_cast<size_t>(r)]));
}

void TForexForm::Grid1HeaderClick(int column)
{
    // The current row keeps its index, not its currency.
    gridSortCol_ = column;
    SortForex(rows_, gridSortCol_);
    FillGrid();
}

void TForexForm::Edit1Typing(const QString &text)
{
    const QChar decimal = LocaleDecimalSeparator();
    if (!AcceptForexAmountText(text, decimal)) {
        // A second decimal separator is dropped as it is typed.
        const int pos = Edit1->cursorPosition();
        Edit1->setText(lastAmountText_);
        Edit1->setCursorPosition(std::max(0, pos - 1));
        return;
    }
    lastAmountText_ = text;
    tanslateValue_ = ParseForexAmount(text, decimal);
    FillGrid();
}

void TForexForm::SelectCurrencyButtonClick()
{
    const int r = Grid1->currentRow();
    if (r < 0 || r >= static_cast<int>(rows_.size()))
        return;
    Grid1->setUpdatesEnabled(false);
    const bool selected = SelectForex(s_, rows_[static_cast<size_t>(r)]);
    if (selected && currencyChanged_)
        currencyChanged_();
    FillGrid();
    ShowSelectedCurrency();
}

void TForexForm::ShowSelectedCurrency()
{
    Label1->setText(SelectedCurrencyText(s_));
}
