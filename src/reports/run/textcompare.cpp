#include "reports/run/textcompare.h"

#include <algorithm>

int CompareText(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t ca = pa[i].unicode();
        char16_t cb = pb[i].unicode();
        if (ca >= u'a' && ca <= u'z')
            ca = static_cast<char16_t>(ca - 32);
        if (cb >= u'a' && cb <= u'z')
            cb = static_cast<char16_t>(cb - 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
