#pragma once
// "Adding new coin types": the countries for which the new-coin-type check
// runs when a collection is opened, stored in the collection's AutoAddStr.
#include <vector>

#include <QWidget>

#include "core/model/mainstate.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TCountryChecklist;

struct tAutoAddItem {
    QCheckBox *CheckBox = nullptr;  // tag object: the country
    tCountryInfo *Country = nullptr;
};

class TAutoUpdateForm : public QWidget {
    Q_OBJECT
public:
    explicit TAutoUpdateForm(tMainState &s, QWidget *parent = nullptr);
    ~TAutoUpdateForm() override;

    // The rows in caption order.
    const std::vector<tAutoAddItem> &CheckBoxList() const { return CheckBoxList_; }

    void SelectCoinsBtnClick(int tag);
    void OKbuttonClick();
    void CancelButtonClick();

private:
    void FormCreate();
    void ResetCaptions();
    void SortCheckBoxes();

    tMainState &s_;
    std::vector<tAutoAddItem> CheckBoxList_;
    TCountryChecklist *ScrollBox1 = nullptr;
    QLabel *Label1 = nullptr;
};

extern TAutoUpdateForm *AutoUpdateForm;
extern bool AutoUpdateInUse;

// Opens the window once, centred over the main window, or brings the open
// one to the front. It frees itself when closed.
TAutoUpdateForm *OpenAutoUpdateForm(tMainState &s, QWidget *mainWindow);
