#include <QtTest>

#include "core/model/seriestree.h"
#include "browse/finders/catalogkeys.h"
#include "support/treefixture.h"

namespace {

QString Blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

// The numbers of a list in its order.
QStringList Numbers(const tKMList &list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Item(i).KMnumber;
    return out;
}

QStringList Numbers(const std::vector<tKMitem *> &items)
{
    QStringList out;
    for (const tKMitem *i : items)
        out << i->KMnumber;
    return out;
}

void AddPrice(tMainState &s, int coinType, const QString &catalog)
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = coinType;
    p->Catalog = catalog;
    s.PriceList.push_back(std::move(p));
}

tnodeinfo *SeriesOfNumber(tMainState &s, int coinType)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (!found && n->CoinType == coinType)
            found = n;
    });
    return found;
}

} // namespace

class tst_CatalogKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysOfNumbers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("key");
        QTest::newRow("5") << "5" << "000000000005" "00000000";
        QTest::newRow("12a: a number run and a letter run")
            << "12a" << "000000000012" "00000000" + ("a" + Blanks(19));
        QTest::newRow("1.5: the fraction is padded on the right") << "1.5" << "000000000001" "50000000";
        QTest::newRow("1.05") << "1.05" << "000000000001" "05000000";
        QTest::newRow("A5: 0, A and 5") << "A5" << "000000000000" "00000000" + ("A" + Blanks(19)) +
                                                    "000000000005" "00000000";
        QTest::newRow("separators only separate") << "KM# 7" << "000000000000" "00000000" + ("KM" + Blanks(18)) +
                                                                  "000000000007" "00000000";
        QTest::newRow("a second number run is keyed as letters")
            << "5-10" << "000000000005" "00000000" + ("10" + Blanks(18));
        QTest::newRow("long integers keep their last 12 digits")
            << "1234567890123" << "234567890123" "00000000";
        QTest::newRow("empty number is the key of 0") << "" << "000000000000" "00000000";
    }
    void keysOfNumbers()
    {
        QFETCH(QString, number);
        QFETCH(QString, key);
        QCOMPARE(CatalogKey(number), key);
    }

    void listIsInNaturalOrder_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("KM# 2 before 10") << QStringList{"KM# 10", "KM# 2"} << QStringList{"KM# 2", "KM# 10"};
        QTest::newRow("KM-5 before KM-10") << QStringList{"KM-10", "KM-5"} << QStringList{"KM-5", "KM-10"};
        QTest::newRow("12a < 12b < 13") << QStringList{"13", "12b", "12a"} << QStringList{"12a", "12b", "13"};
        QTest::newRow("fractions keep numeric order and stay distinct")
            << QStringList{"1.5", "1.10", "1.05", "1.005"} << QStringList{"1.005", "1.05", "1.10", "1.5"};
        QTest::newRow("5 and 05 are one key: the first stays") << QStringList{"05", "5"} << QStringList{"05"};
        QTest::newRow("letters compare ignoring case") << QStringList{"12B", "12a", "12A"}
                                                       << QStringList{"12a", "12B"};
        QTest::newRow("12 before 12a without a series") << QStringList{"12a", "12"} << QStringList{"12", "12a"};
    }
    void listIsInNaturalOrder()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, listed);
        tMainState s;
        tKMList list;
        for (const QString &n : added)
            AddKMItem(s, list, n, nullptr);
        QCOMPARE(Numbers(list), listed);
    }

    // The country list sorts by a short form of the keys; it must give the
    // order, the refusals and the keys that filing each key text gives.
    void countryListOrdersAsTheKeysDo()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("Canada #11000\n"
                                            "  Cents #11001\n"
                                            "  Dimes #11002\n"
                                            "  Bars #11010\n"));
        const QStringList numbers = {
            "1.5", "1.50", "1.05", "1.005", "1.", "1..5", "1.0.1", "1.00000001", "1.000000001", "1.5a", "0", "",
            "00012", "12", "1234567890123", "234567890123", "999999999999", "KM# 12", "km# 12a", "KM# 12A", "KM#12b",
            "KM# 12.5", "KM# 12 a 3", "KM# 12 a", "Y# 3", "X# 3", "A", "B!", "a!", "abcdefghijklmnopqrstu",
            "abcdefghijklmnopqrst", "abcdefghijklmnopqrs", "ABCDEFGHIJKLMNOPQRSTV", "5-10", "5-9", "5-10-2",
            "5-10-", "KM# 7.", "KM# 7.0", ".5", "..", "!", "Pn1", "Pn1a", "1a2b3c4d", "1a2b3c",
        };
        const int series[] = {11001, 11002, 11010};
        int k = 0;
        for (const QString &number : numbers)
            for (int type : series)
                if (++k % 2 == 0 || type == 11001)
                    AddPrice(s, type, number);
        tKMList built;
        BuildCountryKMList(s, built, CoinTypeToCountry(11001));
        tKMList filed;
        for (const auto &p : s.PriceList)
            if (!p->Catalog.trimmed().isEmpty())
                AddKMItem(s, filed, p->Catalog.trimmed(), SeriesOfNumber(s, p->CoinType));
        QCOMPARE(Numbers(built), Numbers(filed));
        QCOMPARE(built.Count(), filed.Count());
        for (int i = 0; i < built.Count(); ++i) {
            QCOMPARE(built.Item(i).Folder, filed.Item(i).Folder);
            QCOMPARE(built.Key(i), filed.Key(i));
        }
        Q_UNUSED(n);
    }

    void keysCompareOrdinallyIgnoringAsciiCaseOnly()
    {
        QCOMPARE(CompareCatalogKeys(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
        QVERIFY(CompareCatalogKeys(QStringLiteral("a"), QStringLiteral("b")) < 0);
        QVERIFY(CompareCatalogKeys(QStringLiteral("B"), QStringLiteral("a")) > 0);
        QVERIFY(CompareCatalogKeys(QStringLiteral("ab"), QStringLiteral("abc")) < 0);
        // Other letters are not folded: "É" and "é" stay two keys.
        QVERIFY(CompareCatalogKeys(QStringLiteral("\u00C9"), QStringLiteral("\u00E9")) != 0);
    }

    void countryListHasOneRowPerNumberAndSeries()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("Canada #11000\n"
                                            "  Cents #11001\n"
                                            "  Dimes #11002\n"
                                            "Japan #12000\n"
                                            "  Yen #12001\n"));
        n["Canada"]->NodeMode = NodeModeCountry;
        AddPrice(s, 11001, QStringLiteral("KM# 10"));
        AddPrice(s, 11001, QStringLiteral("KM# 10"));  // the next date of the same number
        AddPrice(s, 11001, QStringLiteral(" KM# 2 "));
        AddPrice(s, 11001, QStringLiteral("KM# 10"));  // repeated within the series, apart
        AddPrice(s, 11002, QStringLiteral("KM# 10"));  // the same number in another series
        AddPrice(s, 11002, QString());
        AddPrice(s, 12001, QStringLiteral("Y# 1"));
        const int country = CoinTypeToCountry(11001);
        tKMList list;
        BuildCountryKMList(s, list, country);
        QCOMPARE(Numbers(list), (QStringList{"KM# 2", "KM# 10", "KM# 10"}));
        QCOMPARE(list.Item(1).Folder, n["Cents"]);
        QCOMPARE(list.Item(2).Folder, n["Dimes"]);
        for (int i = 0; i < list.Count(); ++i)
            QCOMPARE(list.Item(i).CountryFolder, n["Canada"]);
        QCOMPARE(SeriesOfKMItem(s, list.Item(2)), n["Dimes"]);

        tKMList japan;
        BuildCountryKMList(s, japan, CoinTypeToCountry(12001));
        QCOMPARE(Numbers(japan), QStringList{"Y# 1"});
        // Japan is not marked as a country: its country series is found by number.
        QCOMPARE(japan.Item(0).CountryFolder, n["Japan"]);

        const std::vector<int> countries = CountriesInTree(s);
        QCOMPARE(countries, (std::vector<int>{CoinTypeToCountry(11000), CoinTypeToCountry(12000)}));
    }

    void countryFolderFallsBackToTheCountrySeries()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("Group #9000\n"
                                            "  Sub #11005\n"
                                            "    Leaf #11006\n"
                                            "Elsewhere #7000\n"
                                            "  Canada itself #11000\n"));
        QCOMPARE(CountryFolderOf(s, n["Leaf"]), n["Canada itself"]);
        n["Sub"]->NodeMode = NodeModeCountry;
        QCOMPARE(CountryFolderOf(s, n["Leaf"]), n["Sub"]);
        QCOMPARE(CountryFolderOf(s, nullptr), nullptr);
    }

    void filterNarrowsTheList_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("compiles");
        QTest::newRow("blank shows all, in key order")
            << " " << QStringList{"KM(5)", "2", "12a", "12b", "120"} << true;
        QTest::newRow("digits anywhere") << "12" << QStringList{"12a", "12b", "120"} << true;
        QTest::newRow("ignoring case") << "12A" << QStringList{"12a"} << true;
        QTest::newRow("brackets are literal") << "m(5" << QStringList{"KM(5)"} << true;
        QTest::newRow("* repeats the character before it") << "12*0" << QStringList{"120"} << true;
        QTest::newRow("a caret is literal") << "^2" << QStringList{} << true;
        QTest::newRow("a lone * does not compile") << "*" << QStringList{} << false;
    }
    void filterNarrowsTheList()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        QFETCH(bool, compiles);
        tMainState s;
        tKMList list;
        for (const char *n : {"120", "12b", "2", "KM(5)", "12a"})
            AddKMItem(s, list, QString::fromLatin1(n), nullptr);
        const auto items = FilterKMList(list, filter);
        QCOMPARE(items.has_value(), compiles);
        if (items)
            QCOMPARE(Numbers(*items), shown);
    }

    void catalogueNumbersOfASeries_data()
    {
        QTest::addColumn<QStringList>("catalogs");
        QTest::addColumn<QString>("listed");
        QTest::newRow("distinct, in natural order") << QStringList{"10", "2", "2", "1.5"} << "1.5 2 10 ";
        QTest::newRow("no entries") << QStringList{} << "";
        QTest::newRow("empty numbers give the key of 0, once") << QStringList{"", ""} << " ";
    }
    void catalogueNumbersOfASeries()
    {
        QFETCH(QStringList, catalogs);
        QFETCH(QString, listed);
        tMainState s;
        for (const QString &c : catalogs)
            AddPrice(s, 5001, c);
        AddPrice(s, 5002, QStringLiteral("99"));
        QCOMPARE(GetKMlistForCoinType(s, 5001), listed);
    }
};

QTEST_MAIN(tst_CatalogKeys)
#include "tst_catalogkeys.moc"
