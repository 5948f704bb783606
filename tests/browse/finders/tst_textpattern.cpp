#include <QtTest>

#include <QElapsedTimer>

#include "browse/finders/textpattern.h"

class tst_TextPattern : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wildcards_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("found");
        QTest::newRow("D*Y finds DAY") << "D*Y" << "DAY" << false << true;
        QTest::newRow("D*Y finds doggy, ignoring case") << "D*Y" << "doggy" << false << true;
        QTest::newRow("D*Y anywhere in the value") << "D*Y" << "A dusty day" << false << true;
        QTest::newRow("* is one or more, never none") << "D*Y" << "DY" << false << false;
        QTest::newRow("* does not run over a line break") << "D*Y" << "D\nY" << false << false;
        QTest::newRow("* does not take a character beyond ~") << "D*Y" << QStringLiteral("D\u00e9Y") << false
                                                                << false;
        QTest::newRow("* after a stop: a later start still counts") << "ab*Y" << "ab\nXab Y" << false << true;
        QTest::newRow("? is one character") << "D?G" << "DIG" << false << true;
        QTest::newRow("? is exactly one") << "D?G" << "DG" << false << false;
        QTest::newRow("? takes a line break") << "D?G" << "D\nG" << false << true;
        QTest::newRow("? takes a character outside the basic plane")
            << "a?b" << QString::fromUcs4(U"a\U0001F600b") << false << true;
        QTest::newRow("1.5 is literal: not 105") << "1.5" << "105" << false << false;
        QTest::newRow("1.5 finds 1.5") << "1.5" << "1.5" << false << true;
        QTest::newRow("expression marks are literal") << "(1234)" << "Set (1234)" << false << true;
        QTest::newRow("case sensitive") << "Dog" << "dogs" << true << false;
        QTest::newRow("caseless beyond ASCII") << QStringLiteral("\u00c9cu") << QStringLiteral("petit \u00e9cu")
                                               << false << true;
        QTest::newRow("empty pattern finds every value") << "" << "" << false << true;
        QTest::newRow("pattern longer than the value") << "abcdef" << "abc" << false << false;
        QTest::newRow("a long pattern across machine words")
            << QString(70, QLatin1Char('x')) + "*y" << "-" + QString(70, QLatin1Char('X')) + "zzy" << false << true;
        QTest::newRow("a long pattern one short") << QString(70, QLatin1Char('x')) << QString(69, QLatin1Char('x'))
                                                  << false << false;
    }
    void wildcards()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, found);
        const tTextPattern p = tTextPattern::Wildcards(pattern, caseSensitive);
        QVERIFY(!p.Failed());
        QCOMPARE(p.FoundIn(value), found);
    }

    void repeatMarks_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<bool>("found");
        QTest::newRow("plain text anywhere, ignoring case") << "km# 1" << "KM# 10" << false << true;
        QTest::newRow("? makes the character before optional") << "KM#? 5" << "KM 5" << false << true;
        QTest::newRow("* repeats the character before") << "10*5" << "KM# 1005" << false << true;
        QTest::newRow("* allows none") << "10*5" << "KM# 15" << false << true;
        QTest::newRow("a dot is a dot") << "1.5" << "105" << false << false;
        QTest::newRow("a lazy ? after a mark changes nothing") << "10*?5" << "1005" << false << true;
        QTest::newRow("a mark with nothing before it") << "*5" << "5" << true << false;
        QTest::newRow("two marks") << "1**" << "1" << true << false;
        QTest::newRow("? after the lazy ?") << "1*??" << "1" << true << false;
        // The pattern that made a backtracking engine give up: every number
        // with 24 ones in a row matches.
        QTest::newRow("24 optional ones then 24 ones")
            << QString("1?").repeated(24) + QString(24, QLatin1Char('1')) << "KM# " + QString(30, QLatin1Char('1'))
            << false << true;
        QTest::newRow("... and 23 ones do not") << QString("1?").repeated(24) + QString(24, QLatin1Char('1'))
                                                << QString(23, QLatin1Char('1')) << false << false;
    }
    void repeatMarks()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(bool, failed);
        QFETCH(bool, found);
        const tTextPattern p = tTextPattern::RepeatMarks(pattern);
        QCOMPARE(p.Failed(), failed);
        QCOMPARE(p.FoundIn(value), found);
    }

    // Patterns that take a backtracking engine exponential time, over long
    // values: the answer is right and comes at once. The bound is only a
    // guard against a hang; the speed itself is measured in bench/.
    void pathologicalPatternsOverLongValues()
    {
        QElapsedTimer clock;
        clock.start();
        const QString notes = QString(250000, QLatin1Char('e'));
        QVERIFY(!tTextPattern::Wildcards(QStringLiteral("*e*e*e*e*e*e*e*e*e*x")).FoundIn(notes));
        QVERIFY(tTextPattern::Wildcards(QStringLiteral("*e*e*e*e*e*e*e*e*e*x")).FoundIn(notes + QStringLiteral("x")));
        const QString ones = QString(250000, QLatin1Char('1'));
        const QString marks = QString("1?").repeated(24) + QString(24, QLatin1Char('1'));
        QVERIFY(tTextPattern::RepeatMarks(marks).FoundIn(ones));
        QVERIFY(!tTextPattern::RepeatMarks(marks + QStringLiteral("2")).FoundIn(ones));
        // A search text of 100,000 characters still finds the value that
        // holds it, and rejects the short ones without a walk.
        const QString text = QString(100000, QLatin1Char('q')) + QStringLiteral("*z");
        QVERIFY(tTextPattern::Wildcards(text).FoundIn(QStringLiteral("<") + QString(100000, QLatin1Char('Q')) +
                                                      QStringLiteral("..z>")));
        QVERIFY(!tTextPattern::Wildcards(text).FoundIn(QStringLiteral("short")));
        QVERIFY2(clock.elapsed() < 20000, "matching hung");
    }
};

QTEST_MAIN(tst_TextPattern)
#include "tst_textpattern.moc"
