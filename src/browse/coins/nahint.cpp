#include "browse/coins/nahint.h"

#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "pricing/valuation/valuation.h"

namespace {

constexpr int FirstMintStateSlot = 19;  // MS-60
constexpr int LastMintStateSlot = 29;   // MS-70

} // namespace

tNAHint NAHintFor(const tMainState &s, const tCoinInfo &coin)
{
    Money value = 0;
    const tPriceInfo *entry = GetCoinValue(s, coin, value, true, false);
    if (!entry) {
        if (coin.Year <= 0)
            return {};
        return {tNAHintKind::NoPriceEntry,
                QStringLiteral("This coin doesn\u2019t match any column in the price list; this probably means that the "
                               "price list has been modified since this coin was entered. To correct this, just select "
                               "the most appropriate  Year/Mint/Variety from the current list."),
                QStringLiteral("DateMintBox")};
    }
    if (coin.Grade < 0 || coin.Grade >= GradeSlots)
        return {};
    const Money at = entry->Value[static_cast<size_t>(coin.Grade)];
    if (at == ValueCodeToMoney(CodeNA)) {
        const bool withGM = !coin.GM.trimmed().isEmpty();
        return {tNAHintKind::GradeNA,
                (withGM ? QStringLiteral("This Grade and Grade Modifer don't ") : QStringLiteral("This Grade doesn't ")) +
                    QStringLiteral("seem to apply to a coin of this Year, Mint and Variety"),
                withGM ? QStringLiteral("GMbox") : QStringLiteral("GradeBox")};
    }
    if (at == ValueCodeToMoney(CodeProofOnly) && coin.Grade >= FirstMintStateSlot && coin.Grade <= LastMintStateSlot)
        return {tNAHintKind::ProofOnly,
                QStringLiteral("This coin entry has a Mint State grade but the price list indicates that it\u2019s a "
                               "Proof-Only issue."),
                QStringLiteral("GradeBox")};
    return {};
}
