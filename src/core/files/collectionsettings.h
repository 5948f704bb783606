#pragma once
// The collection's own settings that live beside the series tree: theme
// names, the "Stored in" and "Graded by" pick lists, item numbers and the
// picture paths kept relative to the image repository.
#include <QString>

struct tMainState;

// The 30 theme-name slots: the 17 built-in themes, then empty slots.
void SetDefaultThemeNames(tMainState &s);
// The built-in items of the "Stored in" list.
void ClearStoredBox(tMainState &s);
// The built-in items of the "Graded by" list.
void ClearGradedByBox(tMainState &s);

// AssignInventory is in core/collection/coinentries.h.

// True when a stored picture path is kept relative to the image repository:
// it begins with "R~" in either case.
bool IsRepositoryPath(const QString &stored);
// The part of a repository path below the folder, "/"-separated, with "."
// and ".." worked out inside the folder: "R~../x.jpg" is "x.jpg", so no
// stored path reaches outside the repository.
QString RepositoryRest(const QString &stored);
// A stored picture path on disk: "R~" stands for the image repository.
// Every "/" becomes the platform's separator; in a repository path "\" is
// read as "/" too, since such paths travel between systems.
QString UnpackRepositoryPath(const tMainState &s, const QString &inPath);

// The image repository folder without its trailing separators ("/" for a
// folder that is the root); empty when none is set.
QString NormalRepositoryFolder(const QString &folder);
// True when path lies inside folder: the folder's path must end at a
// separator of path, so ".../Coins2/x.jpg" is not inside ".../Coins". The
// comparison is exact, as this system's file names are.
bool IsInsideRepository(const QString &folder, const QString &path);
// The stored form of a picture path: "R~" + the rest after folder (starting
// with its separator) when the path, "." and ".." worked out, lies inside
// folder; else the path unchanged. A path already stored relative to the
// repository stays as it is.
QString PackRepositoryPath(const QString &folder, const QString &inPath);
// The same against the state's RepositoryPath.
QString PackRepositoryPath(const tMainState &s, const QString &inPath);
