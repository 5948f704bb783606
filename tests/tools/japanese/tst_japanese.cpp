#include <QtTest>

#include "tools/japanese/japanese.h"

// The eras, the kanji numerals and the dates read right to left before 1948.
class tst_japanese : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numerals_data();
    void numerals();
    void dateTexts_data();
    void dateTexts();
    void eraOfYear_data();
    void eraOfYear();
    void eraTable();
};

void tst_japanese::numerals_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("numeral");
    QTest::newRow("1") << 1 << "元";
    QTest::newRow("7") << 7 << "七";
    QTest::newRow("10") << 10 << "十";
    QTest::newRow("14") << 14 << "十四";
    QTest::newRow("20") << 20 << "二十";
    QTest::newRow("40") << 40 << "四十";
    QTest::newRow("64") << 64 << "六十四";
}

void tst_japanese::numerals()
{
    QFETCH(int, n);
    QFETCH(QString, numeral);
    QCOMPARE(JapaneseNumeral(n), numeral);
}

void tst_japanese::dateTexts_data()
{
    QTest::addColumn<int>("era");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("listNumeral");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("direction");
    QTest::newRow("Showa 20 (1945)") << 2 << 20 << "十二" << "年十二和昭" << "Read right to left";
    QTest::newRow("Showa 22 (1947)") << 2 << 22 << "二十二" << "年二十二和昭" << "Read right to left";
    QTest::newRow("Showa 23 (1948)") << 2 << 23 << "二十三" << "昭和二十三年" << "Read left to right";
    QTest::newRow("Reiwa 1") << 0 << 1 << "元" << "令和元年" << "Read left to right";
    QTest::newRow("Reiwa 2") << 0 << 2 << "二" << "令和二年" << "Read left to right";
    QTest::newRow("Koka 23 (1868)") << 5 << 23 << "三十二" << "年三十二化弘" << "Read right to left";
}

void tst_japanese::dateTexts()
{
    QFETCH(int, era);
    QFETCH(int, n);
    QFETCH(QString, listNumeral);
    QFETCH(QString, date);
    QFETCH(QString, direction);
    QCOMPARE(JapaneseListNumeral(era, n), listNumeral);
    QCOMPARE(EraDateText(era, n), date);
    QCOMPARE(DirectionText(era, n), direction);
    QCOMPARE(EraDateText(-1, n), QString());
}

void tst_japanese::eraOfYear_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("era");
    QTest::addColumn<int>("n");
    QTest::newRow("2020 Reiwa") << 2020 << 0 << 2;
    QTest::newRow("1945 Showa") << 1945 << 2 << 20;
    QTest::newRow("1868 the older era") << 1868 << 5 << 23;
    QTest::newRow("1846 the older era") << 1846 << 6 << 30;
    QTest::newRow("1780 Kokaku") << 1780 << 7 << 1;
    QTest::newRow("1779 none") << 1779 << -1 << 0;
}

void tst_japanese::eraOfYear()
{
    QFETCH(int, year);
    QFETCH(int, era);
    QFETCH(int, n);
    QCOMPARE(JapaneseEraOfYear(year), era);
    if (era >= 0)
        QCOMPARE(year - JapaneseEra(era).Start + 1, n);
}

void tst_japanese::eraTable()
{
    QCOMPARE(JapaneseEra(0).Kanji, QStringLiteral("令和"));
    QCOMPARE(JapaneseEra(5).Span, QString::fromUtf8("1846–1867"));
    QCOMPARE(JapaneseEra(4).Span, QStringLiteral("1867-1912"));
    QCOMPARE(JapaneseEraRows(2, 2024), 64);
    // The latest era lists its years up to the current one.
    QCOMPARE(JapaneseEraRows(0, 2022), 4);
    QCOMPARE(JapaneseEraRows(0, 2026), 8);
    QCOMPARE(JapaneseEraRows(0, 2010), 1);
    QCOMPARE(JapaneseEraRows(0, 2100), 32);
    for (int e = 0; e < JapaneseEraCount; ++e)
        QVERIFY(JapaneseEra(e).Emperor.size() <= 9);
    QVERIFY(!JapaneseSeriesYear(1780));
    QVERIFY(JapaneseSeriesYear(1781));
    QVERIFY(!JapaneseSeriesYear(2050));
}

QTEST_GUILESS_MAIN(tst_japanese)
#include "tst_japanese.moc"
