#include "browse/finders/catalogkeys.h"
#include "core/model/currproc.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QVarLengthArray>

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

// Appends the key of a number run: the integer part (before the first ".")
// left-padded with zeros to 12 and cut to its last 12, then at most 8
// characters after that "." right-padded with zeros to 8.
void AppendNumberRunKey(QString &key, QStringView run)
{
    const qsizetype dot = run.indexOf(QLatin1Char('.'));
    QStringView whole = dot < 0 ? run : run.left(dot);
    if (whole.size() > IntegerWidth)
        whole = whole.right(IntegerWidth);
    key.resize(key.size() + IntegerWidth - whole.size(), QLatin1Char('0'));
    key.append(whole);
    const QStringView fraction = dot < 0 ? QStringView() : run.mid(dot + 1).left(FractionWidth);
    key.append(fraction);
    key.resize(key.size() + FractionWidth - fraction.size(), QLatin1Char('0'));
}

// Appends the key of a letter run: padded with blanks to 20, cut to 20.
void AppendLetterRunKey(QString &key, QStringView run)
{
    const QStringView kept = run.left(LetterWidth);
    key.append(kept);
    key.resize(key.size() + LetterWidth - kept.size(), QLatin1Char(' '));
}

char16_t FoldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// The sort form of a number run: the count of significant digits of the
// integer part (as keyed: its last 12) and those digits, then the fraction
// as keyed (8 characters, padded with zeros) reduced to one mark when it is
// all zeros, the usual case, and otherwise a mark saying on which side of
// all zeros it lies followed by the 8 characters. Equal runs give equal
// bytes; unequal ones differ first where their keys do, in the same sense.
void AppendNumberRunSortKey(std::string &out, QStringView run)
{
    const qsizetype dot = run.indexOf(QLatin1Char('.'));
    QStringView whole = dot < 0 ? run : run.left(dot);
    if (whole.size() > IntegerWidth)
        whole = whole.right(IntegerWidth);
    while (!whole.isEmpty() && whole.front() == u'0')
        whole = whole.mid(1);
    out += static_cast<char>(whole.size());
    for (const QChar c : whole)
        out += static_cast<char>(c.unicode());
    const QStringView fraction = dot < 0 ? QStringView() : run.mid(dot + 1).left(FractionWidth);
    qsizetype first = 0;  // the first character that is not a zero
    while (first < fraction.size() && fraction[first] == u'0')
        ++first;
    if (first == fraction.size()) {
        out += '\x01';
        return;
    }
    out += fraction[first] < u'0' ? '\x00' : '\x02';
    for (const QChar c : fraction)
        out += static_cast<char>(c.unicode());
    out.append(static_cast<size_t>(FractionWidth - fraction.size()), '0');
}

// The sort form of a letter run: its first 20 letters folded, ended by a
// blank when shorter (the blank padding of the key sorts below every
// letter, so one stands for all of it).
void AppendLetterRunSortKey(std::string &out, QStringView run)
{
    const QStringView kept = run.left(LetterWidth);
    for (const QChar c : kept)
        out += static_cast<char>(FoldAscii(c.unicode()));
    if (kept.size() < LetterWidth)
        out += ' ';
}

// A byte string that orders as CatalogKey(kmNumber, node) does under
// CompareCatalogKeys, a quarter of its length: a list of many thousand
// numbers sorts by these without making a single key text. Each run's form
// is cut off by its own length or end mark, so runs stay aligned between
// two keys up to the first difference; a series number ("~" and digits)
// sorts after any further run, as "~" does after digits and letters.
void AppendSortKey(std::string &out, QStringView kmNumber, const tnodeinfo *node)
{
    int run = 0;
    qsizetype i = 0;
    // The key's text is "0" followed by the number.
    auto at = [&](qsizetype k) { return k == 0 ? QChar(u'0') : kmNumber[k - 1]; };
    const qsizetype size = kmNumber.size() + 1;
    QVarLengthArray<QChar, 64> part;
    while (i < size) {
        const bool letters = IsRunLetter(at(i));
        if (!letters && !IsRunDigit(at(i))) {
            ++i;
            continue;
        }
        part.clear();
        while (i < size && (letters ? IsRunLetter(at(i)) : IsRunDigit(at(i))))
            part.append(at(i++));
        const QStringView view(part.constData(), part.size());
        if (run % 2 == 0)
            AppendNumberRunSortKey(out, view);
        else
            AppendLetterRunSortKey(out, view);
        ++run;
    }
    if (node) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, node->CoinType).ptr;
        out += '~';
        out.append(digits, end);
    }
}

} // namespace

QString CatalogKey(const QString &kmNumber, const tnodeinfo *node)
{
    // The key is built by appending into one string: catalogue lists of
    // many thousand numbers are keyed on every change of country.
    QVarLengthArray<QChar, 64> buffer;
    buffer.append(QLatin1Char('0'));
    buffer.append(kmNumber.constData(), kmNumber.size());
    const QStringView text(buffer.constData(), buffer.size());
    QString key;
    key.reserve(3 * LetterWidth + 12);
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
        const QStringView part = text.mid(start, i - start);
        if (run % 2 == 0)
            AppendNumberRunKey(key, part);
        else
            AppendLetterRunKey(key, part);
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
                                     [](const tEntry &e, const QString &k) { return CompareCatalogKeys(KeyOf(e), k) < 0; });
    if (it != entries_.end() && CompareCatalogKeys(KeyOf(*it), key) == 0)
        return false;
    entries_.insert(it, tEntry{key, std::move(item)});
    return true;
}

void tKMList::AddAll(std::vector<std::pair<QString, std::unique_ptr<tKMitem>>> items)
{
    std::vector<tEntry> all = std::move(entries_);
    all.reserve(all.size() + items.size());
    for (auto &[key, item] : items)
        all.push_back(tEntry{std::move(key), std::move(item)});
    // Each key is folded once into one shared buffer and compared as bytes:
    // the keys share long runs of padding, and folding them again at every
    // comparison made the sort most of the work. Keys are ASCII (runs hold
    // ASCII letters, digits, "!" and "."; padding, "~" and a series
    // number), so one byte per character orders them as the characters do;
    // should another key come, the list is sorted by the full comparison.
    bool ascii = true;
    std::string pool;
    size_t size = 0;
    for (const tEntry &e : all)
        size += static_cast<size_t>(KeyOf(e).size());
    pool.reserve(size);
    std::vector<std::pair<size_t, size_t>> spans(all.size());  // offset and length in pool
    for (size_t i = 0; i < all.size(); ++i) {
        const QString &key = KeyOf(all[i]);
        spans[i] = {pool.size(), static_cast<size_t>(key.size())};
        for (const QChar ch : key) {
            const char16_t c = FoldAscii(ch.unicode());
            ascii = ascii && c < 0x80;
            pool += static_cast<char>(c);
        }
    }
    const auto folded = [&](size_t i) { return std::string_view(pool).substr(spans[i].first, spans[i].second); };
    std::vector<size_t> order(all.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // A stable sort keeps equal keys in the order they came, the items
    // already listed first, so keeping only the first of each run refuses
    // the later ones as Add would.
    const auto less = [&](size_t a, size_t b) {
        return ascii ? folded(a) < folded(b) : CompareCatalogKeys(KeyOf(all[a]), KeyOf(all[b])) < 0;
    };
    std::stable_sort(order.begin(), order.end(), less);
    entries_.clear();
    entries_.reserve(all.size());
    std::vector<size_t> kept;
    kept.reserve(order.size());
    for (size_t i : order)
        if (kept.empty() || less(kept.back(), i))
            kept.push_back(i);
    for (size_t i : kept)
        entries_.push_back(std::move(all[i]));
}

const QString &tKMList::KeyOf(const tEntry &e)
{
    if (e.ByNumber && e.Key.isNull())
        e.Key = CatalogKey(e.Item->KMnumber, e.Item->Folder);
    return e.Key;
}

void tKMList::AddAllByNumber(std::vector<std::unique_ptr<tKMitem>> items)
{
    if (!entries_.empty()) {
        std::vector<std::pair<QString, std::unique_ptr<tKMitem>>> keyed;
        keyed.reserve(items.size());
        for (auto &item : items) {
            QString key = CatalogKey(item->KMnumber, item->Folder);
            keyed.emplace_back(std::move(key), std::move(item));
        }
        AddAll(std::move(keyed));
        return;
    }
    // Every key into one buffer; each row carries its first 16 bytes as two
    // numbers, which decide nearly every comparison without a look into the
    // buffer. The row's place breaks ties, so the first of equal keys comes
    // first and alone is kept, as with Add.
    struct tRow {
        uint64_t High = 0;
        uint64_t Low = 0;
        uint32_t Offset = 0;
        uint32_t Size = 0;
        uint32_t Place = 0;
    };
    std::string pool;
    pool.reserve(items.size() * 24);
    std::vector<tRow> rows(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        tRow &row = rows[i];
        row.Offset = static_cast<uint32_t>(pool.size());
        AppendSortKey(pool, items[i]->KMnumber, items[i]->Folder);
        row.Size = static_cast<uint32_t>(pool.size() - row.Offset);
        row.Place = static_cast<uint32_t>(i);
        unsigned char head[16] = {};
        std::memcpy(head, pool.data() + row.Offset, std::min<size_t>(row.Size, sizeof head));
        for (int k = 0; k < 8; ++k) {
            row.High = row.High << 8 | head[k];
            row.Low = row.Low << 8 | head[8 + k];
        }
    }
    const auto text = [&pool](const tRow &r) { return std::string_view(pool).substr(r.Offset, r.Size); };
    const auto order = [&](const tRow &a, const tRow &b) {
        if (a.High != b.High)
            return a.High < b.High ? -1 : 1;
        if (a.Low != b.Low)
            return a.Low < b.Low ? -1 : 1;
        return text(a).compare(text(b));
    };
    std::sort(rows.begin(), rows.end(), [&](const tRow &a, const tRow &b) {
        const int c = order(a, b);
        return c != 0 ? c < 0 : a.Place < b.Place;
    });
    entries_.reserve(rows.size());
    const tRow *last = nullptr;
    for (const tRow &row : rows) {
        if (last && order(*last, row) == 0)
            continue;
        entries_.push_back(tEntry{QString(), std::move(items[row.Place]), true});
        last = &row;
    }
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
    CurrProcGuard guard(32700);
    AddKMItemIn(s, list, kmNumber, node, node ? IndexSeries(s) : tSeriesIndex{});
}

QString GetKMlistForCoinType(tMainState &s, int coinType)
{
    CurrProcGuard guard(32700);
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
    std::vector<std::unique_ptr<tKMitem>> items;
    for (const auto &p : s.PriceList) {
        if (CoinTypeToCountry(p->CoinType) != country)
            continue;
        // Most numbers have no blanks around them: those are taken as they
        // are, without the general trim.
        const QString &stored = p->Catalog;
        const QString number = stored.isEmpty() || (!stored.front().isSpace() && !stored.back().isSpace())
                                   ? stored
                                   : stored.trimmed();
        // Price lists repeat a number on consecutive rows (one per date or
        // mint) of one series; the same number of the next series is a row
        // of its own.
        if (number.isEmpty() || (number == previous && p->CoinType == previousType))
            continue;
        const auto it = byType.find(p->CoinType);
        tnodeinfo *node = it == byType.end() ? nullptr : it->second;
        items.push_back(MakeKMItem(s, number, node, byType));
        previous = number;
        previousType = p->CoinType;
    }
    list.AddAllByNumber(std::move(items));
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
