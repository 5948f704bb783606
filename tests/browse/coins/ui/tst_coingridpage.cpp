#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "browse/coins/coingridcells.h"
#include "browse/coins/ui/coingrideditboxes.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/coins/ui/coingridview.h"
#include "support/coinfixture.h"

class tst_CoinGridPage : public QObject {
    Q_OBJECT

    std::unique_ptr<tMainState> s;
    std::unique_ptr<TCoinGridPage> page;
    tCoinPrices valuation;
    int editorFills = 0;
    QList<bool> prepared;  // CoinsPagePrepared calls

    void Open(QSize size = QSize(1200, 800))
    {
        page = std::make_unique<TCoinGridPage>(*s);
        page->CoinsPagePrepared = [this](bool filled) { prepared << filled; };
        QObject::connect(s->Events.get(), &tStateEvents::FillCoinEditor, [this] { ++editorFills; });
        page->resize(size);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        page->PrepCoinsPage();
    }

    QHeaderView *Header() const { return page->CoinGrid->horizontalHeader(); }
    void ClickHeader(int column)
    {
        QHeaderView *h = Header();
        const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
    }
    QPoint RowPoint(int row, int column = ColComment) const
    {
        return page->CoinGrid->visualRect(page->CoinGrid->model()->index(row, column)).center();
    }
    void ClickRow(int row, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(page->CoinGrid->viewport(), Qt::LeftButton, mods, RowPoint(row));
    }
    QString Years() const
    {
        QStringList out;
        for (const tCoinInfo *c : s->CurrCoinList)
            out << QString::number(c->Year) + c->Mint;
        return out.join(QLatin1Char(' '));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        s = NewCoinState();
        valuation = {};
        valuation.Install(*s);
        editorFills = 0;
        prepared.clear();
        const struct {
            int year;
            const char *mint;
            int have, need;
            const char *gradedBy;
        } coins[] = {{1950, "S", 1, 0, "NGC"}, {1909, "P", 2, 0, "PCGS"}, {1950, "D", 0, 1, "Dealer"},
                     {1931, "S", 1, 0, ""},    {1909, "S", 0, 2, "ICG"}};
        for (const auto &c : coins)
            AddCoin(*s, {.Year = c.year,
                         .Mint = QLatin1String(c.mint),
                         .Have = c.have,
                         .Need = c.need,
                         .Gradedby = QLatin1String(c.gradedBy),
                         .Stored = QStringLiteral("Album"),
                         .BuyPrice = M(c.year - 1900),
                         .Notes = QStringLiteral("notes %1").arg(c.year)});
    }
    void cleanup()
    {
        page.reset();
        s.reset();
    }

    void headerClicksSortAndRefineWithinTheWindow()
    {
        Open();
        QCOMPARE(Years(), QStringLiteral("1950S 1909P 1950D 1931S 1909S"));
        ClickHeader(ColYear);
        QCOMPARE(Years(), QStringLiteral("1909P 1909S 1931S 1950S 1950D"));
        ClickHeader(ColMint);
        QCOMPARE(QList<int>(s->CoinSortOrder.begin(), s->CoinSortOrder.end()),
                 (QList<int>{ColYear, ColMint, NoSortKey}));
        QCOMPARE(Years(), QStringLiteral("1909P 1909S 1931S 1950D 1950S"));
        QCOMPARE(page->CoinGrid->model()->headerData(ColMint, Qt::Horizontal).toString(), QStringLiteral("Mint\u2777"));

        // Once the window has lapsed a click starts a new sort.
        for (int i = 0; i < SortRefineTicks; ++i)
            page->HousekeepingTick();
        ClickHeader(ColPrice);
        QCOMPARE(QList<int>(s->CoinSortOrder.begin(), s->CoinSortOrder.end()),
                 (QList<int>{ColPrice, NoSortKey, NoSortKey}));
        QCOMPARE(Years(), QStringLiteral("1909P 1909S 1931S 1950D 1950S"));
    }

    void headerClickKeepsTheCurrentEntryCurrent()
    {
        Open();
        ClickRow(3);  // 1931S
        tCoinInfo *current = s->CurrCoinList[3];
        ClickHeader(ColYear);
        QCOMPARE(s->CurrCoinList[s->CoinGridRow], current);
        QCOMPARE(page->CoinGrid->currentIndex().row(), s->CoinGridRow);
        QCOMPARE(page->CoinGrid->currentIndex().column(), int(ColYear));
    }

    void selectingSeveralRowsShowsTheTotals()
    {
        Open();
        ClickRow(1);
        QVERIFY(!page->SumPanel->isVisible());
        QVERIFY(page->ThumbnailPanel->isVisible());
        ClickRow(3, Qt::ControlModifier);
        QVERIFY(page->SumPanel->isVisible());
        QVERIFY(!page->ThumbnailPanel->isVisible());
        QCOMPARE(page->SelectedSumLabel->text(), QStringLiteral("Selected: 2"));
        QCOMPARE(page->HaveSumLabel->text(), QStringLiteral("Have: 3"));
        QCOMPARE(page->PriceSumLabel->text(), QStringLiteral("Price: 49.00"));

        // The marked row that is not current is painted yellow.
        const QImage shot = page->CoinGrid->viewport()->grab().toImage();
        const QPoint marked = RowPoint(1, ColBin);
        QCOMPARE(shot.pixelColor(marked), QColor(0xFF, 0xFF, 0x00));
        const QPoint other = RowPoint(2, ColBin);
        QVERIFY(shot.pixelColor(other) != QColor(0xFF, 0xFF, 0x00));

        ClickRow(0, Qt::ShiftModifier);
        QCOMPARE(page->SelectedSumLabel->text(), QStringLiteral("Selected: 4"));
        ClickRow(4);
        QVERIFY(!page->SumPanel->isVisible());
    }

    void aRowChangeFillsTheEditor()
    {
        Open();
        editorFills = 0;
        ClickRow(1);
        QCOMPARE(editorFills, 1);
        QCOMPARE(s->LastItemNumberAccessed, s->CurrCoinList[1]->Inventory);
        QTest::keyClick(page->CoinGrid, Qt::Key_Down);
        QCOMPARE(editorFills, 2);
        QCOMPARE(s->CoinGridRow, 2);
        QVERIFY(!s->DataModified);
    }

    void viewBoxesFilterTheList()
    {
        Open();
        page->ViewHaveCheckBox->setChecked(false);
        QVERIFY(!s->ViewHave);
        QCOMPARE(s->CurrCoinList.size(), 2u);
        QCOMPARE(page->View2Label->text(), QStringLiteral("3 items hidden."));
        QVERIFY(page->View2Label->isVisible());
        page->ViewNeedCheckBox->setChecked(false);
        QVERIFY(!page->CoinGrid->isVisible());
        QVERIFY(page->WarningPanelCoins->isVisible());
        // One line per line of the notice.
        QVERIFY(page->WarningLabelCoins->text().startsWith(QLatin1String("There are 5 entries in the folder\n\"")));
        QVERIFY(!page->WarningLabelCoins->text().contains(QLatin1Char('\r')));
        // The editor is told that no entry is current, and the page that
        // the list is empty.
        QCOMPARE(s->CoinGridRow, -1);
        QVERIFY(editorFills > 0);
        QCOMPARE(prepared.last(), false);
        page->ViewHaveCheckBox->setChecked(true);
        QVERIFY(page->CoinGrid->isVisible());
        QCOMPARE(page->CoinGrid->model()->rowCount(), 3);
        QCOMPARE(prepared.last(), true);
        // Flags switched on elsewhere show in the boxes at the next refill.
        s->ViewNeed = true;
        page->PrepCoinsPage();
        QVERIFY(page->ViewNeedCheckBox->isChecked());
        QVERIFY(!page->View2Label->isVisible());
    }

    void columnLayoutFollowsTheHeader()
    {
        Open();
        int captions = 0;
        QObject::connect(s->Events.get(), &tStateEvents::SetMainCaption, [&] { ++captions; });
        Header()->moveSection(Header()->visualIndex(ColComment), 0);  // as a drag does
        QVERIFY(s->DataModified);
        QCOMPARE(captions, 1);
        QVERIFY(page->PackColumnData().startsWith(QLatin1String("16,200,0,80,")));
        Header()->resizeSection(ColYear, 55);
        QVERIFY(page->PackColumnData().contains(QLatin1String(",2,55,")));

        s->DataModified = false;
        page->UnpackColumnData(QStringLiteral("5,90,4,60"));
        page->UnpackColumnData(QStringLiteral("5,90,4,60"));
        QVERIFY(!s->DataModified);
        QCOMPARE(Header()->logicalIndex(0), int(ColGM));
        QCOMPARE(Header()->logicalIndex(1), int(ColVariety));
        QCOMPARE(Header()->sectionSize(ColGM), 90);

        AddField(*s, UDFTextBox, QStringLiteral("Pedigree"));
        page->SetupCoinGridCols();
        QCOMPARE(Header()->count(), 25);
        QCOMPARE(Header()->visualIndex(24), 24);
        QCOMPARE(page->CoinGrid->model()->headerData(24, Qt::Horizontal).toString(), QStringLiteral("Pedigree"));

        page->ResetColumnsButtonBtnClick();
        QVERIFY(s->DataModified);
        QCOMPARE(Header()->logicalIndex(0), 0);
        QCOMPARE(Header()->sectionSize(ColVariety), 140);
        QCOMPARE(Header()->sectionSize(24), 100);
    }

    void listMemosLimitLinesAndFillTheBoxes()
    {
        Open();
        TListMemo *memo = page->GradedByMemo;
        memo->setPlainText(QStringLiteral("ABCDEFGHIJ\n\n  \nSecond"));
        memo->setFocus(Qt::TabFocusReason);
        QTextCursor c = memo->textCursor();
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::EndOfBlock);
        memo->setTextCursor(c);
        QTest::keyClicks(memo, QStringLiteral("K"));
        QCOMPARE(memo->toPlainText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("ABCDEFGHIJ"));
        c.movePosition(QTextCursor::NextBlock);
        memo->setTextCursor(c);
        QTest::keyClick(memo, Qt::Key_Backspace);
        QCOMPARE(memo->toPlainText(), QStringLiteral("ABCDEFGHIJ\n\n  \nSecond"));
        int listChanges = 0;
        page->PickListsChanged = [&] { ++listChanges; };
        page->CoinGrid->setFocus(Qt::TabFocusReason);
        QCOMPARE(memo->toPlainText(), QStringLiteral("ABCDEFGHIJ\nSecond"));
        // The lines are the collection's suggestions from now on.
        QCOMPARE(s->GradedByBoxItems, (QStringList{QStringLiteral("ABCDEFGHIJ"), QStringLiteral("Second")}));
        QVERIFY(s->DataModified);
        QCOMPARE(listChanges, 1);
        memo->setFocus(Qt::TabFocusReason);
        page->CoinGrid->setFocus(Qt::TabFocusReason);
        QCOMPARE(listChanges, 1);

        // The stored-in memo takes 30 characters a line.
        TListMemo *stored = page->StoredInMemo;
        stored->setPlainText(QString());
        stored->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(stored, QString(35, QLatin1Char('x')));
        QCOMPARE(stored->toPlainText().size(), 30);
    }

    // An edit re-sorts the list and selects its entry again: the columns
    // stay where they were scrolled. A newly selected series starts at its
    // first row.
    void selectingKeepsTheColumnsScrolled()
    {
        Open(QSize(700, 500));
        QCoreApplication::processEvents();
        QScrollBar *across = page->CoinGrid->horizontalScrollBar();
        QVERIFY(across->maximum() > 0);
        page->SelectCoin(s->CurrCoinList[3]);
        across->setValue(across->maximum());
        page->SortFolderCoins();
        page->SelectCoin(s->CurrCoinList[1]);
        QCOMPARE(across->value(), across->maximum());

        editorFills = 0;
        page->ToFirstRow();
        QCOMPARE(s->CoinGridRow, 0);
        QCOMPARE(editorFills, 1);
        page->ToFirstRow();
        QCOMPARE(editorFills, 1);
    }

    void selectCoinScrollsTowardsTheMiddle()
    {
        for (int i = 0; i < 60; ++i)
            AddCoin(*s, {.Year = 2000 + i, .Have = 1});
        Open(QSize(1200, 700));
        tCoinInfo *target = s->CurrCoinList[40];
        QCoreApplication::processEvents();  // the page's layout settles
        editorFills = 0;
        page->SelectCoin(target);
        QCOMPARE(s->CoinGridRow, 40);
        QCOMPARE(editorFills, 1);
        const int visible = page->CoinGrid->VisibleRows();
        QCOMPARE(page->CoinGrid->rowAt(0), SelectCoinTopRow(40, visible));
    }
};

QTEST_MAIN(tst_CoinGridPage)
#include "tst_coingridpage.moc"
