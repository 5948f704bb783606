#include <QtTest>

#include "browse/finders/trackrules.h"
#include "support/treefixture.h"

Q_DECLARE_METATYPE(tTrackCounts)
Q_DECLARE_METATYPE(tTrackButtons)

namespace {

std::vector<tTrackRowState> Rows(int userFields = 0)
{
    return std::vector<tTrackRowState>(static_cast<size_t>(BuiltInTrackRows + userFields));
}

} // namespace

class tst_TrackRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scopeFollowsTheChoice()
    {
        tMainState s;
        const auto nodes = BuildTree(s, QStringLiteral("Alpha #2000\n  Alpha cents #2001\n"));
        QCOMPARE(TrackScopeNode(s, ScopeEntireCollection), s.EntireCollection.get());
        // Nothing selected yet: the whole collection.
        s.SelectedTreeNode = nullptr;
        QCOMPARE(TrackScopeNode(s, ScopeSelectedSeries), s.EntireCollection.get());
        s.SelectedTreeNode = nodes.value(QStringLiteral("Alpha cents"));
        QCOMPARE(TrackScopeNode(s, ScopeSelectedSeries), s.SelectedTreeNode);
        QCOMPARE(TrackScopeNode(s, ScopeEntireCollection), s.EntireCollection.get());
    }

    void buttonsAndCounters_data()
    {
        QTest::addColumn<tTrackCounts>("counts");
        QTest::addColumn<tTrackButtons>("buttons");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("empty collection: all off, all 0")
            << tTrackCounts{} << tTrackButtons{false, false, false}
            << QStringList{"Coins already tracked: 0", "That match this filter: 0", "That don't match this filter: 0",
                           "Coins not tracked: 0",     "That match this filter: 0", "That don't match this filter: 0",
                           "Total coins in selected series: 0", "That match this filter: 0",
                           "That don't match this filter: 0"};
        QTest::newRow("after tracking the matching: nothing left to track that matches")
            << tTrackCounts{3, 1, 0, 4} << tTrackButtons{true, false, true}
            << QStringList{"Coins already tracked: 4", "That match this filter: 3", "That don't match this filter: 1",
                           "Coins not tracked: 4",     "That match this filter: 0", "That don't match this filter: 4",
                           "Total coins in selected series: 8", "That match this filter: 3",
                           "That don't match this filter: 5"};
        QTest::newRow("nothing tracked, all match")
            << tTrackCounts{0, 0, 5, 0} << tTrackButtons{false, true, false}
            << QStringList{"Coins already tracked: 0", "That match this filter: 0", "That don't match this filter: 0",
                           "Coins not tracked: 5",     "That match this filter: 5", "That don't match this filter: 0",
                           "Total coins in selected series: 5", "That match this filter: 5",
                           "That don't match this filter: 0"};
    }
    void buttonsAndCounters()
    {
        QFETCH(tTrackCounts, counts);
        QFETCH(tTrackButtons, buttons);
        QFETCH(QStringList, texts);
        QVERIFY(TrackButtonStates(counts) == buttons);
        const auto shown = TrackCounterTexts(counts);
        QCOMPARE(QStringList(shown.begin(), shown.end()), texts);
    }

    void untickedRowsSetNothing()
    {
        auto rows = Rows(2);
        for (auto &r : rows) {
            r.Text1 = QStringLiteral("5");
            r.Index1 = 0;
        }
        rows[BuiltInTrackRows].FieldType = UDFTextBox;
        const tTrackCriteria c = TrackCriteriaFromRows(rows);
        QVERIFY(!c.ItemNumber && !c.Comment && !c.Grade && !c.Metal && !c.MintError && !c.PriceLock);
        QVERIFY(c.Fields.empty());
        for (const auto &q : c.MinQuantity)
            QVERIFY(!q);
    }

    void tickedRowsBecomeCriteria()
    {
        auto rows = Rows();
        const auto tick = [&rows](int r) -> tTrackRowState & {
            rows[static_cast<size_t>(r)].Ticked = true;
            return rows[static_cast<size_t>(r)];
        };
        tick(RowItemNumber).Text1 = QStringLiteral("5");
        tick(RowComment).Text1 = QStringLiteral(" D*Y ");
        tTrackRowState &grade = tick(RowGrade);
        grade.Index1 = 3;
        grade.Index2 = 40;
        tTrackRowState &bought = tick(RowBuyDate);
        bought.Day1 = 45000;
        bought.Day2 = 45010;
        tick(RowMinNeed).Quantity = 2;
        tTrackRowState &metal = tick(RowMetal);
        metal.Index1 = 1;
        metal.ItemNumber = 4;
        tick(RowMintError).Index1 = 1;
        tick(RowPriceLock).Index1 = LockSell;
        tick(RowItemType).Index1 = ItemTypePaperMoney;
        const tTrackCriteria c = TrackCriteriaFromRows(rows);
        QCOMPARE(c.ItemNumber->Lower, QStringLiteral("5"));
        QVERIFY(c.ItemNumber->Upper.isEmpty());
        QCOMPARE(*c.Comment, QStringLiteral(" D*Y "));  // as typed
        QCOMPARE(*c.Grade, (std::pair{3, 40}));
        QCOMPARE(*c.BuyDate, (std::pair<int32_t, int32_t>{45000, 45010}));
        QVERIFY(!c.MinQuantity[0]);
        QCOMPARE(*c.MinQuantity[1], 2);
        QCOMPARE(*c.Metal, 4);
        QCOMPARE(*c.MintError, false);  // "No"
        QCOMPARE(*c.PriceLock, int(LockSell));
        QCOMPARE(*c.ItemType, int(ItemTypePaperMoney));
        // A metal list with nothing chosen asks for no metal at all.
        rows[RowMetal].Index1 = -1;
        QCOMPARE(*TrackCriteriaFromRows(rows).Metal, NoMetalChosen);
    }

    void userFieldRowsBecomeCriteria_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("wantText");
        QTest::addColumn<QString>("wantLower");
        QTest::addColumn<bool>("wantYes");
        QTest::newRow("text box: the pattern") << int(UDFTextBox) << "smith*" << -1 << "smith*" << "" << false;
        QTest::newRow("pick list: the chosen item") << int(UDFPickList) << "Bad" << 1 << "Bad" << "" << false;
        QTest::newRow("pick list, nothing chosen: no restriction") << int(UDFPickList) << "" << -1 << "" << ""
                                                                    << false;
        QTest::newRow("check box: Yes is the first item") << int(UDFCheckBox) << "Yes" << 0 << "" << "" << true;
        QTest::newRow("check box: No") << int(UDFCheckBox) << "No" << 1 << "" << "" << false;
        QTest::newRow("money: a range") << int(UDFMoney) << "15,00" << -1 << "" << "15,00" << false;
        QTest::newRow("real number: a range") << int(UDFReal) << "2.5" << -1 << "" << "2.5" << false;
        QTest::newRow("phone: the prefix") << int(UDFPhone) << "(555" << -1 << "(555" << "" << false;
    }
    void userFieldRowsBecomeCriteria()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(QString, wantText);
        QFETCH(QString, wantLower);
        QFETCH(bool, wantYes);
        auto rows = Rows(2);
        tTrackRowState &r = rows[BuiltInTrackRows + 1];
        r.Ticked = true;
        r.FieldIndex = 7;
        r.FieldType = type;
        r.Text1 = text;
        r.Index1 = index;
        const tTrackCriteria c = TrackCriteriaFromRows(rows);
        QCOMPARE(c.Fields.size(), size_t(1));
        const tFieldCriterion &f = c.Fields.front();
        QCOMPARE(f.Index, 7);
        QCOMPARE(f.FieldType, type);
        QCOMPARE(f.Text, wantText);
        QCOMPARE(f.Range.Lower, wantLower);
        QCOMPARE(f.Yes, wantYes);
    }

    void dateFieldRowTakesBothDays()
    {
        auto rows = Rows(1);
        tTrackRowState &r = rows[BuiltInTrackRows];
        r.Ticked = true;
        r.FieldType = UDFDate;
        r.Day1 = 45000;
        r.Day2 = 45020;
        const tFieldCriterion f = TrackCriteriaFromRows(rows).Fields.at(0);
        QCOMPARE(f.DateFrom, 45000);
        QCOMPARE(f.DateTo, 45020);
    }
};

QTEST_MAIN(tst_TrackRules)
#include "tst_trackrules.moc"
