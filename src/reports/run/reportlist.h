#pragma once
// The list of available reports: one entry per ".FR3" template of the
// reports folder with its parameters, or one entry per named collecting
// theme for a template that asks for theme copies.
#include <array>
#include <memory>
#include <vector>

#include <QSet>
#include <QString>

#include "core/model/model.h"
#include "reports/run/paraminfo.h"

struct tReportItem {
    QString Text;
    std::unique_ptr<tParamInfo> Params;  // owned by the list
};

struct tReportList {
    std::vector<tReportItem> Items;
    int Selected = -1;  // index into Items, -1 none
    // Parameter files found damaged and already reported, so a reload does
    // not report the same file again.
    QSet<QString> ReportedDamaged;

    const tParamInfo *SelectedParams() const;
    QString SelectedText() const;
};

// Rebuilds the list from the templates of folder. The entry to select is
// defaultReport when it is not blank (it is then cleared), else the entry
// selected before; the first entry when no text matches exactly. A damaged
// parameter file gives its report the default parameters and is reported
// once through the message box; the other reports still load.
void LoadReportList(tReportList &list, const QString &folder, const std::array<QString, ThemeCount> &themeNames,
                    QString &defaultReport);

// Shows a message for the user with one "OK" button.
void ShowReportMessage(const QString &text);

// The description shown for an entry; empty outside the list.
QString ReportDescription(const tReportList &list, int index);
