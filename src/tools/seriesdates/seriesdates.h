#pragma once
// The years a date converter lists for the series selected in the main
// window: each distinct year of its price rows between 1401 and 2499, in
// the order the price list first names it.
#include <vector>

struct tPriceInfo;

std::vector<int> SeriesDates(const std::vector<tPriceInfo *> &priceList);
