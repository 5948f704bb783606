#pragma once
// The field browser of the report editor: every data set a template can
// name, with the names its fields answer to, and the text a template uses
// to print a field.
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

// The data sets in the order the browser lists them, each with its field
// names; coinFields are the coin data set's names (user fields included).
std::vector<std::pair<QString, QStringList>> ReportFieldBrowserSets(const QStringList &coinFields);

// The text that prints a field in a template: [Coins."Year"].
QString ReportFieldExpression(const QString &dataSet, const QString &field);
