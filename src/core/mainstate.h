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

#include "core/model.h"

struct tCountryInfo {
    QString Name;
    QString Description;
    int32_t CountryNumber = 0;
    int32_t Continent = 0;   // 1..8
    bool Paper = false;
    int32_t FlagIndex = 0;
    QString FilePath;
    int32_t Tab = 0;
    QString AddOns;
    int32_t UpdateStatus = 0;
};

struct tForex {
    QString Code;          // three letters; "-" Demonetized, "" None
    QString Description;
    QString Symbol;
    bool SymbolFirst = false;
    QChar Thousands = QLatin1Char(',');
    QChar Decimal = QLatin1Char('.');
    double Rate = 0;       // units per US dollar
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

    // Prices and valuation: the status line and the tree view belong to the
    // main window, the currency conversion of freshly loaded price lists to
    // the currency code, and "Currency Index" to the settings store.
    std::function<void(const QString &)> SetStatusText;
    std::function<void()> RenderTree;
    std::function<void()> ConvertPriceListCurrency;
    std::function<void()> SaveCurrencyIndex;
};

// The series index of the valuation (src/pricing/valuation.cpp).
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

    tStateHooks Hooks;

    // ---- Prices and valuation ----
    // Spot prices per troy ounce of metals 1..4 (silver, gold, palladium,
    // platinum) in the active currency; 0 when unknown.
    std::array<Money, 4> MetalValues{};
    // Country blocks whose price file could not be read when loaded. Their
    // file stays as it is on disk: no save overwrites it.
    std::array<bool, CountryTableSize> PricesDamagedArray{};
    // Whoever adds, removes or reorders entries of PriceList bumps this
    // (PriceListChanged in src/pricing/pricelist.h), so that the valuation's
    // index by series number is rebuilt before its next look-up.
    std::atomic<uint64_t> PriceListGeneration{0};
    mutable std::shared_ptr<const tPriceIndex> PriceIndexCache;

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
