#include <QtTest>

#include "core/model/dates.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"
#include "support/pricefixtures.h"

using Run = QList<Money>;

namespace {

constexpr Money U = MoneyScale;  // one whole unit
Money Split(int percent) { return ValueCodeToMoney(CodeSplit0 + percent / 10); }
Money Code(int c) { return ValueCodeToMoney(c); }

void AddForex(tMainState &s, const QString &code, double rate)
{
    auto f = std::make_unique<tForex>();
    f->Code = code;
    f->Rate = rate;
    s.ForexList.push_back(std::move(f));
}

// USD active, EUR at 0.9 per dollar, JPY at 150; silver 20.00, gold
// 1,800.00; one series with a face value of 0.25 USD.
struct tFixture {
    tMainState s;
    tnodeinfo *series = nullptr;
    tFixture()
    {
        AddForex(s, "USD", 1.0);
        AddForex(s, "EUR", 0.9);
        AddForex(s, "JPY", 150.0);
        AddForex(s, "XXX", 0.0);
        s.ActiveForexIndex = 0;
        s.MetalValues = {20 * U, 1800 * U, 0, 0};
        series = AddFixtureCountry(s, 352, "United States", {352001})->ChildNodes[0].get();
        series->FaceValueCode = "USD";
        series->FaceValueAmount = 0.25f;
    }
    tPriceInfo *Entry(int32_t coinType, int32_t year, const QString &mint = {}, const QString &gm = {})
    {
        auto e = std::make_unique<tPriceInfo>();
        e->CoinType = coinType;
        e->Year = year;
        e->Mint = mint;
        e->GM = gm;
        tPriceInfo *raw = e.get();
        s.PriceList.push_back(std::move(e));
        PriceListChanged(s);
        return raw;
    }
    tCoinInfo Coin(int32_t year, const QString &mint = {}, const QString &gm = {}, int grade = 5)
    {
        tCoinInfo c;
        c.CoinType = series->CoinType;
        c.Folder = series;
        c.Year = year;
        c.Mint = mint;
        c.GM = gm;
        c.Grade = grade;
        return c;
    }
};

} // namespace

class tst_Valuation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void solveSplitRuns_data()
    {
        QTest::addColumn<Run>("run");
        QTest::addColumn<Run>("expected");  // the solved interior slots
        QTest::newRow("one Split 20%") << Run{100 * U, Split(20), 200 * U} << Run{120 * U};
        QTest::newRow("two Split 50%, rounded half to even")
            << Run{100 * U, Split(50), Split(50), 200 * U} << Run{1333334, 1666667};
        QTest::newRow("Split 0% then Split 100%")
            << Run{100 * U, Split(0), Split(100), 200 * U} << Run{100 * U, 200 * U};
        QTest::newRow("Split 100% then Split 0% has no solution")
            << Run{100 * U, Split(100), Split(0), 200 * U} << Run{0, 0};
        QTest::newRow("Split 100% before a later Split 0% has no solution")
            << Run{100 * U, Split(100), Split(50), Split(30), Split(0), 200 * U} << Run{0, 0, 0, 0};
        // Here elimination leaves a pivot of about -5e-16 rather than 0.
        QTest::newRow("singular run with a tiny pivot")
            << Run{100 * U, Split(100), Split(70), Split(20), Split(0), 200 * U} << Run{0, 0, 0, 0};
        // Elimination does not break down here and yields a plausible-looking
        // 100.00 for slots whose price the run does not determine.
        QTest::newRow("singular stretch inside a longer run")
            << Run{100 * U, Split(50), Split(100), Split(70), Split(20), Split(0), Split(50), 200 * U}
            << Run{0, 0, 0, 0, 0, 0};
        QTest::newRow("Split 0% before Split 100% is fine")
            << Run{100 * U, Split(0), Split(50), Split(100), 200 * U} << Run{100 * U, 150 * U, 200 * U};
        QTest::newRow("a rarity mark inside cannot be shared")
            << Run{100 * U, Split(50), Code(CodeRare), 200 * U} << Run{0, 0};
        QTest::newRow("a melt premium inside cannot be shared")
            << Run{100 * U, Code(CodeMelt5), 200 * U} << Run{0};
        QTest::newRow("a price inside is no Split code") << Run{100 * U, 5 * U, 200 * U} << Run{0};
    }
    void solveSplitRuns()
    {
        QFETCH(Run, run);
        QFETCH(Run, expected);
        const std::vector<Money> r(run.begin(), run.end());
        for (int k = 1; k < r.size() - 1; ++k)
            QCOMPARE(SolvePriceSpline(r, k), expected[k - 1]);
        QCOMPARE(SolvePriceSpline(r, 0), r.front());
        QCOMPARE(SolvePriceSpline(r, int(r.size()) - 1), r.back());
    }

    void longRunsAreSolvedWhole()
    {
        // 39 Split 50% slots: far more than a fixed 31-slot matrix holds. An
        // even split of every slot is a straight line from 100 to 500.
        std::vector<Money> r(41, Split(50));
        r.front() = 100 * U;
        r.back() = 500 * U;
        for (int k = 1; k < 40; ++k)
            QVERIFY2(std::abs(SolvePriceSpline(r, k) - (100 + 10 * k) * U) <= 1, qPrintable(QString::number(k)));
    }

    void interpolate_data()
    {
        QTest::addColumn<Run>("values");  // slots 0.. ; the rest "-------"
        QTest::addColumn<int>("grade");
        QTest::addColumn<Money>("face");
        QTest::addColumn<Money>("expected");
        QTest::newRow("priced slot gives its price") << Run{10 * U, Split(50), 30 * U} << 0 << Money(0) << 10 * U;
        QTest::newRow("split between prices") << Run{10 * U, Split(50), 30 * U} << 1 << Money(0) << 20 * U;
        QTest::newRow("lower bound is the face value")
            << Run{Code(CodeFaceValue), Split(50), 30 * U} << 1 << 10 * U << 20 * U;
        QTest::newRow("negative face counts as 0") << Run{Code(CodeFaceValue), Split(50), 30 * U} << 1 << -5 * U
                                                   << 15 * U;
        QTest::newRow("nothing priced above") << Run{10 * U, Split(50)} << 1 << Money(0) << Money(0);
        QTest::newRow("nothing priced below") << Run{Split(50), 10 * U} << 0 << Money(0) << Money(0);
        QTest::newRow("grade beyond the slots") << Run{10 * U} << 41 << Money(0) << Money(0);
        QTest::newRow("no grade") << Run{10 * U} << -1 << Money(0) << Money(0);
        QTest::newRow("proof-only slot inside") << Run{10 * U, Split(50), Code(CodeProofOnly), 30 * U} << 1 << Money(0)
                                                << Money(0);
    }
    void interpolate()
    {
        QFETCH(Run, values);
        QFETCH(int, grade);
        QFETCH(Money, face);
        QFETCH(Money, expected);
        std::array<Money, GradeSlots> v;
        v.fill(Code(CodeDashes));
        for (int i = 0; i < values.size(); ++i)
            v[static_cast<size_t>(i)] = values[i];
        QCOMPARE(InterpolatePrice(v, 40, grade, face), expected);
    }

    void coinValue_data()
    {
        QTest::addColumn<Money>("slotValue");  // value at grade slot 5
        QTest::addColumn<int>("metal");
        QTest::addColumn<float>("content");
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("locks");          // 1 buy, 2 sell
        QTest::addColumn<float>("faceAmount");
        QTest::addColumn<Money>("expected");
        const Money face = 2500;
        QTest::newRow("grade price") << 10 * U << 0 << 0.0f << 5 << 0 << 0.25f << 10 * U;
        QTest::newRow("both locks: buy price") << 10 * U << 0 << 0.0f << 5 << 3 << 0.25f << 50 * U;
        QTest::newRow("sell lock") << 10 * U << 0 << 0.0f << 5 << 2 << 0.25f << 60 * U;
        QTest::newRow("locked price lifted to melt") << 10 * U << 2 << 1.0f << 5 << 1 << 0.25f << 1800 * U;
        QTest::newRow("no grade: face") << 10 * U << 0 << 0.0f << -1 << 0 << 0.25f << face;
        QTest::newRow("no grade: melt") << 10 * U << 1 << 1.5f << -1 << 0 << 0.25f << 30 * U;
        QTest::newRow("no grade, no face, no metal") << 10 * U << 0 << 0.0f << -1 << 0 << 0.0f << Money(0);
        QTest::newRow("Face value") << Code(CodeFaceValue) << 0 << 0.0f << 5 << 0 << 0.25f << face;
        QTest::newRow("Melt of silver") << Code(CodeMelt) << 1 << 1.5f << 5 << 0 << 0.25f << 30 * U;
        QTest::newRow("Melt of gold/silver has none") << Code(CodeMelt) << 34 << 1.5f << 5 << 0 << 0.25f << face;
        QTest::newRow("Melt without a spot price") << Code(CodeMelt) << 3 << 1.5f << 5 << 0 << 0.25f << face;
        QTest::newRow("Melt+5%") << Code(CodeMelt5) << 1 << 1.5f << 5 << 0 << 0.25f << Money(315000);
        QTest::newRow("Melt+25%") << Code(CodeMelt25) << 1 << 1.5f << 5 << 0 << 0.25f << Money(375000);
        // 0.0015 x 1.10 = 0.00165: half a ten-thousandth, rounded to even.
        QTest::newRow("Melt+10%, rounded half to even") << Code(20) << 1 << 0.000075f << 5 << 0 << 0.0f << Money(16);
        QTest::newRow("Rare is worth the face") << Code(CodeRare) << 0 << 0.0f << 5 << 0 << 0.25f << face;
        QTest::newRow("n/a is worth the melt") << Code(CodeNA) << 1 << 0.1f << 5 << 0 << 0.0f << 2 * U;
        QTest::newRow("unknown code lifted to 0") << Code(30) << 0 << 0.0f << 5 << 0 << 0.0f << Money(0);
        QTest::newRow("split with nothing priced above") << Split(50) << 1 << 0.5f << 5 << 0 << 0.25f << 10 * U;
        // The content is a single in the files: 0.1f is 0.10000000149...,
        // which shows in the fourth decimal at large spot prices.
        QTest::newRow("single-precision content") << Code(CodeMelt) << 4 << 0.1f << 5 << 0 << 0.0f << Money(30000000447);
        // Amounts beyond money's range are failures, not the largest amount.
        QTest::newRow("face beyond money is no face") << 10 * U << 0 << 0.0f << 5 << 0 << 1e30f << 10 * U;
        QTest::newRow("melt beyond money is no melt") << Code(CodeMelt) << 2 << 1e30f << 5 << 0 << 0.25f << face;
        QTest::newRow("melt premium beyond money: the melt")
            << Code(CodeMelt25) << 4 << 2.5e7f << 5 << 0 << 0.0f << Money(7500000000000000000);
        // -(2^32 + 12) units: narrowed to int it would read as "Split 50%".
        QTest::newRow("huge negative value is no code")
            << Money(-4294967308) * U << 0 << 0.0f << 5 << 0 << 0.25f << face;
    }
    void coinValue()
    {
        QFETCH(Money, slotValue);
        QFETCH(int, metal);
        QFETCH(float, content);
        QFETCH(int, grade);
        QFETCH(int, locks);
        QFETCH(float, faceAmount);
        QFETCH(Money, expected);
        tFixture f;
        f.s.MetalValues[3] = 30000000 * U;  // platinum in a weak currency
        f.series->FaceValueAmount = faceAmount;
        tPriceInfo *e = f.Entry(352001, 1921);
        e->Value.fill(Code(CodeDashes));
        e->Value[5] = slotValue;
        e->Metal = static_cast<uint8_t>(metal);
        e->Content = content;
        tCoinInfo c = f.Coin(1921, {}, {}, grade);
        c.BuyLock = locks & 1;
        c.SellLock = locks & 2;
        c.BuyPrice = 50 * U;
        c.SellPrice = 60 * U;
        QCOMPARE(CoinAndPriceToValue(f.s, *e, c), expected);
    }

    void valueCodes_data()
    {
        QTest::addColumn<Money>("value");
        QTest::addColumn<qint64>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("a price") << 5 * U << qint64(0) << QString();
        QTest::newRow("Split 50%") << Split(50) << qint64(12) << "Split 50%";
        QTest::newRow("fraction dropped") << Money(-50001) << qint64(5) << "-------";
        QTest::newRow("beyond int, no code") << Money(-4294967308) * U << qint64(4294967308) << QString();
        QTest::newRow("most negative") << std::numeric_limits<Money>::min() << qint64(922337203685477) << QString();
    }
    void valueCodes()
    {
        QFETCH(Money, value);
        QFETCH(qint64, code);
        QFETCH(QString, name);
        QCOMPARE(qint64(MoneyToValueCode(value)), code);
        QCOMPARE(ValueCodeName(MoneyToValueCode(value)), name);
    }

    void wrappedCodeIsNotInterpolated()
    {
        // Priced neighbours would give a Split 50% slot 150.00; the huge
        // negative amount is no code, so only the face value floor lifts it.
        tFixture f;
        tPriceInfo *e = f.Entry(352001, 1921);
        e->Value.fill(Code(CodeDashes));
        e->Value[4] = 100 * U;
        e->Value[5] = Money(-4294967308) * U;
        e->Value[6] = 200 * U;
        QCOMPARE(CoinAndPriceToValue(f.s, *e, f.Coin(1921)), Money(2500));
        e->Value[5] = Split(50);
        QCOMPARE(CoinAndPriceToValue(f.s, *e, f.Coin(1921)), 150 * U);
    }

    void splitGradeUsesItsNeighbours()
    {
        tFixture f;
        tPriceInfo *e = f.Entry(352001, 1921);
        e->Value.fill(Code(CodeDashes));
        e->Value[4] = Code(CodeFaceValue);
        e->Value[5] = Split(50);
        e->Value[6] = 10 * U;
        f.series->FaceValueCode = "EUR";  // 0.25 EUR is 0.2778 USD
        f.series->FaceValueAmount = 0.25f;
        QCOMPARE(CoinAndPriceToValue(f.s, *e, f.Coin(1921)), (2778 + 100000) / 2);
    }

    void getCoinValueFindsTheFirstMatch()
    {
        tFixture f;
        tPriceInfo *other = f.Entry(352001, 1921, "S");
        tPriceInfo *first = f.Entry(352001, 1921, "D", "PL");
        tPriceInfo *second = f.Entry(352001, 1921, "D", "PL");
        first->Value[5] = 7 * U;
        second->Value[5] = 9 * U;
        other->Value[5] = 11 * U;
        Money v = -1;
        QCOMPARE(GetCoinValue(f.s, f.Coin(1921, "d", "pl"), v, false, false), first);
        QCOMPARE(v, 7 * U);
        QCOMPARE(GetCoinValue(f.s, f.Coin(1921, "D", "DMPL"), v, false, false), nullptr);
        QCOMPARE(v, 0);
        // DumbGet ignores the grade modifier and leaves the value at 0.
        QCOMPARE(GetCoinValue(f.s, f.Coin(1921, "D", "DMPL"), v, false, true), first);
        QCOMPARE(v, 0);
    }

    void getCoinValueMatching_data()
    {
        QTest::addColumn<QString>("entryMint");
        QTest::addColumn<QString>("coinMint");
        QTest::addColumn<bool>("match");
        QTest::newRow("same") << "CC" << "CC" << true;
        QTest::newRow("ASCII case folded") << "cc" << "CC" << true;
        QTest::newRow("other letters exact") << "\u00e9" << "\u00c9" << false;
        QTest::newRow("different length") << "C" << "CC" << false;
    }
    void getCoinValueMatching()
    {
        QFETCH(QString, entryMint);
        QFETCH(QString, coinMint);
        QFETCH(bool, match);
        tFixture f;
        f.Entry(352001, 1921, entryMint);
        Money v = 0;
        QCOMPARE(GetCoinValue(f.s, f.Coin(1921, coinMint), v, false, false) != nullptr, match);
    }

    void getCoinValueReadsPackedVarietiesAndPriceSources()
    {
        tFixture f;
        tnodeinfo *shared = AddChildNode(f.series->ParentNode, 352002);
        shared->PriceSource = 352001;
        tPriceInfo *e = f.Entry(352001, 1999);
        e->Variety = "Issued " + VarietyDateToken + QString::number(DateToDay(QDate(1999, 5, 4)));
        e->Value[5] = 3 * U;
        tCoinInfo c = f.Coin(1999);
        c.Folder = shared;
        c.Variety = "ISSUED 5/4/1999";
        Money v = 0;
        QCOMPARE(GetCoinValue(f.s, c, v, false, false), e);
        QCOMPARE(v, 3 * U);
    }

    void getCoinValueWithLocks()
    {
        tFixture f;
        tPriceInfo *e = f.Entry(352001, 1921);
        e->Value[5] = 3 * U;
        tCoinInfo c = f.Coin(1921);
        c.SellLock = true;
        c.SellPrice = U / 10;  // below the face value: the locked price as it is
        Money v = 0;
        QCOMPARE(GetCoinValue(f.s, c, v, false, false), e);
        QCOMPARE(v, U / 10);
        c.Year = 1922;
        QCOMPARE(GetCoinValue(f.s, c, v, false, false), nullptr);
        QCOMPARE(v, U / 10);
    }

    void getCoinValueCurrentListOnly()
    {
        tFixture f;
        tPriceInfo *e = f.Entry(352001, 1921);
        Money v = 0;
        QCOMPARE(GetCoinValue(f.s, f.Coin(1921), v, true, false), nullptr);
        f.s.CurrPriceList = {e};
        QCOMPARE(GetCoinValue(f.s, f.Coin(1921), v, true, false), e);
    }

    void lookupIndexFollowsTheList()
    {
        tFixture f;
        tPriceInfo *old = f.Entry(352001, 1921);
        Money v = 0;
        tCoinInfo c = f.Coin(1921);
        QCOMPARE(GetCoinValue(f.s, c, v, false, false), old);

        // An entry put in front becomes the first match.
        auto front = std::make_unique<tPriceInfo>();
        front->CoinType = 352001;
        front->Year = 1921;
        tPriceInfo *newer = front.get();
        f.s.PriceList.insert(f.s.PriceList.begin(), std::move(front));
        PriceListChanged(f.s);
        QCOMPARE(GetCoinValue(f.s, c, v, false, false), newer);

        // Freed entries are never returned, and no coin keeps a link to them.
        auto coin = std::make_unique<tCoinInfo>(c);
        coin->PriceInfo = newer;
        tCoinInfo *held = coin.get();
        f.s.CoinList.push_back(std::move(coin));
        RemovePriceEntries(f.s, [&](const tPriceInfo &p) { return &p == newer; });
        QVERIFY(!held->PriceInfo);
        QCOMPARE(GetCoinValue(f.s, c, v, false, false), old);

        // Re-sorting changes which one comes first.
        old->GM = "PL";
        f.Entry(352001, 1921);
        QCOMPARE(GetCoinValue(f.s, c, v, true, true), nullptr);
        QCOMPARE(GetCoinValue(f.s, c, v, false, true), old);
        ResortPrices(f.s);
        QCOMPARE(GetCoinValue(f.s, c, v, false, true), f.s.PriceList[0].get());
        QVERIFY(f.s.PriceList[0].get() != old);
    }

    void convertFaceValue_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<float>("amount");
        QTest::addColumn<int>("active");
        QTest::addColumn<Money>("expected");
        QTest::newRow("active currency") << "USD" << 0.25f << 0 << Money(2500);
        QTest::newRow("into the active currency") << "JPY" << 100.0f << 0 << Money(6667);
        QTest::newRow("from dollars") << "USD" << 1.0f << 1 << Money(9000);
        QTest::newRow("code compared exactly") << "usd" << 1.0f << 0 << Money(0);
        QTest::newRow("none") << "" << 1.0f << 0 << Money(0);
        QTest::newRow("demonetized") << "-" << 1.0f << 0 << Money(0);
        QTest::newRow("zero rate") << "XXX" << 1.0f << 0 << Money(0);
        QTest::newRow("zero active rate") << "USD" << 1.0f << 3 << Money(0);
        QTest::newRow("no active currency") << "USD" << 1.0f << 9 << Money(0);
    }
    void convertFaceValue()
    {
        QFETCH(QString, code);
        QFETCH(float, amount);
        QFETCH(int, active);
        QFETCH(Money, expected);
        tFixture f;
        f.s.ActiveForexIndex = active;
        QCOMPARE(ConvertFaceValue(f.s, code, amount), expected);
    }

    void convertForex_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<int>("active");
        QTest::addColumn<Money>("expected");
        QTest::newRow("dollars to yen") << "JPY" << false << 0 << 1500 * U;
        QTest::newRow("yen to dollars") << "JPY" << true << 0 << Money(667);
        QTest::newRow("unknown code") << "GBP" << false << 0 << 10 * U;
        QTest::newRow("demonetized") << "-" << false << 0 << 10 * U;
        QTest::newRow("zero target rate") << "XXX" << false << 0 << 10 * U;
        QTest::newRow("zero target rate, reverse") << "XXX" << true << 0 << 10 * U;
        QTest::newRow("zero active rate") << "JPY" << false << 3 << 10 * U;
        QTest::newRow("zero active rate, reverse") << "JPY" << true << 3 << 10 * U;
    }
    void convertForex()
    {
        QFETCH(QString, code);
        QFETCH(bool, reverse);
        QFETCH(int, active);
        QFETCH(Money, expected);
        tFixture f;
        f.s.ActiveForexIndex = active;
        QCOMPARE(ConvertForex(f.s, 10 * U, code, reverse), expected);
    }

    void conversionsBeyondMoneyFail()
    {
        tFixture f;
        const Money big = std::numeric_limits<Money>::max() / 10;
        QCOMPARE(ConvertForex(f.s, big, "JPY", false), Money(0));
        QCOMPARE(ConvertForex(f.s, -big, "JPY", false), Money(0));
        QCOMPARE(ConvertForex(f.s, big, "JPY", true), MoneyFromScaled(static_cast<double>(big) / 150.0));
        QCOMPARE(ConvertFaceValue(f.s, "USD", 1e30f), Money(0));
        QCOMPARE(ConvertFaceValue(f.s, "USD", -1e30f), Money(0));
        QCOMPARE(ConvertFaceValue(f.s, "EUR", 1e16f), Money(0));
    }

    void convertForexReverseUndoes()
    {
        tFixture f;
        for (Money m : {Money(1), Money(12345), 10 * U, Money(987654321)})
            for (const char *code : {"EUR", "JPY"}) {
                const Money there = ConvertForex(f.s, m, code, false);
                QVERIFY(std::abs(ConvertForex(f.s, there, code, true) - m) <= 1);
            }
    }

    void inflation_data()
    {
        QTest::addColumn<Money>("amount");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<Money>("expected");
        QTest::newRow("1967 to 2021") << 100 * U << 1967 << 2021 << Money(8568000);
        QTest::newRow("2021 to 1967") << Money(8568000) << 2021 << 1967 << 100 * U;
        QTest::newRow("first year") << 100 * U << 1800 << 1967 << Money(1960784);
        QTest::newRow("before the index") << 100 * U << 1799 << 2021 << Money(0);
        QTest::newRow("after the index") << 100 * U << 1967 << 2022 << Money(0);
        QTest::newRow("same year") << Money(123456) << 1933 << 1933 << Money(123456);
        QTest::newRow("result beyond money") << Money(900000000000000000) << 1800 << 2021 << Money(0);
        QTest::newRow("negative result beyond money") << Money(-900000000000000000) << 1800 << 2021 << Money(0);
    }
    void inflation()
    {
        QFETCH(Money, amount);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(Money, expected);
        QCOMPARE(InflationAdjust(amount, from, to), expected);
    }
};

QTEST_APPLESS_MAIN(tst_Valuation)
#include "tst_valuation.moc"
