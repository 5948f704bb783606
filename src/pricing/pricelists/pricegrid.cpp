#include "pricing/pricelists/pricegrid.h"

#include <cmath>
#include <limits>

#include <QLocale>

#include "core/model/money.h"
#include "pricing/valuation/metals.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

int PriceColumnWidth(int choice)
{
    switch (choice) {
    case ColWidthNarrow: return 100;
    case ColWidthWide: return 200;
    case ColWidthDouble: return 280;
    default: return 150;
    }
}

QStringList PriceColumnWidthNames()
{
    return {QStringLiteral("Narrow"), QStringLiteral("Normal"), QStringLiteral("Wide"), QStringLiteral("Double")};
}

bool IsPaperSeries(const tnodeinfo &series) { return series.CoinShape == PaperMoneyShape; }

std::vector<int> BuildPriceRowXref(const tGradeTitles &titles, bool paper, int scale)
{
    std::vector<int> kinds;
    for (int k = 0; k < PriceKindGrade0; ++k) {
        if (paper && k >= PriceKindProofs && k <= PriceKindWeight)
            continue;
        kinds.push_back(k);
    }
    const int kind = paper ? GradeKindPaper : GradeKindCoins;
    for (int slot = 0; slot < GradeSlots; ++slot)
        if (!titles.Title(kind, scale, slot).trimmed().isEmpty())
            kinds.push_back(PriceKindGrade0 + slot);
    return kinds;
}

tPriceGridGeometry ComputePriceGridGeometry(float layoutWidth, float layoutHeight, int widthChoice, int entryCount,
                                            int rowKindCount, bool paper)
{
    tPriceGridGeometry g;
    const float W = static_cast<float>(PriceColumnWidth(widthChoice));
    g.ColsFit = layoutWidth / W;
    g.RowsFit = layoutHeight / static_cast<float>(PriceRowHeight);
    const int fitCols = static_cast<int>(std::trunc(g.ColsFit));
    const int fitRows = static_cast<int>(std::trunc(g.RowsFit));
    g.ColWidth = fitCols > 0 ? layoutWidth / static_cast<float>(fitCols) : layoutWidth;
    g.RowHeight = static_cast<float>(PriceRowHeight);
    g.RowsNeeded = static_cast<float>(rowKindCount) > g.RowsFit ? fitRows : rowKindCount;
    g.ColsNeeded = static_cast<float>(entryCount + 1) > g.ColsFit ? fitCols : entryCount + 1;
    g.HMax = std::max(0, entryCount - fitCols + 1);
    g.VMax = std::max(0, rowKindCount - fitRows);
    g.HSmallChange = std::max(1, g.ColsNeeded - 1);
    // One screenful of grade rows; a page too short for any grade row still
    // moves by one.
    g.VSmallChange = std::max(1, g.RowsNeeded - FixedPriceRows(paper));
    return g;
}

tPriceScroll ScrollPriceGridTo(const tPriceGridGeometry &g, int entry, int hValue)
{
    const int col = entry + 1;
    tPriceScroll out;
    out.HValue = std::clamp(hValue, 0, g.HMax);
    const int dataCols = g.ColsNeeded - 1;
    if (dataCols < 1 || col < 1)
        return out;
    if (col - out.HValue > dataCols)
        out.HValue = col - dataCols;
    else if (col - out.HValue < 1)
        out.HValue = col - 1;
    out.HValue = std::clamp(out.HValue, 0, g.HMax);
    out.SelectedCol = std::clamp(col - out.HValue, 1, dataCols);
    return out;
}

tNumberSeps LocaleNumberSeps()
{
    const QLocale locale;
    tNumberSeps seps;
    const QString dp = locale.decimalPoint();
    const QString gs = locale.groupSeparator();
    if (!dp.isEmpty())
        seps.Decimal = dp[0];
    if (!gs.isEmpty())
        seps.Thousands = gs[0];
    return seps;
}

QString PriceHeaderTitle(int kind, bool paper)
{
    static const char *const coins[] = {"Year",  "Mint",    "Variety", "GM",     "Mintage",
                                        "Proofs", "Metal", "Content", "Weight", "Catalog"};
    static const char *const notes[] = {"Year", "Bank", "Variety", "GM", "Printed", "", "", "", "", "Catalog"};
    if (kind < 0 || kind >= PriceKindGrade0)
        return QString();
    return QString::fromLatin1(paper ? notes[kind] : coins[kind]);
}

QString PriceMeasureText(float v)
{
    const double rounded = std::nearbyint(static_cast<double>(v) * 10000.0) / 10000.0;
    // "#" shows no digit that is not needed: nothing at all for 0.
    if (rounded == 0)
        return QString();
    return FormatFloatPattern(QStringLiteral("#.####"), rounded);
}

QString GradeValueText(const tMainState &s, const tPriceInfo &e, Money v, const tNumberSeps &seps)
{
    if (v >= 0)
        return FormatMoneyPattern(QStringLiteral("#,##0.00"), v, seps.Decimal, seps.Thousands);
    const int64_t code = MoneyToValueCode(v);
    // A damaged list may hold a negative amount that names no code: show the
    // amount rather than a name.
    if (code < CodeFaceValue || code > CodeMelt25)
        return FormatMoneyPattern(QStringLiteral("#,##0.00"), v, seps.Decimal, seps.Thousands);
    QString text = ValueCodeName(code);
    if (code == CodeMelt || (code >= CodeMelt5 && code <= CodeMelt25)) {
        Money melt = MeltValue(s, e);
        if (melt > 0) {
            if (code != CodeMelt)
                melt = MoneyDiv(MoneyMul(melt, 10000.0 + 500.0 * (code - CodeNA)), 10000.0);
            text += QStringLiteral(" (") + FormatMoneyPattern(QStringLiteral("0.00"), melt, seps.Decimal, seps.Thousands) +
                    QLatin1Char(')');
        }
    }
    return text;
}

QString PriceCellText(const tMainState &s, const tnodeinfo &series, int column, int kind, int widthChoice,
                      const tNumberSeps &seps)
{
    const bool paper = IsPaperSeries(series);
    if (column == 0) {
        if (kind < PriceKindGrade0)
            return PriceHeaderTitle(kind, paper);
        return s.GradeTitles3D.Title(paper ? GradeKindPaper : GradeKindCoins, series.GradeScale, kind - PriceKindGrade0);
    }
    if (column < 1 || column > static_cast<int>(s.CurrPriceList.size()))
        return QString();
    const tPriceInfo &e = *s.CurrPriceList[static_cast<size_t>(column - 1)];
    switch (kind) {
    case PriceKindYear:
        if (e.Year < 1)
            return QString();
        return (e.DateBits & DateBitCirca ? QStringLiteral("Circa ") : QString()) + QString::number(e.Year);
    case PriceKindMint: return e.Mint;
    case PriceKindVariety: return UnpackVariety(e.Variety, false);
    case PriceKindGM: return e.GM;
    case PriceKindMintage: return FormatMintage(e.Mintage, e.Included);
    case PriceKindProofs: return FormatMintage(e.ProofMintage, e.ProofIncluded);
    case PriceKindMetal: return e.Metal ? MetalName(e.Metal) : QString();
    case PriceKindContent:
    case PriceKindWeight: {
        const float v = kind == PriceKindContent ? e.Content : e.Weight;
        QString text = PriceMeasureText(v);
        if (widthChoice != ColWidthNarrow && std::nearbyint(static_cast<double>(v) * 10000.0) > 0)
            text += kind == PriceKindContent ? QStringLiteral(" ounce") : QStringLiteral(" grams");
        return text;
    }
    case PriceKindCatalog: return e.Catalog;
    default: break;
    }
    const int slot = kind - PriceKindGrade0;
    if (slot < 0 || slot >= GradeSlots)
        return QString();
    return GradeValueText(s, e, e.Value[static_cast<size_t>(slot)], seps);
}

QColor ColorPriceCell(int lcol, int lrow, int rc, int rk, const tPriceDrag &drag)
{
    using namespace PriceColors;
    int c1 = rc, c2 = rc, r1 = rk, r2 = rk;
    const bool range = drag.RangeSelected();
    if (range) {
        c1 = std::min(drag.OriginX, drag.RangeX);
        c2 = std::max(drag.OriginX, drag.RangeX);
        r1 = std::min(drag.OriginY, drag.RangeY);
        r2 = std::max(drag.OriginY, drag.RangeY);
    }
    const QColor plain = lrow < PriceKindGrade0 ? Cornsilk : White;
    if (lcol == 0)
        return (lrow >= r1 && lrow <= r2 && c1 > 0 && r1 >= PriceKindGrade0) ? LightGrey : Gainsboro;
    // A reference in the title column names no entry: nothing is marked.
    if (c1 <= 0 || rk < PriceKindGrade0)
        return plain;
    if (range && lcol >= c1 && lcol <= c2 && lrow >= r1 && lrow <= r2)
        return Yellow;
    if ((lcol >= c1 && lcol <= c2 && lrow < r2) || (lrow >= r1 && lrow <= r2 && lcol < c2))
        return lrow < PriceKindGrade0 ? Linen : WhiteSmoke;
    return plain;
}

std::pair<int, int> CodeFillSpan(int code, int slot, int lo, int hi)
{
    switch (code) {
    case CodeFaceValue:
    case CodeMelt: return {0, slot};
    case CodeProofOnly: return {0, 29};
    case CodeRare: return slot >= 30 ? std::pair{30, 40} : std::pair{0, 29};
    case CodeExtinct: return {0, GradeSlots - 1};
    default: return {lo, hi};
    }
}

QStringList ValueCodeNames()
{
    QStringList names;
    for (int code = CodeFaceValue; code <= CodeMelt25; ++code)
        names << ValueCodeName(code);
    return names;
}

tParsed<tMintage> ParseMintage(const QString &text)
{
    tParsed<tMintage> out;
    tMintage m;
    m.Approx = text.contains(QLatin1Char('~'));
    QString digits;
    for (QChar ch : text)
        if (ch.isDigit())
            digits += ch;
    bool ok = true;
    const qulonglong n = digits.isEmpty() ? 0 : digits.toULongLong(&ok);
    // Large mintages are kept in tens of millions, negative, in a 32-bit field.
    if (!ok || n / 10000000ULL > static_cast<qulonglong>(std::numeric_limits<int32_t>::max())) {
        out.Error = QStringLiteral("The mintage %1 is too large to be stored.").arg(text.trimmed());
        return out;
    }
    m.Stored = n > 1000000000ULL ? -static_cast<int32_t>(n / 10000000ULL) : static_cast<int32_t>(n);
    out.Value = m;
    return out;
}

tParsed<float> ParseMeasure(const QString &text, QChar decimal)
{
    tParsed<float> out;
    QString kept;
    for (QChar ch : text)
        if (ch.isDigit() || ch == decimal)
            kept += ch == decimal ? QLatin1Char('.') : ch;
    bool ok = false;
    double x = kept.toDouble(&ok);
    if (!ok)
        x = 0;
    const float v = static_cast<float>(x);
    if (!MeasureFitsPriceFile(v)) {
        out.Error = QStringLiteral("%1 is too large to be stored in a price list.").arg(text.trimmed());
        return out;
    }
    out.Value = v;
    return out;
}

tParsed<Money> ParseAmount(const QString &text, const tNumberSeps &seps)
{
    tParsed<Money> out;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('-'))) {
        out.Error = QStringLiteral("An amount cannot be negative. Choose a code from the list instead.");
        return out;
    }
    QString kept;
    for (QChar ch : trimmed)
        if (ch.isDigit() || ch == seps.Decimal)
            kept += ch == seps.Decimal ? QLatin1Char('.') : ch;
    bool ok = false;
    double x = kept.toDouble(&ok);
    if (!ok)
        x = 0;
    // The file keeps amounts as 64-bit ten-thousandths.
    constexpr double largest = 922337203685477.0;
    if (x >= largest) {
        out.Error = QStringLiteral("The amount %1 is too large to be stored.").arg(trimmed);
        return out;
    }
    out.Value = MoneyFromDouble(x);
    return out;
}
