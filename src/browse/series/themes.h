#pragma once
// Collecting themes: 30 user-named tags across the series tree, one bit per
// theme in each series' Themes. The Themes side page tags the selected
// series and steps through the series carrying a theme; the theme setup
// window renames them. Both windows show what these functions work out.
#include <array>

#include <QString>

#include "core/model/mainstate.h"

// Whether series node carries theme t.
bool CarriesTheme(const tnodeinfo &node, int theme);
// Tags (on) or untags the selected series with theme t. Theme bits are stored
// in the collection file, so a change marks the collection modified.
void SetThemeBit(tMainState &s, int theme, bool on);

// The series a click on theme t's step button selects: the next carrier after
// the selected series in tree order (the root first), wrapping to the first.
// Null when no series carries the theme or the selected one is the only carrier.
tnodeinfo *NextThemeCarrier(const tMainState &s, int theme);

// Series per theme, the root included.
std::array<int, ThemeCount> CountThemeSeries(const tMainState &s);

// The names of the setup window's "Done": true when any changed, which marks
// the collection modified (the names are stored in its file).
bool SetThemeNames(tMainState &s, const std::array<QString, ThemeCount> &names);

// A theme is shown on the Themes page unless its name is blank.
bool ThemeIsNamed(const tMainState &s, int theme);
// The count under a theme's check box: "3 series".
QString ThemeCountText(int quantity);
// The picture of a theme's step button: "cancel" (3) when nothing carries
// the theme, else "Foward" (8), numbers of the 32 x 32 list.
int ThemeButtonImage(int quantity);
// A theme check box's width for its caption's measured width.
int ThemeCheckBoxWidth(double textWidth);
