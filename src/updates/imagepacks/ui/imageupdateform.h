#pragma once
// "Download images": fetches the series-picture packs of chosen countries
// from the update server and unpacks them into the countries' picture
// folders. The transfers and the unpacking are tImageUpdateMachine's; the
// window shows the rows, texts and bars and passes the buttons on.
#include <vector>

#include <QWidget>

#include "core/model/mainstate.h"
#include "updates/imagepacks/imagepack.h"
#include "updates/imagepacks/imageupdatemachine.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class TCountryChecklist;

struct tImageItem {
    QCheckBox *CheckBox = nullptr;  // tag object: the country
    tCountryInfo *Country = nullptr;
};

class TImageUpdateForm : public QWidget {
    Q_OBJECT
public:
    explicit TImageUpdateForm(tMainState &s, QWidget *parent = nullptr, tRetryTimer::Clock clock = {});
    ~TImageUpdateForm() override;

    // The rows in display order.
    const std::vector<tImageItem> &CheckBoxList() const { return CheckBoxList_; }
    tImageUpdateMachine &Machine() { return Machine_; }
    bool SuggestPulled() const { return SuggestPulled_; }

    void SelectCoinsBtnClick(int tag);
    void UpdateButtonClick();
    void StopButtonClick();
    void OKbuttonClick();
    void ShowSelectedCount();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void ApplySelection(int tag);
    void SetControlsEnabled(bool on);
    void OnDirectoryReady(bool fetched, const QString &message);
    void OnRowFinished(int row, bool ok);
    void OnUpdateStarted();
    void OnUpdateFinished();

    tMainState &s_;
    tImageUpdateMachine Machine_;
    std::vector<tImageItem> CheckBoxList_;
    tCountryMarks CountryCheckList_{};
    bool SuggestPulled_ = false;
    int pendingSuggestion_ = -1;  // the suggestion waiting for the directory
    bool closeWanted_ = false;
    TCountryChecklist *ScrollBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *RetryLabel = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QProgressBar *ProgressBar2 = nullptr;
    std::vector<QPushButton *> SelectionButtons;
    QPushButton *UpdateButton = nullptr;
    QPushButton *StopButton = nullptr;
    QPushButton *OKbutton = nullptr;
};

extern TImageUpdateForm *ImageUpdateForm;
extern bool ImageUpdateInUse;

// "Check for image updates": opens the window once, centred over the main
// window, or brings the open one to the front. It frees itself when closed.
TImageUpdateForm *OpenImageUpdateForm(tMainState &s, QWidget *mainWindow, tRetryTimer::Clock clock = {});
