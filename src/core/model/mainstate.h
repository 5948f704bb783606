#pragma once
// The shared state of the program: the series tree, the coin, price and
// user-field lists, the per-country tables, the working folders and the
// change flags. The main window owns one tMainState; every subsystem's logic
// takes it by reference, so the logic runs and is tested without a window.
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/gradetitles.h"
#include "core/model/model.h"
#include "core/model/stateevents.h"

struct tUndoCoinInfo;  // core/collection/coinentries.h

// One default-structure file (".OVCD") of the Countries folder, read from
// its header when the program starts.
struct tCountryInfo {
    QString Name;            // also the file's base name and its picture folder
    QString Description;     // caption in lists; the list's sort key
    int32_t CountryID = 0;   // its series are CountryID x 1000 + n
    int32_t Continent = 0;   // 1 North America .. 8 Oceania
    bool IsPaper = false;
    int32_t FlagIndex = 0;
    QString AddOns;          // kept as read
    QString Path;            // CountriesRedirect + file name
    int32_t Tab = 0;         // 2 exonumia, 3 fantasy: left out of continent and kind classes
    uint8_t UpdateStatus = 0;
};

// One currency. ForexList positions are stored in files and settings.
struct tForex {
    QString Code;            // at most three letters; "-" Demonetized, "" None
    QString Description;
    QString CurrencySymbol;  // blanks included: "$ ", " €"
    bool SymbolIsPrefix = false;
    QChar ThousandsSymbol;   // null when the currency's format names none
    QChar DecimalSymbol;
    float Rate = 1.0f;       // units of this currency per US dollar
};

// One metal: its name and its number as stored in price entries (0: none).
struct MetalRec {
    QString Name;
    int32_t index = 0;
};

// One title of the selected series' grade scale with the grade slot it names.
struct tGradeTitle {
    QString Title;
    int Slot = 0;
};

// --- Collection file: grade titles of every scale, [kind 0 coins, 1 paper
// money][scale 0..4][slot -1..40 stored at index slot + 1]. Each title is at
// most 10 characters of 8-bit (Windows-1252) text.
// (tGradeTitles, in core/model/gradetitles.h, indexes as [kind][scale][slot + 1].)
constexpr int GradeScaleCount = GradeScales;
constexpr int GradeTitleLength = MaxGradeTitleLength;
// --- end collection file

// Bounds of the main window in screen pixels, and whether it is maximised.
struct tWindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Maximised = false;
    bool operator==(const tWindowPlacement &) const = default;
};

// The series index of the valuation (src/pricing/valuation/valuation.cpp).
struct tPriceIndex;

template <class T>
using OwningList = std::vector<std::unique_ptr<T>>;

struct tMainState {
    tMainState();
    ~tMainState();
    tMainState(const tMainState &) = delete;
    tMainState &operator=(const tMainState &) = delete;

    // Series tree. The root lives as long as the state.
    std::unique_ptr<tnodeinfo> EntireCollection;
    tnodeinfo *SelectedTreeNode = nullptr;
    std::array<int, 21> BlockList{};

    // Special series used by the picture tool and the structure loader.
    tnodeinfo *QuarterNode = nullptr;
    tnodeinfo *ATBNode = nullptr;
    tnodeinfo *DollarNode = nullptr;
    tnodeinfo *WomenNode = nullptr;
    tnodeinfo *ATBFiveOzNode = nullptr;
    tnodeinfo *QuarterFDCNode = nullptr;
    tnodeinfo *DollarFDCNode = nullptr;
    tnodeinfo *InnovationNode = nullptr;

    // Coin entries (owned) and the view of the selected series.
    OwningList<tCoinInfo> CoinList;
    std::vector<tCoinInfo *> CurrCoinList;
    int32_t MaxInventory = 0;

    // Price entries of every loaded country block (owned) and the view of
    // the selected series' price source.
    OwningList<tPriceInfo> PriceList;
    std::vector<tPriceInfo *> CurrPriceList;

    OwningList<tUDFfield> UDFlist;
    OwningList<tCountryInfo> CountryList;
    OwningList<tForex> ForexList;
    int ActiveForexIndex = 0;
    std::vector<tCoinInfo *> BinList;

    // Per-country tables, indexed by country number 0..1000.
    std::array<bool, CountryTableSize> PricesModifiedArray{};
    std::array<bool, CountryTableSize> PricesConvertedArray{};
    std::array<int32_t, CountryTableSize> PricesDatesArray{};
    std::array<int32_t, CountryTableSize> PriceListForexLinks{};

    // Change flags.
    bool DataModified = false;
    bool PricesModified = false;
    bool PricesConverted = false;
    bool DatesMayHaveChanged = false;

    // Working folders; each ends in one separator.
    QString BaseRedirect;
    QString FolderImagesRedirect;
    QString EbooksRedirect;
    QString PricesRedirect;
    QString CountriesRedirect;
    QString BackupsRedirect;
    QString ReportsRedirect;
    QString OtherRedirect;
    QString downloadsRedirect;
    QString SearchDriveRedirect;
    QString RepositoryPath;
    QString LastFileName;

    bool MaintainerMode = false;

    // Series per collecting theme, recounted by CalcNodeEntries.
    std::array<int, ThemeCount> ThemeQuantity{};

    // Notifications to the windows (core/model/stateevents.h).
    const std::unique_ptr<tStateEvents> Events = std::make_unique<tStateEvents>();
    // Some eBook index has unsaved changes: kept by the eBooks page, which
    // stores it when EbooksModifiedWanted is emitted.
    bool EbooksModified = false;

    // Currencies, metals and spot prices (pricing/valuation/forex, pricing/valuation/metals,
    // pricing/valuation/spotprices). MetalValues and MetalChanges hold silver, gold,
    // palladium and platinum (metals 1..4) per troy ounce, in the currency at
    // ForexList position SpotPricesCurrencyIndex.
    std::vector<tForex *> ReportListForex;  // the 162 built-in currencies of ForexList, not owned
    std::vector<MetalRec> MetalArray;       // the 118 metals sorted by name
    std::array<Money, 4> MetalValues{};
    std::array<Money, 4> MetalChanges{};
    int SpotPricesCurrencyIndex = 0;
    int32_t MetalValuesDate = 0;
    bool AutoSpotPrices = true;             // "Auto Spot prices"
    QString PushNote;                       // title of the last notice shown ("PushNote")
    // The update server: "host" or "host:port" (port 21 when none), the
    // setting "Update server", changed in the price-list window. Empty while
    // none is configured: the windows then say so, and the start-up fetch
    // of the spot prices is skipped.
    QString UpdateServerHost;
    // "Require TLS": never log in to the update server in the clear; a
    // server without TLS is then refused. Off, such a server is used
    // unencrypted and the log says so.
    bool RequireTls = false;

    // ---- Series tree view and series selection (src/browse/tree) ----
    // The expanded tree in display order (pre-order, root first), rebuilt by
    // the tree view's CalcVisibleNodes. Links only.
    std::vector<tnodeinfo *> VisibleNodeList;
    // Recently selected series that have prices, newest first, each once,
    // at most 11. Links only; offered as price sources.
    std::vector<tnodeinfo *> ClickTrackList;
    // Grade titles of the selected series' scale, refilled by every selection.
    std::vector<tGradeTitle> CurrGradeList;
    // 1-based position of the eBook whose indexed series the tree marks; 0 none.
    int IndicateEBook = 0;
    // "Show advanced status icons on the series page".
    bool StatusIcons = false;
    // Ask before deleting a price column; re-armed by every selection.
    bool AskingPrice = true;
    // Counts selections, so that work started for an earlier selection (the
    // statistics task) can tell that its result is no longer wanted.
    int SelectionSerial = 0;
    // ---- end of series tree view and series selection ----

    // ---- Coins page ----
    // The coin grid's current row: an index into CurrCoinList, -1 for none.
    // The grid and the entry editor both work on the coin at this row (and on
    // every coin whose selected flag is set).
    int CoinGridRow = -1;
    // ---- end of coins page ----
    // Countries and default structures (AutoAddStr is with the collection
    // file's settings below).
    // Set while catalogue series are being loaded: the loader lets window
    // events run, and commands that add, move or delete series must wait.
    bool StructureLoadActive = false;
    // Advanced whenever series are freed, so that a running load knows its
    // look-up of series by number has gone stale.
    uint64_t TreeGeneration = 0;
    // --- Collection file: the settings a collection file carries, and the
    // counters a read resets.
    QString OVversionString = QStringLiteral(ORVANTA_VERSION);  // major.minor.build
    std::array<QString, ThemeCount> ThemeNames;
    tGradeTitles GradeTitles3D;
    QString AutoAddStr;        // one character per country number; "N": offer no new types
    QString ColumnLayout;      // coin-grid layout as PackColumnData text
    std::array<int32_t, 3> CoinSortOrder{2, 3, 4};
    QStringList StoredBoxItems;
    QStringList GradedByBoxItems;
    int32_t LastItemNumberAccessed = 0;
    int32_t AutoSaveTicks = 0;
    // Why the last read of a collection file failed, in words for the
    // collector (shown under "unable to load"); empty after a good read.
    QString LoadFailure;
    // --- end collection file
    // ---- Settings store: options kept between runs (core/program/settings.h). ----
    // LoadFormState fills them at start; the main window shows them in its
    // menus and check boxes and keeps them current, and WriteFormState
    // stores those written at close.
    bool AutoSave = true;         // menu option AutoSave1
    bool AutoBin = true;          // menu option AutoBin1
    bool HighContrast = false;    // menu option HighContrast1, "Use large fonts"
    bool ViewHave = true;
    bool ViewNeed = true;
    bool ViewSell = true;
    bool ViewSold = true;
    bool ThumbNailsOut = false;   // the thumbnail panel is open
    int32_t TipIndex = 0;         // the tip shown last
    bool UseTips = true;
    QString DefaultReport;        // the report selected at the last close
    // Shortcut codes of the main-menu items by slot 1..42 (see ShortcutSlots).
    std::array<int32_t, 43> MenuShortcuts{};
    // Where the main window opens: set by LoadFormState.
    tWindowPlacement MainWindowPlacement;
    // ---- end of settings store ----
    // Reports: the rows of the last report run. They link records they do
    // not own: DeleteCoin, ClearCoins and the series removals purge them,
    // and whatever frees price entries must clear ReportListPrices as it
    // does CurrPriceList. ReportListForex (with the currencies above) is rebuilt
    // from ForexList before each run that prints currencies.
    std::vector<tnodeinfo *> ReportListSeries;
    std::vector<tPriceInfo *> ReportListPrices;
    std::vector<tCoinInfo *> ReportListCoins;

    // ---- Coin grid (browse/coins/coingrid) ----
    // (ViewHave..ViewSold are with the settings; CoinSortOrder, the sort keys
    // by grid column with a negative key ending the list, is with the
    // collection file's settings.)
    // Which key the next header click sets (0, 1 or 2), and the housekeeping
    // ticks left before a click starts a new sort again.
    int NextCoinSort = 0;
    int NextCoinSortCounter = 0;
    // The anchor row of the next Ctrl or Shift click: the current row after
    // every click and every refill of the list.
    int Lastrow = -1;
    // ---- end of coin grid ----
    // ---- Prices and valuation ----
    // Country blocks whose price file was not read when loaded (damaged, or
    // the User list left out in log mode). Their file stays as it is on
    // disk: no save overwrites it.
    std::array<bool, CountryTableSize> PricesDamagedArray{};
    // Whoever adds, removes or reorders entries of PriceList bumps this
    // (PriceListChanged in src/pricing/pricelists/pricelist.h), so that the valuation's
    // index by series number is rebuilt before its next look-up.
    std::atomic<uint64_t> PriceListGeneration{0};
    mutable std::shared_ptr<const tPriceIndex> PriceIndexCache;

    // ---- Coin entries and the entry editor (core/collection/coinentries, browse/coins/coineditor) ----
    // Undo records of entry edits, deletions and new entries, the newest last,
    // at most MaxCoinUndo. They link live entries, so DeleteCoin and
    // ClearCoins purge them; loading or clearing a collection empties the list.
    OwningList<tUndoCoinInfo> UndoCoinList;
    // Ask before deleting entries; the message's "Don't ask" box turns it off
    // for the rest of the run.
    bool AskingCoin = true;
    // (AutoBin, "Automatically add new coins to the report bin", is with the
    // settings.)
    // ---- end of coin entries and the entry editor ----
    // ---- Collection lifecycle (core/collection/collectionlifecycle) ----
    // Folder of the collection last opened or saved through a dialog.
    QString LastDir;
    // The welcome window is open.
    bool FileToOpenInUse = false;
    // An automatic save is running: the caption says so, and a tick that
    // arrives meanwhile does not start a second one.
    bool AutoSaveInProgress = false;
    // The closing question was answered "Discard" and the close goes on:
    // no automatic save may write the dropped changes after that.
    bool ChangesDiscarded = false;
    // ---- end of collection lifecycle ----

    // Advanced whenever coin entries are freed, so that a cache keyed by
    // entry (search and track's price rows) knows to drop its links.
    uint64_t CoinGeneration = 0;

    // Frees one coin entry and every non-owning link to it.
    void DeleteCoin(tCoinInfo *coin);
    // Frees every coin entry.
    void ClearCoins();
    // Removes a series with its subtree from the tree, first detaching every
    // coin and price entry and every reference that points into it.
    void DeleteSeries(tnodeinfo *node);
    // Empties the tree below the root, detaching everything that pointed in.
    void ClearSeries();

private:
    void PurgeNodeLinks(const std::vector<tnodeinfo *> &doomed);
};

// Creates a node, sets its number, country and parent and appends it to the
// parent's children (or inserts it at index when index >= 0).
tnodeinfo *AddChildNode(tnodeinfo *parent, int32_t coinType, int index = -1);

// Every node of a subtree, the given one first, children in list order.
std::vector<tnodeinfo *> PreOrder(tnodeinfo *top);

// Calls f on every node of a subtree in pre-order, without recursion, so any
// depth of tree is walked safely. f may reorder or change the children of
// the node it is given; they are visited as they stand after the call.
template <class F>
void ForEachNode(tnodeinfo *top, F &&f)
{
    if (!top)
        return;
    std::vector<tnodeinfo *> stack{top};
    while (!stack.empty()) {
        tnodeinfo *n = stack.back();
        stack.pop_back();
        f(n);
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }
}
