#include "reports/filters/ui/dataform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/model/currproc.h"
#include "reports/run/reportlist.h"

namespace {

template <class T>
T *Named(T *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

QComboBox *List(const QString &name, const QStringList &items)
{
    auto *box = Named(new QComboBox, name);
    box->addItems(items);
    // Large items and a scroll bar that is always there, as in the other
    // long lists of the program.
    box->setStyleSheet(QStringLiteral("QComboBox QAbstractItemView { font-size: 16px; }"));
    box->setMaxVisibleItems(12);
    return box;
}

} // namespace

TDataForm::TDataForm(const QString &folder, const QString &selectedStreamName, const QStringList &storedPlaces,
                     QWidget *parent)
    : QDialog(parent), folder_(folder)
{
    CurrProcGuard guard(17101);
    setObjectName(QStringLiteral("DataForm"));
    setWindowTitle(QStringLiteral("Orvanta: Report Filters and Sorting"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 620);

    ListBox1 = Named(new QListWidget, QStringLiteral("ListBox1"));
    TabControl1 = Named(new QTabWidget, QStringLiteral("TabControl1"));
    TabControl1->setTabPosition(QTabWidget::South);

    // Coins
    auto *coins = Named(new QWidget, QStringLiteral("TabItem1"));
    auto *cf = new QFormLayout(coins);
    static const char *const ordinals[] = {"1st", "2nd", "3rd", "4th", "5th", "6th"};
    for (int i = 0; i < 6; ++i) {
        SortComboBoxes[static_cast<size_t>(i)] = List(QStringLiteral("Sort%1ComboBox").arg(i + 1), CoinSortItems());
        SortComboBoxes[static_cast<size_t>(i)]->setProperty("Tag", i + 1);
        cf->addRow(QStringLiteral("Sort %1 on:").arg(QLatin1String(ordinals[i])), SortComboBoxes[static_cast<size_t>(i)]);
    }
    ComboBox1 = List(QStringLiteral("ComboBox1"), CoinSourceItems());
    ComboBox2 = List(QStringLiteral("ComboBox2"), CoinPaperItems());
    ComboBox3 = List(QStringLiteral("ComboBox3"), CoinErrorItems());
    cf->addRow(QStringLiteral("Source of report items"), ComboBox1);
    cf->addRow(QStringLiteral("Types of entries"), ComboBox2);
    cf->addRow(QStringLiteral("Mint errors"), ComboBox3);
    auto *quantities = new QHBoxLayout;
    static const char *const qnames[] = {"Have", "Need", "Sell", "Sold"};
    static const uint8_t qbits[] = {QuantityHave, QuantityNeed, QuantitySell, QuantitySold};
    for (int i = 0; i < 4; ++i) {
        auto *box = Named(new QCheckBox(QString::fromLatin1(qnames[i])), QStringLiteral("CheckBox%1").arg(i + 1));
        box->setProperty("Tag", qbits[i]);
        QuantityBoxes[static_cast<size_t>(i)] = box;
        quantities->addWidget(box);
    }
    quantities->addStretch(1);
    cf->addRow(QStringLiteral("Requires quantities:"), quantities);
    ComboEdit1 = Named(new QComboBox, QStringLiteral("ComboEdit1"));
    ComboEdit1->setEditable(true);
    ComboEdit1->setInsertPolicy(QComboBox::NoInsert);
    ComboEdit1->addItems(storedPlaces);
    cf->addRow(QStringLiteral("Include only coins stored here:"), ComboEdit1);
    TabControl1->addTab(coins, QStringLiteral("Coins"));

    // Prices
    auto *prices = Named(new QWidget, QStringLiteral("TabItem2"));
    auto *pv = new QVBoxLayout(prices);
    PriceMergeComboBox = List(QStringLiteral("PriceMergeComboBox"), PriceMergeItems());
    auto *mergeRow = new QFormLayout;
    mergeRow->addRow(QStringLiteral("Data merging "), PriceMergeComboBox);
    pv->addLayout(mergeRow);
    auto *priceGroup = new QGroupBox(QStringLiteral("Prices"));
    auto *pg = new QVBoxLayout(priceGroup);
    static const char *const priceCaptions[] = {"Include all price list entries",
                                                "Include only price list entries for items I have",
                                                "Include only price listy entries for items I don't have"};
    auto *priceButtons = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto *r = Named(new QRadioButton(QString::fromLatin1(priceCaptions[i])), QStringLiteral("RadioButton%1").arg(9 + i));
        r->setProperty("Tag", i);
        PriceRadios[static_cast<size_t>(i)] = r;
        priceButtons->addButton(r, i);
        pg->addWidget(r);
    }
    pv->addWidget(priceGroup);
    pv->addStretch(1);
    TabControl1->addTab(prices, QStringLiteral("Prices"));

    // Series
    auto *series = Named(new QWidget, QStringLiteral("TabItem3"));
    auto *sv = new QVBoxLayout(series);
    CheckBox5 = Named(new QCheckBox(QStringLiteral("Create a copy of this report for each collection theme")),
                      QStringLiteral("CheckBox5"));
    sv->addWidget(CheckBox5);
    auto *seriesGroup = new QGroupBox(QStringLiteral("Series"));
    auto *sg = new QVBoxLayout(seriesGroup);
    static const int radioNumbers[13] = {1, 2, 3, 4, 5, 6, 7, 13, 14, 15, 8, 12, 16};
    auto *seriesButtons = new QButtonGroup(this);
    for (int tag = 0; tag < 13; ++tag) {
        auto *r = Named(new QRadioButton(SeriesFilterItems().at(tag)), QStringLiteral("RadioButton%1").arg(radioNumbers[tag]));
        r->setProperty("Tag", tag);
        SeriesRadios[static_cast<size_t>(tag)] = r;
        seriesButtons->addButton(r, tag);
        sg->addWidget(r);
    }
    sv->addWidget(seriesGroup);
    sv->addStretch(1);
    TabControl1->addTab(series, QStringLiteral("Series"));

    // Forex
    auto *forex = Named(new QWidget, QStringLiteral("TabItem5"));
    auto *ff = new QFormLayout(forex);
    ComboBox4 = List(QStringLiteral("ComboBox4"), ForexSortItems());
    ff->addRow(QStringLiteral("Sort foreign exchange rates by:"), ComboBox4);
    TabControl1->addTab(forex, QStringLiteral("Forex"));

    // Description
    auto *desc = Named(new QWidget, QStringLiteral("TabItem4"));
    auto *dv = new QVBoxLayout(desc);
    Memo2 = Named(new QPlainTextEdit, QStringLiteral("Memo2"));
    dv->addWidget(Memo2);
    TabControl1->addTab(desc, QStringLiteral("Description"));

    auto *uses = new QGroupBox(QStringLiteral("The selected report uses these datasets."));
    auto *ul = new QHBoxLayout(uses);
    static const char *const sets[] = {"Prices", "Coins", "Series", "eBooks", "Forex", "Collection"};
    for (int i = 0; i < 6; ++i) {
        auto *box = Named(new QCheckBox(QString::fromLatin1(sets[i])), QStringLiteral("CheckBox%1").arg(6 + i));
        box->setEnabled(false);
        DatabaseBoxes[static_cast<size_t>(i)] = box;
        ul->addWidget(box);
    }

    OKButton = Named(new QPushButton(QStringLiteral("OK")), QStringLiteral("OKButton"));
    CancelButton = Named(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("CancelButton"));
    OKButton->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto *right = new QVBoxLayout;
    right->addWidget(TabControl1, 1);
    right->addWidget(uses);
    right->addLayout(buttons);
    auto *main = new QHBoxLayout(this);
    main->addWidget(ListBox1, 1);
    main->addLayout(right, 3);

    // Each control writes its own value into the selected record, and only
    // when the user changes it.
    for (QComboBox *box : SortComboBoxes)
        connect(box, &QComboBox::currentIndexChanged, this, [this, box](int index) {
            CurrProcGuard g(17102);
            if (tParamInfo *p = Current(); p && !showing_)
                p->CoinSort[static_cast<size_t>(box->property("Tag").toInt() - 1)] = std::max(0, index);
        });
    auto intField = [this](QComboBox *box, int32_t tParamInfo::*field) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, field](int index) {
            if (tParamInfo *p = Current(); p && !showing_)
                p->*field = std::max(0, index);
        });
    };
    intField(ComboBox1, &tParamInfo::CoinSourceFilter);
    intField(ComboBox2, &tParamInfo::CoinPaperFilter);
    intField(ComboBox3, &tParamInfo::CoinErrorFilter);
    intField(PriceMergeComboBox, &tParamInfo::PriceMergeMask);
    for (QCheckBox *box : QuantityBoxes)
        connect(box, &QCheckBox::toggled, this, [this] {
            CurrProcGuard g(17110);
            if (tParamInfo *p = Current(); p && !showing_)
                p->QuantityFilter = QuantityFilterOf(QuantityBoxes[0]->isChecked(), QuantityBoxes[1]->isChecked(),
                                                     QuantityBoxes[2]->isChecked(), QuantityBoxes[3]->isChecked());
        });
    connect(ComboEdit1, &QComboBox::editTextChanged, this, [this](const QString &text) {
        CurrProcGuard g(17111);
        if (tParamInfo *p = Current(); p && !showing_)
            p->StoredIn = text;
    });
    connect(priceButtons, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        CurrProcGuard g(17106);
        if (tParamInfo *p = Current(); p && on && !showing_)
            p->PricePurgeMask = id;
    });
    connect(seriesButtons, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        CurrProcGuard g(17105);
        if (tParamInfo *p = Current(); p && on && !showing_)
            p->SeriesPurgeMask = id;
    });
    connect(CheckBox5, &QCheckBox::toggled, this, [this](bool on) {
        if (tParamInfo *p = Current(); p && !showing_)
            p->ThemeMultiplex = on;
    });
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (tParamInfo *p = Current(); p && !showing_)
            p->ForexSort = ForexSortOfIndex(index);
    });
    connect(Memo2, &QPlainTextEdit::textChanged, this, [this] {
        CurrProcGuard g(17109);
        if (tParamInfo *p = Current(); p && !showing_)
            p->description = Memo2->toPlainText();
    });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ShowParams(); });
    connect(OKButton, &QPushButton::clicked, this, &TDataForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    items_ = LoadFilterItems(folder);
    if (!items_.Problems.isEmpty())
        ShowReportMessage(items_.Problems.join(QLatin1Char('\n')));
    {
        const QSignalBlocker block(ListBox1);
        for (const tFilterItem &item : items_.Items)
            ListBox1->addItem(item.Name);
        ListBox1->setCurrentRow(FilterSelection(items_.Items, selectedStreamName));
    }
    ShowParams();
}

tParamInfo *TDataForm::Current()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= static_cast<int>(items_.Items.size()))
        return nullptr;
    return &items_.Items[static_cast<size_t>(row)].Params;
}

void TDataForm::ShowParams()
{
    CurrProcGuard guard(17107);
    const tParamInfo *p = Current();
    if (!p)
        return;
    // Filling the controls is not an edit: the record keeps its values
    // (the description untrimmed until the memo is edited).
    showing_ = true;
    Memo2->setPlainText(p->description.trimmed());
    ComboBox1->setCurrentIndex(p->CoinSourceFilter >= 0 && p->CoinSourceFilter < ComboBox1->count() ? p->CoinSourceFilter : -1);
    ComboBox2->setCurrentIndex(p->CoinPaperFilter >= 0 && p->CoinPaperFilter < ComboBox2->count() ? p->CoinPaperFilter : -1);
    ComboBox3->setCurrentIndex(p->CoinErrorFilter >= 0 && p->CoinErrorFilter < ComboBox3->count() ? p->CoinErrorFilter : -1);
    for (size_t i = 0; i < SortComboBoxes.size(); ++i) {
        const int key = p->CoinSort[i];
        SortComboBoxes[i]->setCurrentIndex(key >= 0 && key < SortComboBoxes[i]->count() ? key : -1);
    }
    for (size_t i = 0; i < PriceRadios.size(); ++i)
        PriceRadios[i]->setChecked(p->PricePurgeMask == static_cast<int>(i));
    PriceMergeComboBox->setCurrentIndex(
        p->PriceMergeMask >= 0 && p->PriceMergeMask < PriceMergeComboBox->count() ? p->PriceMergeMask : -1);
    // The radios are exclusive within their group: clearing all needs the
    // group's exclusivity off for a moment.
    for (size_t i = 0; i < SeriesRadios.size(); ++i) {
        QRadioButton *r = SeriesRadios[i];
        const bool on = p->SeriesPurgeMask == static_cast<int>(i);
        if (!on && r->isChecked()) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        } else if (on) {
            r->setChecked(true);
        }
    }
    for (size_t i = 0; i < QuantityBoxes.size(); ++i)
        QuantityBoxes[i]->setChecked(
            QuantityBoxTicked(p->QuantityFilter, static_cast<uint8_t>(QuantityBoxes[i]->property("Tag").toInt())));
    CheckBox5->setChecked(p->ThemeMultiplex);
    ComboEdit1->setEditText(p->StoredIn);
    ComboBox4->setCurrentIndex(ForexIndexOfSort(p->ForexSort));
    static const uint16_t bits[] = {UsesPrices, UsesCoins, UsesSeries, UsesEbooks, UsesForex, UsesCollection};
    for (size_t i = 0; i < DatabaseBoxes.size(); ++i)
        DatabaseBoxes[i]->setChecked((p->Databases & bits[i]) != 0);
    showing_ = false;
}

void TDataForm::OKButtonClick()
{
    CurrProcGuard guard(17103);
    const QStringList failures = SaveFilterItems(folder_, items_.Items);
    if (ReportsSaved)
        ReportsSaved();
    if (!failures.isEmpty()) {
        // The others are written; the collector learns which were not and
        // keeps the window to try again.
        ShowReportMessage(QStringLiteral("These report settings could not be saved:\n") +
                          failures.join(QLatin1Char('\n')));
        return;
    }
    accept();
}
