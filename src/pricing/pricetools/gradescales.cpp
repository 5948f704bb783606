#include "pricing/pricetools/gradescales.h"

#include "core/model/model.h"

int GradeRowCount(int kind)
{
    return kind == GradeKindPaper ? PaperGradeRows : CoinGradeRows;
}

bool tGradeScaleEdit::Editable(int kind, int scale, int slot)
{
    return kind >= 0 && kind < GradeKinds && scale >= FirstUserGradeScale && scale <= LastUserGradeScale
           && slot >= 0 && slot < GradeRowCount(kind);
}

bool tGradeScaleEdit::SetTitle(int kind, int scale, int slot, const QString &text)
{
    if (!Editable(kind, scale, slot))
        return false;
    titles_.SetTitle(kind, scale, slot, text);
    return true;
}

bool tGradeScaleEdit::Apply(tGradeTitles &target) const
{
    bool changed = false;
    for (int kind = 0; kind < GradeKinds; ++kind)
        for (int scale = FirstUserGradeScale; scale <= LastUserGradeScale; ++scale)
            for (int slot = 0; slot < GradeSlots; ++slot) {
                const QString title = titles_.Title(kind, scale, slot);
                if (target.Title(kind, scale, slot) != title) {
                    target.SetTitle(kind, scale, slot, title);
                    changed = true;
                }
            }
    return changed;
}
