#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "core/files/collectionfile.h"
#include "core/model/commatext.h"
#include "browse/coins/ui/coingridpage.h"
#include "core/program/settings.h"
#include "browse/shell/pageswitch.h"
#include "browse/finders/ui/findercommands.h"
#include "browse/finders/ui/findforms.h"
#include "browse/shell/ui/mainform.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/shell/ui/toolwindowhoming.h"
#include "browse/finders/ui/trackform.h"
#include "support/programfixture.h"

// The finders and the tracking commands as a collector reaches them in the
// running program: from the Tools menu, the series menu and the keys, to
// the series and entry shown in the main window and the marks stored in the
// saved file.
namespace {

constexpr int Canada = 31;
constexpr int Cents = 31001;
constexpr int Dimes = 31002;

// A small collection of one country with two series, five entries
// (item numbers 1..5) and a price list with catalogue numbers.
struct tCollection {
    tnodeinfo *Country = nullptr;
    tnodeinfo *CentSeries = nullptr;
    tnodeinfo *DimeSeries = nullptr;
    std::vector<tCoinInfo *> Coins;
};

tCollection Fill(tProgramFixture &program)
{
    TMainForm &form = program.Form();
    tMainState &s = program.State();
    tCollection c;
    c.Country = AddChildNode(s.EntireCollection.get(), Canada * 1000);
    c.Country->NodeName = QStringLiteral("Canada");
    c.Country->NodeMode = NodeModeCountry;
    c.CentSeries = AddChildNode(c.Country, Cents);
    c.CentSeries->NodeName = QStringLiteral("Small cents 1858-1920");
    c.DimeSeries = AddChildNode(c.Country, Dimes);
    c.DimeSeries->NodeName = QStringLiteral("Dimes 1858-1901");
    for (tnodeinfo *n : {c.Country, c.CentSeries, c.DimeSeries})
        n->Country = Canada;
    const struct {
        tnodeinfo *Series;
        const char *Comment;
    } entries[] = {{c.CentSeries, "A dusty day"}, {c.CentSeries, "plain"}, {c.DimeSeries, "DAY"},
                   {c.DimeSeries, "DY"},          {c.CentSeries, "doggy"}};
    int item = 1;
    for (const auto &e : entries) {
        auto coin = std::make_unique<tCoinInfo>();
        coin->CoinType = e.Series->CoinType;
        coin->Folder = e.Series;
        coin->Year = 1900;
        coin->Have = 1;
        coin->Inventory = item++;
        coin->Comment = QString::fromLatin1(e.Comment);
        c.Coins.push_back(coin.get());
        s.CoinList.push_back(std::move(coin));
    }
    s.MaxInventory = item;
    for (const auto &[series, catalog] : {std::pair{Dimes, "KM# 10"}, std::pair{Cents, "KM# 2"},
                                          std::pair{Dimes, "KM# 3"}}) {
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = series;
        p->Catalog = QString::fromLatin1(catalog);
        s.PriceList.push_back(std::move(p));
    }
    s.LastFileName = QDir(program.Home()).filePath(QStringLiteral("Finders.OVD"));
    form.PageTabs->setEnabled(true);
    s.SelectedTreeNode = s.EntireCollection.get();
    Q_EMIT s.Events->CalcVisibleNodes();
    Q_EMIT s.Events->SeriesSelected();
    return c;
}

template <class T>
T *Window(TMainForm &form)
{
    T *w = form.findChild<T *>();
    if (!w)
        QTest::qFail("the window is not open", __FILE__, __LINE__);
    return w;
}

// The tracking marks as the saved file holds them, by item number.
QList<int> StoredTracks(tProgramFixture &program)
{
    // "Save Coin Data" asks where, offering the collection's own file.
    program.Ui.pick({program.State().LastFileName});
    program.Trigger(QStringLiteral("SaveCoinData1"));
    tMainState reread;
    reread.CountriesRedirect = program.State().CountriesRedirect;
    if (!LoadDataFromFile(reread, program.State().LastFileName, false))
        return {-1};
    QList<int> tracked;
    for (const auto &c : reread.CoinList)
        if (c->User1)
            tracked << c->Inventory;
    return tracked;
}

} // namespace

class tst_Finders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findTextSelectsTheSeriesAndKeepsItsHistory()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        form.PageTabs->setCurrentIndex(PageCoins);

        program.Trigger(QStringLiteral("Searchfortext1"));
        auto *find = Window<TFindTextForm>(form);
        QCOMPARE(find->windowTitle(), QStringLiteral("Orvanta: Find text"));
        find->ComboEdit1->setCurrentText(QStringLiteral("1858"));
        QTest::mouseClick(find->Downbutton, Qt::LeftButton);
        QCOMPARE(find->StatusLabel->text(), QStringLiteral("2 instances found."));
        QCOMPARE(program.State().SelectedTreeNode, c.CentSeries);
        QCOMPARE(form.PageTabs->currentIndex(), int(PageSeries));
        QVERIFY(form.SelectedLabel->text().contains(QStringLiteral("Small cents")));
        QTest::mouseClick(find->Downbutton, Qt::LeftButton);
        QCOMPARE(program.State().SelectedTreeNode, c.DimeSeries);
        QTest::mouseClick(find->Downbutton, Qt::LeftButton);
        QCOMPARE(program.State().SelectedTreeNode, c.CentSeries);
        QTest::mouseClick(find->Upbutton, Qt::LeftButton);
        QCOMPARE(program.State().SelectedTreeNode, c.DimeSeries);

        // Enter in the text box finds the next hit; the series number too.
        find->ComboEdit1->setCurrentText(QString::number(Cents));
        QTest::keyClick(find->ComboEdit1->lineEdit(), Qt::Key_Return);
        QCOMPARE(program.State().SelectedTreeNode, c.CentSeries);
        QCOMPARE(find->StatusLabel->text(), QStringLiteral("1 instance found."));

        // The housekeeping walk finds it to bring it back onto the screen.
        QCOMPARE(TToolWindowHoming::OpenWindow(QStringLiteral("TFindTextForm")), find);

        // A second menu click brings the same window forward.
        program.Trigger(QStringLiteral("Searchfortext1"));
        QCOMPARE(form.findChildren<TFindTextForm *>().size(), 1);

        QTest::mouseClick(find->ViewSizeBtn, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form.Finders->FindText);
        QCOMPARE(ReadRegString(RegName::SearchHistory, QString()), QStringLiteral("31001,1858"));
        program.Trigger(QStringLiteral("Searchfortext1"));
        find = Window<TFindTextForm>(form);
        QCOMPARE(find->History(), (QStringList{"31001", "1858"}));
    }

    void catalogueFinderFollowsTheFilter()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        program.State().SelectedTreeNode = c.DimeSeries;

        program.Trigger(QStringLiteral("FindCatalog1"));
        auto *find = Window<TFindCatalogForm>(form);
        QCOMPARE(find->CountryBox->currentData().toInt(), Canada);
        QCOMPARE(find->Grid1->rowCount(), 3);
        QStringList numbers;
        for (int r = 0; r < 3; ++r)
            numbers << find->Grid1->item(r, 0)->text();
        QCOMPARE(numbers, (QStringList{"KM# 2", "KM# 3", "KM# 10"}));
        QCOMPARE(find->Grid1->item(0, 1)->text(), QStringLiteral("Canada"));
        // Both column headers show: the columns share the grid's room.
        QCoreApplication::processEvents();
        const int room = find->Grid1->viewport()->width();
        QVERIFY2(find->Grid1->columnWidth(0) + find->Grid1->columnWidth(1) <= room,
                 qPrintable(QStringLiteral("%1 + %2 > %3")
                                .arg(find->Grid1->columnWidth(0))
                                .arg(find->Grid1->columnWidth(1))
                                .arg(room)));
        QVERIFY(find->Grid1->columnWidth(1) > 40);
        // The list selects its first row's series at once.
        QCOMPARE(program.State().SelectedTreeNode, c.CentSeries);

        QTest::keyClicks(find->Edit1, QStringLiteral("1"));
        QCOMPARE(find->Grid1->rowCount(), 1);
        QCOMPARE(program.State().SelectedTreeNode, c.DimeSeries);
        find->Edit1->clear();
        find->Grid1->setCurrentCell(1, 0);
        QCOMPARE(program.State().SelectedTreeNode, c.DimeSeries);
        find->Grid1->setCurrentCell(0, 0);
        QCOMPARE(program.State().SelectedTreeNode, c.CentSeries);

        // Reading another collection frees every entry: the list is dropped
        // and built afresh when the window is next used.
        Q_EMIT program.State().Events->CoinsCleared();
        QCOMPARE(find->Grid1->rowCount(), 0);
        program.Trigger(QStringLiteral("FindCatalog1"));
        QCOMPARE(find->Grid1->rowCount(), 3);
    }

    void itemFinderAndItemKeysShowTheEntry()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);

        program.Trigger(QStringLiteral("Findcoinbyitemnumber1"));
        auto *find = Window<TFindItemForm>(form);
        QCOMPARE(find->StatusLabel->text(), QStringLiteral("(Range: 1 to 5)"));
        // The number shown is selected: a digit typed replaces it.
        QCOMPARE(find->SpinBox1->findChild<QLineEdit *>()->selectedText(), find->SpinBox1->text());
        QTest::keyClicks(find->SpinBox1, QStringLiteral("2"));
        QCOMPARE(find->SpinBox1->value(), 2);
        find->SpinBox1->setValue(3);
        QTest::mouseClick(find->SearchButton, Qt::LeftButton);
        tMainState &s = program.State();
        QCOMPARE(s.SelectedTreeNode, c.DimeSeries);
        QCOMPARE(form.PageTabs->currentIndex(), int(PageCoins));
        QCOMPARE(s.CurrCoinList.at(static_cast<size_t>(s.CoinGridRow)), c.Coins[2]);

        // An item nobody has: the message stays until the value changes.
        find->SpinBox1->setMaximum(99);
        find->SpinBox1->findChild<QLineEdit *>()->setText(QStringLiteral("42"));
        QTest::keyClick(find->SpinBox1, Qt::Key_Return);
        QVERIFY(find->StatusLabel->text().startsWith(QStringLiteral("There is no item #")));

        // Ctrl+N and Ctrl+P step through the item numbers of the collection.
        s.LastItemNumberAccessed = 3;
        program.Trigger(QStringLiteral("NextItem1"));
        QCOMPARE(s.CurrCoinList.at(static_cast<size_t>(s.CoinGridRow)), c.Coins[3]);
        program.Trigger(QStringLiteral("NextItem1"));
        QCOMPARE(s.SelectedTreeNode, c.CentSeries);
        QCOMPARE(s.CurrCoinList.at(static_cast<size_t>(s.CoinGridRow)), c.Coins[4]);
        program.Trigger(QStringLiteral("NextItem1"));  // 5 is the last
        QCOMPARE(s.LastItemNumberAccessed, 5);
        program.Trigger(QStringLiteral("PreviousItem1"));
        QCOMPARE(s.LastItemNumberAccessed, 4);
        QCOMPARE(program.Action(QStringLiteral("NextItem1"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    }

    void trackingCommandsAreStoredAndStepped()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        tMainState &s = program.State();

        s.SelectedTreeNode = c.DimeSeries;
        program.Trigger(QStringLiteral("Trackallcoinsinselectedseries1"));
        QVERIFY(s.DataModified);
        QCOMPARE(StoredTracks(program), (QList<int>{3, 4}));

        // Find next tracked coin goes series by series and wraps.
        s.SelectedTreeNode = c.CentSeries;
        Q_EMIT s.Events->SeriesSelected();
        program.Trigger(QStringLiteral("Findnexttrackedcoin1"));
        QCOMPARE(s.SelectedTreeNode, c.DimeSeries);
        QCOMPARE(form.PageTabs->currentIndex(), int(PageCoins));
        QCOMPARE(s.CurrCoinList.at(static_cast<size_t>(s.CoinGridRow)), c.Coins[2]);
        program.Trigger(QStringLiteral("Findnexttrackedcoin1"));
        QCOMPARE(s.CurrCoinList.at(static_cast<size_t>(s.CoinGridRow)), c.Coins[3]);
        program.Trigger(QStringLiteral("Findnexttrackedcoin1"));
        QCOMPARE(s.CurrCoinList.at(static_cast<size_t>(s.CoinGridRow)), c.Coins[2]);

        // "Move tracked coins here" on the series menu asks, then moves.
        s.SelectedTreeNode = c.CentSeries;
        Q_EMIT s.Events->SeriesSelected();
        QVERIFY(form.SeriesTree->RightMenu->actions().contains(form.Finders->Movetracked1));
        program.Ui.answer(QStringLiteral("Yes"));
        form.Finders->Movetracked1->trigger();
        QVERIFY(program.Ui.Texts().last().startsWith(QStringLiteral("There are 2 coins in 1 series that are")));
        QCOMPARE(c.Coins[2]->Folder, c.CentSeries);
        QCOMPARE(s.CurrCoinList.size(), size_t(5));
        QCOMPARE(StoredTracks(program), QList<int>{});

        program.Trigger(QStringLiteral("Untrackallcoinsinselectedseries1"));
        program.Ui.answer(QStringLiteral("OK"));
        program.Trigger(QStringLiteral("Findnexttrackedcoin1"));
        QCOMPARE(program.Ui.Texts().last(), QStringLiteral("There are no tracked coins in this collection"));
    }

    void trackWindowCountsFollowTheCriteria()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        tMainState &s = program.State();
        c.Coins[0]->User1 = true;

        program.Trigger(QStringLiteral("Searchtrack1"));
        auto *track = Window<TTrackForm>(form);
        QCOMPARE(track->windowTitle(), QStringLiteral("Orvanta: Search & Track"));
        const auto label = [track](const char *name) { return track->findChild<QLabel *>(name)->text(); };
        QCOMPARE(label("TotalLabel"), QStringLiteral("Total coins in selected series: 5"));
        QCOMPARE(label("TrackedLabel"), QStringLiteral("Coins already tracked: 1"));

        // Ticking "Comment*" shows its edit; typing narrows the count.
        auto *comment = track->findChild<QCheckBox *>(QStringLiteral("CheckBox5"));
        QCOMPARE(comment->text(), QStringLiteral("Comment*"));
        comment->setChecked(true);
        auto *edit = track->findChild<QLineEdit *>(QStringLiteral("MinControl5"));
        QVERIFY(edit->isVisible());
        QTest::keyClicks(edit, QStringLiteral("D*Y"));
        QCOMPARE(label("TotalMatchLabel"), QStringLiteral("That match this filter: 3"));
        QCOMPARE(label("UntrackedMatchLabel"), QStringLiteral("That match this filter: 2"));

        QTest::mouseClick(track->TrackButton, Qt::LeftButton);
        QCOMPARE(label("UntrackedMatchLabel"), QStringLiteral("That match this filter: 0"));
        QVERIFY(!track->TrackButton->isEnabled());
        QCOMPARE(StoredTracks(program), (QList<int>{1, 3, 5}));

        // The scope follows the selected series when the window is activated.
        s.SelectedTreeNode = c.DimeSeries;
        track->findChild<QComboBox *>(QStringLiteral("ComboBox7"))->setCurrentIndex(1);
        QCOMPARE(label("TotalLabel"), QStringLiteral("Total coins in selected series: 2"));
        QTest::mouseClick(track->TrackNonButton, Qt::LeftButton);
        QCOMPARE(StoredTracks(program), (QList<int>{1, 4, 5}));

        QTest::mouseClick(track->ClearButton, Qt::LeftButton);
        QCOMPARE(label("TrackedLabel"), QStringLiteral("Coins already tracked: 0"));
        QCOMPARE(StoredTracks(program), QList<int>{});
        QTest::mouseClick(track->DoneBtn, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form.Finders->Track);
    }

    // Patterns that made a backtracking engine run for seconds, or give up
    // and call a matching value "not found", in each window that takes one.
    void wildcardsFindWhatMatchesAtOnce()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        tMainState &s = program.State();
        QElapsedTimer clock;
        clock.start();

        // "Find text": a long name that holds the pattern only at its end.
        c.DimeSeries->NodeName = QString(252, QLatin1Char('e')) + QStringLiteral("x");
        program.Trigger(QStringLiteral("Searchfortext1"));
        auto *find = Window<TFindTextForm>(form);
        find->ComboEdit1->setCurrentText(QStringLiteral("*e*e*e*e*e*e*e*x"));
        QTest::mouseClick(find->Downbutton, Qt::LeftButton);
        QCOMPARE(find->StatusLabel->text(), QStringLiteral("1 instance found."));
        QCOMPARE(s.SelectedTreeNode, c.DimeSeries);
        // A long search text finds the series whose name holds it.
        const QString longText = QString(20000, QLatin1Char('k'));
        c.CentSeries->NodeName = QStringLiteral("Small cents ") + longText;
        find->ComboEdit1->setCurrentText(longText);
        QTest::mouseClick(find->Downbutton, Qt::LeftButton);
        QCOMPARE(find->StatusLabel->text(), QStringLiteral("1 instance found."));
        QCOMPARE(s.SelectedTreeNode, c.CentSeries);

        // "Search & Track": the notes of every entry are long, and three of
        // them end in the letter the pattern asks for.
        for (size_t i = 0; i < c.Coins.size(); ++i)
            c.Coins[i]->Notes = QString(250, QLatin1Char('a')) + (i % 2 == 0 ? QStringLiteral("b") : QString());
        program.Trigger(QStringLiteral("Searchtrack1"));
        auto *track = Window<TTrackForm>(form);
        track->findChild<QCheckBox *>(QStringLiteral("CheckBox6"))->setChecked(true);
        auto *notes = track->findChild<QLineEdit *>(QStringLiteral("MinControl6"));
        notes->setText(QStringLiteral("*a*a*a*a*a*a*a*a*b"));
        QCOMPARE(track->findChild<QLabel *>(QStringLiteral("TotalMatchLabel"))->text(),
                 QStringLiteral("That match this filter: 3"));
        track->close();

        // The catalogue filter: "?" and "*" repeat the character before
        // them; numbers with 24 ones in a row match 24 optional ones and 24
        // ones. (The letters keep their keys apart: a key holds the last 12
        // digits of a number.)
        for (const auto &[ones, letter] : {std::pair{24, 'a'}, std::pair{25, 'b'}, std::pair{30, 'c'}}) {
            auto p = std::make_unique<tPriceInfo>();
            p->CoinType = Cents;
            p->Catalog = QStringLiteral("KM# ") + QString(ones, QLatin1Char('1')) + QLatin1Char(letter);
            s.PriceList.push_back(std::move(p));
        }
        program.Trigger(QStringLiteral("FindCatalog1"));
        auto *catalogue = Window<TFindCatalogForm>(form);
        QCOMPARE(catalogue->Grid1->rowCount(), 6);
        catalogue->Edit1->setText(QString("1?").repeated(24) + QString(24, QLatin1Char('1')));
        QCOMPARE(catalogue->Grid1->rowCount(), 3);
        // A mark with nothing to repeat is no pattern: the list stays.
        catalogue->Edit1->setText(QStringLiteral("*1"));
        QCOMPARE(catalogue->Grid1->rowCount(), 3);
        QVERIFY2(clock.elapsed() < 30000, "a pattern hung the window");
    }

    // An entry that the view filter hides (Need only, Need entries not
    // shown) is shown when a finder goes to it, and the next step goes on
    // from it.
    void findersShowAnEntryTheViewFilterHides()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        tMainState &s = program.State();
        tCoinInfo *needed = c.Coins[3];  // item 4, a dime
        needed->Have = 0;
        needed->Need = 1;
        needed->User1 = true;
        form.PageTabs->setCurrentIndex(PageCoins);
        form.CoinGridPage->ViewNeedCheckBox->setChecked(false);
        QVERIFY(!s.ViewNeed);
        const auto shown = [&s] {
            return s.CoinGridRow >= 0 && s.CoinGridRow < static_cast<int>(s.CurrCoinList.size())
                       ? s.CurrCoinList[static_cast<size_t>(s.CoinGridRow)]
                       : nullptr;
        };

        // Ctrl+N from item 3 goes to item 4, then on to item 5.
        s.LastItemNumberAccessed = 3;
        program.Trigger(QStringLiteral("NextItem1"));
        QCOMPARE(shown(), needed);
        QCOMPARE(s.LastItemNumberAccessed, 4);
        program.Trigger(QStringLiteral("NextItem1"));
        QCOMPARE(shown(), c.Coins[4]);
        program.Trigger(QStringLiteral("PreviousItem1"));
        QCOMPARE(shown(), needed);

        // "Find next tracked coin": the only tracked entry, from another
        // series and then again from itself.
        s.SelectedTreeNode = c.CentSeries;
        Q_EMIT s.Events->SeriesSelected();
        program.Trigger(QStringLiteral("Findnexttrackedcoin1"));
        QCOMPARE(s.SelectedTreeNode, c.DimeSeries);
        QCOMPARE(shown(), needed);
        QVERIFY(shown()->User1);
        program.Trigger(QStringLiteral("Findnexttrackedcoin1"));
        QCOMPARE(shown(), needed);

        // The item finder.
        s.SelectedTreeNode = c.CentSeries;
        Q_EMIT s.Events->SeriesSelected();
        program.Trigger(QStringLiteral("Findcoinbyitemnumber1"));
        auto *find = Window<TFindItemForm>(form);
        find->SpinBox1->setValue(4);
        QTest::mouseClick(find->SearchButton, Qt::LeftButton);
        QCOMPARE(s.SelectedTreeNode, c.DimeSeries);
        QCOMPARE(shown(), needed);
    }

    // The price row of an entry is looked up again once the entry changes
    // in a way that can give it another row: moved to another series, or
    // given another year.
    void trackLooksUpThePriceRowOfAChangedEntry()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        tMainState &s = program.State();
        for (const auto &[series, year, catalog] :
             {std::tuple{Cents, 1900, "KM# 7"}, std::tuple{Dimes, 1900, "KM# 9"}, std::tuple{Cents, 1901, "KM# 8"}}) {
            auto p = std::make_unique<tPriceInfo>();
            p->CoinType = series;
            p->Year = year;
            p->Catalog = QString::fromLatin1(catalog);
            s.PriceList.push_back(std::move(p));
        }
        s.PriceListGeneration.fetch_add(1);

        program.Trigger(QStringLiteral("Searchtrack1"));
        auto *track = Window<TTrackForm>(form);
        const auto matching = [track] {
            return track->findChild<QLabel *>(QStringLiteral("TotalMatchLabel"))->text();
        };
        track->findChild<QCheckBox *>(QStringLiteral("CheckBox19"))->setChecked(true);
        auto *catalog = track->findChild<QLineEdit *>(QStringLiteral("MinControl19"));
        catalog->setText(QStringLiteral("KM# 7"));
        QCOMPARE(matching(), QStringLiteral("That match this filter: 3"));  // the three cents

        // The two dimes are tracked and moved into the cents series.
        c.Coins[2]->User1 = c.Coins[3]->User1 = true;
        s.SelectedTreeNode = c.CentSeries;
        Q_EMIT s.Events->SeriesSelected();
        program.Ui.answer(QStringLiteral("Yes"));
        form.Finders->Movetracked1->trigger();
        QCOMPARE(c.Coins[2]->Folder, c.CentSeries);
        track->FormActivate();
        QCOMPARE(matching(), QStringLiteral("That match this filter: 5"));

        // An entry's year changed: its row is that year's.
        c.Coins[0]->Year = 1901;
        track->FormActivate();
        QCOMPARE(matching(), QStringLiteral("That match this filter: 4"));
        s.SelectedTreeNode = s.EntireCollection.get();
        QTest::mouseClick(track->ClearButton, Qt::LeftButton);
        QTest::mouseClick(track->TrackButton, Qt::LeftButton);
        QCOMPARE(StoredTracks(program), (QList<int>{2, 3, 4, 5}));
    }

    // Bounds under a comma locale: either decimal mark is read as one, and
    // a stored amount in either form is compared by value.
    void trackBoundsReadEitherDecimalMark()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([before] { QLocale::setDefault(before); });
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tCollection c = Fill(program);
        tMainState &s = program.State();
        for (const auto &[type, label] : {std::pair{UDFMoney, "Paid"}, std::pair{UDFReal, "Weight"}}) {
            auto f = std::make_unique<tUDFfield>();
            f->FieldType = type;
            f->FieldLabel = QString::fromLatin1(label);
            f->Length = 9;
            s.UDFlist.push_back(std::move(f));
        }
        const Money prices[] = {125000, 99900, 125000, 150000, 0};
        const char *const paid[] = {"15,00", "15.00", "25,00", "12,50", "15"};
        const char *const weight[] = {"2,5", "2.5", "3", "2,50", "7"};
        for (size_t i = 0; i < c.Coins.size(); ++i) {
            c.Coins[i]->BuyPrice = prices[i];
            c.Coins[i]->UDFstring = CommaTextJoin({QString::fromLatin1(paid[i]), QString::fromLatin1(weight[i])});
        }

        program.Trigger(QStringLiteral("Searchtrack1"));
        auto *track = Window<TTrackForm>(form);
        const auto matching = [track] {
            return track->findChild<QLabel *>(QStringLiteral("TotalMatchLabel"))->text();
        };
        const auto range = [track](int row, const QString &lower, const QString &upper) {
            for (int r = 1; r <= 23; ++r)
                track->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(r))->setChecked(r == row);
            auto *min = track->findChild<QLineEdit *>(QStringLiteral("MinControl%1").arg(row));
            auto *max = track->findChild<QLineEdit *>(QStringLiteral("MaxControl%1").arg(row));
            min->clear();
            max->clear();
            QTest::keyClicks(min, lower);
            QTest::keyClicks(max, upper);
            return min->text() + QLatin1Char('|') + max->text();
        };
        // "Buy price range" 12.50 alone: exactly 12,50.
        QCOMPARE(range(7, QStringLiteral("12.50"), QString()), QStringLiteral("12.50|"));
        QCOMPARE(matching(), QStringLiteral("That match this filter: 2"));
        QCOMPARE(range(7, QStringLiteral("10,00"), QStringLiteral("13")), QStringLiteral("10,00|13"));
        QCOMPARE(matching(), QStringLiteral("That match this filter: 2"));
        // "Paid range" 15.00 alone finds "15,00", "15.00" and "15".
        range(22, QStringLiteral("15.00"), QString());
        QCOMPARE(matching(), QStringLiteral("That match this filter: 3"));
        // "Weight range" 2.5 alone finds "2,5", "2.5" and "2,50".
        range(23, QStringLiteral("2.5"), QString());
        QCOMPARE(matching(), QStringLiteral("That match this filter: 3"));
        range(23, QStringLiteral("2,5"), QStringLiteral("3"));
        QCOMPARE(matching(), QStringLiteral("That match this filter: 4"));
    }
};

QTEST_MAIN(tst_Finders)
#include "tst_finders.moc"
