#pragma once
// What the series menus, the country credit picture and the empty-series
// callout show. The menus keep series numbers, never links: a click looks
// its series up, so an item whose series was deleted meanwhile selects
// nothing and touches nothing.
#include <vector>

#include <QString>

#include "core/model/mainstate.h"

struct tSeriesMenuItem {
    QString Text;       // menu caption, ampersands doubled
    int CoinType = 0;   // the series it selects
};

inline const QString NoRecentSeriesText = QStringLiteral("There are no recently used series");
inline const QString NoFavoriteSeriesText = QStringLiteral("There are currently no series marked as favories");
constexpr int RecentSeriesMax = 10;

// The "Recently used series" menu: newest first, each series once, at most 10.
struct tRecentSeries {
    std::vector<tSeriesMenuItem> Items;
    // Empties the menu; it then shows its placeholder.
    void Clear() { Items.clear(); }
    // Puts a series at the top.
    void Add(const tnodeinfo &node);
};

// A series as a menu item.
tSeriesMenuItem SeriesMenuItem(const tnodeinfo &node);
// The "Favorite series" menu: every favourite in tree order.
std::vector<tSeriesMenuItem> FavoriteItems(const tMainState &s);
// The series a menu item selects now; null when it is gone.
tnodeinfo *SeriesOfMenuItem(const tMainState &s, int coinType);

// ---- The country credit picture in the tree area's corner ----

// Tag bits of the picture chosen.
constexpr int CreditPictureMask = 0xFF;
constexpr int CreditShadow = 0x1000;
constexpr int CreditGlow = 0x2000;
constexpr int CreditDismissed = 0x8000;
constexpr int CreditGeneral = CreditShadow;   // picture 0 with its shadow
constexpr int CreditNone = -1;
// The picture of a country: none for 0 and 1000 upwards, a country's own
// for a few, else the general one.
int CreditPictureCode(int country);

struct tCreditPicture {
    int Tag = CreditNone;
    // "+" once the general picture came in for the current country.
    QString TagString;
    int LastSignCountry = 0;
};

enum class tCreditStep {
    Stay,             // the picture stays where it is
    SlideOutThenNext, // slide the shown picture out, then NextCreditPicture
    Next,             // NextCreditPicture at once
};
// A series of country `country` was selected; inView: the picture shows.
tCreditStep ShowCountryCredit(tCreditPicture &c, int country, bool inView);

struct tCreditShow {
    bool Show = false;   // slide a picture in
    int Picture = 0;     // 0..3
    bool Shadow = false;
    bool Glow = false;
};
// After the slide-out (or at once): whether and which picture slides in.
tCreditShow NextCreditPicture(tCreditPicture &c);
// A click sends the picture away.
void DismissCreditPicture(tCreditPicture &c);
// Size of the picture for the tree area's width: an eighth of it, 3:2.
int CreditPictureWidth(int areaWidth);
int CreditPictureHeight(int areaWidth);

// ---- The callout over the Pricing tab ----

// An empty user series (no price entries, no sub-series) cannot take coins
// until its price list has a column: the callout says so.
bool UserSeriesHintVisible(const tMainState &s);
inline const QString UserSeriesHintText = QStringLiteral(
    "The currently selected series is a user-defined series.  Before you can enter coins into this series, you "
    "must first add at least one column to the price list for this series.  The dates listed on the price list "
    "tell Orvanta when this type of coin was minted, information that is needed before coins can be entered.");
