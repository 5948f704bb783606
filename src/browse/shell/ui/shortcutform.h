#pragma once
// "Orvanta: Menu Shortcuts": the main-menu commands in coloured groups, each
// with its shortcut. A click on a row opens a small pop-up with the key and
// the Shift, Control and Alt boxes; OK stores every row's shortcut and has
// the main window apply them to its menu items. Modeless, one at a time.
#include <array>
#include <functional>
#include <map>

#include <QDialog>

#include "browse/shell/menushortcuts.h"

struct tMainState;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

class TShortcutForm : public QDialog {
    Q_OBJECT

public:
    // applied runs after OK has stored the shortcuts in the state.
    TShortcutForm(tMainState &state, std::function<void()> applied, QWidget *parent = nullptr);

    // The working copy, by slot 1..42; the menu items change only on OK.
    tSlotKeys KeyCodes{};

    QScrollArea *ScrollBox1 = nullptr;
    QFrame *Popup1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;  // Shift
    QCheckBox *CheckBox2 = nullptr;  // Control
    QCheckBox *CheckBox3 = nullptr;  // Alt
    QComboBox *ComboBox1 = nullptr;  // the key
    QPushButton *OKbutton = nullptr;
    QPushButton *CancelButton = nullptr;
    QLabel *StatusLabel = nullptr;  // what OK will drop, when anything

    // The shortcut label of a slot's row ("SlotKey" + slot).
    QLabel *SlotKeyLabel(int slot) const;
    // Opens the pop-up on a slot's row (a click on either of its labels).
    void EditSlot(int slot);
    // The slot the pop-up edits, 0 when it is closed.
    int EditedSlot() const { return editedSlot_; }
    // Applies the shortcuts and closes; when two commands would share one,
    // says which and stays open with nothing applied.
    void OKbuttonClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AddGroupHeader(class QVBoxLayout *list, const tShortcutGroup &group);
    void AddSlotRow(class QVBoxLayout *list, const tShortcutRow &row);
    void ShowSlotKey(int slot);
    void Popup1ClosePopup();

    tMainState &state_;
    std::function<void()> applied_;
    std::map<int, QLabel *> keyLabels_;
    int editedSlot_ = 0;
    bool loading_ = false;
};
