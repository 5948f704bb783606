#include <QtTest>

#include "pricing/valuation/forex.h"
#include "pricing/pricetools/forexview.h"

namespace {

constexpr int GbpForexIndex = 47;

tLocalForex RowOf(const std::vector<tLocalForex> &rows, const QString &code)
{
    for (const tLocalForex &r : rows)
        if (r.Code == code)
            return r;
    return {};
}

QStringList Codes(const std::vector<tLocalForex> &rows, int n)
{
    QStringList out;
    for (int i = 0; i < n && i < static_cast<int>(rows.size()); ++i)
        out << rows[static_cast<size_t>(i)].Code;
    return out;
}

} // namespace

// The exchange-rates window's list: rows, cell texts, sorting, the
// comparison amount and choosing the active currency.
class tst_ForexView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listHoldsTheBuiltInCurrenciesOnly()
    {
        tMainState s;
        LoadForexList(s);
        const std::vector<tLocalForex> rows = BuildLocalForexList(s);
        QCOMPARE(rows.size(), size_t(BuiltInForexCount));
        for (const tLocalForex &r : rows) {
            QVERIFY(!r.Code.isEmpty());
            QVERIFY(r.Code != QLatin1String("-"));
            QCOMPARE(s.ForexList[static_cast<size_t>(r.Row)]->Code, r.Code);
        }
    }

    void cellTexts_data()
    {
        QTest::addColumn<int>("activeIndex");
        QTest::addColumn<float>("activeRate");
        QTest::addColumn<float>("rowRate");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("toActive");
        QTest::addColumn<QString>("fromActive");
        QTest::newRow("dollars active, row at 0.9")
            << 0 << 1.0f << 0.9f << 1.0 << QStringLiteral("1.00 EUR = 1.11111 USD") << QStringLiteral("1.00 USD = 0.9 EUR");
        // The rates are single precision: 0.9 is held as 0.89999998.
        QTest::newRow("amount 250.5")
            << 0 << 1.0f << 0.9f << 250.5 << QStringLiteral("250.50 EUR = 278.33334 USD") << QStringLiteral("250.50 USD = 225.44999 EUR");
        QTest::newRow("pounds active")
            << GbpForexIndex << 0.8f << 0.9f << 1.0 << QStringLiteral("1.00 EUR = 0.88889 GBP") << QStringLiteral("1.00 GBP = 1.125 EUR");
        QTest::newRow("a row at rate 0 shows a dash") << 0 << 1.0f << 0.0f << 1.0 << QStringLiteral("-") << QStringLiteral("-");
    }
    void cellTexts()
    {
        QFETCH(int, activeIndex);
        QFETCH(float, activeRate);
        QFETCH(float, rowRate);
        QFETCH(double, amount);
        QFETCH(QString, toActive);
        QFETCH(QString, fromActive);
        tMainState s;
        LoadForexList(s);
        s.ForexList[static_cast<size_t>(activeIndex)]->Rate = activeRate;
        s.ForexList[EurForexIndex]->Rate = rowRate;
        s.ActiveForexIndex = activeIndex;
        const tLocalForex row = RowOf(BuildLocalForexList(s), QStringLiteral("EUR"));
        QCOMPARE(ForexCellText(s, row, ForexColCode, amount), QStringLiteral("EUR"));
        QCOMPARE(ForexCellText(s, row, ForexColDescription, amount), QStringLiteral("Euro Member Countries"));
        QCOMPARE(ForexCellText(s, row, ForexColToActive, amount), toActive);
        QCOMPARE(ForexCellText(s, row, ForexColFromActive, amount), fromActive);
    }

    void sortingIsStableAndRatesRiseOrFall()
    {
        tMainState s;
        LoadForexList(s);
        // Every rate is 1.0 but three: a sort by rate must keep the others
        // in table order.
        s.ForexList[EurForexIndex]->Rate = 0.9f;
        s.ForexList[GbpForexIndex]->Rate = 0.8f;
        s.ForexList[IlsForexIndex]->Rate = 3.7f;
        std::vector<tLocalForex> rows = BuildLocalForexList(s);

        SortForex(rows, ForexColToActive);
        QCOMPARE(Codes(rows, 4), (QStringList{QStringLiteral("GBP"), QStringLiteral("EUR"), QStringLiteral("USD"), QStringLiteral("AED")}));
        QCOMPARE(rows.back().Code, QStringLiteral("ILS"));

        SortForex(rows, ForexColFromActive);
        const QStringList once = Codes(rows, BuiltInForexCount);
        QCOMPARE(once.mid(0, 4), (QStringList{QStringLiteral("ILS"), QStringLiteral("USD"), QStringLiteral("AED"), QStringLiteral("AFN")}));
        SortForex(rows, ForexColFromActive);
        QCOMPARE(Codes(rows, BuiltInForexCount), once);
        QCOMPARE(rows.back().Code, QStringLiteral("GBP"));

        SortForex(rows, ForexColCode);
        QCOMPARE(Codes(rows, 3), (QStringList{QStringLiteral("AED"), QStringLiteral("AFN"), QStringLiteral("ALL")}));
        SortForex(rows, ForexColDescription);
        QCOMPARE(rows.front().Description, QStringLiteral("Afghanistan Afghani"));
    }

    void comparisonAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("amount");
        QTest::newRow("whole") << QStringLiteral("12") << true << 12.0;
        QTest::newRow("decimal") << QStringLiteral("2.5") << true << 2.5;
        QTest::newRow("empty compares with 1") << QString() << true << 1.0;
        QTest::newRow("not a number compares with 1") << QStringLiteral("abc") << true << 1.0;
        QTest::newRow("a second point is refused") << QStringLiteral("1.2.") << false << 1.0;
    }
    void comparisonAmount()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(double, amount);
        QCOMPARE(AcceptForexAmountText(text), accepted);
        QCOMPARE(ParseForexAmount(text), amount);
    }

    void selectingConvertsPricesAndSpotPrices()
    {
        tMainState s;
        LoadForexList(s);
        s.ForexList[EurForexIndex]->Rate = 0.5f;
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = 2001;  // country 2, stored in dollars
        p->Value[0] = 100 * MoneyScale;
        p->Value[1] = ValueCodeToMoneyForTest();
        s.PriceList.push_back(std::move(p));
        s.MetalValues = {30 * MoneyScale, 2000 * MoneyScale, 0, 0};
        QString status;
        QObject::connect(s.Events.get(), &tStateEvents::PriceListsConverted, [&](const QString &t) { status = t; });

        QVERIFY(SelectForex(s, RowOf(BuildLocalForexList(s), QStringLiteral("EUR"))));
        QCOMPARE(s.ActiveForexIndex, EurForexIndex);
        QCOMPARE(s.PriceList[0]->Value[0], 50 * MoneyScale);
        QCOMPARE(s.PriceList[0]->Value[1], ValueCodeToMoneyForTest());
        QCOMPARE(s.PriceListForexLinks[2], EurForexIndex);
        QCOMPARE(s.MetalValues[0], 15 * MoneyScale);
        QCOMPARE(s.SpotPricesCurrencyIndex, EurForexIndex);
        QCOMPARE(status, QStringLiteral("1 Price list was just converted to Euro Member Countries"));
        QCOMPARE(SelectedCurrencyText(s), QStringLiteral("Currently selected currency: EUR (Euro Member Countries)"));
    }

    void aCurrencyAtRateZeroCannotBeSelected()
    {
        tMainState s;
        LoadForexList(s);
        s.ForexList[GbpForexIndex]->Rate = 0.0f;
        s.MetalValues = {30 * MoneyScale, 0, 0, 0};
        QVERIFY(!SelectForex(s, RowOf(BuildLocalForexList(s), QStringLiteral("GBP"))));
        QCOMPARE(s.ActiveForexIndex, UsdForexIndex);
        QCOMPARE(s.MetalValues[0], 30 * MoneyScale);
        QCOMPARE(SelectedCurrencyText(s), QStringLiteral("Currently selected currency: USD (United States Dollar)"));
    }

private:
    static Money ValueCodeToMoneyForTest() { return -4 * MoneyScale; }  // "Rare"
};

QTEST_GUILESS_MAIN(tst_ForexView)
#include "tst_forexview.moc"
