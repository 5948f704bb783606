#include <QtTest>

#include "browse/finders/findtext.h"
#include "support/treefixture.h"

namespace {

// Series names and numbers chosen so that one text is a name, a number,
// both, or neither.
const char *const Outline = R"(
Proof sets #3000
  Set 1234 #1234
  Mint sets 1234 #3001
Dogs #3002
  dig #3003
  Day of the dog #3004
  DY #3005
Trade dollars #3006
)";

QStringList Names(const std::vector<tnodeinfo *> &nodes)
{
    QStringList out;
    for (const tnodeinfo *n : nodes)
        out << n->NodeName;
    return out;
}

} // namespace

class tst_FindText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchFindsNamesAndNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QStringList>("hits");
        QTest::addColumn<QString>("status");
        QTest::newRow("1234 as name and as number: a series with both counts twice")
            << "1234" << false << QStringList{"Set 1234", "Set 1234", "Mint sets 1234"} << "3 instances found.";
        QTest::newRow("a number alone finds its series") << "3006" << false << QStringList{"Trade dollars"}
                                                          << "1 instance found.";
        QTest::newRow("0 searches names only") << "0" << false << QStringList{} << "The text was not found";
        QTest::newRow("? is one character") << "D?G" << false << QStringList{"Dogs", "dig", "Day of the dog"}
                                             << "3 instances found.";
        QTest::newRow("* is one or more characters, not none") << "D*Y" << false << QStringList{"Day of the dog"}
                                                                << "1 instance found.";
        QTest::newRow("regular-expression marks are literal") << "sets (1234)" << false << QStringList{}
                                                               << "The text was not found";
        QTest::newRow("ignoring case") << "dog" << false << QStringList{"Dogs", "Day of the dog"}
                                       << "2 instances found.";
        QTest::newRow("case sensitive") << "Dog" << true << QStringList{"Dogs"} << "1 instance found.";
        QTest::newRow("no ebook with none indicated is a name search") << "no ebook" << false << QStringList{}
                                                                         << "The text was not found";
    }
    void searchFindsNamesAndNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, caseSensitive);
        QFETCH(QStringList, hits);
        QFETCH(QString, status);
        tMainState s;
        BuildTree(s, QString::fromLatin1(Outline));
        tTextFinder finder(s);
        QCOMPARE(finder.DoSearch(text, caseSensitive, {}), status);
        QCOMPARE(Names(finder.Hits()), hits);
    }

    void keywordsRunMaintenanceSearches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("hits");
        QTest::newRow("empty price list, in capitals") << "EMPTY PRICE LIST" << QStringList{"Unpriced"};
        QTest::newRow("modified series") << "modified series" << QStringList{"Changed", "Own series"};
        QTest::newRow("image needed: a missing file or a blank reverse")
            << "Image Needed" << QStringList{"No reverse", "Gone"};
        QTest::newRow("no ebook: leaves touching the book's century, not indexed")
            << "no ebook" << QStringList{"Unpriced", "Comment", "Gone"};
    }
    void keywordsRunMaintenanceSearches()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, hits);
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("Group #4000\n"
                                            "  Priced #4001\n"
                                            "  Unpriced #4002\n"
                                            "  Comment #4003\n"
                                            "  Changed #4004\n"
                                            "  Own series #1000005\n"
                                            "  No reverse #4005\n"
                                            "  Gone #4006\n"));
        auto price = std::make_unique<tPriceInfo>();
        price->CoinType = 4001;
        s.PriceList.push_back(std::move(price));
        for (const char *name : {"Changed", "Own series", "No reverse", "Gone"}) {
            auto p = std::make_unique<tPriceInfo>();
            p->CoinType = n[QString::fromLatin1(name)]->CoinType;
            s.PriceList.push_back(std::move(p));
        }
        n["Comment"]->NodeMode = NodeModeComment;
        n["Changed"]->GlyphStats = GlyphNameDiffers;
        n["Priced"]->GlyphStats = GlyphAdded | GlyphChildAdded;  // marks of a new series only
        n["No reverse"]->Obverse = QStringLiteral("a.jpg");
        n["Gone"]->Obverse = QStringLiteral("gone.jpg");
        n["Gone"]->Reverse = QStringLiteral("b.jpg");
        n["Priced"]->Obverse = QStringLiteral("a.jpg");
        n["Priced"]->Reverse = QStringLiteral("b.jpg");
        // The book covers 1801..1900.
        for (tnodeinfo *leaf : {n["Priced"], n["Unpriced"], n["Comment"], n["Changed"], n["Own series"],
                                n["No reverse"], n["Gone"]}) {
            leaf->DateRangeMin = 1850;
            leaf->DateRangeMax = 1860;
        }
        n["Changed"]->DateRangeMin = n["Changed"]->DateRangeMax = 1901;
        n["Own series"]->DateRangeMin = n["Own series"]->DateRangeMax = 1800;
        n["Priced"]->eIndexed = n["No reverse"]->eIndexed = true;

        tFindEnvironment env;
        env.FullPath = [](const QString &name, int, bool, bool) { return QStringLiteral("/pictures/") + name; };
        env.FileExists = [](const QString &path) { return path != QStringLiteral("/pictures/gone.jpg"); };
        env.IndicatedEbookFile = QStringLiteral("Coins of 1801 to 1900.pdf");
        QCOMPARE(Names(FindSeries(s, text, false, env)), hits);
    }

    void stepWrapsAndVisitsRepeatedHitsOnce_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("to");
        QTest::newRow("next from the root") << "Entire Collection" << true << "Set 1234";
        QTest::newRow("next steps over the repeated hit") << "Set 1234" << true << "Mint sets 1234";
        QTest::newRow("next on the last wraps to the first") << "Mint sets 1234" << true << "Set 1234";
        QTest::newRow("next from past the last wraps") << "Trade dollars" << true << "Set 1234";
        QTest::newRow("previous on the first wraps to the last") << "Set 1234" << false << "Mint sets 1234";
        QTest::newRow("previous from between hits") << "Dogs" << false << "Mint sets 1234";
    }
    void stepWrapsAndVisitsRepeatedHitsOnce()
    {
        QFETCH(QString, from);
        QFETCH(bool, forward);
        QFETCH(QString, to);
        tMainState s;
        auto n = BuildTree(s, QString::fromLatin1(Outline));
        s.SelectedTreeNode = n[from];
        tTextFinder finder(s);
        tnodeinfo *hit = finder.Step(QStringLiteral("  1234 "), false, forward, {});
        QVERIFY(hit);
        QCOMPARE(hit->NodeName, to);
        QCOMPARE(finder.Status(), QStringLiteral("3 instances found."));
    }

    void stepSearchesAgainOnlyWhenSomethingChanged()
    {
        tMainState s;
        auto n = BuildTree(s, QString::fromLatin1(Outline));
        tTextFinder finder(s);
        s.SelectedTreeNode = finder.Step(QStringLiteral("dog"), false, true, {});
        QCOMPARE(s.SelectedTreeNode, n["Dogs"]);
        // Another feature's scratch numbers in Tag do not move the steps.
        int k = 500;
        ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *node) { node->Tag = k--; });
        s.SelectedTreeNode = finder.Step(QStringLiteral("dog"), false, true, {});
        QCOMPARE(s.SelectedTreeNode, n["Day of the dog"]);

        // Ticking "Case sensitive" searches again.
        s.SelectedTreeNode = finder.Step(QStringLiteral("dog"), true, true, {});
        QCOMPARE(finder.Status(), QStringLiteral("1 instance found."));
        QCOMPARE(s.SelectedTreeNode, n["Day of the dog"]);
        QCOMPARE(finder.LastCaseSetting, true);

        // A freed hit is forgotten: the search runs on the tree as it stands.
        s.SelectedTreeNode = s.EntireCollection.get();
        s.DeleteSeries(n["Dogs"]);
        QVERIFY(finder.Hits().empty());
        QCOMPARE(finder.Step(QStringLiteral("dog"), true, true, {}), nullptr);
        QCOMPARE(finder.Status(), QStringLiteral("The text was not found"));
    }

    void historyKeepsTheEightNewest()
    {
        QStringList history;
        for (int i = 1; i <= 9; ++i)
            history = PushSearchHistory(history, QStringLiteral("text %1").arg(i));
        QCOMPARE(history, (QStringList{"text 9", "text 8", "text 7", "text 6", "text 5", "text 4", "text 3",
                                       "text 2"}));
        history = PushSearchHistory(history, QStringLiteral("TEXT 5"));
        QCOMPARE(history, (QStringList{"TEXT 5", "text 9", "text 8", "text 7", "text 6", "text 4", "text 3"}));
        QCOMPARE(PushSearchHistory(history, QString()), history);
        QCOMPARE(PushSearchHistory({QStringLiteral(" "), QStringLiteral("a")}, QStringLiteral("b")),
                 (QStringList{"b", "a"}));
    }

    void keywordsAreOfferedButNeverStored()
    {
        const QStringList history = PushSearchHistory({QStringLiteral("Dogs")}, QStringLiteral("Modified Series"));
        QCOMPARE(StoredSearchHistory(history), QStringList{"Dogs"});
        QCOMPARE(SearchDropDownItems(history, false), history);
        QCOMPARE(SearchDropDownItems(history, true),
                 (QStringList{"Modified Series", "Dogs", "empty price list", "no ebook", "image needed"}));
    }

    void seriesNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("digits") << "1234" << 1234;
        QTest::newRow("zero is no number") << "0" << -1;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("letters") << "12a" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("sign") << "-5" << -1;
    }
    void seriesNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(ParseSeriesNumber(text), number);
    }

    // A search text far longer than any pattern engine limit still finds
    // the series whose name holds it, and only that one.
    void aVeryLongTextFindsItsSeries()
    {
        tMainState s;
        const auto nodes = BuildTree(s, QString::fromLatin1(Outline));
        const QString text = QString(100000, QLatin1Char('m'));
        nodes.value(QStringLiteral("dig"))->NodeName = QStringLiteral("dig ") + text + QStringLiteral(" end");
        tTextFinder finder(s);
        QCOMPARE(finder.DoSearch(text, false, {}), QStringLiteral("1 instance found."));
        QCOMPARE(finder.Hits().front(), nodes.value(QStringLiteral("dig")));
    }
};

QTEST_MAIN(tst_FindText)
#include "tst_findtext.moc"
