#include "tools/seriesdates/seriesdates.h"

#include <algorithm>

#include "core/model/model.h"

std::vector<int> SeriesDates(const std::vector<tPriceInfo *> &priceList)
{
    std::vector<int> out;
    for (const tPriceInfo *p : priceList)
        if (p && p->Year > 1400 && p->Year < 2500 && std::find(out.begin(), out.end(), p->Year) == out.end())
            out.push_back(p->Year);
    return out;
}
