#include "browse/shell/ui/waitingcommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

constexpr tWaitingEntry Commands[] = {
    // ---- File menu ----
    {"SaveEbookData1", "the eBook library"},
    // ---- Tools menu ----
    {"Tipoftheday1", "the tip of the day"},
    {"Placetrackedcoinsinreportbin1", "the report bin"},
    {"VisitQuillfenSoftware1", "the maker's web links"},
    {"YouTube1", "the maker's web links"},
    {"eMailQuillfen1", "the maker's web links"},
    {"AboutOrvanta1", "the About box"},
    // ---- Window actions reached by their shortcuts ----
    {"ResizeMainWindow1", "the main window's size command"},
    // ---- The series menu of the tree ----
    {"SetupEbook", "the eBook library"},
};

constexpr tWaitingEntry Hooks[] = {
    // ---- State hooks ----
    {"Hooks.ShowBinCount", "the report bin"},
    {"Hooks.EbooksModified", "the eBook library"},
    {"Hooks.SaveEbookIndexes", "the eBook library"},
    // ---- Window seams ----
    {"Seams.LoadEbooks", "the eBook library"},
    {"Seams.ShowBinCount", "the report bin"},
    {"Seams.SetSelectedLabelCaption", "the caption line's fitting"},
    {"Seams.Tipoftheday1Click", "the tip of the day"},
    {"Seams.BookListBoxChange", "the eBook viewer"},
    {"Seams.BuildCollectionChart", "the collection charts"},
    {"Seams.PreviewZoom", "the report preview"},
    // ---- Steps of a series selection ----
    {"SelectionSeams.SetUpBookList", "the eBook library"},
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
