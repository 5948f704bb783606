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

QString TypeAheadFilter(const QString &filter, bool stillTyping, QChar letter)
{
    return stillTyping ? filter + letter : QString(letter);
}

tSeriesKey SeriesPageKey(int page, int key, QChar text)
{
    constexpr int SeriesPage = 0;  // tMainPage's PageSeries
    if (page != SeriesPage)
        return tSeriesKey::None;
    if (IsTypeAheadLetter(text))
        return tSeriesKey::TypeAhead;
    switch (key) {
    case Qt::Key_Left: return tSeriesKey::Parent;
    case Qt::Key_Up: return tSeriesKey::ScrollUp;
    case Qt::Key_Down: return tSeriesKey::ScrollDown;
    case Qt::Key_PageUp: return tSeriesKey::PageUp;
    case Qt::Key_PageDown: return tSeriesKey::PageDown;
    default: return tSeriesKey::None;
    }
}

int ClampedScroll(int value, int delta, int minimum, int maximum)
{
    const long long v = static_cast<long long>(value) + delta;
    return static_cast<int>(std::clamp<long long>(v, minimum, std::max(minimum, maximum)));
}
