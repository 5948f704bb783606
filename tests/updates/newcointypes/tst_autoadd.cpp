#include <QtTest>

#include "updates/newcointypes/autoadd.h"

class tst_AutoAdd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initiallyChecked_data()
    {
        QTest::addColumn<QString>("autoAdd");
        QTest::addColumn<int>("country");
        QTest::addColumn<QString>("plu");
        QTest::addColumn<bool>("checked");
        const QString marked = QString(40, QLatin1Char('Y')) + QLatin1Char('N') + QString(959, QLatin1Char('Y'));
        QTest::newRow("empty string") << QString() << 40 << "" << true;
        QTest::newRow("marked N") << marked << 40 << "" << false;
        QTest::newRow("marked Y") << marked << 39 << "" << true;
        QTest::newRow("any other character") << QStringLiteral("xn?") << 1 << "" << true;
        QTest::newRow("lower-case n is no N") << QStringLiteral("n") << 0 << "" << true;
        QTest::newRow("short string") << QStringLiteral("NN") << 2 << "" << true;
        QTest::newRow("within a short string") << QStringLiteral("NN") << 1 << "" << false;
        QTest::newRow("number 1000 or more") << marked << 1000 << "" << true;
        QTest::newRow("N but in the last update") << marked << 40 << "12,40" << true;
        QTest::newRow("N, another in the last update") << marked << 40 << "12,41" << false;
        QTest::newRow("negative number") << marked << -1 << "" << true;
    }
    void initiallyChecked()
    {
        QFETCH(QString, autoAdd);
        QFETCH(int, country);
        QFETCH(QString, plu);
        std::vector<int> last;
        for (const QString &part : plu.split(QLatin1Char(','), Qt::SkipEmptyParts))
            last.push_back(part.toInt());
        QTEST(AutoAddInitiallyChecked(autoAdd, country, last), "checked");
    }

    void selection()
    {
        QCOMPARE(AutoAddSelectionChecks(AutoSelectAllTag, true), true);
        QCOMPARE(AutoAddSelectionChecks(AutoSelectCoinsTag, false), true);
        QCOMPARE(AutoAddSelectionChecks(AutoSelectCoinsTag, true), false);
        QCOMPARE(AutoAddSelectionChecks(AutoSelectPaperTag, true), true);
        QCOMPARE(AutoAddSelectionChecks(AutoSelectPaperTag, false), false);
        QCOMPARE(AutoAddSelectionChecks(AutoSelectNoneTag, false), false);
    }

    void stored()
    {
        const QString s = MakeAutoAddStr({{0, false}, {5, true}, {999, false}, {1000, false}, {1500, false}, {-3, false}});
        QCOMPARE(s.size(), 1000);
        QCOMPARE(s.count(QLatin1Char('N')), 2);
        QCOMPARE(s[0], QLatin1Char('N'));
        QCOMPARE(s[999], QLatin1Char('N'));
        QCOMPARE(s[5], QLatin1Char('Y'));
        QCOMPARE(MakeAutoAddStr({}), QString(1000, QLatin1Char('Y')));
    }
};

QTEST_GUILESS_MAIN(tst_AutoAdd)
#include "tst_autoadd.moc"
