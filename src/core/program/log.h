#pragma once
// The program's diagnostic log: text lines held in memory while the program
// runs in log mode, never written to a file. After every entry the whole log
// goes to the clipboard, so a user can paste it into a report even when the
// program then fails. Outside log mode nothing is kept.
#include <QString>
#include <QStringList>

extern bool LogMode;
extern QStringList LogList;

// Lines kept before an entry; the entry itself may make it one more.
constexpr int MaxLogLines = 4000;

// Adds "MM/DD/YYYY hh:mm:ss.zzz: " + InText as a new line, or with
// AppendString appends InText to the last line as it is (to an empty log it
// is added as a line of its own). Without a clipboard to copy the log to,
// nothing is recorded. Never throws.
void LogEntry(const QString &InText, bool AppendString = false);

// Whether the program starts in log mode: Ctrl held without Shift, or the
// environment variable ORVANTA_LOG set to 1 (the key state cannot always be
// read at start, for instance under Wayland).
bool LogModeAtStart();
