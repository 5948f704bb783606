#include <QtTest>

#include "tools/romannumerals/romannumerals.h"

// Reading typed Roman numerals leniently and writing numbers in the usual form.
class tst_romannumerals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toRoman_data();
    void toRoman();
    void roundTrip();
    void readRoman_data();
    void readRoman();
    void western_data();
    void western();
};

void tst_romannumerals::toRoman_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("roman");
    QTest::newRow("zero is none") << 0 << QString();
    QTest::newRow("negative") << -5 << QString();
    QTest::newRow("one") << 1 << "I";
    QTest::newRow("zero digits add nothing") << 2004 << "MMIV";
    QTest::newRow("every subtractive form") << 1944 << "MCMXLIV";
    QTest::newRow("largest") << 3999 << "MMMCMXCIX";
    QTest::newRow("4000 has no form") << 4000 << QString();
}

void tst_romannumerals::toRoman()
{
    QFETCH(int, number);
    QFETCH(QString, roman);
    QCOMPARE(ToRoman(number), roman);
}

void tst_romannumerals::roundTrip()
{
    // Every number written in the usual form reads back as itself, without
    // a hint.
    for (int m = 1; m < 4000; ++m) {
        const tRomanReading r = ReadRoman(ToRoman(m));
        QCOMPARE(r.Code, RomanOk);
        QCOMPARE(r.Sum, qint64(m));
        QVERIFY2(r.Description.isEmpty(), qPrintable(ToRoman(m)));
    }
}

void tst_romannumerals::readRoman_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("western");
    QTest::addColumn<QString>("description");
    const QString hint = QStringLiteral("The roman numeral you've entered would properly be written as\n");
    const QString fourTimes =
        QStringLiteral("In a Roman numeral a digit cannot be repeated more than three times in a row.");
    const QString notRepeatable = QStringLiteral("In a Roman numeral only the digits M,C,X and I can be repeated.");
    QTest::newRow("usual form, no hint") << "MCMXCIX" << 0 << "1999" << QString();
    QTest::newRow("CM after CC") << "MCCM" << 0 << "1800" << hint + "MDCCC";
    QTest::newRow("four C in a row") << "MDCCCCX" << 1 << QString() << fourTimes;
    QTest::newRow("run subtracted as one") << "IIX" << 0 << "8" << hint + "VIII";
    QTest::newRow("I before M") << "IM" << 0 << "999" << hint + "CMXCIX";
    QTest::newRow("IX twice") << "IXIX" << 0 << "18" << hint + "XVIII";
    QTest::newRow("IIII") << "IIII" << 1 << QString() << fourTimes;
    QTest::newRow("VV") << "VV" << 2 << QString() << notRepeatable;
    QTest::newRow("VVVV: the letter check wins") << "VVVV" << 2 << QString() << notRepeatable;
    QTest::newRow("DDIIII: the later pair wins") << "DDIIII" << 1 << QString() << fourTimes;
    QTest::newRow("MMMCMM above 3999")
        << "MMMCMM" << 4 << QString()
        << "The roman number you've entered is improperly formated to represent the number 4900";
    QTest::newRow("empty") << "" << 3 << QString() << QString();
    // Longer than any usual numeral: read whole, no fixed buffer.
    QTest::newRow("40 symbols, IV twenty times") << QString("IV").repeated(20) << 0 << "80" << hint + "LXXX";
    QTest::newRow("40 symbols, M and C alternating")
        << QString("MC").repeated(20) << 4 << QString()
        << "The roman number you've entered is improperly formated to represent the number 18200";
}

void tst_romannumerals::readRoman()
{
    QFETCH(QString, typed);
    QFETCH(int, code);
    QFETCH(QString, western);
    QFETCH(QString, description);
    const tRomanReading r = ReadRoman(typed);
    QCOMPARE(int(r.Code), code);
    QCOMPARE(r.Western, western);
    QCOMPARE(r.Description, description);
}

void tst_romannumerals::western_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("roman");
    QTest::addColumn<QString>("description");
    const QString above = QStringLiteral("Numbers above 3999 are not accepted. For 4000 or more, a bar above a digit "
                                         "indicates that it should be multiplied by 1000.");
    QTest::newRow("zero") << "0" << QString() << "The Roman number system does not recognize a value of zero.";
    QTest::newRow("leading zeros of zero") << "000" << QString()
                                           << "The Roman number system does not recognize a value of zero.";
    QTest::newRow("emptied box") << "" << QString() << QString();
    QTest::newRow("4000") << "4000" << QString() << above;
    QTest::newRow("3999") << "3999" << "MMMCMXCIX" << QString();
    QTest::newRow("leading zero") << "0042" << "XLII" << QString();
}

void tst_romannumerals::western()
{
    QFETCH(QString, typed);
    QFETCH(QString, roman);
    QFETCH(QString, description);
    const tWesternReading r = ReadWestern(typed);
    QCOMPARE(r.Roman, roman);
    QCOMPARE(r.Description, description);
}

QTEST_GUILESS_MAIN(tst_romannumerals)
#include "tst_romannumerals.moc"
