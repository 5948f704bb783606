#include "pricing/pricelists/pricelist.h"

#include <cmath>
#include <stdexcept>
#include <unordered_map>

#include <QLocale>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/money.h"
#include "core/model/seriestree.h"

int PickPriceSource(const tnodeinfo &InNode)
{
    return InNode.PriceSource > 0 ? InNode.PriceSource : InNode.CoinType;
}

void PriceListChanged(tMainState &s)
{
    s.PriceListGeneration.fetch_add(1, std::memory_order_acq_rel);
}

void FreePriceEntries(tMainState &s, const std::unordered_set<const tPriceInfo *> &doomed)
{
    if (doomed.empty())
        return;
    // Links first: a coin's cached match must never outlive its entry.
    for (auto &c : s.CoinList)
        if (c->PriceInfo && doomed.count(c->PriceInfo))
            c->PriceInfo = nullptr;
    std::erase_if(s.CurrPriceList, [&](const tPriceInfo *p) { return doomed.count(p) != 0; });
    // A report's price rows are links too; a run after a reload must not read freed entries.
    std::erase_if(s.ReportListPrices, [&](const tPriceInfo *p) { return doomed.count(p) != 0; });
    std::erase_if(s.PriceList, [&](const std::unique_ptr<tPriceInfo> &p) { return doomed.count(p.get()) != 0; });
    PriceListChanged(s);
}

int RemovePriceEntries(tMainState &s, const std::function<bool(const tPriceInfo &)> &pred)
{
    std::unordered_set<const tPriceInfo *> doomed;
    for (const auto &p : s.PriceList)
        if (pred(*p))
            doomed.insert(p.get());
    FreePriceEntries(s, doomed);
    return static_cast<int>(doomed.size());
}

void ReFolderPrices(tMainState &s)
{
    CurrProcGuard guard(2111);
    std::unordered_map<int32_t, tnodeinfo *> byType;
    std::array<bool, CountryTableSize> inTree{};
    for (tnodeinfo *n : PreOrder(s.EntireCollection.get())) {
        if (!byType.emplace(n->CoinType, n).second)
            throw std::runtime_error(
                QStringLiteral("Series number %1 occurs twice in the series tree").arg(n->CoinType).toStdString());
        if (n != s.EntireCollection.get() && n->Country >= 0 && n->Country <= MaxCountry)
            inTree[static_cast<size_t>(n->Country)] = true;
    }
    std::unordered_set<const tPriceInfo *> doomed;
    for (auto &p : s.PriceList) {
        const auto it = byType.find(p->CoinType);
        if (it != byType.end()) {
            p->Folder = it->second;
        } else if (inTree[static_cast<size_t>(CoinTypeToCountry(p->CoinType))]) {
            // Its country is loaded but the series is gone: the entry prices nothing.
            doomed.insert(p.get());
        } else {
            p->Folder = nullptr;
        }
    }
    FreePriceEntries(s, doomed);
}

namespace {

// The separator between day, month and year of the user's short date format.
QChar DateSeparator()
{
    for (QChar c : ShortDateFormat())
        if (!c.isLetter() && c != QLatin1Char('\''))
            return c;
    return QLatin1Char('/');
}

} // namespace

qsizetype FindVarietyDateToken(const QString &text, qsizetype from)
{
    // Looking for the backslash alone is much faster than a substring
    // search, and most varieties hold none.
    for (qsizetype i = text.indexOf(QLatin1Char('\\'), from); i >= 0; i = text.indexOf(QLatin1Char('\\'), i + 1))
        if (i + 2 < text.size() && text[i + 1] == QLatin1Char('d') && text[i + 2] == QLatin1Char('/'))
            return i;
    return -1;
}

QString UnpackVariety(const QString &InStr, bool forceFormat)
{
    qsizetype p = FindVarietyDateToken(InStr);
    if (p < 0)
        return InStr;
    QString s = InStr;
    const QChar sep = DateSeparator();
    const QString shortFormat = ShortDateFormat();
    const QLocale locale;
    while (p >= 0) {
        const qsizetype start = p + VarietyDateToken.size();
        QString token = s.mid(start, 10);
        const qsizetype blank = token.indexOf(QLatin1Char(' '));
        if (blank >= 0)
            token.truncate(blank);
        // Dates before 1899-12-30 have negative day numbers; PackVariety
        // writes them with their sign, so the sign is read back too.
        qint64 day = 0;
        const bool negative = token.startsWith(QLatin1Char('-'));
        for (qsizetype i = negative ? 1 : 0; i < token.size(); ++i) {
            const QChar c = token[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                break;
            day = day * 10 + (c.unicode() - '0');
        }
        if (negative)
            day = -day;
        // Ten digits at most, so the day fits; a date beyond the calendar
        // shows as nothing rather than failing.
        const QDate d = QDate(1899, 12, 30).addDays(day);
        QString text;
        if (d.isValid()) {
            if (forceFormat)
                text = QString::number(d.year()).rightJustified(4, QLatin1Char('0')) + sep +
                       QString::number(d.month()).rightJustified(2, QLatin1Char('0')) + sep +
                       QString::number(d.day()).rightJustified(2, QLatin1Char('0'));
            else
                text = locale.toString(d, shortFormat);
        }
        s = s.left(p) + text + s.mid(start + token.size(), 100);
        p = FindVarietyDateToken(s);
    }
    return s;
}

namespace {

// A word counts as a date only when it reads as one in the user's order and
// names its year with four digits, so that "1/2" or "5/4/99" stay text.
int FullDateDay(const QString &word)
{
    if (word.isEmpty() || !word[0].isDigit())
        return 0;
    bool fourDigits = false;
    int run = 0;
    for (qsizetype i = 0; i <= word.size(); ++i) {
        if (i < word.size() && word[i].isDigit()) {
            ++run;
            continue;
        }
        if (run > 4)
            return 0;
        if (run == 4)
            fourDigits = true;
        run = 0;
    }
    if (!fourDigits)
        return 0;
    const QDate d = QLocale().toDate(word, ShortDateFormat());
    return d.isValid() ? DateToDay(d) : 0;
}

} // namespace

QString PackVariety(const QString &InStr)
{
    QString out;
    out.reserve(InStr.size() + 8);
    qsizetype i = 0;
    while (i < InStr.size()) {
        if (InStr[i] == QLatin1Char(' ')) {
            out += QLatin1Char(' ');
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < InStr.size() && InStr[j] != QLatin1Char(' '))
            ++j;
        const QString word = InStr.mid(i, j - i);
        const int day = FullDateDay(word);
        if (day != 0)
            out += VarietyDateToken + QString::number(day);
        else
            out += word;
        i = j;
    }
    return out;
}

QString FormatMintage(int32_t Mintage, bool Approx)
{
    if (Mintage == 0)
        return QString();
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString text;
    if (Mintage > 0) {
        text = locale.toString(static_cast<qint64>(Mintage));
    } else {
        // A stored negative mintage counts tens of millions.
        const double billions = static_cast<double>(-static_cast<qint64>(Mintage)) / 100.0;
        const QString dp = locale.decimalPoint();
        text = FormatFloatPattern(QStringLiteral("0.##"), billions, dp.isEmpty() ? QLatin1Char('.') : dp[0]) +
               QStringLiteral(" Billion");
    }
    if (Approx)
        text.prepend(QLatin1Char('~'));
    return text;
}

QString CompoundVariety(int32_t Year, bool IsCirca, const QString &Mint, const QString &variety)
{
    QString mint = Mint;
    // A mark such as "[D]ouble" names its mint letter in brackets.
    if (mint.size() >= 3 && mint[0] == QLatin1Char('[') && mint[2] == QLatin1Char(']'))
        mint = QString(mint[1]) + QLatin1Char(' ') + mint.mid(3, 20);
    QString label;
    if (Year > 0) {
        if (IsCirca)
            label = QStringLiteral("Circa ");
        label += QString::number(Year);
        if (!mint.trimmed().isEmpty())
            label += QLatin1Char('-');
    }
    label += mint;
    if (label.trimmed().isEmpty())
        return variety;
    const QString v = variety.trimmed();
    if (!v.isEmpty())
        label += QStringLiteral(" (") + v + QLatin1Char(')');
    return label;
}

bool GradeModifierAfter(const QString &a, const QString &b)
{
    const QString ua = a.trimmed().toUpper();
    const QString ub = b.trimmed().toUpper();
    static const QString dmpl = QStringLiteral("DMPL");
    static const QString pl = QStringLiteral("PL");
    if (ua == dmpl && ub == pl)
        return true;
    if (ua == pl && ub == dmpl)
        return false;
    return QString::compare(ua, ub, Qt::CaseSensitive) > 0;
}

namespace {

struct tSortItem {
    std::unique_ptr<tPriceInfo> Entry;
    QString SortVariety;  // computed once: the comparisons run many times
};

bool SameRunKey(const tSortItem &a, const tSortItem &b)
{
    return a.Entry->Year == b.Entry->Year && a.Entry->Mint == b.Entry->Mint && a.SortVariety == b.SortVariety;
}

bool MustFollow(const tSortItem &a, const tSortItem &b)
{
    const tPriceInfo &x = *a.Entry;
    const tPriceInfo &y = *b.Entry;
    if (x.Year != y.Year)
        return x.Year > y.Year;
    if (const int c = QString::compare(x.Mint, y.Mint, Qt::CaseSensitive); c != 0)
        return c > 0;
    if (const int c = QString::compare(a.SortVariety, b.SortVariety, Qt::CaseSensitive); c != 0)
        return c > 0;
    return GradeModifierAfter(x.GM, y.GM);
}

// Adjacent-exchange passes over one series run. The grade-modifier order is
// not transitive, so a library sort (which assumes a strict weak order) could
// misbehave; these passes always end and give the same result every time.
void SortSeriesRun(std::vector<tSortItem> &items, size_t from, size_t to)
{
    const size_t len = to - from;
    // The passes end after at most len of them; the cap only guards the loop.
    const size_t maxPasses = len * len + 2;
    for (size_t pass = 0; pass < maxPasses; ++pass) {
        bool exchanged = false;
        for (size_t i = from; i + 1 < to; ++i) {
            if (MustFollow(items[i], items[i + 1])) {
                std::swap(items[i], items[i + 1]);
                exchanged = true;
            }
        }
        if (!exchanged)
            break;
    }
    for (size_t i = from; i < to; ++i) {
        tPriceInfo &e = *items[i].Entry;
        const bool last = i + 1 == to || !SameRunKey(items[i], items[i + 1]);
        e.DateBits = static_cast<uint16_t>(last ? (e.DateBits | DateBitRunEnd) : (e.DateBits & ~DateBitRunEnd));
    }
}

} // namespace

void ResortPrices(tMainState &s)
{
    CurrProcGuard guard(8500);
    auto &list = s.PriceList;
    for (auto &p : list)
        p->DateBits |= DateBitRunEnd;
    if (list.size() <= 1)
        return;

    // Country groups (series number div 1000) in order of first appearance,
    // series within a group in order of first appearance, entries of a series
    // in their present order: the stable gathering, done with buckets.
    std::unordered_map<int32_t, size_t> groupRank;
    std::unordered_map<int32_t, size_t> seriesSlot;
    struct tSeries {
        size_t Group;
        size_t First;
        std::vector<size_t> Members;
    };
    std::vector<tSeries> series;
    for (size_t i = 0; i < list.size(); ++i) {
        const int32_t t = list[i]->CoinType;
        auto [it, added] = seriesSlot.emplace(t, series.size());
        if (added) {
            const auto g = groupRank.emplace(t / 1000, groupRank.size()).first->second;
            series.push_back({g, series.size(), {}});
        }
        series[it->second].Members.push_back(i);
    }
    std::vector<size_t> order(series.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return series[a].Group < series[b].Group; });

    std::vector<tSortItem> items;
    items.reserve(list.size());
    for (size_t si : order) {
        const size_t from = items.size();
        for (size_t idx : series[si].Members) {
            QString sv = UnpackVariety(list[idx]->Variety, true);
            items.push_back({std::move(list[idx]), std::move(sv)});
        }
        SortSeriesRun(items, from, items.size());
    }
    for (size_t i = 0; i < items.size(); ++i)
        list[i] = std::move(items[i].Entry);
    PriceListChanged(s);
}

bool MeasureFitsPriceFile(float v)
{
    return std::isfinite(v) && std::fabs(static_cast<double>(v)) <= MaxPriceFileMeasure;
}
