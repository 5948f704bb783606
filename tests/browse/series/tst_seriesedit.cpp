#include <QtTest>

#include "core/collection/coinentries.h"
#include "core/model/seriestree.h"
#include "browse/series/seriesedit.h"
#include "platform/uiservices.h"
#include "support/scriptedui.h"
#include "support/treefixture.h"

namespace {

tCoinInfo *AddCoin(tMainState &s, tnodeinfo *series)
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = series->CoinType;
    c->Folder = series;
    s.CoinList.push_back(std::move(c));
    return s.CoinList.back().get();
}

tPriceInfo *AddPrice(tMainState &s, tnodeinfo *series)
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = series->CoinType;
    p->Folder = series;
    s.PriceList.push_back(std::move(p));
    series->HasPrices = true;
    return s.PriceList.back().get();
}

QStringList ChildNames(const tnodeinfo *n)
{
    QStringList out;
    for (const auto &c : n->ChildNodes)
        out << c->NodeName;
    return out;
}

// A user series (numbers from 5,000,000) with a sub-series, beside a
// catalogue series; two entries in the user series, one below it.
const QString DeleteTree = QStringLiteral(
    "Catalogue #4001\n"
    "  Cat sub #4002\n"
    "Mine #5000001\n"
    "  Mine sub #5000002\n"
    "    Mine deep #5000003\n");

} // namespace

class tst_SeriesEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { platform::setUserInterface(nullptr); }

    void numberTexts_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("text");
        const int stored = int(tSeriesNumberForm::StoredFaceValue);
        const int edited = int(tSeriesNumberForm::EditedFaceValue);
        const int measure = int(tSeriesNumberForm::Measure);
        QTest::newRow("half face value has two decimals, no leading zero") << edited << 0.5 << "." << ".50";
        QTest::newRow("edited face value rounds to three") << edited << 1.23456 << "." << "1.235";
        QTest::newRow("stored face value keeps five") << stored << 12.34567 << "." << "12.34567";
        QTest::newRow("stored whole face value") << stored << 25.0 << "." << "25.00";
        QTest::newRow("zero face value") << stored << 0.0 << "." << ".00";
        QTest::newRow("whole measure has no decimals") << measure << 12.0 << "." << "12";
        QTest::newRow("small measure") << measure << 0.5 << "." << ".5";
        QTest::newRow("measure rounds half away") << measure << 12.25 << "." << "12.3";
        QTest::newRow("locale decimal comma") << measure << 12.25 << "," << "12,3";
        QTest::newRow("face value with comma") << edited << 2.5 << "," << "2,50";
    }
    void numberTexts()
    {
        QFETCH(int, form);
        QFETCH(double, value);
        QFETCH(QString, sep);
        QFETCH(QString, text);
        QCOMPARE(SeriesNumberText(tSeriesNumberForm(form), value, sep[0]), text);
    }

    void measureBoxes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("stored");
        QTest::newRow("one decimal kept") << "12.34" << "." << "12.3 mm" << 12.3f;
        QTest::newRow("capped at 500") << "600" << "." << "500 mm" << 500.0f;
        QTest::newRow("below a tenth is cleared") << "0.05" << "." << "" << 0.0f;
        QTest::newRow("unreadable is cleared") << "abc" << "." << "" << 0.0f;
        QTest::newRow("shown text read again") << "12 mm" << "." << "12 mm" << 12.0f;
        QTest::newRow("locale comma typed") << "12,5" << "," << "12,5 mm" << 12.5f;
        QTest::newRow("point typed under a comma locale") << "12.5" << "," << "12,5 mm" << 12.5f;
    }
    void measureBoxes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, sep);
        QFETCH(QString, shown);
        QFETCH(float, stored);
        const QString text = NormalizeMeasureText(typed, sep[0]);
        QCOMPARE(text, shown);
        QCOMPARE(ReadMeasureText(text, sep[0]), stored);
        QCOMPARE(ReadSeriesNumber(QStringLiteral("1,5"), QLatin1Char(',')), 1.5);
        QCOMPARE(ReadSeriesNumber(QStringLiteral("1.5"), QLatin1Char(',')), 1.5);
    }

    // OK stores what the collector changed; a box passed through keeps the
    // stored value in full, whatever its text rounds it to.
    void okStoresOnlyChangedBoxes_data()
    {
        QTest::addColumn<bool>("measure");
        QTest::addColumn<QString>("openedText");
        QTest::addColumn<float>("opened");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("stored");
        QTest::newRow("wide measure untouched") << true << "155.5 mm" << 155.5f << "155.5 mm" << 155.5f;
        QTest::newRow("wide measure entered and left") << true << "155.5 mm" << 155.5f << "155.5" << 155.5f;
        QTest::newRow("two decimals survive a pass") << true << "12.3 mm" << 12.34f << "12.3" << 12.34f;
        QTest::newRow("below a tenth stays stored") << true << "" << 0.05f << "" << 0.05f;
        QTest::newRow("typed wide measure") << true << "12 mm" << 12.0f << "155.5" << 155.5f;
        QTest::newRow("typed past the cap") << true << "12 mm" << 12.0f << "600" << 500.0f;
        QTest::newRow("measure cleared") << true << "12 mm" << 12.0f << "" << 0.0f;
        QTest::newRow("face value five decimals untouched") << false << ".12346" << 0.123456f << ".12346" << 0.123456f;
        QTest::newRow("face value same number retyped") << false << ".12346" << 0.123456f << "0.12346" << 0.123456f;
        QTest::newRow("face value typed") << false << ".12346" << 0.123456f << "2.5" << 2.5f;
    }
    void okStoresOnlyChangedBoxes()
    {
        QFETCH(bool, measure);
        QFETCH(QString, openedText);
        QFETCH(float, opened);
        QFETCH(QString, text);
        QFETCH(float, stored);
        const QChar sep = QLatin1Char('.');
        QCOMPARE(measure ? MeasureToStore(text, openedText, opened, sep)
                         : FaceValueToStore(text, openedText, opened, sep),
                 stored);
    }

    void shapesListInTheirOrderWithTheirMeasures()
    {
        QList<int> codes;
        for (const tCoinShape &s : CoinShapesInListOrder())
            codes << s.Code;
        QCOMPARE(codes, (QList<int>{0, 9, 6, 1, 7, 2, 8, 3, 4, 10, 5}));
        QCOMPARE(QString::fromLatin1(CoinShapeByCode(8)->Name), QStringLiteral("Polyon"));
        QCOMPARE(CoinShapeByCode(8)->Second, tSecondMeasure::Sides);
        QCOMPARE(CoinShapeByCode(10)->Second, tSecondMeasure::Bumps);
        QCOMPARE(CoinShapeByCode(5)->Second, tSecondMeasure::Height);
        QCOMPARE(CoinShapeByCode(1)->Second, tSecondMeasure::None);
        QVERIFY(!CoinShapeByCode(11));
        QCOMPARE(NodeModeItems(true).size(), 2);
        QCOMPARE(NodeModeItems(false).value(2), QStringLiteral("Series name is just a comment"));
    }

    void copyDownReachesEveryDescendantWithTheChosenGroupsOnly_data()
    {
        QTest::addColumn<int>("groups");
        QTest::newRow("shape and updates") << int(CopyShapeAndSize | CopyUpdates);
        QTest::newRow("face value") << int(CopyFaceValue);
        QTest::newRow("grade scale and font") << int(CopyGradeScale | CopyFontStyle);
        QTest::newRow("all") << 31;
    }
    void copyDownReachesEveryDescendantWithTheChosenGroupsOnly()
    {
        QFETCH(int, groups);
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("Top\n  Mid\n    Low\n  Side\n"));
        tnodeinfo *top = t[QStringLiteral("Top")];
        top->CoinShape = 8;
        top->CoinSubShape = 7;
        top->Measure1 = 30;
        top->Measure2 = 2;
        top->FaceValueCode = QStringLiteral("USD");
        top->FaceValueAmount = 0.25f;
        top->GradeScale = 4;
        top->FontCode = 0x21;
        top->UpdateOK = false;
        top->MoveOK = false;
        top->NodeName = QStringLiteral("Top");
        CopyPropertiesToSubseries(*top, *top, groups);
        for (const char *name : {"Mid", "Low", "Side"}) {
            const tnodeinfo *n = t[QString::fromLatin1(name)];
            const bool shape = groups & CopyShapeAndSize;
            QCOMPARE(n->CoinShape, uint8_t(shape ? 8 : 0));
            QCOMPARE(n->CoinSubShape, uint8_t(shape ? 7 : 0));
            QCOMPARE(n->Measure1, shape ? 30.0f : 0.0f);
            QCOMPARE(n->Measure2, shape ? 2.0f : 0.0f);
            QCOMPARE(n->FaceValueCode, (groups & CopyFaceValue) ? QStringLiteral("USD") : QString());
            QCOMPARE(n->GradeScale, uint8_t((groups & CopyGradeScale) ? 4 : 0));
            QCOMPARE(n->FontCode, uint8_t((groups & CopyFontStyle) ? 0x21 : 0));
            QCOMPARE(n->UpdateOK, !(groups & CopyUpdates));
            QCOMPARE(n->MoveOK, !(groups & CopyUpdates));
            QCOMPARE(n->NodeName, QString::fromLatin1(name));  // never copied
        }
    }

    void copyDownQuestionTakesThePressedToggles()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("Top\n  Child\n"));
        t[QStringLiteral("Top")]->GradeScale = 3;
        t[QStringLiteral("Top")]->FontCode = 5;
        tScriptedUi ui;
        ui.answer(QStringLiteral("Done"), CopyGradeScale);
        AskCopyToSubseries(*t[QStringLiteral("Top")]);
        QCOMPARE(ui.Messages.size(), size_t(1));
        const platform::MessageRequest &q = ui.Messages[0];
        QVERIFY(q.Text.startsWith(QStringLiteral("You've edited the properties for a series that has series within it.\r")));
        QCOMPARE(q.Buttons.size(), size_t(6));
        int toggles = 0;
        for (const auto &b : q.Buttons)
            toggles += b.Toggle ? 1 : 0;
        QCOMPARE(toggles, 5);
        QCOMPARE(t[QStringLiteral("Child")]->GradeScale, uint8_t(3));
        QCOMPARE(t[QStringLiteral("Child")]->FontCode, uint8_t(0));

        // A series without sub-series asks nothing.
        AskCopyToSubseries(*t[QStringLiteral("Child")]);
        QCOMPARE(ui.Messages.size(), size_t(1));
    }

    void sortingKeepsTheOrderOfEquals_data()
    {
        QTest::addColumn<bool>("byDate");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("by date, equal ranges stay in order") << true
                                                            << QStringList{"c", "a", "B", "d"};
        QTest::newRow("alphabetically") << false << QStringList{"a", "B", "c", "d"};
    }
    void sortingKeepsTheOrderOfEquals()
    {
        QFETCH(bool, byDate);
        QFETCH(QStringList, order);
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("P\n  d\n  c\n  a\n  B\n"));
        auto range = [&](const char *n, int lo, int hi) {
            t[QString::fromLatin1(n)]->DateRangeMin = lo;
            t[QString::fromLatin1(n)]->DateRangeMax = hi;
        };
        range("d", 1950, 1990);
        range("c", 1900, 1910);
        range("a", 1900, 1920);
        range("B", 1900, 1920);
        tScriptedUi ui;
        ui.answer(QStringLiteral("Yes"));
        QVERIFY(SortSubseries(s, *t[QStringLiteral("P")], byDate));
        QCOMPARE(ChildNames(t[QStringLiteral("P")]), order);
        QVERIFY(s.DataModified);
        QCOMPARE(ui.Texts().value(0), QStringLiteral("You've selected to sort the subseries within this series ") +
                                          (byDate ? QStringLiteral("by date") : QStringLiteral("alphabetically")) +
                                          QStringLiteral(".  Do you wish to continue?"));
    }

    void sortingAsksOnlyWhenThereIsSomethingToSort()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("One\n  only\nTwo\n  b\n  a\n"));
        tScriptedUi ui;
        QVERIFY(!SortSubseries(s, *t[QStringLiteral("One")], false));
        QVERIFY(!SortSubseries(s, *t[QStringLiteral("only")], true));
        QVERIFY(ui.Messages.empty());
        ui.answer(QStringLiteral("No"));
        QVERIFY(!SortSubseries(s, *t[QStringLiteral("Two")], false));
        QCOMPARE(ChildNames(t[QStringLiteral("Two")]), (QStringList{"b", "a"}));
        QVERIFY(!s.DataModified);
    }

    void deleteQuestionsAndWhatTheyRemove_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<bool>("emptyOnly");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("seriesGone");
        QTest::addColumn<int>("coinsLeft");
        QTest::addColumn<int>("pricesLeft");
        QTest::addColumn<bool>("pricesDetached");
        const QString mineQ = QStringLiteral(
            "You've selected to delete the coin type \"Mine\".  This will delete 3 series and 3 coins. ");
        QTest::newRow("user series with prices: yes takes the prices")
            << "Mine" << false << "Yes"
            << mineQ + "\r\rDo you want to delete the price list entries in this series as well? "
                       "If you do, they will not be available in other collections."
            << 3 << true << 1 << 1 << false;
        QTest::newRow("user series with prices: no keeps them detached")
            << "Mine" << false << "No" << QString() << 3 << true << 1 << 3 << true;
        QTest::newRow("user series with prices: cancel changes nothing")
            << "Mine" << false << "Cancel" << QString() << 3 << false << 4 << 3 << false;
        QTest::newRow("user series without prices asks yes or no")
            << "Mine deep" << false << "Yes"
            << "You've selected to delete the coin type \"Mine deep\".  This will delete 1 series and 1 coin. "
               "\rAre you sure?"
            << 2 << true << 3 << 3 << false;
        QTest::newRow("catalogue series keeps its prices, detached")
            << "Catalogue" << false << "Yes"
            << "You've selected to delete the coin type \"Catalogue\".  This will delete 2 series and 1 coin. "
               "\rAre you sure?"
            << 2 << true << 3 << 3 << true;
        QTest::newRow("emptying keeps the series")
            << "Mine sub" << true << "Yes"
            << "You've selected to empty the series\r\n\"Mine sub\".\r\nThis will delete 1 coin. \rAre you sure?"
            << 2 << false << 3 << 3 << false;
        QTest::newRow("no to emptying keeps the coins") << "Mine" << true << "No" << QString() << 2 << false << 4
                                                         << 3 << false;
    }
    void deleteQuestionsAndWhatTheyRemove()
    {
        QFETCH(QString, series);
        QFETCH(bool, emptyOnly);
        QFETCH(QString, answer);
        QFETCH(QString, question);
        QFETCH(int, buttons);
        QFETCH(bool, seriesGone);
        QFETCH(int, coinsLeft);
        QFETCH(int, pricesLeft);
        QFETCH(bool, pricesDetached);
        tMainState s;
        auto t = BuildTree(s, DeleteTree);
        AddCoin(s, t[QStringLiteral("Mine")]);
        AddCoin(s, t[QStringLiteral("Mine")]);
        AddCoin(s, t[QStringLiteral("Mine deep")]);
        AddCoin(s, t[QStringLiteral("Cat sub")]);
        AddPrice(s, t[QStringLiteral("Mine")]);
        AddPrice(s, t[QStringLiteral("Mine sub")]);
        AddPrice(s, t[QStringLiteral("Catalogue")]);
        tnodeinfo *target = t[series];
        tnodeinfo *parent = target->ParentNode;
        const int number = target->CoinType;
        s.SelectedTreeNode = target;
        s.ClickTrackList = {t[QStringLiteral("Mine sub")], t[QStringLiteral("Catalogue")]};

        tScriptedUi ui;
        ui.answer(answer);
        const bool done = DeleteThisFolder(s, emptyOnly);
        QCOMPARE(ui.Messages.size(), size_t(1));
        if (!question.isEmpty())
            QCOMPARE(ui.Messages[0].Text, question);
        QCOMPARE(int(ui.Messages[0].Buttons.size()), buttons);
        QCOMPARE(done, seriesGone || (emptyOnly && answer == QLatin1String("Yes")));
        QCOMPARE(CoinTypeToNodeInfo(s, number) == nullptr, seriesGone);
        QCOMPARE(int(s.CoinList.size()), coinsLeft);
        QCOMPARE(int(s.PriceList.size()), pricesLeft);
        QCOMPARE(s.DataModified, done);
        if (seriesGone) {
            QCOMPARE(s.SelectedTreeNode, parent);
            // Nothing points into the freed subtree any more.
            for (const tnodeinfo *n : s.ClickTrackList)
                QVERIFY(CoinTypeToNodeInfo(s, n->CoinType) == n);
            for (const auto &c : s.CoinList)
                QVERIFY(!c->Folder || CoinTypeToNodeInfo(s, c->Folder->CoinType) == c->Folder);
        }
        bool detached = false;
        for (const auto &p : s.PriceList)
            detached = detached || (!p->Folder && CoinTypeToCountry(p->CoinType) >= 0);
        QCOMPARE(detached, pricesDetached);
        if (answer == QLatin1String("Yes") && buttons == 3)
            QVERIFY(s.PricesModified && s.PricesModifiedArray[1000]);
    }

    void theRootCanBeEmptiedButNotDeleted()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("A\n"));
        AddCoin(s, t[QStringLiteral("A")]);
        s.SelectedTreeNode = s.EntireCollection.get();
        tScriptedUi ui;
        QVERIFY(!DeleteThisFolder(s, false));
        QVERIFY(ui.Messages.empty());
        ui.answer(QStringLiteral("Yes"));
        QVERIFY(DeleteThisFolder(s, true));
        QVERIFY(s.CoinList.empty());
        QCOMPARE(ChildNames(s.EntireCollection.get()), QStringList{"A"});
    }

    void deletingDropsTheUndoRecordsOfTheEntries()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("Mine #5000001\nOther #5000009\n"));
        tCoinInfo *gone = AddCoin(s, t[QStringLiteral("Mine")]);
        tCoinInfo *deletedEarlier = AddCoin(s, t[QStringLiteral("Mine")]);
        AddCoin(s, t[QStringLiteral("Other")]);
        RemoveCoinToUndo(s, deletedEarlier);  // an undo record that would bring it back
        s.CurrCoinList = {gone};
        s.CoinGridRow = 0;
        PushCoinUndo(s, *gone, tCoinField{});  // an undo record of an edit in Mine
        QVERIFY(!s.UndoCoinList.empty());
        s.SelectedTreeNode = t[QStringLiteral("Mine")];
        tScriptedUi ui;
        ui.answer(QStringLiteral("Yes"));
        QVERIFY(DeleteThisFolder(s, false));
        QVERIFY(s.UndoCoinList.empty());
        QCOMPARE(int(s.CoinList.size()), 1);
    }

    void newUserSeriesNumbersAreNeverShared()
    {
        tMainState s;
        BuildTree(s, QStringLiteral("Taken #5000007\n"));
        QList<int> draws{7, 7, 8};
        const int n = NewUserSeriesNumber(s, [&] { return draws.takeFirst(); });
        QCOMPARE(n, 5000008);
        QVERIFY(draws.isEmpty());
    }

    void newSeriesGoesInsideOrBelow_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<QString>("outline");
        QTest::newRow("below a series") << "A" << false << "A\n  A1\nNew\nB";
        QTest::newRow("inside a series, last") << "A" << true << "A\n  A1\n  New\nB";
        QTest::newRow("under the root always inside") << "Entire Collection" << false << "A\n  A1\nB\nNew";
    }
    void newSeriesGoesInsideOrBelow()
    {
        QFETCH(QString, selected);
        QFETCH(bool, inside);
        QFETCH(QString, outline);
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("A\n  A1\nB\n"));
        tnodeinfo *n = AddNewSeries(s, t[selected], inside, 5000100, QStringLiteral("  New "));
        QCOMPARE(TreeOutline(s), outline);
        QCOMPARE(n->Country, UserCountry);
        QCOMPARE(n->CoinType, 5000100);
    }

    void priceSourceChoices()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("Parent #3001\n  Child #3002\n  Sib #3003\nFar #3004\n"));
        tnodeinfo *parent = t[QStringLiteral("Parent")];
        tnodeinfo *child = t[QStringLiteral("Child")];
        parent->HasPrices = true;
        child->PriceSource = 3004;
        s.ClickTrackList = {child, t[QStringLiteral("Sib")], t[QStringLiteral("Far")]};

        const tPriceSourceChoices props = PriceSourceChoicesFor(s, *child, false);
        QStringList texts;
        for (const auto &c : props.Items)
            texts << c.Text;
        // Its own number is never offered; each number once.
        QCOMPARE(texts, (QStringList{OwnPriceListChoice, "Series 3001, Parent", "Series 3004, Far",
                                     "Series 3003, Sib"}));
        QCOMPARE(props.Chosen, 2);

        child->PriceSource = 3001;
        QCOMPARE(PriceSourceChoicesFor(s, *child, false).Chosen, 1);

        const tPriceSourceChoices added = PriceSourceChoicesFor(s, *child, true);
        QCOMPARE(added.Items.at(1).Tag, 3002);
        QCOMPARE(added.Chosen, 0);

        // A borrowed list whose series is gone is not offered.
        child->PriceSource = 9999;
        QCOMPARE(PriceSourceChoicesFor(s, *child, false).Chosen, 0);
    }

    void propertiesReadBackAsStored()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("A\n"));
        tnodeinfo *a = t[QStringLiteral("A")];
        a->FontCode = 0x2F;  // colour 15 is no colour of the box
        a->GradeScale = 9;
        a->CoinShape = 40;
        tSeriesProperties p = SeriesPropertiesOf(*a);
        QCOMPARE(p.FontColor, -1);
        QCOMPARE(p.FontStyle, 2);
        QCOMPARE(p.GradeScale, 0);
        QCOMPARE(p.CoinShape, 0);
        QCOMPARE(p.CoinSubShape, FirstSubShape);
        p.FontColor = 4;
        p.HasCurrency = false;
        p.FaceValueCode = QStringLiteral("USD");
        p.MoveOK = true;
        ApplySeriesProperties(*s.EntireCollection, p, true);
        QCOMPARE(s.EntireCollection->FontCode, uint8_t(4 + 32));
        QVERIFY(s.EntireCollection->FaceValueCode.isEmpty());
        QVERIFY(!s.EntireCollection->MoveOK);
    }
};

QTEST_MAIN(tst_SeriesEdit)
#include "tst_seriesedit.moc"
