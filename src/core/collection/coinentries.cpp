#include "core/collection/coinentries.h"
#include "core/model/varietytext.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/program/epicmessage.h"

namespace {

struct tFieldName {
    tCoinField Field;
    const char *Name;
};

constexpr tFieldName FieldNames[] = {
    {tCoinField::DateMintBox, "DateMintBox"},   {tCoinField::GradeBox, "GradeBox"},
    {tCoinField::GMbox, "GMbox"},               {tCoinField::GradedByBox, "GradedByBox"},
    {tCoinField::StoredBox, "StoredBox"},       {tCoinField::HaveEdit, "HaveEdit"},
    {tCoinField::NeedEdit, "NeedEdit"},         {tCoinField::SellEdit, "SellEdit"},
    {tCoinField::SoldEdit, "SoldEdit"},         {tCoinField::BuyDateBox, "BuyDateBox"},
    {tCoinField::SellDateBox, "SellDateBox"},   {tCoinField::PriceEdit, "PriceEdit"},
    {tCoinField::SellPriceEdit, "SellPriceEdit"}, {tCoinField::CommentEdit, "CommentEdit"},
    {tCoinField::NotesMemo, "NotesMemo"},       {tCoinField::BuyBox, "BuyBox"},
    {tCoinField::SellBox, "SellBox"},           {tCoinField::ErrorBox, "ErrorBox"},
    {tCoinField::User1Box, "User1Box"},         {tCoinField::NewCoinBtn, "NewCoinBtn"},
    {tCoinField::DeleteCoinBtn, "DeleteCoinBtn"},
};

bool IsEditRecord(const tUndoCoinInfo &u)
{
    return u.ChangedField != tCoinField::NewCoinBtn && u.ChangedField != tCoinField::DeleteCoinBtn;
}

tCoinInfo *CurrentCoin(const tMainState &s)
{
    const int r = s.CoinGridRow;
    return r >= 0 && r < static_cast<int>(s.CurrCoinList.size()) ? s.CurrCoinList[r] : nullptr;
}

// The entry's row becomes the current row; the grid, when it is there,
// shows it.
void SelectCoinOf(tMainState &s, const tCoinInfo *coin)
{
    if (!coin)
        return;
    const auto it = std::find(s.CurrCoinList.begin(), s.CurrCoinList.end(), coin);
    if (it != s.CurrCoinList.end())
        s.CoinGridRow = static_cast<int>(it - s.CurrCoinList.begin());
    Q_EMIT s.Events->SelectCoin(coin);
}

bool SameTrimmedText(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

const QString NoPriceRowsText = QStringLiteral(
    "There must be at least one entry in the price list for this series before coins of this type can be added");

QString CoinFieldName(tCoinField field)
{
    for (const auto &f : FieldNames)
        if (f.Field == field)
            return QLatin1String(f.Name);
    return {};
}

tCoinField CoinFieldFromName(const QString &objectName)
{
    for (const auto &f : FieldNames)
        if (objectName == QLatin1String(f.Name))
            return f.Field;
    return tCoinField::None;
}

bool ShowCountViews(tMainState &s, const tCoinInfo &coin)
{
    bool changed = false;
    for (auto [count, view] : {std::pair{coin.Have, &s.ViewHave}, {coin.Need, &s.ViewNeed}, {coin.Sell, &s.ViewSell},
                               {coin.Sold, &s.ViewSold}}) {
        if (count > 0 && !*view) {
            *view = true;
            changed = true;
        }
    }
    return changed;
}

int32_t AssignInventory(tMainState &s)
{
    CurrProcGuard guard(7800);
    if (s.CoinList.empty())
        s.MaxInventory = 0;
    if (s.MaxInventory >= 0 && s.MaxInventory < std::numeric_limits<int32_t>::max())
        return ++s.MaxInventory;
    // The numbers have reached the largest one (a file may carry it): the
    // smallest number no entry holds is handed out instead, never a
    // wrapped, negative one. With n entries one of 1..n+1 is always free.
    // This walks the list on every call, which only a collection that has
    // run out of numbers pays for.
    std::vector<bool> taken(s.CoinList.size() + 2, false);
    for (const auto &c : s.CoinList)
        if (c->Inventory > 0 && static_cast<size_t>(c->Inventory) < taken.size())
            taken[static_cast<size_t>(c->Inventory)] = true;
    size_t free = 1;
    while (taken[free])
        ++free;
    return static_cast<int32_t>(free);
}

void TrimCoinUndoList(tMainState &s)
{
    CurrProcGuard guard(132);
    auto &list = s.UndoCoinList;
    if (static_cast<int>(list.size()) > MaxCoinUndo)
        list.erase(list.begin(), list.end() - MaxCoinUndo);
}

void PushCoinUndo(tMainState &s, tCoinInfo &coin, tCoinField field)
{
    CurrProcGuard guard(9400);
    auto rec = std::make_unique<tUndoCoinInfo>();
    rec->Owned = std::make_unique<tCoinInfo>(coin);
    // A cached price match is never copied back and may be freed while the
    // record waits; the copy keeps no link to it.
    rec->Owned->PriceInfo = nullptr;
    rec->CoinInfo = rec->Owned.get();
    rec->OrgCoin = &coin;
    rec->ChangedField = field;
    s.UndoCoinList.push_back(std::move(rec));
    TrimCoinUndoList(s);
}

void AddEntryCount(tnodeinfo *node, int delta)
{
    for (tnodeinfo *n = node; n; n = n->ParentNode)
        n->EntryCount += delta;
}

void RemoveCoinToUndo(tMainState &s, tCoinInfo *coin)
{
    CurrProcGuard guard(92);
    auto it = std::find_if(s.CoinList.begin(), s.CoinList.end(), [&](const auto &p) { return p.get() == coin; });
    if (it == s.CoinList.end())
        return;
    auto rec = std::make_unique<tUndoCoinInfo>();
    rec->Owned = std::move(*it);
    s.CoinList.erase(it);
    std::erase(s.CurrCoinList, coin);
    std::erase(s.BinList, coin);
    // Brought back by Undo, the entry must not join the next multi-edit
    // unasked, nor keep a price match that a reload may have freed.
    coin->selected = false;
    coin->PriceInfo = nullptr;
    rec->CoinInfo = coin;
    rec->ChangedField = tCoinField::DeleteCoinBtn;
    s.UndoCoinList.push_back(std::move(rec));
    AddEntryCount(coin->Folder, -1);
    TrimCoinUndoList(s);
}

void PurgeCoinUndo(tMainState &s, const tCoinInfo *coin)
{
    std::erase_if(s.UndoCoinList, [&](const std::unique_ptr<tUndoCoinInfo> &u) {
        if (u->ChangedField == tCoinField::NewCoinBtn)
            return u->CoinInfo == coin;
        return IsEditRecord(*u) && u->OrgCoin == coin;
    });
    for (auto &u : s.UndoCoinList)
        if (u->ChangedField == tCoinField::NewCoinBtn && u->OrgCoin == coin)
            u->OrgCoin = nullptr;
}

void CopyCoinFields(const tCoinInfo &from, tCoinInfo &to)
{
    to.CoinType = from.CoinType;
    to.Year = from.Year;
    to.Mint = from.Mint;
    to.Variety = from.Variety;
    to.GM = from.GM;
    to.Grade = from.Grade;
    to.Have = from.Have;
    to.Need = from.Need;
    to.Sell = from.Sell;
    to.Sold = from.Sold;
    to.Gradedby = from.Gradedby;
    to.Stored = from.Stored;
    to.BuyDate = from.BuyDate;
    to.BuyPrice = from.BuyPrice;
    to.SellDate = from.SellDate;
    to.SellPrice = from.SellPrice;
    to.TempValue = from.TempValue;
    to.Notes = from.Notes;
    to.Obverse = from.Obverse;
    to.Reverse = from.Reverse;
    to.Receipt = from.Receipt;
    to.OtherImages = from.OtherImages;
    to.OtherImageNames = from.OtherImageNames;
    to.Inventory = from.Inventory;
    to.Comment = from.Comment;
    to.BuyLock = from.BuyLock;
    to.SellLock = from.SellLock;
    to.MintError = from.MintError;
    to.User1 = from.User1;
    to.UDFstring = from.UDFstring;
}

QString DefaultUDFString(const tMainState &s, bool populate)
{
    if (s.UDFlist.empty())
        return {};
    QStringList slots;
    for (const auto &f : s.UDFlist) {
        switch (f->FieldType) {
        case UDFCheckBox: slots << QStringLiteral("F"); break;
        case UDFMoney: slots << QStringLiteral("$0.00"); break;
        case UDFDate: slots << (populate ? QString::number(TodayDay()) : QStringLiteral("0")); break;
        case UDFNumber: slots << QStringLiteral("0"); break;
        case UDFReal: slots << QStringLiteral("0.0"); break;
        default: slots << QString(); break;
        }
    }
    return CommaTextJoin(slots);
}

void AutoIncrementUDFs(tMainState &s, tCoinInfo &coin)
{
    const int count = static_cast<int>(s.UDFlist.size());
    for (int i = 0; i < count; ++i) {
        tUDFfield &f = *s.UDFlist[i];
        if (f.FieldType != UDFNumber || !(f.BitByte & 1))
            continue;
        QStringList slots = CommaTextSplit(coin.UDFstring);
        while (slots.size() < count)
            slots << QString();
        ++f.IncValue;
        slots[i] = QString::number(f.IncValue);
        coin.UDFstring = CommaTextJoin(slots);
    }
}

tCoinInfo *NewCoinBtnClick(tMainState &s, bool clone)
{
    tnodeinfo *series = s.SelectedTreeNode;
    if (!series)
        return nullptr;
    if (s.CurrPriceList.empty()) {
        ShowEpicMessage(NoPriceRowsText, QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
        return nullptr;
    }
    tCoinInfo *previous = CurrentCoin(s);
    if (clone && !previous)
        return nullptr;

    auto made = std::make_unique<tCoinInfo>();
    tCoinInfo &coin = *made;
    if (clone) {
        coin = *previous;
        coin.selected = false;
        coin.PriceInfo = nullptr;
        coin.tag = 0;
    } else {
        coin.Grade = NoGrade;
        coin.Have = 1;
        if (s.CurrPriceList.size() == 1) {
            const tPriceInfo &row = *s.CurrPriceList.front();
            coin.Year = row.Year;
            coin.Mint = row.Mint;
            coin.GM = row.GM;
            coin.Variety = UnpackVariety(row.Variety, false);
        }
        coin.UDFstring = DefaultUDFString(s, false);
    }
    coin.CoinType = series->CoinType;
    coin.Folder = series;
    // Numbered before it joins the list, so the first entry of an empty
    // collection gets 1.
    coin.Inventory = AssignInventory(s);
    AutoIncrementUDFs(s, coin);
    coin.InBin = s.AutoBin;

    tCoinInfo *raw = made.get();
    s.CoinList.push_back(std::move(made));
    s.CurrCoinList.push_back(raw);
    ShowCountViews(s, *raw);
    Q_EMIT s.Events->RestoreNotesMemo();
    if (s.AutoBin)
        Q_EMIT s.Events->ShowBinCount();
    // Counted up to the root, as Delete counts down: the tree shows the same
    // figures before and after a recount.
    AddEntryCount(series, 1);

    Q_EMIT s.Events->PrepCoinsPage();
    Q_EMIT s.Events->SortFolderCoins();
    s.CoinGridRow = -1;
    SelectCoinOf(s, raw);

    auto rec = std::make_unique<tUndoCoinInfo>();
    rec->CoinInfo = raw;
    rec->OrgCoin = previous;
    rec->ChangedField = tCoinField::NewCoinBtn;
    s.UndoCoinList.push_back(std::move(rec));
    TrimCoinUndoList(s);

    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
    Q_EMIT s.Events->RefreshCoinGrid();
    Q_EMIT s.Events->FillCoinEditor();
    return raw;
}

bool UndoCoinBtnClick(tMainState &s)
{
    Q_EMIT s.Events->RestoreNotesMemo();
    if (s.UndoCoinList.empty())
        return false;
    // Off the stack first: freeing an entry below purges the records that
    // point at it, and this one must not be among them.
    std::unique_ptr<tUndoCoinInfo> rec = std::move(s.UndoCoinList.back());
    s.UndoCoinList.pop_back();
    tCoinInfo *coin = rec->CoinInfo;

    // The page follows the entry into its own series, through the whole
    // series selection so the caption and the price and grade lists agree.
    if (coin && coin->Folder && s.SelectedTreeNode && coin->CoinType != s.SelectedTreeNode->CoinType) {
        s.SelectedTreeNode = coin->Folder;
        Q_EMIT s.Events->SeriesSelected();
    }

    switch (rec->ChangedField) {
    case tCoinField::DeleteCoinBtn:
        s.CoinList.push_back(std::move(rec->Owned));
        AddEntryCount(coin->Folder, 1);
        s.DataModified = true;
        Q_EMIT s.Events->PrepCoinsPage();
        Q_EMIT s.Events->SortFolderCoins();
        SelectCoinOf(s, coin);
        Q_EMIT s.Events->ShowBinCount();
        break;
    case tCoinField::NewCoinBtn:
        AddEntryCount(coin->Folder, -1);
        s.DeleteCoin(coin);
        s.DataModified = true;
        Q_EMIT s.Events->PrepCoinsPage();
        Q_EMIT s.Events->SortFolderCoins();
        SelectCoinOf(s, rec->OrgCoin);
        // After the removal, so the count no longer includes the entry.
        Q_EMIT s.Events->ShowBinCount();
        break;
    default:
        CopyCoinFields(*coin, *rec->OrgCoin);
        // The restored values may belong elsewhere in the sorted list, as
        // the edit itself re-sorted.
        Q_EMIT s.Events->SortFolderCoins();
        SelectCoinOf(s, rec->OrgCoin);
        s.DataModified = true;
        break;
    }
    Q_EMIT s.Events->SetMainCaption();
    Q_EMIT s.Events->RefreshCoinGrid();
    Q_EMIT s.Events->FillCoinEditor();
    return true;
}

std::vector<tPopulateItem> PopulateItems(const tMainState &s)
{
    std::vector<tPopulateItem> items;
    int lastYear = -1;
    QString lastMint, lastVariety;
    for (tPriceInfo *row : s.CurrPriceList) {
        const QString variety = UnpackVariety(row->Variety, false);
        if (row->Year == lastYear && SameTrimmedText(row->Mint, lastMint) && SameTrimmedText(variety, lastVariety))
            continue;
        lastYear = row->Year;
        lastMint = row->Mint;
        lastVariety = variety;
        tPopulateItem item;
        item.Price = row;
        item.Text = CompoundVariety(row->Year, row->DateBits & DateBitCirca, row->Mint, variety);
        item.Checked = std::none_of(s.CurrCoinList.begin(), s.CurrCoinList.end(), [&](const tCoinInfo *c) {
            return c->Year == row->Year && SameTrimmedText(c->Mint, row->Mint) && SameTrimmedText(c->Variety, variety);
        });
        items.push_back(std::move(item));
    }
    return items;
}

int PopulateCoins(tMainState &s, const std::vector<tPriceInfo *> &rows, int grade)
{
    tnodeinfo *series = s.SelectedTreeNode;
    if (!series)
        return 0;
    int made = 0;
    for (tPriceInfo *row : rows) {
        auto coin = std::make_unique<tCoinInfo>();
        coin->CoinType = series->CoinType;
        coin->Folder = series;
        coin->Year = row->Year;
        coin->Mint = row->Mint;
        coin->GM = row->GM;
        coin->Variety = UnpackVariety(row->Variety, false);
        coin->Grade = grade;
        coin->Inventory = AssignInventory(s);
        coin->UDFstring = DefaultUDFString(s, true);
        s.CurrCoinList.push_back(coin.get());
        s.CoinList.push_back(std::move(coin));
        ++made;
    }
    if (made == 0)
        return 0;
    AddEntryCount(series, made);
    Q_EMIT s.Events->ShowCoinsPage();
    s.DataModified = true;
    Q_EMIT s.Events->PrepCoinsPage();
    Q_EMIT s.Events->SetMainCaption();
    Q_EMIT s.Events->RefreshCoinGrid();
    Q_EMIT s.Events->FillCoinEditor();
    return made;
}
