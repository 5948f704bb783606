#pragma once
// The program's six report data sets ("Coins", "Prices", "Series",
// "Collection", "eBooks", "Forex"): a cursor over the rows of the last
// report run and the value of each field by name (names compared ignoring
// case; a name a data set does not answer gives empty text).
//
// The fields answered here are those that follow from the records and the
// series tree. Fields that need the currency, metal, grade-title or eBook
// services (currency codes after "/", the " ($£€¥)" formatted forms, melt
// values, price-row aggregates, picture paths) answer empty text until
// those services are wired in.
#include <functional>

#include <QString>

#include "core/model/mainstate.h"
#include "reports/engine/reportengine.h"
#include "reports/run/paraminfo.h"

// What a run needs from the windows above it; the main window installs it.
struct tReportEnvironment {
    // The file path of a series picture, resolved as the series picture
    // panel resolves it (empty when the series has none). Unset: no series
    // has a picture file.
    std::function<QString(const tnodeinfo &series, bool obverse)> SeriesPicturePath;
    // The coin grid's current row (an index into CurrCoinList), -1 none.
    std::function<int()> CurrentCoinRow;
    // The name of collecting theme 0..29.
    std::function<QString(int theme)> ThemeName;
    // The title of a grade slot (-1..40) in a grade scale, of the paper-money
    // titles or the coin titles.
    std::function<QString(bool paper, int scale, int grade)> GradeTitle;
};

class tReportData {
public:
    explicit tReportData(tMainState &s);
    tReportData(const tReportData &) = delete;
    tReportData &operator=(const tReportData &) = delete;

    tReportDataSet Coins;
    tReportDataSet Prices;
    tReportDataSet Series;
    tReportDataSet Collection;
    tReportDataSet Ebooks;
    tReportDataSet Forex;

    // Cursors, moved only by the engine.
    int ReportIndexCoins = 0;
    int ReportIndexPrices = 0;
    int ReportIndexSeries = 0;
    int ReportIndexCollection = 0;
    int ReportIndexEbooks = 0;
    int ReportIndexForex = 0;

    // The report entry being run (the Series "Theme filter" reads it) and
    // the services of the windows above (not owned; may be nullptr).
    const tParamInfo *RunParams = nullptr;
    const tReportEnvironment *Env = nullptr;

    void AddTo(tReportEngine &engine);

    tReportValue CoinValue(const QString &name);
    tReportValue PriceValue(const QString &name);
    tReportValue SeriesValue(const QString &name);
    tReportValue CollectionValue(const QString &name);
    tReportValue ForexValue(const QString &name);

private:
    tMainState &s_;
};

// The coin's price entry, looked up through valuation when not cached and
// then cached on the coin; nullptr when it matches none.
tPriceInfo *LookUpCoinPrice(tMainState &s, tCoinInfo &coin);
// The coin's value (its locked price, else its price entry's value, else 0).
Money CoinReportValue(tMainState &s, tCoinInfo &coin);

// The answer of a user field's slot text by the field's type: texts as they
// are, a check box true when the text starts with "T", money the real
// number at the start ("." decimal), dates and numbers the whole number at
// the start, real numbers read in the user's number format; empty space
// has no answer.
tReportValue UserFieldValue(const tUDFfield &field, const QString &text);

// "Entire collection" for the root; else, walking up, the first series
// that denotes a country or the series just below the root.
QString ReportCountryName(const tnodeinfo *node);
// Report texts of the series shapes 0..10; empty above.
QString ShapeName(int shape);
// (The name of a special value code is ValueCodeName, pricing/valuation/valuation.h.)
// A stored price cell as a report value: a negative amount is a special
// value code (its whole part without sign) answered by name.
tReportValue PriceCellToVariant(Money amount);
