#include <QtTest>

#include <functional>

#include "core/model/commatext.h"
#include "browse/coins/coingridcells.h"
#include "support/coinfixture.h"

namespace {

// Makes the entry of one case: fills it and teaches the valuation about it.
using tBuild = std::function<void(tMainState &, tCoinPrices &, tCoinInfo &)>;

// "L", "C", "R" then "T", "C", "B": horizontal and vertical alignment.
QString AlignCode(Qt::Alignment a)
{
    const QChar h = a & Qt::AlignLeft ? QLatin1Char('L') : a & Qt::AlignRight ? QLatin1Char('R') : QLatin1Char('C');
    const QChar v = a & Qt::AlignTop ? QLatin1Char('T') : a & Qt::AlignBottom ? QLatin1Char('B') : QLatin1Char('C');
    return QString(h) + v;
}

} // namespace

Q_DECLARE_METATYPE(tBuild)

class tst_CoinGridCells : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<tBuild>("build");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("image");
        QTest::addColumn<bool>("lock");
        QTest::addColumn<QString>("align");
        QTest::addColumn<bool>("red");
        using S = tMainState &;
        using V = tCoinPrices &;
        using C = tCoinInfo &;
        const int none = CoinImgNone;
        QTest::newRow("year 0 is blank") << int(ColYear) << tBuild([](S, V, C c) { c.Year = 0; }) << "" << none
                                         << false << "CC" << false;
        QTest::newRow("negative year is blank") << int(ColYear) << tBuild([](S, V, C c) { c.Year = -5; }) << ""
                                                << none << false << "CC" << false;
        QTest::newRow("year") << int(ColYear) << tBuild([](S, V, C c) { c.Year = 1909; }) << "1909" << none << false
                              << "CC" << false;
        QTest::newRow("grade title found by its slot") << int(ColGrade) << tBuild([](S s, V, C c) {
            s.CurrGradeList = {{QStringLiteral("G-4"), 3}, {QStringLiteral("VF-20"), 9}};
            c.Grade = 9;
        }) << "VF-20" << none << false << "CC" << false;
        QTest::newRow("grade without a title") << int(ColGrade) << tBuild([](S s, V, C c) {
            s.CurrGradeList = {{QStringLiteral("G-4"), 3}};
            c.Grade = 1;
        }) << "" << none << false << "CC" << false;
        QTest::newRow("no grade") << int(ColGrade) << tBuild([](S s, V, C c) {
            s.CurrGradeList = {{QStringLiteral("G-4"), 3}};
            c.Grade = -1;
        }) << "" << none << false << "CC" << false;
        QTest::newRow("picture mark") << int(ColImage) << tBuild([](S, V, C c) { c.OtherImages = QStringLiteral("a"); })
                                      << "" << int(CoinImgCamera) << false << "CC" << false;
        QTest::newRow("blank picture names") << int(ColImage) << tBuild([](S, V, C c) { c.Obverse = QStringLiteral(" "); })
                                             << "" << none << false << "CC" << false;
        QTest::newRow("bin") << int(ColBin) << tBuild([](S, V, C c) { c.InBin = true; }) << ""
                             << int(CoinImgCheckGray) << false << "CC" << false;
        QTest::newRow("error") << int(ColError) << tBuild([](S, V, C c) { c.MintError = true; }) << ""
                               << int(CoinImgCheckOrange) << false << "CC" << false;
        QTest::newRow("track") << int(ColTrack) << tBuild([](S, V, C c) { c.User1 = true; }) << ""
                               << int(CoinImgCheckPurple) << false << "CC" << false;
        QTest::newRow("price without grouping") << int(ColPrice) << tBuild([](S, V, C c) { c.BuyPrice = M(1234.5); })
                                                << "1234.50" << none << false << "RC" << false;
        QTest::newRow("value with grouping") << int(ColValue) << tBuild([](S, V v, C c) { v.Set(&c, M(1234.5)); })
                                             << "1,234.50" << none << false << "RC" << false;
        QTest::newRow("locked at 0 shows the lock and 0.00")
            << int(ColValue) << tBuild([](S, V, C c) { c.BuyLock = true; }) << "0.00" << none << true << "RC" << false;
        // The valuation resolves special codes, so none reaches the cell.
        QTest::newRow("an entry priced n/a shows no value")
            << int(ColValue) << tBuild([](S, V v, C c) { v.Set(&c, M(-18)); }) << "" << none << false << "LC"
            << false;
        // 2^32 + 18 whole units below zero: narrowed to int it would be code 18.
        QTest::newRow("huge negative amount is no code")
            << int(ColValue) << tBuild([](S, V v, C c) { v.Set(&c, M(-4294967314.0)); }) << "" << none << false
            << "LC" << false;
        QTest::newRow("an entry priced rare shows no extended value")
            << int(ColExtended) << tBuild([](S, V v, C c) {
                   c.Have = 2;
                   v.Set(&c, M(-4));
               })
            << "" << none << false << "LC" << false;
        QTest::newRow("no value shows nothing") << int(ColValue) << tBuild([](S, V v, C c) { v.Set(&c, 0); }) << ""
                                                << none << false << "CC" << false;
        QTest::newRow("extended is value times have")
            << int(ColExtended) << tBuild([](S, V v, C c) {
                   c.Have = 3;
                   c.SellLock = true;
                   c.SellPrice = M(2.5);
               })
            << "7.50" << none << true << "RC" << false;
        QTest::newRow("loss in red") << int(ColChange) << tBuild([](S, V v, C c) {
            c.BuyPrice = M(7.25);
            v.Set(&c, M(5));
        }) << "-2.25" << none << false << "RC" << true;
        QTest::newRow("gain") << int(ColChange) << tBuild([](S, V v, C c) {
            c.BuyPrice = M(1000);
            v.Set(&c, M(2500));
        }) << "1,500.00" << none << false << "RC" << false;
        QTest::newRow("no change without a price entry") << int(ColChange) << tBuild([](S, V, C c) {
            c.BuyLock = true;
            c.BuyPrice = M(3);
        }) << "" << none << false << "RC" << false;
        QTest::newRow("an entry priced n/a changes by nothing") << int(ColChange) << tBuild([](S, V v, C c) {
            v.Set(&c, M(-18));
        }) << "0.00" << none << false << "RC" << false;
        QTest::newRow("catalog ignores the grade modifier") << int(ColCatalog) << tBuild([](S, V v, C c) {
            v.Set(&c, M(1), v.Price(QStringLiteral("KM-1")));
            v.SetIgnoringModifier(&c, v.Price(QStringLiteral("KM-1a")));
        }) << "KM-1a" << none << false << "LC" << false;
        QTest::newRow("purchased") << int(ColPurchased) << tBuild([](S, V, C c) { c.BuyDate = 45000; })
                                   << "3/15/2023" << none << false << "LC" << false;
        QTest::newRow("no sell date") << int(ColDateSold) << tBuild([](S, V, C c) { c.SellDate = 0; }) << "" << none
                                      << false << "LC" << false;
    }
    void cell()
    {
        QFETCH(int, column);
        QFETCH(tBuild, build);
        QFETCH(QString, text);
        QFETCH(int, image);
        QFETCH(bool, lock);
        QFETCH(QString, align);
        QFETCH(bool, red);
        auto s = NewCoinState();
        tCoinPrices v;
        v.Install(*s);
        tCoinInfo *c = AddCoin(*s);
        build(*s, v, *c);
        const tCoinCell cell = CoinCellContent(*s, *c, column);
        QCOMPARE(cell.Text, text);
        QCOMPARE(cell.Image, image);
        QCOMPARE(cell.Lock, lock);
        if (!text.isEmpty())
            QCOMPARE(AlignCode(cell.Align), align);
        QCOMPARE(cell.Colour == QColor(Qt::red), red);
    }

    void userField_data()
    {
        QTest::addColumn<int>("fieldType");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("image");
        QTest::addColumn<QString>("align");
        const int none = CoinImgNone;
        QTest::newRow("text box") << int(UDFTextBox) << 0 << "Dealer A" << "Dealer A" << none << "LT";
        QTest::newRow("certification") << int(UDFCertification) << 1 << "123-45" << "123-45" << none << "LT";
        QTest::newRow("check box at 1") << int(UDFCheckBox) << 1 << "True" << "" << int(CoinImgCheckBlack) << "";
        QTest::newRow("check box at 9 repeats 1") << int(UDFCheckBox) << 9 << "T" << "" << int(CoinImgCheckBlack) << "";
        QTest::newRow("check box at 7") << int(UDFCheckBox) << 7 << "T" << "" << int(CoinImgCheckGreen) << "";
        QTest::newRow("unchecked") << int(UDFCheckBox) << 1 << "F" << "" << none << "";
        QTest::newRow("money") << int(UDFMoney) << 0 << "12.3" << "12.30" << none << "RB";
        QTest::newRow("money that is no number") << int(UDFMoney) << 0 << "12abc" << "0.00" << none << "RB";
        QTest::newRow("date") << int(UDFDate) << 0 << "45000" << "3/15/2023" << none << "LT";
        QTest::newRow("date that is no number") << int(UDFDate) << 0 << "soon" << "" << none << "LT";
        QTest::newRow("date far beyond the calendar") << int(UDFDate) << 0 << "99999999999" << "12/31/9999" << none
                                                      << "LT";
        QTest::newRow("number as stored") << int(UDFNumber) << 0 << "007" << "007" << none << "RB";
        QTest::newRow("real as stored") << int(UDFReal) << 0 << "1.50" << "1.50" << none << "RB";
        QTest::newRow("empty space") << int(UDFEmptySpace) << 0 << "x" << "" << none << "";
    }
    void userField()
    {
        QFETCH(int, fieldType);
        QFETCH(int, position);
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(int, image);
        QFETCH(QString, align);
        auto s = NewCoinState();
        for (int i = 0; i < 10; ++i)
            AddField(*s, i == position ? fieldType : int(UDFTextBox));
        tCoinInfo *c = AddCoin(*s, {.UDFstring = CommaTextSetItem(QString(), position, stored)});
        const tCoinCell cell = CoinCellContent(*s, *c, FixedColumnCount + position);
        QCOMPARE(cell.Text, text);
        QCOMPARE(cell.Image, image);
        if (!align.isEmpty())
            QCOMPARE(AlignCode(cell.Align), align);
        // A column past the field list and a slot past the stored text show
        // nothing.
        QCOMPARE(CoinCellContent(*s, *c, FixedColumnCount + 10).Text, QString());
        if (fieldType == UDFTextBox)
            QCOMPARE(CoinCellContent(*s, *c, FixedColumnCount + position + 1).Text, QString());
    }

    void readingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("decimal");
        QTest::addColumn<int>("consumed");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<qint64>("whole");
        QTest::newRow("plain") << "12.5" << 12.5 << 4 << qint64(1250) << qint64(12);
        QTest::newRow("blanks and sign") << "  -3.25x" << -3.25 << 7 << qint64(-325) << qint64(-3);
        QTest::newRow("held inexactly") << "1.45" << 1.45 << 4 << qint64(145) << qint64(1);
        QTest::newRow("truncated cents") << "0.999" << 0.999 << 5 << qint64(99) << qint64(0);
        QTest::newRow("exponent") << "1e2" << 100.0 << 3 << qint64(10000) << qint64(1);
        QTest::newRow("e without digits") << "2e" << 2.0 << 1 << qint64(200) << qint64(2);
        QTest::newRow("fraction only") << ".5" << 0.5 << 2 << qint64(50) << qint64(0);
        QTest::newRow("comma stops") << "1,5" << 1.0 << 1 << qint64(100) << qint64(1);
        QTest::newRow("nothing") << "abc" << 0.0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("lone sign") << "-" << 0.0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("too large") << "1e999" << qInf() << 5 << std::numeric_limits<qint64>::max() << qint64(1);
    }
    void readingNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, decimal);
        QFETCH(int, consumed);
        QFETCH(qint64, cents);
        QFETCH(qint64, whole);
        int used = -1;
        QCOMPARE(ReadLeadingDecimal(text, &used), decimal);
        QCOMPARE(used, consumed);
        QCOMPARE(MonetaryCents(text), cents);
        QCOMPARE(ReadLeadingWhole(text), whole);
    }

    void decimalsReadTheSameInEveryLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(MonetaryCents(QStringLiteral("1.5")), qint64(150));
        QCOMPARE(FormatLocaleMoney(QStringLiteral(",0.00"), M(1234.5)), QStringLiteral("1.234,50"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

QTEST_APPLESS_MAIN(tst_CoinGridCells)
#include "tst_coingridcells.moc"
