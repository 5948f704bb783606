#include "reports/filters/reportfilters.h"

#include <QDir>
#include <QFileInfo>

#include "core/files/valuestream.h"
#include "core/model/currproc.h"
#include "platform/paths.h"
#include "reports/engine/reporttemplate.h"

tFilterItems LoadFilterItems(const QString &folder)
{
    CurrProcGuard guard(17108);
    tFilterItems out;
    for (const QString &file : platform::sortedEntries(folder)) {
        if (!file.endsWith(QLatin1String(".FR3"), Qt::CaseInsensitive) || !QFileInfo(QDir(folder), file).isFile())
            continue;
        tFilterItem item;
        item.Name = file.left(file.size() - 4);
        try {
            LoadParamInfo(folder, item.Name, item.Params);
        } catch (const StreamReadError &) {
            item.Params = tParamInfo();
            item.Params.StreamName = ParamFileName(item.Name);
            out.Problems << QStringLiteral("The report settings file \"%1\" is damaged; it shows the default "
                                           "settings.")
                                .arg(item.Params.StreamName);
        }
        item.Params.Databases = 0;
        try {
            const tReportTemplate t = LoadReportTemplate(QDir(folder).filePath(file));
            item.Params.Databases = TemplateDatabases(t.DataSetNames());
        } catch (const std::exception &e) {
            out.Problems << QString::fromUtf8(e.what());
        }
        out.Items.push_back(std::move(item));
    }
    return out;
}

uint16_t TemplateDatabases(const QStringList &dataSetNames)
{
    static const std::pair<const char *, uint16_t> bits[] = {{"Prices", UsesPrices}, {"Coins", UsesCoins},
                                                             {"Series", UsesSeries}, {"eBooks", UsesEbooks},
                                                             {"Forex", UsesForex},   {"Collection", UsesCollection}};
    uint16_t out = 0;
    for (const QString &name : dataSetNames)
        for (const auto &[set, bit] : bits)
            if (name.compare(QLatin1String(set), Qt::CaseInsensitive) == 0)
                out |= bit;
    return out;
}

int FilterSelection(const std::vector<tFilterItem> &items, const QString &selectedStreamName)
{
    if (items.empty())
        return -1;
    int found = 0;
    if (!selectedStreamName.isEmpty())
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].Params.StreamName.compare(selectedStreamName, Qt::CaseInsensitive) == 0)
                found = static_cast<int>(i);
    return found;
}

uint8_t QuantityFilterOf(bool have, bool need, bool sell, bool sold)
{
    return static_cast<uint8_t>((have ? QuantityHave : 0) | (need ? QuantityNeed : 0) | (sell ? QuantitySell : 0) |
                                (sold ? QuantitySold : 0));
}

bool QuantityBoxTicked(uint8_t filter, uint8_t bit)
{
    return (filter & bit) != 0;
}

int ForexSortOfIndex(int itemIndex)
{
    return itemIndex < 0 ? 0 : itemIndex + 1;
}

int ForexIndexOfSort(int forexSort)
{
    return forexSort >= 1 && forexSort <= ForexSortItems().size() ? forexSort - 1 : -1;
}

QStringList SaveFilterItems(const QString &folder, const std::vector<tFilterItem> &items)
{
    // Runs under the OK command's block number, which its caller sets.
    QStringList failures;
    for (const tFilterItem &item : items) {
        try {
            SaveParamInfo(folder, item.Name, item.Params);
        } catch (const std::exception &e) {
            failures << QString::fromUtf8(e.what());
        }
    }
    return failures;
}

QStringList SyncReportUDFFields(const QStringList &fields, int baseCount, const OwningList<tUDFfield> &udfList)
{
    QStringList out = fields.mid(0, std::max(0, baseCount));
    for (const auto &field : udfList)
        out << field->FieldLabel;
    return out;
}

const QStringList &CoinSortItems()
{
    static const QStringList items{
        QStringLiteral("<unused>"),       QStringLiteral("Year"),          QStringLiteral("Mint"),
        QStringLiteral("Variety"),        QStringLiteral("Grade"),         QStringLiteral("Have quantity"),
        QStringLiteral("Need quantity"),  QStringLiteral("Sell quantity"), QStringLiteral("Sold quantity"),
        QStringLiteral("Graded by"),      QStringLiteral("Stored in"),     QStringLiteral("Date purchased"),
        QStringLiteral("Purchase price"), QStringLiteral("Sell price"),    QStringLiteral("Item number"),
        QStringLiteral("Metal"),          QStringLiteral("Series order"),  QStringLiteral("Catalog"),
        QStringLiteral("User field 1"),   QStringLiteral("User field 2"),  QStringLiteral("User field 3"),
        QStringLiteral("User field 4"),   QStringLiteral("User field  5"), QStringLiteral("User field  6")};
    return items;
}

const QStringList &CoinSourceItems()
{
    static const QStringList items{QStringLiteral("Include coins from the currently selected series"),
                                   QStringLiteral("Include just the coins in the report bin"),
                                   QStringLiteral("Include just the one currently selected coin"),
                                   QStringLiteral("Include only coins which have no series image"),
                                   QStringLiteral("Include only coins that don't match a price list entry")};
    return items;
}

const QStringList &CoinPaperItems()
{
    static const QStringList items{QStringLiteral("Both coins and paper money"), QStringLiteral("Include coins only"),
                                   QStringLiteral("Include paper money only")};
    return items;
}

const QStringList &CoinErrorItems()
{
    static const QStringList items{QStringLiteral("Include all entries"), QStringLiteral("Exclude errors"),
                                   QStringLiteral("Inclue errors only")};
    return items;
}

const QStringList &PriceMergeItems()
{
    static const QStringList items{QStringLiteral("Don't merge any price list entries"),
                                   QStringLiteral("Merge to 1 entry for each year, mint and Variety combination"),
                                   QStringLiteral("Merge to 1 entry for each year and mint combination"),
                                   QStringLiteral("Merge to 1 entry for each year")};
    return items;
}

const QStringList &ForexSortItems()
{
    static const QStringList items{QStringLiteral("Forex code"), QStringLiteral("Country name"),
                                   QStringLiteral("Exchange rate to"), QStringLiteral("Exchange rate from")};
    return items;
}

const QStringList &SeriesFilterItems()
{
    static const QStringList items{
        QStringLiteral("Include every series"),
        QStringLiteral("Include only coin series that contain prices"),
        QStringLiteral("Include only paper money series that contain prices"),
        QStringLiteral("Include only coin or paper money series that contain prices"),
        QStringLiteral("Include only coin series that cointain item entries"),
        QStringLiteral("Include only paper money series that cointain item entries"),
        QStringLiteral("Include only coin or paper money series that cointain item entries"),
        QStringLiteral("Include only coin series that cointain prices but no  item entries"),
        QStringLiteral("Include only paper money series that contain prices but no item entries"),
        QStringLiteral("Include only coin or paper money series that contain prices but no item, entries"),
        QStringLiteral("Include only series designated as countries."),
        QStringLiteral("Include only series with a coin entry but no series image"),
        QStringLiteral("Include only new series denoted as new")};
    return items;
}
