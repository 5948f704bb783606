#include "browse/coins/coingridcolumns.h"

#include <algorithm>
#include <limits>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "browse/coins/coingridcells.h"

const std::array<tCoinColumnDef, 24> CoinColumnTable = {{
    {"Image", 80, 75},      {"Bin", 80, 54},        {"Year", 80, 64},      {"Mint", 80, 64},
    {"Variety", 140, 132},  {"GM", 80, 75},         {"Grade", 100, 75},    {"Have", 80, 65},
    {"Need", 80, 65},       {"Sell", 80, 65},       {"Sold", 80, 65},      {"Price", 100, 84},
    {"Value", 100, 84},     {"Change", 100, 84},    {"Item", 100, 80},     {"Graded-by", 120, 108},
    {"Comment", 200, 132},  {"Error", 80, 65},      {"Track", 80, 65},     {"Stored-in", 120, 108},
    {"Catalog", 120, 85},   {"Extended", 140, 100}, {"Purchased", 140, 100}, {"Date sold", 140, 100},
}};

namespace {

// A stored number: its leading digits, 0 when there are none; saturates.
int ReadStoredNumber(const QString &item)
{
    int64_t v = 0;
    for (QChar c : item) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        v = std::min<int64_t>(v * 10 + (c.unicode() - '0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(v);
}

} // namespace

QString CoinColumnTitle(const tMainState &s, int originalIndex)
{
    QString title;
    if (originalIndex >= FixedColumnCount) {
        const int k = originalIndex - FixedColumnCount;
        if (k < static_cast<int>(s.UDFlist.size()))
            title = s.UDFlist[k]->FieldLabel;
    } else if (originalIndex == ColMint && s.SelectedTreeNode &&
               s.SelectedTreeNode->CoinShape == PaperMoneyShape) {
        title = QStringLiteral("Bank");
    } else if (originalIndex >= 0) {
        title = QLatin1String(CoinColumnTable[originalIndex].Title);
    }
    static const QString marks[3] = {QStringLiteral("\u2776"), QStringLiteral("\u2777"), QStringLiteral("\u2778")};
    for (int i = 0; i < 3; ++i)
        if (s.CoinSortOrder[i] == originalIndex)
            return title + marks[i];
    return title;
}

int tColumnLayout::PositionOf(int originalIndex) const
{
    for (int p = 0; p < Count(); ++p)
        if (Columns[p].OriginalIndex == originalIndex)
            return p;
    return -1;
}

void tColumnLayout::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    const tGridColumn c = Columns[from];
    Columns.erase(Columns.begin() + from);
    Columns.insert(Columns.begin() + to, c);
}

void tColumnLayout::Setup(int udfCount)
{
    std::erase_if(Columns, [](const tGridColumn &c) { return c.OriginalIndex >= FixedColumnCount; });
    for (int i = 0; i < FixedColumnCount; ++i)
        if (PositionOf(i) < 0)
            Columns.push_back({i, static_cast<double>(CoinColumnTable[i].ResetWidth)});
    for (int k = 0; k < udfCount; ++k)
        Columns.push_back({FixedColumnCount + k, static_cast<double>(UserColumnWidth)});
}

QString tColumnLayout::Pack() const
{
    CurrProcGuard guard(31700);
    QStringList items;
    for (const tGridColumn &c : Columns) {
        items << QString::number(c.OriginalIndex);
        items << QString::number(static_cast<int64_t>(c.Width));
    }
    return items.isEmpty() ? QString() : items.join(QLatin1Char(','));
}

void tColumnLayout::Unpack(const QString &Instr)
{
    CurrProcGuard guard(31600);
    const QStringList items = CommaTextSplit(Instr);
    if (items.size() < 2 || Count() < 2)
        return;
    for (int i = 0; i < items.size() / 2; ++i) {
        const int from = PositionOf(ReadStoredNumber(items[2 * i]));
        if (from < 0)
            continue;
        Columns[from].Width = ReadStoredNumber(items[2 * i + 1]);
        // A string written when the grid had more columns may name places
        // past its end: such a column goes to the last place, so that the
        // columns it lists last keep their order at the right.
        Move(from, std::min(i, Count() - 1));
    }
}

void tColumnLayout::Reset()
{
    CurrProcGuard guard(28700);
    std::stable_sort(Columns.begin(), Columns.end(),
                     [](const tGridColumn &a, const tGridColumn &b) { return a.OriginalIndex < b.OriginalIndex; });
    for (int p = 0; p < Count(); ++p)
        Columns[p].Width = p < FixedColumnCount ? CoinColumnTable[p].ResetWidth : UserColumnWidth;
}

void tColumnLayout::ResetOldFileWidths()
{
    CurrProcGuard guard(21500);
    for (int p = 0; p < std::min(Count(), static_cast<int>(FixedColumnCount)); ++p)
        Columns[p].Width = CoinColumnTable[p].OldFileWidth;
}
