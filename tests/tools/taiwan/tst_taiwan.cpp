#include <QtTest>

#include "tools/taiwan/taiwan.h"

// Republic numerals and the sixty-year cycle.
class tst_taiwan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void republicNumerals_data();
    void republicNumerals();
    void cycleOfYear_data();
    void cycleOfYear();
    void cycleYears();
    void coverRest();
};

void tst_taiwan::republicNumerals_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("places");
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("1") << 1 << QList<int>{1} << "yi" << "年一國民華中";
    QTest::newRow("10") << 10 << QList<int>{10} << "shí" << "年十國民華中";
    QTest::newRow("12") << 12 << QList<int>{10, 2} << "shí er" << "年十二國民華中";
    QTest::newRow("14") << 14 << QList<int>{10, 4} << "shí si" << "年十四國民華中";
    QTest::newRow("38") << 38 << QList<int>{3, 10, 8} << "san shí ba" << "年三十八國民華中";
    QTest::newRow("40") << 40 << QList<int>{4, 10} << "si shí" << "年四十國民華中";
    QTest::newRow("100") << 100 << QList<int>{1, 11} << "yi bai" << "年一百國民華中";
    QTest::newRow("105") << 105 << QList<int>{1, 11, 0, 5} << "yi bai líng wu" << "年一百零五國民華中";
    QTest::newRow("110") << 110 << QList<int>{1, 11, 1, 10} << "yi bai yi shí" << "年一百一十國民華中";
    QTest::newRow("111") << 111 << QList<int>{1, 11, 10, 1} << "yi bai shí yi" << "年一百十一國民華中";
    QTest::newRow("113") << 113 << QList<int>{1, 11, 10, 3} << "yi bai shí san" << "年一百十三國民華中";
    QTest::newRow("120") << 120 << QList<int>{1, 11, 2, 10} << "yi bai er shí" << "年一百二十國民華中";
    QTest::newRow("125: past the old table") << 125 << QList<int>{1, 11, 2, 10, 5} << "yi bai er shí wu"
                                             << "年一百二十五國民華中";
    QTest::newRow("203") << 203 << QList<int>{2, 11, 0, 3} << "er bai líng san" << "年二百零三國民華中";
}

void tst_taiwan::republicNumerals()
{
    QFETCH(int, n);
    QFETCH(QList<int>, places);
    QFETCH(QString, pinyin);
    QFETCH(QString, chinese);
    const std::vector<int> got = RepublicNumeralPlaces(n);
    QCOMPARE(QList<int>(got.begin(), got.end()), places);
    QCOMPARE(RepublicYearPinyin(n), pinyin);
    QCOMPARE(RepublicYearChinese(n), chinese);
}

void tst_taiwan::cycleOfYear_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("branch");
    QTest::newRow("1710 Metal Tiger") << 1710 << 0 << 0;
    QTest::newRow("1711") << 1711 << 0 << 1;
    QTest::newRow("1712") << 1712 << 1 << 2;
    QTest::newRow("1984 Wood Rat") << 1984 << 2 << 10;
    QTest::newRow("2024 Wood Dragon") << 2024 << 2 << 2;
    QTest::newRow("before 1710") << 1650 << 0 << 0;
}

void tst_taiwan::cycleOfYear()
{
    QFETCH(int, year);
    QFETCH(int, element);
    QFETCH(int, branch);
    const tCycle c = CycleOfYear(year);
    QCOMPARE(c.Element, element);
    QCOMPARE(c.Branch, branch);
    QCOMPARE(ElementName(0), QStringLiteral("Metal"));
    QCOMPARE(BranchName(10), QStringLiteral("Rat"));
}

void tst_taiwan::cycleYears()
{
    QCOMPARE(CycleOffset(0, 0), 0);
    QCOMPARE(CycleOffset(0, 1), 12);
    QCOMPARE(CycleOffset(1, 0), 1);
    QCOMPARE(CycleOffset(10, 2), 34);
    QCOMPARE(CycleYears(10, 2), (std::vector<int>{1744, 1804, 1864, 1924, 1984, 2044, 2104}));
    QCOMPARE(CycleYears(1, 0).front(), 1711);
    // Every pair occurs once in sixty years.
    QSet<int> offsets;
    for (int b = 0; b < 12; ++b)
        for (int e = 0; e < 5; ++e)
            offsets.insert(CycleOffset(b, e));
    QCOMPARE(offsets.size(), 60);
    QCOMPARE(StemChar(0, 0), QChar(u'庚'));
    QCOMPARE(StemChar(2, 10), QChar(u'甲'));
    QCOMPARE(BranchChar(10), QChar(u'子'));
}

void tst_taiwan::coverRest()
{
    // From card 0 to card 3: cards 0..2 at 4, 3 and 2 steps left, card 4 at
    // 2 steps right.
    QCOMPARE(CoverRestSteps(3, 3), 0);
    QCOMPARE(CoverRestSteps(0, 3), -4);
    QCOMPARE(CoverRestSteps(1, 3), -3);
    QCOMPARE(CoverRestSteps(2, 3), -2);
    QCOMPARE(CoverRestSteps(4, 3), 2);
}

QTEST_GUILESS_MAIN(tst_taiwan)
#include "tst_taiwan.moc"
