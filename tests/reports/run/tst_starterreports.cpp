#include <QtTest>

#include <QDir>
#include <QPdfDocument>
#include <QTemporaryDir>

#include "pricing/valuation/forex.h"
#include "reports/engine/reportexport.h"

#include "reports/run/reportlist.h"
#include "reports/run/reportrun.h"
#include "reports/run/starterreports.h"
#include "support/reportfixture.h"

class tst_StarterReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void installsIntoAFolderWithoutReports()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Orvanta/Reports"));
        QCOMPARE(InstallStarterReports(folder), 7);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 14);

        tReportList list;
        QString def = QStringLiteral("Want list");
        LoadReportList(list, folder, {}, def);
        QStringList texts;
        for (const auto &i : list.Items)
            texts.append(i.Text);
        QCOMPARE(texts, (QStringList{"Coin inventory", "Collection summary", "Currency table", "Price list",
                                     "Report bin", "Series list", "Want list"}));
        QCOMPARE(list.SelectedParams()->QuantityFilter, uint8_t(QuantityNeed));
        QVERIFY(!ReportDescription(list, list.Selected).isEmpty());

        // A folder that holds a template, in any case, is left alone.
        QCOMPARE(InstallStarterReports(folder), 0);
        QTemporaryDir other;
        QFile own(other.filePath(QStringLiteral("mine.fr3")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.close();
        QCOMPARE(InstallStarterReports(other.path()), 0);
        QCOMPARE(QDir(other.path()).entryList(QDir::Files), QStringList{QStringLiteral("mine.fr3")});
    }

    void everyStarterPreparesOverACollection()
    {
        QTemporaryDir dir;
        QCOMPARE(InstallStarterReports(dir.path()), 7);
        tReportFixture f;
        tCoinInfo &c = f.AddCoin(f.Wheat, 1909, QStringLiteral("S"), 7);
        c.Have = 0;
        c.Need = 1;
        c.InBin = true;
        f.AddCoin(f.Notes, 1928, QString(), 8).Have = 2;
        f.AddPrice(f.Wheat, 1909, QStringLiteral("S")).Value[7] = 12500;
        auto fx = std::make_unique<tForex>();
        fx->Code = QStringLiteral("USD");
        fx->Description = QStringLiteral("United States dollar");
        fx->Rate = 1;
        f.S.ForexList.push_back(std::move(fx));
        f.S.LastFileName = QStringLiteral("/home/ann/My coins.OVD");

        tReportRunner runner(f.S);
        tReportList list;
        QString def;
        LoadReportList(list, dir.path(), {}, def);
        for (const auto &item : list.Items) {
            QVERIFY2(runner.Run(*item.Params, dir.path()), qPrintable(item.Text));
            QCOMPARE(runner.Engine.PageCount(), 1);
            const QStringList texts = runner.Engine.Prepared()->PageTexts(0);
            QVERIFY2(texts.contains(item.Text), qPrintable(item.Text));            // title
            QVERIFY(texts.contains(QStringLiteral("My coins.OVD")));                // page header
            QVERIFY(texts.contains(QStringLiteral("Page 1 of 1")));                 // page footer
        }

        // The inventory groups by series and lists what is held.
        runner.Run(*list.Items[0].Params, dir.path());
        const QStringList inventory = runner.Engine.Prepared()->PageTexts(0);
        const qsizetype group = inventory.indexOf(QStringLiteral("United States\\Notes"));
        QVERIFY(group > 0);
        QCOMPARE(inventory.mid(group + 1, 3), (QStringList{"8", "1928", ""}));
        QVERIFY(!inventory.contains(QStringLiteral("United States\\Cents\\Wheat cents")));  // needed, not held
    }

    // Each starter over a small collection, written to PDF and read back:
    // the pages and the texts a collector looks for are there.
    void startersRenderToPdf_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("priced inventory") << "Coin inventory" << 3
                                          << QStringList{"Subtotal of Wheat cents: 40 entries, 80 pieces", "1,000.00",
                                                         "Total value of 41 entries, 82 pieces (USD)", "1,012.50",
                                                         "kept in a paper envelope"};
        QTest::newRow("want list") << "Want list" << 1 << QStringList{"Wanted in Wheat cents: 1", "Coins wanted: 1, worth at catalogue values"};
        QTest::newRow("price list with aggregates") << "Price list" << 1
                                                    << QStringList{"1909-S", "2 price entries; you have 80 pieces and need 1"};
        QTest::newRow("currency table") << "Currency table" << 4 << QStringList{"EUR", "0,50 €", "162 currencies."};
        QTest::newRow("collection summary") << "Collection summary" << 1
                                            << QStringList{"My coins.OVD", "Linux", "25.00"};
    }
    void startersRenderToPdf()
    {
        QFETCH(QString, report);
        QFETCH(int, pages);
        QFETCH(QStringList, texts);
        QTemporaryDir dir;
        QCOMPARE(InstallStarterReports(dir.path()), 7);
        tReportFixture f;
        LoadForexList(f.S);
        f.S.ForexList[EurForexIndex]->Rate = 0.5f;
        f.S.MetalValues = {250000, 20000000, 10000000, 9000000};
        f.S.LastFileName = QStringLiteral("/home/ann/My coins.OVD");
        f.S.SelectedTreeNode = f.S.EntireCollection.get();
        tPriceInfo &row = f.AddPrice(f.Wheat, 1909, QStringLiteral("S"));
        row.Value[7] = 125000;  // F-12
        f.AddPrice(f.Wheat, 1910, QString());
        QImage obverse(40, 40, QImage::Format_RGB32);
        obverse.fill(Qt::darkYellow);
        QVERIFY(obverse.save(dir.filePath(QStringLiteral("obverse.png"))));
        for (int i = 0; i < 40; ++i) {
            tCoinInfo &c = f.AddCoin(f.Wheat, 1909, QStringLiteral("S"), i + 1);
            c.Grade = 7;
            c.Have = 2;
            c.Obverse = dir.filePath(QStringLiteral("obverse.png"));
        }
        tCoinInfo &noted = f.AddCoin(f.Notes, 1928, QString(), 100);
        noted.Have = 2;
        noted.BuyLock = true;
        noted.BuyPrice = 62500;
        noted.Notes = QStringLiteral("Bought at a club auction; kept in a paper envelope with its original ticket "
                                     "and the seller's note about where it was found.");
        tCoinInfo &wanted = f.AddCoin(f.Wheat, 1909, QStringLiteral("S"), 200);
        wanted.Have = 0;
        wanted.Need = 1;

        tReportRunner runner(f.S);
        tReportList list;
        QString def;
        LoadReportList(list, dir.path(), {}, def);
        const tParamInfo *params = nullptr;
        for (const auto &item : list.Items)
            if (item.Text == report)
                params = item.Params.get();
        QVERIFY(params);
        QVERIFY(runner.Run(*params, dir.path()));
        const QString pdfPath = dir.filePath(QStringLiteral("out.pdf"));
        ExportReportPdf(*runner.Engine.Prepared(), pdfPath);

        QPdfDocument pdf;
        QCOMPARE(pdf.load(pdfPath), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), pages);
        QString all;
        for (int page = 0; page < pdf.pageCount(); ++page)
            all += pdf.getAllText(page).text() + QLatin1Char('\n');
        all.replace(QLatin1Char('\n'), QLatin1Char(' '));
        all = all.simplified();
        for (const QString &t : texts)
            QVERIFY2(all.contains(t), qPrintable(t + QStringLiteral(" not in: ") + all.left(600)));
    }
};

QTEST_MAIN(tst_StarterReports)
#include "tst_starterreports.moc"
