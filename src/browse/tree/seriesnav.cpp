#include "browse/tree/seriesnav.h"

#include <algorithm>

#include "core/model/model.h"

bool IsTypeAheadLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

tnodeinfo *FindTypeAheadSeries(const tnodeinfo &root, const QString &filter)
{
    if (filter.isEmpty())
        return nullptr;
    for (const auto &child : root.ChildNodes)
        if (child->NodeName.left(filter.size()).compare(filter, Qt::CaseInsensitive) == 0)
            return child.get();
    return nullptr;
}

int ClampedScroll(int value, int delta, int minimum, int maximum)
{
    const long long v = static_cast<long long>(value) + delta;
    return static_cast<int>(std::clamp<long long>(v, minimum, std::max(minimum, maximum)));
}
