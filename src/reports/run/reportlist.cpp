#include "reports/run/reportlist.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/program/log.h"
#include "core/files/valuestream.h"
#include "platform/paths.h"
#include "reports/run/textcompare.h"

const tParamInfo *tReportList::SelectedParams() const
{
    if (Selected < 0 || Selected >= static_cast<int>(Items.size()))
        return nullptr;
    return Items[static_cast<size_t>(Selected)].Params.get();
}

QString tReportList::SelectedText() const
{
    if (Selected < 0 || Selected >= static_cast<int>(Items.size()))
        return {};
    return Items[static_cast<size_t>(Selected)].Text;
}

namespace {

void ReportDamaged(const QStringList &files)
{
    if (files.isEmpty())
        return;
    QString text = files.size() == 1
                       ? QStringLiteral("The report settings file \"%1\" is damaged.").arg(files.first())
                       : QStringLiteral("These report settings files are damaged:\n%1").arg(files.join(QLatin1Char('\n')));
    text += QStringLiteral("\nThe report uses its default settings until they are saved again with "
                           "\"Filters and Sorting\".");
    ShowReportMessage(text);
}

} // namespace

void ShowReportMessage(const QString &text)
{
    ShowEpicMessage(text, QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
}

void LoadReportList(tReportList &list, const QString &folder, const std::array<QString, ThemeCount> &themeNames,
                    QString &defaultReport)
{
    CurrProcGuard guard(16900);
    LogEntry(QStringLiteral(">>>>> Load Reports Section <<<<<"));
    QString reselect = list.SelectedText();
    if (!defaultReport.trimmed().isEmpty())
        reselect = defaultReport;
    defaultReport.clear();

    list.Items.clear();
    list.Selected = -1;
    QStringList damaged;

    for (const QString &file : platform::sortedEntries(folder)) {
        if (!file.endsWith(QLatin1String(".FR3"), Qt::CaseInsensitive) || !QFileInfo(QDir(folder), file).isFile())
            continue;
        LogEntry(QStringLiteral("Load report: ") + file);
        const QString name = file.left(file.size() - 4);
        auto params = std::make_unique<tParamInfo>();
        try {
            LoadParamInfo(folder, name, *params);
        } catch (const StreamReadError &) {
            *params = tParamInfo();
            params->StreamName = ParamFileName(name);
            const QString path = QDir(folder).filePath(platform::findEntryIgnoreCase(folder, params->StreamName));
            if (!list.ReportedDamaged.contains(path)) {
                list.ReportedDamaged.insert(path);
                damaged.append(params->StreamName);
            }
        }
        if (!params->ThemeMultiplex) {
            list.Items.push_back({name, std::move(params)});
        } else {
            for (int i = 0; i < ThemeCount; ++i) {
                const QString theme = themeNames[static_cast<size_t>(i)].trimmed();
                if (theme.isEmpty())
                    continue;
                auto copy = std::make_unique<tParamInfo>(*params);
                copy->SelectedTheme = static_cast<uint8_t>(i);
                copy->description = QStringLiteral("This report is based on the collecting theme named \"") + theme +
                                    QStringLiteral("\" and includes only series that are part of that theme.") +
                                    params->description;
                list.Items.push_back({name + QStringLiteral(": ") + theme, std::move(copy)});
            }
        }
        LogEntry(QStringLiteral("Report loaded"));
    }

    std::stable_sort(list.Items.begin(), list.Items.end(),
                     [](const tReportItem &a, const tReportItem &b) { return CompareText(a.Text, b.Text) < 0; });
    if (!list.Items.empty()) {
        list.Selected = 0;
        for (size_t i = 0; i < list.Items.size(); ++i)
            if (list.Items[i].Text == reselect) {
                list.Selected = static_cast<int>(i);
                break;
            }
    }
    ReportDamaged(damaged);
}

QString ReportDescription(const tReportList &list, int index)
{
    CurrProcGuard guard(26400);
    if (index < 0 || index >= static_cast<int>(list.Items.size()))
        return {};
    return list.Items[static_cast<size_t>(index)].Params->description;
}
