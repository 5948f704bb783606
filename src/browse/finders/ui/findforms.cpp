#include "browse/finders/ui/findforms.h"

#include <algorithm>

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "core/model/commatext.h"
#include "core/program/settings.h"
#include "browse/coins/coingridcells.h"
#include "browse/shell/ui/mainwidgets.h"

namespace {

bool IsEnter(const QKeyEvent *k)
{
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}

} // namespace

void CentreOver(QWidget *window, const QWidget *over)
{
    if (!over)
        return;
    const QRect o = over->frameGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(o.left() + (o.width() - size.width()) / 2, o.top() + (o.height() - size.height()) / 2);
}

// ---------------------------------------------------------------------------
// Find text

TFindTextForm::TFindTextForm(tMainState &s, tNavigationSeams nav, std::function<tFindEnvironment()> environment,
                             QWidget *parent)
    : QWidget(parent, Qt::Window), s_(s), nav_(std::move(nav)), environment_(std::move(environment)), finder_(s)
{
    setObjectName(QStringLiteral("FindTextForm"));
    setWindowTitle(QStringLiteral("Orvanta: Find text"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *v = new QVBoxLayout(this);
    auto *title = Make<QLabel>("TitleLabel", QStringLiteral("Search series names for the indicated text or for the "
                                                            "indicated series number "));
    title->setWordWrap(true);
    v->addWidget(title);
    ComboEdit1 = Make<QComboBox>("ComboEdit1");
    ComboEdit1->setEditable(true);
    ComboEdit1->setInsertPolicy(QComboBox::NoInsert);
    SetPixelFont(ComboEdit1, 20);
    v->addWidget(ComboEdit1);
    StatusLabel = Make<QLabel>("StatusLabel", FindTextPrompt);
    v->addWidget(StatusLabel);
    auto *buttons = new QHBoxLayout;
    Upbutton = Make<QPushButton>("Upbutton", QStringLiteral("Find previous"));
    Downbutton = Make<QPushButton>("Downbutton", QStringLiteral("Find next"));
    Downbutton->setDefault(true);
    buttons->addWidget(Upbutton);
    buttons->addWidget(Downbutton);
    v->addLayout(buttons);
    for (const char *line : {"Wildcard charactors:", "? = One character (i.e. D?G equals DIG or DOG)",
                             "* = Any characters (i.e. D*Y equals DAY or DOGGY)"})
        v->addWidget(new QLabel(QString::fromLatin1(line)));
    auto *bottom = new QHBoxLayout;
    CaseCheckBox = Make<QCheckBox>("CaseCheckBox", QStringLiteral("Case sensitive"));
    ViewSizeBtn = Make<QPushButton>("ViewSizeBtn", QStringLiteral("OK"));
    bottom->addWidget(CaseCheckBox);
    bottom->addStretch(1);
    bottom->addWidget(ViewSizeBtn);
    v->addLayout(bottom);

    connect(Upbutton, &QPushButton::clicked, this, [this] { DownbuttonClick(false); });
    connect(Downbutton, &QPushButton::clicked, this, [this] { DownbuttonClick(true); });
    connect(ViewSizeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ComboEdit1, &QComboBox::editTextChanged, this, [this] { StatusLabel->setText(FindTextPrompt); });
    ComboEdit1->installEventFilter(this);
    if (ComboEdit1->lineEdit())
        ComboEdit1->lineEdit()->installEventFilter(this);

    history_ = CommaTextSplit(ReadRegString(RegName::SearchHistory, QString()));
    history_.removeAll(QString());
    finder_.LastCaseSetting = CaseCheckBox->isChecked();
    FillDropDown();
    ComboEdit1->setCurrentText(QString());
    resize(420, sizeHint().height());
}

TFindTextForm::~TFindTextForm() = default;

void TFindTextForm::Forget()
{
    finder_.Reset();
    StatusLabel->setText(finder_.Status());
}

void TFindTextForm::FillDropDown()
{
    const QString text = ComboEdit1->currentText();
    const QSignalBlocker block(ComboEdit1);
    ComboEdit1->clear();
    ComboEdit1->addItems(SearchDropDownItems(history_, s_.MaintainerMode));
    ComboEdit1->setCurrentText(text);
}

void TFindTextForm::DownbuttonClick(bool forward)
{
    const QString text = ComboEdit1->currentText();
    const bool searches = text.trimmed() != finder_.LastSearch || CaseCheckBox->isChecked() != finder_.LastCaseSetting;
    if (searches && !text.trimmed().isEmpty()) {
        history_ = PushSearchHistory(history_, text.trimmed());
        ComboEdit1->setCurrentText(text.trimmed());
        FillDropDown();
    }
    tnodeinfo *hit = finder_.Step(text, CaseCheckBox->isChecked(), forward,
                                  environment_ ? environment_() : tFindEnvironment{});
    const QSignalBlocker block(ComboEdit1);
    StatusLabel->setText(finder_.Status());
    if (hit)
        ShowFoundSeries(s_, hit, nav_);
}

bool TFindTextForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent *>(event))) {
        DownbuttonClick(true);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFindTextForm::closeEvent(QCloseEvent *event)
{
    WriteRegString(RegName::SearchHistory, CommaTextJoin(StoredSearchHistory(history_)));
    QWidget::closeEvent(event);
}

// ---------------------------------------------------------------------------
// Find a catalog number

TFindCatalogForm::TFindCatalogForm(tMainState &s, tNavigationSeams nav, std::function<QString(int)> countryName,
                                   QWidget *parent)
    : QWidget(parent, Qt::Window), s_(s), nav_(std::move(nav)), countryName_(std::move(countryName))
{
    setObjectName(QStringLiteral("FindCatalogForm"));
    setWindowTitle(QStringLiteral("Find a catalog number"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(360, 302);
    auto *v = new QVBoxLayout(this);
    CountryBox = Make<QComboBox>("CountryBox");
    SetPixelFont(CountryBox, 16);
    v->addWidget(CountryBox);
    Grid1 = Make<QTableWidget>("Grid1", 0, 2);
    Grid1->setHorizontalHeaderLabels({QStringLiteral("Catalog"), QStringLiteral("Country")});
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(26);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Grid1->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: #DCDCDC; color: #2F4F4F; font-weight: bold; "
                       "font-size: 16px; border-style: outset; border-width: 3px; "
                       "border-color: #FAF0E6 #708090 #708090 #FAF0E6; }"));
    v->addWidget(Grid1, 1);
    Grid1->viewport()->installEventFilter(this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Filter:")));
    Edit1 = Make<QLineEdit>("Edit1");
    bottom->addWidget(Edit1, 1);
    OKButton = Make<QPushButton>("OKButton", QStringLiteral("Done"));
    bottom->addWidget(OKButton);
    v->addLayout(bottom);

    connect(CountryBox, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            CountryBoxChange();
    });
    connect(Edit1, &QLineEdit::textChanged, this, &TFindCatalogForm::FilterCatalogList);
    connect(Grid1, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!filling_)
            Grid1SelectCell(row);
    });
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
    resize(420, 520);
}

TFindCatalogForm::~TFindCatalogForm() = default;

void TFindCatalogForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TFindCatalogForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormActivate();
}

void TFindCatalogForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ShareColumns();
}

bool TFindCatalogForm::eventFilter(QObject *watched, QEvent *event)
{
    // The grid's own room is known only when its viewport is resized, which
    // for a window not yet shown comes after the window's resize.
    if (watched == Grid1->viewport() && event->type() == QEvent::Resize)
        ShareColumns();
    return QWidget::eventFilter(watched, event);
}

void TFindCatalogForm::ShareColumns()
{
    // The two columns share the room in the proportion they have.
    const int room = std::max(2, Grid1->viewport()->width() - 2);
    const int a = std::max(1, Grid1->columnWidth(0));
    const int b = std::max(1, Grid1->columnWidth(1));
    Grid1->setColumnWidth(0, room * a / (a + b));
    Grid1->setColumnWidth(1, room - room * a / (a + b));
}

void TFindCatalogForm::Forget()
{
    filling_ = true;
    rows_.clear();
    Grid1->setRowCount(0);
    list_.Clear();
    lastCountry_ = -1;
    filling_ = false;
}

void TFindCatalogForm::FormActivate()
{
    const int wanted = s_.SelectedTreeNode ? s_.SelectedTreeNode->Country : -1;
    {
        filling_ = true;
        CountryBox->clear();
        std::vector<std::pair<QString, int>> items;
        for (int c : CountriesInTree(s_))
            items.emplace_back(countryName_ ? countryName_(c) : QString::number(c), c);
        std::stable_sort(items.begin(), items.end(), [](const auto &a, const auto &b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        int pick = items.empty() ? -1 : 0;
        for (size_t i = 0; i < items.size(); ++i) {
            CountryBox->addItem(items[i].first, items[i].second);
            if (items[i].second == wanted)
                pick = static_cast<int>(i);
        }
        CountryBox->setCurrentIndex(pick);
        filling_ = false;
    }
    CountryBoxChange();
}

void TFindCatalogForm::CountryBoxChange()
{
    if (CountryBox->currentIndex() < 0)
        return;
    const int country = CountryBox->currentData().toInt();
    if (country == lastCountry_ && treeGeneration_ == s_.TreeGeneration)
        return;
    BuildCountryKMList(s_, list_, country);
    rows_.clear();
    treeGeneration_ = s_.TreeGeneration;
    FilterCatalogList();
    lastCountry_ = country;
}

void TFindCatalogForm::FilterCatalogList()
{
    const auto shown = FilterKMList(list_, Edit1->text());
    if (shown) {
        filling_ = true;
        rows_ = *shown;
        Grid1->setRowCount(0);
        Grid1->setRowCount(static_cast<int>(rows_.size()));
        QFont big = Grid1->font();
        big.setPixelSize(18);
        big.setBold(true);
        QFont small = Grid1->font();
        small.setPixelSize(12);
        for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
            const tKMitem *item = rows_[static_cast<size_t>(r)];
            auto *number = new QTableWidgetItem(item->KMnumber);
            number->setFont(big);
            auto *country = new QTableWidgetItem(item->CountryFolder ? item->CountryFolder->NodeName : QString());
            country->setFont(small);
            Grid1->setItem(r, 0, number);
            Grid1->setItem(r, 1, country);
        }
        filling_ = false;
    }
    // The main window follows the filter at once.
    if (!rows_.empty()) {
        const int row = std::clamp(Grid1->currentRow(), 0, static_cast<int>(rows_.size()) - 1);
        filling_ = true;
        Grid1->setCurrentCell(row, 0);
        filling_ = false;
        Grid1SelectCell(row);
    }
}

void TFindCatalogForm::Grid1SelectCell(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()) || treeGeneration_ != s_.TreeGeneration)
        return;
    ShowCatalogSeries(s_, SeriesOfKMItem(s_, *rows_[static_cast<size_t>(row)]), nav_);
}

// ---------------------------------------------------------------------------
// Find a coin by item number

TFindItemForm::TFindItemForm(tMainState &s, tNavigationSeams nav, int32_t *lastNumber, QWidget *parent)
    : QWidget(parent, Qt::Window), s_(s), nav_(std::move(nav)), lastNumber_(lastNumber)
{
    setObjectName(QStringLiteral("FindItemForm"));
    setWindowTitle(QStringLiteral("Orvanta: Find an item number"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *v = new QVBoxLayout(this);
    auto *prompt = Make<QLabel>("PromptLabel", QStringLiteral("Enter an item number in the space below and then press "
                                                              "the \"Search\" button to locate that entry."));
    prompt->setWordWrap(true);
    v->addWidget(prompt);
    SpinBox1 = Make<QSpinBox>("SpinBox1");
    SpinBox1->setRange(0, std::numeric_limits<int>::max());
    SetPixelFont(SpinBox1, 18);
    v->addWidget(SpinBox1);
    StatusLabel = Make<QLabel>("StatusLabel");
    v->addWidget(StatusLabel);
    auto *buttons = new QHBoxLayout;
    SearchButton = Make<QPushButton>("SearchButton", QStringLiteral("Search"));
    OKButton = Make<QPushButton>("OKButton", QStringLiteral("Done"));
    buttons->addWidget(SearchButton);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    v->addLayout(buttons);

    connect(SearchButton, &QPushButton::clicked, this, &TFindItemForm::SearchButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
    connect(SpinBox1, &QSpinBox::valueChanged, this, [this] {
        if (!isDefaultText_)
            ShowRange();
    });
    SpinBox1->installEventFilter(this);
    SpinBox1->setValue(lastNumber_ ? *lastNumber_ : 1);
    resize(360, sizeHint().height());
}

TFindItemForm::~TFindItemForm() = default;

void TFindItemForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ShowRange();
}

void TFindItemForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ShowRange();
}

void TFindItemForm::closeEvent(QCloseEvent *event)
{
    if (lastNumber_)
        *lastNumber_ = SpinBox1->value();
    QWidget::closeEvent(event);
}

void TFindItemForm::ReadyForTyping()
{
    // The number shown is selected, so a number typed replaces it instead
    // of being appended to it.
    SpinBox1->setFocus(Qt::OtherFocusReason);
    SpinBox1->selectAll();
}

void TFindItemForm::ShowRange()
{
    const tItemRange range = ItemNumberRange(s_);
    StatusLabel->setText(ItemRangeText(range));
    if (!range.Empty) {
        const QSignalBlocker block(SpinBox1);
        SpinBox1->setRange(range.Min, range.Max);
    }
    isDefaultText_ = true;
}

bool TFindItemForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SpinBox1 && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (IsEnter(k)) {
            // The typed text's leading whole number, even past the range.
            const int64_t typed = ReadLeadingWhole(SpinBox1->text());
            const QSignalBlocker block(SpinBox1);
            SpinBox1->setValue(static_cast<int>(std::clamp<int64_t>(typed, SpinBox1->minimum(), SpinBox1->maximum())));
            SearchButtonClick();
            return true;
        }
        if (!isDefaultText_)
            ShowRange();
    }
    return QWidget::eventFilter(watched, event);
}

void TFindItemForm::SearchButtonClick()
{
    const int32_t number = SpinBox1->value();
    tCoinInfo *coin = FindItemNumber(s_, number);
    if (!coin || !coin->Folder) {
        StatusLabel->setText(NoSuchItemText(number));
        isDefaultText_ = false;
        return;
    }
    ShowCoinEntry(s_, coin, nav_);
}
