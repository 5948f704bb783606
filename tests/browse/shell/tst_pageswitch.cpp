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
};

QTEST_APPLESS_MAIN(tst_PageSwitch)
#include "tst_pageswitch.moc"
