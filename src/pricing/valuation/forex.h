#pragma once
// Currencies: the built-in currency table, the active currency, conversion
// of the loaded price lists into it, and amounts written in a currency's own
// style.
#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"
#include "core/model/money.h"

// ForexList positions. They are stored in collection settings, price-list
// files and PriceListForexLinks; keep them.
constexpr int UsdForexIndex = 0;
constexpr int EurForexIndex = 44;
constexpr int IlsForexIndex = 62;
constexpr int VesForexIndex = 148;
constexpr int XafForexIndex = 157;
constexpr int XofForexIndex = 158;
constexpr int VefForexIndex = 159;
constexpr int IlrForexIndex = 160;
constexpr int IlpForexIndex = 161;
constexpr int BuiltInForexCount = 162;     // positions 0..161
constexpr int DemonetizedForexIndex = 162; // Code "-"
constexpr int NoneForexIndex = 163;        // empty Code

// Compares two texts with only the letters A to Z folded to upper case, so
// that the order and equality never depend on the user's locale.
int CompareTextAscii(const QString &a, const QString &b);
inline bool SameTextAscii(const QString &a, const QString &b) { return CompareTextAscii(a, b) == 0; }

// The 162 rows of the built-in currency table ("code|symbol|format|
// description"), in position order, from the program's resources.
QStringList BuiltInForexRows();

// One table row into a currency with Rate 1.0. The format is "L" or "R"
// (symbol before or after the amount), the thousands separator and the
// decimal separator; a missing part leaves its field empty.
tForex ParseForexEntry(const QString &row);

// Rebuilds ForexList from the built-in table ("Demonetized" and "None" at
// positions 162 and 163, both with rate 0) and ReportListForex as a view of
// the first 162 entries.
void LoadForexList(tMainState &s);

// The position a stored currency index stands for: itself when it names a
// built-in currency with a usable rate, else US dollars. Amounts are only
// ever converted through such a position, so no conversion divides by 0.
int ValidForexIndex(const tMainState &s, int index);
// Puts ActiveForexIndex through ValidForexIndex and returns it.
int NormalizeActiveForex(tMainState &s);
// The rate of the currency ValidForexIndex(index) names; never 0.
double ForexRateOf(const tMainState &s, int index);
// Whether exchange rates are known: every built-in rate is 1.0 until a
// spot-price file or the user sets them, and converting at those rates
// would only rename amounts. True once any currency but the US dollar has a
// usable rate other than 1.
bool ExchangeRatesKnown(const tMainState &s);

// Brings every loaded price list into the active currency. Returns the text
// for the status line ("1 Price list was just converted to Euro Member
// Countries"), empty when no list needed converting; the same text goes to
// the PriceListsConverted hook.
QString ConvertPriceListCurrency(tMainState &s);

// The amount in a currency's own style with grouped thousands and two
// decimals. The currency is the first one whose code equals forexCode
// (letters A to Z in any case), the active one when forexCode is empty; an
// unknown code gives the empty text. Safe to call from any thread: it reads
// the list and touches no process-wide state.
QString NativeFormatCurrency(const tMainState &s, Money inAmount, const QString &forexCode);
