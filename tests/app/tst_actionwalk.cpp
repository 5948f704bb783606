#include <QtTest>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/seriestreeview.h"
#include "app/programslots.h"
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
    for (int i = 0; i < form.PageTabs->count(); ++i) {
        QWidget *page = form.PageTabs->widget(i);
        for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
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

// Seams the test fixture installs itself (log-mode keys, welcome window, tip).
const QStringList FixtureSeams{QStringLiteral("Seams.LogModeKeysHeld"), QStringLiteral("Seams.ShowWelcomeWindow"),
                               QStringLiteral("Seams.Tipoftheday1Click")};
// Left unset on purpose, each a place where a test puts its double and the
// program uses the real thing: the housekeeping asks the process-wide error-window flag, the
// Images page prints through the system's print dialog and hands files to
// the desktop; the application object hands every exception that escapes a
// handler to the error window, and the Coins page's view boxes run their own
// handler.
const QStringList UnsetByDesign{QStringLiteral("Housekeeping.ErrorWindowOpen"),
                                QStringLiteral("ImagesPage.ChoosePrinter"), QStringLiteral("ImagesPage.OpenFile"),
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

    // Every optional slot of every struct the window is wired through is set
    // when the window is built, or its row in the waiting table names it (a
    // waiting command then has the window's stand-in that says so).
    void everySlotIsInstalledOrWaits()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const QStringList standIns = WaitingStandIns(form);
        QStringList faults;
        QSet<QString> known;
        int slots = 0;
        VisitProgramSlots(form, [&](const char *n, auto &slot) {
            ++slots;
            const QString name = QString::fromLatin1(n);
            known.insert(name);
            const bool waiting = FindWaiting(WaitingHooks(), name);
            if (!slot && !waiting && !UnsetByDesign.contains(name))
                faults << name + QStringLiteral(": unset and not in the waiting table");
            if (waiting && slot && !standIns.contains(name) && !FixtureSeams.contains(name))
                faults << name + QStringLiteral(": installed now, remove its waiting row");
        });
        QVERIFY2(slots > 120, "the walk reaches every struct of the window");
        for (const tWaitingEntry &row : WaitingHooks())
            if (!known.contains(QString::fromLatin1(row.Name)) && !QByteArray(row.Name).startsWith("Events."))
                faults << QString::fromLatin1(row.Name) + QStringLiteral(": waiting row names no slot");
        for (const QString &fault : faults)
            qWarning().noquote() << fault;
        QVERIFY2(faults.isEmpty(), "see the warnings above");
    }

    // Every notification of the state reaches a receiver once the window is
    // built, or its row in the waiting table names it (it then has the
    // window's stand-in receiver, which says so). A signal nobody receives
    // is a notification the windows silently miss.
    void everyStateEventIsReceivedOrWaits()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const QStringList standIns = WaitingStandIns(form);
        const tStateEvents &events = *form.State.Events;
        const QMetaObject &meta = tStateEvents::staticMetaObject;
        QStringList faults;
        QSet<QString> known;
        int signalCount = 0;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod signal = meta.method(i);
            if (signal.methodType() != QMetaMethod::Signal)
                continue;
            ++signalCount;
            const QString name = QStringLiteral("Events.") + QString::fromLatin1(signal.name());
            known.insert(name);
            const bool waiting = FindWaiting(WaitingHooks(), name);
            if (!events.HasReceiver(signal))
                faults << name + QStringLiteral(": no receiver");
            else if (!waiting && standIns.contains(name))
                faults << name + QStringLiteral(": a stand-in without its waiting row");
            else if (waiting && !standIns.contains(name))
                faults << name + QStringLiteral(": connected now, remove its waiting row");
        }
        QVERIFY2(signalCount > 40, "the walk reaches the state's signals");
        for (const tWaitingEntry &row : WaitingHooks())
            if (QByteArray(row.Name).startsWith("Events.") && !known.contains(QString::fromLatin1(row.Name)))
                faults << QString::fromLatin1(row.Name) + QStringLiteral(": waiting row names no signal");
        for (const QString &fault : faults)
            qWarning().noquote() << fault;
        QVERIFY2(faults.isEmpty(), "see the warnings above");
    }

    // A waiting slot reached at run time is never silent: it logs and the
    // status line says that its unit is not available yet.
    void aWaitingSlotTellsTheUser()
    {
        tProgramFixture program;
        program.RealTipCommand = true;
        TMainForm &form = program.Open();
        program.Start();
        const QStringList standIns = WaitingStandIns(form);
        if (standIns.isEmpty())
            QSKIP("no unit waits any more");
        bool called = false;
        VisitProgramSlots(form, [&](const char *n, auto &slot) {
            using Slot = std::remove_reference_t<decltype(slot)>;
            if constexpr (std::is_same_v<Slot, std::function<void()>>) {
                if (!called && standIns.contains(QString::fromLatin1(n))) {
                    slot();
                    called = true;
                }
            }
        });
        if (!called)
            QSKIP("no waiting slot takes no arguments");
        auto *status = form.findChild<QLabel *>(QStringLiteral("StatusLabel"));
        QVERIFY(status);
        QVERIFY2(status->text().endsWith(QStringLiteral("is not available yet")), qPrintable(status->text()));
    }

    // Each design name stands for one control: a page is built once, in its
    // tab, so no second control of the same name lingers for code or tests
    // to reach by mistake.
    void everyObjectNameIsUnique()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QHash<QString, int> count;
        // Tool windows and dialogs owned by the main window are windows of
        // their own, with names of their own.
        const auto inMainWindow = [&form](const QObject *o) {
            for (; o; o = o->parent())
                if (auto *w = qobject_cast<const QWidget *>(o))
                    return w->window() == &form;
            return false;
        };
        for (QObject *o : form.findChildren<QObject *>()) {
            const QString name = o->objectName();
            // A tab bar names its own scroll buttons.
            if (name.isEmpty() || name.startsWith(QLatin1StringView("qt_")) || qobject_cast<QTabBar *>(o->parent()))
                continue;
            if (inMainWindow(o))
                ++count[name];
        }
        QStringList doubled;
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            if (it.value() > 1)
                doubled << QStringLiteral("%1 (%2 times)").arg(it.key()).arg(it.value());
        doubled.sort();
        QVERIFY2(doubled.isEmpty(), qPrintable(doubled.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(tst_ActionWalk)
#include "tst_actionwalk.moc"
