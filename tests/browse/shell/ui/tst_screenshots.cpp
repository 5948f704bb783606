#include <QtTest>

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

#include "core/catalogue/countries.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "core/program/startup.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricefile.h"
#include "browse/shell/pageswitch.h"
#include "browse/shell/ui/mainform.h"

// Pictures of each page of the main window drawn by the window itself. Runs
// only when ORVANTA_SCREENSHOT_DIR names the folder to write them to;
// otherwise it is skipped. The documentation's pictures are taken from the
// running program by scripts/screenshots.sh.
namespace {
// Sample values for the Lincoln cents of the screenshots, every grade slot
// priced so any grade shows a value.
void WriteCentPrices(const tMainState &s)
{
    std::vector<std::unique_ptr<tPriceInfo>> owned;
    std::vector<tPriceInfo *> entries;
    const std::pair<int, const char *> rows[] = {{1909, ""}, {1909, "S"}, {1914, "D"}, {1931, "S"},
                                                 {1943, ""}, {1943, "D"}, {1943, "S"}};
    int base = 1;
    for (const auto &[year, mint] : rows) {
        auto e = std::make_unique<tPriceInfo>();
        e->CoinType = 12;
        e->Year = year;
        e->Mint = QString::fromLatin1(mint);
        e->Mintage = 1000000 * base;
        for (int slot = 0; slot < GradeSlots; ++slot)
            e->Value[static_cast<size_t>(slot)] = Money(base) * (slot + 1) * MoneyScale / 4;
        base += 3;
        entries.push_back(e.get());
        owned.push_back(std::move(e));
    }
    QDir().mkpath(s.PricesRedirect);
    QFile f(PriceFilePath(s, QStringLiteral("United States")));
    if (f.open(QIODevice::WriteOnly))
        f.write(WritePriceFile(UsdForexIndex, 0, 46000, entries));
}

void Settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}
} // namespace

class tst_Screenshots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pages()
    {
        const QString out = qEnvironmentVariable("ORVANTA_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("ORVANTA_SCREENSHOT_DIR is not set");
        QTemporaryDir home;
        qputenv("ORVANTA_HOME", home.path().toUtf8());
        QVERIFY(QDir().mkpath(out));

        tMainFormSeams seams;
        seams.LogModeKeysHeld = [] { return false; };
        TMainForm form(seams, tMainFormTimings{3600 * 1000, 3600 * 1000});
        tMainState &s = form.State;
        // The window installed the sample catalogue; the collection is its
        // United States coins and paper money with a few Lincoln cents.
        tnodeinfo *first = nullptr;
        LoadCountryStructures(s, 0, StructureAddUpdate, false, first);
        tnodeinfo *notesFirst = nullptr;
        for (const auto &c : s.CountryList)
            if (c->IsPaper && c->Name.startsWith(QStringLiteral("United States")))
                LoadCountryStructures(s, c->CountryID, StructureAddUpdate, false, notesFirst);
        tnodeinfo *us = nullptr;
        tnodeinfo *cents = nullptr;
        tnodeinfo *notes = nullptr;
        ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
            if (n->NodeMode == NodeModeCountry && n->CoinShape != PaperMoneyShape && !us)
                us = n;
            if (n->CoinType == 12)
                cents = n;
            if (n->CoinShape == PaperMoneyShape && n->NodeMode == NodeModeRegular && !notes)
                notes = n;
        });
        QVERIFY(us && cents);
        WriteCentPrices(s);
        const struct {
            int year;
            const char *mint;
            int grade;
            int have;
        } coins[] = {{1909, "", 12, 2}, {1909, "S", 8, 1}, {1914, "D", 4, 1}, {1931, "S", 10, 1}, {1943, "", 14, 3},
                     {1943, "D", 14, 0}};
        for (const auto &c : coins) {
            auto coin = std::make_unique<tCoinInfo>();
            coin->CoinType = cents->CoinType;
            coin->Folder = cents;
            coin->Year = c.year;
            coin->Mint = QString::fromLatin1(c.mint);
            coin->Grade = c.grade;
            coin->Have = c.have;
            coin->Need = c.have ? 0 : 1;
            s.CoinList.push_back(std::move(coin));
        }
        Q_EMIT s.Events->ReloadPriceLists();
        CalcNodeEntries(s);
        form.PageTabs->setEnabled(true);
        s.SelectedTreeNode = cents;
        Q_EMIT s.Events->SeriesSelected();

        form.resize(1280, 800);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const char *const names[] = {"series", "ebooks", "pricing", "coins", "images", "graphs", "reports"};
        for (int tag = 0; tag < MainPageCount; ++tag) {
            form.PageTabs->setCurrentIndex(tag);
            Settle();
            QVERIFY(form.grab().save(QDir(out).filePath(QStringLiteral("page-%1.png").arg(names[tag]))));
        }
        // The Series page laid out for paper money.
        if (!notes)
            return;
        form.PageTabs->setCurrentIndex(PageSeries);
        s.SelectedTreeNode = notes;
        Q_EMIT s.Events->SeriesSelected();
        Settle();
        QVERIFY(form.grab().save(QDir(out).filePath(QStringLiteral("page-series-paper.png"))));
    }
};

QTEST_MAIN(tst_Screenshots)
#include "tst_screenshots.moc"
