#include <QtTest>

#include "browse/tree/ui/seriestreeview.h"

#include "support/scriptedui.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGraphicsEffect>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "core/model/dates.h"
#include "core/program/log.h"
#include "core/program/startup.h"
#include "browse/shell/mainlayout.h"
#include "browse/shell/pageswitch.h"
#include "browse/shell/ui/mainform.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/shell/ui/titleform.h"
#include "platform/uiservices.h"

namespace {

// Timers that never fire on their own during a test.
const tMainFormTimings Still{3600 * 1000, 3600 * 1000};

tCoinInfo *AddCoin(tMainState &s, tnodeinfo *node, int year, const char *mint)
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = node->CoinType;
    c->Folder = node;
    c->Year = year;
    c->Mint = QString::fromLatin1(mint);
    tCoinInfo *raw = c.get();
    s.CoinList.push_back(std::move(c));
    s.CurrCoinList.push_back(raw);
    return raw;
}

tPriceInfo *AddPrice(tMainState &s, int coinType, int year, const char *mint)
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = coinType;
    p->Year = year;
    p->Mint = QString::fromLatin1(mint);
    tPriceInfo *raw = p.get();
    s.PriceList.push_back(std::move(p));
    s.CurrPriceList.push_back(raw);
    return raw;
}

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace

class tst_MainForm : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;
    QStringList calls_;
    tScriptedUi ui_{tScriptedUi::tUnscripted::FirstButton};

    // Every seam that returns nothing records its name.
    tMainFormSeams RecordingSeams()
    {
        tMainFormSeams s;
#define RECORD(name) s.name = [this](auto &&...) { calls_ << QStringLiteral(#name); };
        RECORD(InstallAppException) RECORD(BuildThemePanel) RECORD(LoadMetals) RECORD(LoadFormState)
        RECORD(LoadCountries) RECORD(LoadForexAndSpotPrices) RECORD(LoadPriceDates) RECORD(BuildNodePorts)
        RECORD(LoadEbooks) RECORD(ViewHaveCheckBoxChange) RECORD(PlaceThumbnailPanel) RECORD(InstallAppHint)
        RECORD(ShowBinCount) RECORD(SquewSpotPrices) RECORD(DisplayMetalValues) RECORD(FormsTimerTimer)
        RECORD(Tipoftheday1Click) RECORD(AssignNodePorts) RECORD(RenderTree)
        RECORD(MakeTreeNodeVisible) RECORD(BigImageDown) RECORD(ArrangeStatsLabels) RECORD(SetupThemesBox)
        RECORD(ViewSizeBtnClick) RECORD(BuildFavoritesMenu) RECORD(SetupPricelistColumns) RECORD(RenderPrices)
        RECORD(ResortPrices) RECORD(ShowUserSeriesHint) RECORD(ShowPastePriceForm) RECORD(SetCoinGridRow)
        RECORD(SelectCoin) RECORD(SortFolderCoins) RECORD(AddRecent) RECORD(BuildDateMintBoxList)
        RECORD(UpdateSelectionSummary) RECORD(ShowNAHint) RECORD(NoteMaxedBtnClick) RECORD(SettingSlideLabelClick)
        RECORD(ClearUDFlist2) RECORD(CreateUDFobjects) RECORD(ShowUDFValues) RECORD(StuffCoinInfo)
        RECORD(RenderDatePopup) RECORD(DatePopupClosePopup) RECORD(BuildImageRadios) RECORD(LoadCoinImage)
        RECORD(UpdateImageButtons) RECORD(ResetImageEffects) RECORD(BookListBoxChange)
        RECORD(BuildCollectionChart) RECORD(ShowReportDescription)
#undef RECORD
        s.ShowWelcomeWindow = [this] {
            calls_ << QStringLiteral("ShowWelcomeWindow");
            return true;
        };
        s.LogModeKeysHeld = [] { return false; };
        return s;
    }

    // A window with a selected series "United States" holding three coins.
    struct Fixture {
        std::unique_ptr<TMainForm> Form;
        tnodeinfo *Series = nullptr;
        tnodeinfo *Notes = nullptr;
    };
    Fixture MakeFixture(tMainFormSeams seams)
    {
        Fixture f;
        f.Form = std::make_unique<TMainForm>(seams, Still);
        tMainState &s = f.Form->State;
        f.Series = AddChildNode(s.EntireCollection.get(), 352001);
        f.Series->NodeName = QStringLiteral("United States");
        f.Notes = AddChildNode(s.EntireCollection.get(), 353001);
        f.Notes->NodeName = QStringLiteral("Banknotes");
        f.Notes->CoinShape = PaperMoneyShape;
        s.SelectedTreeNode = f.Series;
        AddCoin(s, f.Series, 1921, "D");
        AddCoin(s, f.Series, 1922, "S");
        AddCoin(s, f.Series, 1923, "P");
        f.Form->PageTabs->setEnabled(true);
        return f;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        qputenv("ORVANTA_HOME", home_.path().toUtf8());
        platform::setUserInterface(&ui_);
    }
    void cleanupTestCase() { platform::setUserInterface(nullptr); }
    void init()
    {
        calls_.clear();
        ui_.Messages.clear();
        LogMode = false;
        LogList.clear();
    }

    void startUpRunsInOrderInLogMode()
    {
        // A folder with one read-only file, so one check succeeds.
        const QString prices = home_.filePath(QStringLiteral("Documents/Orvanta/Prices/"));
        QVERIFY(QDir().mkpath(prices));
        QFile f(prices + QStringLiteral("US.OVP"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QFile::setPermissions(f.fileName(), QFileDevice::ReadOwner);
        QFile redirect(home_.filePath(QStringLiteral(".local/share/Orvanta/Other/Redirect.ini")));
        QVERIFY(QDir().mkpath(QFileInfo(redirect).path()));
        QVERIFY(redirect.open(QIODevice::WriteOnly));
        redirect.write("[Directories]\nPrices=" + prices.toUtf8() + "\\\\\n");
        redirect.close();

        // Each step leaves a mark in the log, so the log shows the order.
        auto mark = [](const char *name) {
            return [name] { LogEntry(QStringLiteral("> ") + QString::fromLatin1(name)); };
        };
        tMainFormSeams seams;
        seams.LogModeKeysHeld = [] { return true; };
        seams.InstallAppException = mark("InstallAppException");
        seams.BuildThemePanel = mark("BuildThemePanel");
        seams.LoadMetals = mark("LoadMetals");
        seams.LoadFormState = mark("LoadFormState");
        seams.LoadCountries = mark("LoadCountries");
        seams.LoadForexAndSpotPrices = mark("LoadForexAndSpotPrices");
        seams.LoadPriceDates = mark("LoadPriceDates");
        seams.BuildNodePorts = mark("BuildNodePorts");
        seams.LoadEbooks = mark("LoadEbooks");
        seams.InstallAppHint = mark("InstallAppHint");
        seams.ShowBinCount = mark("ShowBinCount");
        seams.SquewSpotPrices = mark("SquewSpotPrices");
        seams.DisplayMetalValues = mark("DisplayMetalValues");
        seams.ShowWelcomeWindow = [m = mark("ShowWelcomeWindow")] {
            m();
            return true;
        };
        seams.Tipoftheday1Click = mark("Tipoftheday1Click");

        TMainForm form(seams, Still);
        form.CommandLine.clear();
        form.StartupTimerTimeout();
        const QStringList log = LogLinesWithoutTime();

        const QString failed = QStringLiteral(" R/W test: Failed (0 of 0 files are read-only)");
        const QStringList expected{
            "MainForm.Init",
            "> InstallAppException",
            "Variable.Init",
            "> BuildThemePanel",
            "> LoadMetals",
            ">>>>> Load Redirections Section <<<<<",
            "Find default directories <Done>",
            "Prices redirected to " + prices,
            ">>>>> Test directories Section <<<<<",
            "Folder Images" + failed,
            "eBooks" + failed,
            "Prices R/W test: Success (1 of 1 files are read-only)",
            "Countries" + failed,
            "Backups" + failed,
            "Reports" + failed,
            "Other R/W test: Success (0 of 1 files are read-only)",  // Redirect.ini
            "Downloads" + failed,
            "Redirect.ini loaded",
            "> LoadFormState",
            "> LoadCountries",
            "> LoadForexAndSpotPrices",
            "> LoadPriceDates",
            "NodePorts.Init <Done>",
            "> BuildNodePorts",
            "> LoadEbooks",
            "eLibrary.Init",
            "> InstallAppHint",
            "> ShowBinCount",
            "> SquewSpotPrices",
            "> DisplayMetalValues",
            "Init.Complete",
            "Timer1.Init",
            "> ShowWelcomeWindow",
            "> Tipoftheday1Click",
            "Timer1.Complete",
        };
        QCOMPARE(log, expected);
        QVERIFY(LogMode);
    }

    void startUpPutsTheWindowInItsStartState()
    {
        TMainForm form(RecordingSeams(), Still);
        QVERIFY(!LogMode);
        QVERIFY(LogList.isEmpty());
        QVERIFY(!form.PageTabs->isEnabled());
        QCOMPARE(form.PageTabs->currentWidget(), form.TabSeries);
        QCOMPARE(form.SideTabs->currentWidget(), form.Tab2Image);
        QCOMPARE(form.State.SelectedTreeNode, form.State.EntireCollection.get());
        QCOMPARE(form.State.EntireCollection->NodeName, QStringLiteral("Entire Collection"));
        QCOMPARE(form.State.OVversionString, GetVersionString());
        QCOMPARE(form.State.GradeTitles3D.Title(GradeKindCoins, 0, 19), QStringLiteral("MS-60"));
        QVERIFY(form.StartupTimer->isActive() && form.StartupTimer->isSingleShot());
        QVERIFY(form.FormsTimer->isActive());
        QVERIFY(!form.KeyTimer->isActive() && !form.TreeScrollTimer->isActive());
        QCOMPARE(form.SettingPanel->width(), form.SettingSlideLabelPanel->width());
        QCOMPARE(form.SettingSlideLabel->text(), SettingsClosedCaption);
        QVERIFY(form.ImagePanel->isHidden() && !form.TreeBaseLayout->isHidden());
        QVERIFY(form.StackPickerLayout->isHidden() && form.BigLabelLayout->isHidden());
        QVERIFY(form.ObverseNoImageLabel->isHidden());
        QCOMPARE(form.ObverseNoImageLabel->text(), QStringLiteral("No\nObverse image\nattached"));
        QCOMPARE(form.BinLabel->text(), QStringLiteral("0"));
        QVERIFY(!form.BinImage->icon().isNull());
        QCOMPARE(form.BuyDateButton->property("TagObject").value<QObject *>(), form.BuyDateBox);
        QCOMPARE(form.SellDateButton->property("TagObject").value<QObject *>(), form.SellDateBox);
        QCOMPARE(form.ImageRadios.size(), size_t(4));
        QCOMPARE(form.ImageRadios.back(), form.ImageRadioAdd);
        QVERIFY(form.StatusProgressBar->isHidden() && form.SumPanel->isHidden() && form.CoinPDFLayout->isHidden());

        // The product-name menu is gone; its items moved into "Tools".
        QVERIFY(!form.menuBar()->actions().contains(form.ProductMenu->menuAction()));
        QVERIFY(form.ToolsMenu->actions().contains(form.Contact1->menuAction()));
        QVERIFY(form.ToolsMenu->actions().contains(form.AboutOrvanta1));

        // Date boxes take digits and the date separator only (the editor
        // rests until an entry is shown, so the rule is asked directly).
        for (QLineEdit *box : {form.BuyDateBox, form.SellDateBox}) {
            QVERIFY(box->validator());
            int pos = 0;
            QString typed = QStringLiteral("1x2");
            QCOMPARE(box->validator()->validate(typed, pos), QValidator::Invalid);
            QString digits = QStringLiteral("12");
            QCOMPARE(box->validator()->validate(digits, pos), QValidator::Acceptable);
        }
    }

    void maintainerModeIsAskedForByTheEnvironment()
    {
        QVERIFY(!TMainForm(RecordingSeams(), Still).State.MaintainerMode);
        qputenv("ORVANTA_MAINTAINER", "1");
        const bool on = TMainForm(RecordingSeams(), Still).State.MaintainerMode;
        qunsetenv("ORVANTA_MAINTAINER");
        QVERIFY(on);
    }

    void viewBoxesStartFromTheirFlagsSilently()
    {
        tMainFormSeams seams = RecordingSeams();
        seams.ViewFlags = [] { return std::array<bool, 4>{true, false, true, false}; };
        TMainForm form(seams, Still);
        QVERIFY(form.ViewHaveCheckBox->isChecked() && !form.ViewNeedCheckBox->isChecked());
        QVERIFY(!calls_.contains(QStringLiteral("ViewHaveCheckBoxChange")));
        form.ViewSoldCheckBox->setChecked(true);
        QCOMPARE(calls_.count(QStringLiteral("ViewHaveCheckBoxChange")), 1);
    }

    void activeCurrencyOutOfRangeBecomesDollars_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("active");
        QTest::newRow("missing") << -1 << 1;
        QTest::newRow("out of range") << 99 << 1;
        QTest::newRow("valid") << 2 << 2;
    }
    void activeCurrencyOutOfRangeBecomesDollars()
    {
        QFETCH(int, stored);
        tMainFormSeams seams = RecordingSeams();
        seams.LoadFormState = [stored] { MainForm->State.ActiveForexIndex = stored; };
        seams.LoadForexAndSpotPrices = [] {
            for (const char *code : {"EUR", "USD", "GBP"}) {
                auto f = std::make_unique<tForex>();
                f->Code = QString::fromLatin1(code);
                MainForm->State.ForexList.push_back(std::move(f));
            }
        };
        TMainForm form(seams, Still);
        QTEST(form.State.ActiveForexIndex, "active");
    }

    void commandLineDecidesWhatOpens_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("loader");  // 0 reads, 1 returns false, 2 throws
        QTest::addColumn<bool>("opened");
        QTest::newRow("collection in capitals") << QStringList{"/data/My Coins.OVD"} << 0 << true;
        QTest::newRow("lower-case extension") << QStringList{"/data/My Coins.ovd"} << 0 << false;
        QTest::newRow("other extension") << QStringList{"/data/coins.txt"} << 0 << false;
        QTest::newRow("no argument") << QStringList{} << 0 << false;
        QTest::newRow("file that cannot be read") << QStringList{"/data/Broken.OVD"} << 1 << false;
        QTest::newRow("reader fails with an error") << QStringList{"/data/Broken.OVD"} << 2 << false;
    }
    void commandLineDecidesWhatOpens()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, loader);
        QFETCH(bool, opened);
        tMainFormSeams seams = RecordingSeams();
        QStringList loads;
        seams.LoadDataFromFile = [&](const QString &name, bool merge) {
            loads << name + (merge ? QStringLiteral(" merge") : QString());
            if (loader == 2)
                throw std::runtime_error("unreadable");
            return loader == 0;
        };
        TMainForm form(seams, Still);
        form.CommandLine = arguments;
        form.StartupTimerTimeout();

        const bool attempted = !CommandLineCollection(arguments).isEmpty();
        QCOMPARE(loads, attempted ? QStringList{arguments.first()} : QStringList{});
        QCOMPARE(calls_.contains(QStringLiteral("ShowWelcomeWindow")), !opened);
        QCOMPARE(form.PageTabs->isEnabled(), opened);
        QCOMPARE(form.State.LastFileName, opened ? arguments.first() : QString());
        if (attempted && !opened) {
            QCOMPARE(ui_.Messages.size(), size_t(1));
            QCOMPARE(ui_.Messages[0].Text,
                     QStringLiteral("Orvanta was unable to load the file\r\"") + arguments.first() + "\".");
            QCOMPARE(ui_.Messages[0].Buttons.size(), size_t(1));
            QCOMPARE(ui_.Messages[0].Buttons[0].Caption, QStringLiteral("OK"));
            // The message comes before the welcome window.
            QVERIFY(calls_.indexOf(QStringLiteral("ShowWelcomeWindow")) >= 0);
        } else {
            QVERIFY(ui_.Messages.empty());
        }
    }

    void tipFollowsOnlyWhenWanted_data()
    {
        QTest::addColumn<bool>("useTips");
        QTest::newRow("tips on") << true;
        QTest::newRow("tips off") << false;
    }
    void tipFollowsOnlyWhenWanted()
    {
        QFETCH(bool, useTips);
        tMainFormSeams seams = RecordingSeams();
        seams.UseTips = [useTips] { return useTips; };
        TMainForm form(seams, Still);
        form.CommandLine.clear();
        form.StartupTimerTimeout();
        QCOMPARE(calls_.contains(QStringLiteral("Tipoftheday1Click")), useTips);
        if (useTips)
            QVERIFY(calls_.indexOf(QStringLiteral("ShowWelcomeWindow"))
                    < calls_.indexOf(QStringLiteral("Tipoftheday1Click")));
        QVERIFY(!form.ViewSizeBtn->isHidden());
        QVERIFY(!form.StartupTimer->isActive());
    }

    void deferredStartUpRunsOnceFromItsTimer()
    {
        tMainFormSeams seams = RecordingSeams();
        TMainForm form(seams, tMainFormTimings{0, 3600 * 1000});
        form.CommandLine.clear();
        QTRY_VERIFY(calls_.contains(QStringLiteral("ShowWelcomeWindow")));
        QVERIFY(!form.StartupTimer->isActive());
        Settle();
        QCOMPARE(calls_.count(QStringLiteral("ShowWelcomeWindow")), 1);
    }

    void splashShowsVersionOrLogModeUntilStartUp_data()
    {
        QTest::addColumn<bool>("logMode");
        QTest::newRow("normal start") << false;
        QTest::newRow("log mode") << true;
    }
    void splashShowsVersionOrLogModeUntilStartUp()
    {
        QFETCH(bool, logMode);
        tMainFormSeams seams = RecordingSeams();
        seams.LogModeKeysHeld = [logMode] { return logMode; };
        TMainForm form(seams, Still);
        QPointer<TTitle_Form> splash = new TTitle_Form;  // owned through Title_Form
        QCOMPARE(Title_Form, splash.data());
        QVERIFY(splash->isVisible());
        QCOMPARE(splash->size(), QSize(540, 540));
        QCOMPARE(splash->VersionLabel->text(), logMode ? QStringLiteral("Log mode") : GetVersionString());
        QCOMPARE(splash->VersionLabel->font().pixelSize(), logMode ? 24 : 38);
        form.CommandLine.clear();
        form.StartupTimerTimeout();
        QVERIFY(splash.isNull());
        QVERIFY(!Title_Form);
    }

    void enteringEachPageRunsItsRefresh_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QStringList>("refresh");
        QTest::newRow("Series") << int(PageSeries) << QStringList{"RenderTree"};
        QTest::newRow("eBooks") << int(PageEbooks) << QStringList{"BookListBoxChange"};
        QTest::newRow("Pricing") << int(PagePricing) << QStringList{"SetupPricelistColumns", "RenderPrices"};
        QTest::newRow("Coins") << int(PageCoins)
                               << QStringList{"AddRecent",  "BuildDateMintBoxList", "UpdateSelectionSummary",
                                              "SortFolderCoins", "SetCoinGridRow", "SelectCoin", "ShowNAHint"};
        QTest::newRow("Images") << int(PageImages)
                                << QStringList{"BuildImageRadios", "LoadCoinImage", "UpdateImageButtons",
                                               "ResetImageEffects"};
        QTest::newRow("Graphs") << int(PageGraphs) << QStringList{"BuildCollectionChart"};
        QTest::newRow("Reports") << int(PageReports) << QStringList{"ShowReportDescription"};
    }
    void enteringEachPageRunsItsRefresh()
    {
        QFETCH(int, tag);
        QFETCH(QStringList, refresh);
        tMainFormSeams seams = RecordingSeams();
        seams.CoinGridRow = [] { return 0; };
        Fixture f = MakeFixture(seams);
        TMainForm &form = *f.Form;
        // Start from another page, so that entering the page is a change.
        form.PageTabs->setCurrentIndex(tag == PageGraphs ? PageEbooks : PageGraphs);
        calls_.clear();

        form.PageTabs->setCurrentIndex(tag);
        QCOMPARE(form.PageTabs->property("Tag").toInt(), tag);
        QCOMPARE(calls_.first(), QStringLiteral("BigImageDown"));
        QVERIFY(calls_.contains(QStringLiteral("SettingSlideLabelClick")));
        QStringList ran;
        for (const QString &c : calls_)
            if (refresh.contains(c) && !ran.contains(c))
                ran << c;
        QCOMPARE(ran, refresh);
        const QStringList others{"RenderTree", "BookListBoxChange", "RenderPrices", "AddRecent", "BuildImageRadios",
                                 "BuildCollectionChart", "ShowReportDescription"};
        for (const QString &o : others)
            if (!refresh.contains(o))
                QVERIFY2(!calls_.contains(o), qPrintable(o));
        if (tag == PageImages)
            QCOMPARE(form.SelectedLabel->text(), QStringLiteral("1921-D"));
        else
            QCOMPARE(form.SelectedLabel->text(), QStringLiteral("United States"));
    }

    void leavingPricingResortsOnlyModifiedPrices_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::newRow("modified") << true;
        QTest::newRow("unchanged") << false;
    }
    void leavingPricingResortsOnlyModifiedPrices()
    {
        QFETCH(bool, modified);
        Fixture f = MakeFixture(RecordingSeams());
        TMainForm &form = *f.Form;
        form.State.PricesModified = modified;
        form.PageTabs->setCurrentIndex(PagePricing);
        QVERIFY(!calls_.contains(QStringLiteral("ResortPrices")));  // entering does not
        form.PageTabs->setCurrentIndex(PageCoins);
        form.PageTabs->setCurrentIndex(PagePricing);
        form.PageTabs->setCurrentIndex(PageSeries);
        QCOMPARE(calls_.count(QStringLiteral("ResortPrices")), modified ? 2 : 0);
    }

    void pricingPageNamesItsListAndFindsTheCurrentCoin_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("priceSource");
        QTest::addColumn<int>("hot");
        QTest::addColumn<QString>("status");
        QTest::newRow("own list, two entries match: the later")
            << 0 << 0 << 2 << QString();
        QTest::newRow("shared list") << 1 << 352001 << 1 << "These prices are shared from series 352001, United States";
        QTest::newRow("no current row") << -1 << 0 << -1 << QString();
        QTest::newRow("row past the list") << 5 << 0 << -1 << QString();
    }
    void pricingPageNamesItsListAndFindsTheCurrentCoin()
    {
        QFETCH(int, row);
        QFETCH(int, priceSource);
        tMainFormSeams seams = RecordingSeams();
        seams.CoinGridRow = [row] { return row; };
        QList<int> hotPrices;
        seams.SetupPricelistColumns = [&](int hot) { hotPrices << hot; };
        Fixture f = MakeFixture(seams);
        TMainForm &form = *f.Form;
        tMainState &s = form.State;
        tnodeinfo *user = AddChildNode(s.EntireCollection.get(), 1000123);
        user->NodeName = QStringLiteral("My own");
        user->PriceSource = priceSource;
        s.SelectedTreeNode = priceSource ? user : f.Series;
        auto usa = std::make_unique<tCountryInfo>();
        usa->CountryID = 352;
        usa->Name = QStringLiteral("United States");
        s.CountryList.push_back(std::move(usa));
        AddPrice(s, 352001, 1921, "D");
        AddPrice(s, 352001, 1922, "s");
        AddPrice(s, 352001, 1921, "d");
        s.PricesDatesArray[352] = DateToDay(QDate(2024, 5, 17));

        form.PageTabs->setCurrentIndex(PagePricing);
        QTEST(form.HotPrice, "hot");
        QCOMPARE(hotPrices, QList<int>{form.HotPrice});
        QTEST(form.StatusLabel->text(), "status");
        QCOMPARE(form.PriceCountryLabel->text(), QStringLiteral("United States"));
        QCOMPARE(form.PriceDateLabel->text(), FormatShortDate(DateToDay(QDate(2024, 5, 17))));
        // The pair is centred with 10 between the two.
        QCOMPARE(form.PriceDateLabel->x(), form.PriceCountryLabel->x() + form.PriceCountryLabel->width() + 10);

        // Leaving clears the status line.
        form.PageTabs->setCurrentIndex(PageSeries);
        QVERIFY(form.StatusLabel->text().isEmpty());
    }

    void enteringCoinsReselectsTheEntryAtTheOldRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("selectedYear");
        QTest::newRow("row 1 after sorting") << 1 << 1921;
        QTest::newRow("row outside the list: row 0") << 7 << 1923;
    }
    void enteringCoinsReselectsTheEntryAtTheOldRow()
    {
        QFETCH(int, row);
        tMainFormSeams seams = RecordingSeams();
        seams.CoinGridRow = [row] { return row; };
        // Sorting moves the last entry to the front.
        seams.SortFolderCoins = [] {
            auto &list = MainForm->State.CurrCoinList;
            std::rotate(list.begin(), list.end() - 1, list.end());
        };
        QList<int> gridRows;
        seams.SetCoinGridRow = [&](int r) { gridRows << r; };
        tCoinInfo *selected = nullptr;
        seams.SelectCoin = [&](tCoinInfo *c) {
            QCOMPARE(gridRows, QList<int>{-1});  // selection cleared first
            selected = c;
        };
        Fixture f = MakeFixture(seams);
        f.Form->PageTabs->setCurrentIndex(PageCoins);
        QVERIFY(selected);
        QTEST(selected->Year, "selectedYear");
    }

    void maximisedNotesAreRestoredOnAPageChange()
    {
        Fixture f = MakeFixture(RecordingSeams());
        f.Form->NoteMaxed = true;
        f.Form->PageTabs->setCurrentIndex(PageEbooks);
        QVERIFY(!f.Form->NoteMaxed);
        QCOMPARE(calls_.count(QStringLiteral("NoteMaxedBtnClick")), 1);
    }

    void sidePageChangeMovesTheCornerButtons()
    {
        Fixture f = MakeFixture(RecordingSeams());
        TMainForm &form = *f.Form;
        int selections = 0;
        QObject::connect(form.State.Events.get(), &tStateEvents::SeriesSelected, [&] { ++selections; });
        calls_.clear();
        form.SideTabs->setCurrentWidget(form.Tab2Stats);
        QCOMPARE(selections, 1);  // statistics start for the selection
        QCOMPARE(calls_.first(), QStringLiteral("BigImageDown"));
        for (QPushButton *b : {form.ImageCornerButton, form.ThemesCornerButton, form.StatsCornerButton}) {
            const bool down = b == form.StatsCornerButton;
            QCOMPARE(b->property("StyleLookup").toString(),
                     down ? QStringLiteral("CornerButtonStyleDown") : QStringLiteral("CornerButtonStyleUp"));
            QCOMPARE(b->width(), down ? 110 : 103);
            QCOMPARE(b->isChecked(), down);
        }
        QCOMPARE(form.StatsCornerButton->graphicsEffect(), form.CornerButtonShadow);
        QVERIFY(!form.ImageCornerButton->graphicsEffect());

        // Entering the Series page with Stats showing recomputes them.
        form.PageTabs->setCurrentIndex(PageEbooks);
        form.PageTabs->setCurrentIndex(PageSeries);
        QCOMPARE(selections, 2);

        // A corner button shows its side page.
        form.ThemesCornerButton->click();
        QCOMPARE(form.SideTabs->currentWidget(), form.Tab2Themes);
    }

    void paperMoneySwitchesLayoutAndCaptions()
    {
        Fixture f = MakeFixture(RecordingSeams());
        TMainForm &form = *f.Form;
        form.resize(1280, 800);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.State.SelectedTreeNode = f.Notes;
        form.SideTabs->setCurrentWidget(form.Tab2Themes);     // a side-page change lays out anew
        Settle();
        QVERIFY(form.PaperLayout);
        QCOMPARE(form.PageTabs->tabText(PageCoins), QStringLiteral("Bills"));
        QCOMPARE(form.CommentCaption->text(), QStringLiteral("Comment (Serial number)"));
        QCOMPARE(form.ObverseLabel->text(), QStringLiteral("Front"));
        QCOMPARE(form.ReverseLabel->text(), QStringLiteral("Back"));
        QVERIFY(form.PaperTabsLayout->isVisible());
        QVERIFY(!form.SideTabs->tabBar()->isVisible());
        QCOMPARE(form.ViewSizeBtn->parentWidget(), form.PaperTabsLayout);
        QCOMPARE(form.FavoriteBox->parentWidget(), form.PaperTabsLayout);
        QCOMPARE(form.itsLayout->height(), form.PageTabs->height() / 3);
        QVERIFY(calls_.contains(QStringLiteral("ArrangeStatsLabels")));

        form.State.SelectedTreeNode = f.Series;
        form.SideTabs->setCurrentWidget(form.Tab2Image);
        Settle();
        QVERIFY(!form.PaperLayout);
        QCOMPARE(form.PageTabs->tabText(PageCoins), QStringLiteral("Coins"));
        QCOMPARE(form.CommentCaption->text(), QStringLiteral("Comment"));
        QCOMPARE(form.ObverseLabel->text(), QStringLiteral("Obverse"));
        QVERIFY(form.PaperTabsLayout->isHidden());
        QVERIFY(form.SideTabs->tabBar()->isVisible());
        QCOMPARE(form.ViewSizeBtn->parentWidget(), form.ImageSidePanel);
        QCOMPARE(form.itsLayout->width(), form.PageTabs->width() / 4);
    }

    void resizingFollowsTheLayoutRules_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("paper");
        QTest::addColumn<bool>("columnsBox");  // room for the "Columns:" box on the Pricing page
        QTest::newRow("minimum, coins") << QSize(900, 600) << false << false;
        QTest::newRow("1280 x 800, coins") << QSize(1280, 800) << false << true;
        QTest::newRow("designed size, coins") << QSize(1514, 966) << false << true;
        QTest::newRow("minimum, paper money") << QSize(900, 600) << true << false;
        QTest::newRow("designed size, paper money") << QSize(1514, 966) << true << true;
    }
    void resizingFollowsTheLayoutRules()
    {
        QFETCH(QSize, size);
        QFETCH(bool, paper);
        QFETCH(bool, columnsBox);
        tMainFormSeams seams = RecordingSeams();
        std::vector<QWidget *> themeRows;
        seams.NamedThemeRows = [&] { return themeRows; };
        Fixture f = MakeFixture(seams);
        TMainForm &form = *f.Form;
        for (int i = 0; i < 5; ++i) {
            auto *row = new QWidget(form.ThemesContent);
            row->resize(100, 24);
            themeRows.push_back(row);
        }
        form.State.SelectedTreeNode = paper ? f.Notes : f.Series;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(size);
        Settle();
        QCOMPARE(form.size(), size);
        QVERIFY(calls_.contains(QStringLiteral("BuildNodePorts")));  // the tree follows the height
        QVERIFY(calls_.contains(QStringLiteral("CreateUDFobjects")));
        QCOMPARE(form.PaperLayout, paper);

        const QSizeF panel6(form.ImageSidePanel->size());
        if (!paper) {
            QCOMPARE(form.itsLayout->width(), form.PageTabs->width() / 4);
            const tCoinLayout l = ComputeCoinLayout({panel6, QSizeF(form.ViewSizeBtn->size()),
                                                     QSizeF(form.FavoriteBox->size()),
                                                     QSizeF(form.ObverseLabel->size()),
                                                     QSizeF(form.ReverseLabel->size()),
                                                     QSizeF(form.StackPickerLayout->size())});
            QVERIFY(l.Pictures.Side > 100);
            QCOMPARE(form.ObversePanel->geometry(), l.Pictures.ObversePanel);
            QCOMPARE(form.ReversePanel->geometry(), l.Pictures.ReversePanel);
            QCOMPARE(form.ReverseLabel->pos(), l.Pictures.ReverseLabel);
            QCOMPARE(form.ViewSizeBtn->pos(), l.ViewSizeBtn);
            QCOMPARE(form.FavoriteBox->pos(), l.FavoriteBox);
            // The real-size view's picker and "Show legend" stay clear of
            // View Size and inside the panel.
            QCOMPARE(form.StackPickerLayout->pos(), l.StackPicker);
            QVERIFY(!form.StackPickerLayout->geometry().intersects(form.ViewSizeBtn->geometry()));
            if (form.ImageSidePanel->width() >= form.StackPickerLayout->width() + 4)
                QVERIFY(form.ImageSidePanel->rect().contains(form.StackPickerLayout->geometry()));
        } else {
            QCOMPARE(form.itsLayout->height(), form.PageTabs->height() / 3);
            const tPaperLayout l = ComputePaperLayout({panel6, QSizeF(form.ObverseLabel->size()),
                                                       QSizeF(form.ReverseLabel->size())});
            const QRectF p1 = l.ObversePanel;
            QCOMPARE(form.ObversePanel->geometry(), QRect(int(p1.x()), int(p1.y()), int(p1.width()), int(p1.height())));
            QCOMPARE(form.ReversePanel->x(), int(l.ReversePanel.x()));
            QVERIFY(std::abs(form.ObversePanel->width() / double(form.ObversePanel->height()) - 2.25) < 0.05);
        }

        // Theme rows fill a column before the next.
        form.SideTabs->setCurrentWidget(form.Tab2Themes);
        Settle();
        const tThemePlacement t = PlaceThemeRows(5, form.ThemesBox->width(), QSizeF(100, 24));
        for (int k = 0; k < 5; ++k)
            QCOMPARE(themeRows[k]->pos(), t.Rows[k]);
        QCOMPARE(form.ThemespacerLabel->y(), t.SpacerY);

        // The Pricing header shares its free width.
        form.PageTabs->setCurrentIndex(PagePricing);
        Settle();
        QCOMPARE(form.ForexLayout->x() + form.ForexLayout->width(), form.PricingHeader->width());
        QCOMPARE(form.PriceColumnsLayout->isVisible(), columnsBox);
        const tPricingHeader h = PlacePricingHeader(form.ForexLayout->x(), form.PriceListNameLayout->width(),
                                                    form.PriceColumnsLayout->width(), form.PriceButtonsLayout->width());
        QCOMPARE(form.PriceButtonsLayout->x(), int(h.ButtonsX));

        // The slide strips fill their panels.
        form.PageTabs->setCurrentIndex(PageCoins);
        Settle();
        QCOMPARE(form.SettingSlideLabel->geometry(), form.SettingSlideLabelPanel->rect());
        QCOMPARE(form.ImageSlideBackground->geometry(), form.ImageSlideLabelPanel->rect());
    }

    void typeAheadSelectsTopLevelSeries()
    {
        tMainFormSeams seams = RecordingSeams();
        QList<tnodeinfo *> shown;
        seams.MakeTreeNodeVisible = [&](tnodeinfo *n) { shown << n; };
        TMainForm form(seams, Still);
        tMainState &s = form.State;
        int selections = 0;
        QObject::connect(s.Events.get(), &tStateEvents::SeriesSelected, [&] { ++selections; });
        for (const char *name : {"Austria", "Canada", "Cameroon", "Chile"})
            AddChildNode(s.EntireCollection.get(), 1000)->NodeName = QString::fromLatin1(name);
        tnodeinfo *austria = s.EntireCollection->ChildNodes[0].get();
        tnodeinfo *cameroon = s.EntireCollection->ChildNodes[2].get();

        // C then A within a second: one prefix.
        QTest::keyClick(&form, Qt::Key_C);
        QTest::keyClick(&form, Qt::Key_A);
        QTest::keyClick(&form, Qt::Key_M);
        QCOMPARE(s.SelectedTreeNode, cameroon);
        QCOMPARE(form.SeriesKeyFilter, QStringLiteral("cam"));
        QVERIFY(form.KeyTimer->isActive());
        QCOMPARE(shown.last(), cameroon);
        QCOMPARE(selections, 3);

        // After the pause a letter starts a new prefix.
        form.KeyTimerTimer();
        QVERIFY(!form.KeyTimer->isActive());
        QTest::keyClick(&form, Qt::Key_A);
        QCOMPARE(s.SelectedTreeNode, austria);
        QCOMPARE(form.SeriesKeyFilter, QStringLiteral("a"));

        // No match keeps the selection; digits and punctuation do nothing.
        QTest::keyClick(&form, Qt::Key_X);
        QCOMPARE(s.SelectedTreeNode, austria);
        form.KeyTimerTimer();
        QTest::keyClick(&form, Qt::Key_5);
        QTest::keyClick(&form, Qt::Key_Minus);
        QCOMPARE(form.SeriesKeyFilter, QStringLiteral("ax"));
        QVERIFY(!form.KeyTimer->isActive());

        // Other pages ignore the keyboard.
        form.PageTabs->setEnabled(true);
        form.PageTabs->setCurrentIndex(PagePricing);
        QTest::keyClick(&form, Qt::Key_C);
        QCOMPARE(s.SelectedTreeNode, austria);
    }

    void arrowKeysMoveThroughTheTree()
    {
        TMainForm form(RecordingSeams(), Still);
        tMainState &s = form.State;
        int selections = 0;
        // Only counted: the window's own selection would expand the tree
        // that the scroll steps below measure.
        QObject::disconnect(s.Events.get(), &tStateEvents::SeriesSelected, nullptr, nullptr);
        QObject::connect(s.Events.get(), &tStateEvents::SeriesSelected, [&] { ++selections; });
        tnodeinfo *country = AddChildNode(s.EntireCollection.get(), 352);
        tnodeinfo *series = AddChildNode(country, 352001);

        QTest::keyClick(&form, Qt::Key_Left);  // the root has no parent
        QCOMPARE(s.SelectedTreeNode, s.EntireCollection.get());
        QCOMPARE(selections, 0);
        s.SelectedTreeNode = series;
        QTest::keyClick(&form, Qt::Key_Left);
        QCOMPARE(s.SelectedTreeNode, country);
        QCOMPARE(selections, 1);

        form.PageTabs->setEnabled(true);
        // Twenty visible rows in an area of eleven row ports give the tree's
        // scroll bar the range 0..10.
        s.EntireCollection->Expanded = true;
        for (int i = 0; i < 18; ++i)
            AddChildNode(s.EntireCollection.get(), 900001 + i);
        tSeriesTree &tree = form.SeriesTree->Tree();
        tree.SetLayoutSize(300, 320);
        tree.BuildNodePorts();
        tree.CalcVisibleNodes();
        tree.AssignNodePorts();
        tree.RenderTree();
        QScrollBar *bar = form.TreeScrollBar;
        QCOMPARE(bar->maximum(), 10);
        QCOMPARE(tree.ScrollPage(), 10);  // a page is the row ports less one
        QTest::keyClick(&form, Qt::Key_Up);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(&form, Qt::Key_Down);
        QCOMPARE(bar->value(), 1);
        QTest::keyClick(&form, Qt::Key_PageDown);
        QCOMPARE(bar->value(), 10);
        QTest::keyClick(&form, Qt::Key_Down);
        QCOMPARE(bar->value(), 10);
        QTest::keyClick(&form, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);
        form.TreeScrollDownButton->click();
        QCOMPARE(bar->value(), 1);
        form.TreeScrollUpButton->click();
        QCOMPARE(bar->value(), 0);
    }

    void datePopupHasADayCellPerDayAndATodayButton()
    {
        tMainFormSeams seams = RecordingSeams();
        QObject *stuffedFrom = nullptr;
        seams.StuffCoinInfo = [&](QObject *sender) {
            calls_ << QStringLiteral("StuffCoinInfo");
            stuffedFrom = sender;
        };
        TMainForm form(seams, Still);
        for (int d = 1; d <= 31; ++d) {
            TDayCell *cell = form.DateShapes[d];
            QVERIFY(cell);
            QCOMPARE(cell->parentWidget(), form.DayArea);
            QCOMPARE(cell->size(), QSize(24, 24));
            QCOMPARE(cell->Label()->text(), QString::number(d));
            QCOMPARE(cell->Label()->property("Tag").toInt(), d);
            // As large as 18 pixels, small enough that two digits keep
            // a margin in the cell.
            QVERIFY(cell->Label()->font().pixelSize() <= 18 && cell->Label()->font().pixelSize() >= 10);
            QVERIFY(QFontMetrics(cell->Label()->font()).horizontalAdvance(QStringLiteral("28")) <= 24 - 6);
            QVERIFY(cell->Label()->font().bold());
            QVERIFY(cell->isHidden());
        }
        QVERIFY(!form.DateShapes[0]);

        form.DatePopup->PlacementTarget = form.SellDateBox;
        form.DatePopup->show();
        calls_.clear();
        form.TodayButton->click();
        const QDate today = QDate::currentDate();
        for (const auto *part : {&form.PurchasedYY, &form.PurchasedMM, &form.PurchasedDD})
            QCOMPARE((*part)[0], (*part)[1]);
        QCOMPARE(int(form.PurchasedYY[0]), today.year());
        QCOMPARE(int(form.PurchasedMM[1]), today.month());
        QCOMPARE(int(form.PurchasedDD[1]), today.day());
        QVERIFY(!form.DatePopup->isVisible());
        QCOMPARE(calls_, (QStringList{"RenderDatePopup", "DatePopupClosePopup", "StuffCoinInfo"}));
        QCOMPARE(stuffedFrom, form.SellDateBox);
    }

    void reportListItemsArePaintedBlueWhenSelected_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("selected") << true << ReportItemSelectedColor;
        QTest::newRow("not selected") << false << ReportItemColor;
    }
    void reportListItemsArePaintedBlueWhenSelected()
    {
        QFETCH(bool, selected);
        QFETCH(QColor, fill);
        QListWidget list;
        list.addItem(QStringLiteral("Inventory"));
        TReportItemDelegate delegate;
        QImage image(200, 30, QImage::Format_RGB32);
        image.fill(Qt::green);
        QPainter p(&image);
        QStyleOptionViewItem option;
        option.rect = image.rect();
        option.state = selected ? QStyle::State_Selected : QStyle::State_None;
        delegate.paint(&p, option, list.model()->index(0, 0));
        p.end();
        QCOMPARE(image.pixelColor(1, 1), fill);
        QCOMPARE(image.pixelColor(199, 29), fill);
        // The text starts after the two blanks and shows in the other colour.
        const QColor ink = selected ? Qt::white : Qt::black;
        bool inked = false;
        for (int x = 0; x < 200 && !inked; ++x)
            for (int y = 0; y < 30 && !inked; ++y)
                inked = image.pixelColor(x, y) == ink;
        QVERIFY(inked);
        for (int y = 0; y < 30; ++y)
            QCOMPARE(image.pixelColor(3, y), fill);
    }

    void favoriteBoxMarksTheSeries()
    {
        tMainFormSeams seams = RecordingSeams();
        Fixture f = MakeFixture(seams);
        int captions = 0;
        QObject::connect(f.Form->State.Events.get(), &tStateEvents::SetMainCaption, [&] { ++captions; });
        f.Form->FavoriteBox->setChecked(true);
        QVERIFY(f.Series->Favorite);
        QVERIFY(f.Form->State.DataModified);
        QCOMPARE(captions, 1);
        QCOMPARE(calls_.count(QStringLiteral("BuildFavoritesMenu")), 1);
        f.Form->LegendCheckBox->setChecked(false);
        QCOMPARE(calls_.count(QStringLiteral("ViewSizeBtnClick")), 1);
    }

    void maintainerLabelsCopyOnlyInMaintainerMode()
    {
        tMainFormSeams seams = RecordingSeams();
        seams.NextSeries = [] { return 352017; };
        seams.FullPath = [](const QString &path, int country, bool obverse, bool) {
            return QStringLiteral("/pics/%1/%2/%3").arg(country).arg(obverse ? "obv" : "rev", path);
        };
        Fixture f = MakeFixture(seams);
        TMainForm &form = *f.Form;
        f.Series->Obverse = QStringLiteral("~cent.jpg");
        f.Series->Country = 352;
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("untouched"));

        QTest::mouseClick(form.NextSeriesLabel, Qt::LeftButton);
        QTest::mouseClick(form.SelectedLabel, Qt::LeftButton);
        QCOMPARE(clipboard->text(), QStringLiteral("untouched"));

        form.State.MaintainerMode = true;
        QTest::mouseClick(form.NextSeriesLabel, Qt::LeftButton);
        QCOMPARE(clipboard->text(), QStringLiteral("352017"));
        QTest::mouseClick(form.SelectedLabel, Qt::LeftButton);
        QCOMPARE(clipboard->text(), QStringLiteral("AddNode(352001,"));
        QVERIFY(!calls_.contains(QStringLiteral("ShowPastePriceForm")));
        form.PageTabs->setCurrentIndex(PagePricing);
        QTest::mouseClick(form.SelectedLabel, Qt::LeftButton);
        QCOMPARE(calls_.count(QStringLiteral("ShowPastePriceForm")), 1);

        // The picture captions answer clicks once the deferred start-up ran.
        clipboard->setText(QStringLiteral("untouched"));
        QTest::mouseClick(form.ObverseLabel, Qt::LeftButton);
        QCOMPARE(clipboard->text(), QStringLiteral("untouched"));
        form.CommandLine.clear();
        form.StartupTimerTimeout();
        QTest::mouseClick(form.ObverseLabel, Qt::LeftButton);
        QCOMPARE(clipboard->text(), QStringLiteral("/pics/352/obv/~cent.jpg"));
    }
};

QTEST_MAIN(tst_MainForm)
#include "tst_mainform.moc"
