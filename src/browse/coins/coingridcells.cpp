#include "browse/coins/coingridcells.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QLocale>

#include "core/model/commatext.h"
#include "core/model/helpers.h"
#include "browse/coins/coingrid.h"
#include "pricing/valuation/valuation.h"

namespace {

constexpr Qt::Alignment Centre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
// User-field cells sit at the top (text, dates) or the bottom (numbers).
constexpr Qt::Alignment FieldText = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment FieldNumber = Qt::AlignRight | Qt::AlignBottom;
// Day number of 9999-12-31, the last day a date field can show.
constexpr int64_t LastDay = 2958465;

bool IsBlankChar(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= ' ';
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int64_t SaturatingCast(double v)
{
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(v))
        return 0;
    if (v >= limit)
        return std::numeric_limits<int64_t>::max();
    if (v <= -limit)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

tCoinCell TextCell(const QString &text, Qt::Alignment align)
{
    tCoinCell c;
    c.Text = text;
    c.Align = align;
    return c;
}

tCoinCell PictureCell(bool shown, int image)
{
    tCoinCell c;
    c.Image = shown ? image : CoinImgNone;
    return c;
}

QString GradeTitle(const tMainState &s, int grade)
{
    // CurrGradeList leaves out slots without a title, so the title is found
    // by its slot rather than by position in the list.
    for (const tGradeTitle &g : s.CurrGradeList)
        if (g.Slot == grade)
            return g.Title;
    return {};
}

QString ValueCodeText(const tMainState &s, Money value)
{
    // A special code c is stored as -c whole units; the fraction is dropped.
    // Kept in 64 bits: a large negative amount must not wrap round to a code.
    const Money code = value < 0 ? -(value / MoneyScale) : 0;
    if (code < 1 || code > std::numeric_limits<int>::max())
        return {};
    return ::ValueCodeName(code);
}

tCoinCell ValueCell(tMainState &s, tCoinInfo &coin, bool extended)
{
    Money value = 0;
    LookUpCoinValue(s, coin, value, true, false);
    tCoinCell c;
    const bool locked = coin.BuyLock || coin.SellLock;
    if (value > 0 || locked) {
        c.Lock = locked;
        c.Text = FormatLocaleMoney(QStringLiteral(",0.00"), extended ? value * coin.Have : value);
        c.Align = Right;
    } else if (value < 0) {
        c.Text = ValueCodeText(s, value);
        c.Align = Left;
    }
    return c;
}

tCoinCell ChangeCell(tMainState &s, tCoinInfo &coin)
{
    Money value = 0;
    tCoinCell c;
    c.Align = Right;
    // A negative value is a special code, not an amount: there is no change
    // to show for it.
    if (!LookUpCoinValue(s, coin, value, true, false) || value < 0)
        return c;
    const Money change = value - coin.BuyPrice;
    c.Text = FormatLocaleMoney(QStringLiteral(",0.00"), change);
    if (change < 0)
        c.Colour = Qt::red;
    return c;
}

tCoinCell UserFieldCell(const tMainState &s, const tCoinInfo &coin, int k)
{
    if (k < 0 || k >= static_cast<int>(s.UDFlist.size()))
        return {};
    const QString text = CommaTextItem(coin.UDFstring, k);
    switch (s.UDFlist[k]->FieldType) {
    case UDFCheckBox:
        return PictureCell(text.startsWith(QLatin1Char('T')), CheckBoxImage(k));
    case UDFMoney: {
        // Text that is not a number as a whole shows as 0.00.
        int used = 0;
        const QString t = text.trimmed();
        double v = ReadLeadingDecimal(t, &used);
        if (used != t.size())
            v = 0;
        return TextCell(FormatLocaleMoney(QStringLiteral("0.00"), MoneyFromDouble(v)), FieldNumber);
    }
    case UDFDate:
        return TextCell(DateOrBlank(static_cast<int>(std::clamp<int64_t>(ReadLeadingWhole(text), 0, LastDay))),
                        FieldText);
    case UDFNumber:
    case UDFReal:
        return TextCell(text, FieldNumber);
    case UDFEmptySpace:
        return {};
    default:
        return TextCell(text, FieldText);
    }
}

} // namespace

int CheckBoxImage(int k)
{
    return CoinImgCheckGray + k % 8;
}

bool HasAnyPicture(const tCoinInfo &coin)
{
    for (const QString *p : {&coin.Obverse, &coin.Reverse, &coin.Receipt, &coin.OtherImages})
        if (!p->trimmed().isEmpty())
            return true;
    return false;
}

tCoinCell CoinCellContent(tMainState &s, tCoinInfo &coin, int originalIndex)
{
    switch (originalIndex) {
    case ColImage: return PictureCell(HasAnyPicture(coin), CoinImgCamera);
    case ColBin: return PictureCell(coin.InBin, CoinImgCheckGray);
    case ColYear: return TextCell(coin.Year < 1 ? QString() : QString::number(coin.Year), Centre);
    case ColMint: return TextCell(coin.Mint, Centre);
    case ColVariety: return TextCell(coin.Variety, Centre);
    case ColGM: return TextCell(coin.GM, Centre);
    case ColGrade: return TextCell(GradeTitle(s, coin.Grade), Centre);
    case ColHave: return TextCell(QString::number(coin.Have), Centre);
    case ColNeed: return TextCell(QString::number(coin.Need), Centre);
    case ColSell: return TextCell(QString::number(coin.Sell), Centre);
    case ColSold: return TextCell(QString::number(coin.Sold), Centre);
    case ColPrice: return TextCell(FormatLocaleMoney(QStringLiteral("0.00"), coin.BuyPrice), Right);
    case ColValue: return ValueCell(s, coin, false);
    case ColChange: return ChangeCell(s, coin);
    case ColItem: return TextCell(QString::number(coin.Inventory), Centre);
    case ColGradedBy: return TextCell(coin.Gradedby, Centre);
    case ColComment: return TextCell(coin.Comment, Left);
    case ColError: return PictureCell(coin.MintError, CoinImgCheckOrange);
    case ColTrack: return PictureCell(coin.User1, CoinImgCheckPurple);
    case ColStoredIn: return TextCell(coin.Stored, Left);
    case ColCatalog: {
        // Looked up without the grade modifier, so that the catalogue number
        // shows even when the modifier has no price entry of its own.
        Money value = 0;
        const tPriceInfo *p = LookUpCoinValue(s, coin, value, true, true);
        return TextCell(p ? p->Catalog : QString(), Left);
    }
    case ColExtended: return ValueCell(s, coin, true);
    case ColPurchased: return TextCell(DateOrBlank(coin.BuyDate), Left);
    case ColDateSold: return TextCell(DateOrBlank(coin.SellDate), Left);
    default: return UserFieldCell(s, coin, originalIndex - FixedColumnCount);
    }
}

double ReadLocaleReal(const QString &text)
{
    bool ok = false;
    const double v = QLocale().toDouble(text, &ok);
    return ok && !std::isnan(v) ? v : 0.0;
}

int64_t ReadLeadingWhole(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && IsBlankChar(text[p]))
        ++p;
    bool negative = false;
    if (p < n && (text[p] == QLatin1Char('-') || text[p] == QLatin1Char('+')))
        negative = text[p++] == QLatin1Char('-');
    // Accumulate negatively so that the minimum reads without overflow.
    int64_t v = 0;
    constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
    bool saturated = false;
    for (; p < n && IsDigit(text[p]); ++p) {
        const int d = text[p].unicode() - '0';
        if (saturated || v < (lowest + d) / 10) {
            saturated = true;
            continue;
        }
        v = v * 10 - d;
    }
    if (saturated)
        return negative ? lowest : std::numeric_limits<int64_t>::max();
    if (negative)
        return v;
    return v == lowest ? std::numeric_limits<int64_t>::max() : -v;
}

double ReadLeadingDecimal(const QString &text, int *consumed)
{
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && IsBlankChar(text[p]))
        ++p;
    const qsizetype start = p;
    if (p < n && (text[p] == QLatin1Char('-') || text[p] == QLatin1Char('+')))
        ++p;
    qsizetype digits = 0;
    for (; p < n && IsDigit(text[p]); ++p)
        ++digits;
    if (p < n && text[p] == QLatin1Char('.')) {
        qsizetype q = p + 1;
        qsizetype frac = 0;
        for (; q < n && IsDigit(text[q]); ++q)
            ++frac;
        if (digits + frac > 0) {
            digits += frac;
            p = q;
        }
    }
    if (digits == 0) {
        if (consumed)
            *consumed = 0;
        return 0;
    }
    // An exponent counts only when digits follow it.
    if (p < n && (text[p] == QLatin1Char('e') || text[p] == QLatin1Char('E'))) {
        qsizetype q = p + 1;
        if (q < n && (text[q] == QLatin1Char('-') || text[q] == QLatin1Char('+')))
            ++q;
        if (q < n && IsDigit(text[q])) {
            while (q < n && IsDigit(text[q]))
                ++q;
            p = q;
        }
    }
    if (consumed)
        *consumed = static_cast<int>(p);
    // The C locale reads the full stop whatever the user's locale; a number
    // too large for a double reads as infinity, one too small as 0.
    bool ok = false;
    return QLocale::c().toDouble(QStringView(text).mid(start, p - start), &ok);
}

int64_t MonetaryCents(const QString &text)
{
    // 1.45 is held as 1.4499999...; without a nudge to the nearest whole
    // cent when it lies within rounding error, it would truncate to 144.
    double cents = ReadLeadingDecimal(text) * 100.0;
    const double nearest = std::round(cents);
    if (std::fabs(cents - nearest) <= 1e-9 * std::max(1.0, std::fabs(cents)))
        cents = nearest;
    return SaturatingCast(std::trunc(cents));
}

QString FormatLocaleFloat(const QString &pattern, double value)
{
    const QLocale locale;
    const QString dec = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    return FormatFloatPattern(pattern, value, dec.isEmpty() ? QLatin1Char('.') : dec[0],
                              group.isEmpty() ? QLatin1Char(',') : group[0]);
}

QString FormatLocaleMoney(const QString &pattern, Money m)
{
    const QLocale locale;
    const QString dec = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    return FormatMoneyPattern(pattern, m, dec.isEmpty() ? QLatin1Char('.') : dec[0],
                              group.isEmpty() ? QLatin1Char(',') : group[0]);
}
