#include "browse/shell/ui/waitingcommands.h"

#include <array>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

// Every command and hook of the window has its unit today. The tables stay,
// empty, so that a unit which is not ready yet can be named here again
// rather than leave a command that silently does nothing.
constexpr std::array<tWaitingEntry, 0> Commands{};
constexpr std::array<tWaitingEntry, 0> Hooks{};

void MarkWaiting(QObject *command)
{
    if (auto *action = qobject_cast<QAction *>(command)) {
        action->setEnabled(false);
        action->setStatusTip(NotAvailableYet);
        action->setToolTip(NotAvailableYet);
    } else if (auto *menu = qobject_cast<QMenu *>(command)) {
        menu->menuAction()->setEnabled(false);
        menu->menuAction()->setStatusTip(NotAvailableYet);
        menu->menuAction()->setToolTip(NotAvailableYet);
    } else if (auto *widget = qobject_cast<QWidget *>(command)) {
        widget->setEnabled(false);
        widget->setStatusTip(NotAvailableYet);
        widget->setToolTip(NotAvailableYet);
    }
}

} // namespace

std::span<const tWaitingEntry> WaitingCommands()
{
    return Commands;
}

std::span<const tWaitingEntry> WaitingHooks()
{
    return Hooks;
}

const tWaitingEntry *FindWaiting(std::span<const tWaitingEntry> table, QStringView name)
{
    for (const tWaitingEntry &entry : table)
        if (name == QLatin1StringView(entry.Name))
            return &entry;
    return nullptr;
}

void DisableWaitingCommands(QWidget *window)
{
    for (QObject *o : window->findChildren<QObject *>())
        if (!o->objectName().isEmpty() && FindWaiting(Commands, o->objectName()))
            MarkWaiting(o);
    // Menus show the tip of a disabled item where the status line cannot.
    for (QMenu *menu : window->findChildren<QMenu *>())
        menu->setToolTipsVisible(true);
}
