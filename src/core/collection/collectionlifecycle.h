#pragma once
// The collection through its life in the main window: a new collection from
// the default structures, opening, saving with a rotating daily copy, backup
// files and bundles, the recently used files, the caption, which Save
// commands show, and the questions asked before unsaved changes are dropped.
//
// Everything here is plain logic on tMainState; questions and file pickers go
// through platform::ui(), the window-side steps through the state's events. The main
// window applies the results (caption text, menu visibility) itself.
#include <functional>

#include <QDate>
#include <QString>
#include <QStringList>

struct tMainState;

// "Orvanta [name] (Modified)": the file name part of LastFileName, or
// "New File"; "Auto save in progress" while an automatic save runs.
QString MainCaption(const tMainState &s);

// Which Save commands the File menu shows.
struct tSaveMenuVisibility {
    bool SaveCoinData1 = true;    // "Save this collection file": always
    bool SaveEbookData1 = false;  // some eBook index is modified
    bool SavePriceData1 = false;  // price lists modified or converted
    bool SaveAllChanges1 = false; // either of those, or maintainer mode
};
tSaveMenuVisibility SaveMenuVisibility(const tMainState &s);

// Frees every coin entry; the window closes its find windows through
// CoinsCleared, and no eBook is marked any more.
void ClearAllData(tMainState &s);

// Replaces the open collection with a new one holding the default structure
// of country 0; price lists of countries with unsaved changes survive.
void CreateDefaultDatabase(tMainState &s);

// Connects CreateDefaultDatabase and UpdateRecentFiles to the state's events
// of those names, which the collection file's reader emits.
void InstallLifecycleHooks(tMainState &s);

// The question before the open collection is replaced (New, Open): true
// when the caller may go on (nothing to save, saved, or discarded).
bool AskToSaveBeforeReplacing(tMainState &s);

// Menu "New": the question, then a new collection with the default sort
// keys; false when the user cancelled.
bool NewCollection(tMainState &s);

// The save. AutoMode writes to LastFileName without a dialog; BackupMode
// writes only the chosen backup file (file name, rotating copies and recent
// list stay). False only when the dialog was cancelled. A write failure
// throws FileWriteError and leaves the old file, LastFileName and
// DataModified as they were.
bool SaveDataToFile(tMainState &s, bool AutoMode, bool BackupMode);

// The save dialog may not close on a file in the Backups folder.
bool SaveCollectionDialogCanClose(const tMainState &s, const QString &fileName);

// The rotating daily copy for collection file name fileName, on day today:
// BackupsRedirect + base + "_" + slot "01".."05" + ".OVD". Creates the
// Backups folder.
QString RotatingBackupName(const tMainState &s, const QString &fileName, const QDate &today);

// "Create Backup zip file": asks for the bundle's name and writes the
// collection (picture paths relative to the repository), its pictures, the
// price lists and "ReadMe.txt". Throws when a picture cannot be read; no
// bundle is written then. False when the dialog was cancelled.
bool CreateBackupZip(tMainState &s);
// The name offered for the bundle: beside the collection, never the
// collection file itself.
QString ProposedBundleName(const tMainState &s);

// The recently used files "RF0".."RF9", most recent first, empty ones kept.
QStringList RecentFiles();
// Puts PriorityName first in the recent-file list.
void UpdateRecentFiles(const QString &PriorityName);

// The main window's closing check: the questions about the collection, the
// price lists and the eBook indexes. True when the window may close.
bool FormCloseQuery(tMainState &s);

// One tick of the housekeeping timer for "Auto Save": every 120th tick
// while the option is on saves what is modified. The timer is switched off
// (setTimerEnabled(false)) while the save runs and on again afterwards, also
// when the save fails. Nothing is counted or saved while a question or
// picker is open, nor once the closing question's "Discard" has let the
// program close.
void AutoSaveTick(tMainState &s, const std::function<void(bool enabled)> &setTimerEnabled = {});

// Opens a collection file chosen in the welcome window; merge brings it into
// the open collection instead. On failure shows "Orvanta was unable to load
// the file" with shownName and returns false; the open collection stays as
// it was, still belonging to its own file.
bool OpenCollectionFile(tMainState &s, const QString &path, bool merge, const QString &shownName);

// Where the file dialogs for collections start: the folder of the last
// collection opened or saved, else the program's documents folder (never
// the working folder the program happened to be started in).
QString CollectionsFolder(const tMainState &s);

// "Orvanta was unable to load the file" with shownName, and on a line of
// its own the reader's reason (LoadFailure) when it gave one.
void ShowLoadFailure(const tMainState &s, const QString &shownName);
