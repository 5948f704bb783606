#pragma once
// The Countries Explorer's entries: the countries and regions of the
// catalogue that a collector browses on five tabbed lists and adds to the
// collection. They come from "Countries.Data" in the Other folder (a tagged
// value stream); the maintainer rebuilds that file from "Countries.ini".
// Everything here is plain logic; the window (TCountryForm) only shows it.
#include <array>
#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

namespace platform {
class IniFile;
}

// One entry of "Countries.Data". Fields in the file's order differ from this
// order; see WriteCountryItems.
struct tCountryItem {
    QString Name;
    QString Prefix;          // a second title line; "+" first: it follows the name
    int32_t XX = 0;          // latitude in whole degrees
    int32_t YY = 0;          // longitude in whole degrees
    int32_t zz = 0;          // not stored
    int32_t tab = 0;         // tExplorerTab
    int32_t Flag = 0;        // index into the flag pictures
    int32_t GoToSeries = 0;  // series to go to once it is in the collection; 0 none
    int32_t Index = 0;       // what adding loads: a country number or a class id
    QString Notes;           // may hold line breaks
    bool operator==(const tCountryItem &) const = default;
};

// The explorer's five lists, by the stored tab number.
enum tExplorerTab : int {
    CoinsTab = 0,
    PaperTab = 1,
    ExonumiaTab = 2,
    FantasyTab = 3,
    RegionsTab = 4,
};
constexpr int ExplorerTabCount = 5;

inline const QString CountriesDataName = QStringLiteral("Countries.Data");
inline const QString CountriesIniName = QStringLiteral("Countries.ini");

// Reads "Countries.Data"; raises StreamReadError on a damaged stream.
std::vector<tCountryItem> ReadCountryItems(const QByteArray &data);
// The file on disk; raises std::runtime_error naming it when it is missing
// or cannot be read, StreamReadError when it is damaged.
std::vector<tCountryItem> LoadCountryItemsFile(const QString &path);
// The stream of "Countries.Data" for the entries, in the given order.
QByteArray WriteCountryItems(const std::vector<tCountryItem> &items);

// The entries split into the five lists, each in file order. An entry whose
// tab names no list is left out rather than given a list of its own.
std::array<std::vector<tCountryItem>, ExplorerTabCount> SplitByTab(std::vector<tCountryItem> items);

// ---- Maintainer rebuild from "Countries.ini" ----

// Native name 1..52 of the built-in table; empty for any other number.
QString NativeName(int number);
// Notes as the INI writes them: every "<>" stands for a line break.
QString NotesLineBreaks(const QString &notes);
// The entries the INI describes, in the order "Countries.Data" lists them:
// the world-wide classes (Index 9998 and above) first, then the rest, each
// group by section name ignoring case. The last section is the flag table
// "FlagIndex", not an entry.
std::vector<tCountryItem> CountryItemsFromIni(const platform::IniFile &ini);
// Rebuilds outPath from the INI at iniPath through a temporary file. Returns
// false (writing nothing) when the INI names no entry; raises
// std::runtime_error when the file cannot be written.
bool BuildCountriesData(const QString &iniPath, const QString &outPath);

// ---- What the window shows for an entry ----

// The title over the globe: the native name above the name, or below it
// when Prefix begins with "+". "&" is doubled so labels show it.
QString CountryTitle(const tCountryItem &item);
// Entries of the world-wide classes set the globe spinning.
bool IsWorldWide(int index);

// The globe's turn for a location, degrees: first about Y by the longitude,
// then tilted about X and Z by the latitude split by the longitude's cosine
// and sine.
struct tGlobeAngles {
    double X = 0;
    double Y = 0;
    double Z = 0;
};
tGlobeAngles GlobeAngles(double latitude, double longitude);
// The map point the turned globe shows at its centre.
double GlobeCentreLatitude(const tGlobeAngles &a);

// The add button's look for the current selection.
struct tAddButton {
    QString Text;
    int Picture = 9;               // 9 add, 8 go to
    int32_t GoTo = 0;              // number of the series to go to instead of adding; 0 none
};
inline const QString AddTheseCountriesText = QStringLiteral("Add these countries");
// For one entry: "Go To / This / Country" when its go-to series is in the
// tree, else "Add This" over "Region" (Regions tab) or "Country".
tAddButton AddButtonFor(const tMainState &s, const tCountryItem &item);
// Caption of the title label while several entries are selected.
QString CountriesSelectedText(int count);

// ---- Keyboard ----

// The list's current index after a key: Up, Down, Page Up, Page Down
// (pageItems whole rows) and letters (the first name starting with it;
// unchanged when none does), clamped to the list. -1 for a key the list
// does not handle.
int KeyTargetIndex(int key, int current, int pageItems, const QStringList &names);

// ---- Adding ----

// The series whose number is coinType, searched from the root in pre-order.
tnodeinfo *FindSeriesNode(const tMainState &s, int coinType);

// Loads the default structures of the selected entries in order (or goes
// to the series numbered rememberedSeries when the tree holds it; 0: none
// remembered) and returns the series to
// select: the first series a load produced, or the last entry's go-to
// series once it exists; null when nothing resulted. Reloads the price
// lists and recounts the tree after a load.
tnodeinfo *AddCountryItems(tMainState &s, const std::vector<const tCountryItem *> &selected,
                           int rememberedSeries);
