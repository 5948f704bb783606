#include <QtTest>

#include "tools/ethiopian/ethiopian.h"

// The Ethiopian era, its wheels and Ethiopic numerals.
class tst_ethiopian : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numerals_data();
    void numerals();
    void wheelsOfYear_data();
    void wheelsOfYear();
    void startWheels_data();
    void startWheels();
    void steps();
};

void tst_ethiopian::numerals_data()
{
    QTest::addColumn<int>("ad");
    QTest::addColumn<QString>("numeral");
    QTest::newRow("2008: two thousand") << 2008 << "፪ ሺ ሻ";
    QTest::newRow("1990") << 1990 << "፲ ፱ ፻ ፹ ፪";
    QTest::newRow("2010") << 2010 << "፳ ፻ ፪";
    QTest::newRow("2024") << 2024 << "፳ ፻ ፲ ፮";
    QTest::newRow("1608: a round century") << 1608 << "፲ ፮ ፻";
    QTest::newRow("1500: off the wheels") << 1500 << "";
    QTest::newRow("2108: off the wheels") << 2108 << "";
}

void tst_ethiopian::numerals()
{
    QFETCH(int, ad);
    QFETCH(QString, numeral);
    QCOMPARE(EthiopicNumeral(AD2EE(ad)), numeral);
}

void tst_ethiopian::wheelsOfYear_data()
{
    QTest::addColumn<int>("ee");
    QTest::addColumn<int>("century");
    QTest::addColumn<int>("decade");
    QTest::addColumn<int>("year");
    QTest::newRow("1982") << 1982 << 3 << 8 << 2;
    QTest::newRow("2099: the 2000s turn to \"2000\"") << 2099 << 4 << 9 << 9;
    QTest::newRow("2016") << 2016 << 4 << 1 << 6;
    QTest::newRow("1600") << 1600 << 0 << 0 << 0;
}

void tst_ethiopian::wheelsOfYear()
{
    QFETCH(int, ee);
    QFETCH(int, century);
    QFETCH(int, decade);
    QFETCH(int, year);
    QVERIFY(OnWheels(ee));
    const tWheels w = WheelsOfYear(ee);
    QCOMPARE(w.Century, century);
    QCOMPARE(w.Decade, decade);
    QCOMPARE(w.Year, year);
    QCOMPARE(WheelsYear(w), ee);
}

void tst_ethiopian::startWheels_data()
{
    QTest::addColumn<int>("currentYear");
    QTest::addColumn<int>("ee");
    QTest::addColumn<QString>("centuryLabel");
    QTest::newRow("2024") << 2024 << 2016 << "2000";
    QTest::newRow("2107 last on the wheels") << 2107 << 2099 << "2000";
    QTest::newRow("2150 clamps the whole year") << 2150 << 2099 << "2000";
    QTest::newRow("2005 before 2008") << 2005 << 1997 << "1900";
}

void tst_ethiopian::startWheels()
{
    QFETCH(int, currentYear);
    QFETCH(int, ee);
    QFETCH(QString, centuryLabel);
    const tWheels w = StartWheels(currentYear);
    QCOMPARE(WheelsYear(w), ee);
    QCOMPARE(CenturyLabel(w.Century), centuryLabel);
}

void tst_ethiopian::steps()
{
    QCOMPARE(StepWheel(5, CenturyPositions, 1), 0);
    QCOMPARE(CenturyLabel(StepWheel(0, CenturyPositions, -1)), QStringLiteral("Two thousand"));
    QCOMPARE(StepWheel(9, 10, 1), 0);
    QCOMPARE(WheelsYear({5, 1, 6}), 2016);
    QVERIFY(!OnWheels(1599));
    QVERIFY(!OnWheels(2100));
}

QTEST_GUILESS_MAIN(tst_ethiopian)
#include "tst_ethiopian.moc"
