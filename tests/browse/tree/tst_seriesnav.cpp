#include <QtTest>

#include "core/model/mainstate.h"
#include "browse/tree/seriesnav.h"

class tst_SeriesNav : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typeAheadFindsTopLevelSeries_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("found");  // empty: none
        QTest::newRow("one letter: first in tree order") << "C" << "Canada";
        QTest::newRow("ignores case") << "cA" << "Canada";
        QTest::newRow("longer prefix") << "cam" << "Cameroon";
        QTest::newRow("lower-case name") << "A" << "austria";
        QTest::newRow("longer than every name") << "Canadas" << "";
        QTest::newRow("child series are not searched") << "Cro" << "";
        QTest::newRow("no match") << "Q" << "";
        QTest::newRow("empty filter") << "" << "";
    }
    void typeAheadFindsTopLevelSeries()
    {
        QFETCH(QString, filter);
        QFETCH(QString, found);
        tMainState s;
        for (const char *name : {"Canada", "Cameroon", "Cape Verde", "austria", "Zambia"})
            AddChildNode(s.EntireCollection.get(), 1000)->NodeName = QString::fromLatin1(name);
        AddChildNode(s.EntireCollection->ChildNodes.back().get(), 1001)->NodeName = QStringLiteral("Croatia");
        tnodeinfo *hit = FindTypeAheadSeries(*s.EntireCollection, filter);
        QCOMPARE(hit ? hit->NodeName : QString(), found);
    }

    void onlyLettersStartATypeAhead_data()
    {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<bool>("letter");
        QTest::newRow("a") << QChar(u'a') << true;
        QTest::newRow("Z") << QChar(u'Z') << true;
        QTest::newRow("digit") << QChar(u'7') << false;
        QTest::newRow("punctuation") << QChar(u'-') << false;
        QTest::newRow("blank") << QChar(u' ') << false;
        QTest::newRow("accented letter") << QChar(u'\u00E9') << false;
        QTest::newRow("none") << QChar() << false;
    }
    void onlyLettersStartATypeAhead()
    {
        QFETCH(QChar, c);
        QTEST(IsTypeAheadLetter(c), "letter");
    }

    void scrollingStaysInRange_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("one down") << 3 << 1 << 4;
        QTest::newRow("up at the top") << 0 << -1 << 0;
        QTest::newRow("down at the bottom") << 10 << 1 << 10;
        QTest::newRow("a page past the end") << 8 << 5 << 10;
        QTest::newRow("a page past the top") << 2 << -5 << 0;
    }
    void scrollingStaysInRange()
    {
        QFETCH(int, value);
        QFETCH(int, delta);
        QTEST(ClampedScroll(value, delta, 0, 10), "expected");
    }
};

QTEST_APPLESS_MAIN(tst_SeriesNav)
#include "tst_seriesnav.moc"
