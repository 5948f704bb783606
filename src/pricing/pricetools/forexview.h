#pragma once
// The exchange-rates window's list: every currency of the table with its
// rate against the active currency, sortable by any column, an amount to
// compare in both directions, and choosing the active currency.
#include <vector>

#include <QChar>
#include <QString>

#include "core/model/mainstate.h"

// One row: a snapshot of a currency taken when the window opens.
struct tLocalForex {
    QString Code;
    QString Description;
    float Rate = 0;  // units per US dollar
    int Row = 0;     // position in ForexList
};

// The grid's columns, by their original index.
enum tForexColumn : int { ForexColCode = 0, ForexColDescription = 1, ForexColToActive = 2, ForexColFromActive = 3 };

// Every currency of ForexList in table order but "Demonetized" and "None".
std::vector<tLocalForex> BuildLocalForexList(const tMainState &s);

// Sorts by a column: codes and descriptions rising (letters A to Z in any
// case), "=Rate" by rising rates, "Rate=" by falling ones. Rows with equal
// keys keep their order, so sorting twice changes nothing.
void SortForex(std::vector<tLocalForex> &rows, int column);

// Whether a row's rate can be worked with: a currency whose rate is 0 (not
// yet known) cannot be compared with or chosen, as every conversion would
// divide by it.
bool UsableForexRate(float rate);

// The text of a cell. "=Rate": what amount units of the row's currency are
// worth in the active one ("1.00 EUR = 1.11111 USD"); "Rate=": what amount
// units of the active currency are worth in the row's. A dash when either
// rate is not usable, or for another currency while no rates are known.
QString ForexCellText(const tMainState &s, const tLocalForex &row, int column, double amount,
                      QChar decimalSep = QLatin1Char('.'));

// The comparison amount as the box shows it ("1.00").
QString ForexAmountText(double amount, QChar decimalSep = QLatin1Char('.'));
// The comparison amount typed; 1 when the text is not a number.
double ParseForexAmount(const QString &text, QChar decimalSep = QLatin1Char('.'));
// The box takes at most one decimal separator: false for a text holding two.
bool AcceptForexAmountText(const QString &text, QChar decimalSep = QLatin1Char('.'));

// Whether the row's currency can be made the active one: its rate is
// usable, and rates are known unless it is the active currency or dollars.
bool CanSelectForex(const tMainState &s, const tLocalForex &row);
// Makes the row's currency the active one, converts every loaded price list
// and the spot prices into it. Returns false, changing nothing, for a row
// whose rate is not usable and for any other currency while no exchange
// rates are known.
bool SelectForex(tMainState &s, const tLocalForex &row);

// What the window says while no exchange rates are known; empty once they are.
QString NoExchangeRatesText(const tMainState &s);

// "Currently selected currency: USD (United States Dollar)".
QString SelectedCurrencyText(const tMainState &s);
