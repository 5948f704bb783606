#include "reports/bin/reportbin.h"

#include <algorithm>
#include <unordered_set>

#include <QFileInfo>
#include <QStringList>

#include "browse/finders/tracking.h"
#include "core/files/collectionsettings.h"
#include "core/model/varietytext.h"

namespace {

void BinChanged(tMainState &s, int changed)
{
    if (changed > 0)
        MarkCollectionModified(s);
}

} // namespace

int BinCount(const tMainState &s)
{
    return static_cast<int>(std::count_if(s.CoinList.begin(), s.CoinList.end(), [](const auto &c) { return c->InBin; }));
}

int ClampBinRow(int row, int size)
{
    if (size <= 0)
        return -1;
    return std::clamp(row, 0, size - 1);
}

int RefreshBinList(tMainState &s, int currentRow)
{
    s.BinList.clear();
    for (const auto &c : s.CoinList)
        if (c->InBin)
            s.BinList.push_back(c.get());
    return ClampBinRow(currentRow, static_cast<int>(s.BinList.size()));
}

int ToggleBinOfCurrentCoins(tMainState &s)
{
    const int row = s.CoinGridRow;
    if (s.CurrCoinList.empty() || row < 0 || row >= static_cast<int>(s.CurrCoinList.size()))
        return 0;
    tCoinInfo *current = s.CurrCoinList[static_cast<size_t>(row)];
    const bool state = !current->InBin;
    int changed = 0;
    auto set = [&](tCoinInfo *c) {
        if (c->InBin != state) {
            c->InBin = state;
            ++changed;
        }
    };
    set(current);
    for (tCoinInfo *c : s.CurrCoinList)
        if (c->selected)
            set(c);
    BinChanged(s, changed);
    return changed;
}

bool RemoveFromBin(tMainState &s, tCoinInfo *coin)
{
    if (!coin || !coin->InBin)
        return false;
    coin->InBin = false;
    BinChanged(s, 1);
    return true;
}

int EmptyTheBin(tMainState &s)
{
    s.BinList.clear();
    int changed = 0;
    for (const auto &c : s.CoinList)
        if (c->InBin) {
            c->InBin = false;
            ++changed;
        }
    BinChanged(s, changed);
    return changed;
}

int PlaceTrackedCoinsInBin(tMainState &s, tnodeinfo *top)
{
    if (!top || s.CoinList.empty())
        return 0;
    // Entries belong to a series by its number.
    std::unordered_set<int32_t> types;
    ForEachNode(top, [&](const tnodeinfo *n) { types.insert(n->CoinType); });
    int changed = 0;
    for (const auto &c : s.CoinList)
        if (c->User1 && !c->InBin && types.count(c->CoinType)) {
            c->InBin = true;
            ++changed;
        }
    BinChanged(s, changed);
    return changed;
}

QString BinColumnTitle(int column)
{
    static const char *const titles[BinColumnCount] = {"Item", "Series", "Year/Mint/Variety", "Grade", "Have",
                                                       "Need", "Sell", "Sold", "Location"};
    return column >= 0 && column < BinColumnCount ? QString::fromLatin1(titles[column]) : QString();
}

QString BinLocationText(const tCoinInfo &coin)
{
    QStringList names;
    for (const tnodeinfo *n = coin.Folder; n && n->ParentNode; n = n->ParentNode)
        names.prepend(n->NodeName);
    return names.join(QStringLiteral(" / "));
}

QString BinGradeTitle(const tMainState &s, const tCoinInfo &coin)
{
    if (coin.Grade < 0)
        return {};
    const tnodeinfo *series = coin.Folder;
    const int kind = series && series->CoinShape == PaperMoneyShape ? GradeKindPaper : GradeKindCoins;
    const int scale = series ? series->GradeScale : 0;
    return s.GradeTitles3D.Title(kind, scale, coin.Grade);
}

QString BinCellText(const tMainState &s, const tCoinInfo &coin, int column)
{
    switch (column) {
    case BinColItem: return QString::number(coin.Inventory);
    case BinColSeries: return QString::number(coin.CoinType);
    case BinColYearMintVariety: return CompoundVariety(coin.Year, false, coin.Mint, coin.Variety);
    case BinColGrade: return BinGradeTitle(s, coin);
    case BinColHave: return QString::number(coin.Have);
    case BinColNeed: return QString::number(coin.Need);
    case BinColSell: return QString::number(coin.Sell);
    case BinColSold: return QString::number(coin.Sold);
    case BinColLocation: return BinLocationText(coin);
    default: return {};
    }
}

Qt::Alignment BinCellAlignment(int column)
{
    const bool centre = column >= BinColGrade && column <= BinColSold;
    return (centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
}

QString BinCoinPicturePath(const tMainState &s, const QString &stored)
{
    if (stored.trimmed().isEmpty())
        return {};
    const QString path = UnpackRepositoryPath(s, stored);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}
