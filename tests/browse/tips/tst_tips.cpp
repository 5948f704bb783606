#include <QtTest>

#include "browse/tips/tips.h"

// The built-in tips and how the tip window steps through them.
class tst_Tips : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void builtInTips()
    {
        const QStringList tips = LoadTips();
        QCOMPARE(tips.size(), qsizetype(36));
        for (const QString &tip : tips) {
            QVERIFY2(tip.size() >= 90 && tip.size() <= 410, qPrintable(tip));
            QVERIFY2(!tip.contains(QChar(0xFEFF)) && !tip.contains(QLatin1Char('\r')), qPrintable(tip));
        }
        // Each tip is said once.
        QCOMPARE(QSet<QString>(tips.begin(), tips.end()).size(), tips.size());
    }

    void parsing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("mark, CR LF, two empty lines at the end")
            << QByteArray("\xEF\xBB\xBF" "First tip.\r\nSecond tip.\r\n\r\n\r\n")
            << QStringList{QStringLiteral("First tip."), QStringLiteral("Second tip.")};
        QTest::newRow("blank lines between, LF only, no last line end")
            << QByteArray("One\n   \n\t\nTwo") << QStringList{QStringLiteral("One"), QStringLiteral("Two")};
        QTest::newRow("nothing but blanks") << QByteArray("\xEF\xBB\xBF\r\n \r\n") << QStringList{};
        QTest::newRow("UTF-8 text") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC\r\n")
                                    << QStringList{QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC")};
    }
    void parsing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, tips);
        QCOMPARE(ParseTips(text), tips);
    }

    void opening_data()
    {
        QTest::addColumn<int>("shownLast");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("shown");
        QTest::newRow("first start shows the second tip") << 0 << 36 << 1;
        QTest::newRow("after the last comes the first") << 35 << 36 << 0;
        QTest::newRow("an index beyond the list starts again") << 99 << 36 << 0;
        QTest::newRow("a negative index starts again") << -7 << 36 << 0;
        QTest::newRow("no tips") << 3 << 0 << 0;
        QTest::newRow("one tip") << 0 << 1 << 0;
    }
    void opening()
    {
        QFETCH(int, shownLast);
        QFETCH(int, count);
        QFETCH(int, shown);
        QCOMPARE(OpeningTipIndex(shownLast, count), shown);
    }

    void stepping_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("result");
        QTest::newRow("next") << 4 << 36 << true << 5;
        QTest::newRow("next after the last wraps") << 35 << 36 << true << 0;
        QTest::newRow("previous") << 4 << 36 << false << 3;
        QTest::newRow("previous on the first wraps") << 0 << 36 << false << 35;
        QTest::newRow("stale index") << 40 << 36 << false << 0;
        QTest::newRow("no tips") << 0 << 0 << true << 0;
    }
    void stepping()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(bool, forward);
        QFETCH(int, result);
        QCOMPARE(StepTipIndex(index, count, forward), result);
    }
};

QTEST_MAIN(tst_Tips)
#include "tst_tips.moc"
