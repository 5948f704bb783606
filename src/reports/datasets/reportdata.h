#pragma once
// The program's six report data sets ("Coins", "Prices", "Series",
// "Collection", "eBooks", "Forex"): a cursor over the rows of the last
// report run and the value of each field by name (names compared ignoring
// case; a name a data set does not answer gives empty text), plus the
// before-print step that fills picture objects bound to coin and series
// pictures.
//
// Field names may carry two suffixes: " ($£€¥)" asks for the amount written
// in its currency's own style, and "/CODE" converts a money amount from the
// active currency into the currency with that code.
#include <functional>

#include <QImage>
#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"
#include "reports/engine/reportengine.h"
#include "reports/run/paraminfo.h"

// One PDF catalogue of the eBook library, as reports print it.
struct tReportEbook {
    QString PdfFileName;     // the PDF's path
    QString EbookFileName;   // its index file's path
    int PagesIndexed = 0;    // number of series bound to pages
    bool Indexed = false;    // its index file was read
};

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
    // titles or the coin titles. Unset: the collection's own grade titles.
    std::function<QString(bool paper, int scale, int grade)> GradeTitle;
    // The series tree's 32 x 32 pictures: 0 the collection's safe, 1 a coin
    // series, 2 a paper-money series. Unset: white.
    std::function<QImage(int index)> SeriesTypeIcon;
    // The PDF catalogues of the eBook library. Unset: none.
    std::function<std::vector<tReportEbook>()> Ebooks;
};

// The aggregates of the user's coin entries for one price row, kept for the
// row last asked so that a template printing many of them scans the
// collection once per row.
struct tPriceSummary {
    const tPriceInfo *PriceInfo = nullptr;  // the row the fields hold; none: nothing cached
    bool HaveOne = false;
    int32_t HaveQuantity = 0;
    int32_t NeedQuantity = 0;
    int32_t SellQuantity = 0;
    int32_t SoldQuantity = 0;
    int32_t MinimumGrade = NoGrade;
    int32_t MaximumGrade = NoGrade;
    std::array<int32_t, GradeSlots> Items{};    // per grade slot: sum of Have
    std::array<int32_t, GradeSlots> Entries{};  // per grade slot: number of entries
};

// Recomputes the aggregates of a price row over every coin entry of the
// collection (not only the report's), honouring the row's merge mode.
void BuildPriceSummary(const tMainState &s, const tPriceInfo &row, tPriceSummary &summary);

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

    // The aggregates of the last price row asked; a run clears it first.
    tPriceSummary PriceSummary;
    // The eBook rows, read from the environment when the engine starts them.
    std::vector<tReportEbook> EbookRows;

    // The report entry being run (the Series "Theme filter" reads it) and
    // the services of the windows above (not owned; may be nullptr).
    const tParamInfo *RunParams = nullptr;
    const tReportEnvironment *Env = nullptr;
    // Today's calendar year ("Inflate at X%"); replaceable for tests.
    std::function<int()> CurrentYear;

    void AddTo(tReportEngine &engine);
    // Refreshes the names the data sets declare: the coin data set's ends
    // with the labels of the collection's user fields.
    void RefreshFieldLists();

    tReportValue CoinValue(const QString &name);
    tReportValue PriceValue(const QString &name);
    tReportValue SeriesValue(const QString &name);
    tReportValue CollectionValue(const QString &name);
    tReportValue EbookValue(const QString &name);
    tReportValue ForexValue(const QString &name);

    // The engine's before-print step: fills a picture object bound to a
    // coin picture, a series picture or the series type icon. A picture
    // file that cannot be read prints white and is logged.
    void BeforePrint(tPictureEvent &event);

private:
    tMainState &s_;
};

// The declared names of each data set, in the order a field list shows them.
const QStringList &CoinFieldNames();    // without the user fields' labels
const QStringList &PriceFieldNames();
const QStringList &SeriesFieldNames();
const QStringList &CollectionFieldNames();
const QStringList &EbookFieldNames();
const QStringList &ForexFieldNames();

// The coin's price entry, looked up through valuation when not cached and
// then cached on the coin; nullptr when it matches none.
tPriceInfo *LookUpCoinPrice(tMainState &s, tCoinInfo &coin);
// The coin's value: from its cached price entry, else by the look-up (which
// caches the entry): the locked price, else the entry's value, else 0.
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
// Grade labels of the price data set (slot 0..40: "PO-1" .. "MS-70",
// "Proof-60" .. "Proof-70") and of the coin data set ("PF-60" .. "PF-70").
QString PriceGradeLabel(int slot);
QString CoinGradeLabel(int slot);
// A picture file for a report: empty when the path is empty or the file
// is missing or unreadable (the last is logged).
QImage LoadReportPicture(const QString &path);
