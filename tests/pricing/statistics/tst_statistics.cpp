#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

#include "core/model/dates.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/statistics/statistics.h"
#include "pricing/valuation/valuation.h"
#include "support/pricefixtures.h"

using Counts = QList<int>;

namespace {

constexpr Money U = MoneyScale;
constexpr int Country = 352;
constexpr int32_t Cents = 352001;     // coins, face value 0.01 USD
constexpr int32_t Dollars = 352002;   // coins, prices shared from Cents
constexpr int32_t Notes = 352010;     // paper money

// United States with three series, the real currency table (US dollars
// active), silver at 20.00 and gold at 1,800.00 an ounce.
struct tFixture {
    tMainState s;
    tnodeinfo *country = nullptr;
    tnodeinfo *cents = nullptr;
    tnodeinfo *dollars = nullptr;
    tnodeinfo *notes = nullptr;

    tFixture()
    {
        LoadForexList(s);
        s.ActiveForexIndex = UsdForexIndex;
        s.MetalValues = {20 * U, 1800 * U, 0, 0};
        country = AddFixtureCountry(s, Country, "United States", {Cents, Dollars, Notes});
        cents = country->ChildNodes[0].get();
        dollars = country->ChildNodes[1].get();
        notes = country->ChildNodes[2].get();
        cents->FaceValueCode = "USD";
        cents->FaceValueAmount = 0.01f;
        notes->CoinShape = PaperMoneyShape;
    }
    tPriceInfo *Price(int32_t series, int year, Money fine = 0, const QString &gm = {})
    {
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = series;
        p->Year = year;
        p->GM = gm;
        p->Value[12] = fine;
        tPriceInfo *raw = p.get();
        s.PriceList.push_back(std::move(p));
        PriceListChanged(s);
        return raw;
    }
    tCoinInfo *Coin(tnodeinfo *series, int year, int have = 1, const QString &gm = {})
    {
        auto c = std::make_unique<tCoinInfo>();
        c->CoinType = series->CoinType;
        c->Folder = series;
        c->Year = year;
        c->GM = gm;
        c->Grade = 12;
        c->Have = have;
        tCoinInfo *raw = c.get();
        s.CoinList.push_back(std::move(c));
        return raw;
    }
    tTotaler Totals(const tnodeinfo *node) { return CalcStatistics(*TakeStatsSnapshot(s, node)); }
    std::vector<tStatsLabelText> Texts(const tnodeinfo *node)
    {
        const auto snap = TakeStatsSnapshot(s, node);
        return StatsTexts(*snap, CalcStatistics(*snap));
    }
};

const tStatsLabelText &Label(const std::vector<tStatsLabelText> &labels, const QString &name)
{
    static const tStatsLabelText none{};
    for (const tStatsLabelText &l : labels)
        if (l.Name == name)
            return l;
    return none;
}

} // namespace

class tst_Statistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void emptyPriceListCountsOnlyFolders()
    {
        tFixture f;
        f.Coin(f.cents, 1909, 2)->BuyPrice = 5 * U;
        f.Coin(f.notes, 1928);
        const tTotaler t = f.Totals(f.country);
        QCOMPARE(t.TotalFolders, 3);
        QCOMPARE(t.TotalCoinEntries + t.TotalNoteEntries, 0);
        QCOMPARE(t.TotalPrice, Money(0));
        QCOMPARE(t.TotalValue, Money(0));
        QCOMPARE(t.totalVarieties, 0);
        QCOMPARE(t.TotalCoinHave, qint64(0));
        QCOMPARE(t.TotalNoPriceEntries, 0);
    }

    void rootHidesCountryLines_data()
    {
        QTest::addColumn<bool>("root");
        QTest::newRow("root selected") << true;
        QTest::newRow("country selected") << false;
    }
    void rootHidesCountryLines()
    {
        QFETCH(bool, root);
        tFixture f;
        f.s.PricesModifiedArray[Country] = true;
        f.s.PricesDatesArray[Country] = DateToDay(QDate(2024, 3, 1));
        const auto texts = f.Texts(root ? f.s.EntireCollection.get() : f.country);
        for (const char *name : {"Label27", "Label25", "Label97"})
            QCOMPARE(Label(texts, name).Visible, !root);
        if (!root) {
            QCOMPARE(Label(texts, "Label25").Text, QStringLiteral("United States"));
            QCOMPARE(Label(texts, "Label97").Text, QStringLiteral("Price list is modified"));
            QCOMPARE(Label(texts, "Label142").Text, QStringLiteral("Dated ") + FormatShortDate(f.s.PricesDatesArray[Country]));
        }
    }

    void entriesLine_data()
    {
        QTest::addColumn<int>("coins");
        QTest::addColumn<int>("notes");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << 0 << "Entries: None";
        QTest::newRow("three notes") << 0 << 3 << "Entries: 3 notes";
        QTest::newRow("one coin") << 1 << 0 << "Entries: 1 coin";
        QTest::newRow("both") << 12 << 1 << "Entries: 12 coins & 1 note";
    }
    void entriesLine()
    {
        QFETCH(int, coins);
        QFETCH(int, notes);
        QFETCH(QString, text);
        tFixture f;
        f.Price(Cents, 1999);  // any price entry lets entries count
        for (int i = 0; i < coins; ++i)
            f.Coin(f.cents, 1900 + i);
        for (int i = 0; i < notes; ++i)
            f.Coin(f.notes, 1900 + i);
        QCOMPARE(Label(f.Texts(f.country), "Label35").Text, text);
    }

    // Pieces of one price entry spread over entries: how many varieties,
    // duplicate types and duplicate pieces they make.
    void duplicateRules_data()
    {
        QTest::addColumn<Counts>("haves");    // one coin entry per number
        QTest::addColumn<Counts>("expected"); // varieties, duplicate types, duplicates
        QTest::newRow("two entries of one each") << Counts{1, 1} << Counts{1, 1, 1};
        QTest::newRow("one entry of three") << Counts{3} << Counts{1, 1, 2};
        QTest::newRow("three entries of one") << Counts{1, 1, 1} << Counts{1, 1, 2};
        QTest::newRow("two then one") << Counts{2, 1} << Counts{1, 1, 2};
        QTest::newRow("one then two") << Counts{1, 2} << Counts{1, 1, 2};
        QTest::newRow("single piece") << Counts{1} << Counts{1, 0, 0};
        QTest::newRow("none held") << Counts{0, 0} << Counts{0, 0, 0};
    }
    void duplicateRules()
    {
        QFETCH(Counts, haves);
        QFETCH(Counts, expected);
        tFixture f;
        f.Price(Cents, 1909);
        for (int n : haves) {
            tCoinInfo *c = f.Coin(f.cents, 1909, n);
            c->Sold = n;  // each quantity keeps its own marks
        }
        const tTotaler t = f.Totals(f.country);
        for (tStatsQuantity q : {StatsHave, StatsSold}) {
            const tStatsCategory c = StatsCategory(t, q);
            QCOMPARE((Counts{c.Varieties, c.Dupetypes, int(c.Dupes)}), expected);
        }
        QCOMPARE(StatsCategory(t, StatsNeed).Varieties, 0);
    }

    void gradeModifierMismatchIsUnpriced()
    {
        tFixture f;
        f.Price(Cents, 1909, 3 * U);  // no grade modifier
        tCoinInfo *c = f.Coin(f.cents, 1909, 2, "RD");
        c->Need = 1;
        f.Coin(f.cents, 1909, 1);     // this one is priced
        const tTotaler t = f.Totals(f.country);
        QCOMPARE(t.TotalNoPriceEntries, 1);
        QCOMPARE(t.TotalNoPriceQuantity, qint64(3));
        QCOMPARE(t.TotalValue, 3 * U);
        QCOMPARE(t.TotalCoinEntries, 2);
        const auto texts = f.Texts(f.country);
        QCOMPARE(Label(texts, "Label136").Text, QStringLiteral("Unpriced items: 3"));
        QCOMPARE(Label(texts, "Label136").Color, 0xFFFF0000u);
        QCOMPARE(Label(texts, "Label137").Color, 0xFFFF0000u);
    }

    void metalSums()
    {
        tFixture f;
        tPriceInfo *mixed = f.Price(Cents, 1900);
        mixed->Metal = 34;  // "Gold/Silver" counts as silver
        mixed->Content = 0.5f;
        mixed->Weight = 20.0f;
        tPriceInfo *gold = f.Price(Cents, 1901);
        gold->Metal = 2;
        gold->Content = 0.25f;
        gold->Weight = 8.5f;
        tPriceInfo *base = f.Price(Cents, 1902);
        base->Weight = 3.0f;
        f.Coin(f.cents, 1900, 2);
        f.Coin(f.cents, 1901, 1);
        f.Coin(f.cents, 1902, 4);
        const tTotaler t = f.Totals(f.country);
        QCOMPARE(t.TotalSilver, 1.0);
        QCOMPARE(t.TotalSilverWeight, 40.0);
        QCOMPARE(t.TotalGold, 0.25);
        QCOMPARE(t.TotalGoldWeight, 8.5);
        QCOMPARE(t.TotalWeight, 60.5);
        const auto texts = f.Texts(f.country);
        QCOMPARE(Label(texts, "Label37").Text, QStringLiteral("Silver: 1.00 oz."));
        const auto usd = [&f](Money m) { return NativeFormatCurrency(f.s, m, {}); };
        QCOMPARE(Label(texts, "Label67").Text, usd(20 * U) + " @ " + usd(20 * U) + "/oz.");
        QCOMPARE(Label(texts, "Label68").Text, usd(450 * U) + " @ " + usd(1800 * U) + "/oz.");
        QCOMPARE(Label(texts, "Label71").Text, "Total melt value: " + usd(470 * U));
        QCOMPARE(Label(texts, "Label73").Text, QStringLiteral("77.8% pure"));
        QCOMPARE(Label(texts, "Label106").Text, QStringLiteral("1.29 oz."));
        QCOMPARE(Label(texts, "Label101").Text, QStringLiteral("60.50 grams"));
    }

    void troyWeightText_data()
    {
        QTest::addColumn<double>("grams");
        QTest::addColumn<QString>("text");
        QTest::newRow("500 g") << 500.0 << "1 pound, 4.08 oz.";
        QTest::newRow("one ounce") << 31.103 << "1.00 oz.";
        QTest::newRow("nothing") << 0.0 << "0.00 oz.";
        QTest::newRow("two pounds exactly") << 746.472 << "2 pounds, 0.00 oz.";
        // 11.9987 ounces show as 12.00, which is a pound.
        QTest::newRow("ounces rounded up to a pound") << 373.2 << "1 pound, 0.00 oz.";
    }
    void troyWeightText()
    {
        QFETCH(double, grams);
        QFETCH(QString, text);
        QCOMPARE(TroyWeightText(grams), text);
    }

    void purityText_data()
    {
        QTest::addColumn<double>("weight");
        QTest::addColumn<double>("content");
        QTest::addColumn<QString>("text");
        QTest::newRow("no weight") << 0.0 << 1.0 << "No purity data";
        QTest::newRow("no content") << 10.0 << 0.0 << "No purity data";
        QTest::newRow("half") << 31.103 << 0.5 << "50.0% pure";
        QTest::newRow("coin silver") << 26.73 << 0.7734 << "90.0% pure";
    }
    void purityText()
    {
        QFETCH(double, weight);
        QFETCH(double, content);
        QFETCH(QString, text);
        QCOMPARE(PurityText(weight, content), text);
    }

    // Prices and values: the valuation's own answer for every coin, prices
    // shared from another series, the first of two equal entries, the change
    // line in the active currency's style.
    void moneyFigures_data()
    {
        QTest::addColumn<int>("forex");
        QTest::addColumn<Money>("buy");
        QTest::addColumn<QString>("percentage");  // after the change
        QTest::newRow("no purchase price: no percentage") << UsdForexIndex << Money(0) << "";
        QTest::newRow("with purchase price") << UsdForexIndex << 8 * U << " (6.3%)";
        QTest::newRow("in euros") << EurForexIndex << 8 * U << " (6.3%)";
    }
    void moneyFigures()
    {
        QFETCH(int, forex);
        QFETCH(Money, buy);
        QFETCH(QString, percentage);
        tFixture f;
        f.s.ActiveForexIndex = forex;
        f.dollars->PriceSource = Cents;
        f.Price(Cents, 1909, 7 * U);
        f.Price(Cents, 1909, 99 * U);  // the second equal entry is never used
        f.Price(Cents, 1910, 10 * U);
        std::vector<tCoinInfo *> coins{f.Coin(f.cents, 1909, 3), f.Coin(f.dollars, 1910, 2), f.Coin(f.cents, 1910, 1)};
        Money expected = 0;
        for (tCoinInfo *c : coins) {
            c->BuyPrice = buy;
            Money v = 0;
            QVERIFY(GetCoinValue(f.s, *c, v, false, false));
            expected += v * c->Have;
        }
        const tTotaler t = f.Totals(f.country);
        QCOMPARE(t.TotalValue, expected);
        QCOMPARE(t.TotalPrice, buy * 6);
        const auto texts = f.Texts(f.country);
        const auto native = [&f](Money m) { return NativeFormatCurrency(f.s, m, {}); };
        QCOMPARE(Label(texts, "Label74").Text, "Price: " + native(buy * 6));
        QCOMPARE(Label(texts, "Label72").Text, "Value: " + native(expected));
        QCOMPARE(Label(texts, "Label76").Text, "Change: " + native(expected - buy * 6) + percentage);
        QCOMPARE(Label(texts, "Label74").Text.contains(QLatin1Char('$')), forex == UsdForexIndex);
    }

    // Varieties are the price entries of the subtree's own series that end
    // a run of dates; a series priced from elsewhere has none of its own.
    void varietiesAndShares()
    {
        tFixture f;
        f.dollars->PriceSource = Cents;
        f.Price(Cents, 1909);
        f.Price(Cents, 1910);
        f.Price(Cents, 1911)->DateBits = 0;  // not the end of a run
        f.Price(Notes, 1928);
        f.Coin(f.cents, 1909, 1);
        f.Coin(f.dollars, 1910, 1);
        QCOMPARE(f.Totals(f.country).totalVarieties, 3);
        QCOMPARE(f.Totals(f.cents).totalVarieties, 2);
        const tTotaler shared = f.Totals(f.dollars);
        QCOMPARE(shared.totalVarieties, 0);
        QCOMPARE(shared.VarietiesHave, 1);  // priced from the source all the same
        const auto texts = f.Texts(f.cents);
        QCOMPARE(Label(texts, "Label22").Text, QStringLiteral("1 of 2 varieties"));
        QCOMPARE(Label(texts, "Label43").Text, QStringLiteral("50.00% of varieties"));
        QCOMPARE(Label(texts, "Label14").Text, QStringLiteral("Items: 0 (0.00%)"));
        QCOMPARE(Label(texts, "LabelNeedCoins").Text, QStringLiteral("Coins or notes: 0"));
        QCOMPARE(Label(texts, "LabelNeedNotes").Visible, false);
        QCOMPARE(Label(texts, "Label18").Text, QStringLiteral("Items: None"));
        const auto sharedTexts = f.Texts(f.dollars);
        QCOMPARE(Label(sharedTexts, "Label43").Text, QStringLiteral("0% of varieties"));
        QCOMPARE(Label(sharedTexts, "Label15").Text, QStringLiteral("Varieties: None"));
    }

    void foldersAndNextSeries()
    {
        tFixture f;
        AddChildNode(f.cents, 352050);
        AddChildNode(f.cents, 612345);  // a user series
        tTotaler t = f.Totals(f.country);
        QCOMPARE(t.TotalFolders, 5);
        QCOMPARE(t.NextSeries, 352051);
        QCOMPARE(f.Totals(f.s.EntireCollection.get()).TotalFolders, 6);
        f.s.MaintainerMode = true;
        const tStatsLabelText next = Label(f.Texts(f.country), "Label45");
        QCOMPARE(next.Text, QStringLiteral("Next series: 352051"));
        QCOMPARE(next.Color, 0xFFFF0000u);
    }

    void faceValueLines()
    {
        tFixture f;
        auto texts = f.Texts(f.cents);
        QCOMPARE(Label(texts, "LabelFaceValue1").Text, QStringLiteral("Face value: 0.01 USD"));
        QVERIFY(!Label(texts, "LabelFaceValue2").Visible);
        f.s.ForexList[EurForexIndex]->Rate = 2.0f;
        f.s.ActiveForexIndex = EurForexIndex;
        texts = f.Texts(f.cents);
        QCOMPARE(Label(texts, "LabelFaceValue2").Text, QStringLiteral("     (or 0.02 EUR)"));
        QVERIFY(!Label(f.Texts(f.dollars), "LabelFaceValue1").Visible);
        // A code of blanks names no currency: both lines are hidden.
        f.cents->FaceValueCode = QStringLiteral("   ");
        texts = f.Texts(f.cents);
        QVERIFY(!Label(texts, "LabelFaceValue1").Visible);
        QVERIFY(!Label(texts, "LabelFaceValue2").Visible);
    }

    // Counts and sums beyond the int32 and money ranges: pieces are counted
    // in full, amounts past what an amount holds say so; an unchanged value
    // shows a change of 0%.
    void totalsBeyondTheStoredRanges()
    {
        tFixture f;
        f.Price(Cents, 1909, 1 * U);
        const Money dear = std::numeric_limits<Money>::max() / 2;
        for (int i = 0; i < 2; ++i) {
            tCoinInfo *c = f.Coin(f.cents, 1909, 2000000000);
            c->Need = 2000000000;
            c->BuyPrice = dear;
        }
        f.Coin(f.cents, 1950, 2000000000)->Sell = 2000000000;  // unpriced
        const tTotaler t = f.Totals(f.country);
        QCOMPARE(t.TotalCoinHave, qint64(6000000000));
        QCOMPARE(t.TotalCoinNeed, qint64(4000000000));
        QCOMPARE(t.DupesHave, qint64(3999999999));
        QCOMPARE(t.TotalNoPriceQuantity, qint64(4000000000));
        QCOMPARE(t.TotalPrice, std::numeric_limits<Money>::max());
        const auto texts = f.Texts(f.country);
        QCOMPARE(Label(texts, "LabelHaveCoins").Text, QStringLiteral("Coins: 6000000000"));
        QCOMPARE(Label(texts, "LabelNeedCoins").Text, QStringLiteral("Coins: 4000000000"));
        QCOMPARE(Label(texts, "Label136").Text, QStringLiteral("Unpriced items: 4000000000"));
        const QString most = NativeFormatCurrency(f.s, std::numeric_limits<Money>::max(), {});
        const QString least = NativeFormatCurrency(f.s, std::numeric_limits<Money>::min(), {});
        QCOMPARE(Label(texts, "Label74").Text, "Price: more than " + most);
        QCOMPARE(Label(texts, "Label72").Text,
                 "Value: " + NativeFormatCurrency(f.s, 4000000000 * U, {}));
        QVERIFY2(Label(texts, "Label76").Text.startsWith("Change: less than " + least + " ("),
                 qPrintable(Label(texts, "Label76").Text));

        tFixture even;
        even.Price(Cents, 1909, 5 * U);
        even.Coin(even.cents, 1909, 2)->BuyPrice = 5 * U;
        QCOMPARE(Label(even.Texts(even.country), "Label76").Text,
                 "Change: " + NativeFormatCurrency(even.s, 0, {}) + " (0%)");
    }

    // The run counts what the snapshot holds, whatever the user does to the
    // live lists meanwhile.
    void runReadsOnlyItsSnapshot()
    {
        tFixture f;
        f.Price(Cents, 1909, 7 * U);
        f.Coin(f.cents, 1909, 2);
        const auto snap = TakeStatsSnapshot(f.s, f.country);
        f.s.ClearCoins();
        RemovePriceEntries(f.s, [](const tPriceInfo &) { return true; });
        f.s.DeleteSeries(f.cents);
        const tTotaler t = CalcStatistics(*snap);
        QCOMPARE(t.TotalCoinHave, qint64(2));
        QCOMPARE(t.TotalValue, 14 * U);
        QCOMPARE(t.TotalFolders, 3);
    }

    void newerRunSupersedesOlder()
    {
        tFixture f;
        f.Coin(f.cents, 1909, 1);
        f.Price(Cents, 1909);
        TStatsRunner runner;
        QSemaphore release;
        runner.Compute = [&release](const tStatsSnapshot &snap) {
            if (snap.Node.CoinType == Cents)
                release.acquire();  // the first run is still counting
            return ComputeStatsResult(snap);
        };
        QSignalSpy ready(&runner, &TStatsRunner::ResultReady);
        runner.Start(f.s, f.cents);
        const uint64_t newer = runner.Start(f.s, f.country);
        QTRY_COMPARE(ready.size(), 1);
        release.release();
        runner.WaitForRuns();
        QCoreApplication::processEvents();
        QCOMPARE(ready.size(), 1);
        const auto result = ready.at(0).at(0).value<std::shared_ptr<const tStatsResult>>();
        QCOMPARE(result->Generation, newer);
        QCOMPARE(result->Totals.CalcNode, f.country);
    }

    void failedRunIsReported()
    {
        tFixture f;
        TStatsRunner runner;
        runner.Compute = [](const tStatsSnapshot &) -> tStatsResult { throw std::runtime_error("out of memory"); };
        QSignalSpy ready(&runner, &TStatsRunner::ResultReady);
        runner.Start(f.s, f.country);
        QTRY_COMPARE(ready.size(), 1);
        QCOMPARE(ready.at(0).at(0).value<std::shared_ptr<const tStatsResult>>()->Error, QStringLiteral("out of memory"));
    }

    void arrangeColumns_data()
    {
        QTest::addColumn<bool>("coins");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<bool>("line");
        QTest::addColumn<int>("haveCaptionX");
        QTest::addColumn<int>("haveCaptionY");
        QTest::addColumn<int>("soldCaptionX");
        QTest::addColumn<int>("width");
        // Labels 20 high: a line takes 24.
        QTest::newRow("coins, two columns") << true << 400 << true << 209 << 8 << 209 << 199;
        QTest::newRow("coins, one column") << true << 350 << false << 8 << 8 + 24 * 40 + 8 + 16 * 6 + 8 << 8 << 350;
        // Panel 450 wide: W = 450 / 9 x 2 + 8 = 108.
        QTest::newRow("paper money, four columns") << false << 400 << false << 216 << 8 << 324 << 108;
    }
    void arrangeColumns()
    {
        QFETCH(bool, coins);
        QFETCH(int, clientWidth);
        QFETCH(bool, line);
        QFETCH(int, haveCaptionX);
        QFETCH(int, haveCaptionY);
        QFETCH(int, soldCaptionX);
        QFETCH(int, width);
        QHash<QString, tStatsLabelBox> labels;
        for (const tStatsLabelSpec &spec : StatsLabelSpecs())
            labels.insert(QString::fromLatin1(spec.Name), {true, 20, {}});
        // Hidden labels take no room: the second face-value line, the notes.
        for (const char *hidden : {"LabelFaceValue2", "LabelHaveNotes", "LabelNeedNotes", "LabelSellNotes",
                                   "LabelSoldNotes"})
            labels[QString::fromLatin1(hidden)].Visible = false;
        const tStatsArrangement a = ArrangeStatsLabels(coins, {clientWidth, 1, 450}, labels);
        QCOMPARE(a.Line1Visible, line);
        QCOMPARE(labels["HaveCaption"].Rect.topLeft(), QPoint(haveCaptionX, haveCaptionY));
        QCOMPARE(labels["SoldCaption"].Rect.x(), soldCaptionX);
        QCOMPARE(labels["Label35"].Rect.width(), width);
        QCOMPARE(labels["Label14"].Rect.x(), haveCaptionX + 10);
        QCOMPARE(labels["Label27"].Rect.topLeft(), QPoint(8, 8));
        QCOMPARE(labels["Label25"].Rect.topLeft(), QPoint(13, 32));
        QCOMPARE(labels["Label100"].Visible, coins);
        QCOMPARE(labels["Label71"].Visible, coins);
        QVERIFY(labels["LabelFaceValue2"].Rect.isNull());
        if (coins && line)
            QCOMPARE(a.Line1X, 200);
    }
};

QTEST_GUILESS_MAIN(tst_Statistics)
#include "tst_statistics.moc"
