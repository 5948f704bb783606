#include <QtTest>

#include "core/model/dates.h"
#include "core/model/mainstate.h"
#include "browse/shell/pageswitch.h"
#include "core/model/varietytext.h"

namespace {

std::unique_ptr<tPriceInfo> Price(int year, const char *mint, const char *variety, const char *gm)
{
    auto p = std::make_unique<tPriceInfo>();
    p->Year = year;
    p->Mint = QString::fromLatin1(mint);
    p->Variety = QString::fromLatin1(variety);
    p->GM = QString::fromLatin1(gm);
    return p;
}


} // namespace

class tst_PageSwitch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hotPriceIsTheLastMatch_data()
    {
        QTest::addColumn<QString>("mint");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<QString>("gm");
        QTest::addColumn<int>("hot");
        QTest::newRow("two entries match: the later") << "D" << "" << "" << 3;
        QTest::newRow("mint ignoring case") << "s" << "" << "" << 1;
        QTest::newRow("variety after unpacking") << "P" << QStringLiteral("struck ") + UnpackVariety(QStringLiteral("\\d/44927"), false) << "" << 4;
        QTest::newRow("variety ignoring case") << "P" << "DOUBLED DIE" << "" << 5;
        QTest::newRow("grade modifier must agree") << "P" << "Doubled die" << "rd" << 6;
        QTest::newRow("no match") << "CC" << "" << "" << -1;
    }
    void hotPriceIsTheLastMatch()
    {
        QFETCH(QString, mint);
        QFETCH(QString, variety);
        QFETCH(QString, gm);
        std::vector<std::unique_ptr<tPriceInfo>> owned;
        owned.push_back(Price(1921, "D", "", ""));
        owned.push_back(Price(1921, "S", "", ""));
        owned.push_back(Price(1922, "D", "", ""));  // other year
        owned.push_back(Price(1921, "d", "", ""));
        owned.push_back(Price(1921, "P", "Struck \\d/44927", ""));
        owned.push_back(Price(1921, "P", "Doubled die", ""));
        owned.push_back(Price(1921, "P", "Doubled die", "RD"));
        std::vector<tPriceInfo *> prices;
        for (auto &p : owned)
            prices.push_back(p.get());
        tCoinInfo coin;
        coin.Year = 1921;
        coin.Mint = mint;
        coin.Variety = variety;
        coin.GM = gm;
        QTEST(FindHotPrice(prices, coin), "hot");
    }

    void pricingStatusNamesTheSharedList()
    {
        tMainState s;
        tnodeinfo *source = AddChildNode(s.EntireCollection.get(), 352001);
        source->NodeName = QStringLiteral("Lincoln cents");
        tnodeinfo *user = AddChildNode(s.EntireCollection.get(), 1000123);
        QCOMPARE(SharedPricesStatus(s, *user), QString());
        QCOMPARE(PriceSourceOf(*user), 1000123);
        user->PriceSource = 352001;
        QCOMPARE(SharedPricesStatus(s, *user),
                 QStringLiteral("These prices are shared from series 352001, Lincoln cents"));
        QCOMPARE(PriceSourceOf(*user), 352001);
    }

    void priceDateShowsOnlyRealDates()
    {
        tMainState s;
        s.PricesDatesArray[352] = DateToDay(QDate(2024, 3, 1));
        s.PricesDatesArray[5] = 0;
        QCOMPARE(PriceDateText(s, 352), FormatShortDate(DateToDay(QDate(2024, 3, 1))));
        QCOMPARE(PriceDateText(s, 5), QString());
        QCOMPARE(PriceDateText(s, 7), QString());  // never loaded: -1
        QCOMPARE(PriceDateText(s, 5000), QString());
    }

    void enteringAPageRefreshesIt_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("previous");
        QTest::addColumn<QString>("facts");  // letters: P prices modified, D dates, S stats shown, N series, R row
        QTest::addColumn<QString>("refreshed");
        QTest::newRow("Series page: counts and tree") << int(PageSeries) << int(PageCoins) << "N"
                                                      << "count series-caption";
        QTest::newRow("Series page after date changes, stats shown")
            << int(PageSeries) << int(PageCoins) << "NDS" << "count dates stats series-caption";
        QTest::newRow("leaving Pricing with changed prices resorts them")
            << int(PageCoins) << int(PagePricing) << "PNR" << "resort series-caption coins";
        QTest::newRow("changed prices, not leaving Pricing: no resort")
            << int(PageSeries) << int(PageCoins) << "PN" << "count series-caption";
        QTest::newRow("Pricing with a series") << int(PagePricing) << int(PageSeries) << "N"
                                               << "pricing series-caption";
        QTest::newRow("Pricing without a series") << int(PagePricing) << int(PageSeries) << "" << "";
        QTest::newRow("Images with an entry: its caption and pictures")
            << int(PageImages) << int(PageCoins) << "NR" << "coin-caption images";
        QTest::newRow("Images without an entry: the series caption")
            << int(PageImages) << int(PageCoins) << "N" << "series-caption";
        QTest::newRow("Coins") << int(PageCoins) << int(PageSeries) << "N" << "series-caption coins";
        QTest::newRow("eBooks") << int(PageEbooks) << int(PageSeries) << "N" << "series-caption ebooks";
        QTest::newRow("Graphs") << int(PageGraphs) << int(PageSeries) << "N" << "series-caption chart";
        QTest::newRow("Reports") << int(PageReports) << int(PageSeries) << "N" << "series-caption reports";
    }
    void enteringAPageRefreshesIt()
    {
        QFETCH(int, page);
        QFETCH(int, previous);
        QFETCH(QString, facts);
        QFETCH(QString, refreshed);
        tPageEntryFacts f;
        f.Page = page;
        f.PreviousPage = previous;
        f.PricesModified = facts.contains(QLatin1Char('P'));
        f.DatesMayHaveChanged = facts.contains(QLatin1Char('D'));
        f.StatsSideShown = facts.contains(QLatin1Char('S'));
        f.SeriesSelected = facts.contains(QLatin1Char('N'));
        f.CoinRowValid = facts.contains(QLatin1Char('R'));
        const tPageEntry e = PageEntryPlan(f);
        QStringList got;
        const std::pair<bool, const char *> parts[] = {
            {e.RecountSeries, "count"}, {e.RecalcDates, "dates"},          {e.ResortPrices, "resort"},
            {e.RefreshPricing, "pricing"}, {e.RefreshStats, "stats"},      {e.CoinCaption, "coin-caption"},
            {e.SeriesCaption, "series-caption"}, {e.RefreshImages, "images"}, {e.RefreshCoins, "coins"},
            {e.RefreshEbooks, "ebooks"}, {e.RefreshChart, "chart"},        {e.RefreshReports, "reports"}};
        for (const auto &[on, name] : parts)
            if (on)
                got << QString::fromLatin1(name);
        QCOMPARE(got.join(QLatin1Char(' ')), refreshed);
    }
};

QTEST_APPLESS_MAIN(tst_PageSwitch)
#include "tst_pageswitch.moc"
