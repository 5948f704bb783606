#include "core/log.h"

bool LogMode = false;
QStringList LogList;

void LogEntry(const QString &line)
{
    if (!LogMode)
        return;
    LogList << line;
    while (LogList.size() > MaxLogLines)
        LogList.removeFirst();
}
