#include "core/collection/udfhistory.h"

#include <algorithm>
#include <limits>

#include <QHash>

#include "core/model/blocks.h"
#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/mainstate.h"

namespace {

constexpr int TopTen = 10;

// The whole number the text begins with; 0 when it begins with no digit.
int LeadingNumber(const QString &text)
{
    qint64 n = 0;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 0x7F)
            break;
        n = n * 10 + (c.unicode() - '0');
        if (n > std::numeric_limits<int32_t>::max())
            return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int>(n);
}

} // namespace

void KeepTopTen(QStringList &values, std::vector<int> &counts)
{
    if (values.size() <= TopTen)
        return;
    // The most used first; equal counts keep the order the values were met,
    // so of two equally used values the earlier stays.
    std::vector<qsizetype> order(static_cast<size_t>(values.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<qsizetype>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return counts[static_cast<size_t>(a)] > counts[static_cast<size_t>(b)]; });
    order.resize(TopTen);
    std::sort(order.begin(), order.end());
    QStringList keptValues;
    std::vector<int> keptCounts;
    for (qsizetype i : order) {
        keptValues << values[i];
        keptCounts.push_back(counts[static_cast<size_t>(i)]);
    }
    values = std::move(keptValues);
    counts = std::move(keptCounts);
}

std::vector<tUDFHistoryList> BuildUDFHistoryLists(tMainState &s)
{
    CurrProcGuard guard(Blocks::BuildUDFHistoryLists);
    const int fields = static_cast<int>(s.UDFlist.size());
    struct tCounting {
        QStringList Values;
        std::vector<int> Counts;
        QHash<QString, qsizetype> Index;  // case-folded value -> position
    };
    std::vector<tCounting> counting(static_cast<size_t>(fields));
    for (const auto &f : s.UDFlist)
        f->IncValue = 0;

    for (const auto &coin : s.CoinList) {
        const QStringList slots = CommaTextSplit(coin->UDFstring);
        for (int i = 0; i < fields && i < slots.size(); ++i) {
            tUDFfield &f = *s.UDFlist[static_cast<size_t>(i)];
            if (f.FieldType == UDFNumber && (f.BitByte & 1)) {
                f.IncValue = std::max(f.IncValue, LeadingNumber(slots[i]));
            } else if (f.FieldType == UDFHistoryDropDown) {
                const QString value = slots[i];
                if (value.trimmed().isEmpty())
                    continue;
                tCounting &c = counting[static_cast<size_t>(i)];
                const QString key = value.toCaseFolded();
                const auto at = c.Index.constFind(key);
                if (at != c.Index.constEnd()) {
                    ++c.Counts[static_cast<size_t>(at.value())];
                } else {
                    c.Index.insert(key, c.Values.size());
                    c.Values << value;
                    c.Counts.push_back(1);
                }
            }
        }
    }

    std::vector<tUDFHistoryList> lists;
    for (int i = 0; i < fields; ++i) {
        const tUDFfield &f = *s.UDFlist[static_cast<size_t>(i)];
        if (f.FieldType != UDFHistoryDropDown)
            continue;
        tCounting &c = counting[static_cast<size_t>(i)];
        if (f.BitByte & 1)
            KeepTopTen(c.Values, c.Counts);
        std::stable_sort(c.Values.begin(), c.Values.end(), [](const QString &a, const QString &b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
        lists.push_back({i, c.Values});
    }
    return lists;
}
