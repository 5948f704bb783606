#include "reports/editor/reportfields.h"

#include "reports/datasets/reportdata.h"

std::vector<std::pair<QString, QStringList>> ReportFieldBrowserSets(const QStringList &coinFields)
{
    return {{QStringLiteral("Coins"), coinFields},
            {QStringLiteral("Prices"), PriceFieldNames()},
            {QStringLiteral("Series"), SeriesFieldNames()},
            {QStringLiteral("Collection"), CollectionFieldNames()},
            {QStringLiteral("eBooks"), EbookFieldNames()},
            {QStringLiteral("Forex"), ForexFieldNames()}};
}

QString ReportFieldExpression(const QString &dataSet, const QString &field)
{
    return QStringLiteral("[%1.\"%2\"]").arg(dataSet, field);
}
