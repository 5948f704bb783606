#pragma once
// Paths on disk. Files written by older versions of the program store paths
// with "\" separators and drive letters, and names built by the program
// (country names, picture names) may differ in case from the files on disk.
// Every such path is resolved here, in one place.
#include <QString>
#include <QStringList>

namespace platform {

// "\" becomes "/". A drive prefix ("C:") is kept; it simply names no folder
// on this system, so the file is then reported missing rather than guessed.
QString toSlashes(const QString &storedPath);

// The entries of a folder (files and folders, hidden ones included), sorted
// by name ignoring case, then exactly, so "first one found" is the same on
// every run.
QStringList sortedEntries(const QString &dir);

// The name of the entry of dir that equals name ignoring case, or an empty
// string; an exact match wins over a case-insensitive one.
QString findEntryIgnoreCase(const QString &dir, const QString &name);

// Resolves a stored path against the disk: separators normalised, and each
// component that does not exist as spelt matched ignoring case. Returns the
// path as found, or the normalised path when no such file exists.
QString resolvePath(const QString &storedPath);

// File name part after the last "/" or "\".
QString fileNamePart(const QString &path);
// Folder part up to and including the last "/" or "\".
QString folderPart(const QString &path);

} // namespace platform
