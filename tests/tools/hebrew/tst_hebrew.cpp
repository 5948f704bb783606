#include <QtTest>

#include "tools/hebrew/hebrew.h"

// The Hebrew converter's letters, picture layout and button rules.
class tst_hebrew : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void letters_data();
    void letters();
    void pictureOf2024();
    void buttonClicks_data();
    void buttonClicks();
    void gridLetters();
};

void tst_hebrew::letters_data()
{
    QTest::addColumn<int>("ad");
    QTest::addColumn<QString>("names");
    QTest::addColumn<int>("buttonSum");
    QTest::newRow("2024") << 2024 << "tav-shin-pay-dalet" << 784;
    QTest::newRow("1255: 15 as tet-vav") << 1255 << "tet-vav" << 15;
    QTest::newRow("1256: 16 as tet-zayin") << 1256 << "tet-zayin" << 16;
    QTest::newRow("1250") << 1250 << "yud" << 10;
    QTest::newRow("1251") << 1251 << "yud-aleph" << 11;
    QTest::newRow("2239: 5999") << 2239 << "tav-shin-resh-tzade-tet" << 999;
    QTest::newRow("1240: 5000 has no letters") << 1240 << "" << 0;
    QTest::newRow("1239: before the millennium") << 1239 << "" << 0;
    QTest::newRow("2240: after it") << 2240 << "" << 0;
}

void tst_hebrew::letters()
{
    QFETCH(int, ad);
    QFETCH(QString, names);
    QFETCH(int, buttonSum);
    const std::vector<int> letters = HebrewLetters(ad + JewishOffset);
    QCOMPARE(HebrewLetterNames(letters), names);
    // The buttons mirror the letters and compose the year back.
    const tLetterButtons buttons = ButtonsOfLetters(letters);
    QCOMPARE(ComposedYear(buttons), JewishThousands + buttonSum);
    QVERIFY(!WrongSyntax(buttons));
}

void tst_hebrew::pictureOf2024()
{
    const tHebrewPicture p = HebrewPictureLayout(HebrewLetters(5784));
    QCOMPARE(p.Width, 812);
    // dalet, the separator, pe, shin, tav, grey he; the separator takes a
    // letter's place plus 62 px.
    const int pictures[] = {3, HebrewSeparatorPicture, 16, 20, 21, HebrewGreyHePicture};
    const int xs[] = {0, 125, 312, 437, 562, 687};
    QCOMPARE(p.Pictures.size(), size_t(6));
    for (size_t i = 0; i < 6; ++i) {
        QCOMPARE(p.Pictures[i].Picture, pictures[i]);
        QCOMPARE(p.Pictures[i].X, xs[i]);
        QVERIFY(p.Pictures[i].X + 125 <= p.Width);
    }
    QVERIFY(HebrewPictureLayout({}).Pictures.empty());
}

void tst_hebrew::buttonClicks_data()
{
    QTest::addColumn<QList<int>>("start");   // tags pressed before
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("line");
    QTest::newRow("fourth hundred keeps only itself") << QList<int>{} << QList<int>{19, 20, 21, 22} << 5400
                                                      << "Hebrew name: tav";
    QTest::newRow("vav then zayin keeps both, drops tens") << QList<int>{10} << QList<int>{6, 7} << 5013
                                                           << "Hebrew name: yud-gimel";
    QTest::newRow("units are exclusive") << QList<int>{} << QList<int>{3, 4} << 5004 << "Hebrew name: dalet";
    QTest::newRow("a ten releases vav and zayin") << QList<int>{6, 7} << QList<int>{12} << 5030
                                                  << "Hebrew name: lamed";
    QTest::newRow("tens are exclusive") << QList<int>{} << QList<int>{11, 12} << 5030 << "Hebrew name: lamed";
    QTest::newRow("kaf after tet-vav") << QList<int>{9, 6} << QList<int>{11} << 5035
                                       << "Hebrew name: lamed-hay (wrong syntax)";
    QTest::newRow("he then yod") << QList<int>{} << QList<int>{5, 10} << 5015
                                 << "Hebrew name: tet-vav (wrong syntax)";
    QTest::newRow("a second click releases") << QList<int>{} << QList<int>{22, 22} << 5000 << "Hebrew name: ";
}

void tst_hebrew::buttonClicks()
{
    QFETCH(QList<int>, start);
    QFETCH(QList<int>, clicks);
    QFETCH(int, year);
    QFETCH(QString, line);
    tLetterButtons b{};
    for (int t : start)
        b[static_cast<size_t>(t)] = true;
    for (int t : clicks) {
        b = ClickLetterButton(b, t);
        QVERIFY(ComposedYear(b) >= 5000 && ComposedYear(b) <= 5999);
    }
    QCOMPARE(ComposedYear(b), year);
    QCOMPARE(HebrewNameLine(HebrewLetters(year), WrongSyntax(b)), line);
}

void tst_hebrew::gridLetters()
{
    QCOMPARE(HebrewGridLetters(5784), QString::fromUtf8("תשפד"));
    QCOMPARE(HebrewGridLetters(5015), QString::fromUtf8("טו"));
    QCOMPARE(HebrewGridLetters(6000), QString());
    QCOMPARE(HebrewLetterChar(10), QChar(0x05DB));  // kaf, not its final form
}

QTEST_GUILESS_MAIN(tst_hebrew)
#include "tst_hebrew.moc"
