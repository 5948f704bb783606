#include "support/testsupport.h"

double FixedWidth(const QString &text)
{
    return 7.0 * static_cast<double>(text.size());
}
