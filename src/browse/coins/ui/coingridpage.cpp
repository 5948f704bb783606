#include "browse/coins/ui/coingridpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/model/currproc.h"
#include "browse/shell/largefonts.h"
#include "browse/coins/coingridboxes.h"
#include "browse/coins/coingridheader.h"
#include "browse/tree/treeview.h"
#include "browse/coins/ui/coingrideditboxes.h"
#include "browse/coins/ui/coingridview.h"
#include "browse/tree/ui/treeimages.h"

namespace {

constexpr int SettingWidth = 220;

QLabel *NamedLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TCoinGridPage::TCoinGridPage(tMainState &state, QWidget *parent) : QWidget(parent), state_(state)
{
    setObjectName(QStringLiteral("CoinGridPage"));
    columns_.Setup(static_cast<int>(state_.UDFlist.size()));
    Build();
    ConnectGrid();
    QObject::connect(state_.Events.get(), &tStateEvents::RefreshCoinGrid, this, [this] { RefreshCoinGrid(); });

    RefineTimer = new QTimer(this);
    RefineTimer->setObjectName(QStringLiteral("RefineTimer"));
    RefineTimer->setInterval(1000);
    connect(RefineTimer, &QTimer::timeout, this, &TCoinGridPage::HousekeepingTick);
    RefineTimer->start();
}

// The connection goes with the page (its context object).
TCoinGridPage::~TCoinGridPage() = default;

// ---- Building ----

void TCoinGridPage::Build()
{
    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    BuildSettingContent();
    root->addWidget(SettingContent);

    centre_ = new QVBoxLayout;
    centre_->setContentsMargins(4, 4, 4, 4);
    centre_->setSpacing(4);
    View2Label = NamedLabel("View2Label", QString(), this);
    View2Label->hide();
    centre_->addWidget(View2Label);

    CoinGrid = new TCoinGridView(this);
    CoinGrid->setObjectName(QStringLiteral("CoinGrid"));
    model_ = new TCoinGridModel(state_, columns_, this);
    header_ = new TCoinGridHeader(state_, CoinGrid);
    delegate_ = new TCoinGridDelegate(state_, this);
    CoinGrid->setHorizontalHeader(header_);
    CoinGrid->setModel(model_);
    CoinGrid->setItemDelegate(delegate_);
    centre_->addWidget(CoinGrid, 1);

    WarningPanelCoins = new QWidget(this);
    WarningPanelCoins->setObjectName(QStringLiteral("WarningPanelCoins"));
    auto *wl = new QVBoxLayout(WarningPanelCoins);
    WarningLabelCoins = NamedLabel("WarningLabelCoins", QString(), WarningPanelCoins);
    WarningLabelCoins->setAlignment(Qt::AlignCenter);
    WarningLabelCoins->setWordWrap(true);
    WarningLabelCoins->setTextFormat(Qt::PlainText);
    QFont f = WarningLabelCoins->font();
    f.setPixelSize(18);
    WarningLabelCoins->setFont(f);
    wl->addWidget(WarningLabelCoins);
    WarningPanelCoins->hide();
    centre_->addWidget(WarningPanelCoins, 1);

    bottom_ = new QHBoxLayout;
    bottom_->addStretch(1);
    BuildSumPanel();
    bottom_->addWidget(SumPanel);
    ThumbnailPanel = new QWidget(this);
    ThumbnailPanel->setObjectName(QStringLiteral("ThumbnailPanel"));
    ThumbnailPanel->setFixedSize(0, 0);
    bottom_->addWidget(ThumbnailPanel);
    centre_->addLayout(bottom_);
    root->addLayout(centre_, 1);
    ApplyColumnsToHeader();
}

void TCoinGridPage::SetEditor(QWidget *editor, QWidget *buttons)
{
    centre_->insertWidget(0, editor);
    bottom_->insertWidget(0, buttons);
}

void TCoinGridPage::BuildSettingContent()
{
    SettingContent = new QWidget(this);
    SettingContent->setObjectName(QStringLiteral("SettingContent"));
    SettingContent->setFixedWidth(SettingWidth);
    auto *l = new QVBoxLayout(SettingContent);
    const struct {
        QCheckBox **box;
        const char *name;
        const char *caption;
        bool on;
    } views[] = {
        {&ViewHaveCheckBox, "ViewHaveCheckBox", "View \"Have\" entries", state_.ViewHave},
        {&ViewNeedCheckBox, "ViewNeedCheckBox", "View \"Need\" entries", state_.ViewNeed},
        {&ViewSellCheckBox, "ViewSellCheckBox", "View \"Sell\" entries", state_.ViewSell},
        {&ViewSoldCheckBox, "ViewSoldCheckBox", "View \"Sold\" entries", state_.ViewSold},
    };
    int tag = 0;
    for (const auto &v : views) {
        auto *box = new QCheckBox(QLatin1String(v.caption), SettingContent);
        box->setObjectName(QLatin1String(v.name));
        box->setProperty("Tag", tag++);
        box->setChecked(v.on);
        connect(box, &QCheckBox::toggled, this, [this, box] { ViewHaveCheckBoxChange(box); });
        *v.box = box;
        l->addWidget(box);
    }
    l->addWidget(new QLabel(QStringLiteral("\"Graded by\" values"), SettingContent));
    GradedByMemo = new TListMemo(GradedByMemoLength, SettingContent);
    GradedByMemo->setObjectName(QStringLiteral("GradedByMemo"));
    l->addWidget(GradedByMemo);
    l->addWidget(new QLabel(QStringLiteral("\"Stored in\" values"), SettingContent));
    StoredInMemo = new TListMemo(StoredInMemoLength, SettingContent);
    StoredInMemo->setObjectName(QStringLiteral("StoredInMemo"));
    l->addWidget(StoredInMemo);
    ResetColumnsButton = new QPushButton(QStringLiteral("Reset table columns"), SettingContent);
    ResetColumnsButton->setObjectName(QStringLiteral("ResetColumnsButton"));
    connect(ResetColumnsButton, &QPushButton::clicked, this, &TCoinGridPage::ResetColumnsButtonBtnClick);
    l->addWidget(ResetColumnsButton);
    l->addStretch(1);
    connect(GradedByMemo, &TListMemo::Left, this,
            [this] { TakeListMemo(GradedByMemo, state_.GradedByBoxItems); });
    connect(StoredInMemo, &TListMemo::Left, this, [this] { TakeListMemo(StoredInMemo, state_.StoredBoxItems); });
    FillListMemos();
}

void TCoinGridPage::BuildSumPanel()
{
    SumPanel = new QWidget(this);
    SumPanel->setObjectName(QStringLiteral("SumPanel"));
    auto *l = new QHBoxLayout(SumPanel);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(14);
    for (auto [label, name] : {std::pair{&SelectedSumLabel, "Label78"}, {&HaveSumLabel, "Label81"}, {&NeedSumLabel, "Label82"},
                               {&SellSumLabel, "Label83"}, {&SoldSumLabel, "Label84"}, {&PriceSumLabel, "Label79"},
                               {&ValueSumLabel, "Label80"}, {&MetalNameLabel, "Label85"}, {&MetalAmountLabel, "Label93"}}) {
        *label = NamedLabel(name, QString(), SumPanel);
        l->addWidget(*label);
    }
    SumPanel->hide();
}

void TCoinGridPage::ConnectGrid()
{
    connect(CoinGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!syncing_)
                    RowChanged(current.row());
            });
    connect(CoinGrid, &TCoinGridView::RowClicked, this, &TCoinGridPage::RowClicked);
    connect(header_, &QHeaderView::sectionClicked, this, &TCoinGridPage::HeaderClicked);
    connect(header_, &QHeaderView::sectionMoved, this, &TCoinGridPage::ColumnMoved);
    connect(header_, &QHeaderView::sectionResized, this, &TCoinGridPage::ColumnResized);
}

// ---- The list ----

void TCoinGridPage::PrepCoinsPage()
{
    CurrProcGuard guard(8300);
    // The view flags may have been switched on elsewhere (by an edit or a
    // new entry); the boxes show them as they are now.
    for (auto [box, on] : {std::pair{ViewHaveCheckBox, state_.ViewHave}, {ViewNeedCheckBox, state_.ViewNeed},
                           {ViewSellCheckBox, state_.ViewSell}, {ViewSoldCheckBox, state_.ViewSold}}) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }
    ApplyViewFilter(nullptr);
    const bool filled = !state_.CurrCoinList.empty();
    // The text breaks its lines with carriage returns, which a label shows
    // as nothing.
    WarningLabelCoins->setText(WarningPanelCoinsText(state_).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    CoinGrid->setVisible(filled);
    WarningPanelCoins->setVisible(!filled);
    if (filled) {
        ShowCurrentRow(true);
        CoinGrid->raise();
    } else {
        // No entry is current: the editor rests, showing none.
        Q_EMIT state_.Events->FillCoinEditor();
    }
    if (CoinsPagePrepared)
        CoinsPagePrepared(filled);
    UpdateSelectionSummary();
}

void TCoinGridPage::ToFirstRow()
{
    if (state_.CurrCoinList.empty() || state_.CoinGridRow == 0)
        return;
    RowChanged(0);
    ShowCurrentRow(true);
}

void TCoinGridPage::ApplyViewFilter(tCoinInfo *ForceCoin)
{
    const int row = state_.CoinGridRow;
    const tCoinInfo *before =
        row >= 0 && row < static_cast<int>(state_.CurrCoinList.size()) ? state_.CurrCoinList[row] : nullptr;
    ShowHidden(::ApplyViewFilter(state_, ForceCoin));
    model_->Reload();
    ApplyColumnsToHeader();
    // "Mint" reads "Bank" for paper money: the series may have changed.
    header_->viewport()->update();
    ShowCurrentRow(false);
    // The same row may now hold another entry: the editor follows it.
    const int now = state_.CoinGridRow;
    if (now >= 0 && state_.CurrCoinList[now] != before)
        RowChanged(now);
}

void TCoinGridPage::SortFolderCoins()
{
    const int row = state_.CoinGridRow;
    tCoinInfo *current =
        row >= 0 && row < static_cast<int>(state_.CurrCoinList.size()) ? state_.CurrCoinList[row] : nullptr;
    ::SortFolderCoins(state_);
    ::SelectCoin(state_, current);
    model_->Repaint();
    ShowCurrentRow(false);
}

void TCoinGridPage::SelectCoin(tCoinInfo *coin)
{
    if (::SelectCoin(state_, coin) < 0)
        return;
    ShowCurrentRow(true);
    RowChanged(state_.CoinGridRow);
}

void TCoinGridPage::RefreshCoinGrid()
{
    // The view's headers still count the rows and columns it was last told of.
    if (CoinGrid->verticalHeader()->count() != model_->rowCount() ||
        header_->count() != model_->columnCount()) {
        model_->Reload();
        ApplyColumnsToHeader();
    } else {
        model_->Repaint();
    }
    header_->viewport()->update();
    ShowCurrentRow(false);
}

void TCoinGridPage::ShowHidden(int hidden)
{
    const QString text = HiddenItemsText(hidden);
    View2Label->setText(text);
    View2Label->setVisible(!text.isEmpty());
}

void TCoinGridPage::ShowCurrentRow(bool scroll)
{
    const QScopedValueRollback<bool> sync(syncing_, true);
    const int row = state_.CoinGridRow;
    if (row >= 0 && row < model_->rowCount()) {
        if (scroll)
            CoinGrid->verticalScrollBar()->setValue(SelectCoinTopRow(row, CoinGrid->VisibleRows()));
        const int column = std::max(0, CoinGrid->currentIndex().column());
        const QModelIndex index = model_->index(row, column);
        // The columns stay where the user scrolled them: only the row is
        // brought into view.
        QScrollBar *across = CoinGrid->horizontalScrollBar();
        const int x = across->value();
        CoinGrid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        CoinGrid->scrollTo(index, QAbstractItemView::EnsureVisible);
        across->setValue(x);
    } else {
        CoinGrid->selectionModel()->clear();
    }
    CoinGrid->viewport()->update();
}

// ---- Rows and clicks ----

void TCoinGridPage::RowChanged(int row)
{
    if (!CoinGridSelectCell(state_, row))
        return;
    UpdateSelectionSummary();
    CoinGrid->viewport()->update();
    if (RowShown)
        RowShown(row);
}

void TCoinGridPage::RowClicked(int row, Qt::KeyboardModifiers modifiers)
{
    CoinGridCellClick(state_, row, modifiers & Qt::ControlModifier, modifiers & Qt::ShiftModifier);
    CoinGrid->viewport()->update();
    UpdateSelectionSummary();
}

void TCoinGridPage::HeaderClicked(int logicalIndex)
{
    if (state_.CurrCoinList.empty())
        return;
    const QModelIndex cur = CoinGrid->currentIndex();
    if (cur.isValid()) {
        const QScopedValueRollback<bool> sync(syncing_, true);
        CoinGrid->selectionModel()->setCurrentIndex(model_->index(cur.row(), logicalIndex),
                                                    QItemSelectionModel::NoUpdate);
    }
    if (CoinGridHeaderClick(state_, logicalIndex))
        model_->Repaint();
    header_->viewport()->update();
    // The entry that was current stays current; the editor already shows it.
    ShowCurrentRow(true);
}

void TCoinGridPage::UpdateSelectionSummary()
{
    const tSelectionSummary sum = ::UpdateSelectionSummary(state_);
    SumPanel->setVisible(sum.Visible);
    ThumbnailPanel->setVisible(!sum.Visible);
    if (!sum.Visible)
        return;
    SelectedSumLabel->setText(sum.Selected);
    PriceSumLabel->setText(sum.Price);
    ValueSumLabel->setText(sum.Value);
    HaveSumLabel->setText(sum.Have);
    NeedSumLabel->setText(sum.Need);
    SellSumLabel->setText(sum.Sell);
    SoldSumLabel->setText(sum.Sold);
    MetalNameLabel->setText(sum.MetalName);
    MetalAmountLabel->setText(sum.MetalAmount);
    MetalNameLabel->setVisible(sum.MetalVisible);
    MetalAmountLabel->setVisible(sum.MetalVisible);
}

void TCoinGridPage::HousekeepingTick()
{
    CoinSortTick(state_);
}

// ---- Columns ----

void TCoinGridPage::ApplyColumnsToHeader()
{
    // The page's own moves are no user's moves: they mark nothing modified,
    // also when one of them fails half-way.
    const QScopedValueRollback<bool> sync(syncing_, true);
    for (int p = 0; p < columns_.Count(); ++p) {
        const tGridColumn &c = columns_.Columns[p];
        if (c.OriginalIndex >= header_->count())
            continue;
        const int visual = header_->visualIndex(c.OriginalIndex);
        if (visual != p)
            header_->moveSection(visual, p);
        header_->resizeSection(c.OriginalIndex, static_cast<int>(c.Width));
    }
}

void TCoinGridPage::ColumnMoved(int, int oldVisual, int newVisual)
{
    if (syncing_)
        return;
    columns_.Move(oldVisual, newVisual);
    // The column order is part of the collection.
    state_.DataModified = true;
    Q_EMIT state_.Events->SetMainCaption();
}

void TCoinGridPage::ColumnResized(int logicalIndex, int, int newSize)
{
    if (syncing_)
        return;
    const int p = columns_.PositionOf(logicalIndex);
    if (p >= 0)
        columns_.Columns[p].Width = newSize;
}

void TCoinGridPage::SetupCoinGridCols()
{
    columns_.Setup(static_cast<int>(state_.UDFlist.size()));
    model_->Reload();
    ApplyColumnsToHeader();
    ShowCurrentRow(false);
}

QString TCoinGridPage::PackColumnData() const
{
    return columns_.Pack();
}

void TCoinGridPage::UnpackColumnData(const QString &Instr)
{
    columns_.Unpack(Instr);
    ApplyColumnsToHeader();
}

void TCoinGridPage::ResetCoinGridColumnWidths()
{
    columns_.ResetOldFileWidths();
    ApplyColumnsToHeader();
}

void TCoinGridPage::ResetColumnsButtonBtnClick()
{
    std::vector<int> before;
    for (const tGridColumn &c : columns_.Columns)
        before.push_back(c.OriginalIndex);
    columns_.Reset();
    ApplyColumnsToHeader();
    // Putting moved columns back is a move like any other: the collection
    // keeps its layout.
    for (int p = 0; p < columns_.Count(); ++p) {
        if (before[p] != columns_.Columns[p].OriginalIndex) {
            state_.DataModified = true;
            Q_EMIT state_.Events->SetMainCaption();
            break;
        }
    }
}

void TCoinGridPage::SetLargeFonts(bool large)
{
    const tLargeFontSizes z = LargeFontSizes(large);
    delegate_->FontSize = z.GridFont;
    delegate_->Bold = z.GridBold;
    CoinGrid->verticalHeader()->setDefaultSectionSize(z.GridRowHeight);
    header_->FontSize = large ? LargeHeaderFontSize : HeaderFontSize;
    header_->updateGeometry();
    header_->viewport()->update();
    CoinGrid->viewport()->update();
}

// ---- The suggestion lists ----

void TCoinGridPage::FillListMemos()
{
    GradedByMemo->SetItems(state_.GradedByBoxItems);
    StoredInMemo->SetItems(state_.StoredBoxItems);
}

void TCoinGridPage::TakeListMemo(TListMemo *memo, QStringList &items)
{
    const QStringList lines = memo->Items();
    if (lines == items)
        return;
    items = lines;
    // The lists are part of the collection file.
    state_.DataModified = true;
    Q_EMIT state_.Events->SetMainCaption();
    if (PickListsChanged)
        PickListsChanged();
}

void TCoinGridPage::ViewHaveCheckBoxChange(QCheckBox *sender)
{
    CurrProcGuard guard(29600);
    bool *flags[] = {&state_.ViewHave, &state_.ViewNeed, &state_.ViewSell, &state_.ViewSold};
    const int tag = sender->property("Tag").toInt();
    if (tag < 0 || tag > 3)
        return;
    *flags[tag] = sender->isChecked();
    PrepCoinsPage();
}
