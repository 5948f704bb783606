#pragma once
// The main window: the hub that owns the shared state. Its logic lives in
// the subsystems' plain code, which takes the state by reference.
#include <QMainWindow>

#include "core/mainstate.h"
#include "mainwindow/seriesselection.h"

class TSeriesTreeView;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    tMainState State;

    // ---- Series tree view and series selection ----
    TSeriesTreeView *SeriesTree = nullptr;
    // The steps of a selection that other pages carry out; each page
    // installs its own when it is built.
    tSelectionSeams SelectionSeams;
    // ---- end of series tree view and series selection ----
};

// The one main window of the process, set while it exists.
extern TMainForm *MainForm;
