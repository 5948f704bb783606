#pragma once
// The one table of the main window's commands whose unit is not part of the
// program yet. Every menu item, window action and page button either has
// its handler or is named here with the unit it waits for; the window
// disables the ones named here and says so in their status tip, so no
// visible command silently does nothing. A second table names the state
// hooks and window seams that stay unset for the same reason.
//
// Whoever lands a unit connects its commands and installs its hooks, and
// removes their rows; the action-walk test fails on a command that is
// neither connected nor named here, and on a row whose command is gone or
// whose hook is set.
#include <span>

#include <QString>
#include <QStringView>

class QWidget;

struct tWaitingEntry {
    // Object name of the action or button; for hooks and seams the member
    // as "Seams.Name" (tMainFormSeams), "Events.Name" (a signal of
    // tStateEvents, which then gets a stand-in receiver) or
    // "SelectionSeams.Name" (tSelectionSeams).
    const char *Name;
    // The unit it waits for, in a collector's words.
    const char *Unit;
};

std::span<const tWaitingEntry> WaitingCommands();
std::span<const tWaitingEntry> WaitingHooks();

// The row of that name, nullptr when there is none.
const tWaitingEntry *FindWaiting(std::span<const tWaitingEntry> table, QStringView name);

// The status tip and tool tip of a waiting command.
inline const QString NotAvailableYet = QStringLiteral("Not available yet");

// Disables every waiting command among the actions and buttons of window
// (menus and submenus included) and gives it the status tip.
void DisableWaitingCommands(QWidget *window);
