#pragma once
// The shared state of the program: the series tree, the coin, price and
// user-field lists, the per-country tables, the working folders and the
// change flags. The main window owns one tMainState; every subsystem's logic
// takes it by reference, so the logic runs and is tested without a window.
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model.h"

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

// Calls from the core into subsystems built above it. Each subsystem that
// owns the behaviour installs its function when the main window is built;
// unset hooks do nothing, so the core runs alone in tests.
struct tStateHooks {
    std::function<void()> SeriesSelected;
    std::function<void()> ReloadPriceLists;
    std::function<void()> RefreshThemeButtons;
    std::function<void()> SetSaveMenuVisibility;
    std::function<void()> SetMainCaption;
    std::function<void()> ProcessEvents;

    // Currencies and spot prices (pricing/forex, pricing/spotprices).
    // After a price-list conversion: show statusText on the status line when
    // it is not empty, set ForexLabel to the active currency's description and
    // redraw the price grid when the Pricing page is showing.
    std::function<void(const QString &statusText)> PriceListsConverted;
    // Stores the title of the last spot-file notice shown ("PushNote").
    std::function<void(const QString &title)> StorePushNote;

    // Price-list download (updates/priceupdate): steps that belong to the
    // price lists, the countries, the tree view and the settings store.
    // Removes the country's entries from PriceList after clearing every link
    // to them (coins' PriceInfo, CurrPriceList, the price summary, report
    // lists, price undo records), frees them and reads the country's list
    // afresh from the Prices folder.
    std::function<void(int country)> ReloadCountryPrices;
    // Puts PriceList into price-list order.
    std::function<void()> ResortPrices;
    // Writes every price list with unsaved changes.
    std::function<void()> SavePricesToFile;
    // Offers the new catalogue series of the collection's countries.
    std::function<void()> CheckForNewTypes;
    std::function<void()> RenderTree;
    // The 1,001 day numbers of a "PriceDates.Dat" file; throws when the file
    // cannot be read whole. Unset: the download's own reader is used.
    std::function<std::array<int32_t, CountryTableSize>(const QString &path)> ReadPriceDatesDat;
    // A string value of the settings store ("PLU"): empty when there is none.
    std::function<QString(const QString &name)> ReadSettingString;
    std::function<void(const QString &name, const QString &value)> WriteSettingString;
};

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

    tStateHooks Hooks;

    // Currencies, metals and spot prices (pricing/forex, pricing/metals,
    // pricing/spotprices). MetalValues and MetalChanges hold silver, gold,
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
    // The update server: "host" or "host:port" (port 21 when none); empty
    // while no server is configured, and then every online step fails as an
    // unreachable server does.
    QString UpdateServerHost;

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

template <class F>
void ForEachNode(tnodeinfo *top, F &&f)
{
    if (!top)
        return;
    f(top);
    for (auto &c : top->ChildNodes)
        ForEachNode(c.get(), f);
}
