#include "browse/finders/trackcriteria.h"

#include <cmath>
#include <unordered_set>

#include <algorithm>
#include <QSet>

#include "core/model/commatext.h"
#include "core/model/helpers.h"
#include "core/model/currencytext.h"
#include "browse/coins/coingridcells.h"
#include "browse/finders/textpattern.h"
#include "browse/finders/tracking.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

namespace {

// Bounds of a range row read once. Failed: a bound did not convert, and
// the row fails every entry.
template <class T>
struct tBounds {
    std::optional<T> Lower;
    std::optional<T> Upper;
    bool Failed = false;

    bool Given() const { return Lower || Upper; }
    bool Passes(T v) const
    {
        if (Failed)
            return false;
        if (Lower && Upper)
            return *Lower <= v && v <= *Upper;
        if (Lower)
            return v == *Lower;
        if (Upper)
            return v == *Upper;
        return true;
    }
};

template <class T, class Read>
tBounds<T> ReadBounds(const tTrackRange &r, Read read)
{
    tBounds<T> b;
    const auto one = [&](const QString &text, std::optional<T> &out) {
        if (text.trimmed().isEmpty())
            return;
        const std::optional<T> v = read(text);
        if (!v)
            b.Failed = true;
        else
            out = v;
    };
    one(r.Lower, b.Lower);
    one(r.Upper, b.Upper);
    return b;
}

std::optional<int64_t> ReadWhole(const QString &text)
{
    return ReadLeadingWhole(text);
}

// Bounds and stored values may come with either decimal mark: a collector
// under a comma locale types "12.50" as often as "12,50", and a collection
// made under another locale stores "15.00" where this one writes "15,00".
// The last "." or "," is the decimal mark; any before it group thousands.
QString WithDecimalPoint(const QString &text)
{
    const qsizetype last = std::max(text.lastIndexOf(QLatin1Char('.')), text.lastIndexOf(QLatin1Char(',')));
    if (last < 0)
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == last)
            out += QLatin1Char('.');
        else if (c != QLatin1Char('.') && c != QLatin1Char(','))
            out += c;
    }
    return out;
}

Money ReadAmount(const QString &text)
{
    return GetCurrencyValue(WithDecimalPoint(text), QLatin1Char('.'));
}

std::optional<Money> ReadMoney(const QString &text)
{
    return ReadAmount(text);
}

// A real number with either decimal mark; nothing when it does not convert.
std::optional<double> ReadReal(const QString &text)
{
    bool ok = false;
    const double v = WithDecimalPoint(text.trimmed()).toDouble(&ok);
    if (!ok || std::isnan(v))
        return std::nullopt;
    return v;
}

tBounds<int64_t> WholeBounds(const std::optional<tTrackRange> &r)
{
    return r ? ReadBounds<int64_t>(*r, ReadWhole) : tBounds<int64_t>{};
}

tBounds<Money> MoneyBounds(const std::optional<tTrackRange> &r)
{
    return r ? ReadBounds<Money>(*r, ReadMoney) : tBounds<Money>{};
}

// A ticked text row: a blank text passes, a pattern that does not compile
// fails, otherwise the pattern must occur in the value.
struct tTextTest {
    bool Ticked = false;
    bool Blank = true;
    tTextPattern Pattern;

    tTextTest() = default;
    explicit tTextTest(const std::optional<QString> &text)
        : Ticked(text.has_value()), Blank(!text || text->trimmed().isEmpty()),
          Pattern(text && !Blank ? tTextPattern::Wildcards(*text) : tTextPattern())
    {
    }
    bool Passes(const QString &value) const
    {
        if (!Ticked || Blank)
            return true;
        return Pattern.FoundIn(value);
    }
};

bool InDays(int32_t day, const std::pair<int32_t, int32_t> &range)
{
    return range.first <= day && day <= range.second;
}

} // namespace

// ---- Price rows ----

tPriceInfo *tPriceRowCache::Lookup(const tMainState &s, tCoinInfo &coin)
{
    const uint64_t prices = s.PriceListGeneration.load(std::memory_order_acquire);
    if (prices != priceGeneration_ || s.CoinGeneration != coinGeneration_) {
        rows_.clear();
        priceGeneration_ = prices;
        coinGeneration_ = s.CoinGeneration;
    }
    const int32_t source = coin.Folder ? PickPriceSource(*coin.Folder) : coin.CoinType;
    const auto it = rows_.find(&coin);
    if (it != rows_.end()) {
        const tKept &k = it->second;
        if (k.Folder == coin.Folder && k.Source == source && k.Year == coin.Year && k.Mint == coin.Mint &&
            k.Variety == coin.Variety)
            return k.Row;
    }
    ++lookups_;
    Money value = 0;
    tPriceInfo *row = ::GetCoinValue(s, coin, value, false, true);
    rows_[&coin] = tKept{coin.Folder, source, coin.Year, coin.Mint, coin.Variety, row};
    return row;
}

// ---- Matching ----

struct tTrackMatcher::tImpl {
    struct tField {
        tFieldCriterion C;
        tTextTest Text;
        tBounds<int64_t> Whole;
        tBounds<Money> Cash;
        tBounds<double> Real;
    };

    const tMainState &S;
    const tTrackCriteria &C;
    tPriceRowCache &Cache;
    tBounds<int64_t> ItemNumber, Year;
    tBounds<Money> BuyPrice, SellPrice, Value;
    tTextTest GradedBy, StoredIn, Comment, Notes, Catalog;
    bool PriceRow = false;
    std::vector<tField> Fields;

    tImpl(const tMainState &s, const tTrackCriteria &c, tPriceRowCache &cache)
        : S(s), C(c), Cache(cache), ItemNumber(WholeBounds(c.ItemNumber)), Year(WholeBounds(c.Year)),
          BuyPrice(MoneyBounds(c.BuyPrice)), SellPrice(MoneyBounds(c.SellPrice)), Value(MoneyBounds(c.Value)),
          GradedBy(c.GradedBy), StoredIn(c.StoredIn), Comment(c.Comment), Notes(c.Notes), Catalog(c.Catalog),
          PriceRow(c.Value || c.Metal || c.Catalog)
    {
        for (const tFieldCriterion &f : c.Fields) {
            tField field{f, {}, {}, {}, {}};
            switch (f.FieldType) {
            case UDFTextBox:
            case UDFHistoryDropDown:
            case UDFTextPickList:
            case UDFAttachment:
            case UDFCertification: field.Text = tTextTest(f.Text); break;
            case UDFMoney: field.Cash = ReadBounds<Money>(f.Range, ReadMoney); break;
            case UDFNumber: field.Whole = ReadBounds<int64_t>(f.Range, ReadWhole); break;
            case UDFReal: field.Real = ReadBounds<double>(f.Range, ReadReal); break;
            default: break;
            }
            Fields.push_back(std::move(field));
        }
    }

    bool FieldPasses(const tField &f, const QString &value) const
    {
        switch (f.C.FieldType) {
        case UDFTextBox:
        case UDFHistoryDropDown:
        case UDFTextPickList:
        case UDFAttachment:
        case UDFCertification: return f.Text.Passes(value);
        case UDFPickList:
            // The chosen item is one whole value: "A" is not found in "Bad".
            return f.C.Text.isEmpty() || value.trimmed().compare(f.C.Text.trimmed(), Qt::CaseInsensitive) == 0;
        case UDFCheckBox: return value.startsWith(QLatin1Char('T')) == f.C.Yes;
        case UDFMoney: return f.Cash.Passes(ReadAmount(value));
        case UDFNumber: return f.Whole.Passes(ReadLeadingWhole(value));
        case UDFReal: {
            if (!f.Real.Given())
                return !f.Real.Failed;
            const std::optional<double> v = ReadReal(value);
            return v && f.Real.Passes(*v);
        }
        case UDFDate: {
            const int64_t day = ReadLeadingWhole(value);
            return f.C.DateFrom <= day && day <= f.C.DateTo;
        }
        case UDFPhone:
            return f.C.Text.isEmpty() || value.left(f.C.Text.size()).compare(f.C.Text, Qt::CaseInsensitive) == 0;
        default: return true;
        }
    }

    bool PriceRowPasses(tCoinInfo &coin) const
    {
        const tPriceInfo *row = Cache.Lookup(S, coin);
        if (!row)
            return false;
        if (C.Value && Value.Given() && !Value.Passes(CoinAndPriceToValue(S, *row, coin)))
            return false;
        if (C.Metal && (*C.Metal == NoMetalChosen || row->Metal != *C.Metal))
            return false;
        return Catalog.Passes(row->Catalog);
    }

    bool Matches(tCoinInfo &coin) const
    {
        if (C.ItemNumber && !ItemNumber.Passes(coin.Inventory))
            return false;
        if (C.Year && !Year.Passes(coin.Year))
            return false;
        if (C.ItemType) {
            const bool paper = coin.Folder && coin.Folder->CoinShape == PaperMoneyShape;
            if (paper != (*C.ItemType == ItemTypePaperMoney))
                return false;
        }
        if (C.BuyPrice && !BuyPrice.Passes(coin.BuyPrice))
            return false;
        if (C.SellPrice && !SellPrice.Passes(coin.SellPrice))
            return false;
        if (C.Grade && !(C.Grade->first <= coin.Grade && coin.Grade <= C.Grade->second))
            return false;
        if (C.BuyDate && !InDays(coin.BuyDate, *C.BuyDate))
            return false;
        if (C.SellDate && !InDays(coin.SellDate, *C.SellDate))
            return false;
        const std::array<int32_t, 4> counts{coin.Have, coin.Need, coin.Sell, coin.Sold};
        for (size_t i = 0; i < counts.size(); ++i)
            if (C.MinQuantity[i] && counts[i] < *C.MinQuantity[i])
                return false;
        if (C.MintError && coin.MintError != *C.MintError)
            return false;
        if (C.PriceLock) {
            const bool pass = *C.PriceLock == LockBuy    ? coin.BuyLock
                              : *C.PriceLock == LockSell ? coin.SellLock
                                                         : !coin.BuyLock && !coin.SellLock;
            if (!pass)
                return false;
        }
        if (!GradedBy.Passes(coin.Gradedby) || !StoredIn.Passes(coin.Stored) || !Comment.Passes(coin.Comment) ||
            !Notes.Passes(coin.Notes))
            return false;
        if (PriceRow && !PriceRowPasses(coin))
            return false;
        if (Fields.empty())
            return true;
        const QStringList slots = CommaTextSplit(coin.UDFstring);
        for (const tField &f : Fields) {
            if (f.C.Index < 0 || f.C.Index >= slots.size())
                return false;
            if (!FieldPasses(f, slots[f.C.Index]))
                return false;
        }
        return true;
    }
};

tTrackMatcher::tTrackMatcher(const tMainState &s, const tTrackCriteria &c, tPriceRowCache &cache)
    : d(std::make_unique<tImpl>(s, c, cache))
{
}

tTrackMatcher::~tTrackMatcher() = default;

bool tTrackMatcher::Matches(tCoinInfo &coin) const
{
    return d->Matches(coin);
}

// ---- The run ----

tTrackCounts EvaluateTracks(tMainState &s, const tTrackCriteria &criteria, const tnodeinfo *scope, bool doTrack,
                            bool inverse, tPriceRowCache &cache)
{
    tTrackCounts counts;
    if (!scope)
        return counts;
    std::unordered_set<const tnodeinfo *> inScope;
    ForEachNode(const_cast<tnodeinfo *>(scope), [&](const tnodeinfo *n) { inScope.insert(n); });
    const tTrackMatcher matcher(s, criteria, cache);
    bool changed = false;
    for (const auto &c : s.CoinList) {
        if (!c->Folder || !inScope.count(c->Folder))
            continue;
        const bool match = matcher.Matches(*c);
        if (doTrack) {
            const bool mark = match != inverse;
            changed = changed || c->User1 != mark;
            c->User1 = mark;
        }
        if (c->User1)
            ++(match ? counts.TrackedMatching : counts.TrackedNotMatching);
        else
            ++(match ? counts.UntrackedMatching : counts.UntrackedNotMatching);
    }
    if (changed)
        MarkCollectionModified(s);
    return counts;
}

QStringList FieldHistoryItems(const tMainState &s, int index)
{
    QStringList items;
    QSet<QString> seen;
    for (const auto &c : s.CoinList) {
        const QString value = CommaTextItem(c->UDFstring, index);
        if (value.trimmed().isEmpty())
            continue;
        const QString folded = value.toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        items << value;
    }
    return items;
}

// ---- Phone mask ----

tPhoneKeyResult PhoneKeyDown(const QString &text, int caret, tPhoneKey key, QChar digit)
{
    tPhoneKeyResult r{text, caret, false};
    switch (key) {
    case tPhoneKey::Other: return r;
    case tPhoneKey::Digit: {
        r.Consumed = true;
        if (text.size() >= PhoneMaskLength)
            return r;
        QString t = text;
        if (t.size() == 0)
            t += QLatin1Char('(');
        else if (t.size() == 4)
            t += QLatin1Char(')');
        else if (t.size() == 8)
            t += QLatin1Char('-');
        t += digit;
        r.Text = t;
        r.Caret = static_cast<int>(t.size());
        return r;
    }
    case tPhoneKey::Backspace:
    case tPhoneKey::Delete: {
        r.Consumed = true;
        const int p = std::clamp(caret, 0, static_cast<int>(text.size()));
        // At the start there is nothing before the caret to take away.
        if (p == 0)
            return r;
        // A separator goes with the digit before it.
        const int keep = std::max(0, (p == 1 || p == 5 || p == 9) ? p - 2 : p - 1);
        QString t = text.left(keep);
        if (t.size() == 1 || t.size() == 5 || t.size() == 9)
            t.chop(1);
        r.Text = t;
        r.Caret = static_cast<int>(t.size());
        return r;
    }
    }
    return r;
}
