#include <QtTest>

#include <algorithm>

#include "core/model/dates.h"
#include "core/model/seriestree.h"
#include "pricing/pricelists/pricelist.h"
#include "support/pricefixtures.h"

namespace {

tPriceInfo *AddEntry(tMainState &s, int32_t coinType, int32_t year, const QString &mint = {},
                     const QString &variety = {}, const QString &gm = {})
{
    auto e = std::make_unique<tPriceInfo>();
    e->CoinType = coinType;
    e->Year = year;
    e->Mint = mint;
    e->Variety = variety;
    e->GM = gm;
    e->DateBits = 0;
    tPriceInfo *raw = e.get();
    s.PriceList.push_back(std::move(e));
    return raw;
}

// "type/year/mint/variety/gm/bit" of every entry, in list order.
QStringList Describe(const tMainState &s)
{
    QStringList out;
    for (const auto &p : s.PriceList)
        out << QStringLiteral("%1/%2/%3/%4/%5/%6")
                   .arg(p->CoinType)
                   .arg(p->Year)
                   .arg(p->Mint, UnpackVariety(p->Variety, true), p->GM)
                   .arg(p->DateBits & DateBitRunEnd);
    return out;
}

QString Token(int day)
{
    return VarietyDateToken + QString::number(day);
}

} // namespace

class tst_PriceList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Dates and thousands separators follow the user's locale; the cases
        // below are written for month/day/year and "," grouping.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void pickPriceSource_data()
    {
        QTest::addColumn<int>("priceSource");
        QTest::addColumn<int>("expected");
        QTest::newRow("own list when 0") << 0 << 352001;
        QTest::newRow("own list when negative") << -4 << 352001;
        QTest::newRow("shared list") << 352777 << 352777;
    }
    void pickPriceSource()
    {
        QFETCH(int, priceSource);
        QFETCH(int, expected);
        tnodeinfo n;
        n.CoinType = 352001;
        n.PriceSource = priceSource;
        QCOMPARE(PickPriceSource(n), expected);
    }

    void unpackVariety_data()
    {
        const int d1999 = DateToDay(QDate(1999, 5, 4));
        const int d2001 = DateToDay(QDate(2001, 12, 25));
        QTest::addColumn<QString>("packed");
        QTest::addColumn<bool>("forceFormat");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no token") << "Doubled die" << false << "Doubled die";
        QTest::newRow("backslashes that start no token") << "a\\b \\d" << false << "a\\b \\d";
        QTest::newRow("token after a backslash") << "\\x " + Token(d1999) << false << "\\x 5/4/1999";
        QTest::newRow("display form") << "Type 2 " + Token(d1999) << false << "Type 2 5/4/1999";
        QTest::newRow("sortable form") << "Type 2 " + Token(d1999) << true << "Type 2 1999/05/04";
        QTest::newRow("two tokens") << Token(d1999) + " to " + Token(d2001) << false << "5/4/1999 to 12/25/2001";
        QTest::newRow("token ends at blank") << Token(d1999) + " issue" << true << "1999/05/04 issue";
        QTest::newRow("token without digits is day 0") << "x " + VarietyDateToken + "abc" << true << "x 1899/12/30";
        QTest::newRow("token at most ten characters")
            << Token(d1999) + "ABCDEFGHIJKL" << true << "1999/05/04FGHIJKL";
    }
    void unpackVariety()
    {
        QFETCH(QString, packed);
        QFETCH(bool, forceFormat);
        QFETCH(QString, expected);
        QCOMPARE(UnpackVariety(packed, forceFormat), expected);
    }

    void sortableFormSortsChronologically()
    {
        const QList<QDate> dates = {QDate(1999, 12, 1), QDate(2001, 2, 3), QDate(1850, 7, 30), QDate(1999, 2, 10)};
        QStringList texts;
        for (const QDate &d : dates)
            texts << UnpackVariety(Token(DateToDay(d)), true);
        QStringList sorted = texts;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (QStringList{"1850/07/30", "1999/02/10", "1999/12/01", "2001/02/03"}));
    }

    void packVariety_data()
    {
        const int d1999 = DateToDay(QDate(1999, 5, 4));
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("packed");
        QTest::newRow("date in user order") << "Type 2 5/4/1999" << "Type 2 " + Token(d1999);
        QTest::newRow("date before 1899") << "Struck 7/30/1850" << "Struck " + Token(DateToDay(QDate(1850, 7, 30)));
        QTest::newRow("two blanks kept") << "A  5/4/1999  B" << "A  " + Token(d1999) + "  B";
        QTest::newRow("fraction stays text") << "1/2 cent" << "1/2 cent";
        QTest::newRow("two-digit year stays text") << "5/4/99" << "5/4/99";
        QTest::newRow("impossible month stays text") << "13/4/1999" << "13/4/1999";
        QTest::newRow("bare year stays text") << "1999" << "1999";
        QTest::newRow("no words") << "" << "";
    }
    void packVariety()
    {
        QFETCH(QString, typed);
        QFETCH(QString, packed);
        QCOMPARE(PackVariety(typed), packed);
        // What is packed comes back as typed (in the user's own date form).
        QCOMPARE(UnpackVariety(PackVariety(typed), false), typed);
    }

    void formatMintage_data()
    {
        QTest::addColumn<int>("mintage");
        QTest::addColumn<bool>("approx");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none, approximate") << 0 << true << "";
        QTest::newRow("count") << 1500000 << false << "1,500,000";
        QTest::newRow("approximate count") << 1500000 << true << "~1,500,000";
        QTest::newRow("billions") << -1234 << false << "12.34 Billion";
        QTest::newRow("one decimal") << -150 << false << "1.5 Billion";
        QTest::newRow("whole billions") << -300 << true << "~3 Billion";
        QTest::newRow("most negative") << INT32_MIN << false << "21474836.48 Billion";
    }
    void formatMintage()
    {
        QFETCH(int, mintage);
        QFETCH(bool, approx);
        QFETCH(QString, expected);
        QCOMPARE(FormatMintage(mintage, approx), expected);
    }

    void compoundVariety_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("circa");
        QTest::addColumn<QString>("mint");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<QString>("expected");
        QTest::newRow("variety alone") << 0 << false << "" << "Proof" << "Proof";
        QTest::newRow("variety alone kept as given") << 0 << false << "" << " Proof " << " Proof ";
        QTest::newRow("circa with mint") << 1921 << true << "D" << "" << "Circa 1921-D";
        QTest::newRow("blank mint has no dash") << 1921 << false << "  " << "X" << "1921   (X)";
        QTest::newRow("full label") << 1955 << false << "S" << " Doubled die " << "1955-S (Doubled die)";
        QTest::newRow("bracketed mint letter") << 1942 << false << "[D]ouble" << "" << "1942-D ouble";
        QTest::newRow("bracketed letter alone") << 1942 << false << "[P]" << "" << "1942-P ";
        QTest::newRow("mint without year") << 0 << false << "W" << "Type 1" << "W (Type 1)";
    }
    void compoundVariety()
    {
        QFETCH(int, year);
        QFETCH(bool, circa);
        QFETCH(QString, mint);
        QFETCH(QString, variety);
        QFETCH(QString, expected);
        QCOMPARE(CompoundVariety(year, circa, mint, variety), expected);
    }

    void gradeModifierOrderIsNotTransitive()
    {
        QVERIFY(GradeModifierAfter("DMPL", "PL"));
        QVERIFY(!GradeModifierAfter("PL", "DMPL"));
        QVERIFY(GradeModifierAfter("MS", "DMPL"));
        QVERIFY(GradeModifierAfter("PL", "MS"));
        QVERIFY(GradeModifierAfter("pl", ""));
        QVERIFY(!GradeModifierAfter(" pl ", "PL"));
        QVERIFY(!GradeModifierAfter("PL", " pl "));
        QVERIFY(GradeModifierAfter("dmpl", "pl"));
    }

    void resortGathersCountriesAndSeriesByFirstAppearance()
    {
        tMainState s;
        AddEntry(s, 352002, 1990);
        AddEntry(s, 2001, 1950);
        AddEntry(s, 352001, 1980);
        AddEntry(s, 352002, 1985);
        AddEntry(s, 2001, 1940);
        AddEntry(s, 352001, 1970);
        ResortPrices(s);
        QCOMPARE(Describe(s), (QStringList{
                                  "352002/1985////1", "352002/1990////1",
                                  "352001/1970////1", "352001/1980////1",
                                  "2001/1940////1",   "2001/1950////1",
                              }));
    }

    void resortOrdersWithinSeriesAndMarksRunEnds()
    {
        tMainState s;
        const QString later = Token(DateToDay(QDate(2001, 1, 2)));
        const QString earlier = Token(DateToDay(QDate(1999, 12, 31)));
        AddEntry(s, 352001, 1921, "S");
        AddEntry(s, 352001, 1921, "D", "", "DMPL");
        AddEntry(s, 352001, 1921, "d");
        AddEntry(s, 352001, 1921, "D", "", "");
        AddEntry(s, 352001, 1921, "D", "", "PL");
        AddEntry(s, 352001, 1900, "", later);
        AddEntry(s, 352001, 1900, "", earlier);
        ResortPrices(s);
        QCOMPARE(Describe(s), (QStringList{
                                  "352001/1900//1999/12/31//1",
                                  "352001/1900//2001/01/02//1",
                                  "352001/1921/D///0",
                                  "352001/1921/D//PL/0",
                                  "352001/1921/D//DMPL/1",
                                  "352001/1921/S///1",
                                  "352001/1921/d///1",
                              }));
    }

    void resortEndsAndIsStableForEveryModifierOrder()
    {
        // The modifier order has cycles (DMPL < MS < PL < DMPL); whatever
        // order the entries come in, the passes end, one entry keeps the
        // run-end bit, and sorting again changes nothing.
        QStringList gms{"DMPL", "", "PL", "MS"};
        std::sort(gms.begin(), gms.end());
        do {
            tMainState s;
            for (const QString &gm : gms)
                AddEntry(s, 352001, 1921, "P", "", gm);
            ResortPrices(s);
            const QStringList once = Describe(s);
            QCOMPARE(std::count_if(s.PriceList.begin(), s.PriceList.end(),
                                   [](const auto &p) { return p->DateBits & DateBitRunEnd; }),
                     1);
            ResortPrices(s);
            QCOMPARE(Describe(s), once);
        } while (std::next_permutation(gms.begin(), gms.end()));
    }

    void resortOfOneEntrySetsItsBit()
    {
        tMainState s;
        AddEntry(s, 352001, 1921);
        ResortPrices(s);
        QCOMPARE(s.PriceList[0]->DateBits & DateBitRunEnd, DateBitRunEnd);
    }

    void reFolderAttachesDropsAndDetaches()
    {
        tMainState s;
        AddFixtureCountry(s, 352, "United States", {352001, 352002});
        AddFixtureCountry(s, 2, "Canada", {2001});
        tPriceInfo *attached = AddEntry(s, 352002, 1921);
        tPriceInfo *gone = AddEntry(s, 352999, 1921);
        tPriceInfo *away = AddEntry(s, 9001, 1921);
        tPriceInfo *canada = AddEntry(s, 2001, 1921);
        away->Folder = attached->Folder = CoinTypeToNodeInfo(s, 2001);

        auto coin = std::make_unique<tCoinInfo>();
        coin->PriceInfo = gone;
        tCoinInfo *c = coin.get();
        s.CoinList.push_back(std::move(coin));
        s.CurrPriceList = {gone, attached};

        ReFolderPrices(s);
        QCOMPARE(s.PriceList.size(), size_t(3));
        QCOMPARE(attached->Folder->CoinType, 352002);
        QCOMPARE(canada->Folder->CoinType, 2001);
        QVERIFY(!away->Folder);  // its country is not in the tree: kept, detached
        QVERIFY(std::none_of(s.PriceList.begin(), s.PriceList.end(), [&](const auto &p) { return p.get() == gone; }));
        QVERIFY(!c->PriceInfo);  // no link survives the freed entry
        QCOMPARE(s.CurrPriceList, std::vector<tPriceInfo *>{attached});
    }

    void reFolderRefusesDuplicateSeriesBeforeTouchingEntries()
    {
        tMainState s;
        AddFixtureCountry(s, 352, "United States", {352001, 352001});
        tPriceInfo *gone = AddEntry(s, 352999, 1921);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ReFolderPrices(s));
        QCOMPARE(s.PriceList.size(), size_t(1));
        QCOMPARE(s.PriceList[0].get(), gone);
        QVERIFY(!gone->Folder);
    }

    void measuresThatFitAFile_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("fits");
        QTest::newRow("ounce") << 1.0f << true;
        QTest::newRow("largest") << 214748.34f << true;
        QTest::newRow("too large") << 214748.4f << false;
        QTest::newRow("too negative") << -300000.0f << false;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << false;
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << false;
    }
    void measuresThatFitAFile()
    {
        QFETCH(float, value);
        QFETCH(bool, fits);
        QCOMPARE(MeasureFitsPriceFile(value), fits);
    }
};

QTEST_APPLESS_MAIN(tst_PriceList)
#include "tst_pricelist.moc"
