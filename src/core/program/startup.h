#pragma once
// Start-up logic: the working folders and their override file "Redirect.ini",
// the folder check of log mode, the version text, the command-line rule and
// the active-currency check. The main window calls these in its creation
// sequence; they take the state by reference and need no window.
#include <QString>
#include <QStringList>

struct tMainState;

// The user's Documents folder + "/Orvanta", created with any missing parents.
QString GetDocumentsFolder();

// One override of "Redirect.ini": Value trimmed and stripped of trailing
// separators names the folder itself; the result ends in one "/". A blank
// value gives Default. Logs "<name> redirected to <result>" when it applies.
QString RedirectEntry(const QString &name, const QString &value, const QString &def);

// Fills the working folders of the state with their defaults, then applies
// the overrides of OtherRedirect + "Redirect.ini", then (in log mode) checks
// each folder. programPath is the program file, whose file system root
// becomes SearchDriveRedirect.
void LoadRedirections(tMainState &s, const QString &programPath);

struct tFileCount {
    int Files = 0;
    int ReadOnly = 0;
};
// Files under a folder, recursively, hidden ones included; a file counts as
// read-only when its owner may not write it. Symbolic links are counted, not
// followed, so a link to a parent folder cannot make the walk endless.
tFileCount CountFiles(const QString &folder);

// Log mode only: writes and erases a small file in the folder and logs
// "<name> R/W test: Success|Failed (r of n files are read-only)".
void TestDirectory(const QString &name, const QString &folder);

// "major.minor.build" of this build.
QString GetVersionString();

// The collection to open at start: the first argument when its extension is
// exactly ".OVD" (upper case only), else an empty string.
QString CommandLineCollection(const QStringList &arguments);

// An active currency outside the currency table becomes US dollars.
void CheckActiveForexIndex(tMainState &s);

// Log mode is asked for by holding Ctrl without Shift while the program starts.
inline bool LogModeRequested(bool ctrl, bool shift)
{
    return ctrl && !shift;
}
