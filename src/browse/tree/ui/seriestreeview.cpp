#include "browse/tree/ui/seriestreeview.h"

#include <QAction>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "browse/tree/seriesmove.h"
#include "browse/tree/ui/treeimages.h"

namespace {

const QString SeriesMimeType = QStringLiteral("application/x-orvanta-series");
constexpr QRgb ColumnLineColour = 0xFFD4D4D4;
constexpr int DateFontSize = 20;
constexpr int EntryFontSize = 18;
constexpr int NamePadding = 3;

// Drag payload: it names the tree it came from, so a drop can tell its own
// rows from anything else dropped on the window.
class TSeriesDragData : public QMimeData {
public:
    const TSeriesTreeView *Source = nullptr;
};

void DrawFittedText(QPainter &painter, const QRect &box, const QString &text, Qt::Alignment align)
{
    const QFontMetrics fm(painter.font());
    painter.drawText(box, static_cast<int>(align | Qt::AlignVCenter),
                     fm.horizontalAdvance(text) > box.width() ? fm.elidedText(text, Qt::ElideRight, box.width()) : text);
}

} // namespace

void PaintNodePort(QPainter &painter, const tNodePort &port)
{
    if (!port.Visible)
        return;
    const int y = port.Y;
    painter.fillRect(QRect(port.BandX, y, port.BandWidth, TreeRowHeight), QColor::fromRgba(port.BandColor));

    for (int j = 0; j < TreeGlyphColumns; ++j) {
        const int image = port.Glyphs[static_cast<size_t>(j)];
        if (image != TreeImageBlank)
            painter.drawPixmap(TreeRowHeight * j, y, TreeImage(image));
    }
    for (int s = 0; s < TreeStatusSlots; ++s) {
        const int image = port.StatusGlyphs[static_cast<size_t>(s)];
        if (image >= 0)
            painter.drawPixmap(port.StatusX[static_cast<size_t>(s)], y, TreeButtonImage(image));
    }

    painter.setPen(QColor::fromRgba(ColumnLineColour));
    painter.drawLine(port.DateX, y, port.DateX, y + TreeRowHeight - 1);
    painter.drawLine(port.EntryX, y, port.EntryX, y + TreeRowHeight - 1);

    painter.setFont(TreeFont(port.NameSize, port.NameBold, port.NameItalic));
    painter.setPen(QColor::fromRgba(port.NameColor));
    DrawFittedText(painter, QRect(port.NameX + NamePadding, y, std::max(0, port.NameRoom - NamePadding), TreeRowHeight),
                   port.NameText, Qt::AlignLeft);

    painter.setFont(TreeFont(DateFontSize, false, port.CountsItalic));
    painter.setPen(QColor::fromRgba(port.DateColor));
    DrawFittedText(painter, QRect(port.DateX + 1, y, TreeDateWidth - 2, TreeRowHeight), port.DateText,
                   Qt::AlignHCenter);
    painter.setFont(TreeFont(EntryFontSize, false, port.CountsItalic));
    painter.setPen(QColor::fromRgba(port.EntryColor));
    DrawFittedText(painter, QRect(port.EntryX + 1, y, TreeEntryWidth - 2, TreeRowHeight), port.EntryText,
                   Qt::AlignHCenter);
}

// The column titles above the tree area.
class TTreeHeader : public QWidget {
public:
    explicit TTreeHeader(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("TreeHeader"));
        setFixedHeight(TreeHeaderHeight);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(0xFA, 0xFA, 0xFA));
        g.setColorAt(1, QColor(0xE4, 0xE6, 0xEA));
        p.fillRect(rect(), g);
        p.setPen(QColor(0xB8, 0xBC, 0xC4));
        p.drawLine(0, height() - 1, width(), height() - 1);
        const int w = width();
        const int dateX = w - TreeDateWidth - TreeEntryWidth;
        const int entryX = w - TreeEntryWidth;
        p.drawLine(dateX, 4, dateX, height() - 5);
        p.drawLine(entryX, 4, entryX, height() - 5);
        QFont f = font();
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x30, 0x34, 0x3C));
        p.drawText(QRect(10, 0, dateX - 10, height()), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Series"));
        p.drawText(QRect(dateX, 0, TreeDateWidth, height()), Qt::AlignCenter, QStringLiteral("Dates"));
        p.drawText(QRect(entryX, 0, TreeEntryWidth - 1, height()), Qt::AlignCenter, QStringLiteral("Entries"));
    }
};

// The painted tree area: the rows of the pool and their mouse, wheel and
// drop handling.
class TTreeLayout : public QWidget {
public:
    explicit TTreeLayout(TSeriesTreeView *view) : QWidget(view), view_(view)
    {
        setObjectName(QStringLiteral("TreeLayout"));
        setAcceptDrops(true);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumHeight(TreeRowHeight);
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        tSeriesTree &t = view_->tree_;
        // Rebind from the visible list first: a series freed since the last
        // render has already left that list, so no row points at it.
        t.AssignNodePorts();
        t.RenderRows();
        QPainter p(this);
        p.fillRect(e->rect(), Qt::white);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const tNodePort &port : t.NodePorts)
            if (port.Visible && e->rect().intersects(QRect(0, port.Y, width(), TreeRowHeight)))
                PaintNodePort(p, port);
    }

    void resizeEvent(QResizeEvent *) override
    {
        tSeriesTree &t = view_->tree_;
        t.SetLayoutSize(width(), height());
        t.BuildNodePorts();
        t.CalcVisibleNodes();
        t.AssignNodePorts();
        t.RenderTree();
    }

    void mousePressEvent(QMouseEvent *e) override
    {
        tSeriesTree &t = view_->tree_;
        const int row = t.RowAt(e->position().y());
        pressed_ = row >= 0 ? t.NodePorts[static_cast<size_t>(row)].NodeInfo : nullptr;
        const tPressAction action = t.NodePortMouseDown(row, e->button(), e->modifiers(), e->position().x());
        if (action == tPressAction::ContextMenu && view_->RightMenu) {
            const QPoint at(qRound(e->position().x()) + 5, TreeRowHeight * row + TreeRowHeight);
            view_->RightMenu->popup(mapToGlobal(at));
        } else if (action == tPressAction::Drag) {
            view_->StartDrag();
        }
    }

    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        // The first press may have re-centred the tree, so the series under
        // the pointer now can be another one: the double-click belongs to
        // the series that the first press selected.
        if (e->button() != Qt::LeftButton)
            return;
        tnodeinfo *node = pressed_;
        if (node && node == view_->tree_.State.SelectedTreeNode && tSeriesTree::OpensCoinsPage(node) &&
            view_->CoinsTabVisible && view_->CoinsTabVisible() && view_->ShowCoinsTab)
            view_->ShowCoinsTab();
    }

    void mouseMoveEvent(QMouseEvent *e) override
    {
        const tSeriesTree &t = view_->tree_;
        const int row = t.RowAt(e->position().y());
        const int slot = t.StatusSlotAt(row, e->position().x(), e->position().y());
        const QString hint = slot >= 0 ? t.NodePorts[static_cast<size_t>(row)].StatusHints[static_cast<size_t>(slot)]
                                       : QString();
        if (hint != hint_) {
            hint_ = hint;
            Q_EMIT view_->StatusHint(hint_);
        }
    }

    void leaveEvent(QEvent *) override
    {
        if (!hint_.isEmpty()) {
            hint_.clear();
            Q_EMIT view_->StatusHint(hint_);
        }
    }

    void wheelEvent(QWheelEvent *e) override
    {
        view_->tree_.Wheel(e->angleDelta().y());
        e->accept();
    }

    void dragEnterEvent(QDragEnterEvent *e) override
    {
        if (view_->IsOwnDrag(e->mimeData()))
            e->acceptProposedAction();
        else
            e->ignore();
    }

    void dragMoveEvent(QDragMoveEvent *e) override
    {
        CurrProcGuard guard(25200);
        const tSeriesTree &t = view_->tree_;
        const int row = t.RowAt(e->position().y());
        const tnodeinfo *target = row >= 0 ? t.NodePorts[static_cast<size_t>(row)].NodeInfo : nullptr;
        if (view_->IsOwnDrag(e->mimeData()) && target && CanDropOn(t.State.SelectedTreeNode, target)) {
            e->setDropAction(Qt::MoveAction);
            e->accept();
        } else {
            e->ignore();
        }
    }

    void dropEvent(QDropEvent *e) override
    {
        view_->scrollTimer_->stop();
        if (!view_->IsOwnDrag(e->mimeData()))
            return;
        tSeriesTree &t = view_->tree_;
        const int row = t.RowAt(e->position().y());
        tnodeinfo *target = row >= 0 ? t.NodePorts[static_cast<size_t>(row)].NodeInfo : nullptr;
        if (!target)
            return;
        e->setDropAction(Qt::MoveAction);
        e->accept();
        DropSelectedSeries(t.State, target);
    }

private:
    TSeriesTreeView *view_;
    tnodeinfo *pressed_ = nullptr;
    QString hint_;
};

TSeriesTreeView::TSeriesTreeView(tMainState &state, QWidget *parent) : QWidget(parent), tree_(state)
{
    setObjectName(QStringLiteral("TreeBaseLayout"));

    header_ = new TTreeHeader(this);
    layout_ = new TTreeLayout(this);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("TreeScrollBar"));
    button7_ = new QToolButton(this);
    button7_->setObjectName(QStringLiteral("Button7"));
    button7_->setProperty("Tag", -1);
    button8_ = new QToolButton(this);
    button8_->setObjectName(QStringLiteral("Button8"));
    button8_->setProperty("Tag", 1);
    for (QToolButton *b : {button7_, button8_}) {
        b->setAutoRaise(true);
        b->setIconSize(QSize(22, 22));
        b->setFixedSize(26, TreeHeaderHeight);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, b] { tree_.ScrollBy(b->property("Tag").toInt()); });
    }
    scrollBar_->setFixedWidth(26);

    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(header_);
    left->addWidget(layout_, 1);
    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(button7_);
    right->addWidget(scrollBar_, 1);
    right->addWidget(button8_);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addLayout(left, 1);
    row->addLayout(right);

    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncing_)
            tree_.SetScrollValue(v);
    });

    scrollTimer_ = new QTimer(this);
    scrollTimer_->setObjectName(QStringLiteral("TreeScrollTimer"));
    scrollTimer_->setInterval(100);
    connect(scrollTimer_, &QTimer::timeout, this, &TSeriesTreeView::ScrollTimerTick);

    Expandall1 = new QAction(QStringLiteral("Expand all"), this);
    Expandall1->setObjectName(QStringLiteral("Expandall1"));
    connect(Expandall1, &QAction::triggered, this, [this] { tree_.ExpandAll(true); });
    Collapseall1 = new QAction(QStringLiteral("Collapse all"), this);
    Collapseall1->setObjectName(QStringLiteral("Collapseall1"));
    connect(Collapseall1, &QAction::triggered, this, [this] { tree_.ExpandAll(false); });
    StatusIcons1 = new QAction(QStringLiteral("Show advanced status icons on the series page"), this);
    StatusIcons1->setObjectName(QStringLiteral("StatusIcons1"));
    StatusIcons1->setCheckable(true);
    StatusIcons1->setChecked(state.StatusIcons);
    connect(StatusIcons1, &QAction::triggered, this, [this] {
        tree_.StatusIcons1Click();
        StatusIcons1->setChecked(tree_.State.StatusIcons);
    });

    tree_.Rendered = [this] { SyncControls(); };
}

TSeriesTreeView::~TSeriesTreeView()
{
    tree_.Rendered = nullptr;
}

void TSeriesTreeView::SyncControls()
{
    syncing_ = true;
    scrollBar_->setRange(0, tree_.ScrollMax());
    scrollBar_->setPageStep(std::max(1, tree_.ScrollPage()));
    scrollBar_->setValue(tree_.FirstRowIndex());
    syncing_ = false;
    button7_->setIcon(QIcon(TreeButtonImage(tree_.Button7Image())));
    button8_->setIcon(QIcon(TreeButtonImage(tree_.Button8Image())));
    if (StatusIcons1)
        StatusIcons1->setChecked(tree_.State.StatusIcons);
    layout_->update();
}

void TSeriesTreeView::ScrollTimerTick()
{
    const QPoint pointer = QCursor::pos();
    const int top = layout_->mapToGlobal(QPoint(0, 0)).y();
    const tAutoScroll step = AutoScrollStep(pointer.y(), top, layout_->height());
    if (step.Direction != 0) {
        tree_.ScrollBy(step.Direction);
        scrollTimer_->setInterval(step.Interval);
    }
    if (!MouseButtonDown(QLatin1Char('L')))
        scrollTimer_->stop();
}

std::unique_ptr<QMimeData> TSeriesTreeView::NewDragData() const
{
    auto data = std::make_unique<TSeriesDragData>();
    data->Source = this;
    const tnodeinfo *n = tree_.State.SelectedTreeNode;
    data->setData(SeriesMimeType, QByteArray::number(n ? n->CoinType : 0));
    return data;
}

bool TSeriesTreeView::IsOwnDrag(const QMimeData *data) const
{
    const auto *own = dynamic_cast<const TSeriesDragData *>(data);
    return own && own->Source == this;
}

QPixmap TSeriesTreeView::RowPicture(const tnodeinfo *node) const
{
    const int row = tree_.RowOf(node);
    if (row < 0)
        return {};
    tNodePort port = tree_.NodePorts[static_cast<size_t>(row)];
    const int cut = port.BandX;
    const qreal ratio = devicePixelRatioF();
    QPixmap pm(QSize(std::max(1, port.Width - cut), TreeRowHeight) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.translate(-cut, -port.Y);
    PaintNodePort(p, port);
    return pm;
}

void TSeriesTreeView::StartDrag()
{
    // The press selected the series, which re-centred the tree on it.
    auto *drag = new QDrag(this);
    drag->setMimeData(NewDragData().release());
    const QPixmap picture = RowPicture(tree_.State.SelectedTreeNode);
    if (!picture.isNull()) {
        drag->setPixmap(picture);
        drag->setHotSpot(QPoint(16, TreeRowHeight / 2));
    }
    scrollTimer_->setInterval(100);
    scrollTimer_->start();
    drag->exec(Qt::MoveAction);
    // The drag is over, dropped or abandoned: the button is up by now.
    scrollTimer_->stop();
}
