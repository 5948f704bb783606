#include <QtTest>

#include "core/model/seriestree.h"
#include "browse/series/seriesmenus.h"
#include "support/treefixture.h"

namespace {

QList<int> Numbers(const std::vector<tSeriesMenuItem> &items)
{
    QList<int> out;
    for (const auto &i : items)
        out << i.CoinType;
    return out;
}

} // namespace

class tst_SeriesMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recentSeriesListsTenNewestFirstEachOnce()
    {
        tMainState s;
        QString outline;
        for (int i = 1; i <= 11; ++i)
            outline += QStringLiteral("S%1 #%2\n").arg(i).arg(100 + i);
        auto t = BuildTree(s, outline);
        tRecentSeries recent;
        for (int i = 1; i <= 11; ++i)
            recent.Add(*t[QStringLiteral("S%1").arg(i)]);
        // The eleventh pushes out the oldest.
        QCOMPARE(Numbers(recent.Items), (QList<int>{111, 110, 109, 108, 107, 106, 105, 104, 103, 102}));
        // Reopening a listed series moves it to the top.
        recent.Add(*t[QStringLiteral("S5")]);
        QCOMPARE(Numbers(recent.Items), (QList<int>{105, 111, 110, 109, 108, 107, 106, 104, 103, 102}));
        recent.Clear();
        QVERIFY(recent.Items.empty());
    }

    void menuItemsLookTheirSeriesUp()
    {
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("Fish & Chips #300\n  Fav #301\nOther #302\n"));
        t[QStringLiteral("Fav")]->Favorite = true;
        t[QStringLiteral("Other")]->Favorite = true;
        const auto favs = FavoriteItems(s);
        QCOMPARE(Numbers(favs), (QList<int>{301, 302}));
        tRecentSeries recent;
        recent.Add(*t[QStringLiteral("Fish & Chips")]);
        QCOMPARE(recent.Items[0].Text, QStringLiteral("Fish && Chips"));
        // A deleted series' item selects nothing.
        s.DeleteSeries(t[QStringLiteral("Fish & Chips")]);
        QVERIFY(!SeriesOfMenuItem(s, recent.Items[0].CoinType));
        QVERIFY(!SeriesOfMenuItem(s, favs[0].CoinType));
        QCOMPARE(SeriesOfMenuItem(s, 302), t[QStringLiteral("Other")]);
        QCOMPARE(FavoriteItems(s).size(), size_t(1));
    }

    void creditPictureCodes_data()
    {
        QTest::addColumn<int>("country");
        QTest::addColumn<int>("code");
        QTest::newRow("no country") << 0 << -1;
        QTest::newRow("user series") << 1000 << -1;
        QTest::newRow("past the countries") << 1200 << -1;
        QTest::newRow("country 9") << 9 << 0x1001;
        QTest::newRow("country 22") << 22 << 0x1003;
        QTest::newRow("country 442") << 442 << 0x1003;
        QTest::newRow("any other") << 14 << 0x1000;
    }
    void creditPictureCodes()
    {
        QFETCH(int, country);
        QFETCH(int, code);
        QCOMPARE(CreditPictureCode(country), code);
    }

    void generalPictureComesInOncePerCountry()
    {
        tCreditPicture c;
        QCOMPARE(ShowCountryCredit(c, 14, false), tCreditStep::Next);
        tCreditShow show = NextCreditPicture(c);
        QVERIFY(show.Show && show.Shadow && !show.Glow);
        QCOMPARE(show.Picture, 0);
        // The next selection in the country slides it out for good.
        QCOMPARE(ShowCountryCredit(c, 14, true), tCreditStep::SlideOutThenNext);
        QVERIFY(!NextCreditPicture(c).Show);
        QCOMPARE(ShowCountryCredit(c, 14, false), tCreditStep::Next);
        QVERIFY(!NextCreditPicture(c).Show);
        // Another country brings it back.
        QCOMPARE(ShowCountryCredit(c, 15, false), tCreditStep::Next);
        QVERIFY(NextCreditPicture(c).Show);
        // Clicked away, it returns at the next selection in the same country.
        DismissCreditPicture(c);
        QCOMPARE(ShowCountryCredit(c, 15, false), tCreditStep::Next);
        QVERIFY(NextCreditPicture(c).Show);
    }

    void countryPictureStaysUntilClicked()
    {
        tCreditPicture c;
        QCOMPARE(ShowCountryCredit(c, 9, false), tCreditStep::Next);
        tCreditShow show = NextCreditPicture(c);
        QVERIFY(show.Show);
        QCOMPARE(show.Picture, 1);
        QCOMPARE(ShowCountryCredit(c, 9, true), tCreditStep::Stay);
        DismissCreditPicture(c);
        QCOMPARE(ShowCountryCredit(c, 9, false), tCreditStep::Stay);
        // Country 0 shows nothing and slides the picture out.
        QCOMPARE(ShowCountryCredit(c, 0, false), tCreditStep::Next);
        QVERIFY(!NextCreditPicture(c).Show);
        QCOMPARE(ShowCountryCredit(c, 9, false), tCreditStep::Next);
        QVERIFY(NextCreditPicture(c).Show);
        QCOMPARE(CreditPictureWidth(800), 100);
        QCOMPARE(CreditPictureHeight(800), 66);
    }

    void calloutShowsForAnEmptyUserSeriesOnly_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<bool>("withPrice");
        QTest::addColumn<bool>("shown");
        QTest::newRow("empty user series") << "Mine" << false << true;
        QTest::newRow("user series with a price entry") << "Mine" << true << false;
        QTest::newRow("user series with sub-series") << "Parent" << false << false;
        QTest::newRow("catalogue series") << "Cat" << false << false;
    }
    void calloutShowsForAnEmptyUserSeriesOnly()
    {
        QFETCH(QString, series);
        QFETCH(bool, withPrice);
        QFETCH(bool, shown);
        tMainState s;
        auto t = BuildTree(s, QStringLiteral("Cat #4001\nParent #5000001\n  Mine #5000002\n"));
        s.SelectedTreeNode = t[series];
        tPriceInfo price;
        if (withPrice)
            s.CurrPriceList.push_back(&price);
        QCOMPARE(UserSeriesHintVisible(s), shown);
        s.CurrPriceList.clear();
    }
};

QTEST_MAIN(tst_SeriesMenus)
#include "tst_seriesmenus.moc"
