#include "browse/coins/coineditor.h"
#include "core/model/varietytext.h"

#include <algorithm>

#include "core/model/commatext.h"
#include "core/model/currencytext.h"
#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/program/epicmessage.h"
#include "core/model/helpers.h"

namespace {

// Block numbers of the writes, so a failure names the field.
int FieldBlock(tCoinField field)
{
    switch (field) {
    case tCoinField::DateMintBox: return 9501;
    case tCoinField::GradeBox: return 9502;
    case tCoinField::HaveEdit: return 9503;
    case tCoinField::NeedEdit: return 9504;
    case tCoinField::SellEdit: return 9505;
    case tCoinField::SoldEdit: return 9506;
    case tCoinField::GradedByBox: return 9507;
    case tCoinField::StoredBox: return 9508;
    case tCoinField::GMbox: return 9509;
    case tCoinField::BuyDateBox: return 9510;
    case tCoinField::SellDateBox: return 9520;
    case tCoinField::PriceEdit: return 9511;
    case tCoinField::SellPriceEdit: return 9512;
    case tCoinField::CommentEdit: return 9513;
    case tCoinField::BuyBox: return 9514;
    case tCoinField::SellBox: return 9515;
    case tCoinField::ErrorBox: return 9516;
    case tCoinField::User1Box: return 9517;
    case tCoinField::NotesMemo: return 9518;
    case tCoinField::UserField: return 9519;
    default: return 9500;
    }
}

int32_t *CountField(tCoinInfo &c, tCoinField field)
{
    switch (field) {
    case tCoinField::HaveEdit: return &c.Have;
    case tCoinField::NeedEdit: return &c.Need;
    case tCoinField::SellEdit: return &c.Sell;
    case tCoinField::SoldEdit: return &c.Sold;
    default: return nullptr;
    }
}

// Writes through an undo record when the value differs.
template <class T, class U>
bool Change(tMainState &s, tCoinInfo &c, tCoinField field, T &target, const U &value)
{
    if (target == value)
        return false;
    PushCoinUndo(s, c, field);
    target = value;
    return true;
}

// Only one price can be locked: setting either lock clears the other.
bool ChangeLock(tMainState &s, tCoinInfo &c, tCoinField field, bool &lock, bool &other, bool checked)
{
    if (lock == checked)
        return false;
    PushCoinUndo(s, c, field);
    lock = checked;
    other = false;
    return true;
}

bool WriteCoinField(tMainState &s, tCoinInfo &c, tCoinField field, const tEditorValue &v)
{
    CurrProcGuard guard(FieldBlock(field));
    switch (field) {
    case tCoinField::DateMintBox: {
        if (!v.Price)
            return false;
        const QString variety = UnpackVariety(v.Price->Variety, false);
        if (c.Year == v.Price->Year && c.Mint == v.Price->Mint && c.Variety == variety)
            return false;
        PushCoinUndo(s, c, field);
        c.Year = v.Price->Year;
        c.Mint = v.Price->Mint;
        c.Variety = variety;
        c.GM = v.Text;
        return true;
    }
    case tCoinField::GradeBox: return Change(s, c, field, c.Grade, v.Number < 0 ? NoGrade : v.Number);
    case tCoinField::GMbox: return Change(s, c, field, c.GM, v.Text);
    case tCoinField::HaveEdit:
    case tCoinField::NeedEdit:
    case tCoinField::SellEdit:
    case tCoinField::SoldEdit: return Change(s, c, field, *CountField(c, field), v.Number);
    // Compared as stored, so blanks typed around an unchanged text leave no
    // record that would undo nothing.
    case tCoinField::GradedByBox: return Change(s, c, field, c.Gradedby, v.Text.trimmed());
    case tCoinField::StoredBox: return Change(s, c, field, c.Stored, v.Text.trimmed());
    case tCoinField::BuyDateBox: return Change(s, c, field, c.BuyDate, ParseShortDate(v.Text));
    case tCoinField::SellDateBox: return Change(s, c, field, c.SellDate, ParseShortDate(v.Text));
    case tCoinField::PriceEdit:
    case tCoinField::SellPriceEdit: {
        // Whole cents on both sides: a stored amount with finer digits is
        // not rewritten by a box that only shows cents.
        Money &target = field == tCoinField::PriceEdit ? c.BuyPrice : c.SellPrice;
        const Money cents = GetCurrencyValue(v.Text) / 100;
        if (cents == target / 100)
            return false;
        PushCoinUndo(s, c, field);
        target = cents * 100;
        return true;
    }
    case tCoinField::CommentEdit: return Change(s, c, field, c.Comment, v.Text);
    case tCoinField::NotesMemo: return Change(s, c, field, c.Notes, v.Text);
    case tCoinField::BuyBox: return ChangeLock(s, c, field, c.BuyLock, c.SellLock, v.Checked);
    case tCoinField::SellBox: return ChangeLock(s, c, field, c.SellLock, c.BuyLock, v.Checked);
    case tCoinField::ErrorBox: return Change(s, c, field, c.MintError, v.Checked);
    case tCoinField::User1Box: return Change(s, c, field, c.User1, v.Checked);
    case tCoinField::UserField: {
        const int count = static_cast<int>(s.UDFlist.size());
        if (v.UDFIndex < 0 || v.UDFIndex >= count)
            return false;
        QStringList slots = CommaTextSplit(c.UDFstring);
        while (slots.size() < count)
            slots << QString();
        if (slots[v.UDFIndex] == v.Text)
            return false;
        // User fields leave no undo record.
        slots[v.UDFIndex] = v.Text;
        c.UDFstring = CommaTextJoin(slots);
        return true;
    }
    default: return false;
    }
}

} // namespace

int StuffCoinInfo(tMainState &s, tCoinField field, const tEditorValue &value)
{
    CurrProcGuard guard(9500);
    const int rows = static_cast<int>(s.CurrCoinList.size());
    const int r = s.CoinGridRow;
    tCoinInfo *focused = r >= 0 && r < rows ? s.CurrCoinList[r] : nullptr;
    // The entries are taken before any is written: a view switched on below
    // rebuilds the list, which must not change which entries this edit
    // reaches.
    std::vector<tCoinInfo *> targets;
    for (int i = 0; i < rows; ++i)
        if (i == r || s.CurrCoinList[i]->selected)
            targets.push_back(s.CurrCoinList[i]);
    int changed = 0;
    bool viewsChanged = false;
    for (tCoinInfo *c : targets) {
        if (WriteCoinField(s, *c, field, value)) {
            ++changed;
            s.DataModified = true;
        }
        viewsChanged |= ShowCountViews(s, *c);
    }
    Q_EMIT s.Events->SetMainCaption();
    if (viewsChanged)
        Q_EMIT s.Events->PrepCoinsPage();
    if (focused) {
        Q_EMIT s.Events->SortFolderCoins();
        const auto it = std::find(s.CurrCoinList.begin(), s.CurrCoinList.end(), focused);
        if (it != s.CurrCoinList.end())
            s.CoinGridRow = static_cast<int>(it - s.CurrCoinList.begin());
        Q_EMIT s.Events->SelectCoin(focused);
        Q_EMIT s.Events->RefreshCoinGrid();
    }
    return changed;
}

const QString DeleteCoinsText =
    QStringLiteral("This will remove the selected coin(s) from your collection. Do you wish to proceed?");

int DeleteCoinBtnClick(tMainState &s)
{
    CurrProcGuard guard(93);
    if (s.AskingCoin) {
        const int answer = ShowEpicMessage(DeleteCoinsText, QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {},
                                           2, 3, -1, -1, -1, -1, 0,
                                           QStringLiteral("Don't ask me to confirm this each time"), false);
        s.AskingCoin = !EpicDontAsk;
        if (answer != 1)
            return 0;
    }
    std::vector<tCoinInfo *> doomed;
    const int rows = static_cast<int>(s.CurrCoinList.size());
    tCoinInfo *current = s.CoinGridRow >= 0 && s.CoinGridRow < rows ? s.CurrCoinList[s.CoinGridRow] : nullptr;
    if (current)
        doomed.push_back(current);
    for (int i = rows - 1; i >= 0; --i)
        if (s.CurrCoinList[i] != current && s.CurrCoinList[i]->selected)
            doomed.push_back(s.CurrCoinList[i]);
    if (doomed.empty())
        return 0;
    for (tCoinInfo *c : doomed)
        RemoveCoinToUndo(s, c);

    Q_EMIT s.Events->ShowBinCount();
    const int left = static_cast<int>(s.CurrCoinList.size());
    if (left == 0)
        s.CoinGridRow = -1;
    else if (s.CoinGridRow >= left)
        s.CoinGridRow = left - 1;
    s.DataModified = true;
    if (left == 0) {
        // The page shows why it is empty and rests the editor, as it does
        // for any series without listed entries.
        Q_EMIT s.Events->PrepCoinsPage();
    } else {
        Q_EMIT s.Events->RefreshCoinGrid();
    }
    Q_EMIT s.Events->FillCoinEditor();
    Q_EMIT s.Events->SetMainCaption();
    Q_EMIT s.Events->UpdateSelectionSummary();
    Q_EMIT s.Events->RestoreNotesMemo();
    TrimCoinUndoList(s);
    return static_cast<int>(doomed.size());
}

QString PriceText(Money m)
{
    return FormatMoneyPattern(QStringLiteral("0.00"), m, LocaleDecimalSeparator(), QChar());
}

QString ReducePriceText(const QString &text)
{
    return DigitsOnly(text, true, LocaleDecimalSeparator());
}

QString PriceEditExitText(const QString &text)
{
    return PriceText(GetCurrencyValue(text));
}

bool PriceKeyAccepted(const QString &remaining, QChar typed, int maxLength)
{
    if (typed.isDigit() && typed.unicode() < 128)
        return remaining.size() < maxLength;
    if (typed == LocaleDecimalSeparator())
        return !remaining.contains(typed);
    return false;
}

std::vector<tPriceInfo *> DateMintRows(const tMainState &s)
{
    CurrProcGuard guard(8700);
    std::vector<tPriceInfo *> rows;
    for (tPriceInfo *p : s.CurrPriceList) {
        const tPriceInfo *last = rows.empty() ? nullptr : rows.back();
        if (last && last->Year == p->Year && last->Mint == p->Mint && last->Variety == p->Variety)
            continue;
        rows.push_back(p);
    }
    return rows;
}

QString DateMintItemText(const tMainState &s, const tPriceInfo &row)
{
    const int year = (row.DateBits & DateBitCirca) ? 0 : row.Year;
    // Combo-box items show "&" as it is; no doubling.
    return CompoundVariety(year, false, row.Mint, UnpackVariety(row.Variety, false));
}

int DateMintIndexFor(const tMainState &s, const std::vector<tPriceInfo *> &rows, const tCoinInfo &coin)
{
    int found = -1;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const tPriceInfo &p = *rows[i];
        if (p.Year == coin.Year && p.Mint == coin.Mint && UnpackVariety(p.Variety, false) == coin.Variety)
            found = i;
    }
    return found;
}

QStringList GMItemsFor(const tMainState &s, const tPriceInfo *chosen)
{
    QStringList items;
    if (!chosen)
        return items;
    for (const tPriceInfo *p : s.CurrPriceList) {
        if (p->Year != chosen->Year || p->Mint != chosen->Mint || p->Variety != chosen->Variety)
            continue;
        const QString gm = p->GM.trimmed();
        if (!items.contains(gm, Qt::CaseInsensitive))
            items << gm;
    }
    return items;
}

bool DateMintRowCollected(const tMainState &s, const tPriceInfo &row)
{
    const QString variety = UnpackVariety(row.Variety, false);
    return std::any_of(s.CurrCoinList.begin(), s.CurrCoinList.end(), [&](const tCoinInfo *c) {
        return c->Year == row.Year && c->Mint.compare(row.Mint, Qt::CaseInsensitive) == 0 &&
               c->Variety.compare(variety, Qt::CaseInsensitive) == 0;
    });
}

tDateMintKey DateMintKeyOf(const tPriceInfo &row)
{
    return {row.Year, row.Mint, row.Variety};
}

const tPriceInfo *DateMintRowFor(const tMainState &s, const tDateMintKey &key)
{
    for (const tPriceInfo *p : s.CurrPriceList)
        if (p->Year == key.Year && p->Mint == key.Mint && p->Variety == key.Variety)
            return p;
    return nullptr;
}
