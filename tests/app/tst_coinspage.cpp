#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "core/files/collectionfile.h"
#include "core/model/dates.h"
#include "core/model/seriestree.h"
#include "core/collection/ui/filetoopenform.h"
#include "browse/coins/coingridcells.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coingridview.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/seriestreeview.h"
#include "support/programfixture.h"
#include "support/coinspagedriver.h"
#include "support/programsteps.h"

// The Coins page as a collector meets it in the assembled program: the
// first entry of an empty series, its fields, Clone, Undo and Delete, the
// editing of marked entries, opening the page from the tree, what a saved
// file holds, and the page's layout at the window's sizes.
namespace {

// Every stored field of an entry has exactly one control of its name.
const char *const EditorControls[] = {
    "DateMintBox", "GradeBox",  "GMbox",      "GradedByBox", "StoredBox",     "HaveEdit", "NeedEdit",
    "SellEdit",    "SoldEdit",  "BuyDateBox", "SellDateBox", "PriceEdit",     "SellPriceEdit",
    "CommentEdit", "NotesMemo", "BuyBox",     "SellBox",     "ErrorBox",      "User1Box",
};

// The entry a collector makes first: a year, a grade, the grader, where it
// is kept, notes and the day it was bought.
struct tFirstCoin {
    int YearItem = 1;
    int GradeItem = 2;
    QString GradedBy = QStringLiteral("PCGS");
    QString Stored = QStringLiteral("Album 3");
    QString Notes = QStringLiteral("Bought at the fair");
    int BuyDate = DateToDay(QDate(2024, 3, 5));
};

void FillFirstCoin(TMainForm &form, const tFirstCoin &c)
{
    Pick(Control<QComboBox>(form, "DateMintBox"), c.YearItem);
    Pick(Control<QComboBox>(form, "GradeBox"), c.GradeItem);
    TypeInto(Control(form, "GradedByBox"), c.GradedBy);
    TypeInto(Control(form, "StoredBox"), c.Stored);
    TypeInto(Control(form, "NotesMemo"), c.Notes);
    TypeInto(Control(form, "BuyDateBox"), FormatShortDate(c.BuyDate));
}

} // namespace

class tst_CoinsPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Start, a new collection, a series without entries: New makes the
    // first entry, its fields are typed in, Clone copies it, Undo takes the
    // copy back and Delete leaves the series empty again.
    void firstEntryOfAnEmptySeries()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        std::vector<tnodeinfo *> series;
        OpenEmptySeries(program, series);
        TMainForm &form = program.Form();
        tMainState &s = program.State();

        for (const char *name : EditorControls)
            QVERIFY2(!Control(form, name)->isEnabled(), name);
        auto *newBtn = Control<QPushButton>(form, "NewCoinBtn");
        auto *cloneBtn = Control<QPushButton>(form, "CloneCoinBtn");
        auto *undoBtn = Control<QPushButton>(form, "UndoCoinBtn");
        auto *deleteBtn = Control<QPushButton>(form, "DeleteCoinBtn");
        QVERIFY(newBtn->isEnabled());
        QVERIFY(!cloneBtn->isEnabled() && !deleteBtn->isEnabled() && !undoBtn->isEnabled());
        auto *notice = Control<QLabel>(form, "WarningLabelCoins");
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), QStringLiteral("There are currently no coins in the folder\n\"") +
                                     series.front()->NodeName + QLatin1Char('"'));
        QVERIFY(!form.PageTabs->isTabVisible(PageImages) && !form.PageTabs->isTabVisible(PageGraphs));

        Click(newBtn);
        QCOMPARE(s.CurrCoinList.size(), size_t(1));
        tCoinInfo *coin = Current(s);
        QVERIFY(coin);
        QCOMPARE(s.LastItemNumberAccessed, coin->Inventory);
        QVERIFY(Control(form, "CoinGrid")->isVisible() && !notice->isVisible());
        for (const char *name : EditorControls)
            QVERIFY2(Control(form, name)->isEnabled(), name);
        QVERIFY(cloneBtn->isEnabled() && deleteBtn->isEnabled() && undoBtn->isEnabled());
        QVERIFY(form.PageTabs->isTabVisible(PageImages) && form.PageTabs->isTabVisible(PageGraphs));

        const tFirstCoin typed;
        FillFirstCoin(form, typed);
        QVERIFY(coin->Year > 0);
        QCOMPARE(Cell(form, s.CoinGridRow, ColYear), QString::number(coin->Year));
        QVERIFY(std::any_of(s.CurrPriceList.begin(), s.CurrPriceList.end(),
                            [&](const tPriceInfo *p) { return p->Year == coin->Year; }));
        QCOMPARE(coin->Grade, s.CurrGradeList[static_cast<size_t>(typed.GradeItem - 1)].Slot);
        QCOMPARE(coin->Gradedby, typed.GradedBy);
        QCOMPARE(coin->Stored, typed.Stored);
        QCOMPARE(coin->Notes, typed.Notes);
        QCOMPARE(coin->BuyDate, typed.BuyDate);
        QCOMPARE(Cell(form, s.CoinGridRow, ColGradedBy), typed.GradedBy);
        QVERIFY(s.DataModified);

        Click(cloneBtn);
        QCOMPARE(s.CurrCoinList.size(), size_t(2));
        tCoinInfo *copy = Current(s);
        QVERIFY(copy != coin);
        QCOMPARE(copy->Year, coin->Year);
        QCOMPARE(copy->Gradedby, typed.GradedBy);
        QCOMPARE(copy->Notes, typed.Notes);
        QVERIFY(copy->Inventory != coin->Inventory);
        QCOMPARE(Control<QComboBox>(form, "StoredBox")->currentText(), typed.Stored);

        Click(undoBtn);
        QCOMPARE(s.CurrCoinList.size(), size_t(1));
        QCOMPARE(Current(s), coin);
        QCOMPARE(Control<QPlainTextEdit>(form, "NotesMemo")->toPlainText(), typed.Notes);

        program.Ui.answer(QStringLiteral("Yes"));
        Click(deleteBtn);
        QCOMPARE(program.Ui.pending(), 0);
        QVERIFY(s.CurrCoinList.empty());
        QVERIFY(notice->isVisible() && !Control(form, "CoinGrid")->isVisible());
        // The resting editor shows no entry, and a first entry can be made again.
        QCOMPARE(Control<QComboBox>(form, "GradedByBox")->currentText(), QString());
        QCOMPARE(Control<QPlainTextEdit>(form, "NotesMemo")->toPlainText(), QString());
        for (const char *name : EditorControls)
            QVERIFY2(!Control(form, name)->isEnabled(), name);
        QVERIFY(newBtn->isEnabled() && !cloneBtn->isEnabled() && !deleteBtn->isEnabled());
        QVERIFY(!form.PageTabs->isTabVisible(PageImages));

        // Undo brings the deleted entry back with its fields.
        Click(undoBtn);
        QCOMPARE(s.CurrCoinList.size(), size_t(1));
        QCOMPARE(Current(s)->Stored, typed.Stored);
        QCOMPARE(Control<QComboBox>(form, "StoredBox")->currentText(), typed.Stored);
    }

    // What was typed is what the saved file holds, read back by the
    // program's own reader.
    void savedEntryReadsBack()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        std::vector<tnodeinfo *> series;
        OpenEmptySeries(program, series);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        Click(Control<QPushButton>(form, "NewCoinBtn"));
        const tFirstCoin typed;
        FillFirstCoin(form, typed);
        const tCoinInfo written = *Current(s);

        const QString path = QDir(program.Home()).filePath(QStringLiteral("Mine.OVD"));
        program.Ui.pick({path});
        program.Trigger(QStringLiteral("SaveCoinData1"));
        QVERIFY(QFile::exists(path));

        tMainState read;
        QVERIFY(LoadDataFromFile(read, path, false));
        const auto it = std::find_if(read.CoinList.begin(), read.CoinList.end(),
                                     [&](const auto &c) { return c->Inventory == written.Inventory; });
        QVERIFY(it != read.CoinList.end());
        const tCoinInfo &back = **it;
        QCOMPARE(back.CoinType, written.CoinType);
        QCOMPARE(back.Year, written.Year);
        QCOMPARE(back.Mint, written.Mint);
        QCOMPARE(back.Grade, written.Grade);
        QCOMPARE(back.Gradedby, typed.GradedBy);
        QCOMPARE(back.Stored, typed.Stored);
        QCOMPARE(back.Notes, typed.Notes);
        QCOMPARE(back.BuyDate, typed.BuyDate);
        QCOMPARE(back.Have, 1);
        QCOMPARE(read.GradedByBoxItems, s.GradedByBoxItems);
        QCOMPARE(read.StoredBoxItems, s.StoredBoxItems);
    }

    // Two marked entries take one edit together, also when the edit shows
    // entries of a kind the view had hidden. A series chosen anew starts at
    // its first row.
    void markedEntriesAreEditedTogether()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        std::vector<tnodeinfo *> series;
        OpenEmptySeries(program, series);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        // Entries made from the last year back, so the grid's order (by
        // year) is the reverse of the collection's.
        auto *dateMint = Control<QComboBox>(form, "DateMintBox");
        for (int item = 2; item >= 0; --item) {
            Click(Control<QPushButton>(form, "NewCoinBtn"));
            Pick(dateMint, item);
        }
        QCOMPARE(s.CurrCoinList.size(), size_t(3));
        QVERIFY(s.CurrCoinList[0]->Year <= s.CurrCoinList[2]->Year);
        QVERIFY(s.CurrCoinList[0] == s.CoinList.back().get());

        // "Sold" entries hidden, from the settings strip.
        QTest::mouseClick(form.SettingSlideLabel, Qt::LeftButton);
        QTRY_VERIFY(form.SettingPanel->width() > 200);
        Click(Control<QCheckBox>(form, "ViewSoldCheckBox"));
        QVERIFY(!s.ViewSold);

        ClickRow(form, 0);
        ClickRow(form, 2, Qt::ControlModifier);
        tCoinInfo *first = s.CurrCoinList[0];
        tCoinInfo *last = s.CurrCoinList[2];
        tCoinInfo *middle = s.CurrCoinList[1];
        QCOMPARE(Current(s), last);
        TypeInto(Control(form, "SoldEdit"), QStringLiteral("2"));
        QCOMPARE(first->Sold, 2);
        QCOMPARE(last->Sold, 2);
        QCOMPARE(middle->Sold, 0);
        QVERIFY(s.ViewSold);
        QVERIFY(Control<QCheckBox>(form, "ViewSoldCheckBox")->isChecked());
        QCOMPARE(Current(s), last);
        QVERIFY(first->selected);
        TypeInto(Control(form, "CommentEdit"), QStringLiteral("pair"));
        QCOMPARE(first->Comment, QStringLiteral("pair"));
        QCOMPARE(last->Comment, QStringLiteral("pair"));
        QCOMPARE(middle->Comment, QString());
        // Each entry is taken back on its own.
        Click(Control<QPushButton>(form, "UndoCoinBtn"));
        Click(Control<QPushButton>(form, "UndoCoinBtn"));
        QCOMPARE(first->Comment, QString());
        QCOMPARE(last->Comment, QString());

        // Another series with entries, chosen while a later row was current.
        ClickSeries(form, series[1]);
        ClickTab(form, PageCoins);
        Click(Control<QPushButton>(form, "NewCoinBtn"));
        Click(Control<QPushButton>(form, "CloneCoinBtn"));
        ClickRow(form, 1);
        QCOMPARE(s.CoinGridRow, 1);
        ClickSeries(form, series[0]);
        QCOMPARE(s.CoinGridRow, 0);
        ClickTab(form, PageCoins);
        QCOMPARE(Current(s), s.CurrCoinList[0]);
        QCOMPARE(Control<QSpinBox>(form, "SoldEdit")->value(), s.CurrCoinList[0]->Sold);
    }

    void doubleClickOnASeries_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<bool>("opens");
        QTest::newRow("series with prices opens its entries") << "priced" << true;
        // Selecting it centres it in the tree: the second press lands on
        // another row, and still the series first pressed opens.
        QTest::newRow("series moved by its selection opens") << "moved" << true;
        QTest::newRow("a country without prices stays on the tree") << "country" << false;
    }

    void doubleClickOnASeries()
    {
        QFETCH(QString, which);
        QFETCH(bool, opens);
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        tSeriesTree &tree = form.SeriesTree->Tree();
        tnodeinfo *node = nullptr;
        if (which == QLatin1String("country")) {
            node = s.EntireCollection->ChildNodes.front().get();
            QCOMPARE(PriceRowsOf(s, node), 0);
            tree.MakeTreeNodeVisible(node);
        } else if (which == QLatin1String("priced")) {
            node = PricedSeries(s).front();
            tree.MakeTreeNodeVisible(node);
        } else {
            // Everything open and scrolled to the top: the lowest priced
            // series showing is far from the middle.
            ForEachNode(s.EntireCollection.get(), [](tnodeinfo *n) { n->Expanded = true; });
            tree.CalcVisibleNodes();
            tree.SetScrollValue(0);
            tree.AssignNodePorts();
            tree.RenderTree();
            for (tnodeinfo *n : PricedSeries(s))
                if (TreeRow(form, n) >= 0)
                    node = n;
            QVERIFY(node);
            QVERIFY(TreeRow(form, node) > static_cast<int>(tree.NodePorts.size()) / 2 + 1);
        }
        Settle();
        ClickShownSeries(form, node, true);
        QCOMPARE(form.PageTabs->currentIndex(), opens ? int(PageCoins) : int(PageSeries));
    }

    // Maximised notes are shown as normal again after a page change.
    void pageChangeRestoresMaximisedNotes()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        std::vector<tnodeinfo *> series;
        OpenEmptySeries(program, series);
        TMainForm &form = program.Form();
        Click(Control<QPushButton>(form, "NewCoinBtn"));
        Click(Control<QToolButton>(form, "NoteMaxedBtn"));
        QVERIFY(!Control(form, "GradedByBox")->isVisible());
        QVERIFY(Control(form, "NotesMemo")->isVisible());
        ClickTab(form, PageSeries);
        ClickTab(form, PageCoins);
        QVERIFY(Control(form, "GradedByBox")->isVisible());
        QVERIFY(!form.NoteMaxed);
    }

    void everyFieldShowsAndTheGridFillsThePage_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest window") << QSize(900, 600);
        QTest::newRow("common laptop") << QSize(1280, 800);
    }

    void everyFieldShowsAndTheGridFillsThePage()
    {
        QFETCH(QSize, size);
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        std::vector<tnodeinfo *> series;
        OpenEmptySeries(program, series);
        TMainForm &form = program.Form();
        Click(Control<QPushButton>(form, "NewCoinBtn"));
        form.resize(size);
        Settle();
        QCOMPARE(form.size(), size);

        auto *editor = Control<QScrollArea>(form, "CoinScrollBox");
        QCOMPARE(editor->verticalScrollBar()->maximum(), 0);
        QCOMPARE(editor->horizontalScrollBar()->maximum(), 0);
        const QRect view(editor->viewport()->mapTo(&form, QPoint(0, 0)), editor->viewport()->size());
        for (const char *name : EditorControls) {
            QWidget *w = Control(form, name);
            QVERIFY2(w->isVisible(), name);
            const QRect at(w->mapTo(&form, QPoint(0, 0)), w->size());
            QVERIFY2(view.contains(at), name);
        }
        for (const char *name : {"NewCoinBtn", "CloneCoinBtn", "UndoCoinBtn", "DeleteCoinBtn"}) {
            QWidget *w = Control(form, name);
            QVERIFY2(w->isVisible() && form.rect().contains(QRect(w->mapTo(&form, QPoint(0, 0)), w->size())), name);
        }
        // The grid shows a few rows and reaches the strip at the right edge.
        auto *grid = Control<TCoinGridView>(form, "CoinGrid");
        QVERIFY(grid->height() >= 4 * 32);
        const int gridRight = grid->mapTo(&form, QPoint(grid->width(), 0)).x();
        const int stripLeft = form.ImageSlideLabelPanel->mapTo(&form, QPoint(0, 0)).x();
        QVERIFY2(stripLeft - gridRight < 16, qPrintable(QStringLiteral("%1 unused").arg(stripLeft - gridRight)));
    }
};

QTEST_MAIN(tst_CoinsPage)
#include "tst_coinspage.moc"
