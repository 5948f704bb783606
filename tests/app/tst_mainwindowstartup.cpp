#include <QtTest>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QMenu>

#include "core/files/collectionfile.h"
#include "core/catalogue/countries.h"
#include "core/program/log.h"
#include "core/program/settings.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/coins/ui/coingridview.h"
#include "browse/shell/ui/mainform.h"
#include "platform/settingsstore.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/valuation/valuation.h"
#include "support/pricefixtures.h"
#include "support/scriptedui.h"

// The main window started against a fresh home folder, with the real
// loaders and hooks in place: what a user sees on the first start, after
// opening a collection from the command line, and after a restart.
namespace {

const tMainFormTimings Still{3600 * 1000, 3600 * 1000};

// The welcome window and the tips are the only steps left to record.
tMainFormSeams QuietSeams(QStringList *calls)
{
    tMainFormSeams seams;
    seams.LogModeKeysHeld = [] { return false; };
    seams.ShowWelcomeWindow = [calls] {
        *calls << QStringLiteral("ShowWelcomeWindow");
        return true;
    };
    seams.Tipoftheday1Click = [] {};
    return seams;
}

constexpr int Canada = 31;
constexpr int Loonie = 31050;
constexpr int GradeSlot = 20;
constexpr Money LoonieValue = 123456 * (MoneyScale / 100);  // 1,234.56

// A price list for Canada holding the loonie of 1987 to 1999, each valued at
// LoonieValue in GradeSlot: enough entries for the file to be worth reading.
void WriteCanadaPrices(const tMainState &s)
{
    std::vector<std::unique_ptr<tPriceInfo>> owned;
    std::vector<tPriceInfo *> entries;
    for (int year = 1987; year <= 1999; ++year) {
        auto e = std::make_unique<tPriceInfo>();
        e->CoinType = Loonie;
        e->Year = year;
        e->Value[GradeSlot] = LoonieValue;
        entries.push_back(e.get());
        owned.push_back(std::move(e));
    }
    const QByteArray data = WritePriceFile(UsdForexIndex, Canada, 46000, entries);
    QVERIFY(data.size() > MinPriceFileSize);
    QVERIFY(QDir().mkpath(s.PricesRedirect));
    QFile f(PriceFilePath(s, QStringLiteral("Canada")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QString Digits(const QString &text)
{
    QString out;
    for (QChar c : text)
        if (c.isDigit())
            out += c;
    return out;
}

} // namespace

class tst_MainWindowStartup : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> home_;
    platform::MemorySettingsStore settings_;
    tScriptedUi ui_{tScriptedUi::tUnscripted::FirstButton};
    QStringList calls_;

private Q_SLOTS:
    void init()
    {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        qputenv("ORVANTA_HOME", home_->path().toUtf8());
        platform::setSettingsStore(&settings_);
        platform::setUserInterface(&ui_);
        settings_.clear();
        calls_.clear();
    }
    void cleanup()
    {
        platform::setUserInterface(nullptr);
        platform::setSettingsStore(nullptr);
    }

    void firstStartInstallsSampleCatalogue()
    {
        TMainForm form(QuietSeams(&calls_), Still);
        const tMainState &s = form.State;
        QVERIFY(!QDir(s.CountriesRedirect).entryList({QStringLiteral("*.OVCD")}, QDir::Files).isEmpty());
        QStringList names;
        for (const auto &c : s.CountryList)
            names << c->Name;
        QVERIFY2(names.contains(QStringLiteral("Canada")), qPrintable(names.join(QLatin1Char(','))));
        QVERIFY(names.contains(QStringLiteral("United States")));
        // The currency table is built and the metals named, so the first
        // collection can be valued.
        QVERIFY(!s.ForexList.empty());
        QCOMPARE(s.MetalArray.size() > 0, true);
    }

    void commandLineCollectionShowsValuedCoins()
    {
        QString fileName;
        {
            TMainForm first(QuietSeams(&calls_), Still);
            tMainState &s = first.State;
            WriteCanadaPrices(s);
            tnodeinfo *country = AddFixtureCountry(s, Canada, QStringLiteral("Canada"), {Loonie});
            country->Country = Canada;
            country->ChildNodes.front()->Country = Canada;
            auto coin = std::make_unique<tCoinInfo>();
            coin->CoinType = Loonie;
            coin->Folder = country->ChildNodes.front().get();
            coin->Year = 1990;
            coin->Grade = GradeSlot;
            coin->Have = 1;
            s.CoinList.push_back(std::move(coin));
            fileName = home_->filePath(QStringLiteral("Loonies.OVD"));
            SaveCollectionFile(s, fileName);
        }

        TMainForm form(QuietSeams(&calls_), Still);
        form.CommandLine = {fileName};
        form.StartupTimerTimeout();
        QVERIFY(!calls_.contains(QStringLiteral("ShowWelcomeWindow")));
        QCOMPARE(form.State.LastFileName, fileName);
        QVERIFY(form.PageTabs->isEnabled());
        QCOMPARE(form.State.CoinList.size(), size_t(1));

        tnodeinfo *series = nullptr;
        ForEachNode(form.State.EntireCollection.get(), [&](tnodeinfo *n) {
            if (n->CoinType == Loonie)
                series = n;
        });
        QVERIFY(series);
        form.State.SelectedTreeNode = series;
        Q_EMIT form.State.Events->SeriesSelected();

        QAbstractItemModel *model = form.CoinGridPage->CoinGrid->model();
        QCOMPARE(model->rowCount(), 1);
        QStringList cells;
        for (int col = 0; col < model->columnCount(); ++col)
            cells << model->index(0, col).data().toString();
        bool valued = false;
        for (const QString &cell : cells)
            valued = valued || Digits(cell) == QStringLiteral("123456");
        QVERIFY2(valued, qPrintable(cells.join(QStringLiteral(" | "))));
    }

    void reloadedCountryPricesLeaveNoLinkToOldEntries()
    {
        QString fileName;
        TMainForm form(QuietSeams(&calls_), Still);
        tMainState &s = form.State;
        WriteCanadaPrices(s);
        tnodeinfo *country = AddFixtureCountry(s, Canada, QStringLiteral("Canada"), {Loonie});
        country->Country = Canada;
        tnodeinfo *series = country->ChildNodes.front().get();
        series->Country = Canada;
        Q_EMIT s.Events->ReloadPriceLists();
        QCOMPARE(s.PriceList.size(), size_t(13));

        auto coin = std::make_unique<tCoinInfo>();
        coin->CoinType = Loonie;
        coin->Folder = series;
        coin->Year = 1990;
        coin->Grade = GradeSlot;
        tCoinInfo *raw = coin.get();
        s.CoinList.push_back(std::move(coin));
        Money value = 0;
        tPriceInfo *old = ::GetCoinValue(s, *raw, value, false, false);
        QVERIFY(old);
        QCOMPARE(value, LoonieValue);
        raw->PriceInfo = old;
        s.CurrPriceList = {old};
        s.ReportListPrices = {old};

        Q_EMIT s.Events->ReloadCountryPrices(Canada);
        QCOMPARE(s.PriceList.size(), size_t(13));
        auto live = [&](const tPriceInfo *p) {
            return std::any_of(s.PriceList.begin(), s.PriceList.end(), [p](const auto &e) { return e.get() == p; });
        };
        QVERIFY(!raw->PriceInfo || live(raw->PriceInfo));
        for (const tPriceInfo *p : s.CurrPriceList)
            QVERIFY(live(p));
        for (const tPriceInfo *p : s.ReportListPrices)
            QVERIFY(live(p));
        QVERIFY(::GetCoinValue(s, *raw, value, false, false));
        QCOMPARE(value, LoonieValue);
    }

    void settingsWrittenAtCloseAreReadAtNextStart()
    {
        tWindowPlacement closedAt;
        {
            TMainForm form(QuietSeams(&calls_), Still);
            form.State.ViewNeed = false;
            form.State.AutoSave = false;
            form.State.ActiveForexIndex = 2;
            form.show();
            form.move(20, 30);
            const QRect g = form.geometry();
            closedAt = {g.x(), g.y(), g.width(), g.height(), false};
            QVERIFY(form.close());
        }
        TMainForm form(QuietSeams(&calls_), Still);
        QVERIFY(!form.State.ViewNeed);
        QVERIFY(form.State.ViewHave);
        QVERIFY(!form.State.AutoSave);
        QCOMPARE(form.State.ActiveForexIndex, 2);
        // The bounds at close, fitted to the screen as every start fits them.
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QCOMPARE(form.State.MainWindowPlacement, PlaceMainWindow(closedAt, screen));
        QVERIFY(form.State.MainWindowPlacement != PlaceMainWindow({}, screen));  // not a first start
    }
};

QTEST_MAIN(tst_MainWindowStartup)
#include "tst_mainwindowstartup.moc"
