#include <QtTest>

#include "core/model/seriestree.h"
#include "browse/tree/seriesmove.h"
#include "platform/uiservices.h"
#include "support/scriptedui.h"
#include "support/treefixture.h"

namespace {

const QString Shape = QStringLiteral(
    "A\n"
    "  A1\n"
    "    A1a\n"
    "  A2\n"
    "  A3\n"
    "B\n"
    "  B1\n");

QString Lines(std::initializer_list<const char *> lines)
{
    QStringList l;
    for (const char *s : lines)
        l << QString::fromUtf8(s);
    return l.join(QLatin1Char('\n'));
}

} // namespace

class tst_SeriesMove : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { platform::setUserInterface(nullptr); }

    void moves_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QString>("after");
        const int before = int(tMovePlace::Before), after = int(tMovePlace::After), inside = int(tMovePlace::Inside);
        QTest::newRow("before a later sibling")
            << "A1" << "A3" << before << true
            << Lines({"A", "  A2", "  A1", "    A1a", "  A3", "B", "  B1"});
        QTest::newRow("after an earlier sibling")
            << "A3" << "A1" << after << true
            << Lines({"A", "  A1", "    A1a", "  A3", "  A2", "B", "  B1"});
        QTest::newRow("after the last child appends")
            << "A1" << "A3" << after << true
            << Lines({"A", "  A2", "  A3", "  A1", "    A1a", "B", "  B1"});
        QTest::newRow("before, into another parent")
            << "B1" << "A2" << before << true
            << Lines({"A", "  A1", "    A1a", "  B1", "  A2", "  A3", "B"});
        QTest::newRow("inside appends to the children")
            << "A1" << "B" << inside << true
            << Lines({"A", "  A2", "  A3", "B", "  B1", "  A1", "    A1a"});
        QTest::newRow("inside a leaf")
            << "B" << "A2" << inside << true
            << Lines({"A", "  A1", "    A1a", "  A2", "    B", "      B1", "  A3"});
        QTest::newRow("before the root means inside it")
            << "A1a" << "Entire Collection" << before << true
            << Lines({"A", "  A1", "  A2", "  A3", "B", "  B1", "A1a"});
        QTest::newRow("onto itself is refused") << "A1" << "A1" << inside << false << Shape.trimmed();
        QTest::newRow("onto a descendant is refused") << "A" << "A1a" << after << false << Shape.trimmed();
        QTest::newRow("the root never moves") << "Entire Collection" << "B1" << inside << false << Shape.trimmed();
    }
    void moves()
    {
        QFETCH(QString, item);
        QFETCH(QString, target);
        QFETCH(int, place);
        QFETCH(bool, moved);
        QFETCH(QString, after);
        tMainState s;
        auto n = BuildTree(s, Shape);
        QCOMPARE(MoveSeries(n.value(item), n.value(target), tMovePlace(place)), moved);
        QCOMPARE(TreeOutline(s), after);   // also checks every ParentNode
    }

    void dropOnTheRootAsksNothing()
    {
        tMainState s;
        auto n = BuildTree(s, Shape);
        tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
        platform::setUserInterface(&ui);
        int selections = 0;
        QObject::connect(s.Events.get(), &tStateEvents::SeriesSelected, [&] { ++selections; });
        tnodeinfo *a1 = n.value("A1");
        s.SelectedTreeNode = a1;
        QVERIFY(DropSelectedSeries(s, s.EntireCollection.get()));
        QVERIFY(ui.Messages.empty());
        QCOMPARE(s.EntireCollection->ChildNodes.back().get(), a1);
        QVERIFY(a1->MoveOK);                  // a drop on the root keeps it
        QVERIFY(s.DataModified);
        QCOMPARE(s.SelectedTreeNode, a1);
        QCOMPARE(selections, 1);
    }

    void dropAsksWhere_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QString>("after");
        QTest::newRow("Before") << 1 << true << Lines({"A", "  A2", "  A3", "B", "  A1", "    A1a", "  B1"});
        QTest::newRow("After") << 2 << true << Lines({"A", "  A2", "  A3", "B", "  B1", "  A1", "    A1a"});
        QTest::newRow("Inside") << 4 << true << Lines({"A", "  A2", "  A3", "B", "  B1", "    A1", "      A1a"});
        QTest::newRow("Cancel") << 8 << false << Shape.trimmed();
        QTest::newRow("box closed") << 0 << false << Shape.trimmed();
    }
    void dropAsksWhere()
    {
        QFETCH(int, answer);
        QFETCH(bool, moved);
        QFETCH(QString, after);
        tMainState s;
        auto n = BuildTree(s, Shape);
        tnodeinfo *a1 = n.value("A1");
        tnodeinfo *a1a = n.value("A1a");
        auto coin = std::make_unique<tCoinInfo>();
        coin->Folder = a1a;
        s.CoinList.push_back(std::move(coin));
        CalcNodeEntries(s);
        tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
        ui.reply(answer);
        platform::setUserInterface(&ui);
        int selections = 0;
        QObject::connect(s.Events.get(), &tStateEvents::SeriesSelected, [&] { ++selections; });
        s.SelectedTreeNode = a1;

        QCOMPARE(DropSelectedSeries(s, n.value("B1")), moved);
        QCOMPARE(int(ui.Messages.size()), 1);
        const platform::MessageRequest &q = ui.Messages.front();
        QCOMPARE(q.Text, QStringLiteral("Do you want\n\"A1\"\nto appear BEFORE, AFTER, or as a sub-type INSIDE\n\"B1\"?"));
        QCOMPARE(q.Picture, QStringLiteral("Resource/MoveMap"));
        QCOMPARE(int(q.Buttons.size()), 4);
        const QStringList captions{"Before", "After", "Inside", "Cancel"};
        const QList<int> values{1, 2, 4, 8}, icons{5, 6, 8, 3};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(q.Buttons[size_t(i)].Caption, captions[i]);
            QCOMPARE(q.Buttons[size_t(i)].Value, values[i]);
            QCOMPARE(q.Buttons[size_t(i)].ImageIndex, icons[i]);
        }
        QVERIFY(!q.ShowDontAsk);

        QCOMPARE(TreeOutline(s), after);
        QCOMPARE(a1->MoveOK, !moved);
        QCOMPARE(s.DataModified, moved);
        // Subtree totals follow the move.
        QCOMPARE(n.value("A")->EntryCount, moved ? 0 : 1);
        QCOMPARE(n.value("B")->EntryCount, moved ? 1 : 0);
        // Whatever the answer, the dragged series is selected again.
        QCOMPARE(s.SelectedTreeNode, a1);
        QCOMPARE(selections, 1);
    }

    void dropOntoOwnSubtreeChangesNothing()
    {
        tMainState s;
        auto n = BuildTree(s, Shape);
        tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
        ui.reply(4);
        platform::setUserInterface(&ui);
        s.SelectedTreeNode = n.value("A");
        QVERIFY(!CanDropOn(n.value("A"), n.value("A1a")));
        QVERIFY(!CanDropOn(n.value("A"), n.value("A")));
        QVERIFY(CanDropOn(n.value("A1a"), n.value("A")));
        QVERIFY(!DropSelectedSeries(s, n.value("A1a")));
        QVERIFY(ui.Messages.empty());
        QCOMPARE(TreeOutline(s), Shape.trimmed());
        QVERIFY(!s.DataModified);
    }
};

QTEST_MAIN(tst_SeriesMove)
#include "tst_seriesmove.moc"
