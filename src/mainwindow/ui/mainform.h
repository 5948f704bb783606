#pragma once
// The main window: the hub that owns the shared state. Its logic lives in
// the subsystems' plain code, which takes the state by reference.
#include <QMainWindow>

#include "core/mainstate.h"

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    tMainState State;
};

// The one main window of the process, set while it exists.
extern TMainForm *MainForm;
