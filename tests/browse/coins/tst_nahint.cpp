#include <QtTest>

#include "browse/coins/nahint.h"
#include "pricing/valuation/valuation.h"
#include "support/coinentryfixture.h"

class tst_NAHint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kinds_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("gm");
        QTest::addColumn<int>("code");  // the price row's value code at the grade, 0 for an amount
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("start");
        QTest::newRow("no price row") << 1999 << 24 << QString() << 0 << 1 << "DateMintBox"
                                      << "This coin doesn\u2019t match";
        QTest::newRow("no price row, no year") << 0 << 24 << QString() << 0 << 0 << QString() << QString();
        QTest::newRow("n/a at the grade") << 1990 << 10 << QString() << int(CodeNA) << 2 << "GradeBox"
                                          << "This Grade doesn't seem";
        QTest::newRow("n/a with a grade modifier") << 1990 << 10 << "PL" << int(CodeNA) << 2 << "GMbox"
                                                   << "This Grade and Grade Modifer don't seem";
        QTest::newRow("proof only at MS-65") << 1990 << 24 << QString() << int(CodeProofOnly) << 3 << "GradeBox"
                                             << "This coin entry has a Mint State grade";
        QTest::newRow("proof only below Mint State") << 1990 << 18 << QString() << int(CodeProofOnly) << 0
                                                     << QString() << QString();
        QTest::newRow("no grade, n/a everywhere") << 1990 << -1 << QString() << int(CodeNA) << 0 << QString()
                                                  << QString();
        QTest::newRow("an amount") << 1990 << 24 << QString() << 0 << 0 << QString() << QString();
    }
    void kinds()
    {
        QFETCH(int, year);
        QFETCH(int, grade);
        QFETCH(QString, gm);
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QString, target);
        QFETCH(QString, start);
        tCoinFixture f;
        tPriceInfo *row = f.AddPrice(1990, QStringLiteral("P"), {}, gm);
        row->Value.fill(5 * MoneyScale);
        if (grade >= 0 && code)
            row->Value[static_cast<size_t>(grade)] = ValueCodeToMoney(code);
        if (grade < 0)
            row->Value.fill(ValueCodeToMoney(code));
        tCoinInfo *coin = f.AddCoin(year, QStringLiteral("P"));
        coin->Grade = grade;
        coin->GM = gm;
        const tNAHint hint = NAHintFor(f.s, *coin);
        QCOMPARE(int(hint.Kind), kind);
        QCOMPARE(hint.Target, target);
        QVERIFY2(hint.Text.startsWith(start), qPrintable(hint.Text));
    }
};

QTEST_GUILESS_MAIN(tst_NAHint)
#include "tst_nahint.moc"
