#pragma once
// The main window's finder and tracking commands: the menu items that open
// "Find text", "Find a catalog number", "Find a coin by item number" and
// "Search & Track" (one window of each at a time), "Find next tracked
// coin", the tracking items of "Coin tracking", "Move tracked coins here"
// on the series menu and the previous / next item-number shortcuts.
#include <QObject>
#include <QPointer>

#include "browse/finders/tracking.h"

class QAction;
class TMainForm;
class TFindTextForm;
class TFindCatalogForm;
class TFindItemForm;
class TTrackForm;

class TFinderCommands : public QObject {
    Q_OBJECT
public:
    // Connects the commands to the window's actions.
    explicit TFinderCommands(TMainForm &form);

    // What a hit shows in the main window.
    tNavigationSeams Navigation() const;

    void Searchfortext1Click();
    void FindCatalog1Click();
    void Findcoinbyitemnumber1Click();
    void Searchtrack1Click();
    void Findnexttrackedcoin1Click();
    // The state's CoinsCleared hook: every entry was freed.
    void CoinsCleared();

    // The open windows (null when closed).
    QPointer<TFindTextForm> FindText;
    QPointer<TFindCatalogForm> FindCatalog;
    QPointer<TFindItemForm> FindItem;
    QPointer<TTrackForm> Track;
    // The item number the item window showed when last closed.
    int32_t LastFindItemNumber = 1;
    // "Move tracked coins here" of the series menu (the window makes it).
    QAction *Movetracked1 = nullptr;

private:
    void Connect(const char *name, void (TFinderCommands::*handler)());
    tCoinInfo *GridCoin() const;
    void Show(QWidget *window, bool centreOverMain);

    TMainForm &form_;
};
