#pragma once
// A collector's steps through the assembled window, for end-to-end tests:
// finding a control by its name, letting queued events run, clicking a
// page's tab or a series in the tree, starting with a new collection.
#include <QList>
#include <QWidget>

#include "browse/shell/ui/mainform.h"

class tProgramFixture;

// The one control of that name (the test stops when there are none or
// several: each name stands for one control).
template <class T = QWidget>
T *Control(const TMainForm &form, const char *name)
{
    const QList<T *> found = form.findChildren<T *>(QLatin1String(name));
    if (found.size() != 1)
        qFatal("%d controls named %s", int(found.size()), name);
    return found.front();
}

// Lets queued events run.
void Settle();
// Clicks a page's tab.
void ClickTab(TMainForm &form, int page);
// The welcome window at the first start, answered with "new collection".
void StartWithNewCollection(tProgramFixture &program);
// The row of the tree that shows node, -1 when none does.
int TreeRow(TMainForm &form, const tnodeinfo *node);
// Clicks (or double-clicks) the series' row in the tree on the Series page,
// through the window as the pointer would. The row must be showing.
void ClickShownSeries(TMainForm &form, tnodeinfo *node, bool twice = false);
// Opens the series' country in the tree, then clicks the series.
void ClickSeries(TMainForm &form, tnodeinfo *node, bool twice = false);
