#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QTabWidget>

#include "core/collection/coinentries.h"
#include "core/files/collectionfile.h"
#include "core/collection/collectionlifecycle.h"
#include "core/model/seriestree.h"
#include "browse/shell/pageswitch.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricefile.h"
#include "support/programfixture.h"

// The File menu of the running program, from the menu item to what the
// window shows and what lands on disk, read back with the program's reader.
namespace {

// The first series of the new collection that has a price list: entries can
// be made there.
tnodeinfo *PricedSeries(tMainState &s)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (found || !n->ChildNodes.empty() || n == s.EntireCollection.get())
            return;
        for (const auto &p : s.PriceList)
            if (p->CoinType == n->CoinType) {
                found = n;
                return;
            }
    });
    return found;
}

void Select(tMainState &s, tnodeinfo *node)
{
    s.SelectedTreeNode = node;
    Q_EMIT s.Events->SeriesSelected();
}

// A started program with a new collection holding two entries of a priced
// series.
struct tCollection {
    tProgramFixture Program;
    tnodeinfo *Series = nullptr;

    tCollection()
    {
        Program.Open();
        Program.Start();
        Program.Trigger(QStringLiteral("MenuItem17"));
        Series = PricedSeries(Program.State());
        if (!Series)
            return;
        Select(Program.State(), Series);
        for (int year : {1901, 1902}) {
            tCoinInfo *coin = NewCoinBtnClick(Program.State(), false);
            coin->Year = year;
            coin->Notes = QStringLiteral("note %1").arg(year);
            coin->Have = 1;
        }
    }
    QString Path(const QString &name) const { return Program.Home() + QLatin1Char('/') + name; }
    tMainState &State() { return Program.State(); }
    // Saves through the menu into name, answering the dialog.
    void SaveAs(const QString &name)
    {
        Program.Ui.pick({Path(name)});
        Program.Trigger(QStringLiteral("SaveCoinData1"));
    }
};

// The collection in a file, as the program's reader gives it back.
struct tReadBack {
    tMainState State;
    bool Loaded = false;
    explicit tReadBack(const QString &path) { Loaded = LoadDataFromFile(State, path, false); }
    QStringList Notes() const
    {
        QStringList notes;
        for (const auto &c : State.CoinList)
            notes << c->Notes;
        notes.sort();
        return notes;
    }
};

const QStringList TwoNotes{QStringLiteral("note 1901"), QStringLiteral("note 1902")};

bool Visible(tProgramFixture &program, const char *name)
{
    // The menu brings its Save commands up to date as it opens.
    Q_EMIT program.Form().FileMenu->aboutToShow();
    return program.Action(QString::fromLatin1(name))->isVisible();
}

} // namespace

class tst_FileMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveCloseAndStartWithTheFile()
    {
        tCollection c;
        QVERIFY(c.Series);
        const QString file = c.Path(QStringLiteral("Mine.OVD"));
        const int seriesNumber = c.Series->CoinType;
        c.SaveAs(QStringLiteral("Mine.OVD"));
        QCOMPARE(c.State().LastFileName, file);
        QCOMPARE(c.Program.Form().windowTitle(), QStringLiteral("Orvanta [Mine.OVD]"));
        QCOMPARE(RecentFiles().value(0), file);
        QVERIFY(QFile::exists(RotatingBackupName(c.State(), file, QDate::currentDate())));
        QCOMPARE(tReadBack(file).Notes(), TwoNotes);

        QVERIFY(c.Program.Close());
        c.Program.Calls.clear();
        c.Program.Open({file});
        c.Program.Start();
        const tMainState &s = c.State();
        QCOMPARE(s.LastFileName, file);
        QVERIFY(c.Program.Form().PageTabs->isEnabled());
        QCOMPARE(c.Program.Form().windowTitle(), QStringLiteral("Orvanta [Mine.OVD]"));
        QStringList notes;
        for (const auto &coin : s.CoinList) {
            notes << coin->Notes;
            QCOMPARE(coin->Folder->CoinType, seriesNumber);
            QCOMPARE(coin->Notes, QStringLiteral("note %1").arg(coin->Year));
            QCOMPARE(coin->Have, 1);
        }
        notes.sort();
        QCOMPARE(notes, TwoNotes);
        QVERIFY(!c.Program.Calls.contains(QStringLiteral("ShowWelcomeWindow")));
    }

    void saveBackupWritesOnlyTheChosenFile()
    {
        tCollection c;
        QVERIFY(c.Series);
        c.SaveAs(QStringLiteral("Main.OVD"));
        const QString main = c.State().LastFileName;
        c.State().CoinList.front()->Notes = QStringLiteral("changed");
        c.State().DataModified = true;

        c.Program.Ui.pick({c.Path(QStringLiteral("Copy.OVD"))});
        c.Program.Trigger(QStringLiteral("SaveBackup1"));
        QCOMPARE(c.Program.Ui.FileRequests.back().Title, QStringLiteral("Create an Orvanta backup file"));
        QCOMPARE(tReadBack(c.Path(QStringLiteral("Copy.OVD"))).Notes(),
                 (QStringList{QStringLiteral("changed"), QStringLiteral("note 1902")}));
        // The open file, its caption and the recent list stay; the collection
        // counts as saved.
        QCOMPARE(c.State().LastFileName, main);
        QCOMPARE(RecentFiles().value(0), main);
        QVERIFY(!c.State().DataModified);
        QCOMPARE(c.Program.Form().windowTitle(), QStringLiteral("Orvanta [Main.OVD]"));
        QCOMPARE(tReadBack(main).Notes(), TwoNotes);
    }

    void backupZipHoldsCollectionPricesAndReadMe()
    {
        tCollection c;
        QVERIFY(c.Series);
        c.SaveAs(QStringLiteral("Main.OVD"));
        const QString zip = c.Path(QStringLiteral("Bundle.ZIP"));
        c.Program.Ui.pick({zip});
        c.Program.Trigger(QStringLiteral("CreateBackupZip1"));
        QCOMPARE(c.Program.Ui.FileRequests.back().Title, QStringLiteral("Create a backup bundle"));

        QProcess list;
        list.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), zip});
        QVERIFY(list.waitForFinished());
        const QStringList names = QString::fromUtf8(list.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(names.contains(QStringLiteral("Orvanta Collection.OVD")), qPrintable(names.join(QLatin1Char(','))));
        QVERIFY(names.contains(QStringLiteral("ReadMe.txt")));
        QVERIFY(names.contains(QStringLiteral("Prices\\United States.OVP")) ||
                names.contains(QStringLiteral("Prices/United States.OVP")));

        QProcess extract;
        extract.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, QStringLiteral("Orvanta Collection.OVD")});
        QVERIFY(extract.waitForFinished());
        const QString copy = c.Path(QStringLiteral("FromBundle.OVD"));
        QFile out(copy);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(extract.readAllStandardOutput());
        out.close();
        QCOMPARE(tReadBack(copy).Notes(), TwoNotes);
    }

    void newAsksThenReplacesTheCollection_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("discard") << QStringLiteral("Discard") << true;
        QTest::newRow("cancel") << QStringLiteral("Cancel") << false;
    }
    void newAsksThenReplacesTheCollection()
    {
        QFETCH(QString, answer);
        QFETCH(bool, replaced);
        tCollection c;
        QVERIFY(c.Series);
        QVERIFY(c.State().DataModified);
        TMainForm &form = c.Program.Form();
        form.PageTabs->setCurrentIndex(PageCoins);

        // The busy indicator shows while the new collection is made.
        // Recorded after the window's own receiver has shown or hidden it.
        QList<bool> busyShown;
        QObject recording;
        QObject::connect(c.State().Events.get(), &tStateEvents::ShowBusy, &recording,
                         [&] { busyShown << form.BusyIndicator->isVisible(); });
        c.Program.Ui.answer(answer);
        c.Program.Trigger(QStringLiteral("MenuItem17"));
        QCOMPARE(c.Program.Ui.Texts().back(),
                 QStringLiteral("Your changes have not been saved.\rDo you want to save your changes before continuing?"));
        if (!replaced) {
            QCOMPARE(c.State().CoinList.size(), size_t(2));
            QVERIFY(busyShown.isEmpty());
            QCOMPARE(form.PageTabs->currentIndex(), int(PageCoins));
            return;
        }
        QVERIFY(c.State().CoinList.empty());
        QVERIFY(!c.State().DataModified);
        QCOMPARE(c.State().SelectedTreeNode, c.State().EntireCollection.get());
        QCOMPARE(form.windowTitle(), QStringLiteral("Orvanta [New File]"));
        QCOMPARE(form.StatusLabel->text(), QStringLiteral("Your new collection is ready."));
        QCOMPARE(form.PageTabs->currentIndex(), int(PageSeries));
        QCOMPARE(busyShown, (QList<bool>{true, false}));
        QVERIFY(!form.BusyIndicator->isVisible());
    }

    void saveAllChangesWritesPricesAndCollection_data()
    {
        QTest::addColumn<bool>("savedBefore");
        QTest::newRow("collection with a file") << true;
        QTest::newRow("collection never saved asks for a name") << false;
    }
    void saveAllChangesWritesPricesAndCollection()
    {
        QFETCH(bool, savedBefore);
        tCollection c;
        QVERIFY(c.Series);
        tMainState &s = c.State();
        if (savedBefore)
            c.SaveAs(QStringLiteral("All.OVD"));
        const int requests = static_cast<int>(c.Program.Ui.FileRequests.size());
        s.CoinList.front()->Notes = QStringLiteral("edited");
        s.DataModified = true;
        // A price edited on the Pricing page.
        tPriceInfo *price = s.CurrPriceList.front();
        price->Value[20] = 777 * MoneyScale;
        s.PricesModified = true;
        s.PricesModifiedArray[0] = true;
        QVERIFY(Visible(c.Program, "SaveAllChanges1"));
        QVERIFY(Visible(c.Program, "SavePriceData1"));

        if (!savedBefore)
            c.Program.Ui.pick({c.Path(QStringLiteral("All.OVD"))});
        c.Program.Trigger(QStringLiteral("SaveAllChanges1"));
        QCOMPARE(static_cast<int>(c.Program.Ui.FileRequests.size()), requests + (savedBefore ? 0 : 1));
        QCOMPARE(tReadBack(c.Path(QStringLiteral("All.OVD"))).Notes(),
                 (QStringList{QStringLiteral("edited"), QStringLiteral("note 1902")}));
        QVERIFY(!s.DataModified);
        QVERIFY(!s.PricesModified);

        QFile f(PriceFilePath(s, QStringLiteral("United States")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const tPriceFile file = ReadPriceFile(f.readAll());
        bool found = false;
        for (const auto &e : file.Entries)
            found = found || (e->CoinType == price->CoinType && e->Year == price->Year &&
                              e->Value[20] == 777 * MoneyScale);
        QVERIFY(found);
        QVERIFY(!Visible(c.Program, "SavePriceData1"));
        QVERIFY(!Visible(c.Program, "SaveAllChanges1"));
        QVERIFY(Visible(c.Program, "SaveCoinData1"));
    }

    void savePriceDataWritesAConvertedList()
    {
        tCollection c;
        QVERIFY(c.Series);
        tMainState &s = c.State();
        QVERIFY(!Visible(c.Program, "SavePriceData1"));
        // Another currency: the lists are converted, the status line and the
        // currency label say so, and the Save command appears.
        int euro = -1;
        for (int i = 0; i < static_cast<int>(s.ForexList.size()); ++i)
            if (s.ForexList[static_cast<size_t>(i)]->Code == QLatin1String("EUR"))
                euro = i;
        QVERIFY(euro >= 0);
        s.ActiveForexIndex = euro;
        const QString status = ConvertPriceListCurrency(s);
        QVERIFY(status.contains(QStringLiteral("just converted to")));
        TMainForm &form = c.Program.Form();
        QCOMPARE(form.StatusLabel->text(), status);
        QCOMPARE(form.ForexLabel->text(), s.ForexList[static_cast<size_t>(euro)]->Description);
        QVERIFY(Visible(c.Program, "SavePriceData1"));

        c.Program.Trigger(QStringLiteral("SavePriceData1"));
        QVERIFY(!s.PricesConverted);
        QFile f(PriceFilePath(s, QStringLiteral("United States")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(ReadPriceFile(f.readAll()).Header.Currency, euro);
        QVERIFY(!Visible(c.Program, "SavePriceData1"));
    }

    void exitAsksThenCloses_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel keeps the window") << QStringLiteral("Cancel") << false;
        QTest::newRow("discard closes") << QStringLiteral("Discard") << true;
    }
    void exitAsksThenCloses()
    {
        QFETCH(QString, answer);
        QFETCH(bool, closed);
        tCollection c;
        QVERIFY(c.Series);
        c.Program.Ui.answer(answer);
        c.Program.Trigger(QStringLiteral("Exit1"));
        QVERIFY(c.Program.Ui.Texts().back().startsWith(QStringLiteral("Your collection changes have not been saved.")));
        QCOMPARE(c.Program.Form().isVisible(), !closed);
        // The settings are written as the window closes.
        QCOMPARE(c.Program.Settings.read(QStringLiteral("Auto Bin")).has_value(), closed);
    }

    void incrementalFieldContinuesAfterALoad()
    {
        tCollection c;
        QVERIFY(c.Series);
        tMainState &s = c.State();
        auto field = std::make_unique<tUDFfield>();
        field->FieldType = UDFNumber;
        field->BitByte = 1;  // "Default to incremental value"
        field->FieldLabel = QStringLiteral("Lot");
        s.UDFlist.push_back(std::move(field));
        s.CoinList[0]->UDFstring = QStringLiteral("41");
        s.CoinList[1]->UDFstring = QStringLiteral("7");
        c.SaveAs(QStringLiteral("Lots.OVD"));

        c.Program.Open({c.Path(QStringLiteral("Lots.OVD"))});
        c.Program.Start();
        tMainState &again = c.State();
        tnodeinfo *series = PricedSeries(again);
        Select(again, series);
        tCoinInfo *coin = NewCoinBtnClick(again, false);
        QCOMPARE(coin->UDFstring, QStringLiteral("42"));
    }
};

QTEST_MAIN(tst_FileMenu)
#include "tst_filemenu.moc"
