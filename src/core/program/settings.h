#pragma once
// The program's settings: typed reads and writes of the flat values in the
// settings store (platform/settingsstore.h), what the main window reads at
// start (LoadFormState) and writes when it closes (WriteFormState), and the
// placement of the main window.
//
// Values written by other windows at their own moments ("Gold price" and
// the other spot prices, "Metal date", "Auto Spot prices", "Repository",
// "Tip Index", "Show Tips", "RF0".."RF9", "SearchHistory", "PLU",
// "PushNote") are written by those windows as they act, through the
// WriteReg functions below; the close never writes them, so a stale copy can
// never overwrite what such a window stored.
#include <cstdint>
#include <vector>

#include <QLatin1StringView>
#include <QSize>
#include <QString>

#include "core/model/mainstate.h"
#include "core/model/money.h"

// The names of the values, exactly as stored (case and blanks included).
namespace RegName {
constexpr QLatin1StringView AutoSave("Auto Save");
constexpr QLatin1StringView AutoBin("Auto Bin");
constexpr QLatin1StringView StatusIcons("Status icons");
constexpr QLatin1StringView GoldPrice("Gold price");
constexpr QLatin1StringView PalladiumPrice("Palladium price");
constexpr QLatin1StringView SilverPrice("Silver price");
constexpr QLatin1StringView PlatinumPrice("Platinum price");
constexpr QLatin1StringView MetalDate("Metal date");
constexpr QLatin1StringView AutoSpotPrices("Auto Spot prices");
constexpr QLatin1StringView CurrencyIndex("Currency Index");
constexpr QLatin1StringView WindowWidth("WindowWidth");
constexpr QLatin1StringView WindowHeight("Windowheight");
constexpr QLatin1StringView WindowLeft("WindowLeft");
constexpr QLatin1StringView WindowTop("WindowTop");
constexpr QLatin1StringView FullScreen("FullScreen");
constexpr QLatin1StringView Repository("Repository");
constexpr QLatin1StringView LargeText("Large text");
constexpr QLatin1StringView ShowHave("Show Have");
constexpr QLatin1StringView ShowNeed("Show Need");
constexpr QLatin1StringView ShowSell("Show Sell");
constexpr QLatin1StringView ShowSold("Show Sold");
constexpr QLatin1StringView Thumbnails("Thumbnails");
constexpr QLatin1StringView TipIndex("Tip Index");
constexpr QLatin1StringView ShowTips("Show Tips");
constexpr QLatin1StringView Report("Report");
constexpr QLatin1StringView SearchHistory("SearchHistory");
constexpr QLatin1StringView PLU("PLU");
constexpr QLatin1StringView PushNote("PushNote");
// The update server's address, "host" or "host:port"; no default.
constexpr QLatin1StringView UpdateServer("Update server");
// Refuse the update server's plain-text login when it offers no TLS.
constexpr QLatin1StringView RequireTls("Require TLS");
// The maker's web site, video channel page and e-mail address behind the
// contact commands; no defaults.
constexpr QLatin1StringView MakerWebSite("Maker web site");
constexpr QLatin1StringView MakerVideoPage("Maker video page");
constexpr QLatin1StringView MakerEMail("Maker e-mail");
} // namespace RegName
// "S1".."S42": ShortcutValueName(slot). "RF0".."RF9": RecentFileValueName(digit).
QString RecentFileValueName(int digit);

// How a value is stored; Boolean values are stored as 32-bit integers 0 or
// 1, money as 8 bytes: the amount in ten-thousandths, little-endian.
enum class tRegType { Bool, Integer, String, Money };

struct tRegValue {
    QString Name;
    tRegType Type;
};

// Every value the program keeps, in the order of the list of settings.
const std::vector<tRegValue> &RegValues();

// A main-menu item whose shortcut is kept as "S" + Slot.
struct tShortcutSlot {
    int Slot;
    QLatin1StringView MenuItem;  // object name of the menu item
    int32_t Default;             // shortcut code when nothing is stored
};
// The 40 slots 1..42 (there are no slots 4 and 28).
const std::vector<tShortcutSlot> &ShortcutSlots();
QString ShortcutValueName(int slot);

// Typed reads. A Boolean or integer that is missing or not stored as an
// integer gives Default; any non-zero integer reads as True. Money that is
// missing or not 8 bytes of binary gives 0. A missing string gives the empty
// string whatever Default says; one stored with another type gives Default.
// A store that cannot be read throws platform::SettingsError.
bool ReadRegBool(const QString &Name, bool Default);
int32_t ReadRegInteger(const QString &Name, int32_t Default);
QString ReadRegString(const QString &Name, const QString &Default);
Money ReadRegCurrency(const QString &Name);

// Typed writes, each stored durably before it returns; a failure throws
// platform::SettingsError and leaves the stored value as it was.
void WriteRegBool(const QString &Name, bool Value);
void WriteRegInteger(const QString &Name, int32_t Value);
void WriteRegString(const QString &Name, const QString &Value);
void WriteRegCurrency(const QString &Name, Money Value);

// The stored window size is used only when both sides are at least this.
constexpr int MinStoredWindowSide = 400;

// Where the main window opens, from the stored bounds and the size of the
// screen. Stored sides below 400 (a first start) give 80 % of the screen at
// 10 % from its top-left corner, never maximised. Otherwise the bounds are
// cut to the screen and moved onto it, and the window is maximised when
// stored.Maximised ("FullScreen") says so.
tWindowPlacement PlaceMainWindow(const tWindowPlacement &stored, QSize screen);

// Reads the start-up settings into the state in their fixed order and sets
// MainWindowPlacement for a screen of that size. "FullScreen" is read only
// when the stored size is used. When the store cannot be read at all, every
// value takes its default and the failure is reported (AppException).
void LoadFormState(tMainState &s, QSize screen);

// What the main window passes in when it closes.
struct tClosingWindow {
    tWindowPlacement Window;  // current bounds; Maximised when maximised
    QString SelectedReport;   // text of the report selected, empty for none
};

// Writes the settings kept at close in their fixed order. The bounds are
// written only when the window is not maximised, so the last normal bounds
// stay stored. The first failure ends the writing (the rest keep their old
// values) and is only logged: the program is closing. Returns whether
// everything was written.
bool WriteFormState(const tMainState &s, const tClosingWindow &closing);
