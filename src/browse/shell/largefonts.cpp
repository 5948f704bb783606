#include "browse/shell/largefonts.h"

tLargeFontSizes LargeFontSizes(bool large)
{
    if (large)
        return {16, 18, 20, 20, 22, 36, 18, 24, 34, 48, 32, true, 22};
    return {12, 12, 14, 16, 18, 24, 12, 16, 29, 32, 16, false, 18};
}
