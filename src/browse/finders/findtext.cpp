#include "browse/finders/findtext.h"

#include <algorithm>
#include <unordered_set>

#include <QFileInfo>

#include "core/model/seriestree.h"
#include "browse/finders/textpattern.h"

namespace {

constexpr int UserSeriesStart = 1000000;

bool IsLeaf(const tnodeinfo &n)
{
    return n.ChildNodes.empty();
}

bool SameKeyword(const QString &text, int index)
{
    return text.compare(FindKeywords[index], Qt::CaseInsensitive) == 0;
}

bool IsKeyword(const QString &text)
{
    return std::any_of(FindKeywords.begin(), FindKeywords.end(),
                       [&](const QString &k) { return text.compare(k, Qt::CaseInsensitive) == 0; });
}

bool PictureMissing(const tnodeinfo &n, const QString &name, bool obverse, const tFindEnvironment &env)
{
    // A blank name has no file at all.
    if (name.trimmed().isEmpty())
        return true;
    const int country = CoinTypeToCountry(n.CoinType);
    const bool paper = n.CoinShape == PaperMoneyShape;
    const QString path = env.FullPath ? env.FullPath(name, country, obverse, paper) : name;
    const bool exists = env.FileExists ? env.FileExists(path) : QFileInfo::exists(path);
    return !exists;
}

// The century an eBook covers, from the year that starts it in its file
// name; 0 when the name names none.
int EbookCentury(const QString &fileName)
{
    for (int century : {1601, 1701, 1801, 1901, 2001})
        if (fileName.contains(QString::number(century)))
            return century;
    return 0;
}

} // namespace

int ParseSeriesNumber(const QString &text)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return -1;
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n != 0 ? n : -1;
}

QStringList PushSearchHistory(const QStringList &history, const QString &text)
{
    if (text.isEmpty())
        return history;
    // The oldest item makes room before the text's own earlier place is
    // dropped, so repeating an older text can leave seven items.
    QStringList out;
    out << text;
    for (const QString &item : history.mid(0, SearchHistoryMax - 1))
        if (!item.trimmed().isEmpty() && item.compare(text, Qt::CaseInsensitive) != 0)
            out << item;
    return out;
}

QStringList StoredSearchHistory(const QStringList &history)
{
    QStringList out;
    for (const QString &item : history)
        if (!IsKeyword(item.trimmed()))
            out << item;
    return out;
}

QStringList SearchDropDownItems(const QStringList &history, bool maintainerMode)
{
    QStringList items = history;
    if (maintainerMode)
        for (const QString &k : FindKeywords)
            if (!items.contains(k, Qt::CaseInsensitive))
                items << k;
    return items;
}

std::vector<tnodeinfo *> FindSeries(tMainState &s, const QString &text, bool caseSensitive,
                                    const tFindEnvironment &env)
{
    std::vector<tnodeinfo *> hits;
    const std::vector<tnodeinfo *> nodes = PreOrder(s.EntireCollection.get());
    const auto collect = [&](auto &&test) {
        for (tnodeinfo *n : nodes)
            if (test(*n))
                hits.push_back(n);
    };

    if (SameKeyword(text, 0)) {  // empty price list
        // Price entries belong to a series by its number.
        std::unordered_set<int32_t> priced;
        for (const auto &p : s.PriceList)
            priced.insert(p->CoinType);
        collect([&](const tnodeinfo &n) {
            return IsLeaf(n) && !priced.count(n.CoinType) && (n.NodeMode & NodeModeComment) == 0;
        });
    } else if (SameKeyword(text, 1)) {  // modified series
        collect([](const tnodeinfo &n) { return n.GlyphStats > 3 || n.CoinType > UserSeriesStart; });
    } else if (SameKeyword(text, 3)) {  // image needed
        collect([&](const tnodeinfo &n) {
            return IsLeaf(n) && !n.Obverse.trimmed().isEmpty() &&
                   (PictureMissing(n, n.Obverse, true, env) || PictureMissing(n, n.Reverse, false, env));
        });
    } else if (SameKeyword(text, 2) && env.IndicatedEbookFile) {  // no ebook
        const int century = EbookCentury(*env.IndicatedEbookFile);
        collect([&](const tnodeinfo &n) {
            return IsLeaf(n) && !n.eIndexed &&
                   (century == 0 || (n.DateRangeMin <= century + 99 && n.DateRangeMax >= century));
        });
    } else {
        const tTextPattern pattern = tTextPattern::Wildcards(text, caseSensitive);
        const int number = ParseSeriesNumber(text);
        for (tnodeinfo *n : nodes) {
            if (pattern.FoundIn(n->NodeName))
                hits.push_back(n);
            if (number > 0 && n->CoinType == number)
                hits.push_back(n);
        }
    }
    return hits;
}

QString FoundText(int count)
{
    if (count == 1)
        return QStringLiteral("1 instance found.");
    if (count > 1)
        return QString::number(count) + QStringLiteral(" instances found.");
    return QStringLiteral("The text was not found");
}

tnodeinfo *StepFound(tnodeinfo *root, const std::vector<tnodeinfo *> &hits, const tnodeinfo *current, bool forward)
{
    const std::unordered_set<const tnodeinfo *> wanted(hits.begin(), hits.end());
    std::vector<std::pair<int, tnodeinfo *>> found;  // tree position, series
    int cur = -1;
    int pos = 0;
    ForEachNode(root, [&](tnodeinfo *n) {
        if (n == current)
            cur = pos;
        if (wanted.count(n))
            found.emplace_back(pos, n);
        ++pos;
    });
    if (found.empty())
        return nullptr;
    if (forward) {
        for (const auto &[p, n] : found)
            if (p > cur)
                return n;
        return found.front().second;
    }
    for (auto it = found.rbegin(); it != found.rend(); ++it)
        if (it->first < cur)
            return it->second;
    return found.back().second;
}

QString tTextFinder::DoSearch(const QString &text, bool caseSensitive, const tFindEnvironment &env)
{
    const QString trimmed = text.trimmed();
    hits_ = FindSeries(s_, trimmed, caseSensitive, env);
    generation_ = s_.TreeGeneration;
    status_ = FoundText(static_cast<int>(hits_.size()));
    LastSearch = trimmed;
    LastCaseSetting = caseSensitive;
    return status_;
}

void tTextFinder::Reset()
{
    hits_.clear();
    LastSearch = NoSearchYet;
    status_ = FindTextPrompt;
}

const std::vector<tnodeinfo *> &tTextFinder::Hits()
{
    if (generation_ != s_.TreeGeneration)
        hits_.clear();
    return hits_;
}

tnodeinfo *tTextFinder::Step(const QString &text, bool caseSensitive, bool forward, const tFindEnvironment &env)
{
    // Freed series take their hits with them; the search runs again on the
    // tree as it now stands.
    if (text.trimmed() != LastSearch || caseSensitive != LastCaseSetting || generation_ != s_.TreeGeneration)
        DoSearch(text, caseSensitive, env);
    if (hits_.empty())
        return nullptr;
    return StepFound(s_.EntireCollection.get(), hits_, s_.SelectedTreeNode, forward);
}
