#include <QtTest>

#include "core/files/valuestream.h"
#include "tools/charters/charters.h"

// The charter list: name expansion, the "NBlist" stream, filters and the
// column orders kept as ranks.
namespace {

tNBN Bank(int charter, const char *name, const char *state, const char *city, const char *county,
          std::array<uint16_t, CharterSeriesRows> issued = {})
{
    tNBN b;
    b.Charter = charter;
    b.BankName = QString::fromLatin1(name);
    b.State = QString::fromLatin1(state);
    b.City = QString::fromLatin1(city);
    b.County = QString::fromLatin1(county);
    b.SeriesIssued = issued;
    b.CharterYear = 1865;
    return b;
}

// Six banks stored in name order, ranked as the generator ranks them.
std::vector<tNBN> Fixture()
{
    std::vector<tNBN> banks{
        Bank(40, "Alpha National Bank", "OH", "Zanesville", "Muskingum", {0, 0, 1u << 2, 0, 0, 0, 0, 0, 3, 3}),
        Bank(12, "beta Bank", "PA", "Erie", "Erie", {1u << 3}),
        Bank(7, "Central National Bank", "AL", "Mobile", "Mobile", {0, 0, 1u << 2 | 1u << 4}),
        Bank(30, "Delta National Bank", "OH", "Akron", "Summit"),
        Bank(3, "Echo National Bank", "PA", "Altoona", "Blair", {0, 0, 0, 0, 0, 1u << 5}),
        Bank(21, "Foxtrot National Bank", "AL", "Akron", "Hale", {1u << 2}),
    };
    RankBanks(banks);
    return banks;
}

std::vector<int> Charters(const std::vector<tNBN> &banks, const std::vector<int> &shown)
{
    std::vector<int> out;
    for (int i : shown)
        out.push_back(banks[static_cast<size_t>(i)].Charter);
    return out;
}

} // namespace

class tst_charters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void expand_data();
    void expand();
    void streamRoundTrip();
    void streamDamaged_data();
    void streamDamaged();
    void filters_data();
    void filters();
    void sorts_data();
    void sorts();
    void issueCounts();
    void embeddedTableReads();
};

void tst_charters::expand_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("name");
    QTest::newRow("X is the city's first national bank") << "X" << "Aberdeen" << "First National Bank Of Aberdeen";
    QTest::newRow("city and NB") << "Third NB Of C" << "Saint Louis" << "Third National Bank Of Saint Louis";
    QTest::newRow("only the first occurrence") << "NB B NB" << "Erie" << "National Bank Bank NB";
    QTest::newRow("NB&TC after NB") << "Union NB&TC" << "Erie" << "Union National Bank & Trust Company";
    QTest::newRow("abbreviation inside a word stays") << "CNB Of Nome" << "Nome" << "CNB Of Nome";
    QTest::newRow("cut to sixty")
        << "Farmers And Mechanics NB&TC Of C" << "Very Long City Name Here"
        << QString("Farmers And Mechanics National Bank & Trust Company Of Very Long City Name Here").left(60);
}

void tst_charters::expand()
{
    QFETCH(QString, stored);
    QFETCH(QString, city);
    QFETCH(QString, name);
    QCOMPARE(ExpandBankName(stored, city), name);
}

void tst_charters::streamRoundTrip()
{
    std::vector<tNBN> banks = Fixture();
    QStringList stored;
    for (const tNBN &b : banks)
        stored << b.BankName;
    stored[0] = QStringLiteral("Alpha NB");
    const QByteArray data = WriteBanks(banks, stored);
    const std::vector<tNBN> read = ReadBanks(data);
    QCOMPARE(read.size(), banks.size());
    QCOMPARE(read[0].BankName, QStringLiteral("Alpha National Bank"));
    QCOMPARE(read[4].SortOrder, banks[4].SortOrder);
    QCOMPARE(read[0].SeriesIssued, banks[0].SeriesIssued);
    QCOMPARE(read[2].CharterYear, uint16_t(1865));
}

void tst_charters::streamDamaged_data()
{
    QTest::addColumn<QByteArray>("data");
    const std::vector<tNBN> banks = Fixture();
    const QByteArray good = WriteBanks(banks, {});
    QByteArray noEnd = good;
    noEnd.chop(1);
    QTest::newRow("end tag missing") << noEnd;
    QByteArray wrongEnd = good;
    wrongEnd[wrongEnd.size() - 1] = 2;
    QTest::newRow("end tag wrong") << wrongEnd;
    QTest::newRow("cut in a record") << good.left(good.size() / 2);
    QTest::newRow("empty") << QByteArray();
}

void tst_charters::streamDamaged()
{
    QFETCH(QByteArray, data);
    QVERIFY_THROWS_EXCEPTION(StreamReadError, ReadBanks(data));
}

void tst_charters::filters_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("denomination");
    QTest::addColumn<int>("series");
    QTest::addColumn<std::vector<int>>("charters");
    QTest::addColumn<QString>("text");
    QTest::newRow("$5 Brown back") << int(tCharterFilter::Symbol) << 2 << 2 << std::vector<int>{40, 7}
                                   << "Only banks which issued $5 Series of 1882 Brown back notes are shown";
    QTest::newRow("$5 in any series") << int(tCharterFilter::ByDenomination) << 2 << -1
                                      << std::vector<int>{40, 7, 21} << "Only banks which issued $5 notes are shown";
    QTest::newRow("Original series") << int(tCharterFilter::BySeries) << -1 << 0 << std::vector<int>{12, 21}
                                     << "Only banks which issued Original series notes are shown";
    QTest::newRow("1929 rows alike") << int(tCharterFilter::BySeries) << -1 << 9 << std::vector<int>{40}
                                     << "Only banks which issued Series of 1929 4 charter numbers notes are shown";
    QTest::newRow("none") << int(tCharterFilter::None) << -1 << -1 << std::vector<int>{40, 12, 7, 30, 3, 21}
                          << QString();
}

void tst_charters::filters()
{
    QFETCH(int, kind);
    QFETCH(int, denomination);
    QFETCH(int, series);
    QFETCH(std::vector<int>, charters);
    QFETCH(QString, text);
    const std::vector<tNBN> banks = Fixture();
    const tCharterFilter f{static_cast<tCharterFilter::tKind>(kind), denomination, series};
    QCOMPARE(Charters(banks, FilterBanks(banks, f)), charters);
    QCOMPARE(FilterText(f), text);
}

void tst_charters::sorts_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("filtered");  // by $5 in any series
    QTest::addColumn<std::vector<int>>("charters");
    QTest::newRow("charter") << 0 << false << std::vector<int>{3, 7, 12, 21, 30, 40};
    QTest::newRow("bank name ignores case") << 1 << false << std::vector<int>{40, 12, 7, 30, 3, 21};
    QTest::newRow("city, then county") << 2 << false << std::vector<int>{21, 30, 3, 12, 7, 40};
    QTest::newRow("state, then charter") << 3 << false << std::vector<int>{7, 21, 30, 40, 3, 12};
    QTest::newRow("county, then state") << 4 << false << std::vector<int>{3, 12, 21, 7, 40, 30};
    QTest::newRow("state with a filter") << 3 << true << std::vector<int>{7, 21, 40};
    QTest::newRow("charter with a filter") << 0 << true << std::vector<int>{7, 21, 40};
}

void tst_charters::sorts()
{
    QFETCH(int, button);
    QFETCH(bool, filtered);
    QFETCH(std::vector<int>, charters);
    const std::vector<tNBN> banks = Fixture();
    std::vector<int> shown = FilterBanks(
        banks, filtered ? tCharterFilter{tCharterFilter::ByDenomination, 2, -1} : tCharterFilter{});
    SortShown(banks, shown, button);
    QCOMPARE(Charters(banks, shown), charters);
}

void tst_charters::issueCounts()
{
    const tIssueCounts counts = IssueCounts(Fixture());
    QCOMPARE(counts[2][2], 2);  // $5 Brown back
    QCOMPARE(counts[0][2], 1);
    QCOMPARE(counts[8][0], 1);
    QCOMPARE(counts[8][1], 1);
    QVERIFY(!CharterSymbolEnabled(0, 2));  // $1 Brown back
    QVERIFY(CharterSymbolEnabled(0, 1));
    QVERIFY(CharterSymbolEnabled(6, 5));
}

void tst_charters::embeddedTableReads()
{
    const std::vector<tNBN> banks = EmbeddedBanks();
    QVERIFY(!banks.empty());
    // Stored in name order: the name rank is the position.
    for (size_t i = 0; i < banks.size(); ++i)
        QCOMPARE(banks[i].SortOrder[OrderName], uint16_t(i));
    for (const tNBN &b : banks)
        QVERIFY(b.CharterYear >= 1863 && b.CharterYear <= 1935);
}

QTEST_GUILESS_MAIN(tst_charters)
#include "tst_charters.moc"
