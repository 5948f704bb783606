#pragma once
// "Orvanta: Check for program updates": tells whether the update server
// offers a newer version, shows the release notes, and on request downloads
// the new version's installer for the user to run.
#include <QWidget>

#include "core/model/mainstate.h"
#include "updates/programupdate/programupdatemachine.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;

// The "new" sticker shown beside a newer version: drawn, not loaded.
QPixmap NewStickerPixmap(int size);

class TProgramUpdateForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgramUpdateForm(tMainState &s, QWidget *parent = nullptr, tRetryTimer::Clock clock = {});
    ~TProgramUpdateForm() override;

    tProgramUpdateMachine &Machine() { return Machine_; }
    void Button1Click();
    void OKbuttonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void ShowView(const tUpdateView &view);
    void OnCheckFinished(const tUpdateView &view, bool notesFound);
    void OnDownloadFinished(const tUpdateView &view);

    tMainState &s_;
    tProgramUpdateMachine Machine_;
    QLabel *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QScrollArea *FramedVertScrollBox1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *DownloadButton = nullptr;
    QPushButton *OKbutton = nullptr;
    bool shown_ = false;
    bool closeWanted_ = false;
};

extern TProgramUpdateForm *ProgramUpdateForm;
extern bool ProgramUpdateInUse;

// "Check for program  updates": opens the window once, centred on the
// screen, or brings the open one to the front. It frees itself when closed.
TProgramUpdateForm *OpenProgramUpdateForm(tMainState &s, QWidget *mainWindow, tRetryTimer::Clock clock = {});
