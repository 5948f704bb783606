#pragma once
// Opening a numismatic tool window: each exists once; the menu command
// creates it on first use and otherwise brings the open one to the front.
#include <functional>

#include <QPointer>
#include <QWidget>

class QDialog;
class QPushButton;
class QTabWidget;

enum class tToolPlacement {
    OverMain,  // centred over the main window
    OnScreen,  // centred on the screen
};

// Window flags of a tool window: a title, no border icons.
Qt::WindowFlags ToolWindowFlags();

// The converter windows' tab strip ("TabControl1", tabs at the bottom) and
// an empty page for it with its object name.
QTabWidget *NewConverterTabs(QWidget *window);
QWidget *NewTabPage(const char *name);

// Lays out a converter window: its tabs filling it and an "OK" button
// (object name "OKbutton") that closes it at the bottom right; returns the
// button.
QPushButton *LayOutTabsAboveOk(QDialog *window, QTabWidget *tabs);

// Shows the window held by slot, creating it by make when there is none
// (the window deletes itself when closed, which empties slot), and brings it
// to the front.
template <class W>
W *OpenToolWindow(QPointer<W> &slot, QWidget *main, tToolPlacement placement, const std::function<W *()> &make);

void PlaceToolWindow(QWidget *window, const QWidget *main, tToolPlacement placement);

template <class W>
W *OpenToolWindow(QPointer<W> &slot, QWidget *main, tToolPlacement placement, const std::function<W *()> &make)
{
    if (!slot) {
        slot = make();
        slot->setAttribute(Qt::WA_DeleteOnClose);
        PlaceToolWindow(slot, main, placement);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}
