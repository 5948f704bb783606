#include "browse/finders/ui/findercommands.h"

#include <QAction>
#include <QTabWidget>

#include "core/program/ui/centring.h"
#include "browse/shell/pageswitch.h"
#include "core/catalogue/countries.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/finders/ui/findforms.h"
#include "browse/shell/ui/mainform.h"
#include "browse/finders/ui/trackform.h"

TFinderCommands::TFinderCommands(TMainForm &form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("FinderCommands"));
    Connect("Searchfortext1", &TFinderCommands::Searchfortext1Click);
    Connect("FindCatalog1", &TFinderCommands::FindCatalog1Click);
    Connect("Findcoinbyitemnumber1", &TFinderCommands::Findcoinbyitemnumber1Click);
    Connect("Searchtrack1", &TFinderCommands::Searchtrack1Click);
    Connect("Findnexttrackedcoin1", &TFinderCommands::Findnexttrackedcoin1Click);

    tMainState &s = form_.State;
    const auto action = [&form](const char *name) { return form.findChild<QAction *>(QString::fromLatin1(name)); };
    if (QAction *a = action("Trackallcoinsinselectedseries1"))
        connect(a, &QAction::triggered, this, [&s] { SetTrackInSeries(s, s.SelectedTreeNode, true); });
    if (QAction *a = action("Untrackallcoinsinselectedseries1"))
        connect(a, &QAction::triggered, this, [&s] { SetTrackInSeries(s, s.SelectedTreeNode, false); });
    if (QAction *a = action("Trackthecoinsinthereportbin1"))
        connect(a, &QAction::triggered, this, [&s] { TrackBinCoinsInSeries(s, s.SelectedTreeNode); });
    // Reached by their keys only (Ctrl+P and Ctrl+N unless the stored
    // shortcuts say otherwise).
    for (const bool next : {false, true})
        if (QAction *a = action(next ? "NextItem1" : "PreviousItem1"))
            connect(a, &QAction::triggered, this, [this, next] { PreviousItem1Click(form_.State, next, Navigation()); });

    // "Move tracked coins here" on the series menu of the tree.
    Movetracked1 = action("Movetracked1");
    if (Movetracked1)
        connect(Movetracked1, &QAction::triggered, this, [this] { Movetracked1Click(form_.State, Navigation()); });

    // A collection read or cleared frees every entry: the open windows
    // forget what they found, and recount or rebuild when next used.
    QObject::connect(s.Events.get(), &tStateEvents::CoinsCleared, this, [this] { CoinsCleared(); });
}

void TFinderCommands::CoinsCleared()
{
    if (FindText)
        FindText->Forget();
    if (FindCatalog)
        FindCatalog->Forget();
    if (Track)
        Track->Forget();
}

void TFinderCommands::Connect(const char *name, void (TFinderCommands::*handler)())
{
    if (QAction *a = form_.findChild<QAction *>(QString::fromLatin1(name)))
        connect(a, &QAction::triggered, this, handler);
}

tNavigationSeams TFinderCommands::Navigation() const
{
    TMainForm &f = form_;
    tNavigationSeams nav;
    nav.BigImageDown = [&f] { CallSeam(f.Seams.BigImageDown); };
    nav.ActivePage = [&f] { return f.PageTabs->currentIndex(); };
    nav.ShowPage = [&f](int page) { f.PageTabs->setCurrentIndex(page); };
    nav.MakeTreeNodeVisible = [&f](tnodeinfo *node) { CallSeam(f.Seams.MakeTreeNodeVisible, node); };
    nav.RenderTree = [&f] { CallSeam(f.Seams.RenderTree); };
    nav.AddRecent = [&f] { CallSeam(f.Seams.AddRecent); };
    nav.BuildDateMintBoxList = [&f](bool keepPos) { CallSeam(f.Seams.BuildDateMintBoxList, keepPos); };
    nav.ApplyViewFilter = [&f](tCoinInfo *forced) { f.CoinGridPage->ApplyViewFilter(forced); };
    nav.SortFolderCoins = [&f] { f.CoinGridPage->SortFolderCoins(); };
    nav.SelectCoin = [&f](tCoinInfo *coin) { f.CoinGridPage->SelectCoin(coin); };
    nav.SetCoinGridRow = [&f](int row) {
        if (row >= 0 && row < static_cast<int>(f.State.CurrCoinList.size()))
            f.CoinGridPage->SelectCoin(f.State.CurrCoinList[static_cast<size_t>(row)]);
    };
    nav.RefreshPricing = [&f] {
        CallSeam(f.Seams.SetupPricelistColumns, -1);
        CallSeam(f.Seams.RenderPrices);
    };
    return nav;
}

tCoinInfo *TFinderCommands::GridCoin() const
{
    const tMainState &s = form_.State;
    if (s.CoinGridRow < 0 || s.CoinGridRow >= static_cast<int>(s.CurrCoinList.size()))
        return nullptr;
    return s.CurrCoinList[static_cast<size_t>(s.CoinGridRow)];
}

void TFinderCommands::Show(QWidget *window, bool centreOverMain)
{
    if (centreOverMain)
        CentreOver(window, &form_);
    window->show();
    window->raise();
    window->activateWindow();
}

void TFinderCommands::Searchfortext1Click()
{
    if (!FindText) {
        TMainForm &f = form_;
        FindText = new TFindTextForm(f.State, Navigation(), [&f] {
            tFindEnvironment env;
            env.FullPath = f.Seams.FullPath;
            return env;
        }, &form_);
    }
    Show(FindText, true);
}

void TFinderCommands::FindCatalog1Click()
{
    const bool created = !FindCatalog;
    if (created) {
        TMainForm &f = form_;
        FindCatalog = new TFindCatalogForm(f.State, Navigation(),
                                           [&f](int country) { return GetCountryName(f.State, country); },
                                           &form_);
        CentreOnScreen(FindCatalog);
    }
    Show(FindCatalog, false);
    if (!created)
        FindCatalog->FormActivate();
}

void TFinderCommands::Findcoinbyitemnumber1Click()
{
    if (!FindItem)
        FindItem = new TFindItemForm(form_.State, Navigation(), &LastFindItemNumber, &form_);
    Show(FindItem, true);
    FindItem->ShowRange();
    FindItem->ReadyForTyping();
}

void TFinderCommands::Searchtrack1Click()
{
    const bool created = !Track;
    if (created)
        Track = new TTrackForm(form_.State, &form_);
    Show(Track, true);
    if (!created)
        Track->FormActivate();
}

void TFinderCommands::Findnexttrackedcoin1Click()
{
    ::Findnexttrackedcoin1Click(form_.State, GridCoin(), Navigation());
}
