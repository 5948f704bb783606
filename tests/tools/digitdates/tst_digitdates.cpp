#include <QtTest>

#include "core/model/model.h"
#include "tools/digitdates/digitdates.h"
#include "tools/seriesdates/seriesdates.h"

// The rules of the digit-glyph converters, as tables.
class tst_digitdates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boxValue_data();
    void boxValue();
    void nativeDigits_data();
    void nativeDigits();
    void rollDigit_data();
    void rollDigit();
    void glyphPlaces_data();
    void glyphPlaces();
    void thaiFromAD_data();
    void thaiFromAD();
    void thaiFromEraYear_data();
    void thaiFromEraYear();
    void burmeseAndNepal();
    void arabCalendars_data();
    void arabCalendars();
    void arabGridItems();
    void seriesDates();
};

void tst_digitdates::boxValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("plain") << "2024" << 2024;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("blanks and plus") << "  +12" << 12;
    QTest::newRow("trailing text") << "19a4" << 19;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("huge stays bounded") << "99999999999999" << std::numeric_limits<int>::max() / 16;
}

void tst_digitdates::boxValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(BoxValue(text), value);
}

void tst_digitdates::nativeDigits_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("zero");
    QTest::addColumn<QString>("text");
    QTest::newRow("thai 2567") << 2567 << int(ThaiZero) << QString::fromUtf8("๒๕๖๗");
    QTest::newRow("bengali 1900") << 1900 << int(BengaliZero) << QString::fromUtf8("১৯০০");
    QTest::newRow("persian 1403") << 1403 << int(PersianZero) << QString::fromUtf8("۱۴۰۳");
    QTest::newRow("arabic-indic 1445") << 1445 << int(ArabicIndicZero) << QString::fromUtf8("١٤٤٥");
    QTest::newRow("myanmar 1386") << 1386 << int(MyanmarZero) << QString::fromUtf8("၁၃၈၆");
    QTest::newRow("zero is empty") << 0 << int(ThaiZero) << QString();
    QTest::newRow("negative is empty") << -543 << int(ThaiZero) << QString();
}

void tst_digitdates::nativeDigits()
{
    QFETCH(int, n);
    QFETCH(int, zero);
    QFETCH(QString, text);
    QCOMPARE(NativeDigitText(n, static_cast<char16_t>(zero)), text);
}

void tst_digitdates::rollDigit_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("result");
    QTest::newRow("thousands drop, leading zero vanishes") << 2024 << 5 << 245;
    QTest::newRow("fourth digit appended") << 245 << 6 << 2456;
    QTest::newRow("empty box") << 0 << 7 << 7;
    QTest::newRow("zero on 2000") << 2000 << 0 << 0;
}

void tst_digitdates::rollDigit()
{
    QFETCH(int, value);
    QFETCH(int, digit);
    QFETCH(int, result);
    QCOMPARE(RollDigit(value, digit), result);
}

void tst_digitdates::glyphPlaces_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QList<int>>("digits");
    QTest::addColumn<int>("width");
    QTest::newRow("2024: four places") << 2024 << QList<int>{2, 0, 2, 4} << 500;
    QTest::newRow("980: right quarter white") << 980 << QList<int>{9, 8, 0} << 500;
    QTest::newRow("7: one place") << 7 << QList<int>{7} << 500;
    QTest::newRow("0: nothing") << 0 << QList<int>{} << 500;
    QTest::newRow("10127: five places, none past the set") << 10127 << QList<int>{1, 0, 1, 2, 7} << 625;
}

void tst_digitdates::glyphPlaces()
{
    QFETCH(int, year);
    QFETCH(QList<int>, digits);
    QFETCH(int, width);
    const std::vector<int> got = GlyphDigits(year);
    QCOMPARE(QList<int>(got.begin(), got.end()), digits);
    for (int d : got)
        QVERIFY(d >= 0 && d <= 9);
    QCOMPARE(GlyphPictureWidth(static_cast<int>(got.size())), width);
}

void tst_digitdates::thaiFromAD_data()
{
    QTest::addColumn<int>("ad");
    QTest::addColumn<int>("eraYear");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("1887 last C.S.") << 1887 << 1249 << "C.S.";
    QTest::newRow("1835 first C.S.") << 1835 << 1197 << "C.S.";
    QTest::newRow("1888 first R.S.") << 1888 << 107 << "R.S.";
    QTest::newRow("1912 last R.S.") << 1912 << 131 << "R.S.";
    QTest::newRow("1913 B.E.") << 1913 << 2456 << "B.E.";
    QTest::newRow("1834 B.E.") << 1834 << 2377 << "B.E.";
    QTest::newRow("empty box") << 0 << 543 << "B.E.";
}

void tst_digitdates::thaiFromAD()
{
    QFETCH(int, ad);
    QFETCH(int, eraYear);
    QFETCH(QString, abbreviation);
    QCOMPARE(ThaiEraYear(ad), eraYear);
    QCOMPARE(ThaiEraCaptions(ThaiEraOfAD(ad)).Abbreviation, abbreviation);
}

void tst_digitdates::thaiFromEraYear_data()
{
    QTest::addColumn<int>("eraYear");
    QTest::addColumn<int>("ad");
    QTest::addColumn<int>("era");
    QTest::newRow("120 R.S.") << 120 << 1901 << int(ThaiRS);
    QTest::newRow("1240 C.S.") << 1240 << 1878 << int(ThaiCS);
    QTest::newRow("2567 B.E.") << 2567 << 2024 << int(ThaiBE);
    QTest::newRow("empty box") << 0 << -543 << int(ThaiBE);
}

void tst_digitdates::thaiFromEraYear()
{
    QFETCH(int, eraYear);
    QFETCH(int, ad);
    QFETCH(int, era);
    QCOMPARE(ThaiADOfEraYear(eraYear), ad);
    QCOMPARE(int(ThaiEraOfEraYear(eraYear)), era);
    const tThaiEraCaptions rs = ThaiEraCaptions(ThaiRS);
    QCOMPARE(rs.Name, QStringLiteral("Ratanakosindsok Era (RS)"));
    QCOMPARE(rs.UsedEra, QStringLiteral("(107RS to 131RS)"));
}

void tst_digitdates::burmeseAndNepal()
{
    QCOMPARE(ADToBurmese(2024), 1386);
    QCOMPARE(BurmeseToAD(0), 638);
    QCOMPARE(ADToBurmese(638), 0);
    QCOMPARE(ADToVS(2024), 2081);
    QCOMPARE(ADToVS(0), 57);
    QCOMPARE(VSToAD(0), -57);
}

void tst_digitdates::arabCalendars_data()
{
    QTest::addColumn<int>("calendar");
    QTest::addColumn<int>("ad");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("back");
    QTest::newRow("A.H. 2024") << int(ArabAH) << 2024 << 1445 << 2024;
    QTest::newRow("S.H. 2024") << int(ArabSH) << 2024 << 1403 << 2024;
    QTest::newRow("M.S. 2024") << int(ArabMS) << 2024 << 2583 << 2024;
    QTest::newRow("M.D. 2024") << int(ArabMD) << 2024 << 1392 << 2024;
    QTest::newRow("A.H. 1900") << int(ArabAH) << 1900 << 1318 << 1900;
    QTest::newRow("A.H. 622 is year 0") << int(ArabAH) << 622 << 0 << 622;
    QTest::newRow("A.H. 623 is year 1") << int(ArabAH) << 623 << 1 << 623;
    QTest::newRow("A.H. empty box") << int(ArabAH) << 0 << -641 << 0;
    QTest::newRow("M.S. empty box") << int(ArabMS) << 0 << 559 << 0;
    QTest::newRow("M.S. 9441 has five digits") << int(ArabMS) << 9441 << 10000 << 9441;
}

void tst_digitdates::arabCalendars()
{
    QFETCH(int, calendar);
    QFETCH(int, ad);
    QFETCH(int, year);
    QFETCH(int, back);
    QCOMPARE(ADToEra(calendar, ad), year);
    QCOMPARE(EraToAD(calendar, year), back);
}

void tst_digitdates::arabGridItems()
{
    // An empty calendar box in each calendar, and the grid box's reversed order.
    QCOMPARE(EraToAD(ArabAH, 0), 622);
    QCOMPARE(EraToAD(ArabSH, 0), 621);
    QCOMPARE(EraToAD(ArabMS, 0), -559);
    QCOMPARE(EraToAD(ArabMD, 0), 632);
    QCOMPARE(EraToAD(ArabMD, 1403), 2035);
    const QStringList items = GridCalendarItems();
    for (int item = 0; item < 4; ++item)
        QVERIFY(items[item].startsWith(CalendarAbbreviations()[GridItemCalendar(item)]));
    QCOMPARE(ADToEra(GridItemCalendar(1), 1900), 2459);
    for (int c = 0; c < 4; ++c)
        QVERIFY(CalendarNote(c).startsWith(items[3 - c]));
}

void tst_digitdates::seriesDates()
{
    std::vector<tPriceInfo> rows(6);
    const int years[] = {1900, 1901, 1900, 1400, 2500, 0};
    std::vector<tPriceInfo *> list;
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].Year = years[i];
        list.push_back(&rows[i]);
    }
    QCOMPARE(SeriesDates(list), (std::vector<int>{1900, 1901}));
    QVERIFY(SeriesDates({}).empty());
}

QTEST_GUILESS_MAIN(tst_digitdates)
#include "tst_digitdates.moc"
