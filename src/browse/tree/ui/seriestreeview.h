#pragma once
// The series tree of the Series page: a header with the column titles, the
// painted tree area (TreeLayout), the scroll bar with its two arrow buttons
// and the timer that scrolls while a series is dragged. The rows' content
// comes from tSeriesTree; this widget paints it and turns mouse, wheel and
// drag events into its operations. The main window embeds it and installs
// the hooks at the bottom.
#include <functional>
#include <memory>

#include <QWidget>

#include "browse/tree/treeview.h"

class QAction;
class QMenu;
class QMimeData;
class QPainter;
class QScrollBar;
class QTimer;
class QToolButton;

class TSeriesTreeView : public QWidget {
    Q_OBJECT
public:
    explicit TSeriesTreeView(tMainState &state, QWidget *parent = nullptr);
    ~TSeriesTreeView() override;

    tSeriesTree &Tree() { return tree_; }
    QWidget *TreeLayout() const { return layout_; }
    QScrollBar *TreeScrollBar() const { return scrollBar_; }
    QTimer *TreeScrollTimer() const { return scrollTimer_; }

    // Menu commands the main window places in its "Display" menu and
    // options menu.
    QAction *Expandall1 = nullptr;
    QAction *Collapseall1 = nullptr;
    QAction *StatusIcons1 = nullptr;

    // The series menu that a right press opens (not owned).
    QMenu *RightMenu = nullptr;
    // Whether the Coins page is offered, and switching to it; a double-click
    // on a series opens it.
    std::function<bool()> CoinsTabVisible;
    std::function<void()> ShowCoinsTab;

    // The payload of a drag of the selected series; drops are accepted only
    // from this tree.
    std::unique_ptr<QMimeData> NewDragData() const;
    bool IsOwnDrag(const QMimeData *data) const;
    // The picture of a node's row as a drag shows it: the row without its
    // connector columns.
    QPixmap RowPicture(const tnodeinfo *node) const;

Q_SIGNALS:
    // A status glyph's hint for the status line; empty when the pointer
    // leaves it.
    void StatusHint(const QString &text);

private:
    friend class TTreeLayout;
    void SyncControls();
    void ScrollTimerTick();
    void StartDrag();

    tSeriesTree tree_;
    QWidget *header_ = nullptr;
    QWidget *layout_ = nullptr;
    QScrollBar *scrollBar_ = nullptr;
    QToolButton *button7_ = nullptr;
    QToolButton *button8_ = nullptr;
    QTimer *scrollTimer_ = nullptr;
    bool syncing_ = false;
};

// Paints one row of the tree at its place.
void PaintNodePort(QPainter &painter, const tNodePort &port);
