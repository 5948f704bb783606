#include "app/programwindow.h"

#include <QAction>
#include <QDate>
#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>
#include <QToolButton>

#include "app/programslots.h"
#include "app/updatewindows.h"
#include "core/collection/collectionlifecycle.h"
#include "core/program/log.h"
#include "core/program/epicmessage.h"
#include "core/program/settings.h"
#include "core/collection/ui/filetoopenform.h"
#include "core/collection/ui/importform.h"
#include "browse/seriespictures/seriespictures.h"
#include "browse/shell/pageswitch.h"
#include "browse/tree/treeview.h"
#include "browse/tree/ui/treeimages.h"
#include "browse/shell/ui/waitingcommands.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/spotprices.h"
#include "browse/finders/tracking.h"
#include "browse/finders/ui/findercommands.h"
#include "core/model/currproc.h"
#include "reports/bin/reportbin.h"
#include "reports/bin/ui/reportbinpane.h"
#include "reports/charts/ui/chartspage.h"
#include "reports/datasets/reportdata.h"
#include "reports/ebooks/ui/ebookspage.h"
#include "reports/editor/ui/reporteditorform.h"
#include "reports/filters/ui/dataform.h"
#include "reports/run/ui/reportpreview.h"
#include "reports/run/ui/reportspage.h"
#include "updates/pricelists/ui/priceupdateform.h"
#include "tools/charters/ui/nbnform.h"
#include "tools/common/ui/toolwindow.h"
#include "tools/digitdates/ui/digitdateform.h"
#include "tools/ethiopian/ui/ethiopianform.h"
#include "tools/hebrew/ui/hebrewform.h"
#include "tools/japanese/ui/japaneseform.h"
#include "tools/taiwan/ui/chinaform.h"
#include "tools/polygon/ui/polygonform.h"
#include "tools/romannumerals/ui/romanform.h"
#include "tools/serials/ui/snform.h"
#include "tools/seriesdates/seriesdates.h"

namespace {

constexpr const char *WaitingStandInsProperty = "orvantaWaitingStandIns";

// The report bin: its count and picture on the Coins page, the picture
// that puts the selected entries in or out, the tracking command, and the
// bin pane's way back to an entry.
void WireReportBin(TMainForm &form, TReportsPage *page)
{
    tMainState &s = form.State;
    QObject::connect(s.Events.get(), &tStateEvents::ShowBinCount, page, [page] { page->ShowBinCount(); });
    form.Seams.ShowBinCount = [page] { page->ShowBinCount(); };
    QObject::connect(page, &TReportsPage::BinCountChanged, &form, &TMainForm::ShowBinPicture);
    QObject::connect(form.BinImage, &QToolButton::clicked, page, [&form, page] {
        CurrProcGuard guard(15900);
        Q_EMIT form.State.Events->CommitPendingEdit();
        if (ToggleBinOfCurrentCoins(form.State) > 0)
            Q_EMIT form.State.Events->RefreshCoinGrid();
        page->ShowBinCount();
    });
    if (auto *place = form.findChild<QAction *>(QStringLiteral("Placetrackedcoinsinreportbin1")))
        QObject::connect(place, &QAction::triggered, page, [&form, page] {
            CurrProcGuard guard(23000);
            if (PlaceTrackedCoinsInBin(form.State, form.State.SelectedTreeNode) > 0)
                Q_EMIT form.State.Events->RefreshCoinGrid();
            page->ShowBinCount();
        });
    page->BinPane->SeriesPicturePath = page->Environment().SeriesPicturePath;
    page->BinPane->GoToCoin = [&form](tCoinInfo *coin) {
        if (form.Finders)
            ShowCoinEntry(form.State, coin, form.Finders->Navigation());
    };
}

// Tools > Report Editing: the filters window (one at a time, over the main
// window) and the report editor; both leave the report list reloaded.
void WireReportEditing(TMainForm &form, TReportsPage *page)
{
    struct tEditingWindows : QObject {
        using QObject::QObject;
        QPointer<TDataForm> Filters;
        QStringList CoinFields = CoinFieldNames();
    };
    auto *open = new tEditingWindows(page);
    if (auto *filters = form.findChild<QAction *>(QStringLiteral("ReportData1")))
        QObject::connect(filters, &QAction::triggered, page, [&form, page, open] {
            CurrProcGuard guard(17100);
            page->LoadReportList();
            if (open->Filters) {
                OpenToolWindow<TDataForm>(open->Filters, &form, tToolPlacement::OverMain, {});
                return;
            }
            const tParamInfo *selected = page->List.SelectedParams();
            auto *window = new TDataForm(form.State.ReportsRedirect, selected ? selected->StreamName : QString(),
                                         form.State.StoredBoxItems, &form);
            window->setWindowFlags(ToolWindowFlags());
            if (!window->HasItems()) {
                // Nothing to edit: the window closes as it opens.
                window->deleteLater();
                return;
            }
            window->ReportsSaved = [page] {
                page->LoadReportList();
                page->ShowReportDescription(page->ReportListBox->currentRow());
            };
            open->Filters = window;
            OpenToolWindow<TDataForm>(open->Filters, &form, tToolPlacement::OverMain, {});
        });
    if (auto *editor = form.findChild<QAction *>(QStringLiteral("ReportEditor1")))
        QObject::connect(editor, &QAction::triggered, page, [&form, page, open] {
            CurrProcGuard guard(19500);
            open->CoinFields = SyncReportUDFFields(open->CoinFields, form.DataSetCoinsFieldCount, form.State.UDFlist);
            auto *window = new TReportEditorForm(form.State.ReportsRedirect, open->CoinFields, &form);
            window->setAttribute(Qt::WA_DeleteOnClose);
            // Templates may have changed while it was open.
            QObject::connect(window, &QDialog::finished, page, [page] { page->LoadReportList(); });
            window->open();
        });
}

// The Reports page lives in a library above the main window's, so the
// program builds it into the window's Reports tab and links its services.
void EmbedReportsPage(QWidget *tab)
{
    TMainForm &form = *MainForm;
    auto *page = new TReportsPage(form.State, tab);
    tab->layout()->addWidget(page);
    // The window's own report controls are the page's from now on: the
    // report selected at close is the page's.
    form.ReportListBox = page->ReportListBox;
    form.ReportTabControl = page->ReportTabControl;
    form.DescriptionTab = page->DescriptionTab;
    form.PreviewTab = page->PreviewTab;
    QObject::connect(page, &TReportsPage::StatusChanged, form.StatusLabel, &QLabel::setText);

    tReportEnvironment &env = page->Environment();
    env.CurrentCoinRow = [&form] { return form.State.CoinGridRow; };
    env.ThemeName = [&form](int theme) {
        return theme >= 0 && theme < ThemeCount ? form.State.ThemeNames[static_cast<size_t>(theme)] : QString();
    };
    env.GradeTitle = [&form](bool paper, int scale, int grade) {
        return form.State.GradeTitles3D.Title(paper ? 1 : 0, scale, grade);
    };
    env.SeriesPicturePath = [&form](const tnodeinfo &series, bool obverse) {
        const QString &picture = obverse ? series.Obverse : series.Reverse;
        if (picture.isEmpty() || !form.Seams.FullPath)
            return QString();
        return form.Seams.FullPath(picture, series.Country, obverse, series.CoinShape == PaperMoneyShape);
    };
    env.SeriesTypeIcon = [](int index) { return TreeImage(index).toImage(); };
    env.Ebooks = [&form] {
        std::vector<tReportEbook> rows;
        if (const auto *ebooks = form.findChild<TEbooksPage *>())
            for (const tEbook &book : ebooks->Library.Books)
                rows.push_back({book.PDFfileName, book.EbookFileName, static_cast<int>(book.SeriesNumbers.size()),
                                book.Status == EbookIndexRead});
        return rows;
    };
    QObject::connect(form.State.Events.get(), &tStateEvents::LoadReportList, page, [page] { page->LoadReportList(); });
    form.Seams.ShowReportDescription = [page](int index) { page->ShowReportDescription(index); };
    form.ReportZoomTrackBar = page->ReportZoomTrackBar;
    form.Seams.PreviewZoom = [page] { return page->ReportPreview->Zoom(); };
    WireReportBin(form, page);
    WireReportEditing(form, page);
}

// The Graphs page lives in a library above the main window's too; it fills
// the Graphs tab and builds its chart whenever the window's page change asks
// for it.
void EmbedGraphsPage(TMainForm &form)
{
    QWidget *tab = form.TabGraphs;
    auto *page = new TChartsPage(form.State, tab);
    tab->layout()->addWidget(page);
    form.ChartPickerComboBox = page->ChartPickerComboBox;
    form.GraphsVertScrollBox = page->GraphsVertScrollBox;
    form.Seams.BuildCollectionChart = [page] { page->BuildCollectionChart(); };
    QObject::connect(form.State.Events.get(), &tStateEvents::CollectionReplaced, page,
                     [page] { page->CollectionReplaced(); });
}

// The eBooks page lives in a library above the main window's: it fills the
// eBooks tab, owns the eBook library and serves the window's start-up, page
// switch, series selection and saving.
void EmbedEbooksPage(QWidget *tab)
{
    TMainForm &form = *MainForm;
    auto *page = new TEbooksPage(form.State, tab);
    tab->layout()->addWidget(page);
    form.BookListBox = page->BookListBox;
    form.BookmarkBox = page->BookmarkBox;
    form.eBookScrollBox = page->eBookScrollBox;
    form.eBookSearchLayout = page->eBookSearchLayout;
    form.eBookButtonsLayout = page->eBookButtonsLayout;
    // The page opens on its buttons; the search strip shows when asked for.
    page->eBookSearchLayout->hide();
    page->eBookButtonsLayout->show();
    page->BookIcon = [](bool bound) { return QIcon(TreeButtonImage(bound ? ImgCollected : ImgUncollected)); };
    page->ShowTab = [&form](bool visible) { form.PageTabs->setTabVisible(PageEbooks, visible); };
    form.Seams.LoadEbooks = [page] { page->LoadEbooks(); };
    form.Seams.BookListBoxChange = [page] { page->BookListBoxChange(); };
    form.SelectionSeams.SetUpBookList = [page] { page->SetUpBookList(); };
    // Read right after it is asked for: connected directly.
    QObject::connect(
        form.State.Events.get(), &tStateEvents::EbooksModifiedWanted, page,
        [page, &form] { form.State.EbooksModified = AnyEbookModified(page->Library); }, Qt::DirectConnection);
    QObject::connect(form.State.Events.get(), &tStateEvents::SaveEbookIndexes, page,
                     [page] { page->SaveEbookIndexes(); });
    QObject::connect(form.State.Events.get(), &tStateEvents::DesignateIndexedeBooks, page,
                     [page] { page->DesignateIndexedeBooks(); });
}

// "Save eBook changes" in the File menu and "Edit eBook" in the series menu,
// which the window makes after its pages.
void WireEbookCommands(TMainForm &form)
{
    auto *page = form.findChild<TEbooksPage *>();
    if (!page)
        return;
    if (auto *save = form.findChild<QAction *>(QStringLiteral("SaveEbookData1")))
        QObject::connect(save, &QAction::triggered, page, [page] { page->SaveEbookIndexes(); });
    if (auto *setup = form.findChild<QAction *>(QStringLiteral("SetupEbook")))
        QObject::connect(setup, &QAction::triggered, page, [page] { page->SetupEbookClick(); });
}

// The collection's life cycle: caption, open, the closing questions and the
// automatic save (the window connects its save commands itself).
void WireCollectionLifecycle(TMainForm &form)
{
    tMainState &s = form.State;
    InstallLifecycleHooks(s);
    QObject::connect(s.Events.get(), &tStateEvents::SetMainCaption, &form,
                     [&form] { form.setWindowTitle(MainCaption(form.State)); });
    if (auto *open = form.findChild<QAction *>(QStringLiteral("Menu_open")))
        QObject::connect(open, &QAction::triggered, &form, [&form] { Menu_openClick(form.State, WelcomeHooks(), &form); });
    Q_EMIT s.Events->SetMainCaption();
}

// The message box takes its button pictures, its default picture and its
// font size from the main window. The hooks reach the window through
// MainForm, so they do nothing once it has gone.
void InstallMessageBoxHooks()
{
    EpicMessageHooks.ButtonIcon = [](int index) { return QIcon(TreeButtonImage(index)); };
    EpicMessageHooks.LargeText = [] { return MainForm && MainForm->State.HighContrast; };
    EpicMessageHooks.DefaultPicture = [](int country) {
        if (!MainForm || !MainForm->Seams.FullPath)
            return QImage();
        const tnodeinfo *series = MainForm->State.SelectedTreeNode;
        const bool paper = series && series->CoinShape == PaperMoneyShape;
        QString path;
        if (country > 0)
            path = MainForm->Seams.FullPath(QStringLiteral("~Photo.jpg"), country, true, paper);
        else if (series && !series->Obverse.isEmpty())
            path = MainForm->Seams.FullPath(series->Obverse, series->Country, true, paper);
        return path.isEmpty() ? QImage() : QImage(path);
    };
}

// "Require an encrypted (TLS) connection to the update server" in the
// Program settings menu: kept in the settings at once, used by every later
// connection to the update server.
void WireUpdateServerOptions(TMainForm &form)
{
    if (!form.OptionsMenu)
        return;
    auto *requireTls = form.OptionsMenu->addAction(
        QStringLiteral("Require an encrypted (TLS) connection to the update server"));
    requireTls->setObjectName(QStringLiteral("RequireTLS1"));
    requireTls->setCheckable(true);
    requireTls->setChecked(form.State.RequireTls);
    QObject::connect(requireTls, &QAction::toggled, &form, [&form](bool on) {
        form.State.RequireTls = on;
        WriteRegBool(RegName::RequireTls, on);
    });
}

// The numismatic tools live in a library above the main window's; their
// commands in the Tools menu open them here. Each window exists once: the
// command brings an open one to the front.
void WireNumismaticTools(TMainForm &form)
{
    auto connectItem = [&form](const char *name, std::function<void()> open) {
        if (auto *item = form.findChild<QAction *>(QString::fromLatin1(name)))
            QObject::connect(item, &QAction::triggered, &form, std::move(open));
    };
    // The open tool windows, kept with the main window they belong to.
    struct tToolWindows : QObject {
        using QObject::QObject;
        QPointer<TPolygonForm> Polygon;
        QPointer<TSNform> Serials;
        QPointer<TRomanForm> Roman;
        QPointer<TNBNForm> Banks;
        QPointer<TDigitDateForm> Digits[5];
        QPointer<THebrewForm> Hebrew;
        QPointer<TChinaForm> China;
        QPointer<TJapaneseForm> Japanese;
        QPointer<TEthiopianForm> Ethiopian;
    };
    auto *open = new tToolWindows(&form);
    connectItem("Polygoncoinstool1", [&form, open] {
        OpenToolWindow<TPolygonForm>(open->Polygon, &form, tToolPlacement::OverMain,
                                     [&form] { return new TPolygonForm(&form); });
    });
    // The explorer opens in the middle of the screen rather than over the
    // main window.
    connectItem("SerialNumberexplorer1", [&form, open] {
        OpenToolWindow<TSNform>(open->Serials, &form, tToolPlacement::OnScreen, [&form] { return new TSNform(&form); });
    });
    connectItem("NationalBanklist1", [&form, open] {
        OpenToolWindow<TNBNForm>(open->Banks, &form, tToolPlacement::OverMain, [&form] { return new TNBNForm(&form); });
    });
    connectItem("Romannumberconverter1", [&form, open] {
        OpenToolWindow<TRomanForm>(open->Roman, &form, tToolPlacement::OverMain, [&form] {
            return new TRomanForm([&form] { return SeriesDates(form.State.CurrPriceList); }, &form);
        });
    });
    // The date converters list the years of the series selected when they
    // come to the front, and start at the current year.
    const auto seriesDates = [&form] { return SeriesDates(form.State.CurrPriceList); };
    const auto thisYear = [] { return QDate::currentDate().year(); };
    const std::pair<const char *, tDigitMember> digitMembers[] = {
        {"BengaliDateConverter1", tDigitMember::Bengali}, {"ThaiDateConverter1", tDigitMember::Thai},
        {"BurmeseDateConverter1", tDigitMember::Burmese}, {"NapaleseDateConverter1", tDigitMember::Nepal},
        {"Arabdateconverter1", tDigitMember::Arab}};
    for (const auto &[name, member] : digitMembers)
        connectItem(name, [&form, open, member, seriesDates, thisYear] {
            OpenToolWindow<TDigitDateForm>(open->Digits[static_cast<int>(member)], &form, tToolPlacement::OverMain,
                                           [&] { return new TDigitDateForm(member, seriesDates, thisYear(), &form); });
        });
    connectItem("Hebrewdateconverter1", [&form, open, seriesDates, thisYear] {
        OpenToolWindow<THebrewForm>(open->Hebrew, &form, tToolPlacement::OverMain,
                                    [&] { return new THebrewForm(seriesDates, thisYear(), &form); });
    });
    connectItem("ChinaDateConverter1", [&form, open, thisYear] {
        OpenToolWindow<TChinaForm>(open->China, &form, tToolPlacement::OverMain,
                                   [&] { return new TChinaForm(thisYear(), &form); });
    });
    connectItem("JapaneseDateConverter1", [&form, open, seriesDates, thisYear] {
        OpenToolWindow<TJapaneseForm>(open->Japanese, &form, tToolPlacement::OverMain,
                                      [&] { return new TJapaneseForm(seriesDates, thisYear(), &form); });
    });
    connectItem("EthiopianDateConverter1", [&form, open, seriesDates, thisYear] {
        OpenToolWindow<TEthiopianForm>(open->Ethiopian, &form, tToolPlacement::OverMain,
                                       [&] { return new TEthiopianForm(seriesDates, thisYear(), &form); });
    });
}

// Calls into units that live above the main window's library.
tMainFormSeams ProgramSeams(const tProgramWindowOptions &options)
{
    tMainFormSeams seams;
    // The running program fetches the day's spot prices; the fetch has
    // tight time limits so an unreachable server holds start-up only briefly.
    // Without the fetch the file already in the Other folder is still read.
    seams.LoadForexAndSpotPrices = [fetch = options.FetchSpotPrices] {
        LoadForexAndSpotPrices(MainForm->State, fetch);
    };
    seams.EmbedReportsPage = EmbedReportsPage;
    seams.EmbedEbooksPage = EmbedEbooksPage;
    // The coin data set's own fields; the user fields' labels follow them.
    seams.DataSetCoinsFieldCount = [] { return static_cast<int>(CoinFieldNames().size()); };
    seams.OpenPriceUpdateForm = [] { OpenPriceUpdateForm(MainForm->State, MainForm); };
    seams.ShowWelcomeWindow = [] { return ShowWelcomeWindow(MainForm->State, WelcomeHooks(), MainForm); };
    seams.CanClose = [] { return FormCloseQuery(MainForm->State); };
    if (options.AdjustSeams)
        options.AdjustSeams(seams);
    return seams;
}

// A command whose unit is not built yet gets a stand-in that says so: in the
// log, and on the status line, so a collector who reaches it is told instead
// of seeing nothing happen. Other waiting slots (a count to show, a list to
// refill) stay unset: their callers keep the window usable without them, and
// the action-walk test holds each to its row in the waiting table. A waiting
// signal of the state's events gets a stand-in receiver of the same kind.
template <class R, class... Args>
void StandIn(std::function<R(Args...)> &slot, const QString &name, const QString &unit)
{
    slot = [name, unit](Args...) -> R {
        LogEntry(name + QStringLiteral(" is not available yet: it waits for ") + unit);
        if (MainForm)
            Q_EMIT MainForm->State.Events->SetStatusText(unit.left(1).toUpper() + unit.mid(1) +
                                                         QStringLiteral(" is not available yet"));
        if constexpr (!std::is_void_v<R>)
            return R{};
    };
}

void InstallWaitingStandIns(TMainForm &form)
{
    QStringList standIns;
    VisitProgramSlots(form, [&](const char *name, auto &slot) {
        const QString key = QString::fromLatin1(name);
        if (slot || !key.endsWith(QLatin1StringView("Click")))
            return;
        if (const tWaitingEntry *row = FindWaiting(WaitingHooks(), key)) {
            StandIn(slot, key, QString::fromUtf8(row->Unit));
            standIns << key;
        }
    });
    // A waiting notification: its signal gets a receiver that says so.
    const QMetaObject &events = tStateEvents::staticMetaObject;
    for (int i = events.methodOffset(); i < events.methodCount(); ++i) {
        const QMetaMethod signal = events.method(i);
        if (signal.methodType() != QMetaMethod::Signal || form.State.Events->HasReceiver(signal))
            continue;
        const QString key = QStringLiteral("Events.") + QString::fromLatin1(signal.name());
        if (const tWaitingEntry *row = FindWaiting(WaitingHooks(), key)) {
            form.State.Events->StandIn(signal, key, QString::fromUtf8(row->Unit));
            standIns << key;
        }
    }
    form.setProperty(WaitingStandInsProperty, standIns);
}

} // namespace

// What the welcome window asks of the main window.
tFileToOpenHooks WelcomeHooks()
{
    tFileToOpenHooks hooks;
    hooks.ShowSeriesPage = [] { MainForm->PageTabs->setCurrentIndex(0); };
    hooks.EnableMainPages = [] { MainForm->PageTabs->setEnabled(true); };
    hooks.ImportFile = [](const QString &path) {
        ShowImportForm(MainForm->State, path, MainForm);
        Q_EMIT MainForm->State.Events->RenderTree();
    };
    return hooks;
}

QStringList WaitingStandIns(const TMainForm &form)
{
    return form.property(WaitingStandInsProperty).toStringList();
}

std::unique_ptr<TMainForm> BuildProgramWindow(const tProgramWindowOptions &options)
{
    // Every picture reader of the program (the Images page, the series and
    // thumbnail pictures, report pictures) takes a collector's large scans.
    AllowCollectorPictures();
    auto form = std::make_unique<TMainForm>(ProgramSeams(options), options.Timings);
    WireCollectionLifecycle(*form);
    InstallMessageBoxHooks();
    // The series properties dialog lists the currencies read at start-up.
    CallSeam(form->Seams.CreateNewFolderForm);
    WireUpdateServerOptions(*form);
    WireNumismaticTools(*form);
    WireUpdateWindows(*form);
    EmbedGraphsPage(*form);
    WireEbookCommands(*form);
    // Last, once every unit has connected its commands.
    DisableWaitingCommands(form.get());
    InstallWaitingStandIns(*form);
    return form;
}
