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

// Tags of the pages of the main tab control; TabControl1's own tag holds the
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
