#include "browse/finders/catalogkeys.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "core/model/seriestree.h"
#include "browse/finders/textpattern.h"

namespace {

constexpr int IntegerWidth = 12;
constexpr int FractionWidth = 8;
constexpr int LetterWidth = 20;
constexpr int CountryZeroSeries = 352;

bool IsRunLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'!';
}

bool IsRunDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'.';
}

QString NumberRunKey(const QString &run)
{
    const qsizetype dot = run.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? run : run.left(dot);
    const QString fraction = dot < 0 ? QString() : run.mid(dot + 1, FractionWidth);
    return whole.rightJustified(IntegerWidth, QLatin1Char('0')).right(IntegerWidth) +
           fraction.leftJustified(FractionWidth, QLatin1Char('0'), true);
}

QString LetterRunKey(const QString &run)
{
    return run.leftJustified(LetterWidth, QLatin1Char(' '), true);
}

char16_t FoldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

} // namespace

QString CatalogKey(const QString &kmNumber, const tnodeinfo *node)
{
    const QString text = QStringLiteral("0") + kmNumber;
    QString key;
    int run = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool letters = IsRunLetter(text[i]);
        if (!letters && !IsRunDigit(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && (letters ? IsRunLetter(text[i]) : IsRunDigit(text[i])))
            ++i;
        // Runs are keyed by their place, not their kind: two number runs
        // apart make the second one a letter key.
        const QString part = text.mid(start, i - start);
        key += (run % 2 == 0) ? NumberRunKey(part) : LetterRunKey(part);
        ++run;
    }
    if (node)
        key += QLatin1Char('~') + QString::number(node->CoinType);
    return key;
}

int CompareCatalogKeys(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = FoldAscii(a[i].unicode());
        const char16_t y = FoldAscii(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool tKMList::Add(const QString &key, std::unique_ptr<tKMitem> item)
{
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                     [](const tEntry &e, const QString &k) { return CompareCatalogKeys(e.Key, k) < 0; });
    if (it != entries_.end() && CompareCatalogKeys(it->Key, key) == 0)
        return false;
    entries_.insert(it, tEntry{key, std::move(item)});
    return true;
}

void tKMList::AddAll(std::vector<std::pair<QString, std::unique_ptr<tKMitem>>> items)
{
    entries_.reserve(entries_.size() + items.size());
    for (auto &[key, item] : items)
        entries_.push_back(tEntry{std::move(key), std::move(item)});
    // A stable sort keeps equal keys in the order they came, the items
    // already listed first, so dropping all but the first of each run
    // refuses the later ones as Add would.
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const tEntry &a, const tEntry &b) { return CompareCatalogKeys(a.Key, b.Key) < 0; });
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [](const tEntry &a, const tEntry &b) { return CompareCatalogKeys(a.Key, b.Key) == 0; }),
                   entries_.end());
}

namespace {

// The first series in tree order (root excluded) of each number.
using tSeriesIndex = std::unordered_map<int32_t, tnodeinfo *>;

tSeriesIndex IndexSeries(tMainState &s)
{
    tSeriesIndex byType;
    for (tnodeinfo *n : PreOrder(s.EntireCollection.get()))
        if (n != s.EntireCollection.get())
            byType.emplace(n->CoinType, n);
    return byType;
}

tnodeinfo *CountryFolderIn(tMainState &s, tnodeinfo *node, const tSeriesIndex &byType)
{
    if (!node)
        return nullptr;
    tnodeinfo *root = s.EntireCollection.get();
    tnodeinfo *n = node;
    while (n->ParentNode && n->ParentNode != root && n->NodeMode != NodeModeCountry)
        n = n->ParentNode;
    if (n->NodeMode == NodeModeCountry)
        return n;
    const int c = CoinTypeToCountry(node->CoinType);
    const auto it = byType.find(c == 0 ? CountryZeroSeries : c * 1000);
    return it != byType.end() ? it->second : n;
}

std::unique_ptr<tKMitem> MakeKMItem(tMainState &s, const QString &kmNumber, tnodeinfo *node,
                                    const tSeriesIndex &byType)
{
    auto item = std::make_unique<tKMitem>();
    item->KMnumber = kmNumber;
    item->Folder = node;
    item->CountryFolder = CountryFolderIn(s, node, byType);
    return item;
}

void AddKMItemIn(tMainState &s, tKMList &list, const QString &kmNumber, tnodeinfo *node, const tSeriesIndex &byType)
{
    list.Add(CatalogKey(kmNumber, node), MakeKMItem(s, kmNumber, node, byType));
}

} // namespace

tnodeinfo *CountryFolderOf(tMainState &s, tnodeinfo *node)
{
    return CountryFolderIn(s, node, node ? IndexSeries(s) : tSeriesIndex{});
}

void AddKMItem(tMainState &s, tKMList &list, const QString &kmNumber, tnodeinfo *node)
{
    AddKMItemIn(s, list, kmNumber, node, node ? IndexSeries(s) : tSeriesIndex{});
}

QString GetKMlistForCoinType(tMainState &s, int coinType)
{
    tKMList list;
    for (const auto &p : s.PriceList)
        if (p->CoinType == coinType)
            AddKMItem(s, list, p->Catalog, nullptr);
    QString out;
    for (int i = 0; i < list.Count(); ++i)
        out += list.Item(i).KMnumber + QLatin1Char(' ');
    return out;
}

std::vector<int> CountriesInTree(const tMainState &s)
{
    std::set<int> countries;
    ForEachNode(s.EntireCollection.get(), [&](const tnodeinfo *n) {
        if (n != s.EntireCollection.get() && n->Country >= 0 && n->Country < MaxCountry)
            countries.insert(n->Country);
    });
    return {countries.begin(), countries.end()};
}

void BuildCountryKMList(tMainState &s, tKMList &list, int country)
{
    list.Clear();
    // Price entries belong to the first series in tree order with their
    // number; the entries themselves are left as they are.
    const tSeriesIndex byType = IndexSeries(s);
    QString previous;
    int previousType = 0;
    std::vector<std::pair<QString, std::unique_ptr<tKMitem>>> items;
    for (const auto &p : s.PriceList) {
        if (CoinTypeToCountry(p->CoinType) != country)
            continue;
        const QString number = p->Catalog.trimmed();
        // Price lists repeat a number on consecutive rows (one per date or
        // mint) of one series; the same number of the next series is a row
        // of its own.
        if (number.isEmpty() || (number == previous && p->CoinType == previousType))
            continue;
        const auto it = byType.find(p->CoinType);
        tnodeinfo *node = it == byType.end() ? nullptr : it->second;
        items.emplace_back(CatalogKey(number, node), MakeKMItem(s, number, node, byType));
        previous = number;
        previousType = p->CoinType;
    }
    list.AddAll(std::move(items));
}

std::optional<std::vector<tKMitem *>> FilterKMList(const tKMList &list, const QString &filter)
{
    const QString pattern = filter.trimmed();
    std::vector<tKMitem *> out;
    if (pattern.isEmpty()) {
        for (int i = 0; i < list.Count(); ++i)
            out.push_back(&list.Item(i));
        return out;
    }
    const tTextPattern compiled = tTextPattern::RepeatMarks(pattern);
    if (compiled.Failed())
        return std::nullopt;
    for (int i = 0; i < list.Count(); ++i)
        if (compiled.FoundIn(list.Item(i).KMnumber))
            out.push_back(&list.Item(i));
    return out;
}

tnodeinfo *SeriesOfKMItem(tMainState &s, const tKMitem &item)
{
    if (!item.Folder)
        return nullptr;
    const int wanted = item.Folder->CoinType;
    for (tnodeinfo *n : PreOrder(s.EntireCollection.get()))
        if (n->CoinType == wanted)
            return n;
    return nullptr;
}
