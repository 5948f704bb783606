#include "tools/charters/charters.h"

#include <algorithm>
#include <numeric>

#include <QFile>

#include "core/files/valuestream.h"

tCharterOrder ColumnSortOrder(int button)
{
    static constexpr tCharterOrder orders[] = {OrderCharter, OrderName, OrderCity, OrderState, OrderCounty};
    return button >= 0 && button < 5 ? orders[button] : OrderName;
}

const QStringList &CharterSeriesCaptions()
{
    static const QStringList captions{
        QStringLiteral("Original series"),
        QStringLiteral("Series of 1875"),
        QStringLiteral("Series of 1882 Brown back"),
        QStringLiteral("Series of 1882 Date back"),
        QStringLiteral("Series of 1882 Value back"),
        QStringLiteral("Series of 1902 Red seal"),
        QStringLiteral("Series of 1902 Date back"),
        QStringLiteral("Series of 1902 plain back"),
        QStringLiteral("Series of 1929 2 charter numbers"),
        QStringLiteral("Series of 1929 4 charter numbers"),
    };
    return captions;
}

const QStringList &CharterDenominationCaptions()
{
    static const QStringList captions{QStringLiteral("$1"),   QStringLiteral("$2"),   QStringLiteral("$5"),
                                      QStringLiteral("$10"),  QStringLiteral("$20"),  QStringLiteral("$50"),
                                      QStringLiteral("$100"), QStringLiteral("$500"), QStringLiteral("$1000")};
    return captions;
}

bool CharterSymbolEnabled(int denomination, int series)
{
    return (denomination >= 2 && denomination <= 6) || series == 0 || series == 1 || series == 8 || series == 9;
}

QString ExpandBankName(const QString &stored, const QString &city)
{
    if (stored == QLatin1String("X"))
        return (QStringLiteral("First National Bank Of ") + city).left(60);
    QString s = QLatin1Char(' ') + stored + QLatin1Char(' ');
    const std::pair<QString, QString> abbreviations[] = {
        {QStringLiteral(" N "), QStringLiteral(" National ")},
        {QStringLiteral(" NB "), QStringLiteral(" National Bank ")},
        {QStringLiteral(" B "), QStringLiteral(" Bank ")},
        {QStringLiteral(" TC "), QStringLiteral(" Trust Company ")},
        {QStringLiteral(" NB&TC "), QStringLiteral(" National Bank & Trust Company ")},
        {QStringLiteral(" C "), QLatin1Char(' ') + city + QLatin1Char(' ')},
    };
    for (const auto &[abbreviation, expansion] : abbreviations) {
        const qsizetype at = s.indexOf(abbreviation);
        if (at >= 0)
            s.replace(at, abbreviation.size(), expansion);
    }
    return s.trimmed().left(60);
}

std::vector<tNBN> ReadBanks(const QByteArray &data)
{
    ValueReader r(data);
    r.ReadListBegin();
    const int32_t count = r.ReadInteger();
    if (count < 0)
        throw StreamReadError(InvalidPropertyValue);
    std::vector<tNBN> banks;
    // A record takes at least 44 bytes: a damaged count reserves no more
    // than the data could hold.
    banks.reserve(static_cast<size_t>(std::min<qint64>(count, data.size() / 44)));
    for (int32_t i = 0; i < count; ++i) {
        tNBN b;
        b.Charter = r.ReadInteger();
        b.NameNo = static_cast<uint8_t>(r.ReadInteger());
        const QString stored = r.ReadString();
        b.State = r.ReadString().left(2);
        b.City = r.ReadString().left(22);
        b.County = r.ReadString().left(17);
        for (uint16_t &rank : b.SortOrder)
            rank = static_cast<uint16_t>(r.ReadInteger());
        b.BankName = ExpandBankName(stored.left(60), b.City);
        b.CharterYear = static_cast<uint16_t>(r.ReadInteger());
        for (uint16_t &issued : b.SeriesIssued)
            issued = static_cast<uint16_t>(r.ReadInteger());
        banks.push_back(std::move(b));
    }
    r.ReadListEnd();
    return banks;
}

QByteArray WriteBanks(const std::vector<tNBN> &banks, const QStringList &storedNames)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(static_cast<int32_t>(banks.size()));
    for (size_t i = 0; i < banks.size(); ++i) {
        const tNBN &b = banks[i];
        w.WriteInteger(b.Charter);
        w.WriteInteger(b.NameNo);
        w.WriteString(storedNames.value(static_cast<qsizetype>(i), b.BankName));
        w.WriteString(b.State);
        w.WriteString(b.City);
        w.WriteString(b.County);
        for (uint16_t rank : b.SortOrder)
            w.WriteInteger(rank);
        w.WriteInteger(b.CharterYear);
        for (uint16_t issued : b.SeriesIssued)
            w.WriteInteger(issued);
    }
    w.WriteListEnd();
    return w.TakeData();
}

std::vector<tNBN> EmbeddedBanks()
{
    QFile f(QStringLiteral(":/tools/NBlist"));
    if (!f.open(QIODevice::ReadOnly))
        throw StreamReadError(StreamReadErrorText);
    return ReadBanks(f.readAll());
}

void RankBanks(std::vector<tNBN> &banks)
{
    auto rank = [&](int order, auto less) {
        std::vector<size_t> idx(banks.size());
        std::iota(idx.begin(), idx.end(), size_t{0});
        std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return less(banks[a], banks[b]); });
        for (size_t pos = 0; pos < idx.size(); ++pos)
            banks[idx[pos]].SortOrder[static_cast<size_t>(order)] = static_cast<uint16_t>(pos);
    };
    auto byCharter = [](const tNBN &a, const tNBN &b) {
        return std::tie(a.Charter, a.NameNo) < std::tie(b.Charter, b.NameNo);
    };
    // Names, cities and counties go by character code, as they are stored.
    rank(OrderCharter, byCharter);
    rank(OrderState, [&](const tNBN &a, const tNBN &b) {
        const int c = QString::compare(a.State, b.State);
        return c != 0 ? c < 0 : byCharter(a, b);
    });
    rank(OrderCounty, [&](const tNBN &a, const tNBN &b) {
        int c = QString::compare(a.County, b.County);
        if (c == 0)
            c = QString::compare(a.State, b.State);
        return c != 0 ? c < 0 : byCharter(a, b);
    });
    rank(OrderCity, [&](const tNBN &a, const tNBN &b) {
        int c = QString::compare(a.City, b.City);
        if (c == 0)
            c = QString::compare(a.County, b.County);
        return c != 0 ? c < 0 : byCharter(a, b);
    });
    rank(OrderName, [&](const tNBN &a, const tNBN &b) {
        const int c = QString::compare(a.BankName, b.BankName, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : byCharter(a, b);
    });
}

bool PassesFilter(const tNBN &bank, const tCharterFilter &f)
{
    switch (f.Kind) {
    case tCharterFilter::None:
        return true;
    case tCharterFilter::Symbol:
        return f.Series >= 0 && f.Series < CharterSeriesRows &&
               (bank.SeriesIssued[static_cast<size_t>(f.Series)] >> f.Denomination & 1) != 0;
    case tCharterFilter::ByDenomination:
        return std::any_of(bank.SeriesIssued.begin(), bank.SeriesIssued.end(),
                           [&](uint16_t v) { return (v >> f.Denomination & 1) != 0; });
    case tCharterFilter::BySeries:
        return f.Series >= 0 && f.Series < CharterSeriesRows && bank.SeriesIssued[static_cast<size_t>(f.Series)] != 0;
    }
    return false;
}

QString FilterText(const tCharterFilter &f)
{
    QString what;
    switch (f.Kind) {
    case tCharterFilter::None:
        return {};
    case tCharterFilter::Symbol:
        what = CharterDenominationCaptions().value(f.Denomination) + QLatin1Char(' ') +
               CharterSeriesCaptions().value(f.Series);
        break;
    case tCharterFilter::ByDenomination:
        what = CharterDenominationCaptions().value(f.Denomination);
        break;
    case tCharterFilter::BySeries:
        what = CharterSeriesCaptions().value(f.Series);
        break;
    }
    return QStringLiteral("Only banks which issued ") + what + QStringLiteral(" notes are shown");
}

std::vector<int> FilterBanks(const std::vector<tNBN> &banks, const tCharterFilter &filter)
{
    std::vector<int> out;
    out.reserve(banks.size());
    for (size_t i = 0; i < banks.size(); ++i)
        if (PassesFilter(banks[i], filter))
            out.push_back(static_cast<int>(i));
    return out;
}

void SortShown(const std::vector<tNBN> &banks, std::vector<int> &shown, int button)
{
    if (shown.size() < 2)
        return;
    const auto order = static_cast<size_t>(ColumnSortOrder(button));
    // The stored ranks order the banks: no names are compared here.
    std::sort(shown.begin(), shown.end(), [&](int a, int b) {
        return banks[static_cast<size_t>(a)].SortOrder[order] < banks[static_cast<size_t>(b)].SortOrder[order];
    });
}

tIssueCounts IssueCounts(const std::vector<tNBN> &banks)
{
    tIssueCounts counts{};
    for (const tNBN &b : banks)
        for (int s = 0; s < CharterSeriesRows; ++s)
            for (int d = 0; d < CharterDenominations; ++d)
                if (b.SeriesIssued[static_cast<size_t>(s)] >> d & 1)
                    ++counts[static_cast<size_t>(s)][static_cast<size_t>(d)];
    return counts;
}
