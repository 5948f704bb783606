#include <QtTest>

#include "pricing/pricetools/gradescales.h"

// The grade-scale window's working copy: what typing stores, which cells
// take typing, and what OK copies back.
class tst_GradeScales : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedTitleIsStoredAsTheFileKeepsIt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("13 characters keep the first 10") << QStringLiteral("Very Fine 20+") << QStringLiteral("Very Fine ");
        QTest::newRow("10 characters stay whole") << QStringLiteral("Choice AU5") << QStringLiteral("Choice AU5");
        QTest::newRow("code-page letters stay") << QStringLiteral("Très bien") << QStringLiteral("Très bien");
        QTest::newRow("letters outside the code page become ?") << QStringLiteral("Ж-60") << QStringLiteral("?-60");
        QTest::newRow("empty clears the slot") << QString() << QString();
    }
    void typedTitleIsStoredAsTheFileKeepsIt()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        tGradeTitles titles;
        FillBuiltInGradeTitles(titles);
        titles.SetTitle(GradeKindCoins, 2, 5, QStringLiteral("old"));
        tGradeScaleEdit edit(titles);
        QVERIFY(edit.SetTitle(GradeKindCoins, 2, 5, typed));
        QCOMPARE(edit.Title(GradeKindCoins, 2, 5), stored);
        QCOMPARE(FitGradeTitle(typed), stored);
    }

    void onlyUserScalesAndShownSlotsTakeTyping_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("editable");
        QTest::newRow("standard column of coins") << GradeKindCoins << 0 << 3 << false;
        QTest::newRow("standard column of paper") << GradeKindPaper << 0 << 3 << false;
        QTest::newRow("decimal scale") << GradeKindCoins << 4 << 3 << false;
        QTest::newRow("user scale 1 slot 0") << GradeKindCoins << 1 << 0 << true;
        QTest::newRow("user scale 3 proof slot 40") << GradeKindCoins << 3 << 40 << true;
        QTest::newRow("paper slot 29 is the last row") << GradeKindPaper << 2 << 29 << true;
        QTest::newRow("paper slot 30 is not shown") << GradeKindPaper << 2 << 30 << false;
        QTest::newRow("slot -1") << GradeKindCoins << 1 << -1 << false;
    }
    void onlyUserScalesAndShownSlotsTakeTyping()
    {
        QFETCH(int, kind);
        QFETCH(int, scale);
        QFETCH(int, slot);
        QFETCH(bool, editable);
        tGradeTitles titles;
        FillBuiltInGradeTitles(titles);
        titles.SetTitle(GradeKindPaper, 2, 30, QStringLiteral("kept"));
        const QString before = titles.Title(kind, scale, slot);
        tGradeScaleEdit edit(titles);
        QCOMPARE(edit.SetTitle(kind, scale, slot, QStringLiteral("typed")), editable);
        QCOMPARE(edit.Title(kind, scale, slot), editable ? QStringLiteral("typed") : before);
        tGradeTitles target = titles;
        edit.Apply(target);
        QCOMPARE(target.Title(kind, scale, slot), editable ? QStringLiteral("typed") : before);
    }

    void rowCountsFollowTheKind()
    {
        QCOMPARE(GradeRowCount(GradeKindCoins), 41);
        QCOMPARE(GradeRowCount(GradeKindPaper), 30);
    }

    void okCopiesEveryUserScaleOfBothKindsAndNothingElse()
    {
        tGradeTitles source;
        FillBuiltInGradeTitles(source);
        // Titles of a collection: some set, most empty.
        source.SetTitle(GradeKindCoins, 1, 0, QStringLiteral("Cull"));
        source.SetTitle(GradeKindPaper, 3, 12, QStringLiteral("Nice"));
        tGradeScaleEdit edit(source);
        edit.SetTitle(GradeKindCoins, 2, 40, QStringLiteral("Cameo"));

        // The live table changed meanwhile elsewhere (another collection's
        // scales): OK writes all three user scales, touched or not.
        tGradeTitles live;
        FillBuiltInGradeTitles(live);
        live.SetTitle(GradeKindCoins, 3, 7, QStringLiteral("stale"));
        live.SetTitle(GradeKindCoins, 1, -1, QStringLiteral("minus one"));
        live.SetTitle(GradeKindCoins, 0, 0, QStringLiteral("not std"));
        QVERIFY(edit.Apply(live));
        QCOMPARE(live.Title(GradeKindCoins, 1, 0), QStringLiteral("Cull"));
        QCOMPARE(live.Title(GradeKindPaper, 3, 12), QStringLiteral("Nice"));
        QCOMPARE(live.Title(GradeKindCoins, 2, 40), QStringLiteral("Cameo"));
        QCOMPARE(live.Title(GradeKindCoins, 3, 7), QString());
        QCOMPARE(live.Title(GradeKindCoins, 1, -1), QStringLiteral("minus one"));
        QCOMPARE(live.Title(GradeKindCoins, 0, 0), QStringLiteral("not std"));
        QVERIFY(!edit.Apply(live));
    }

    void cancelLeavesTheTableAsItWas()
    {
        tGradeTitles live;
        FillBuiltInGradeTitles(live);
        {
            tGradeScaleEdit edit(live);
            edit.SetTitle(GradeKindCoins, 1, 4, QStringLiteral("typed"));
        }
        QCOMPARE(live.Title(GradeKindCoins, 1, 4), QString());
    }

    void builtInScales_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("title");
        QTest::newRow("coins slot 0") << GradeKindCoins << 0 << 0 << QStringLiteral("PO-1");
        QTest::newRow("coins slot 29") << GradeKindCoins << 0 << 29 << QStringLiteral("MS-70");
        QTest::newRow("coins slot 30") << GradeKindCoins << 0 << 30 << QStringLiteral("PF-60");
        QTest::newRow("coins slot 40") << GradeKindCoins << 0 << 40 << QStringLiteral("PF-70");
        QTest::newRow("paper slot 0") << GradeKindPaper << 0 << 0 << QStringLiteral("Poor1");
        QTest::newRow("paper slot 29") << GradeKindPaper << 0 << 29 << QStringLiteral("PN-70");
        QTest::newRow("paper slot 30 empty") << GradeKindPaper << 0 << 30 << QString();
        QTest::newRow("decimal slot 0") << GradeKindCoins << 4 << 0 << QStringLiteral("NGCX 1");
        QTest::newRow("decimal slot 1 has no title") << GradeKindCoins << 4 << 1 << QString();
        QTest::newRow("decimal slot 2") << GradeKindCoins << 4 << 2 << QStringLiteral("NGCX 1.5");
        QTest::newRow("decimal slot 29") << GradeKindCoins << 4 << 29 << QStringLiteral("NGCX MS10");
        QTest::newRow("decimal slot 40") << GradeKindCoins << 4 << 40 << QStringLiteral("NGCX PF10");
        QTest::newRow("decimal scale of paper is empty") << GradeKindPaper << 4 << 0 << QString();
        QTest::newRow("user scales start empty") << GradeKindCoins << 2 << 10 << QString();
    }
    void builtInScales()
    {
        QFETCH(int, kind);
        QFETCH(int, scale);
        QFETCH(int, slot);
        QFETCH(QString, title);
        tGradeTitles titles;
        FillBuiltInGradeTitles(titles);
        QCOMPARE(titles.Title(kind, scale, slot), title);
    }
};

QTEST_GUILESS_MAIN(tst_GradeScales)
#include "tst_gradescales.moc"
