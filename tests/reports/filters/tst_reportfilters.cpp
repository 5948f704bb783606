#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include "reports/filters/reportfilters.h"
#include "reports/run/starterreports.h"

namespace {

int IndexOf(const std::vector<tFilterItem> &items, const QString &name)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Name == name)
            return static_cast<int>(i);
    return -1;
}

void AddUdf(OwningList<tUDFfield> &list, const QString &label)
{
    auto f = std::make_unique<tUDFfield>();
    f->FieldLabel = label;
    list.push_back(std::move(f));
}

} // namespace

class tst_ReportFilters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quantityBoxes_data()
    {
        QTest::addColumn<bool>("have");
        QTest::addColumn<bool>("need");
        QTest::addColumn<bool>("sell");
        QTest::addColumn<bool>("sold");
        QTest::addColumn<int>("filter");
        QTest::newRow("none is no filter") << false << false << false << false << 0;
        QTest::newRow("need and sold") << false << true << false << true << 10;
        QTest::newRow("all") << true << true << true << true << 15;
        QTest::newRow("have") << true << false << false << false << 1;
    }
    void quantityBoxes()
    {
        QFETCH(bool, have);
        QFETCH(bool, need);
        QFETCH(bool, sell);
        QFETCH(bool, sold);
        QFETCH(int, filter);
        QCOMPARE(int(QuantityFilterOf(have, need, sell, sold)), filter);
        // And back: the boxes show what the filter holds.
        const uint8_t f = static_cast<uint8_t>(filter);
        QCOMPARE(QuantityBoxTicked(f, QuantityHave), have);
        QCOMPARE(QuantityBoxTicked(f, QuantityNeed), need);
        QCOMPARE(QuantityBoxTicked(f, QuantitySell), sell);
        QCOMPARE(QuantityBoxTicked(f, QuantitySold), sold);
    }

    void forexSortAndItsList_data()
    {
        QTest::addColumn<int>("sort");
        QTest::addColumn<int>("item");
        QTest::newRow("no sort shows no item") << 0 << -1;
        QTest::newRow("code") << 1 << 0;
        QTest::newRow("exchange rate from") << 4 << 3;
    }
    void forexSortAndItsList()
    {
        QFETCH(int, sort);
        QFETCH(int, item);
        QCOMPARE(ForexIndexOfSort(sort), item);
        QCOMPARE(ForexSortOfIndex(item), sort);
        QCOMPARE(ForexIndexOfSort(9), -1);  // an unknown stored value shows nothing
    }

    void templatesWithTheirDataSets()
    {
        QTemporaryDir dir;
        QCOMPARE(InstallStarterReports(dir.path()), StarterReportNames().size());
        const tFilterItems loaded = LoadFilterItems(dir.path());
        QVERIFY2(loaded.Problems.isEmpty(), qPrintable(loaded.Problems.join('\n')));
        QCOMPARE(int(loaded.Items.size()), StarterReportNames().size());
        const auto uses = [&](const char *name) {
            return int(loaded.Items[static_cast<size_t>(IndexOf(loaded.Items, QString::fromLatin1(name)))].Params.Databases);
        };
        QCOMPARE(uses("Want list"), UsesCoins | UsesCollection);
        QCOMPARE(uses("Price list"), UsesPrices | UsesCollection);
        QCOMPARE(uses("Currency table"), UsesForex | UsesCollection);
        QCOMPARE(uses("Series list"), UsesSeries | UsesCollection);
        QCOMPARE(int(TemplateDatabases({QStringLiteral("EBOOKS"), QStringLiteral("coins"), QStringLiteral("Other")})),
                 UsesEbooks | UsesCoins);
    }

    // A theme copy of the main list selects its template; without a match
    // (or a selection) the first template.
    void selectionFollowsTheMainList()
    {
        std::vector<tFilterItem> items(3);
        items[0].Params.StreamName = QStringLiteral("Alpha.FrF");
        items[1].Params.StreamName = QStringLiteral("Themes.FrF");
        items[2].Params.StreamName = QStringLiteral("Zulu.FrF");
        QCOMPARE(FilterSelection(items, QStringLiteral("themes.frf")), 1);
        QCOMPARE(FilterSelection(items, QStringLiteral("Gone.FrF")), 0);
        QCOMPARE(FilterSelection(items, QString()), 0);
        QCOMPARE(FilterSelection({}, QStringLiteral("Alpha.FrF")), -1);
    }

    // OK rewrites every parameter file; one that cannot be written is
    // reported while the others are still written.
    void savingWritesEveryFileAndReportsAllFailures()
    {
        QTemporaryDir dir;
        InstallStarterReports(dir.path());
        tFilterItems loaded = LoadFilterItems(dir.path());
        const int want = IndexOf(loaded.Items, QStringLiteral("Want list"));
        loaded.Items[static_cast<size_t>(want)].Params.CoinSort[1] = SortGrade;
        // Two parameter files that cannot be replaced: a folder in their place.
        for (const char *name : {"Price list.FrF", "Series list.FrF"}) {
            QVERIFY(QFile::remove(dir.filePath(QString::fromLatin1(name))));
            QVERIFY(QDir(dir.path()).mkdir(QString::fromLatin1(name)));
        }
        const QStringList failures = SaveFilterItems(dir.path(), loaded.Items);
        QCOMPARE(failures.size(), 2);
        QVERIFY(failures.join('\n').contains(QLatin1String("Price list.FrF")));
        QVERIFY(failures.join('\n').contains(QLatin1String("Series list.FrF")));
        tParamInfo back;
        LoadParamInfo(dir.path(), QStringLiteral("Want list"), back);
        QCOMPARE(back.CoinSort[1], int32_t(SortGrade));
        QCOMPARE(back.QuantityFilter, uint8_t(QuantityNeed));  // the rest as it was
    }

    void userFieldsFollowTheCoinFieldsOnce()
    {
        OwningList<tUDFfield> udf;
        AddUdf(udf, QStringLiteral("Pedigree"));
        AddUdf(udf, QStringLiteral("Cert number"));
        const QStringList base{QStringLiteral("Year"), QStringLiteral("Mint")};
        const QStringList once = SyncReportUDFFields(base, 2, udf);
        QCOMPARE(once, (QStringList{"Year", "Mint", "Pedigree", "Cert number"}));
        QCOMPARE(SyncReportUDFFields(once, 2, udf), once);
        // A field deleted since: its label goes.
        udf.erase(udf.begin());
        QCOMPARE(SyncReportUDFFields(once, 2, udf), (QStringList{"Year", "Mint", "Cert number"}));
    }

    void listsHoldTheStoredValues()
    {
        QCOMPARE(CoinSortItems().size(), 24);
        QCOMPARE(CoinSortItems().at(SortGrade), QStringLiteral("Grade"));
        QCOMPARE(CoinSortItems().at(SortCatalog), QStringLiteral("Catalog"));
        QCOMPARE(CoinSourceItems().at(SourceBin), QStringLiteral("Include just the coins in the report bin"));
        QCOMPARE(PriceMergeItems().size(), 4);
        QCOMPARE(SeriesFilterItems().size(), 13);
        QCOMPARE(ForexSortItems().at(3), QStringLiteral("Exchange rate from"));
    }
};

QTEST_MAIN(tst_ReportFilters)
#include "tst_reportfilters.moc"
