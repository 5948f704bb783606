#pragma once
// The price grid of the Pricing page: one painted area (PriceLayout) over the
// cell model of pricing/pricelists/pricegrid.h, the two scroll bars and four arrow
// buttons, and one in-place editor of each kind placed over the cell being
// edited. The page's buttons and the copy and paste commands call the
// command functions; changes go through pricing/pricelists/pricerows.h.
#include <functional>
#include <vector>

#include <QWidget>

#include "core/model/mainstate.h"
#include "pricing/pricelists/priceeditrules.h"
#include "pricing/pricelists/pricegrid.h"
#include "pricing/pricelists/pricerows.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QScrollBar;
class QToolButton;
class TPriceCellArea;

class TPriceGridView : public QWidget {
    Q_OBJECT
public:
    struct tHooks {
        std::function<int()> HotPrice;                                  // entry matching the coin, -1 none
        std::function<void(const QString &text)> ShowStatus;            // the status line
        std::function<void(const QString &text)> ShowRefusal;           // a refused entry
        // The page's buttons: Undo, Populate (entries exist), Clone and Delete
        // (an entry is selected).
        std::function<void(bool undo, bool haveEntries, bool entrySelected)> EnableButtons;
        std::function<void(bool empty)> ShowEmpty;                      // the warning label instead of the grid
        std::function<void(bool haveEntries)> ShowCoinsTab;
        std::function<void()> ListChanged;                              // series dates, tree
        std::function<void(int coinType)> RevealSeries;                 // scrolls the tree to a series
    };

    TPriceGridView(tMainState &state, QWidget *parent = nullptr);
    ~TPriceGridView() override;

    tHooks Hooks;
    // The column-width choice box of the page header.
    void SetWidthBox(QComboBox *box);
    void FillMintEdit(const QStringList &items);
    void FillGMEdit(const QStringList &items);

    void SetupPricelistColumns(int scrollTo);
    void RenderPrices();

    // Commands of the page.
    void AddPrice(bool clone);
    void DeletePrice();
    void UndoPrice();
    void CopyPrices();
    void PastePrices(bool pageActive);
    // A new series was selected: the delete question is asked again.
    void SeriesSelected() { AskingPrice = true; }

    // The entry of the selected cell, null in the title column.
    tPriceInfo *SelectedEntry() const;
    bool CanActOnSelection() const { return SelectedEntry() != nullptr; }
    // Enables the page's buttons for the list, the selection and the undo
    // history; also after a change made outside the grid (the paste tool).
    void UpdateButtons();
    // Geometry in PriceLayout's coordinates of a screen cell.
    QRect CellRect(int screenCol, int screenRow) const;
    QString CellText(int screenCol, int screenRow) const;
    // The tip of a cell: a grade title on a user scale names the standard grade.
    QString CellHint(int screenCol, int screenRow) const;
    QColor CellColor(int screenCol, int screenRow) const;
    int RowKindAt(int screenRow) const;
    // Opens the editor of the selected column's row r (cycling), as Enter does.
    void MovePriceEditRow(int step);
    // Closes the open editor, keeping what was typed. Every save, page
    // change and close calls it first. deferRefusal: called inside a focus
    // change, a refused value is reported once the change is over.
    void CommitEditor(bool deferRefusal = false);
    QWidget *OpenEditor() const { return openEditor_; }

    tPriceHistory History;
    tPriceDrag Drag;
    bool AskingPrice = true;
    int CopyPriceSeries = 0;
    int PriceSelectedCol = 1;
    int PriceSelectedRow = 0;
    const tPriceGridGeometry &Geometry() const { return geo_; }

    QWidget *WholeLayout = nullptr;
    QWidget *PriceLayout = nullptr;   // the painted cell area
    QScrollBar *PriceHScrollBar = nullptr;
    QScrollBar *PriceVScrollBar = nullptr;
    QToolButton *Button1 = nullptr;
    QToolButton *Button3 = nullptr;
    QToolButton *Button4 = nullptr;
    QToolButton *Button5 = nullptr;
    QLineEdit *DataEdit = nullptr;
    QLineEdit *MintageEdit = nullptr;
    QLineEdit *FloatEdit = nullptr;
    QComboBox *ValueEdit = nullptr;
    QComboBox *MetalEdit = nullptr;
    QComboBox *MintEdit = nullptr;
    QComboBox *GMEdit = nullptr;
    QToolButton *YearOptions = nullptr;
    QFrame *YearOptionsPopup = nullptr;
    QCheckBox *CircaCheckBox = nullptr;
    QCheckBox *HideYearCheckBox = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TPriceCellArea;
    void PressCell(int sc, int sr);
    void MoveOverCell(int sc, int sr, bool leftHeld);
    void ReleaseCell(int sc, int sr);
    void OpenEditorAt(int sc, int sr);
    void HideEditors();
    QWidget *EditorWidget(tPriceEditor editor) const;
    void RestoreEditor();
    void EditorLostFocus(Qt::FocusReason reason);
    void ColorPriceCells(int rc, int rk);
    void ScrollChanged();
    void ChooseCode(int index);
    void ApplyAmountText();
    void Refuse(const QString &message);
    void AfterCountChange(int scrollTo);
    tValueRange ValueRangeFor(int lcol, int kind) const;
    int WidthChoice() const;
    bool Paper() const;
    void YearOptionsClick();
    void YearFlagChanged(QCheckBox *box);

    tMainState &s_;
    QComboBox *widthBox_ = nullptr;
    tPriceGridGeometry geo_;
    std::vector<int> xref_;
    // The visible cells, row-major: column number, row kind, text, colours.
    struct tCell {
        int LCol = 0, LRow = 0;
        QString Text;
        QColor Fill, Ink;
        bool Bold = false;
    };
    std::vector<tCell> cells_;
    QWidget *openEditor_ = nullptr;
    int openCol_ = -1, openKind_ = -1;   // cell of the open editor
    int32_t openEntry_ = 0;              // identity of its entry
    QString remembered_;
    bool committing_ = false;
    int rememberedIndex_ = -1;
    bool selectedAqua_ = false;
};
