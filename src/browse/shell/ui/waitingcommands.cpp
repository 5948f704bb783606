#include "browse/shell/ui/waitingcommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

constexpr tWaitingEntry Commands[] = {
    // ---- Tools menu ----
    {"Hebrewdateconverter1", "the date converters"},
    {"Arabdateconverter1", "the date converters"},
    {"BurmeseDateConverter1", "the date converters"},
    {"ThaiDateConverter1", "the date converters"},
    {"BengaliDateConverter1", "the date converters"},
    {"NapaleseDateConverter1", "the date converters"},
    {"JapaneseDateConverter1", "the date converters"},
    {"ChinaDateConverter1", "the date converters"},
    {"EthiopianDateConverter1", "the date converters"},
};

constexpr tWaitingEntry Hooks[] = {
    // ---- State hooks ----
    // ---- Steps of a series selection ----
};

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
