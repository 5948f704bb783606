#include <QtTest>

#include <QDir>
#include <QTemporaryDir>

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
};

QTEST_MAIN(tst_StarterReports)
#include "tst_starterreports.moc"
