#pragma once
// The Coins page: the coin grid with its hidden-items label and the notice
// that replaces it when the list is empty, the totals of a multi-selection
// under it, a place above it for the entry editor and one under it for the
// editor's buttons, and the view settings (which kinds of entries are shown,
// the "Graded by" and "Stored in" suggestion lists, "Reset table columns").
//
// Embedding: construct it with the main window's state and place it on the
// Coins tab; SetEditor() puts the entry editor and its buttons in their
// places, and the settings (SettingContent) may be moved into a slide-out
// panel. It receives the RefreshCoinGrid event; it emits FillCoinEditor
// whenever the current entry changes (and when none is left) and the seams
// below for steps that belong to other pages. The collection reader and
// writer reach the column layout through PackColumnData, UnpackColumnData,
// ResetCoinGridColumnWidths and SetupCoinGridCols. The page counts the sort
// refinement window down with its own one-second timer (RefineTimer); a
// window that already has a housekeeping tick may stop it and call
// HousekeepingTick instead.
#include <functional>
#include <vector>

#include <QWidget>

#include "core/model/mainstate.h"
#include "browse/coins/coingrid.h"
#include "browse/coins/coingridcolumns.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;
class TCoinGridDelegate;
class TCoinGridHeader;
class TCoinGridModel;
class TCoinGridView;
class TListMemo;

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
    QLabel *SelectedSumLabel = nullptr;     // "Selected: "
    QLabel *PriceSumLabel = nullptr;        // "Price: "
    QLabel *ValueSumLabel = nullptr;        // "Value: "
    QLabel *HaveSumLabel = nullptr;         // "Have: "
    QLabel *NeedSumLabel = nullptr;         // "Need: "
    QLabel *SellSumLabel = nullptr;         // "Sell: "
    QLabel *SoldSumLabel = nullptr;         // "Sold: "
    QLabel *MetalNameLabel = nullptr;       // metal name
    QLabel *MetalAmountLabel = nullptr;     // metal ounces
    // The coin thumbnails go in here; it takes no room until they do.
    QWidget *ThumbnailPanel = nullptr;
    // The view settings; the main window moves them into its slide-out panel.
    QWidget *SettingContent = nullptr;
    QCheckBox *ViewHaveCheckBox = nullptr;
    QCheckBox *ViewNeedCheckBox = nullptr;
    QCheckBox *ViewSellCheckBox = nullptr;
    QCheckBox *ViewSoldCheckBox = nullptr;
    TListMemo *GradedByMemo = nullptr;
    TListMemo *StoredInMemo = nullptr;
    QPushButton *ResetColumnsButton = nullptr;
    QTimer *RefineTimer = nullptr;

    // ---- Seams to the rest of the window; unset ones are skipped ----
    // The rest of laying the page out for an empty (false) or a filled list:
    // the Delete and Clone buttons, the Images and Graphs tabs.
    std::function<void(bool filled)> CoinsPagePrepared;
    // After the editor was filled for a new current row: the thumbnails,
    // the "NA" hint and the picture radios of the Images page.
    std::function<void(int row)> RowShown;
    // The suggestion lists (GradedByBoxItems, StoredBoxItems) were edited.
    std::function<void()> PickListsChanged;

    // ---- Operations ----
    // Puts the entry editor above the grid and its buttons under it.
    void SetEditor(QWidget *editor, QWidget *buttons);
    // Rebuilds the list and lays the page out for it.
    void PrepCoinsPage();
    // A newly selected series starts at its first row.
    void ToFirstRow();
    // Rebuilds the list; ForceCoin is listed whatever the view filter says.
    void ApplyViewFilter(tCoinInfo *ForceCoin = nullptr);
    // Sorts the list, keeping the current entry current.
    void SortFolderCoins();
    // Makes the entry's row current and scrolls it towards the middle.
    void SelectCoin(tCoinInfo *coin);
    void UpdateSelectionSummary();
    // Redraws the grid after its entries changed (the RefreshCoinGrid event).
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
    // The settings memos show the suggestion lists as they are now.
    void FillListMemos();
    // A view box changed: its Tag (0 Have, 1 Need, 2 Sell, 3 Sold) picks
    // the flag, which takes the box's state; then the page is prepared.
    void ViewHaveCheckBoxChange(QCheckBox *sender);

private:
    void Build();
    void BuildSettingContent();
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
    // A list memo was left: its lines become the suggestion list.
    void TakeListMemo(TListMemo *memo, QStringList &items);

    tMainState &state_;
    tColumnLayout columns_;
    TCoinGridModel *model_ = nullptr;
    TCoinGridHeader *header_ = nullptr;
    TCoinGridDelegate *delegate_ = nullptr;
    bool syncing_ = false;   // the page itself is moving the grid's rows or columns
    QVBoxLayout *centre_ = nullptr;
    QHBoxLayout *bottom_ = nullptr;
};
