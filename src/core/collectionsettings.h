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

// AssignInventory is in core/coinentries.h.

// A stored picture path on disk: "R~" stands for the image repository.
// Every "/" becomes the platform's separator.
QString UnpackRepositoryPath(const tMainState &s, const QString &inPath);
