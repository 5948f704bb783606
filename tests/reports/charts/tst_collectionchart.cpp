#include <QtTest>

#include "core/model/gradetitles.h"
#include "core/model/mainstate.h"
#include "reports/charts/collectionchart.h"
#include "support/treefixture.h"

namespace {

constexpr Money U = MoneyScale;
constexpr int VF20 = 9;
constexpr int AU50 = 15;

// A series of cents under a country, with a sub-series of varieties; a
// price entry for 1909 priced in VF-20 and AU-50.
struct tChartFixture {
    tMainState S;
    QHash<QString, tnodeinfo *> N;
    tPriceInfo *Price = nullptr;
    tChartFixture()
    {
        FillBuiltInGradeTitles(S.GradeTitles3D);
        N = BuildTree(S, QStringLiteral("Country #1000000\n  Cents #1000001\n    Varieties #1000002\nNotes #1000010"));
        N.value("Notes")->CoinShape = PaperMoneyShape;
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = 1000001;
        p->Year = 1909;
        p->Value[VF20] = 3 * U;
        p->Value[AU50] = 10 * U;
        Price = p.get();
        S.PriceList.push_back(std::move(p));
        S.CurrPriceList = {Price};
        S.SelectedTreeNode = N.value("Cents");
    }
    tCoinInfo &Coin(const char *series, int year, int grade, int have, Money buy = 0, const QString &gradedBy = {})
    {
        auto c = std::make_unique<tCoinInfo>();
        c->Folder = N.value(QString::fromLatin1(series));
        c->CoinType = c->Folder->CoinType;
        c->Year = year;
        c->Grade = grade;
        c->Have = have;
        c->BuyPrice = buy;
        c->Gradedby = gradedBy;
        S.CoinList.push_back(std::move(c));
        S.CurrCoinList.push_back(S.CoinList.back().get());
        return *S.CoinList.back();
    }
};

QStringList Labels(const tGradeChart &chart)
{
    QStringList l;
    for (const tGradeBar &b : chart.Bars)
        l << b.Label;
    return l;
}

QStringList Texts(const tGradeChart &chart)
{
    QStringList l;
    for (const tGradeBar &b : chart.Bars)
        l << chart.BarText(b);
    return l;
}

QString Show(const std::vector<tPieSlice> &slices)
{
    QStringList l;
    for (const tPieSlice &s : slices)
        l << QStringLiteral("%1=%2").arg(s.Label).arg(s.Count);
    return l.join(QLatin1Char(','));
}

} // namespace

class tst_CollectionChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Entries in VF-20 and AU-50 only: every slot between them is a bar,
    // the empty ones 0, and nothing outside. Proof grades and entries
    // without a grade stay out of every kind.
    void gradeChartsKeepTheGapsBetweenHeldGrades_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("legend");
        QTest::addColumn<QString>("axis");
        QTest::addColumn<QStringList>("texts");
        const QStringList zeros5 = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                    QStringLiteral("0")};
        const QStringList moneyZeros5 = {QStringLiteral("0.00"), QStringLiteral("0.00"), QStringLiteral("0.00"),
                                         QStringLiteral("0.00"), QStringLiteral("0.00")};
        // VF-20: 2 pieces bought at 1.25; AU-50: 1 piece bought at 12.00.
        QTest::newRow("quantity") << 1 << "Grade distribution" << "Quantity"
                                  << (QStringList{"2"} + zeros5 + QStringList{"1"});
        QTest::newRow("prices") << 2 << "Price distribution" << "Prices"
                                << (QStringList{"2.50"} + moneyZeros5 + QStringList{"12.00"});
        QTest::newRow("values") << 3 << "Value distribution" << "Values"
                                << (QStringList{"6.00"} + moneyZeros5 + QStringList{"10.00"});
        QTest::newRow("change, a loss kept negative")
            << 4 << "Change distribution" << "Change" << (QStringList{"3.50"} + moneyZeros5 + QStringList{"-2.00"});
    }
    void gradeChartsKeepTheGapsBetweenHeldGrades()
    {
        QFETCH(int, kind);
        tChartFixture f;
        f.Coin("Cents", 1909, VF20, 2, U + 2500);
        f.Coin("Cents", 1909, AU50, 1, 12 * U);
        f.Coin("Cents", 1909, 32, 5, 99 * U);        // proof grade
        f.Coin("Cents", 1909, NoGrade, 7, 50 * U);   // no grade
        const tGradeChart chart = ChartByGrade(f.S, f.S.CurrCoinList, kind);
        QTEST(chart.LegendTitle, "legend");
        QTEST(chart.AxisTitle, "axis");
        QCOMPARE(Labels(chart), (QStringList{"VF-20", "VF-25", "VF-30", "VF-35", "EF-40", "EF-45", "AU-50"}));
        QTEST(Texts(chart), "texts");
        QCOMPARE(chart.Bars.front().Slot, VF20);
    }

    // Nothing graded 0..29 (or nothing at all) gives no bar, not a bar of 0.
    void gradeChartsWithNothingGradedAreEmpty()
    {
        tChartFixture f;
        QVERIFY(ChartByGrade(f.S, f.S.CurrCoinList, 1).Bars.empty());
        f.Coin("Cents", 1909, 35, 1, U);
        f.Coin("Cents", 1909, NoGrade, 1, U);
        for (int kind = 1; kind <= 4; ++kind)
            QVERIFY2(ChartByGrade(f.S, f.S.CurrCoinList, kind).Bars.empty(), qPrintable(QString::number(kind)));
        QVERIFY(ChartGradeYearPoints(f.S.CurrCoinList).empty());
    }

    // The ends of the circulated grades: PO-1 alone and MS-70 alone (slot 29)
    // each give exactly one bar.
    void gradeChartsReachBothEndSlots()
    {
        tChartFixture f;
        f.Coin("Cents", 1909, 0, 3);
        QCOMPARE(Labels(ChartByGrade(f.S, f.S.CurrCoinList, 1)), QStringList{"PO-1"});
        tChartFixture g;
        g.Coin("Cents", 1909, 29, 4);
        const tGradeChart chart = ChartByGrade(g.S, g.S.CurrCoinList, 1);
        QCOMPARE(Labels(chart), QStringList{"MS-70"});
        QCOMPARE(chart.BarValue(chart.Bars.front()), 4.0);
    }

    // A locked buy price is the entry's value, so its change is 0 while an
    // unlocked entry of the same grade shows its gain.
    void lockedBuyPriceGivesNoChange()
    {
        tChartFixture f;
        tCoinInfo &locked = f.Coin("Cents", 1909, VF20, 2, 7 * U);
        locked.BuyLock = true;
        tGradeChart chart = ChartByGrade(f.S, f.S.CurrCoinList, 4);
        QVERIFY(chart.Bars.empty());
        QCOMPARE(Texts(ChartByGrade(f.S, f.S.CurrCoinList, 3)), QStringList{"14.00"});
        f.Coin("Cents", 1909, VF20, 1, U);
        chart = ChartByGrade(f.S, f.S.CurrCoinList, 4);
        QCOMPARE(Texts(chart), QStringList{"2.00"});
    }

    // Paper money takes the paper titles of its scale; a user scale takes
    // its own titles.
    void barsAreLabelledInTheSeriesScale()
    {
        tChartFixture f;
        f.S.SelectedTreeNode = f.N.value("Notes");
        f.Coin("Notes", 1928, 1, 1);
        f.Coin("Notes", 1928, 3, 1);
        QCOMPARE(Labels(ChartByGrade(f.S, f.S.CurrCoinList, 1)), (QStringList{"Fair2", "AG-3", "Good4"}));
        f.N.value("Notes")->CoinShape = 0;
        f.N.value("Notes")->GradeScale = 2;
        f.S.GradeTitles3D.SetTitle(GradeKindCoins, 2, 1, QStringLiteral("Low"));
        QCOMPARE(Labels(ChartByGrade(f.S, f.S.CurrCoinList, 1)).value(0), QStringLiteral("Low"));
    }

    // One point per graded entry with a year, labelled with the year.
    void gradeYearPlotSkipsProofsAndUndated()
    {
        tChartFixture f;
        f.Coin("Cents", 1909, VF20, 1);
        f.Coin("Cents", 1910, AU50, 0);
        f.Coin("Cents", 0, AU50, 1);        // no year
        f.Coin("Cents", 1911, 30, 1);       // proof
        f.Coin("Cents", 1912, NoGrade, 1);  // no grade
        const std::vector<tGradeYearPoint> points = ChartGradeYearPoints(f.S.CurrCoinList);
        QCOMPARE(points.size(), size_t(2));
        QCOMPARE(points[0].Year, 1909);
        QCOMPARE(points[0].Grade, VF20);
        QCOMPARE(points[1].Label, QStringLiteral("1910"));
    }

    // The pie counts entries (not pieces) of the whole subtree, whatever the
    // view filter shows; blanks around a service and letter case do not
    // split a slice; no service is "<none>".
    void gradedByPieCountsTheSubtree()
    {
        tChartFixture f;
        f.Coin("Cents", 1909, VF20, 5, 0, QStringLiteral("PCGS "));
        f.Coin("Varieties", 1909, VF20, 1, 0, QStringLiteral("PCGS"));
        f.Coin("Varieties", 1909, VF20, 1, 0, QStringLiteral("pcgs"));
        f.Coin("Cents", 1909, VF20, 1, 0, QStringLiteral("  "));
        f.Coin("Cents", 1909, VF20, 1, 0, QStringLiteral("ANACS"));
        f.Coin("Notes", 1928, 3, 1, 0, QStringLiteral("PMG"));  // outside the subtree
        f.S.CurrCoinList.clear();
        QCOMPARE(Show(ChartGradedBySlices(f.S, *f.N.value("Cents"))), QStringLiteral("<none>=1,ANACS=1,PCGS=3"));
        QCOMPARE(Show(ChartGradedBySlices(f.S, *f.N.value("Varieties"))), QStringLiteral("PCGS=2"));
        QCOMPARE(Show(ChartGradedBySlices(f.S, *f.S.EntireCollection)),
                 QStringLiteral("<none>=1,ANACS=1,PCGS=3,PMG=1"));
        QCOMPARE(Show(ChartGradedBySlices(f.S, *f.N.value("Notes"))), QStringLiteral("PMG=1"));
        tChartFixture empty;
        QVERIFY(ChartGradedBySlices(empty.S, *empty.N.value("Cents")).empty());
    }

    void pieSliceMarkShowsShareAndCount()
    {
        QCOMPARE(PieSliceMark({QStringLiteral("PCGS"), 2}, 3), QStringLiteral("PCGS 66.67% (2)"));
        QCOMPARE(PieSliceMark({QStringLiteral("<none>"), 1}, 1), QStringLiteral("<none> 100% (1)"));
        QCOMPARE(PieSliceMark({QStringLiteral("NGC"), 1}, 8), QStringLiteral("NGC 12.5% (1)"));
        QCOMPARE(PieSliceMark({QStringLiteral("NGC"), 1}, 8, QLatin1Char(',')), QStringLiteral("NGC 12,5% (1)"));
    }

    void spinSnapsNearZero_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("spin");
        QTest::newRow("88") << 88 << 358 << 0;
        QTest::newRow("89") << 89 << 359 << 0;
        QTest::newRow("90 is upright") << 90 << 0 << 0;
        QTest::newRow("91") << 91 << 1 << 0;
        QTest::newRow("92") << 92 << 2 << 0;
        QTest::newRow("93") << 93 << 3 << 3;
        QTest::newRow("87") << 87 << 357 << 357;
        QTest::newRow("low end 1") << 1 << 271 << 271;
        QTest::newRow("high end 179") << 179 << 89 << 89;
        QTest::newRow("rotation bar low end 10") << 10 << 280 << 280;
        QTest::newRow("rotation bar high end 170") << 170 << 80 << 80;
        QTest::newRow("beyond a range stays 0..359") << 200 << 290 << 290;
    }
    void spinSnapsNearZero()
    {
        QFETCH(int, value);
        QTEST(ChartAngle(value), "angle");
        QTEST(ChartSpinAngle(value), "spin");
        tChartView view;
        ApplyTrackBar(view, 7, value + 0.9);  // the bar's value is cut to a whole number
        QTEST(view.Tilt, "spin");
        ApplyTrackBar(view, 2, value);
        QTEST(view.Rotation, "angle");
        ApplyTrackBar(view, 3, value);
        QTEST(view.Elevation, "angle");
    }

    void trackBarsSetTheirOwnSetting()
    {
        tChartView view;
        ApplyTrackBar(view, 1, 40);
        ApplyTrackBar(view, 4, -12);
        ApplyTrackBar(view, 5, 7);
        ApplyTrackBar(view, 6, 105);
        ApplyTrackBar(view, 8, 30);
        ApplyTrackBar(view, 9, 60);
        QCOMPARE(view.Percent3D, 40);
        QCOMPARE(view.HorizOffset, -12);
        QCOMPARE(view.VertOffset, 7);
        QCOMPARE(view.Zoom, 105);
        QCOMPARE(view.LegendLeft, 30);
        QCOMPARE(view.LegendTop, 60);
        QCOMPARE(view.Rotation, 360);  // untouched
        QCOMPARE(PieChartTrackBars()[5], 105);
        QCOMPARE(BarChartTrackBars()[5], 90);
        QCOMPARE(QString::fromLatin1(TrackBarInfo(7).Label), QStringLiteral("Spin"));
        QCOMPARE(TrackBarInfo(4).Minimum, -160);
    }

    // The gradients by the list's index; a picture choice takes the series'
    // picture, and without one the "Silver" gradient.
    void backgrounds()
    {
        tChartFixture f;
        tnodeinfo *cents = f.N.value("Cents");
        tChartBackground b = ChartBackground(f.S, cents, 4);
        QCOMPARE(b.Start.rgba(), 0xFFFFFF00u);
        QCOMPARE(b.End.rgba(), 0xFFFF0000u);
        QVERIFY(b.PicturePath.isEmpty());
        QCOMPARE(ChartBackground(f.S, cents, 1).End.rgba(), 0xFF00FFFFu);
        b = ChartBackground(f.S, cents, ChartBackgroundObverse);
        QVERIFY(b.PicturePath.isEmpty());
        QCOMPARE(b.Start.rgba(), 0xFFFFFFFFu);
        QCOMPARE(b.End.rgba(), 0xFFC0C0C0u);
        cents->Obverse = QStringLiteral("/pictures/cent obverse.jpg");
        cents->Reverse = QStringLiteral("   ");
        QCOMPARE(ChartBackground(f.S, cents, ChartBackgroundObverse).PicturePath,
                 QStringLiteral("/pictures/cent obverse.jpg"));
        QVERIFY(ChartBackground(f.S, cents, ChartBackgroundReverse).PicturePath.isEmpty());
        QVERIFY(ChartBackground(f.S, nullptr, ChartBackgroundObverse).PicturePath.isEmpty());
    }

    void titleAndFileName()
    {
        tChartFixture f;
        tnodeinfo *cents = f.N.value("Cents");
        cents->DateRangeMin = 1909;
        cents->DateRangeMax = 1958;
        QCOMPARE(ChartTitle(*cents, 2026), QStringLiteral("Cents\n1909-1958"));
        QCOMPARE(ProposedChartFileName(QStringLiteral("/home/c/Coins/My coins.OVD")),
                 QStringLiteral("/home/c/Coins/Orvanta Chart.BMP"));
        QCOMPARE(QFileInfo(ProposedChartFileName(QString())).fileName(), QStringLiteral("Orvanta Chart.BMP"));
        QCOMPARE(ChartFileFormat(QStringLiteral("a.BMP")), QByteArray("BMP"));
        QCOMPARE(ChartFileFormat(QStringLiteral("a.Png")), QByteArray("PNG"));
        QCOMPARE(ChartChoiceName(ChartGradedBy), QStringLiteral("Graded by pie chart"));
        QCOMPARE(ChartBackgroundName(4), QStringLiteral("Flaming red"));
    }
};

QTEST_MAIN(tst_CollectionChart)
#include "tst_collectionchart.moc"
