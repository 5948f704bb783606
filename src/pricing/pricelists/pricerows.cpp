#include "pricing/pricelists/pricerows.h"

#include <algorithm>
#include <atomic>

#include "core/model/seriestree.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

namespace {

// Identities are unique for the run; the tag is never stored, so a reload
// brings entries without one.
std::atomic<int32_t> NextIdentity{1};

// The snapshot fields: everything the file stores.
void CopyStoredFields(const tPriceInfo &from, tPriceInfo &to)
{
    to.CoinType = from.CoinType;
    to.Year = from.Year;
    to.Mint = from.Mint;
    to.Mintage = from.Mintage;
    to.ProofMintage = from.ProofMintage;
    to.Included = from.Included;
    to.ProofIncluded = from.ProofIncluded;
    to.Variety = from.Variety;
    to.GM = from.GM;
    to.Catalog = from.Catalog;
    to.Metal = from.Metal;
    to.Content = from.Content;
    to.Weight = from.Weight;
    to.DateBits = from.DateBits;
    to.Value = from.Value;
}

int IndexInCurrent(const tMainState &s, const tPriceInfo *e)
{
    const auto it = std::find(s.CurrPriceList.begin(), s.CurrPriceList.end(), e);
    return it == s.CurrPriceList.end() ? -1 : static_cast<int>(it - s.CurrPriceList.begin());
}

void FreeOne(tMainState &s, tPriceInfo *e)
{
    const int coinType = e->CoinType;
    FreePriceEntries(s, {e});
    s.DatesMayHaveChanged = true;
    MarkPricesModifiedFor(s, coinType);
}

} // namespace

int32_t PriceIdentity(tPriceInfo &e)
{
    if (e.tag <= 0)
        e.tag = NextIdentity++;
    return e.tag;
}

tPriceInfo *FindPriceByIdentity(const tMainState &s, int32_t id)
{
    if (id <= 0)
        return nullptr;
    for (const auto &p : s.PriceList)
        if (p->tag == id)
            return p.get();
    return nullptr;
}

void tPriceHistory::Record(tPriceInfo &e, tPriceUndoAction action, int row)
{
    tUndoPriceInfo u;
    CopyStoredFields(e, u.Snapshot);
    u.Action = action;
    u.Row = row;
    u.Target = PriceIdentity(e);
    items_.push_back(std::move(u));
    while (static_cast<int>(items_.size()) > Limit)
        items_.pop_front();
}

void MarkPricesModifiedFor(tMainState &s, int coinType)
{
    const int country = CoinTypeToCountry(coinType);
    if (country >= 0 && country < CountryTableSize)
        s.PricesModifiedArray[static_cast<size_t>(country)] = true;
    s.PricesModified = true;
    Q_EMIT s.Events->SetSaveMenuVisibility();
}

int SelectedPriceSource(const tMainState &s)
{
    return s.SelectedTreeNode ? PickPriceSource(*s.SelectedTreeNode) : 0;
}

void MarkSelectedPricesModified(tMainState &s) { MarkPricesModifiedFor(s, SelectedPriceSource(s)); }

int AddPriceEntry(tMainState &s, tPriceHistory &history, const tPriceInfo *source)
{
    auto n = std::make_unique<tPriceInfo>();
    const int priceSource = SelectedPriceSource(s);
    n->CoinType = priceSource;
    int index = -1;
    if (source) {
        CopyStoredFields(*source, *n);
        n->CoinType = priceSource;
        n->DateBits = static_cast<uint16_t>(source->DateBits & ~DateBitRunEnd);
        for (Money &v : n->Value) {
            const int64_t code = MoneyToValueCode(v);
            if (code == CodeRare || code == CodeExtinct)
                v = ValueCodeToMoney(CodeDashes);
        }
        const int at = IndexInCurrent(s, source);
        index = at < 0 ? static_cast<int>(s.CurrPriceList.size()) : at + 1;
    } else {
        n->DateBits = DateBitRunEnd;
        n->Value.fill(ValueCodeToMoney(CodeDashes));
        index = static_cast<int>(s.CurrPriceList.size());
    }
    n->Folder = CoinTypeToNodeInfo(s, priceSource);
    tPriceInfo *raw = n.get();
    s.PriceList.push_back(std::move(n));
    s.CurrPriceList.insert(s.CurrPriceList.begin() + index, raw);
    PriceListChanged(s);
    history.Record(*raw, PriceUndoAdded, 0);
    MarkPricesModifiedFor(s, raw->CoinType);
    return index;
}

void DeletePriceEntry(tMainState &s, tPriceHistory &history, tPriceInfo *entry)
{
    if (!entry)
        return;
    history.Record(*entry, PriceUndoDeleted, 0);
    FreeOne(s, entry);
}

tPriceUndone UndoPriceChange(tMainState &s, tPriceHistory &history)
{
    tPriceUndone out;
    while (!history.Empty()) {
        const tUndoPriceInfo u = history.Newest();
        history.DropNewest();
        tPriceInfo *affected = nullptr;
        if (u.Action == PriceUndoDeleted) {
            // A deletion undone twice over (its entry restored already by a
            // later snapshot) has nothing left to restore.
            if (FindPriceByIdentity(s, u.Target))
                continue;
            auto r = std::make_unique<tPriceInfo>();
            CopyStoredFields(u.Snapshot, *r);
            r->DateBits |= DateBitRunEnd;
            r->tag = u.Target;
            r->Folder = CoinTypeToNodeInfo(s, r->CoinType);
            affected = r.get();
            s.PriceList.push_back(std::move(r));
            if (affected->CoinType == SelectedPriceSource(s))
                s.CurrPriceList.push_back(affected);
            PriceListChanged(s);
            out.CountChanged = true;
        } else {
            tPriceInfo *target = FindPriceByIdentity(s, u.Target);
            if (!target)
                continue;   // the entry is gone: nothing to act on
            if (u.Action == PriceUndoAdded) {
                FreeOne(s, target);
                out.CountChanged = true;
            } else {
                CopyStoredFields(u.Snapshot, *target);
                target->DateBits |= DateBitRunEnd;
                affected = target;
            }
        }
        out.Done = true;
        out.Row = u.Row;
        out.CoinType = u.Snapshot.CoinType;
        out.Index = affected ? IndexInCurrent(s, affected) : -1;
        s.DatesMayHaveChanged = true;
        MarkPricesModifiedFor(s, u.Snapshot.CoinType);
        break;
    }
    return out;
}

QString CopyPrices(const tMainState &s, int &copySeries)
{
    if (s.CurrPriceList.empty())
        return QString();
    copySeries = SelectedPriceSource(s);
    const auto n = s.CurrPriceList.size();
    if (n == 1)
        return QStringLiteral("1 price list entry was copied to the clipboard.");
    return QString::number(n) + QStringLiteral(" price list entries were copied to the clipboard.");
}

QString PastePrices(tMainState &s, int copySeries, int *pasted)
{
    int n = 0;
    const int target = SelectedPriceSource(s);
    if (copySeries != 0 && target != 0 && copySeries != target) {
        tnodeinfo *folder = CoinTypeToNodeInfo(s, target);
        const size_t before = s.PriceList.size();
        for (size_t i = 0; i < before; ++i) {
            const tPriceInfo &src = *s.PriceList[i];
            if (src.CoinType != copySeries)
                continue;
            auto c = std::make_unique<tPriceInfo>(src);
            c->CoinType = target;
            c->Folder = folder;
            c->tag = 0;   // a clone is a new entry for the history
            s.CurrPriceList.push_back(c.get());
            s.PriceList.push_back(std::move(c));
            ++n;
        }
        if (n)
            PriceListChanged(s);
    }
    if (target)
        MarkPricesModifiedFor(s, target);
    if (pasted)
        *pasted = n;
    if (n == 1)
        return QStringLiteral("1 price list entry was pasted from the clipboard.");
    return QString::number(n) + QStringLiteral(" price list entries were pasted from the clipboard.");
}

bool SetPriceHeaderText(tMainState &s, tPriceHistory &history, tPriceInfo &e, int kind, const QString &text,
                        const tNumberSeps &seps, QString *error)
{
    tPriceInfo next = e;
    switch (kind) {
    case PriceKindYear: {
        bool ok = false;
        const int year = text.trimmed().toInt(&ok);
        next.Year = ok ? year : 0;
        s.DatesMayHaveChanged = true;
        break;
    }
    case PriceKindMint: {
        QString m = text.trimmed();
        if (m.size() == 1)
            m = m.toUpper();
        next.Mint = m;
        break;
    }
    case PriceKindVariety:
        next.Variety = PackVariety(text);
        s.DatesMayHaveChanged = true;
        break;
    case PriceKindGM: next.GM = text.trimmed(); break;
    case PriceKindMintage:
    case PriceKindProofs: {
        const auto m = ParseMintage(text);
        if (!m.Value) {
            if (error)
                *error = m.Error;
            return false;
        }
        (kind == PriceKindMintage ? next.Mintage : next.ProofMintage) = m.Value->Stored;
        (kind == PriceKindMintage ? next.Included : next.ProofIncluded) = m.Value->Approx;
        break;
    }
    case PriceKindContent:
    case PriceKindWeight: {
        const auto x = ParseMeasure(text, seps.Decimal);
        if (!x.Value) {
            if (error)
                *error = x.Error;
            return false;
        }
        (kind == PriceKindContent ? next.Content : next.Weight) = *x.Value;
        break;
    }
    case PriceKindCatalog: next.Catalog = text.trimmed(); break;
    default: return true;
    }
    history.Record(e, PriceUndoEdited, kind);
    CopyStoredFields(next, e);
    MarkSelectedPricesModified(s);
    return true;
}

void SetPriceMetal(tMainState &s, tPriceHistory &history, tPriceInfo &e, int metal)
{
    history.Record(e, PriceUndoEdited, PriceKindMetal);
    e.Metal = static_cast<uint8_t>(std::clamp(metal, 0, 255));
    MarkSelectedPricesModified(s);
}

void ApplyValueCode(tMainState &s, tPriceHistory &history, const tValueRange &range, int code)
{
    const int editedRow = PriceKindGrade0 + range.EditedSlot;
    for (tPriceInfo *e : range.Entries)
        history.Record(*e, PriceUndoEdited, editedRow);
    const Money stored = ValueCodeToMoney(code);
    const auto [lo, hi] = CodeFillSpan(code, range.EditedSlot, range.SlotLo, range.SlotHi);
    for (tPriceInfo *e : range.Entries)
        for (int r = range.SlotLo; r <= range.SlotHi; ++r) {
            if (e->Value[static_cast<size_t>(r)] == stored)
                continue;
            for (int slot = std::max(0, lo); slot <= std::min(GradeSlots - 1, hi); ++slot)
                e->Value[static_cast<size_t>(slot)] = stored;
        }
    MarkSelectedPricesModified(s);
}

void ApplyValueAmount(tMainState &s, tPriceHistory &history, const tValueRange &range, Money amount)
{
    const int editedRow = PriceKindGrade0 + range.EditedSlot;
    for (tPriceInfo *e : range.Entries)
        history.Record(*e, PriceUndoEdited, editedRow);
    for (tPriceInfo *e : range.Entries)
        for (int slot = std::max(0, range.SlotLo); slot <= std::min(GradeSlots - 1, range.SlotHi); ++slot)
            e->Value[static_cast<size_t>(slot)] = amount;
    MarkSelectedPricesModified(s);
}
