#include "mainwindow/ui/mainform.h"

#include <QStatusBar>

#include "mainwindow/ui/seriestreeview.h"

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orvanta"));
    resize(1280, 800);
    MainForm = this;

    // ---- Series tree view and series selection ----
    // Shown in the central area until the Series page is laid out around it.
    SeriesTree = new TSeriesTreeView(State, this);
    setCentralWidget(SeriesTree);
    State.Hooks.SeriesSelected = [this] { SeriesSelected(State, &SeriesTree->Tree(), SelectionSeams); };
    connect(SeriesTree, &TSeriesTreeView::StatusHint, this,
            [this](const QString &hint) { statusBar()->showMessage(hint); });
    // ---- end of series tree view and series selection ----
}

TMainForm::~TMainForm()
{
    if (MainForm == this)
        MainForm = nullptr;
}
