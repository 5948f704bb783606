#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "browse/coins/ui/coingridpage.h"
#include "browse/shell/pageswitch.h"
#include "browse/shell/ui/mainform.h"
#include "core/files/collectionfile.h"
#include "pricing/pricelists/pricelist.h"
#include "reports/bin/ui/reportbinpane.h"
#include "reports/run/ui/reportspage.h"
#include "support/programfixture.h"
#include "support/programsteps.h"

// The report bin as a collector fills and uses it in the running program:
// from the Coins page's bin picture and the tracking menu to the Report
// Bin pane, back to an entry, and into the saved file.
namespace {

struct tCollection {
    tnodeinfo *Cents = nullptr;
    tnodeinfo *Dimes = nullptr;
    std::vector<tCoinInfo *> Coins;  // item numbers 1..5
};

tCollection Fill(tProgramFixture &program)
{
    tMainState &s = program.State();
    program.Trigger(QStringLiteral("MenuItem17"));  // File > New: the coin pages show
    tCollection c;
    tnodeinfo *country = AddChildNode(s.EntireCollection.get(), 31000);
    country->NodeName = QStringLiteral("Canada");
    c.Cents = AddChildNode(country, 31001);
    c.Cents->NodeName = QStringLiteral("Small cents");
    c.Dimes = AddChildNode(country, 31002);
    c.Dimes->NodeName = QStringLiteral("Dimes");
    const std::pair<tnodeinfo *, int> entries[] = {{c.Cents, 1901}, {c.Cents, 1902}, {c.Dimes, 1903},
                                                   {c.Dimes, 1904}, {c.Cents, 1905}};
    int item = 1;
    for (const auto &[series, year] : entries) {
        auto coin = std::make_unique<tCoinInfo>();
        coin->CoinType = series->CoinType;
        coin->Folder = series;
        coin->Year = year;
        coin->Have = 1;
        coin->Inventory = item++;
        c.Coins.push_back(coin.get());
        s.CoinList.push_back(std::move(coin));
    }
    s.MaxInventory = item;
    // Series with prices have a Coins page.
    for (int type : {31001, 31002}) {
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = type;
        p->Year = 1901;
        s.PriceList.push_back(std::move(p));
    }
    PriceListChanged(s);
    s.LastFileName = QDir(program.Home()).filePath(QStringLiteral("Bin.OVD"));
    program.Form().PageTabs->setEnabled(true);
    s.SelectedTreeNode = c.Cents;
    Q_EMIT s.Events->CalcVisibleNodes();
    Q_EMIT s.Events->SeriesSelected();
    return c;
}

QList<int> InBin(const tMainState &s)
{
    QList<int> out;
    for (const auto &c : s.CoinList)
        if (c->InBin)
            out << c->Inventory;
    return out;
}

} // namespace

class tst_ReportBin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void binFillsFromTheCoinsPageAndGoesBackToAnEntry()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        s.AutoBin = false;
        const tCollection c = Fill(program);
        auto *page = form.findChild<TReportsPage *>();
        QVERIFY(page);
        QCOMPARE(form.BinLabel->text(), QStringLiteral("0"));

        // The bin picture on the Coins page puts the current entry and the
        // multi-selected ones in.
        ClickTab(form, PageCoins);
        form.CoinGridPage->SelectCoin(c.Coins[0]);
        c.Coins[4]->selected = true;
        s.DataModified = false;
        QTest::mouseClick(form.BinImage, Qt::LeftButton);
        QCOMPARE(InBin(s), (QList<int>{1, 5}));
        QCOMPARE(form.BinLabel->text(), QStringLiteral("2"));
        QVERIFY(form.BinImage->property("BinFull").toBool());
        QVERIFY(s.DataModified);
        QTest::mouseClick(form.BinImage, Qt::LeftButton);
        QVERIFY(InBin(s).isEmpty());
        c.Coins[4]->selected = false;
        QTest::mouseClick(form.BinImage, Qt::LeftButton);
        QCOMPARE(InBin(s), (QList<int>{1}));

        // Tracked entries of the whole collection join it from the menu.
        c.Coins[3]->User1 = true;
        s.SelectedTreeNode = s.EntireCollection.get();
        Q_EMIT s.Events->SeriesSelected();
        program.Trigger(QStringLiteral("Placetrackedcoinsinreportbin1"));
        QCOMPARE(InBin(s), (QList<int>{1, 4}));
        QCOMPARE(form.BinLabel->text(), QStringLiteral("2"));

        // The Report Bin pane lists them; "Go to this entry" shows one on
        // the Coins page.
        ClickTab(form, PageReports);
        QVERIFY(page->CornerButton3->isVisible());
        QTest::mouseClick(page->CornerButton3, Qt::LeftButton);
        QCOMPARE(page->ReportTabControl->currentWidget(), page->BinTab);
        QTableWidget *grid = page->BinPane->BinGrid;
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("4"));
        QCOMPARE(grid->item(1, 8)->text(), QStringLiteral("Canada / Dimes"));
        grid->setCurrentCell(1, 0);
        QTest::mouseClick(page->BinPane->GoToThisCoinBtn, Qt::LeftButton);
        QCOMPARE(form.PageTabs->currentIndex(), int(PageCoins));
        QCOMPARE(s.SelectedTreeNode, c.Dimes);
        QVERIFY(s.CoinGridRow >= 0);
        QCOMPARE(s.CurrCoinList[static_cast<size_t>(s.CoinGridRow)], c.Coins[3]);

        // The bin is kept in the collection file.
        program.Ui.pick({s.LastFileName});
        program.Trigger(QStringLiteral("SaveCoinData1"));
        tMainState reread;
        reread.CountriesRedirect = s.CountriesRedirect;
        QVERIFY(LoadDataFromFile(reread, s.LastFileName, false));
        QCOMPARE(InBin(reread), (QList<int>{1, 4}));

        // Taking the last entry out hides the pane and its button.
        ClickTab(form, PageReports);
        QTest::mouseClick(page->CornerButton3, Qt::LeftButton);
        grid->setCurrentCell(0, 0);
        QTest::mouseClick(page->BinPane->RemoveFromBinBtn, Qt::LeftButton);
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(form.BinLabel->text(), QStringLiteral("1"));
        QTest::mouseClick(page->BinPane->RemoveFromBinBtn, Qt::LeftButton);
        QVERIFY(InBin(s).isEmpty());
        QCOMPARE(form.BinLabel->text(), QStringLiteral("0"));
        QVERIFY(!form.BinImage->property("BinFull").toBool());
        QVERIFY(page->CornerButton3->isHidden());
        QCOMPARE(page->ReportTabControl->currentWidget(), page->DescriptionTab);
        QCOMPARE(page->CornerButton1->property("StyleLookup").toString(), QStringLiteral("CornerButtonStyleDown"));
    }

    void emptyTheBinAndAnotherCollectionLeaveNoStaleRows()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        const tCollection c = Fill(program);
        for (tCoinInfo *coin : c.Coins)
            coin->InBin = true;
        Q_EMIT s.Events->ShowBinCount();
        auto *page = form.findChild<TReportsPage *>();
        ClickTab(form, PageReports);
        QTest::mouseClick(page->CornerButton3, Qt::LeftButton);
        QCOMPARE(page->BinPane->BinGrid->rowCount(), 5);
        s.DataModified = false;
        QTest::mouseClick(page->BinPane->EmptyTheBinBtn, Qt::LeftButton);
        QVERIFY(InBin(s).isEmpty());
        QVERIFY(s.DataModified);
        QVERIFY(page->CornerButton3->isHidden());
        QCOMPARE(page->ReportTabControl->currentWidget(), page->DescriptionTab);

        // A new collection replaces the entries: the count follows.
        c.Coins[0]->InBin = true;
        Q_EMIT s.Events->ShowBinCount();
        QCOMPARE(form.BinLabel->text(), QStringLiteral("1"));
        s.DataModified = false;
        program.Trigger(QStringLiteral("MenuItem17"));  // File > New
        QCOMPARE(form.BinLabel->text(), QStringLiteral("0"));
        QVERIFY(page->CornerButton3->isHidden());
        QVERIFY(s.BinList.empty());
    }
};

QTEST_MAIN(tst_ReportBin)
#include "tst_reportbin.moc"
