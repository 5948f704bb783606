#pragma once
// The countries that the new-coin-type check looks at when a collection is
// opened, kept in AutoAddStr: one character per country number 0..999, "N"
// for a country that is skipped. An empty or short string, and a country
// number of 1000 or more, mean the country is checked.
#include <utility>
#include <vector>

#include <QString>

constexpr int AutoAddLength = 1000;
// Block number of the menu command that opens the window.
constexpr int AutoUpdateBlock = 4800;

// Whether the country's row starts checked: by AutoAddStr, and checked in
// any case when the last price-list update took its list (lastUpdate, the
// "PLU" numbers).
bool AutoAddInitiallyChecked(const QString &autoAddStr, int countryID, const std::vector<int> &lastUpdate);

// The selection buttons, by their Tag.
enum tAutoAddSelection : int { AutoSelectAllTag = 0, AutoSelectCoinsTag = 1, AutoSelectPaperTag = 2, AutoSelectNoneTag = 3 };
bool AutoAddSelectionChecks(int tag, bool isPaper);

// The string "OK" stores: 1000 characters "Y", "N" at every unchecked
// country numbered 0..999. rows: (country number, checked).
QString MakeAutoAddStr(const std::vector<std::pair<int, bool>> &rows);
