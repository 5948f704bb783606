#pragma once
// The plain steps of the program-update check: comparing versions, reading
// "Update Notes.txt", and the texts the window shows for each outcome.
#include <QByteArray>
#include <QString>

// Block number of the menu command that opens the window.
constexpr int ProgramUpdateBlock = 16100;

// The collection file has a version test of its own (for the program that
// wrote a file); this one is the update check's.
namespace programupdate {
// True when available is a later version than current. Both are whole
// numbers joined by "."; they are compared part by part as numbers, and the
// first part that differs decides. When either runs out of parts first the
// answer is false (1.2 against 1.2.1 is not newer). A part that is not a
// whole number counts as 0.
bool IsNewerVersion(const QString &current, const QString &available);
} // namespace programupdate

// "Update Notes.txt": the available version on the first line, the release
// notes on the lines after it. The file is 8-bit text (Windows-1252); lines
// end in CR LF or LF.
struct tUpdateNotes {
    QString Version;
    QString Notes;  // each line followed by a line break; empty for one line
};
tUpdateNotes ParseUpdateNotes(const QByteArray &bytes);

// What the window shows after a check or a download: the heading, the text
// below it, whether the "new" sticker shows and whether the download may be
// offered.
struct tUpdateView {
    QString Heading;
    QString Body;
    bool Sticker = false;
    bool Newer = false;
    bool Finished = false;  // a download arrived
    QString Saved;          // where it was saved
};

// A view of a heading and a text, nothing more.
tUpdateView TextView(const QString &heading, const QString &body);
tUpdateView NotesView(const QString &current, const tUpdateNotes &notes);
tUpdateView NotesLockedView(const QString &notesPath);
tUpdateView ConnectionIssueView();
tUpdateView CheckDownloadIssueView();
tUpdateView InstallerLockedView(const QString &installerPath);
tUpdateView InstallerDownloadIssueView();
tUpdateView InstallerSavedView(const QString &installerPath);

// "1.5MB of 3.0MB (50.0%)" and the whole percent for the bar (0..100).
QString DownloadProgressText(qint64 done, qint64 size);
int DownloadPercent(qint64 done, qint64 size);
