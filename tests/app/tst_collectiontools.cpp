#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "core/files/collectionfile.h"
#include "core/collection/collectionlifecycle.h"
#include "core/catalogue/countries.h"
#include "core/program/errorreport.h"
#include "core/catalogue/countryitems.h"
#include "core/model/seriestree.h"
#include "core/collection/ui/filetoopenform.h"
#include "core/collection/ui/importform.h"
#include "browse/shell/pageswitch.h"
#include "browse/countries/ui/collectioncommands.h"
#include "browse/countries/ui/countryform.h"
#include "browse/shell/ui/mainform.h"
#include "browse/shell/ui/mainformcontrols.h"
#include "support/programfixture.h"

// The Countries Explorer, the collection clipboard and the text import as
// a collector reaches them in the running program: from the File menu, the
// series menu and the welcome window, to the series and entries shown and
// what the saved collection holds.
namespace {

constexpr int Australia = 53;
constexpr int CanadaSeries = 31001;    // the country series of Canada
constexpr int AustraliaSeries = 53001;

TCountryForm *OpenExplorer(tProgramFixture &program)
{
    program.Trigger(QStringLiteral("Addcountries1"));
    auto *commands = program.Form().findChild<TCollectionCommands *>(QStringLiteral("CollectionCommands"));
    return commands ? commands->CountryForm.data() : nullptr;
}

int Row(QListWidget *list, const QString &name)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == name)
            return row;
    return -1;
}

// The collection as saved and read back by the program's own reader.
std::unique_ptr<tMainState> Saved(tProgramFixture &program)
{
    const QString path = program.Home() + QStringLiteral("/saved.OVD");
    SaveCollectionFile(program.State(), path);
    auto reread = std::make_unique<tMainState>();
    reread->CountriesRedirect = program.State().CountriesRedirect;
    if (!LoadDataFromFile(*reread, path, false))
        return nullptr;
    return reread;
}

// Runs act on the window of type T once it shows (modal windows run inside
// the click that opens them, and the opener may let events run first).
template <class T>
void WhenShown(std::function<void(T &)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act)] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *form = qobject_cast<T *>(w); form && form->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(*form);
                return;
            }
    });
    poll->start();
}

} // namespace

class tst_CollectionTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void explorerAddsTwoSelectedCountries()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        TCountryForm *explorer = OpenExplorer(program);
        QVERIFY(explorer);
        QVERIFY(explorer->isVisible());
        QCOMPARE(explorer->windowTitle(), QStringLiteral("Orvanta: Countries Explorer"));
        QCOMPARE(explorer->TabControl1->tabText(4), QStringLiteral("Regions"));

        QListWidget *coins = explorer->cListBox;
        const int australia = Row(coins, QStringLiteral("Australia"));
        const int canada = Row(coins, QStringLiteral("Canada"));
        QVERIFY(australia >= 0 && canada >= 0);
        coins->clearSelection();
        coins->item(australia)->setSelected(true);
        coins->item(canada)->setSelected(true);
        QCOMPARE(explorer->TitleLabel->text(), QStringLiteral("2 Countries selected"));
        QCOMPARE(explorer->AddLocationBtn->text(), QStringLiteral("Add these countries"));

        explorer->AddLocationBtn->click();
        tMainState &s = program.State();
        QVERIFY(CoinTypeToNodeInfo(s, AustraliaSeries));
        QVERIFY(CoinTypeToNodeInfo(s, CanadaSeries));
        // The last entry names its country's series: that one is selected.
        QVERIFY(s.SelectedTreeNode);
        QCOMPARE(s.SelectedTreeNode->CoinType, CanadaSeries);
        QCOMPARE(form.PageTabs->currentIndex(), int(PageSeries));
        QVERIFY(explorer->AddLocationBtn->isEnabled());
        QVERIFY(!explorer->CloseBlocked);

        // Once there, the entry goes to its series instead of loading it.
        coins->clearSelection();
        coins->setCurrentRow(australia);
        coins->item(australia)->setSelected(true);
        explorer->UpdateSelection(false);
        QCOMPARE(explorer->AddLocationBtn->text(), QStringLiteral("Go To\nThis\nCountry"));
        explorer->AddLocationBtn->click();
        QCOMPARE(s.SelectedTreeNode->CoinType, AustraliaSeries);

        const auto saved = Saved(program);
        QVERIFY(saved);
        QVERIFY(CoinTypeToNodeInfo(*saved, AustraliaSeries));
        QVERIFY(CoinTypeToNodeInfo(*saved, CanadaSeries));
        Q_UNUSED(Australia);
    }

    // A region whose country is already in the collection adds only what
    // is missing: the collector's own series below Lincoln Wheat Cents
    // stays there, on screen and in the saved file.
    void addingARegionLeavesTheCollectorsSeriesInPlace()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));  // File > New: the United States
        tMainState &s = program.State();
        tnodeinfo *cents = CoinTypeToNodeInfo(s, 10);
        QVERIFY(cents);
        const auto order = [](const tnodeinfo *parent) {
            QList<int> numbers;
            for (const auto &c : parent->ChildNodes)
                numbers << c->CoinType;
            return numbers;
        };
        const QList<int> catalogue = order(cents);
        const int wheat = static_cast<int>(catalogue.indexOf(12));
        QVERIFY(wheat >= 0);
        constexpr int Mine = 5000001;
        tnodeinfo *mine = AddChildNode(cents, Mine, wheat + 1);
        mine->NodeName = QStringLiteral("My wheat cent errors");
        mine->UpdateOK = mine->MoveOK = true;
        const QList<int> before = order(cents);
        const QList<int> topBefore = order(s.EntireCollection.get());

        TCountryForm *explorer = OpenExplorer(program);
        QVERIFY(explorer);
        explorer->TabControl1->setCurrentIndex(RegionsTab);
        QListWidget *regions = explorer->rListBox;
        const int northAmerica = Row(regions, QStringLiteral("North America"));
        QVERIFY(northAmerica >= 0);
        regions->clearSelection();
        regions->setCurrentRow(northAmerica);
        explorer->UpdateSelection(false);
        QCOMPARE(explorer->AddLocationBtn->text(), QStringLiteral("Add This\nRegion"));
        explorer->AddLocationBtn->click();

        QVERIFY(CoinTypeToNodeInfo(s, CanadaSeries));
        QCOMPARE(order(cents), before);
        // Canada joins the countries; those there stay in their order.
        QList<int> top = order(s.EntireCollection.get());
        top.removeAll(CanadaSeries);
        QCOMPARE(top, topBefore);

        const auto saved = Saved(program);
        QVERIFY(saved);
        QCOMPARE(order(CoinTypeToNodeInfo(*saved, 10)), before);
        explorer->OKbutton->click();
    }

    void explorerGlobeTurnsAndSpinsAndTheKeysMove()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        TCountryForm *explorer = OpenExplorer(program);
        QVERIFY(explorer);

        // A world-wide region sets the globe spinning.
        explorer->TabControl1->setCurrentIndex(RegionsTab);
        QListWidget *regions = explorer->rListBox;
        const int world = Row(regions, QStringLiteral("World coins"));
        QVERIFY(world >= 0);
        regions->setCurrentRow(world);
        explorer->UpdateSelection(true);
        QTRY_COMPARE(explorer->WorldMode, 2);
        QVERIFY(explorer->Animating());
        QCOMPARE(explorer->AddLocationBtn->text(), QStringLiteral("Add This\nRegion"));

        // A single country afterwards stops the spin and turns to it.
        explorer->TabControl1->setCurrentIndex(CoinsTab);
        QListWidget *coins = explorer->cListBox;
        const int japan = Row(coins, QStringLiteral("Japan"));
        coins->clearSelection();
        coins->setCurrentRow(japan);
        explorer->UpdateSelection(true);
        QCOMPARE(explorer->WorldMode, 0);
        QTRY_VERIFY(explorer->StepMark);
        QTRY_VERIFY(!explorer->Animating());
        const tGlobeAngles expected = GlobeAngles(36, 138);
        QCOMPARE(explorer->Globe->AngleY(), expected.Y);
        QVERIFY(std::abs(explorer->Globe->AngleX() - expected.X) < 1e-6);
        QVERIFY(explorer->Globe->PinVisible());
        QCOMPARE(explorer->TitleLabel->text(), QStringLiteral("日本国\nJapan"));
        QVERIFY(!explorer->FlagImage->pixmap().isNull());

        // Letters jump to the first entry beginning with them; a letter
        // that begins none leaves the entry; Page Down stops at the last.
        QTest::keyClick(coins, Qt::Key_C);
        QCOMPARE(coins->currentItem()->text(), QStringLiteral("Canada"));
        QTest::keyClick(coins, Qt::Key_Q);
        QCOMPARE(coins->currentItem()->text(), QStringLiteral("Canada"));
        QTest::keyClick(coins, Qt::Key_PageDown);
        QCOMPARE(coins->currentRow(), coins->count() - 1);
        QCOMPARE(coins->selectedItems().size(), 1);
        QVERIFY(explorer->NotesLabel->text().contains(QStringLiteral("United States")));

        // One window at a time; closing is refused while an add runs, and
        // frees the window otherwise.
        QCOMPARE(OpenExplorer(program), explorer);
        explorer->CloseBlocked = true;
        QTest::keyClick(explorer, Qt::Key_Escape);
        explorer->close();
        QVERIFY(explorer->isVisible());
        explorer->CloseBlocked = false;
        explorer->OKbutton->click();
        QTRY_VERIFY(!program.Form().findChild<TCollectionCommands *>()->CountryForm);
    }

    void missingCountryListIsReportedAndNoWindowOpens()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        QVERIFY(QFile::remove(program.State().OtherRedirect + CountriesDataName));
        // What the application object does with a failing menu command.
        try {
            program.Trigger(QStringLiteral("Addcountries1"));
        } catch (const std::exception &e) {
            AppException(e);
        }
        QVERIFY(!program.Form().findChild<TCollectionCommands *>()->CountryForm);
        QCOMPARE(program.Ui.Errors.size(), size_t(1));
    }

    // In maintainer mode the list is rebuilt from the INI beside it first.
    void maintainerRebuildsTheListFromItsIni()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        s.MaintainerMode = true;
        QFile ini(s.OtherRedirect + QStringLiteral("countries.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Canada]\nTab=0\nIndex=31\nX=56\nY=-106\nGoToSeries=31001\nNotes=Maple<>Leaf\n"
                  "[Narnia]\nTab=3\nIndex=999\n[FlagIndex]\nCanada=1\n");
        ini.close();
        TCountryForm *explorer = OpenExplorer(program);
        QVERIFY(explorer);
        QCOMPARE(explorer->cListBox->count(), 1);
        QCOMPARE(explorer->fListBox->item(0)->text(), QStringLiteral("<Undefined>"));
        QCOMPARE(explorer->NotesLabel->text(), QStringLiteral("Maple\nLeaf"));
        QCOMPARE(LoadCountryItemsFile(s.OtherRedirect + CountriesDataName).size(), size_t(2));
    }

    void clipboardCopiesAndPastesAcrossCollections()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        // A country from the catalogue with two entries in one of its series.
        tnodeinfo *first = nullptr;
        LoadCountryStructures(s, 31, 0, false, first);
        tnodeinfo *cents = CoinTypeToNodeInfo(s, 31010);
        QVERIFY(cents);
        for (int year : {1937, 1938}) {
            auto c = std::make_unique<tCoinInfo>();
            c->CoinType = cents->CoinType;
            c->Folder = cents;
            c->Year = year;
            c->Have = 1;
            c->Inventory = year - 1936;
            s.CoinList.push_back(std::move(c));
        }
        s.MaxInventory = 2;
        s.SelectedTreeNode = cents;
        program.Trigger(QStringLiteral("Copytoclipboard1"));
        QCOMPARE(program.Ui.Texts().last(), QStringLiteral("1 folder and 2 coins were copied to the clipboard."));

        // A new collection keeps the clipboard.
        program.Ui.reset();
        CreateDefaultDatabase(s);
        QVERIFY(!CoinTypeToNodeInfo(s, 31010));
        program.Trigger(QStringLiteral("PasteFromClipboard1"));
        QCOMPARE(program.Ui.Texts().last(),
                 QStringLiteral("1 folder pasted from clipboard.\r2 coins pasted from clipboard."));
        tnodeinfo *pasted = CoinTypeToNodeInfo(s, 31010);
        QVERIFY(pasted);
        QCOMPARE(pasted->ParentNode, s.EntireCollection.get());   // Canada is not in the new collection
        QVERIFY(s.DataModified);

        const auto saved = Saved(program);
        QVERIFY(saved);
        QList<int> items;
        for (const auto &c : saved->CoinList)
            if (c->CoinType == 31010)
                items << c->Inventory;
        QCOMPARE(items, (QList<int>{1, 2}));
    }

    // A large copy pasted back into the collection it came from: every
    // series exists, every item number is taken and handed out afresh, and
    // the main window's progress bar follows the series.
    void largePasteShowsProgressAndKeepsEveryEntry()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        constexpr int Series = 150;
        tnodeinfo *country = AddChildNode(s.EntireCollection.get(), 77000);
        country->NodeName = QStringLiteral("Large country");
        for (int i = 0; i < Series; ++i) {
            tnodeinfo *n = AddChildNode(country, 77001 + i);
            n->NodeName = QStringLiteral("Series %1").arg(i);
            for (int k = 0; k < 2; ++k) {
                auto c = std::make_unique<tCoinInfo>();
                c->CoinType = n->CoinType;
                c->Folder = n;
                c->Have = 1;
                c->Inventory = 2 * i + k + 1;
                s.CoinList.push_back(std::move(c));
            }
        }
        s.MaxInventory = 2 * Series;
        s.SelectedTreeNode = country;
        program.Trigger(QStringLiteral("Copytoclipboard1"));

        int largest = 0;
        QObject::connect(form.StatusProgressBar, &QProgressBar::valueChanged, &form, [&largest, &form](int v) {
            if (form.StatusProgressBar->isVisible())
                largest = std::max(largest, v);
        });
        program.Trigger(QStringLiteral("PasteFromClipboard1"));
        QCOMPARE(program.Ui.Texts().last(),
                 QStringLiteral("151 folders pasted from clipboard.\r300 coins pasted from clipboard."));
        QVERIFY2(largest >= Series - 50, qPrintable(QString::number(largest)));
        QVERIFY(!form.StatusProgressBar->isVisible());

        const auto saved = Saved(program);
        QVERIFY(saved);
        QSet<int> items;
        QHash<int, int> perSeries;
        for (const auto &c : saved->CoinList) {
            items.insert(c->Inventory);
            ++perSeries[c->CoinType];
        }
        QCOMPARE(items.size(), 4 * Series);
        QCOMPARE(perSeries.value(77001), 4);
        QCOMPARE(perSeries.value(77000 + Series), 4);
        // No series was made twice.
        QCOMPARE(country->ChildNodes.size(), size_t(Series));
    }

    void importFromTheWelcomeWindow()
    {
        tProgramFixture program;
        program.RealWelcomeWindow = true;
        program.Open();
        const QString fixture = qEnvironmentVariable("ORVANTA_TEST_DATA") + QStringLiteral("/import/coins.csv");
        program.Ui.pick({fixture});
        bool seenImport = false;
        QString imported, rejected, accepted, rejectedLines, buttonText;
        WhenShown<TFileToOpenForm>([&](TFileToOpenForm &welcome) {
            welcome.Switch1->setChecked(true);
            QVERIFY(welcome.RadioImportFile->isEnabled());
            welcome.RadioImportFile->setChecked(true);
            WhenShown<TImportForm>([&](TImportForm &importForm) {
                seenImport = true;
                QCOMPARE(importForm.windowTitle(), QStringLiteral("Orvanta: Import a CSV file"));
                QCOMPARE(importForm.Label2->text(), QStringLiteral("Items imported: 0"));
                importForm.Button1->click();
                imported = importForm.Label2->text();
                rejected = importForm.Label3->text();
                accepted = importForm.Memo1->toPlainText();
                rejectedLines = importForm.Memo2->toPlainText();
                buttonText = importForm.Button1->text();
                importForm.Button1->click();
            });
            welcome.OKBtn->click();
        });
        program.Start();
        QVERIFY(seenImport);
        QCOMPARE(imported, QStringLiteral("Coins imported: 5"));
        QCOMPARE(rejected, QStringLiteral("Coins rejected:2"));
        QVERIFY(accepted.startsWith(QStringLiteral("1909-S VDB EF-45 \n1910 PF-65 ")));
        QCOMPARE(rejectedLines, QStringLiteral("Line 6 rejected, error encountered in parsing\n"
                                               "Line 7/Item number 103/Series 9999 not found"));
        QCOMPARE(buttonText, QStringLiteral("Accept imported data"));

        tMainState &s = program.State();
        QCOMPARE(s.CoinList.size(), size_t(5));
        tnodeinfo *wheat = CoinTypeToNodeInfo(s, 12);
        QVERIFY(wheat);
        QCOMPARE(wheat->EntryCount, 1);
        QCOMPARE(CoinTypeToNodeInfo(s, 10)->EntryCount, 5);
        // Every imported entry lands in the report bin (its membership; the
        // bin pane's rows are rebuilt from it when the pane is shown).
        QCOMPARE(std::count_if(s.CoinList.begin(), s.CoinList.end(), [](const auto &c) { return c->InBin; }), 5);
        const auto saved = Saved(program);
        QVERIFY(saved);
        QList<int> years;
        for (const auto &c : saved->CoinList) {
            years << c->Year;
            QVERIFY(c->User1);
        }
        QCOMPARE(years, (QList<int>{1915, 1914, 1911, 1910, 1909}));
    }

    // A tab or an inch mark inside a field keeps every later field in its
    // place; a line that reads two ways is refused in the window's list; an
    // item number given twice is kept once.
    void importKeepsFieldsInPlaceAndNumbersUnique()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        tnodeinfo *first = nullptr;
        LoadCountryStructures(s, 31, 0, false, first);
        QVERIFY(CoinTypeToNodeInfo(s, 31010));
        const QString path = program.Home() + QStringLiteral("/inch.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray head = "31010,500,1920,,,MS65,,,,,,,,,";
        file.write(head + "2,have,Tab\tinside,Box 3\" tray,,obv.jpg,rev.jpg\n");
        file.write(head + "1,have,\"Box 3\" tray,Album,,obv.jpg,rev.jpg\n");
        file.write(head + "3,need,notes,Album,,obv.jpg,rev.jpg\n");
        file.close();

        const size_t before = s.CoinList.size();
        TImportForm form(s, path);
        form.show();
        form.Button1->click();
        QCOMPARE(form.Memo2->toPlainText(),
                 QStringLiteral("Line 2 rejected, text follows the closing double quote of field 17"));
        form.Button1->click();
        QCOMPARE(s.CoinList.size(), before + 2);
        QSet<int> numbers;
        for (const auto &c : s.CoinList)
            numbers.insert(c->Inventory);
        QCOMPARE(numbers.size(), int(s.CoinList.size()));
        const tCoinInfo *tab = nullptr;
        for (const auto &c : s.CoinList)
            if (c->Have == 2)
                tab = c.get();
        QVERIFY(tab);
        QCOMPARE(tab->Inventory, 500);
        QCOMPARE(tab->Notes, QStringLiteral("Tab\tinside"));
        QCOMPARE(tab->Stored, QStringLiteral("Box 3\" tray"));
        QCOMPARE(tab->Obverse, QStringLiteral("obv.jpg"));
        QCOMPARE(tab->Reverse, QStringLiteral("rev.jpg"));
    }

    void cancelDropsTheStagedEntries()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        const size_t before = s.CoinList.size();
        TImportForm form(s, qEnvironmentVariable("ORVANTA_TEST_DATA") + QStringLiteral("/import/coins.csv"));
        form.show();
        // Cancel pressed while the import runs: it stops after the line it
        // is on, and the window closes only once the run has returned.
        int lines = 0;
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, &form, [&] {
            if (form.Running() && ++lines == 1)
                form.Button2->click();
        });
        cancel.start(0);
        form.Button1->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(form.StagedCount(), 0);
        QCOMPARE(s.CoinList.size(), before);
    }
};

QTEST_MAIN(tst_CollectionTools)
#include "tst_collectiontools.moc"
