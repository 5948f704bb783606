#include "core/program/log.h"

#include <QDateTime>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "platform/clipboard.h"
#include "platform/keystate.h"

bool LogMode = false;
QStringList LogList;

void LogEntry(const QString &InText, bool AppendString)
{
    CurrProcGuard guard(Blocks::LogEntry);
    if (!LogMode)
        return;
    try {
        platform::Clipboard &board = platform::clipboard();
        if (!board.available())
            return;
        QString text = InText;
        if (!AppendString)
            text = QDateTime::currentDateTime().toString(QStringLiteral("MM/dd/yyyy hh:mm:ss.zzz")) + QStringLiteral(": ")
                   + InText;
        while (LogList.size() > MaxLogLines)
            LogList.removeFirst();
        if (AppendString && !LogList.isEmpty())
            LogList.last() += text;
        else
            LogList << text;
        board.setText(LogList.join(QLatin1Char('\n')));
    } catch (...) {
        // The log serves diagnosis; it must never become the failure.
    }
}

bool LogModeAtStart()
{
    if (qEnvironmentVariable("ORVANTA_LOG") == QLatin1String("1"))
        return true;
    return platform::ctrlDown() && !platform::shiftDown();
}
