#pragma once
// "Orvanta: Populate a series": makes, in one step, an entry with no coins
// for each checked variety of the selected series' price list. Modeless; at
// most one exists, and it frees itself when closed. The list and the entries
// come from PopulateItems and PopulateCoins (core/collection/coinentries.h).
#include <QDialog>

#include <vector>

#include "core/collection/coinentries.h"
#include "core/model/mainstate.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class TPopulateForm : public QDialog {
    Q_OBJECT
public:
    // Shows the window, creating it when none is open, else bringing the
    // open one forward.
    static TPopulateForm *Open(tMainState &state, QWidget *parent = nullptr);
    // The window is open ("PopulateInUse").
    static bool InUse();

    QComboBox *ComboBox1 = nullptr;    // default grade
    QListWidget *ListBox1 = nullptr;   // the varieties, checkable
    QPushButton *OKButton = nullptr;
    QPushButton *Button1 = nullptr;    // "Cancel"
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;

private:
    TPopulateForm(tMainState &state, QWidget *parent);
    ~TPopulateForm() override;
    void FormCreate();
    void UpdateOkButton();
    void OKButtonClick();

    tMainState &s;
    std::vector<tPopulateItem> Items;
};
