#pragma once
// The entry editor of the Coins page: the scroll box CoinScrollBox with the
// controls for the stored fields of an entry, the notes memo with its
// maximise button, and the New, Clone, Undo and Delete buttons. A
// self-contained widget over the shared state: every commit goes through
// StuffCoinInfo (browse/coins/coineditor.h); the panel only reads its controls
// and fills them. Each field of an entry has exactly one control here.
//
// Embedding: construct it with the main window's state and put it where the
// editor belongs; CoinButtons() is the row of buttons, which the main window
// may move under the coin grid by adding it to another layout. The panel
// receives the FillCoinEditor, CommitPendingEdit and
// RestoreNotesMemo events (while it exists); Save, Close and a change
// of series call CommitPendingEdit() (directly or through the event) first.
// The series selection's FillGradeBox step may be routed to FillGradeBox().
// The "Graded by" and "Stored in" suggestions are the state's
// GradedByBoxItems and StoredBoxItems; FillPickLists() shows them again
// after they changed.
#include <QHash>
#include <functional>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "core/collection/coinentries.h"
#include "core/model/mainstate.h"
#include "browse/coins/coineditor.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;
struct tEditorValue;

class TCoinEditorPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCoinEditorPanel(tMainState &state, QWidget *parent = nullptr);
    ~TCoinEditorPanel() override;

    // The New, Clone, Undo and Delete buttons in one row.
    QWidget *CoinButtons() const { return ButtonRow; }

    // Shows the entry on CoinGridRow; with no current entry the editor is
    // reset to the values of a new entry and disabled. Nothing is written
    // back while the controls are set.
    void FillCoinEditor();
    // Commits the control that has the focus as leaving it would. Menu
    // commands and shortcuts leave the focus where it is, so Save, Close and
    // a series change call this first.
    void CommitPendingEdit();
    // Enables or disables the editor's controls and the user-field controls;
    // the user-field controls are cleared without committing anything.
    void SetCoinScrollBoxEnable(bool IsEnabled);
    // Refills the year, mint and variety list from CurrPriceList; with
    // keepPos the same position is chosen again.
    void BuildDateMintBoxList(bool keepPos);
    // Refills the grade list from CurrGradeList: a blank item, then the titles.
    void FillGradeBox();
    // Refills the grade modifiers of the chosen year, mint and variety,
    // keeping the chosen modifier when the new list has it.
    void FillGMBox();
    // Undo is enabled while records remain, Delete while entries are listed,
    // Clone while there is a current row; New whenever a series is selected.
    void UpdateButtons();
    // The suggestions of GradedByBox and StoredBox from the state's lists;
    // the texts shown stay.
    void FillPickLists();
    // Sender NoteMaxedBtn toggles NoteMaxed; any other sender applies it.
    // Maximised, the notes take the place of the other fields.
    void NoteMaxedBtnClick(QObject *sender);
    // Shows the other fields again when the notes are maximised.
    void RestoreNotesMemo();
    // The notes fill the editor.
    bool NoteMaxed = false;

    // ---- User-defined fields (coineditoruserfields.cpp) ----
    // Makes one cell per field of UDFlist in UserFieldsPanel beside and
    // under the fixed block, for availableWidth of room (the editor's
    // width when negative). With keepControls, controls that already show
    // the same fields in the same grid stay as they are.
    void CreateUDFobjects(int availableWidth = -1);
    // Destroys the user-field controls; no commit fires from a control
    // going away. An edit in progress is dropped (another collection),
    // committed first, or carried into the controls CreateUDFobjects makes
    // next (a resize).
    enum class tPendingEdit { Drop, Commit, Carry };
    void ClearUDFlist2(tPendingEdit pending);
    // Fills the user-field controls from the entry at the row. With
    // keepPending, a control being edited keeps its text.
    void ShowUDFValues(int row, bool keepPending = false);
    // Commits the value of an editor control as its change or leaving does
    // (the calendar commits the date box it wrote).
    void CommitControl(QWidget *w);
    // Opens the calendar for a date box; set by the main window.
    std::function<void(QWidget *dateBox)> OpenCalendar;
    // Called whenever the editor has shown the current row again.
    std::function<void()> RowShown;
    // The cells made by CreateUDFobjects, in field order.
    std::vector<QPointer<QWidget>> UDFlist2;

    QScrollArea *CoinScrollBox = nullptr;
    QComboBox *DateMintBox = nullptr;
    QComboBox *GradeBox = nullptr;
    QComboBox *GMbox = nullptr;
    QComboBox *GradedByBox = nullptr;
    QComboBox *StoredBox = nullptr;
    QSpinBox *HaveEdit = nullptr;
    QSpinBox *NeedEdit = nullptr;
    QSpinBox *SellEdit = nullptr;
    QSpinBox *SoldEdit = nullptr;
    QLineEdit *BuyDateBox = nullptr;
    QToolButton *BuyDateButton = nullptr;   // the calendar of BuyDateBox
    QToolButton *SellDateButton = nullptr;  // the calendar of SellDateBox
    QLineEdit *SellDateBox = nullptr;
    QLineEdit *PriceEdit = nullptr;
    QLineEdit *SellPriceEdit = nullptr;
    QLineEdit *CommentEdit = nullptr;
    QPlainTextEdit *NotesMemo = nullptr;
    QToolButton *NoteMaxedBtn = nullptr;
    QLabel *CommentCaption = nullptr;  // caption of CommentEdit ("Comment (Serial number)" for paper money)
    QWidget *UserFieldsPanel = nullptr;   // the user-defined fields' controls go in here
    QCheckBox *BuyBox = nullptr;
    QCheckBox *SellBox = nullptr;
    QCheckBox *ErrorBox = nullptr;
    QCheckBox *User1Box = nullptr;
    QPushButton *NewCoinBtn = nullptr;
    QPushButton *CloneCoinBtn = nullptr;
    QPushButton *UndoCoinBtn = nullptr;
    QPushButton *DeleteCoinBtn = nullptr;

Q_SIGNALS:
    // The notes were maximised (true) or restored.
    void NoteMaxedChanged(bool maxed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls();
    void Connect();
    void ResetEditor();
    QWidget *EditorControl(QObject *o) const;
    QString ControlText(QWidget *w) const;
    void RestoreControl(QWidget *w);
    void Enter(QWidget *w);
    void Exit(QWidget *w);
    tEditorValue ValueOf(tCoinField field) const;
    void Commit(QWidget *sender);
    void DateMintBoxChange(QWidget *sender);
    void BuyBoxChange(QCheckBox *sender);
    void UpdateSelectionSummary();

    tMainState &s;
    QWidget *ButtonRow = nullptr;
    // The fields other than the notes, hidden while the notes are maximised.
    QWidget *Fields = nullptr;
    bool PickerEvent(QComboBox *box, QEvent *event);
    // User fields: the field a control belongs to, -1 for none.
    int UDFIndexOf(const QWidget *w) const;
    QWidget *MakeUDFCell(int k, tUDFfield &f);
    void CommitUserField(QWidget *w);
    void UserFieldExit(QWidget *w);
    bool PhoneKey(QLineEdit *e, QKeyEvent *ke);
    void OpenUDFAttachment(QLineEdit *e);
    void OpenCertificationLookup(QLineEdit *e);
    QGridLayout *FieldGrid = nullptr;
    // An edit carried over a remaking of the controls: field, text, and the
    // text it had on entry.
    int CarriedField = -1;
    QString CarriedText, CarriedTag;

    // What identifies the rows behind DateMintBox's items and the item
    // texts they were shown with, to notice a changed price list.
    std::vector<tDateMintKey> DateMintKeys;
    QStringList DateMintTexts;
    std::vector<tGradeTitle> GradeItems;
    // The text of each editor control as it was on entry (price boxes: reduced).
    QHash<QWidget *, QString> TagString;
    // The item each picker showed when it got the focus, for Esc.
    QHash<QComboBox *, int> PickerTag;
    // The control with the focus whose leave handler has not run yet.
    QPointer<QWidget> Pending;
    bool EditorEnabled = true;
    // While set, the row is being re-selected by a commit and the controls
    // already show the entry.
    bool Committing = false;
};
