// The main window's connections to the subsystems below it: the start-up
// loaders, the state's events the core emits upward, the series selection's
// page steps, and the embedded Coins page. Seams a caller set
// before the window was built (tests record them) are left in place.
#include "browse/shell/ui/mainform.h"

#include <algorithm>

#include <QApplication>
#include <QBoxLayout>
#include <QColor>
#include <QComboBox>
#include <QListWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVariantAnimation>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>

#include "core/files/collectionfile.h"
#include "core/files/collectionsettings.h"
#include "core/model/currproc.h"
#include "core/catalogue/countries.h"
#include "core/program/log.h"
#include "core/catalogue/samplecatalogue.h"
#include "core/model/seriestree.h"
#include "core/program/settings.h"
#include "core/collection/udfhistory.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coineditorpanel.h"
#include "browse/coins/ui/coingrideditboxes.h"
#include "browse/coins/ui/coingridpage.h"
#include "core/collection/ui/populateform.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/seriestreeview.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/spotprices.h"
#include "pricing/valuation/valuation.h"
#include "pricing/pricelists/ui/pricegridview.h"

void TMainForm::InstallSubsystems()
{
    EmbedCoinsPage();
    EmbedStatsPage();
    InstallHousekeeping();
    EmbedPricingPage();
    EmbedImagesPage();
    InstallLayoutCommands();
    QObject::connect(State.Events.get(), &tStateEvents::CollectionReplaced, this, [this] { CloseCollectionWindows(); });

    InstallStartupLoaders();
    InstallPageSeams();
    InstallStateEvents();
    InstallSelectionSteps();
    EmbedUpperPages();
    InstallPriceTools();
    InstallSeriesPictures();
}

// The seams FormCreate calls to read the catalogue, settings and prices.
void TMainForm::InstallStartupLoaders()
{
    // ---- Start-up loaders ----
    SetIfUnset(Seams.LogModeKeysHeld, [] { return LogModeAtStart(); });
    SetIfUnset(Seams.LoadMetals, [this] { ::LoadMetals(State); });
    SetIfUnset(Seams.LoadFormState, [this] { ApplyFormState(); });
    SetIfUnset(Seams.LoadCountries, [this] {
        // A first start has no catalogue yet: the built-in sample gives a new
        // collection series to show. A folder that cannot be written is
        // reported, and start-up goes on with whatever the folders hold.
        try {
            const tCatalogueInstall copied = InstallSampleCatalogue(State);
            if (copied.StructureFiles || copied.PriceFiles)
                LogEntry(QStringLiteral("Sample catalogue installed"));
        } catch (const std::exception &e) {
            LogEntry(QStringLiteral("Sample catalogue: ") + QString::fromUtf8(e.what()));
        }
        ::LoadCountries(State);
    });
    // Without the program's own seam the currency table is built but the
    // spot prices are not fetched: the fetch reaches a server, which only
    // the running program does.
    SetIfUnset(Seams.LoadForexAndSpotPrices, [this] { LoadForexList(State); });
    SetIfUnset(Seams.LoadPriceDates, [this] { ::LoadPriceDates(State); });
    SetIfUnset(Seams.LoadDataFromFile,
               [this](const QString &fileName, bool merge) { return ::LoadDataFromFile(State, fileName, merge); });
    SetIfUnset(Seams.SquewSpotPrices, [this] { ::SquewSpotPrices(State); });
    SetIfUnset(Seams.DisplayMetalValues, [this] {
        const QFontMetricsF fm(MetalStrip->font());
        const tMetalStrip strip = ::DisplayMetalValues(State, [&fm](const QString &t) { return fm.horizontalAdvance(t); });
        QString html;
        for (const tMetalStripLabel &l : strip.Labels) {
            const QString text = l.Text.toHtmlEscaped();
            html += l.Color ? QStringLiteral("<span style=\"color:%1\">%2</span>").arg(QColor(l.Color).name(), text)
                            : text;
            html += QStringLiteral("&nbsp;&nbsp;");
        }
        MetalStrip->setText(html);
        MetalStrip->setVisible(strip.Visible);
    });
    SetIfUnset(Seams.UseTips, [this] { return State.UseTips; });
    SetIfUnset(Seams.ViewFlags, [this] {
        return std::array<bool, 4>{State.ViewHave, State.ViewNeed, State.ViewSell, State.ViewSold};
    });
}

// The seams that reach the Pricing and Coins pages.
void TMainForm::InstallPageSeams()
{
    // ---- Pricing ----
    SetIfUnset(Seams.ResortPrices, [this] { ::ResortPrices(State); });

    // ---- Coins page ----
    SetIfUnset(Seams.CoinGridRow, [this] { return State.CoinGridRow; });
    SetIfUnset(Seams.SelectCoin, [this](tCoinInfo *coin) { CoinGridPage->SelectCoin(coin); });
    SetIfUnset(Seams.SortFolderCoins, [this] { CoinGridPage->SortFolderCoins(); });
    SetIfUnset(Seams.UpdateSelectionSummary, [this] { CoinGridPage->UpdateSelectionSummary(); });
    SetIfUnset(Seams.BuildDateMintBoxList, [this](bool keepPos) { CoinEditor->BuildDateMintBoxList(keepPos); });
}

// The state's signals through which the core tells the window what changed.
void TMainForm::InstallStateEvents()
{
    // ---- State events ----
    // The commands to the price lists run under RunCommand: a failure goes
    // back to the sender, which rethrows it after the emit.
    tStateEvents *events = State.Events.get();
    QObject::connect(events, &tStateEvents::ResortPrices, this,
                     [this, events] { events->RunCommand([this] { ::ResortPrices(State); }); });
    QObject::connect(events, &tStateEvents::SavePricesToFile, this,
                     [this, events] { events->RunCommand([this] { ::SavePricesToFile(State); }); });
    QObject::connect(events, &tStateEvents::ReloadPriceLists, this,
                     [this, events] { events->RunCommand([this] { LoadPricesFromFile(State); }); });
    QObject::connect(events, &tStateEvents::ReloadCountryPrices, this, [this, events](int country) {
        events->RunCommand([this, country] {
            // The links to the old entries (coins' cached entries, the current
            // price list, report rows) are cleared by the removal itself; only
            // then are the entries freed and the fresh file read.
            RemovePriceEntries(State,
                               [country](const tPriceInfo &p) { return CoinTypeToCountry(p.CoinType) == country; });
            if (country >= 0 && country < CountryTableSize) {
                State.PricesModifiedArray[static_cast<size_t>(country)] = false;
                State.PricesConvertedArray[static_cast<size_t>(country)] = false;
            }
            LoadPricesFromFile(State);
        });
    });
    QObject::connect(events, &tStateEvents::CheckForNewTypes, this,
                     [this, events] { events->RunCommand([this] { ::CheckForNewTypes(State); }); });
    QObject::connect(State.Events.get(), &tStateEvents::SetStatusText, this,
                     [this](const QString &text) { StatusLabel->setText(text); });
    QObject::connect(State.Events.get(), &tStateEvents::ShowProgress, this, [this](bool visible) {
        StatusProgressBar->setVisible(visible);
        if (!visible)
            StatusProgressBar->reset();
    });
    QObject::connect(State.Events.get(), &tStateEvents::SetProgress, this, [this](int position, int maximum) {
        StatusProgressBar->setMaximum(std::max(maximum, 1));
        StatusProgressBar->setValue(std::clamp(position, 0, std::max(maximum, 1)));
        // Long work runs on the window thread: the bar is drawn now, not
        // when the event loop next runs.
        if (StatusProgressBar->isVisible())
            StatusProgressBar->repaint();
    });
    QObject::connect(State.Events.get(), &tStateEvents::ProcessEvents, this,
                     [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    QObject::connect(State.Events.get(), &tStateEvents::FormResize, this, [this] { FormResize(); });
    QObject::connect(State.Events.get(), &tStateEvents::ShowCoinsPage, this,
                     [this] { PageTabs->setCurrentIndex(PageCoins); });
    // A collection being read has no series selected yet: the pages of
    // entries come back with the first selection that has entries.
    QObject::connect(State.Events.get(), &tStateEvents::HideCoinPages, this, [this] {
        PageTabs->setTabVisible(PageCoins, false);
        PageTabs->setTabVisible(PageImages, false);
    });
    // New carries an incremental field on from the highest number in use;
    // each history drop-down offers the values typed before.
    QObject::connect(State.Events.get(), &tStateEvents::BuildUDFHistoryLists, this, [this] {
        for (const tUDFHistoryList &list : ::BuildUDFHistoryLists(State)) {
            auto *box = qobject_cast<QComboBox *>(State.UDFlist[static_cast<size_t>(list.Field)]->Control);
            if (!box)
                continue;  // the field has no control on the editor yet
            const QSignalBlocker block(box);
            const QString typed = box->currentText();
            box->clear();
            box->addItems(list.Values);
            box->setCurrentText(typed);
        }
    });
    // The list holds series of the tree about to be freed.
    QObject::connect(State.Events.get(), &tStateEvents::ClearClickTrackList, this,
                     [this] { State.ClickTrackList.clear(); });
    QObject::connect(State.Events.get(), &tStateEvents::PriceListsConverted, this, [this](const QString &status) {
        if (!status.isEmpty())
            StatusLabel->setText(status);
        const int active = State.ActiveForexIndex;
        if (active >= 0 && active < static_cast<int>(State.ForexList.size()))
            ForexLabel->setText(State.ForexList[static_cast<size_t>(active)]->Description);
        // The tree is not redrawn here: a conversion also runs while a
        // collection is being replaced, before the tree's rows are rebound.
        if (CurrentPageTag() == PagePricing)
            CallSeam(Seams.RenderPrices);
    });
}

// The steps a series selection asks of the pages.
void TMainForm::InstallSelectionSteps()
{
    // ---- Steps of a series selection ----
    tSelectionSeams &sel = SelectionSeams;
    SetIfUnset(sel.GradeTitle,
               [this](int kind, int scale, int slot) { return State.GradeTitles3D.Title(kind, scale, slot); });
    SetIfUnset(sel.SetSelectedLabelCaption, [this](const QString &name) { ShowSelectedCaption(name); });
    SetIfUnset(sel.LayoutMainForm, [this](bool paper) { LayoutMainForm(paper); });
    SetIfUnset(sel.SetTabs, [this](const tTabVisibility &tabs) {
        PageTabs->setTabVisible(PagePricing, tabs.Pricing);
        PageTabs->setTabVisible(PageCoins, tabs.Coins);
        PageTabs->setTabVisible(PageImages, tabs.Images);
        PageTabs->setTabVisible(PageGraphs, tabs.Graphs);
    });
    SetIfUnset(sel.SetCoinTexts, [this](const QString &coinsTab, const QString &commentLabel) {
        PageTabs->setTabText(PageCoins, coinsTab);
        CommentCaption->setText(commentLabel);
    });
    SetIfUnset(sel.FillGradeBox, [this] { CoinEditor->FillGradeBox(); });
    SetIfUnset(sel.PrepCoinsPage, [this] { CoinGridPage->PrepCoinsPage(); });
    SetIfUnset(sel.SetFavoriteBox, [this](bool favorite) {
        const QSignalBlocker block(FavoriteBox);
        FavoriteBox->setChecked(favorite);
    });
    SetIfUnset(sel.SetForexLabel, [this](const QString &text) { ForexLabel->setText(text); });

    // A series change commits the editor's pending value before the list is
    // rebuilt for the new series.
    QObject::connect(State.Events.get(), &tStateEvents::SeriesSelected, this, [this] {
        Q_EMIT State.Events->CommitPendingEdit();
        PriceGrid->CommitEditor();
        PriceGrid->SeriesSelected();
        SeriesSelected(State, &SeriesTree->Tree(), SelectionSeams);
    });
}

// The pages and commands of the libraries above this one, and the metal
// prices on the status line.
void TMainForm::EmbedUpperPages()
{
    // ---- Pages and windows above the main window ----
    if (Seams.EmbedReportsPage) {
        for (QWidget *w : TabReports->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            w->hide();
        Seams.EmbedReportsPage(TabReports);
    }
    if (Seams.EmbedEbooksPage)
        Seams.EmbedEbooksPage(TabEbooks);
    DownloadPriceLists1 = new QAction(QStringLiteral("Download price lists"), this);
    DownloadPriceLists1->setObjectName(QStringLiteral("DownloadPriceLists1"));
    ToolsMenu->insertAction(ToolsMenu->actions().value(0), DownloadPriceLists1);
    DownloadPriceLists1->setVisible(bool(Seams.OpenPriceUpdateForm));
    connect(DownloadPriceLists1, &QAction::triggered, this, [this] { CallSeam(Seams.OpenPriceUpdateForm); });

    MetalStrip = new QLabel(this);
    MetalStrip->setObjectName(QStringLiteral("MetalStrip"));
    MetalStrip->hide();
    if (QBoxLayout *line = qobject_cast<QBoxLayout *>(StatusLabel->parentWidget()->layout()))
        line->insertWidget(line->indexOf(StatusLabel) + 1, MetalStrip);
}

namespace {

// Replaces a stand-in of the layout by the control that does the work, so
// that each control name stands for one widget.
template <class T, class U>
void Replace(T *&standIn, U *real)
{
    delete standIn;
    standIn = real;
}

constexpr int SettingOpenWidth = 220;

} // namespace

// The Coins page brings its own grid, notice, totals and settings; the entry
// editor sits above the grid with its buttons under it. They take the place
// of the layout's stand-ins, which go for good: the window's control members
// name the working controls from here on.
void TMainForm::EmbedCoinsPage()
{
    // A new collection starts with these suggestions; so does the program.
    if (State.GradedByBoxItems.isEmpty() && State.StoredBoxItems.isEmpty()) {
        ClearGradedByBox(State);
        ClearStoredBox(State);
    }
    CoinGridPage = new TCoinGridPage(State, CoinGridPanel);
    auto *grid = qobject_cast<QGridLayout *>(CoinGridPanel->layout());
    grid->addWidget(CoinGridPage, 0, 0);
    QWidget *standInGrid = CoinGrid;
    CoinGrid = nullptr;
    delete standInGrid;
    Replace(WarningPanelCoins, CoinGridPage->WarningPanelCoins);
    Replace(SumPanel, CoinGridPage->SumPanel);

    // The settings slide out of the strip at the page's left.
    delete SettingScrollBox->takeWidget();
    QWidget *settings = CoinGridPage->SettingContent;
    settings->setMinimumWidth(0);
    settings->setMaximumWidth(QWIDGETSIZE_MAX);
    SettingScrollBox->setWidget(settings);
    ViewHaveCheckBox = CoinGridPage->ViewHaveCheckBox;
    ViewNeedCheckBox = CoinGridPage->ViewNeedCheckBox;
    ViewSellCheckBox = CoinGridPage->ViewSellCheckBox;
    ViewSoldCheckBox = CoinGridPage->ViewSoldCheckBox;
    GradedByMemo = CoinGridPage->GradedByMemo;
    StoredInMemo = CoinGridPage->StoredInMemo;

    CoinEditor = new TCoinEditorPanel(State);
    CoinGridPage->SetEditor(CoinEditor, CoinEditor->CoinButtons());
    QWidget *standInEditor = CoinScrollBox;
    CoinScrollBox = CoinEditor->CoinScrollBox;
    delete standInEditor;  // with its boxes, which the lines below replace
    DateMintBox = CoinEditor->DateMintBox;
    GradeBox = CoinEditor->GradeBox;
    GMbox = CoinEditor->GMbox;
    BuyDateBox = CoinEditor->BuyDateBox;
    SellDateBox = CoinEditor->SellDateBox;
    BuyDateButton = CoinEditor->BuyDateButton;
    SellDateButton = CoinEditor->SellDateButton;
    CommentCaption = CoinEditor->CommentCaption;
    CommentEdit = CoinEditor->CommentEdit;
    NotesMemo = CoinEditor->NotesMemo;
    NoteMaxedBtn = CoinEditor->NoteMaxedBtn;
    UserFieldsPanel = CoinEditor->UserFieldsPanel;

    CoinGridPage->CoinsPagePrepared = [this](bool filled) {
        // The Images and Graphs pages show the entries of a series that has some.
        PageTabs->setTabVisible(PageImages, filled);
        PageTabs->setTabVisible(PageGraphs, filled);
        CoinEditor->UpdateButtons();
    };
    CoinGridPage->PickListsChanged = [this] { CoinEditor->FillPickLists(); };
    connect(CoinEditor, &TCoinEditorPanel::NoteMaxedChanged, this, [this](bool maxed) { NoteMaxed = maxed; });
    SetIfUnset(Seams.NoteMaxedBtnClick, [this](QObject *sender) {
        CoinEditor->NoteMaxed = NoteMaxed;
        CoinEditor->NoteMaxedBtnClick(sender);
    });
    SetIfUnset(Seams.SettingSlideLabelClick, [this](QObject *sender) { SlideSettings(sender); });
    SetIfUnset(SelectionSeams.CoinGridToFirstRow, [this] { CoinGridPage->ToFirstRow(); });
    SetIfUnset(Seams.SetCoinGridRow, [this](int row) {
        State.CoinGridRow = row;
        CoinGridPage->RefreshCoinGrid();
    });
    // A double-click on a series opens its entries.
    SeriesTree->CoinsTabVisible = [this] { return PageTabs->isEnabled() && PageTabs->isTabVisible(PageCoins); };
    SeriesTree->ShowCoinsTab = [this] { PageTabs->setCurrentIndex(PageCoins); };

    // The writer reads ColumnLayout right after asking: connected directly.
    QObject::connect(
        State.Events.get(), &tStateEvents::ColumnLayoutWanted, this,
        [this] { State.ColumnLayout = CoinGridPage->PackColumnData(); }, Qt::DirectConnection);
    QObject::connect(State.Events.get(), &tStateEvents::UnpackColumnData, this,
                     [this](const QString &text) { CoinGridPage->UnpackColumnData(text); });
    QObject::connect(State.Events.get(), &tStateEvents::ResetCoinGridColumnWidths, this,
                     [this] { CoinGridPage->ResetCoinGridColumnWidths(); });
    QObject::connect(State.Events.get(), &tStateEvents::SetupCoinGridCols, this,
                     [this] { CoinGridPage->SetupCoinGridCols(); });
    QObject::connect(State.Events.get(), &tStateEvents::PrepCoinsPage, this, [this] { CoinGridPage->PrepCoinsPage(); });
    QObject::connect(State.Events.get(), &tStateEvents::SortFolderCoins, this,
                     [this] { CoinGridPage->SortFolderCoins(); });
    QObject::connect(State.Events.get(), &tStateEvents::SelectCoin, this,
                     [this](const tCoinInfo *coin) { CoinGridPage->SelectCoin(const_cast<tCoinInfo *>(coin)); });
    QObject::connect(State.Events.get(), &tStateEvents::UpdateSelectionSummary, this,
                     [this] { CoinGridPage->UpdateSelectionSummary(); });
    // The window's housekeeping tick counts the page's sort refinement down.
    CoinGridPage->RefineTimer->stop();
    InstallCoinEditor();
}

// The settings strip of the Coins page: a click opens or closes the panel;
// a page change (sender PageTabs) closes it at once.
void TMainForm::SlideSettings(QObject *sender)
{
    CurrProcGuard guard(28600);
    const bool atOnce = sender == PageTabs;
    SettingOut = !atOnce && !SettingOut;
    int target = SettingSlideLabelPanel->width();
    if (SettingOut) {
        SettingSlideLabel->setText(SettingsOpenCaption);
        CoinGridPage->FillListMemos();
        target = SettingOpenWidth;
    } else {
        SettingSlideLabel->setText(SettingsClosedCaption);
    }
    auto *slide = SettingPanel->findChild<QVariantAnimation *>(QStringLiteral("SettingAnimation"));
    if (!slide) {
        slide = new QVariantAnimation(SettingPanel);
        slide->setObjectName(QStringLiteral("SettingAnimation"));
        slide->setDuration(200);
        slide->setEasingCurve(QEasingCurve::InOutQuad);
        connect(slide, &QVariantAnimation::valueChanged, SettingPanel,
                [this](const QVariant &width) { SettingPanel->setFixedWidth(width.toInt()); });
    }
    slide->stop();
    if (atOnce) {
        SettingPanel->setFixedWidth(target);
        return;
    }
    slide->setStartValue(SettingPanel->width());
    slide->setEndValue(target);
    slide->start();
}

// Reads the start-up settings and places the window where it was left.
void TMainForm::ApplyFormState()
{
    QSize screen(1280, 800);
    if (const QScreen *s = QGuiApplication::primaryScreen())
        screen = s->availableGeometry().size();
    LoadFormState(State, screen);
    const tWindowPlacement &p = State.MainWindowPlacement;
    if (p.Width > 0 && p.Height > 0)
        setGeometry(p.Left, p.Top, p.Width, p.Height);
    if (p.Maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
    ApplyMenuSettings();
}

bool TMainForm::SaveFormState()
{
    tClosingWindow closing;
    const QRect g = geometry();
    closing.Window = {g.x(), g.y(), g.width(), g.height(), isMaximized()};
    // The report list belongs to the Reports page, which a window built
    // without its pages does not have.
    if (QListWidgetItem *item = ReportListBox ? ReportListBox->currentItem() : nullptr)
        closing.SelectedReport = item->text();
    return WriteFormState(State, closing);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    Q_EMIT State.Events->CommitPendingEdit();
    if (!closeUnasked_ && Seams.CanClose && !Seams.CanClose()) {
        event->ignore();
        return;
    }
    SaveFormState();
    QMainWindow::closeEvent(event);
}

void TMainForm::EmbedPricingPage()
{
    PriceGrid = new TPriceGridView(State, PriceGridPanel);
    // Saves, collection changes and the closing questions commit what is
    // being typed in the grid as well as in the coin editor.
    // The coin editor's receiver was connected before this one, so the
    // editor commits first.
    QObject::connect(State.Events.get(), &tStateEvents::CommitPendingEdit, PriceGrid,
                     [grid = PriceGrid] { grid->CommitEditor(); });
    PriceGridPanel->layout()->addWidget(PriceGrid);
    PriceGrid->SetWidthBox(PriceColWidthBox);
    auto button = [this](const char *name) { return findChild<QPushButton *>(QString::fromLatin1(name)); };
    QPushButton *add = button("AddPriceBtn");
    QPushButton *clone = button("ClonePriceBtn");
    QPushButton *del = button("DeletePriceBtn");
    QPushButton *populate = button("PopulateBtn");
    QPushButton *undo = button("UndoPriceBtn");
    const std::pair<QPushButton *, const char *> hints[] = {
        {add, "Click to add a new column to this price list"},
        {clone, "Click to make a copy of the currently selected price column"},
        {del, "Click to make delete the currently selected price column"},
        {populate, "Click to auto-create coin entries for each year-mint-variety on this price list"},
        {undo, "Click to undo the most recent change to the price list."}};
    for (const auto &[b, hint] : hints) {
        // The long form of a hint: on the status line while the pointer is
        // over the button, and as its tip.
        b->setToolTip(QString::fromLatin1(hint));
        b->setStatusTip(QString::fromLatin1(hint));
        b->setFocusPolicy(Qt::NoFocus);
    }
    add->setText(QStringLiteral("&Add"));
    clone->setText(QStringLiteral("&Clone"));

    TPriceGridView::tHooks &g = PriceGrid->Hooks;
    g.HotPrice = [this] { return HotPrice; };
    g.ShowStatus = [this](const QString &text) { StatusLabel->setText(text); };
    g.EnableButtons = [=](bool canUndo, bool haveEntries, bool entrySelected) {
        undo->setEnabled(canUndo);
        populate->setEnabled(haveEntries);
        clone->setEnabled(haveEntries && entrySelected);
        del->setEnabled(haveEntries && entrySelected);
    };
    g.ShowEmpty = [this](bool empty) { WarningLabelPrices->setVisible(empty); };
    g.ShowCoinsTab = [this](bool haveEntries) {
        PageTabs->setTabVisible(PageCoins, haveEntries);
        CallSeam(Seams.ShowUserSeriesHint);
    };
    g.RevealSeries = [this](int coinType) {
        if (tnodeinfo *node = CoinTypeToNodeInfo(State, coinType))
            CallSeam(Seams.MakeTreeNodeVisible, node);
    };
    g.ListChanged = [this] {
        CalcNodeDates(State);
        CallSeam(Seams.RenderTree);
    };

    connect(add, &QPushButton::clicked, PriceGrid, [this] { PriceGrid->AddPrice(false); });
    connect(clone, &QPushButton::clicked, PriceGrid, [this] { PriceGrid->AddPrice(true); });
    connect(del, &QPushButton::clicked, PriceGrid, [this] { PriceGrid->DeletePrice(); });
    connect(undo, &QPushButton::clicked, PriceGrid, [this] { PriceGrid->UndoPrice(); });
    connect(populate, &QPushButton::clicked, this, [this] {
        if (TPopulateForm::InUse())
            return;   // the open window stays where the collector put it
        TPopulateForm *form = TPopulateForm::Open(State, this);
        if (!form)
            return;
        form->move(x() + (width() - form->width()) / 2, y() + (height() - form->height()) / 2);
        form->show();
        form->raise();
    });
    connect(findChild<QAction *>(QStringLiteral("CopyPrices1")), &QAction::triggered, PriceGrid,
            [this] { PriceGrid->CopyPrices(); });
    connect(findChild<QAction *>(QStringLiteral("PastePrices1")), &QAction::triggered, PriceGrid,
            [this] { PriceGrid->PastePrices(CurrentPageTag() == PagePricing); });

    SetIfUnset(Seams.SetupPricelistColumns, [this](int scrollTo) { PriceGrid->SetupPricelistColumns(scrollTo); });
    SetIfUnset(Seams.RenderPrices, [this] { PriceGrid->RenderPrices(); });
    SetIfUnset(SelectionSeams.SetWarningLabelPrices, [this](const QString &text) { WarningLabelPrices->setText(text); });
    SetIfUnset(SelectionSeams.FillMintEdit, [this](const QStringList &items) { PriceGrid->FillMintEdit(items); });
    SetIfUnset(SelectionSeams.FillGMEdit, [this](const QStringList &items) { PriceGrid->FillGMEdit(items); });
}
