#include <QtTest>

#include "core/collection/coinentries.h"
#include "core/collection/seriesclipboard.h"
#include "support/treefixture.h"

namespace {

tCoinInfo *Coin(tMainState &s, tnodeinfo *series, int inventory, int year = 1950)
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = series->CoinType;
    c->Folder = series;
    c->Inventory = inventory;
    c->Year = year;
    c->Mint = QStringLiteral("D");
    c->Notes = QStringLiteral("kept note");
    c->InBin = true;
    c->BuyPrice = 12345;
    tCoinInfo *raw = c.get();
    s.CoinList.push_back(std::move(c));
    s.MaxInventory = std::max(s.MaxInventory, inventory);
    return raw;
}

QList<int> Inventories(const tMainState &s, int coinType)
{
    QList<int> out;
    for (const auto &c : s.CoinList)
        if (c->CoinType == coinType)
            out << c->Inventory;
    return out;
}

// A collection with a country, a series with two sub-series and five
// entries among them, and one entry on the root.
struct tSource {
    tSource()
    {
        nodes = BuildTree(s, QStringLiteral("Country #5000\n"
                                            "  Cents #5001\n"
                                            "    Wheat #5002\n"
                                            "    Memorial #5003\n"
                                            "  Dimes #5010\n"));
        nodes[QStringLiteral("Cents")]->Themes = 0x5;
        nodes[QStringLiteral("Wheat")]->FaceValueCode = QStringLiteral("USD");
        Coin(s, nodes[QStringLiteral("Cents")], 1);
        Coin(s, nodes[QStringLiteral("Wheat")], 2);
        Coin(s, nodes[QStringLiteral("Wheat")], 3);
        Coin(s, nodes[QStringLiteral("Dimes")], 4);
        Coin(s, nodes[QStringLiteral("Memorial")], 5);
        Coin(s, nodes[QStringLiteral("Memorial")], 6);
        Coin(s, s.EntireCollection.get(), 7);
    }
    tMainState s;
    QHash<QString, tnodeinfo *> nodes;
};

} // namespace

class tst_SeriesClipboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyTakesTheSubtreeInPreOrder()
    {
        tSource src;
        tSeriesClipboard clip;
        QCOMPARE(CopyFolderToClipboard(src.s, clip, src.nodes[QStringLiteral("Cents")]),
                 QStringLiteral("3 folders and 5 coins were copied to the clipboard."));
        QList<int> numbers, parents;
        for (const auto &n : clip.ClipboardFolderList) {
            numbers << n->CoinType;
            parents << n->Tag;
            QVERIFY(n->ChildNodes.empty());
            QVERIFY(!n->ParentNode);
        }
        QCOMPARE(numbers, (QList<int>{5001, 5002, 5003}));
        QCOMPARE(parents, (QList<int>{5000, 5001, 5001}));
        for (const auto &c : clip.ClipboardCoinList) {
            QVERIFY(!c->Folder);
            QVERIFY(!c->InBin);
        }
        QCOMPARE(CopyFolderToClipboard(src.s, clip, src.nodes[QStringLiteral("Dimes")]),
                 QStringLiteral("1 folder and 1 coin were copied to the clipboard."));
    }

    void pasteIntoAnotherCollectionRebuildsTheSeries()
    {
        tSource src;
        tSeriesClipboard clip;
        CopyFolderToClipboard(src.s, clip, src.nodes[QStringLiteral("Cents")]);

        tMainState other;
        BuildTree(other, QStringLiteral("Country #5000\n  Nickels #5020\n"));
        Coin(other, other.EntireCollection->ChildNodes[0].get(), 1);   // takes item number 1
        int renders = 0;
        QObject::connect(other.Events.get(), &tStateEvents::RenderTree, [&] { ++renders; });
        QCOMPARE(PasteFromClipboard(other, clip),
                 QStringLiteral("3 folders pasted from clipboard.\r5 coins pasted from clipboard."));
        QCOMPARE(TreeOutline(other), QStringLiteral("Country\n  Nickels\n  Cents\n    Wheat\n    Memorial"));
        tnodeinfo *cents = other.EntireCollection->ChildNodes[0]->ChildNodes[1].get();
        QCOMPARE(cents->Themes, 0x5);
        QCOMPARE(cents->ChildNodes[0]->FaceValueCode, QStringLiteral("USD"));
        QCOMPARE(cents->EntryCount, 5);   // recounted with its sub-series
        // A free number is kept; a taken one gets the next number.
        QCOMPARE(Inventories(other, 5001), QList<int>{2});
        QCOMPARE(Inventories(other, 5002), (QList<int>{3, 4}));
        QCOMPARE(Inventories(other, 5003), (QList<int>{5, 6}));
        for (const auto &c : other.CoinList) {
            if (c->CoinType == 5000)
                continue;   // the collection's own entry
            QVERIFY(c->Folder);
            QCOMPARE(c->Folder->CoinType, c->CoinType);
            QVERIFY(!c->InBin);
        }
        QVERIFY(other.DataModified);
        QCOMPARE(renders, 1);
    }

    void missingParentPutsTheSeriesUnderTheRoot()
    {
        tSource src;
        tSeriesClipboard clip;
        CopyFolderToClipboard(src.s, clip, src.nodes[QStringLiteral("Cents")]);
        tMainState empty;
        PasteFromClipboard(empty, clip);
        QCOMPARE(TreeOutline(empty), QStringLiteral("Cents\n  Wheat\n  Memorial"));
        QCOMPARE(Inventories(empty, 5002), (QList<int>{2, 3}));
    }

    void pasteIntoTheSameCollectionAddsEveryEntryAgain()
    {
        tSource src;
        tSeriesClipboard clip;
        CopyFolderToClipboard(src.s, clip, src.nodes[QStringLiteral("Cents")]);
        const QString before = TreeOutline(src.s);
        QCOMPARE(PasteFromClipboard(src.s, clip),
                 QStringLiteral("3 folders pasted from clipboard.\r5 coins pasted from clipboard."));
        QCOMPARE(TreeOutline(src.s), before);
        QCOMPARE(Inventories(src.s, 5002), (QList<int>{2, 3, 9, 10}));
        QCOMPARE(src.nodes[QStringLiteral("Wheat")]->EntryCount, 4);
        // The clipboard stays filled: pasting again adds them once more.
        PasteFromClipboard(src.s, clip);
        QCOMPARE(Inventories(src.s, 5002).size(), 6);
    }

    void keptNumbersAreNeverHandedOutAgain()
    {
        tSource src;
        tSeriesClipboard clip;
        CopyFolderToClipboard(src.s, clip, src.nodes[QStringLiteral("Memorial")]);
        tMainState other;
        BuildTree(other, QStringLiteral("Country #5000\n"));
        Coin(other, other.EntireCollection->ChildNodes[0].get(), 1);
        PasteFromClipboard(other, clip);   // keeps 5 and 6
        QCOMPARE(Inventories(other, 5003), (QList<int>{5, 6}));
        QCOMPARE(AssignInventory(other), 7);
    }

    // Pasting into a tree far deeper than a stack would carry one frame per
    // level finds the deepest series as the parent, and the series already
    // there as the target.
    void pasteIntoADeepTree()
    {
        constexpr int depth = 300000;
        tMainState deep;
        tnodeinfo *n = deep.EntireCollection.get();
        for (int i = 0; i < depth; ++i)
            n = AddChildNode(n, 2000000 + i);
        tMainState src;
        BuildTree(src, QStringLiteral("Mine #7000\n"));
        src.EntireCollection->ChildNodes[0]->CoinType = 2000000 + depth - 1;  // the deepest's number
        AddChildNode(src.EntireCollection->ChildNodes[0].get(), 7001)->NodeName = QStringLiteral("Below");
        tSeriesClipboard clip;
        CopyFolderToClipboard(src, clip, src.EntireCollection->ChildNodes[0].get());
        QCOMPARE(clip.ClipboardFolderList.size(), size_t(2));
        const tPasteTargets there = FindPasteTargets(deep, *clip.ClipboardFolderList[0]);
        QCOMPARE(there.Target, n);
        PasteFromClipboard(deep, clip);
        QCOMPARE(n->ChildNodes.size(), size_t(1));
        QCOMPARE(n->ChildNodes[0]->CoinType, 7001);
        QCOMPARE(n->ChildNodes[0]->NodeName, QStringLiteral("Below"));
    }

    void emptyClipboardAndTheRoot()
    {
        tSource src;
        tSeriesClipboard clip;
        const QString before = TreeOutline(src.s);
        QCOMPARE(PasteFromClipboard(src.s, clip),
                 QStringLiteral("0 folders pasted from clipboard.\r0 coins pasted from clipboard."));
        QVERIFY(src.s.DataModified);
        QCOMPARE(src.s.CoinList.size(), size_t(7));

        // The root gives no series copy; its own entry is copied but, with no
        // series to match, never pasted.
        QCOMPARE(CopyFolderToClipboard(src.s, clip, src.s.EntireCollection.get()),
                 QStringLiteral("5 folders and 7 coins were copied to the clipboard."));
        PasteFromClipboard(src.s, clip);
        QCOMPARE(TreeOutline(src.s), before);
        QCOMPARE(src.s.CoinList.size(), size_t(13));
    }
};

QTEST_GUILESS_MAIN(tst_SeriesClipboard)
#include "tst_seriesclipboard.moc"
