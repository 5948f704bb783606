#include "core/udfhistory.h"

#include <algorithm>
#include <limits>

#include <QHash>

#include "core/blocks.h"
#include "core/commatext.h"
#include "core/currproc.h"
#include "core/mainstate.h"

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
    for (qsizetype a = TopTen; a < values.size(); ++a) {
        for (qsizetype k = 0; k < TopTen; ++k) {
            if (counts[k] < counts[a]) {
                values.swapItemsAt(k, a);
                std::swap(counts[k], counts[a]);
                break;
            }
        }
    }
    if (values.size() > TopTen) {
        values.resize(TopTen);
        counts.resize(TopTen);
    }
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
