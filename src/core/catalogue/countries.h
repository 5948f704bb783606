#pragma once
// The country list and the default-structure loader. Catalogue series reach
// the series tree only from the default-structure files (".OVCD", one per
// country) of the Countries folder: a new collection loads country 0, the
// Countries Explorer loads what the user picks, and after a collection is
// opened the check for new types offers what the collection lacks.
#include <cstdint>

#include <QString>

#include "core/model/mainstate.h"

// A load request names one country, or with a number of 9979..9999 a class
// of countries.
constexpr int ExonumiaClass = 9979;        // entries with Tab 2
constexpr int FantasyClass = 9980;         // entries with Tab 3
constexpr int AutoAddClass = 9981;         // every country not refused in AutoAddStr
constexpr int FirstContinentClass = 9982;  // 9982 + 2 (c - 1): continent c's coins; + 1 its paper money
constexpr int AllCoinsClass = 9998;
constexpr int AllPaperClass = 9999;
constexpr int FirstCountryClass = ExonumiaClass;
constexpr int LastCountryClass = AllPaperClass;

// Load modes: add missing series and update the others, or only mark on each
// existing series how it differs from the catalogue (GlyphStats).
enum : uint8_t {
    StructureAddUpdate = 0,
    StructureCompare = 1,
};

// Which entry of a country number a load takes.
enum tCountryKind : int {
    AnyKind = 0,
    CoinsKind = 1,
    PaperKind = 2,
};

// Fills CountryList from the headers of the Countries folder's files, the
// first file found for a number winning, sorted for display.
void LoadCountries(tMainState &s);
// Continent ascending, coins before paper money, then Description compared by
// code units with ASCII letters upper-cased; equal entries keep their order.
void SortCountryList(OwningList<tCountryInfo> &list);
// "User" from 1000 on; otherwise the listed name, or empty.
QString GetCountryName(const tMainState &s, int countryID);
// True when AutoAddStr marks the country "N".
bool AutoAddRefused(const tMainState &s, int countryID);

// Applies the default structures of a country or class. Returns the number of
// records processed. firstNode receives the root for a class, else the series
// of the first record applied in add-and-update mode (null when none).
// onlyLoaded marks an update run: class loads skip countries not yet in the
// tree, and new series carry the "added by the last update" marks.
// keepPlaces adds only what is missing: series already in the tree (the
// user's own among them) stay where they are.
int LoadCountryStructures(tMainState &s, int classID, uint8_t mode, bool onlyLoaded, tnodeinfo *&firstNode,
                          bool keepPlaces = false);
// The same; afterwards every series the user locked against moving is back
// at its old place among its siblings.
int LoadCountryStructuresKeepLocked(tMainState &s, int classID, uint8_t mode, bool onlyLoaded,
                                    tnodeinfo *&firstNode);

// Moves the user series among parent's children whose names begin like name
// (or that name begins like) next to node.
void GroupUserSeries(const QString &name, tnodeinfo *parent, tnodeinfo *node);

// Counts the catalogue series that the collection's countries lack and offers
// to add them.
void CheckForNewTypes(tMainState &s);

// "Update this series": re-applies the default structures to the selected
// series' country, or to every country in the tree when the root is selected.
void UpdateSeries1Click(tMainState &s);
