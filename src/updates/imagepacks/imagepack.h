#pragma once
// The plain steps of the image-pack download: which countries the open
// collection holds, how many pictures a country's folder has, what the
// server's image directory offers, the suggestion buttons, and unpacking a
// pack into the country's picture folder without ever writing outside it.
#include <array>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"
#include "platform/ini.h"

// Block number of the menu command that opens the window.
constexpr int ImageUpdateBlock = 4700;

inline const QString ImageDirectorySection = QStringLiteral("Countries");

// The selection buttons, by their Tag.
enum tImageSelection : int {
    ImageSelectCoinsTag = 0,
    ImageSelectPaperTag = 1,
    ImageSuggestCoinsTag = 2,
    ImageSuggestPaperTag = 3,
    ImageSelectNoneTag = 4,
};

// Marks every country of which the collection holds a series.
using tCountryMarks = std::array<bool, CountryTableSize>;
tCountryMarks MarkCollectionCountries(const tMainState &s);

// The ".JPG" files (any case) below folder, subfolders included; hidden
// entries count too. A missing folder counts 0; a symbolic link to a folder
// is not followed, so a loop of links cannot hang the count.
int CountJpgFiles(const QString &folder);

// The country's picture folder and its pack's name on the server.
QString CountryImageFolder(const tMainState &s, const tCountryInfo &c);
QString ImagePackName(const tCountryInfo &c);

// How many pictures the server's pack of the country holds (0 when the
// directory does not name it).
int ServerImageCount(const platform::IniFile &directory, const tCountryInfo &c);

// What a selection button does to one row: the new checked state, or the
// row's own state (current) when the button leaves the row alone.
// serverCount and localCount matter only to the suggestions.
bool ImageSelectionChecks(int tag, const tCountryInfo &c, bool current, int serverCount, int localCount,
                          bool inCollection);
// The suggestion buttons touch only the rows of their kind.
bool ImageSelectionTouches(int tag, const tCountryInfo &c);
// "Coins for 1 country suggested." / "Paper money for 0 countries suggested."
QString SuggestionText(int tag, int n);

// ---- Unpacking ----

// The path an archive entry may be written to, relative to the country's
// folder with "/" between folder names; empty when the entry is refused:
// an absolute name, a drive letter, a ".." component, or nothing left of
// it. "\" counts as a separator, as archives made on Windows use it.
QString SafeEntryPath(const QString &entryName);

struct tUnzipResult {
    bool Ok = false;
    int Written = 0;          // files written
    int SkippedLinks = 0;     // symbolic-link entries, never created
    QString Error;            // why the pack failed, for the log
};

// Extracts every entry of the archive at zipPath into folder (created when
// missing), replacing existing files and making subfolders. An entry whose
// name is refused, or whose final path would lie outside folder (through a
// symbolic link already in it, say), fails the whole pack; entries that are
// symbolic links are skipped. Each file is written to a temporary name and
// renamed into place, so a broken pack never leaves a half-written picture.
tUnzipResult UnzipImagePack(const QString &zipPath, const QString &folder);
