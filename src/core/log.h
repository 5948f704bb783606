#pragma once
// The program's log. Outside log mode nothing is kept.
#include <QString>
#include <QStringList>

extern bool LogMode;
extern QStringList LogList;

constexpr int MaxLogLines = 4000;

void LogEntry(const QString &line);
