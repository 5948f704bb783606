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

    void keysOfTheSeriesPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("action");
        const int series = 0, coins = 3;
        QTest::newRow("a letter searches") << series << int(Qt::Key_D) << "d" << int(tSeriesKey::TypeAhead);
        QTest::newRow("a capital too") << series << int(Qt::Key_D) << "D" << int(tSeriesKey::TypeAhead);
        QTest::newRow("a digit does nothing") << series << int(Qt::Key_1) << "1" << int(tSeriesKey::None);
        QTest::newRow("Left goes to the parent") << series << int(Qt::Key_Left) << "" << int(tSeriesKey::Parent);
        QTest::newRow("Up scrolls a row") << series << int(Qt::Key_Up) << "" << int(tSeriesKey::ScrollUp);
        QTest::newRow("Down scrolls a row") << series << int(Qt::Key_Down) << "" << int(tSeriesKey::ScrollDown);
        QTest::newRow("Page Up") << series << int(Qt::Key_PageUp) << "" << int(tSeriesKey::PageUp);
        QTest::newRow("Page Down") << series << int(Qt::Key_PageDown) << "" << int(tSeriesKey::PageDown);
        QTest::newRow("Right is the control's") << series << int(Qt::Key_Right) << "" << int(tSeriesKey::None);
        QTest::newRow("other pages keep their keys") << coins << int(Qt::Key_D) << "d" << int(tSeriesKey::None);
        QTest::newRow("... Left too") << coins << int(Qt::Key_Left) << "" << int(tSeriesKey::None);
    }
    void keysOfTheSeriesPage()
    {
        QFETCH(int, page);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, action);
        QCOMPARE(int(SeriesPageKey(page, key, text.isEmpty() ? QChar() : text.at(0))), action);
    }

    void typeAheadGrowsWhileTyping()
    {
        QCOMPARE(TypeAheadFilter(QStringLiteral("Ca"), true, QLatin1Char('n')), QStringLiteral("Can"));
        // After the pause a letter starts afresh.
        QCOMPARE(TypeAheadFilter(QStringLiteral("Can"), false, QLatin1Char('m')), QStringLiteral("m"));
        QCOMPARE(TypeAheadFilter(QString(), true, QLatin1Char('a')), QStringLiteral("a"));
    }
};

QTEST_APPLESS_MAIN(tst_SeriesNav)
#include "tst_seriesnav.moc"
