#include "pricing/valuation/metals.h"

#include <algorithm>
#include <array>

#include "core/model/currproc.h"
#include "pricing/valuation/forex.h"

namespace {

constexpr int BlockLoadMetals = 21041;

// Names by metal number, starting at 1. The numbers are stored; the order
// here is that of the numbers, not of the names.
const std::array<QString, MetalCount> &MetalNames()
{
    static const std::array<QString, MetalCount> names{
    QStringLiteral("Silver"),
    QStringLiteral("Gold"),
    QStringLiteral("Palladium"),
    QStringLiteral("Platinum"),
    QStringLiteral("Copper-Nickel"),
    QStringLiteral("Nickel"),
    QStringLiteral("Nickel-Brass"),
    QStringLiteral("Copper"),
    QStringLiteral("Bronze"),
    QStringLiteral("Brass"),
    QStringLiteral("Aluminum"),
    QStringLiteral("Aluminum-Bronze"),
    QStringLiteral("Steel"),
    QStringLiteral("Iron"),
    QStringLiteral("Zinc"),
    QStringLiteral("Tin"),
    QStringLiteral("Virenium"),
    QStringLiteral("Billon"),
    QStringLiteral("Bi-metallic"),
    QStringLiteral("Nickel-Silver"),
    QStringLiteral("Aluminum-Brass"),
    QStringLiteral("Copper-Zinc"),
    QStringLiteral("Nickel-Bronze"),
    QStringLiteral("Tin-Zinc"),
    QStringLiteral("Aluminum-Copper"),
    QStringLiteral("Copper-Aluminum"),
    QStringLiteral("Aluminum-Nickel"),
    QStringLiteral("Tin-Brass"),
    QStringLiteral("Copper-Tin"),
    QStringLiteral("Copper/Steel"),
    QStringLiteral("Brass/Steel"),
    QStringLiteral("Nickel/Steel"),
    QStringLiteral("Bronze/Steel"),
    QStringLiteral("Gold/Silver"),
    QStringLiteral("Aureate Steel"),
    QStringLiteral("Copper/Bronze"),
    QStringLiteral("Nickel/Bronze"),
    QStringLiteral("Plastic"),
    QStringLiteral("Wood"),
    QStringLiteral("Porcelain"),
    QStringLiteral("Gold/Bronze"),
    QStringLiteral("Pewter"),
    QStringLiteral("Fiber"),
    QStringLiteral("Copper/Zinc"),
    QStringLiteral("Silver/Bronze"),
    QStringLiteral("Plated iron"),
    QStringLiteral("Plated zinc"),
    QStringLiteral("Copper/Iron"),
    QStringLiteral("Brass/Iron"),
    QStringLiteral("Brass/Zinc"),
    QStringLiteral("Enameled Iron"),
    QStringLiteral("Cardboard"),
    QStringLiteral("Titanium"),
    QStringLiteral("Goloid"),
    QStringLiteral("Lead"),
    QStringLiteral("Oroide"),
    QStringLiteral("Silver plated"),
    QStringLiteral("White metal"),
    QStringLiteral("German silver"),
    QStringLiteral("Zinc/Steel"),
    QStringLiteral("Manganese"),
    QStringLiteral("Rubber"),
    QStringLiteral("Glass"),
    QStringLiteral("Silver/Copper"),
    QStringLiteral("Nickel-Iron"),
    QStringLiteral("Gold-Silver"),
    QStringLiteral("Gold/Copper-Nickel"),
    QStringLiteral("Nickel/Zinc"),
    QStringLiteral("Copper-Nickel/Steel"),
    QStringLiteral("Copper/Aluminum"),
    QStringLiteral("Tombac"),
    QStringLiteral("Nickel/Iron"),
    QStringLiteral("Silver/Copper-Nickel"),
    QStringLiteral("Silver/brass"),
    QStringLiteral("Gold/brass"),
    QStringLiteral("Silver/Zinc"),
    QStringLiteral("Niobium"),
    QStringLiteral("Nickel/Brass"),
    QStringLiteral("Copper-Nickel/Copper"),
    QStringLiteral("Tombac/Steel"),
    QStringLiteral("Nickel/Copper"),
    QStringLiteral("Nickel-Brass/Copper"),
    QStringLiteral("Nickel-Steel"),
    QStringLiteral("Nickel-Brass/Steel"),
    QStringLiteral("Nordic Gold"),
    QStringLiteral("Tri-metallic"),
    QStringLiteral("Bronze/Nickel"),
    QStringLiteral("Brass/Nickel"),
    QStringLiteral("Zinc-Aluminium"),
    QStringLiteral("Copper/Brass"),
    QStringLiteral("Copper-Nickel-Zinc"),
    QStringLiteral("Bronze/Copper-Nickel"),
    QStringLiteral("Gilding metal"),
    QStringLiteral("Gold plated"),
    QStringLiteral("White metal/Brass"),
    QStringLiteral("Celluloid"),
    QStringLiteral("Magnesium"),
    QStringLiteral("Vulcanite"),
    QStringLiteral("Copper/White metal"),
    QStringLiteral("Bronze/Zinc"),
    QStringLiteral("Brass/White metal"),
    QStringLiteral("Bronze/Brass"),
    QStringLiteral("White metal/Zinc"),
    QStringLiteral("White metal/Bronze"),
    QStringLiteral("White metal/Steel"),
    QStringLiteral("Gun Metal"),
    QStringLiteral("Gun Metal/Zinc"),
    QStringLiteral("Gun Metal/White Metal"),
    QStringLiteral("Gun Metal/Copper"),
    QStringLiteral("White metal/Lead"),
    QStringLiteral("Gun Metal/Bronze"),
    QStringLiteral("Zinc/White metal"),
    QStringLiteral("Zinc/Brass"),
    QStringLiteral("Zinc/Bronze"),
    QStringLiteral("Copper/Lead"),
    QStringLiteral("Bronze/White Metal"),
    QStringLiteral("Stainless Steel"),
    QStringLiteral("Brass/Bronze"),
    };
    return names;
}

} // namespace

QString MetalName(int number)
{
    if (number < 1 || number > MetalCount)
        return {};
    return MetalNames()[number - 1];
}

void LoadMetals(tMainState &s)
{
    CurrProcGuard guard(BlockLoadMetals);
    s.MetalArray.clear();
    s.MetalArray.reserve(MetalCount);
    for (int n = 1; n <= MetalCount; ++n)
        s.MetalArray.push_back(MetalRec{MetalNames()[n - 1], n});
    // Stable, so names equal but for case keep their number order, as
    // exchanging only out-of-order neighbours would.
    std::stable_sort(s.MetalArray.begin(), s.MetalArray.end(),
                     [](const MetalRec &a, const MetalRec &b) { return CompareTextAscii(a.Name, b.Name) < 0; });
}

int MetalToIndex(const tMainState &s, int inval)
{
    if (inval <= 0)
        return -1;
    for (int i = static_cast<int>(s.MetalArray.size()) - 1; i >= 0; --i)
        if (s.MetalArray[i].index == inval)
            return i;
    return -1;
}

int IndexToMetal(const tMainState &s, int inval)
{
    if (inval < 0 || inval >= static_cast<int>(s.MetalArray.size()))
        return 0;
    return s.MetalArray[inval].index;
}
