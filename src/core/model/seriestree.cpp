#include "core/model/seriestree.h"

#include <exception>
#include <unordered_map>

#include "core/model/currproc.h"
#include "core/model/dates.h"

namespace {

struct tBlock {
    int Root;
    std::initializer_list<int> Members;
};

// Countries that share one price-list file; scanned in this order.
const tBlock Blocks[] = {
    {0, {1}},
    {160, {161, 481}},
    {262, {406, 424}},
    {163, {417}},
    {9, {407, 472, 434}},
    {2, {411, 439, 473}},
    {431, {432, 433}},
    {413, {414, 415, 416, 418}},
    {422, {437, 438, 440}},
    {427, {454}},
    {8, {455}},
    {6, {451}},
    {40, {459}},
    {252, {461}},
    {460, {463}},
    {14, {471}},
    {12, {474}},
    {477, {479, 480, 482, 483, 484, 485, 486, 487, 488, 491, 493, 494}},
};

} // namespace

void SeriesBlocks(int inBlock, int &rootBlock, std::array<int, 21> &blockList)
{
    blockList.fill(-1);
    rootBlock = -1;
    for (const tBlock &b : Blocks) {
        if (b.Root == inBlock) {
            rootBlock = inBlock;
            size_t i = 0;
            blockList[i++] = b.Root;
            for (int m : b.Members)
                blockList[i++] = m;
        } else if (rootBlock == -1) {
            for (int m : b.Members)
                if (m == inBlock)
                    rootBlock = b.Root;
        }
    }
    if (rootBlock == -1) {
        rootBlock = inBlock;
        blockList[0] = inBlock;
    }
}

void SeriesBlocks(tMainState &s, int inBlock, int &rootBlock)
{
    SeriesBlocks(inBlock, rootBlock, s.BlockList);
}

int CoinTypeToCountry(int inType)
{
    const int q = inType / 1000;
    if (q > MaxCountry)
        return UserCountry;
    // Negative numbers never come from a sound file, but a damaged one must
    // not make a caller index a per-country table out of bounds.
    if (q < 0)
        return 0;
    int root = -1;
    std::array<int, 21> scratch;
    SeriesBlocks(q, root, scratch);
    return root;
}

tnodeinfo *CoinTypeToNodeInfo(const tMainState &s, int inType)
{
    tnodeinfo *found = nullptr;
    std::vector<tnodeinfo *> stack{s.EntireCollection.get()};
    while (!stack.empty() && !found) {
        tnodeinfo *n = stack.back();
        stack.pop_back();
        if (n->CoinType == inType) {
            found = n;
            break;
        }
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }
    return found;
}

QString CoinTypeToSeriesName(const tMainState &s, int inType)
{
    const tnodeinfo *n = CoinTypeToNodeInfo(s, inType);
    return n ? n->NodeName : QString();
}

bool CountryIsLoaded(const tMainState &s, int inCountry)
{
    std::vector<tnodeinfo *> stack;
    for (auto &c : s.EntireCollection->ChildNodes)
        stack.push_back(c.get());
    while (!stack.empty()) {
        tnodeinfo *n = stack.back();
        stack.pop_back();
        if (n->Country == inCountry)
            return true;
        for (auto &c : n->ChildNodes)
            stack.push_back(c.get());
    }
    return false;
}

void FindQuarterNode(tMainState &s)
{
    struct tSpecial {
        int CoinType;
        int Bit;
        tnodeinfo *tMainState::*Ref;
    };
    static const tSpecial specials[] = {
        {345, 0x1, &tMainState::QuarterNode},    {377, 0x2, &tMainState::ATBFiveOzNode},
        {375, 0x4, &tMainState::ATBNode},        {442, 0x8, &tMainState::WomenNode},
        {356, 0x10, &tMainState::DollarNode},    {379, 0x20, &tMainState::QuarterFDCNode},
        {380, 0x40, &tMainState::DollarFDCNode}, {417, 0x80, &tMainState::InnovationNode},
    };
    for (const tSpecial &sp : specials)
        s.*(sp.Ref) = nullptr;
    int found = 0;
    std::vector<tnodeinfo *> stack{s.EntireCollection.get()};
    while (!stack.empty() && found != 0xFF) {
        tnodeinfo *n = stack.back();
        stack.pop_back();
        for (const tSpecial &sp : specials)
            if (n->CoinType == sp.CoinType) {
                s.*(sp.Ref) = n;
                found |= sp.Bit;
            }
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }
}

QString SeriesPath(const tMainState &s, const tnodeinfo *node)
{
    if (!node || node == s.EntireCollection.get() || !node->ParentNode)
        return node ? node->NodeName : QString();
    QStringList parts;
    for (const tnodeinfo *n = node; n && n->ParentNode; n = n->ParentNode)
        parts.prepend(n->NodeName);
    return parts.join(QLatin1Char('\\'));
}

void CalcNodeEntries(tMainState &s)
{
    CurrProcGuard guard(1101);
    s.ThemeQuantity.fill(0);
    try {
        ForEachNode(s.EntireCollection.get(), [](tnodeinfo *n) { n->EntryCount = 0; });
        for (auto &c : s.CoinList)
            if (c->Folder)
                ++c->Folder->EntryCount;
        // Children follow their parent in pre-order, so walking the list
        // backwards adds every subtree's total before its parent passes its
        // own on.
        const std::vector<tnodeinfo *> nodes = PreOrder(s.EntireCollection.get());
        for (const tnodeinfo *n : nodes)
            for (int i = 0; i < ThemeCount; ++i)
                if (n->Themes & (1 << i))
                    ++s.ThemeQuantity[static_cast<size_t>(i)];
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
            if ((*it)->ParentNode && *it != s.EntireCollection.get())
                (*it)->ParentNode->EntryCount += (*it)->EntryCount;
    } catch (const std::exception &) {
        // The figures stay as far as they got; a recount never stops the caller.
    }
    Q_EMIT s.Events->RefreshThemeButtons();
}

namespace {

void OfferMin(tnodeinfo *n, int y, bool circa)
{
    if (n->DateRangeMin == 0 || y < n->DateRangeMin) {
        n->DateRangeMin = y;
        n->DateRangeCirca = static_cast<uint8_t>((n->DateRangeCirca & ~1) | (circa ? 1 : 0));
    }
}

void OfferMax(tnodeinfo *n, int y, bool circa)
{
    if (y > n->DateRangeMax) {
        n->DateRangeMax = y;
        n->DateRangeCirca = static_cast<uint8_t>((n->DateRangeCirca & ~2) | (circa ? 2 : 0));
    }
}

bool IsYearRange(const QString &t)
{
    if (t.size() != 9 || t[4] != QLatin1Char('-'))
        return false;
    for (int i : {0, 1, 2, 3, 5, 6, 7, 8})
        if (!t[i].isDigit() || t[i].unicode() > '9')
            return false;
    return true;
}

} // namespace

// Years named by the date tokens of a packed variety: each "\d/" is followed
// by a day number up to the next blank.
std::vector<int> VarietyTokenYears(const QString &variety)
{
    static const QString token = QStringLiteral("\\d/");
    std::vector<int> years;
    QString rest = variety;
    for (;;) {
        const int at = rest.indexOf(token);
        if (at < 0)
            break;
        const int start = at + token.size();
        int end = rest.indexOf(QLatin1Char(' '), start);
        if (end < 0)
            end = rest.size();
        const QString num = rest.mid(start, std::min(end - start, 10));
        bool ok = false;
        const int day = num.toInt(&ok);
        // A malformed token is passed over; the remaining tokens still count.
        if (ok && day > -693594 && day < 2958466)
            years.push_back(DayToYear(day));
        rest = rest.mid(std::min<int>(start + static_cast<int>(num.size()) + 1, static_cast<int>(rest.size())));
    }
    return years;
}

void CalcNodeDates(tMainState &s)
{
    CurrProcGuard guard(1102);
    try {
        ForEachNode(s.EntireCollection.get(), [](tnodeinfo *n) {
            n->DateRangeMin = 0;
            n->DateRangeMax = 0;
            n->DateRangeCirca = 0;
            n->HasPrices = false;
        });
        for (size_t idx = 0; idx < s.PriceList.size(); ++idx) {
            tPriceInfo *p = s.PriceList[idx].get();
            if (!p->Folder || (p->DateBits & DateBitNoRange))
                continue;
            tnodeinfo *n = p->Folder;
            n->HasPrices = true;
            const bool circa = p->DateBits & DateBitCirca;
            const QString trimmed = p->Variety.trimmed();
            if (p->Year > 0) {
                OfferMin(n, p->Year, circa);
                OfferMax(n, p->Year, circa);
            } else if (IsYearRange(trimmed)) {
                OfferMin(n, trimmed.left(4).toInt(), circa);
                OfferMax(n, trimmed.mid(5, 4).toInt(), circa);
            } else {
                for (int y : VarietyTokenYears(p->Variety)) {
                    OfferMin(n, y, circa);
                    OfferMax(n, y, circa);
                }
            }
            if (idx % 32 == 0)
                Q_EMIT s.Events->ProcessEvents();
        }
        const std::vector<tnodeinfo *> nodes = PreOrder(s.EntireCollection.get());
        // Series that share another series' price list take its range: the
        // first series of that number (in tree order) with a range, else the
        // last one of that number. The series of each number are listed once,
        // so a large tree with many sharing series costs one walk, not one
        // walk per sharing series; the lists hold the nodes themselves, so a
        // source that shares in turn is seen as far as it has been updated.
        std::unordered_map<int32_t, std::vector<tnodeinfo *>> byNumber;
        for (tnodeinfo *n : nodes)
            if (n->PriceSource > 0)
                byNumber.try_emplace(n->PriceSource);
        for (tnodeinfo *n : nodes)
            if (const auto it = byNumber.find(n->CoinType); it != byNumber.end())
                it->second.push_back(n);
        for (tnodeinfo *n : nodes) {
            if (n->PriceSource <= 0)
                continue;
            n->DateRangeMin = 0;
            n->DateRangeMax = 0;
            for (tnodeinfo *src : byNumber[n->PriceSource]) {
                n->DateRangeMin = src->DateRangeMin;
                n->DateRangeMax = src->DateRangeMax;
                n->HasPrices = src->HasPrices;
                if (n->DateRangeMin != 0)
                    break;
            }
        }
        // Backwards through pre-order: a subtree is complete before its
        // range reaches the parent.
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
            const tnodeinfo *c = *it;
            tnodeinfo *n = c->ParentNode;
            if (!n || c == s.EntireCollection.get())
                continue;
            if (c->DateRangeMin != 0 && (n->DateRangeMin == 0 || c->DateRangeMin < n->DateRangeMin))
                n->DateRangeMin = c->DateRangeMin;
            if (c->DateRangeMax > n->DateRangeMax)
                n->DateRangeMax = c->DateRangeMax;
        }
    } catch (const std::exception &) {
        // A failure leaves the ranges as far as they got.
    }
    s.DatesMayHaveChanged = false;
}

QString NodeInfoToMeasurementStr(const tnodeinfo &node, bool addShape, QChar decimalSep)
{
    auto mm = [&](float v) {
        QString t = QString::number(static_cast<double>(v), 'f', 1);
        t.replace(QLatin1Char('.'), decimalSep);
        return t + QStringLiteral("mm");
    };
    QString r = mm(node.Measure1);
    switch (node.CoinShape) {
    case 1: case 6:
        r += QStringLiteral(" by ") + mm(node.Measure1);
        break;
    case 2: case 5: case 7: case 9:
        r += QStringLiteral(" by ") + mm(node.Measure2);
        break;
    default:
        break;
    }
    if (addShape) {
        switch (node.CoinShape) {
        case 0: r += QStringLiteral(" diameter"); break;
        case 1: case 6: r += QStringLiteral(" square"); break;
        case 3: case 8: r += QStringLiteral(" polygon"); break;
        case 4: case 10: r += QStringLiteral(" scallop"); break;
        case 5: r += QStringLiteral(" paper money"); break;
        case 9: r += QStringLiteral(" ellipse"); break;
        case 2: case 7: r += QStringLiteral(" rectangle"); break;
        default: break;
        }
    }
    return r;
}

QString YearsToYearRangeStr(int year1, int year2, bool isCirca, int currentYear)
{
    if (currentYear == 0)
        currentYear = QDate::currentDate().year();
    QString r;
    if (year1 != 0)
        r = (isCirca ? QStringLiteral("Circa ") : QString()) + QString::number(year1);
    if (year2 != year1)
        r += QLatin1Char('-') + (year2 < currentYear ? QString::number(year2) : QStringLiteral("Date"));
    return r;
}

void CopySeriesProperties(tnodeinfo &to, const tnodeinfo &from)
{
    to.NodeName = from.NodeName;
    to.PriceSource = from.PriceSource;
    to.FaceValueCode = from.FaceValueCode;
    to.FaceValueAmount = from.FaceValueAmount;
    to.Obverse = from.Obverse;
    to.Reverse = from.Reverse;
    to.NodeMode = from.NodeMode;
    to.Favorite = from.Favorite;
    to.UpdateOK = from.UpdateOK;
    to.MoveOK = from.MoveOK;
    to.CoinShape = from.CoinShape;
    to.CoinSubShape = from.CoinSubShape;
    to.Measure1 = from.Measure1;
    to.Measure2 = from.Measure2;
    to.Themes = from.Themes;
    to.GradeScale = from.GradeScale;
    to.FontCode = from.FontCode;
    to.EntryCount = 0;
    to.DateRangeMin = 0;
    to.DateRangeMax = 0;
    to.GlyphStats = 0;
}
