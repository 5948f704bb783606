#include "pricing/pricelists/priceeditrules.h"

#include <algorithm>

#include "core/model/money.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

int PriceRowKindAt(const std::vector<int> &xref, bool paper, int vValue, int screenRow)
{
    if (screenRow < 0)
        return -1;
    const int n = FixedPriceRows(paper);
    const size_t k = static_cast<size_t>(screenRow + (screenRow >= n ? std::max(0, vValue) : 0));
    return k < xref.size() ? xref[k] : -1;
}

tPriceCellRef PriceCellAt(const std::vector<int> &xref, bool paper, int hValue, int vValue, int entryCount,
                          int screenCol, int screenRow)
{
    tPriceCellRef ref;
    ref.Kind = PriceRowKindAt(xref, paper, vValue, screenRow);
    ref.LCol = screenCol <= 0 ? 0 : screenCol + hValue;
    const int entry = ref.LCol - 1;
    ref.Entry = ref.LCol > 0 && entry < entryCount ? entry : -1;
    return ref;
}

int SelectedPriceEntry(const tPriceGridGeometry &g, int selectedCol, int hValue, int entryCount)
{
    if (selectedCol < 1 || selectedCol >= g.ColsNeeded)
        return -1;
    const int e = selectedCol + hValue - 1;
    return e >= 0 && e < entryCount ? e : -1;
}

std::pair<int, int> ClampPriceSelection(const tPriceGridGeometry &g, int col, int row)
{
    return {std::clamp(col, 0, std::max(0, g.ColsNeeded - 1)), std::clamp(row, 0, std::max(0, g.RowsNeeded - 1))};
}

tPriceInk PriceCellInk(int screenCol, int entry, int hot, bool runEnd)
{
    if (screenCol == 0)
        return {PriceColors::Black, false};
    if (entry >= 0 && entry == hot)
        return {PriceColors::DarkBlue, true};
    if (entry >= 0 && runEnd)
        return {PriceColors::Black, false};
    return {PriceColors::DimGrey, false};
}

tPriceArrows PriceArrowStates(int hValue, int hMax, int vValue, int vMax)
{
    return {hValue > 0, hMax > hValue, vValue > 0, vMax > vValue};
}

tPriceEditorChoice PriceEditorFor(int kind)
{
    switch (kind) {
    case PriceKindYear: return {tPriceEditor::Data, 4};
    case PriceKindMint: return {tPriceEditor::Mint, 20};
    case PriceKindVariety: return {tPriceEditor::Data, 30};
    case PriceKindGM: return {tPriceEditor::GM, 10};
    case PriceKindMintage:
    case PriceKindProofs: return {tPriceEditor::Mintage, 15};
    case PriceKindMetal: return {tPriceEditor::Metal, 0};
    case PriceKindContent: return {tPriceEditor::Float, 9};
    case PriceKindWeight: return {tPriceEditor::Float, 7};
    case PriceKindCatalog: return {tPriceEditor::Data, 20};
    default: return {tPriceEditor::Value, 0};
    }
}

QString PriceEditorText(const tPriceInfo &e, int kind, QChar decimalSep)
{
    switch (kind) {
    case PriceKindYear: return e.Year < 1 ? QString() : QString::number(e.Year);
    case PriceKindMint: return e.Mint.trimmed();
    case PriceKindVariety: return UnpackVariety(e.Variety, false);
    case PriceKindGM: return e.GM.trimmed();
    case PriceKindMintage:
    case PriceKindProofs: {
        const int32_t m = kind == PriceKindMintage ? e.Mintage : e.ProofMintage;
        const bool approx = kind == PriceKindMintage ? e.Included : e.ProofIncluded;
        if (m == 0)
            return QString();
        // Large mintages are stored in tens of millions, negative; the
        // editor shows the whole count.
        const qint64 count = m < 0 ? -static_cast<qint64>(m) * 10000000 : static_cast<qint64>(m);
        return (approx ? QStringLiteral("~") : QString()) + QString::number(count);
    }
    case PriceKindMetal: return QString();
    case PriceKindContent: return PriceMeasureText(e.Content);
    case PriceKindWeight: return PriceMeasureText(e.Weight);
    case PriceKindCatalog: return e.Catalog.trimmed();
    default: break;
    }
    const int slot = kind - PriceKindGrade0;
    if (slot < 0 || slot >= GradeSlots)
        return QString();
    const Money v = e.Value[static_cast<size_t>(slot)];
    if (PriceEditorCode(e, kind) >= 0)
        return ValueCodeName(MoneyToValueCode(v));
    return FormatMoneyPattern(QStringLiteral("0.00"), v, decimalSep);
}

int PriceEditorCode(const tPriceInfo &e, int kind)
{
    const int slot = kind - PriceKindGrade0;
    if (slot < 0 || slot >= GradeSlots)
        return -1;
    const Money v = e.Value[static_cast<size_t>(slot)];
    const int64_t code = MoneyToValueCode(v);
    return v < 0 && code >= CodeFaceValue && code <= CodeMelt25 ? static_cast<int>(code - 1) : -1;
}

tPriceKeyAction PriceEditorKey(tPriceEditor editor, int kind, const tPriceKey &key, const QString &text,
                               bool codeShown, const tNumberSeps &seps)
{
    using A = tPriceKeyAction;
    if (key.Key == Qt::Key_Return || key.Key == Qt::Key_Enter)
        return key.Control ? A::PreviousRow : A::NextRow;
    if (key.Key == Qt::Key_Escape)
        return A::Restore;
    const QChar ch = key.Text.isEmpty() ? QChar() : key.Text[0];
    const bool printable = !key.Text.isEmpty() && ch.isPrint();
    if (editor == tPriceEditor::Metal) {
        if (key.Key == Qt::Key_Up || key.Key == Qt::Key_Down)
            return A::Pass;
        return printable && ch.isLetter() ? A::SelectByInitial : A::Drop;
    }
    if (!printable)
        return A::Pass;
    switch (editor) {
    case tPriceEditor::Float:
        return ch.isDigit() || (ch == seps.Decimal && !text.contains(seps.Decimal)) ? A::Pass : A::Drop;
    case tPriceEditor::Mintage:
        return ch.isDigit() || ch == QLatin1Char('~') || ch == seps.Thousands ? A::Pass : A::Drop;
    case tPriceEditor::Data:
        if (kind == PriceKindYear)
            return ch.isDigit() ? A::Pass : A::Drop;
        return A::Pass;
    case tPriceEditor::Value:
        if (ch == QLatin1Char('-'))
            return A::PickDashes;
        if (ch == QLatin1Char('s') || ch == QLatin1Char('S'))
            return A::PickSplit30;
        if (!(ch.isDigit() || ch == seps.Decimal || ch == seps.Thousands))
            return A::Drop;
        return codeShown ? A::ClearCodeAndType : A::Pass;
    default: return A::Pass;
    }
}

int IndexByInitial(const QStringList &names, QChar letter)
{
    for (int i = 0; i < names.size(); ++i)
        if (names[i].startsWith(letter, Qt::CaseInsensitive))
            return i;
    return -1;
}
