#include <QtTest>

#include "core/model/commatext.h"
#include "core/model/mainstate.h"
#include "core/collection/udfhistory.h"

namespace {

void AddField(tMainState &s, int type, uint8_t bits = 0)
{
    auto f = std::make_unique<tUDFfield>();
    f->FieldType = type;
    f->BitByte = bits;
    f->IncValue = 99;  // a stale value from before the load
    s.UDFlist.push_back(std::move(f));
}

void AddCoin(tMainState &s, const QStringList &slots)
{
    auto c = std::make_unique<tCoinInfo>();
    c->UDFstring = CommaTextJoin(slots);
    s.CoinList.push_back(std::move(c));
}

} // namespace

class tst_UDFHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void incrementalNumberContinuesFromTheHighestInUse_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<uint8_t>("bits");
        QTest::addColumn<int>("incValue");
        QTest::newRow("highest whole number") << QStringList{"12", "7", "30"} << uint8_t(1) << 30;
        QTest::newRow("leading digits only") << QStringList{"41a", "x9", "40"} << uint8_t(1) << 41;
        QTest::newRow("no numbers") << QStringList{"", "abc"} << uint8_t(1) << 0;
        QTest::newRow("not incremental") << QStringList{"12"} << uint8_t(0) << 0;
    }
    void incrementalNumberContinuesFromTheHighestInUse()
    {
        QFETCH(QStringList, values);
        QFETCH(uint8_t, bits);
        QFETCH(int, incValue);
        tMainState s;
        AddField(s, UDFTextBox);
        AddField(s, UDFNumber, bits);
        for (const QString &v : values)
            AddCoin(s, {QStringLiteral("text"), v});
        BuildUDFHistoryLists(s);
        QCOMPARE(s.UDFlist[1]->IncValue, incValue);
        QCOMPARE(s.UDFlist[0]->IncValue, 0);
    }

    void historyListsHoldEachValueOnceSorted()
    {
        tMainState s;
        AddField(s, UDFNumber, 1);
        AddField(s, UDFHistoryDropDown);
        AddCoin(s, {"1", "Smith"});
        AddCoin(s, {"2", "  "});
        AddCoin(s, {"3", "adams"});
        AddCoin(s, {"4", "SMITH"});
        AddCoin(s, {});  // an entry from before the fields existed
        const auto lists = BuildUDFHistoryLists(s);
        QCOMPARE(lists.size(), size_t(1));
        QCOMPARE(lists[0].Field, 1);
        QCOMPARE(lists[0].Values, (QStringList{"adams", "Smith"}));
    }

    void topTenKeepsTheMostUsed()
    {
        tMainState s;
        AddField(s, UDFHistoryDropDown, 1);
        // Twelve values: v00..v09 once each, then "rare" once and "often" three times.
        for (int i = 0; i < 10; ++i)
            AddCoin(s, {QStringLiteral("v%1").arg(i, 2, 10, QLatin1Char('0'))});
        AddCoin(s, {"rare"});
        for (int i = 0; i < 3; ++i)
            AddCoin(s, {"often"});
        const auto lists = BuildUDFHistoryLists(s);
        QCOMPARE(lists[0].Values.size(), 10);
        QVERIFY(lists[0].Values.contains(QStringLiteral("often")));
        QVERIFY(!lists[0].Values.contains(QStringLiteral("rare")));
        // Of the values used once, those met first stay.
        QVERIFY(lists[0].Values.contains(QStringLiteral("v00")));
        QVERIFY(!lists[0].Values.contains(QStringLiteral("v09")));
    }

    void keepTopTenKeepsTheTenMostUsed_data()
    {
        QTest::addColumn<std::vector<int>>("counts");
        QTest::addColumn<QStringList>("kept");
        // Values are named by their place in the order met.
        QTest::newRow("counts 1 to 12 in the order met")
            << std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}
            << QStringList{"2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
        QTest::newRow("ties keep the values met first")
            << std::vector<int>{5, 5, 5, 5, 5, 1, 1, 1, 1, 1, 3, 2}
            << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "10", "11"};
        QTest::newRow("the most used met last") << std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 9, 8}
                                                << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "11", "12"};
        QTest::newRow("ten or fewer stay") << std::vector<int>{1, 4, 2} << QStringList{"0", "1", "2"};
    }
    void keepTopTenKeepsTheTenMostUsed()
    {
        QFETCH(std::vector<int>, counts);
        QFETCH(QStringList, kept);
        QStringList values;
        for (size_t i = 0; i < counts.size(); ++i)
            values << QString::number(i);
        std::vector<int> keptCounts = counts;
        KeepTopTen(values, keptCounts);
        QCOMPARE(values, kept);
        for (qsizetype i = 0; i < values.size(); ++i)
            QCOMPARE(keptCounts[static_cast<size_t>(i)], counts[values[i].toUInt()]);
    }
};

QTEST_MAIN(tst_UDFHistory)
#include "tst_udfhistory.moc"
