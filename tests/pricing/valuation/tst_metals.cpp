#include <QtTest>

#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"

class tst_Metals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortedByNameIgnoringCase()
    {
        tMainState s;
        LoadMetals(s);
        QCOMPARE(s.MetalArray.size(), size_t(MetalCount));
        for (size_t i = 1; i < s.MetalArray.size(); ++i)
            QVERIFY2(CompareTextAscii(s.MetalArray[i - 1].Name, s.MetalArray[i].Name) < 0,
                     qPrintable(s.MetalArray[i - 1].Name + QStringLiteral(" / ") + s.MetalArray[i].Name));
        QCOMPARE(s.MetalArray.front().Name, QStringLiteral("Aluminum"));
        QCOMPARE(s.MetalArray.back().Name, QStringLiteral("Zinc/White metal"));
        // A case-sensitive order would put "Silver/Bronze" before "Silver/brass".
        QVERIFY(MetalToIndex(s, 74) < MetalToIndex(s, 45));
        QVERIFY(MetalToIndex(s, 75) < MetalToIndex(s, 41));
        for (const MetalRec &m : s.MetalArray) {
            QCOMPARE(MetalName(m.index), m.Name);
            QVERIFY(m.Name.size() <= 21);
        }
    }

    void numbersAndPositions_data()
    {
        QTest::addColumn<int>("metal");
        QTest::addColumn<int>("position");  // -2: any valid position
        QTest::newRow("0 is no metal") << 0 << -1;
        QTest::newRow("negative") << -3 << -1;
        QTest::newRow("past the last metal") << 119 << -1;
        QTest::newRow("Aluminum sorts first") << 11 << 0;
        QTest::newRow("Silver") << 1 << -2;
        QTest::newRow("Brass/Bronze, the last number") << 118 << -2;
    }
    void numbersAndPositions()
    {
        QFETCH(int, metal);
        QFETCH(int, position);
        tMainState s;
        LoadMetals(s);
        const int p = MetalToIndex(s, metal);
        if (position == -2) {
            QVERIFY(p >= 0);
            QCOMPARE(IndexToMetal(s, p), metal);
        } else {
            QCOMPARE(p, position);
        }
    }

    void indexToMetalOutOfRange()
    {
        tMainState s;
        LoadMetals(s);
        QCOMPARE(IndexToMetal(s, 118), 0);
        QCOMPARE(IndexToMetal(s, -1), 0);
        QCOMPARE(IndexToMetal(s, 117), 112);  // "Zinc/White metal"
        QCOMPARE(MetalName(0), QString());
        QCOMPARE(MetalName(4), QStringLiteral("Platinum"));
    }
};

QTEST_APPLESS_MAIN(tst_Metals)
#include "tst_metals.moc"
