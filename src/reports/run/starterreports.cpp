#include "reports/run/starterreports.h"

#include <stdexcept>

#include <QDir>
#include <QFile>

#include "platform/paths.h"
#include "reports/engine/reportexport.h"
#include "reports/run/paraminfo.h"

namespace {

struct tStarter {
    const char *Name;
    tParamInfo Params;
};

std::vector<tStarter> Starters()
{
    std::vector<tStarter> s;
    auto add = [&](const char *name, const char *description) -> tParamInfo & {
        s.push_back({name, tParamInfo()});
        s.back().Params.description = QString::fromUtf8(description);
        return s.back().Params;
    };
    tParamInfo &inventory = add("Coin inventory",
                                "Every coin you have in the selected series and the series below it, grouped by "
                                "series, with its value and its value times the quantity you have.");
    inventory.QuantityFilter = QuantityHave;
    inventory.CoinSort = {SortSeriesOrder, SortYear, SortMint, SortVariety, SortGrade, SortNone};

    tParamInfo &wants = add("Want list",
                            "The coins you need in the selected series and the series below it, grouped by series, "
                            "with their catalogue numbers and values: a list to take to a show or a dealer.");
    wants.QuantityFilter = QuantityNeed;
    wants.CoinSort = {SortSeriesOrder, SortYear, SortMint, SortVariety, SortNone, SortNone};

    add("Price list", "The price list entries of the selected series and the series below it, with their "
                      "values in six grades from F-12 to MS-63.");

    add("Series list", "The selected series and every series below it, with its number, country, shape, "
                       "years and number of entries.");

    tParamInfo &bin = add("Report bin", "The coins you placed in the report bin, wherever their series are.");
    bin.CoinSourceFilter = SourceBin;
    bin.QuantityFilter = 0;
    bin.CoinSort = {SortSeriesOrder, SortYear, SortMint, SortItemNumber, SortNone, SortNone};

    tParamInfo &forex = add("Currency table", "Every currency the program knows, by code, with its exchange "
                                              "rates against the active currency.");
    forex.ForexSort = 1;

    add("Collection summary", "A page about the open collection: its file, its numbers of entries and series, "
                              "its folders and the program.");
    return s;
}

} // namespace

QStringList StarterReportNames()
{
    QStringList names;
    for (const tStarter &s : Starters())
        names.append(QString::fromUtf8(s.Name));
    return names;
}

int InstallStarterReports(const QString &folder)
{
    if (folder.isEmpty())
        return 0;
    for (const QString &entry : platform::sortedEntries(folder))
        if (entry.endsWith(QLatin1String(".FR3"), Qt::CaseInsensitive))
            return 0;
    if (!QDir().mkpath(folder))
        throw std::runtime_error(
            QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(folder)).toStdString());
    int installed = 0;
    for (const tStarter &s : Starters()) {
        const QString name = QString::fromUtf8(s.Name);
        QFile resource(QStringLiteral(":/reports/") + name + QStringLiteral(".FR3"));
        if (!resource.open(QIODevice::ReadOnly))
            continue;  // a build without the embedded templates installs none
        WriteFileWhole(QDir(folder).filePath(name + QStringLiteral(".FR3")), resource.readAll());
        SaveParamInfo(folder, name, s.Params);
        ++installed;
    }
    return installed;
}
