#pragma once
// The four spot prices (silver, gold, palladium, platinum) and the daily
// "Spot prices" file the program fetches from the update server at start:
// the prices with their changes, the exchange rates, and a notice shown as
// a system notification once per title.
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QJsonObject>
#include <QRgb>
#include <QString>

#include "core/model/helpers.h"
#include "core/model/mainstate.h"
#include "platform/ftp.h"

extern const char *const SpotPricesFileName;  // "Spot prices"

// The file as stored (a tagged value stream): list begin, an unused
// integer, the day number, four prices and four changes in US dollars per
// troy ounce, the notice title and text, the number of rate pairs and the
// pairs (a code, not used, and the rate per US dollar). Pair i belongs to
// ForexList position i + 1: US dollars are never in the file.
struct tSpotFile {
    int32_t Unused = 0;
    std::optional<int32_t> Date;
    std::vector<Money> Values;    // as many as were read, silver first
    std::vector<Money> Changes;
    std::optional<QString> Title;
    std::optional<QString> Text;
    std::optional<int32_t> Count; // the number of pairs the file announces
    std::vector<std::pair<QString, float>> Pairs;  // the pairs read
    QString Error;                // why reading stopped early; empty when whole
    bool Complete() const { return Error.isEmpty(); }
};

// Reads as much of the layout as the bytes hold; never throws.
tSpotFile ReadSpotFile(const QByteArray &bytes);
// Writes a whole file in the layout above (the pairs' count is their number).
QByteArray WriteSpotFile(const tSpotFile &file);
// The file as JSON, for the dump tool.
QJsonObject SpotFileToJson(const tSpotFile &file);

// Puts what was read into the state: the date, the prices and changes (in
// US dollars), and the rates with the ones derived from them (CFA francs
// from the euro, the old Israeli currencies from the shekel, the old
// bolívar from the new). Rates that are not above 0 and pairs past the
// built-in currencies are dropped.
void ApplySpotFile(tMainState &s, const tSpotFile &file);

// The update server's account, shared with the download windows. Its host
// comes from UpdateServerHost.
platform::FtpAccount UpdateServerAccount(const tMainState &s);
// An update server is configured (the setting "Update server" has no
// default: without it nothing is fetched).
bool HasUpdateServer(const tMainState &s);
// The server's address as typed: "host" or "host:port" (port 1..65535), an
// IPv6 host in brackets. Returns it without surrounding blanks, or an empty
// text and the reason in error when it is not such an address. An empty
// text is valid: no server.
QString CheckServerAddress(const QString &text, QString *error);
// The client settings of the download windows.
platform::FtpTimeouts UpdateServerTimeouts();
// Tighter limits for the fetch at start-up, which must not hold the main
// window back for more than a few seconds when the server cannot be reached.
platform::FtpTimeouts StartupFetchTimeouts();

// Fetches the spot-price file into the Other folder. A failed transfer is
// ignored: the last good file stays in place.
void PullSpotFile(tMainState &s);
// Shows the notice as a system notification unless its title is the one
// shown last (letters A to Z in any case).
void PushNotice(tMainState &s, const QString &title, const QString &text);
// Builds ForexList and, with AutoSpotPrices, fetches (unless fetch is
// false) and reads the spot file. A damaged file keeps what was read before
// the damage and zeroes the changes; nothing is reported to the user.
void LoadForexAndSpotPrices(tMainState &s, bool fetch = true);

// Brings MetalValues and MetalChanges into the active currency.
void SquewSpotPrices(tMainState &s);

// What the bullion price strip of the main window shows: ten labels left to
// right, each 10 units after the previous one's right edge.
struct tMetalStripLabel {
    QString Text;
    QRgb Color = 0;     // 0: the strip's own text colour
    double Left = 0;
};
struct tMetalStrip {
    bool Visible = false;
    std::vector<tMetalStripLabel> Labels;
};
constexpr QRgb MetalDownColor = 0xFFFF0000;
constexpr QRgb MetalUpColor = 0xFF008000;
// Hidden with "Auto Spot prices" off and while no price is known (no
// date, every price 0).
tMetalStrip DisplayMetalValues(const tMainState &s, const TextWidthFn &measure);
