#include <QtTest>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/shell/ui/waitingcommands.h"
#include "support/programfixture.h"

// Every command of the assembled window either reaches its handler or is
// named in the table of commands waiting for their unit; every hook and seam
// is installed unless that table names it too.
namespace {

// QObject::receivers is protected; a pointer to it taken through a derived
// class may still be called on any object.
struct tPeek : QObject {
    static int Receivers(const QObject *o, const char *signal)
    {
        auto fn = &tPeek::receivers;
        return (o->*fn)(signal);
    }
};

int ActionReceivers(const QAction *a)
{
    return tPeek::Receivers(a, SIGNAL(triggered(bool))) + tPeek::Receivers(a, SIGNAL(triggered())) +
           tPeek::Receivers(a, SIGNAL(toggled(bool)));
}

int ButtonReceivers(const QAbstractButton *b)
{
    return tPeek::Receivers(b, SIGNAL(clicked(bool))) + tPeek::Receivers(b, SIGNAL(clicked())) +
           tPeek::Receivers(b, SIGNAL(toggled(bool))) + tPeek::Receivers(b, SIGNAL(pressed())) +
           tPeek::Receivers(b, SIGNAL(released()));
}

// A tool button listens to its own presses; what it adds is no handler.
int ButtonOwnReceivers(const QAbstractButton *b)
{
    if (!qobject_cast<const QToolButton *>(b))
        return 0;
    static const int own = [] {
        QToolButton probe;
        return ButtonReceivers(&probe);
    }();
    return own;
}

// A menu listens to its own items; what it adds is no handler. Measured on
// an item nobody else listens to.
int MenuOwnReceivers()
{
    QMenu menu;
    QAction *a = menu.addAction(QStringLiteral("x"));
    return ActionReceivers(a);
}

bool ActionHasHandler(const QAction *a)
{
    int menus = 0;
    for (QObject *o : a->associatedObjects())
        if (qobject_cast<QMenu *>(o))
            ++menus;
    return ActionReceivers(a) > menus * MenuOwnReceivers();
}

// Stand-ins of the window's layout that an embedded page replaced for good:
// hidden from the start and never shown again.
bool InReplacedStandIn(const QWidget *w, const QWidget *page)
{
    static const QStringList standIns{QStringLiteral("ReportsPage")};
    for (; w && w != page; w = w->parentWidget())
        if (w->isHidden() && standIns.contains(w->objectName()))
            return true;
    return false;
}

struct tCommand {
    QObject *Object;
    QString Where;  // menu path or page, for the failure text
    bool HasHandler;
};

void CollectMenu(QMenu *menu, const QString &where, std::vector<tCommand> &out)
{
    bool empty = true;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        empty = false;
        if (a->menu())
            CollectMenu(a->menu(), where + QLatin1Char('/') + a->menu()->objectName(), out);
        else
            out.push_back({a, where, ActionHasHandler(a)});
    }
    // A submenu with nothing in it is a command of its own that does nothing.
    if (empty)
        out.push_back({menu, where, false});
}

std::vector<tCommand> Commands(TMainForm &form)
{
    std::vector<tCommand> out;
    for (QAction *a : form.menuBar()->actions())
        if (a->menu())
            CollectMenu(a->menu(), a->menu()->objectName(), out);
    for (QAction *a : form.actions())
        out.push_back({a, QStringLiteral("window"), ActionHasHandler(a)});
    if (form.SeriesTree->RightMenu)
        CollectMenu(form.SeriesTree->RightMenu, QStringLiteral("RightMenu"), out);
    for (int i = 0; i < form.TabControl1->count(); ++i) {
        QWidget *page = form.TabControl1->widget(i);
        for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
            if (!InReplacedStandIn(b, page))
                out.push_back({b, page->objectName(), ButtonReceivers(b) > ButtonOwnReceivers(b)});
        // The slide strips are labels that work as buttons.
        for (TRotatedLabel *l : page->findChildren<TRotatedLabel *>())
            if (l->objectName().endsWith(QLatin1String("SlideLabel")))
                out.push_back({l, page->objectName(), tPeek::Receivers(l, SIGNAL(clicked())) > 0});
    }
    return out;
}

QString Describe(const tCommand &c)
{
    const QString name = c.Object->objectName().isEmpty() ? QString::fromLatin1(c.Object->metaObject()->className())
                                                          : c.Object->objectName();
    return c.Where + QLatin1Char(' ') + name;
}

bool IsDisabledWithTip(QObject *o)
{
    if (auto *menu = qobject_cast<QMenu *>(o))
        o = menu->menuAction();
    if (auto *a = qobject_cast<QAction *>(o))
        return !a->isEnabled() && a->statusTip() == NotAvailableYet;
    auto *w = qobject_cast<QWidget *>(o);
    return w && !w->isEnabled() && w->statusTip() == NotAvailableYet;
}

// ---- Hooks and seams: one row per member. The sizes below make a member
// added to a struct without a row here fail to compile.
struct tHookCheck {
    const char *Name;
    bool (*IsSet)(const TMainForm &);
};
#define HOOK(n) {"Hooks." #n, [](const TMainForm &f) { return bool(f.State.Hooks.n); }}
#define SEAM(n) {"Seams." #n, [](const TMainForm &f) { return bool(f.Seams.n); }}
#define SELECTION(n) {"SelectionSeams." #n, [](const TMainForm &f) { return bool(f.SelectionSeams.n); }}

const tHookCheck HookChecks[] = {
    HOOK(SeriesSelected), HOOK(ReloadPriceLists), HOOK(RefreshThemeButtons), HOOK(SetSaveMenuVisibility),
    HOOK(SetMainCaption), HOOK(ProcessEvents), HOOK(PriceListsConverted), HOOK(StorePushNote),
    HOOK(RefreshCoinGrid), HOOK(FillCoinEditor), HOOK(SetStatusText), HOOK(ShowProgress), HOOK(SetProgress),
    HOOK(CalcVisibleNodes), HOOK(FormResize), HOOK(AssignNodePorts), HOOK(RenderTree), HOOK(ShowBusy),
    HOOK(ClearClickTrackList), HOOK(CoinsCleared), HOOK(ShowBinCount), HOOK(ClearUDFControls),
    HOOK(CreateUDFobjects), HOOK(BuildUDFHistoryLists), HOOK(PackColumnData), HOOK(UnpackColumnData),
    HOOK(ResetCoinGridColumnWidths), HOOK(SetupCoinGridCols), HOOK(HideCoinPages), HOOK(CreateDefaultDatabase),
    HOOK(CheckForNewTypes), HOOK(BuildFavoritesMenu), HOOK(ClearRecentSeriesMenu), HOOK(LoadReportList),
    HOOK(UpdateRecentFiles), HOOK(GetCoinValue), HOOK(ValueCodeName), HOOK(SaveCurrencyIndex),
    HOOK(CommitPendingEdit), HOOK(PrepCoinsPage), HOOK(SortFolderCoins), HOOK(SelectCoin),
    HOOK(UpdateSelectionSummary), HOOK(RestoreNotesMemo), HOOK(ShowCoinsPage), HOOK(UnpackVariety),
    HOOK(CompoundVariety), HOOK(ReloadCountryPrices), HOOK(ResortPrices), HOOK(SavePricesToFile),
    HOOK(ReadPriceDatesDat), HOOK(ReadSettingString), HOOK(WriteSettingString), HOOK(EbooksModified),
    HOOK(SaveEbookIndexes),
};
const tHookCheck SeamChecks[] = {
    SEAM(LogModeKeysHeld), SEAM(InstallAppException), SEAM(BuildThemePanel), SEAM(LoadMetals), SEAM(LoadFormState),
    SEAM(LoadCountries), SEAM(LoadForexAndSpotPrices), SEAM(LoadPriceDates), SEAM(BuildNodePorts), SEAM(LoadEbooks),
    SEAM(ViewFlags), SEAM(ViewHaveCheckBoxChange), SEAM(PlaceThumbnailPanel), SEAM(InstallAppHint),
    SEAM(DataSetCoinsFieldCount), SEAM(ShowBinCount), SEAM(SquewSpotPrices), SEAM(DisplayMetalValues),
    SEAM(FormsTimerTimer), SEAM(CreateNewFolderForm), SEAM(LoadDataFromFile), SEAM(ShowWelcomeWindow), SEAM(UseTips),
    SEAM(Tipoftheday1Click), SEAM(AssignNodePorts), SEAM(RenderTree), SEAM(MakeTreeNodeVisible), SEAM(BigImageDown),
    SEAM(ArrangeStatsLabels), SEAM(SetupThemesBox), SEAM(NamedThemeRows), SEAM(ViewSizeBtnClick),
    SEAM(BuildFavoritesMenu), SEAM(NextSeries), SEAM(FullPath), SEAM(SetSelectedLabelCaption),
    SEAM(SetupPricelistColumns), SEAM(RenderPrices), SEAM(ResortPrices), SEAM(GetCountryName), SEAM(UnpackVariety),
    SEAM(ShowUserSeriesHint), SEAM(ShowPastePriceForm), SEAM(SelectedPriceEntry), SEAM(RecordPriceUndo), SEAM(CoinGridRow), SEAM(SetCoinGridRow), SEAM(SelectCoin),
    SEAM(SortFolderCoins), SEAM(AddRecent), SEAM(BuildDateMintBoxList), SEAM(UpdateSelectionSummary), SEAM(ShowNAHint),
    SEAM(NoteMaxedBtnClick), SEAM(SettingSlideLabelClick), SEAM(ClearUDFlist2), SEAM(CreateUDFobjects),
    SEAM(ShowUDFValues), SEAM(StuffCoinInfo), SEAM(RenderDatePopup), SEAM(DatePopupClosePopup),
    SEAM(DayCellMouseEnter), SEAM(DayCellMouseLeave), SEAM(DayCellClick), SEAM(CompoundVariety),
    SEAM(BuildImageRadios), SEAM(LoadCoinImage), SEAM(UpdateImageButtons), SEAM(ResetImageEffects),
    SEAM(BookListBoxChange), SEAM(BuildCollectionChart), SEAM(ShowReportDescription), SEAM(PreviewZoom),
    SEAM(EmbedReportsPage), SEAM(OpenPriceUpdateForm), SEAM(CanClose),
};
const tHookCheck SelectionChecks[] = {
    SELECTION(GradeTitle), SELECTION(SetSelectedLabelCaption), SELECTION(FillGradeBox),
    SELECTION(SetWarningLabelPrices), SELECTION(FillMintEdit), SELECTION(FillGMEdit), SELECTION(SetViewSizeVisible),
    SELECTION(LayoutMainForm), SELECTION(ShowImage), SELECTION(SetFavoriteBox), SELECTION(SetTabs),
    SELECTION(SetThemeBoxes), SELECTION(SetForexLabel), SELECTION(StatsTabActive), SELECTION(StartCalcThread),
    SELECTION(SetCoinTexts), SELECTION(SetUpBookList), SELECTION(PrepCoinsPage), SELECTION(CoinGridToFirstRow),
    SELECTION(ShowThumbnails), SELECTION(ShowCountryCredit), SELECTION(ShowUserSeriesHint),
};
#undef HOOK
#undef SEAM
#undef SELECTION

constexpr size_t FunctionSize = sizeof(std::function<void()>);
static_assert(std::size(HookChecks) * FunctionSize == sizeof(tStateHooks), "a tStateHooks member has no row");
static_assert(std::size(SeamChecks) * FunctionSize == sizeof(tMainFormSeams), "a tMainFormSeams member has no row");
static_assert(std::size(SelectionChecks) * FunctionSize == sizeof(tSelectionSeams),
              "a tSelectionSeams member has no row");

// Seams the test fixture installs itself (log-mode keys, welcome window, tip).
const QStringList FixtureSeams{QStringLiteral("Seams.LogModeKeysHeld"), QStringLiteral("Seams.ShowWelcomeWindow"),
                               QStringLiteral("Seams.Tipoftheday1Click")};
// Left unset on purpose: the price download reads the dates file itself
// unless a test replaces the reader, the application object hands every
// exception that escapes a handler to the error window, and the Coins page's
// view boxes run their own handler.
const QStringList UnsetByDesign{QStringLiteral("Hooks.ReadPriceDatesDat"),
                                QStringLiteral("Seams.InstallAppException"),
                                QStringLiteral("Seams.ViewHaveCheckBoxChange")};

} // namespace

class tst_ActionWalk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCommandHasItsHandlerOrWaits()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QStringList faults;
        QSet<QString> seen;
        for (const tCommand &c : Commands(form)) {
            const QString name = c.Object->objectName();
            seen.insert(name);
            const bool waiting = !name.isEmpty() && FindWaiting(WaitingCommands(), name);
            if (!c.HasHandler && !waiting)
                faults << Describe(c) + QStringLiteral(": no handler and not in the waiting table");
            if (c.HasHandler && waiting)
                faults << Describe(c) + QStringLiteral(": has its handler now, remove its waiting row");
            if (waiting && !IsDisabledWithTip(c.Object))
                faults << Describe(c) + QStringLiteral(": waiting but enabled or without its status tip");
        }
        for (const tWaitingEntry &row : WaitingCommands())
            if (!seen.contains(QString::fromLatin1(row.Name)))
                faults << QString::fromLatin1(row.Name) + QStringLiteral(": waiting row names no command");
        for (const QString &fault : faults)
            qWarning().noquote() << fault;
        QVERIFY2(faults.isEmpty(), "see the warnings above");
    }

    void everyHookIsInstalledOrWaits()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QStringList faults;
        QSet<QString> known;
        for (const std::span<const tHookCheck> table : {std::span<const tHookCheck>(HookChecks),
                                                         std::span<const tHookCheck>(SeamChecks),
                                                         std::span<const tHookCheck>(SelectionChecks)}) {
            for (const tHookCheck &check : table) {
                const QString name = QString::fromLatin1(check.Name);
                known.insert(name);
                const bool waiting = FindWaiting(WaitingHooks(), name);
                const bool set = check.IsSet(form);
                if (!set && !waiting && !UnsetByDesign.contains(name))
                    faults << name + QStringLiteral(": unset and not in the waiting table");
                if (set && waiting && !FixtureSeams.contains(name))
                    faults << name + QStringLiteral(": installed now, remove its waiting row");
            }
        }
        for (const tWaitingEntry &row : WaitingHooks())
            if (!known.contains(QString::fromLatin1(row.Name)))
                faults << QString::fromLatin1(row.Name) + QStringLiteral(": waiting row names no hook or seam");
        for (const QString &fault : faults)
            qWarning().noquote() << fault;
        QVERIFY2(faults.isEmpty(), "see the warnings above");
    }
};

QTEST_MAIN(tst_ActionWalk)
#include "tst_actionwalk.moc"
