#pragma once
// The Coins page: the coin grid with its hidden-items label and the notice
// that replaces it when the list is empty, the totals panel of a
// multi-selection beside it, the editor area above it with the "Graded by",
// "Stored in" and notes boxes and a container for the entry editor's own
// controls, and the view settings (which kinds of entries are shown, the two
// pick lists, "Reset table columns").
//
// Embedding: construct it with the main window's state and place it on the
// Coins tab. It installs Hooks.RefreshCoinGrid; it calls Hooks.FillCoinEditor
// whenever the current row changes and the seams below for steps that belong
// to other pages. The collection reader and writer reach the column layout
// through PackColumnData, UnpackColumnData, ResetCoinGridColumnWidths and
// SetupCoinGridCols. The page counts the sort refinement window down with
// its own one-second timer (RefineTimer); a window that already has a
// housekeeping tick may stop it and call HousekeepingTick instead.
#include <functional>
#include <vector>

#include <QWidget>

#include "core/mainstate.h"
#include "mainwindow/coingrid.h"
#include "mainwindow/coingridcolumns.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTimer;
class QToolButton;
class TCoinGridDelegate;
class TCoinGridHeader;
class TCoinGridModel;
class TCoinGridView;
class TListMemo;
class TNotesMemo;
class TPickBox;

class TCoinGridPage : public QWidget {
    Q_OBJECT
public:
    explicit TCoinGridPage(tMainState &state, QWidget *parent = nullptr);
    ~TCoinGridPage() override;

    // ---- Controls, named as the window's design names them ----
    TCoinGridView *CoinGrid = nullptr;
    QLabel *View2Label = nullptr;           // "n items hidden."
    QWidget *WarningPanelCoins = nullptr;
    QLabel *WarningLabelCoins = nullptr;
    QWidget *SumPanel = nullptr;
    QLabel *Label78 = nullptr;              // "Selected: "
    QLabel *Label79 = nullptr;              // "Price: "
    QLabel *Label80 = nullptr;              // "Value: "
    QLabel *Label81 = nullptr;              // "Have: "
    QLabel *Label82 = nullptr;              // "Need: "
    QLabel *Label83 = nullptr;              // "Sell: "
    QLabel *Label84 = nullptr;              // "Sold: "
    QLabel *Label85 = nullptr;              // metal name
    QLabel *Label93 = nullptr;              // metal ounces
    QWidget *ThumbnailPanel = nullptr;      // the coin thumbnails go in here
    QScrollArea *CoinScrollBox = nullptr;   // the entry editor
    QWidget *CoinEditorPanel = nullptr;     // the entry editor's own controls go in here
    QLabel *Label26 = nullptr;              // "Graded by"
    TPickBox *GradedByBox = nullptr;
    QLabel *Label7 = nullptr;               // "Stored in"
    TPickBox *StoredBox = nullptr;
    QToolButton *NoteMaxedBtn = nullptr;
    TNotesMemo *NotesMemo = nullptr;
    QWidget *SettingPanel = nullptr;
    QCheckBox *ViewHaveCheckBox = nullptr;
    QCheckBox *ViewNeedCheckBox = nullptr;
    QCheckBox *ViewSellCheckBox = nullptr;
    QCheckBox *ViewSoldCheckBox = nullptr;
    TListMemo *GradedByMemo = nullptr;
    TListMemo *StoredInMemo = nullptr;
    QPushButton *ResetColumnsButton = nullptr;
    QTimer *RefineTimer = nullptr;

    // ---- Seams to the rest of the window; unset ones are skipped ----
    // Writes the value of an editor control into the current entry and every
    // marked one (the entry editor's StuffCoinInfo).
    std::function<void(QObject *sender)> StuffCoinInfo;
    // The rest of laying the page out for an empty (false) or a filled list:
    // the editor's reset, the Delete and Clone buttons, the Images and
    // Graphs tabs.
    std::function<void(bool filled)> CoinsPagePrepared;
    // After the editor was filled for a new current row: the thumbnails,
    // the "NA" hint and the picture radios of the Images page.
    std::function<void(int row)> RowShown;

    // ---- State of the page ----
    // The notes memo fills the editor area.
    bool NoteMaxed = false;

    // ---- Operations ----
    // Rebuilds the list and lays the page out for it.
    void PrepCoinsPage();
    // Rebuilds the list; ForceCoin is listed whatever the view filter says.
    void ApplyViewFilter(tCoinInfo *ForceCoin = nullptr);
    // Sorts the list, keeping the current entry current.
    void SortFolderCoins();
    // Makes the entry's row current and scrolls it towards the middle.
    void SelectCoin(tCoinInfo *coin);
    void UpdateSelectionSummary();
    // Redraws the grid after its entries changed (Hooks.RefreshCoinGrid).
    void RefreshCoinGrid();
    // Rebuilds the user-field columns after the field list changed.
    void SetupCoinGridCols();
    QString PackColumnData() const;
    void UnpackColumnData(const QString &Instr);
    void ResetCoinGridColumnWidths();
    void ResetColumnsButtonBtnClick();
    const tColumnLayout &Columns() const { return columns_; }
    // One tick of the one-second housekeeping timer.
    void HousekeepingTick();
    // "Use large fonts": cells at 28 and headers at 20 instead of 16.
    void SetLargeFonts(bool large);
    // Sender NoteMaxedBtn toggles NoteMaxed; any other applies it.
    void NoteMaxedBtnClick(QObject *sender);
    // The pick lists' items, and the settings memos filled from them.
    void SetGradedByItems(const QStringList &items);
    void SetStoredItems(const QStringList &items);
    void FillListMemos();
    // A view box changed: its Tag (0 Have, 1 Need, 2 Sell, 3 Sold) picks
    // the flag, which takes the box's state; then the page is prepared.
    void ViewHaveCheckBoxChange(QCheckBox *sender);

private:
    void Build();
    void BuildSettingPanel();
    void BuildEditorArea();
    void BuildSumPanel();
    void ConnectGrid();
    void ApplyColumnsToHeader();
    void ShowHidden(int hidden);
    // Moves the grid's current row to the model's row without re-entering
    // the row-change handler.
    void ShowCurrentRow(bool scroll);
    void RowChanged(int row);
    void RowClicked(int row, Qt::KeyboardModifiers modifiers);
    void HeaderClicked(int logicalIndex);
    void ColumnMoved(int logicalIndex, int oldVisual, int newVisual);
    void ColumnResized(int logicalIndex, int oldSize, int newSize);
    void FillEditBoxes();
    void Stuff(QObject *sender);

    tMainState &state_;
    tColumnLayout columns_;
    TCoinGridModel *model_ = nullptr;
    TCoinGridHeader *header_ = nullptr;
    TCoinGridDelegate *delegate_ = nullptr;
    bool syncing_ = false;   // the page itself is moving the grid's rows or columns
};
