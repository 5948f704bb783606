#pragma once
// "Download price lists": brings the price lists of chosen countries up to
// date from the update server. The window is thin: the transfers and the
// state changes are tPriceUpdateMachine's; the window shows the rows, the
// texts and the bars and passes the buttons on.
#include <memory>
#include <vector>

#include <QWidget>

#include "core/model/mainstate.h"
#include "updates/pricelists/priceupdatemachine.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TCountryChecklist;

// One row of the checklist. The widgets belong to the scroll box's content;
// the record refers to the country, which CountryList owns.
struct tOneItem {
    QWidget *ItemLayout = nullptr;
    QCheckBox *ItemCheckBox = nullptr;  // tag object: the country
    QLabel *ItemLabel = nullptr;        // the server's date
    tCountryInfo *Country = nullptr;
};

class TPriceUpdateForm : public QWidget {
    Q_OBJECT
public:
    // clock: the retry pause's clock; tests pass a fake one.
    explicit TPriceUpdateForm(tMainState &s, QWidget *parent = nullptr, tRetryTimer::Clock clock = {});
    ~TPriceUpdateForm() override;

    // The rows in download order (by caption).
    const std::vector<std::unique_ptr<tOneItem>> &ItemList() const { return ItemList_; }
    tPriceUpdateMachine &Machine() { return Machine_; }

    void SelectCoinsBtnClick(int tag);
    void UpdateButtonClick();
    void OKbuttonClick();
    void ShowSelectedCount();
    void ResetRowCaptions();
    void ShowPriceListStatus();
    // "Connect": takes the typed server address, stores it and fetches the
    // server's price-list dates from it.
    void ServerButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void SortItemList();
    void SetControlsEnabled(bool on);
    void OnDatesReady(const QString &error);
    void OnRowFinished(int row, bool failed);
    void OnUpdateStarted();
    void OnUpdateFinished();
    void ShowNoServer();
    void Report(const QString &text);

    tMainState &s_;
    tPriceUpdateMachine Machine_;
    std::vector<std::unique_ptr<tOneItem>> ItemList_;
    TCountryChecklist *ScrollBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QProgressBar *ProgressBar2 = nullptr;
    std::vector<QPushButton *> SelectionButtons;
    QPushButton *UpdateButton = nullptr;
    QPushButton *OKbutton = nullptr;
    // The update server's address (the setting "Update server").
    QLabel *ServerLabel = nullptr;
    QLineEdit *ServerEdit = nullptr;
    QPushButton *ServerButton = nullptr;
    bool shown_ = false;
    bool closeWanted_ = false;
};

// The window while it is open, and its in-use flag.
extern TPriceUpdateForm *PriceUpdateForm;
extern bool PriceUpdateInUse;

// "Download current price lists": opens the window once, centred over the
// main window, or brings the open one to the front. The window frees itself
// when it closes.
TPriceUpdateForm *OpenPriceUpdateForm(tMainState &s, QWidget *mainWindow, tRetryTimer::Clock clock = {});
