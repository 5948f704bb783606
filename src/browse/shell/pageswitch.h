#pragma once
// What the main window works out when the user enters one of its pages:
// the page tags, the price entry that matches the current coin, and the texts
// of the Pricing page's caption and status line.
#include <functional>
#include <vector>

#include <QString>

struct tMainState;
struct tnodeinfo;
struct tCoinInfo;
struct tPriceInfo;

// Tags of the pages of the main tab control; PageTabs's own tag holds the
// tag of the page entered last.
enum tMainPage : int {
    PageSeries = 0,
    PageEbooks = 1,
    PagePricing = 2,
    PageCoins = 3,   // "Bills" for paper money
    PageImages = 4,
    PageGraphs = 5,
    PageReports = 6,
};
constexpr int MainPageCount = 7;

// Tags of the side pages of the Series page and of their corner buttons.
enum tSidePage : int {
    SideImage = 0,
    SideThemes = 1,
    SideStats = 2,
};

// What the window knows when a page is entered.
struct tPageEntryFacts {
    int Page = PageSeries;          // the page entered
    int PreviousPage = PageSeries;  // the page entered before it
    bool PricesModified = false;
    bool DatesMayHaveChanged = false;
    bool StatsSideShown = false;    // the Series page shows its statistics side page
    bool SeriesSelected = false;
    bool CoinRowValid = false;      // the coin grid's row holds an entry
};

// What entering a page refreshes.
struct tPageEntry {
    bool RecountSeries = false;    // entry counts of the series and the tree
    bool RecalcDates = false;      // the series' date ranges
    bool ResortPrices = false;     // leaving the Pricing page after prices changed
    bool RefreshPricing = false;   // country and price date, shared-prices status, hot price, the rows
    bool RefreshStats = false;     // the statistics side page
    bool CoinCaption = false;      // the caption names the entry (Images page)...
    bool SeriesCaption = false;    // ... or the selected series
    bool RefreshImages = false;    // the entry's pictures and their buttons
    bool RefreshCoins = false;     // recent series, date and mint list, sorting, the current row
    bool RefreshEbooks = false;
    bool RefreshChart = false;
    bool RefreshReports = false;
    bool operator==(const tPageEntry &) const = default;
};
tPageEntry PageEntryPlan(const tPageEntryFacts &facts);

// Index in prices of the last entry that matches the coin: same year, and
// mint, unpacked variety and grade modifier equal ignoring case; -1 when none.
int FindHotPrice(const std::vector<tPriceInfo *> &prices, const tCoinInfo &coin);

// The series number whose price list applies to a series.
int PriceSourceOf(const tnodeinfo &node);

// The status line of the Pricing page: names the series whose prices are
// shared, or is empty when the series has its own list.
QString SharedPricesStatus(const tMainState &s, const tnodeinfo &node);

// The price date of a country as a short date, empty when it has none.
QString PriceDateText(const tMainState &s, int country);
