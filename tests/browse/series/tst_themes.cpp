#include <QtTest>

#include "core/files/collectionsettings.h"
#include "core/model/helpers.h"
#include "browse/series/themes.h"
#include "support/treefixture.h"

namespace {

// Tree order: root, A, A1, A2, B, B1.
const QString Tree = QStringLiteral("A\n  A1\n  A2\nB\n  B1\n");

} // namespace

class tst_Themes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steppingWalksTheCarriersInTreeOrderAndWraps_data()
    {
        QTest::addColumn<QStringList>("carriers");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("next");  // empty: the selection stays
        const QStringList three{"A1", "B", "B1"};
        QTest::newRow("selected carrier goes to the next") << three << "A1" << "B";
        QTest::newRow("last carrier wraps to the first") << three << "B1" << "A1";
        QTest::newRow("non-carrier goes to the next after it") << three << "A2" << "B";
        QTest::newRow("non-carrier after the last wraps") << QStringList{"A1"} << "B1" << "A1";
        QTest::newRow("the only carrier stays") << QStringList{"A2"} << "A2" << "";
        QTest::newRow("no carrier does nothing") << QStringList{} << "A" << "";
        QTest::newRow("the root carries like any series") << QStringList{"Entire Collection", "B"} << "B1"
                                                          << "Entire Collection";
    }
    void steppingWalksTheCarriersInTreeOrderAndWraps()
    {
        QFETCH(QStringList, carriers);
        QFETCH(QString, selected);
        QFETCH(QString, next);
        tMainState s;
        auto t = BuildTree(s, Tree);
        constexpr int theme = 29;
        for (const QString &c : carriers)
            t[c]->Themes |= 1 << theme;
        t[QStringLiteral("A")]->Themes = 1 << 3;  // another theme does not count
        s.SelectedTreeNode = t[selected];
        tnodeinfo *n = NextThemeCarrier(s, theme);
        QCOMPARE(n ? n->NodeName : QString(), next);
    }

    void countsAndTaggingMarkTheCollection()
    {
        tMainState s;
        auto t = BuildTree(s, Tree);
        int captions = 0;
        QObject::connect(s.Events.get(), &tStateEvents::SetMainCaption, [&] { ++captions; });
        s.SelectedTreeNode = s.EntireCollection.get();
        SetThemeBit(s, 5, true);
        s.SelectedTreeNode = t[QStringLiteral("B1")];
        SetThemeBit(s, 5, true);
        SetThemeBit(s, 0, true);
        QVERIFY(s.DataModified);
        QCOMPARE(captions, 3);
        auto counts = CountThemeSeries(s);
        QCOMPARE(counts[5], 2);
        QCOMPARE(counts[0], 1);
        QCOMPARE(counts[1], 0);
        SetThemeBit(s, 5, false);
        QCOMPARE(t[QStringLiteral("B1")]->Themes, 1);
        QCOMPARE(CountThemeSeries(s)[5], 1);
        QCOMPARE(ThemeCountText(3), QStringLiteral("3 series"));
        QCOMPARE(ThemeButtonImage(0), 3);
        QCOMPARE(ThemeButtonImage(1), 8);
    }

    void renamingMarksTheCollectionOnlyWhenANameChanged()
    {
        tMainState s;
        SetDefaultThemeNames(s);
        int named = 0;
        for (int t = 0; t < ThemeCount; ++t)
            named += ThemeIsNamed(s, t) ? 1 : 0;
        QCOMPARE(named, 17);
        std::array<QString, ThemeCount> names = s.ThemeNames;
        QVERIFY(!SetThemeNames(s, names));
        QVERIFY(!s.DataModified);
        names[4] = QStringLiteral("  ");
        QVERIFY(SetThemeNames(s, names));
        QVERIFY(s.DataModified);
        QVERIFY(!ThemeIsNamed(s, 4));
    }

    void ampersandsShowOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("none") << "Birds" << "Birds";
        QTest::newRow("one") << "Boats & Ships" << "Boats && Ships";
        QTest::newRow("a run becomes one pair") << "A &&& B" << "A && B";
        QTest::newRow("at both ends") << "&x&" << "&&x&&";
        QTest::newRow("empty") << "" << "";
    }
    void ampersandsShowOnce()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QCOMPARE(EscapeAmpersands(name), caption);
    }
};

QTEST_MAIN(tst_Themes)
#include "tst_themes.moc"
