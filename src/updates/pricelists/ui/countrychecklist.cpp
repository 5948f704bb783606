#include "updates/pricelists/ui/countrychecklist.h"

#include <algorithm>
#include <climits>

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

TGroupBar::TGroupBar(QRgb color, QWidget *parent) : QWidget(parent), color_(color)
{
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(QColor(0, 0, 0, qRound(0.8 * 255)));
    shadow->setOffset(2, 2);
    shadow->setBlurRadius(4);
    setGraphicsEffect(shadow);
}

void TGroupBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0, 0, -2, -2);  // room for the shadow
    const qreal radius = std::min<qreal>(10, r.height() / 2);
    // Square on the left, rounded on the right.
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - radius, r.top());
    path.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(r.right(), r.bottom() - radius);
    path.arcTo(QRectF(r.right() - 2 * radius, r.bottom() - 2 * radius, 2 * radius, 2 * radius), 0, -90);
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.fillPath(path, QColor::fromRgba(color_));
}

TCountryChecklist::TCountryChecklist(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("ScrollBox1"));
    setWidgetResizable(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int TCountryChecklist::ClientWidth() const
{
    return width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
}

void TCountryChecklist::Build(const OwningList<tCountryInfo> &countries, const tChecklistMetrics &metrics,
                              const RowFactory &make)
{
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("ScrollBoxContent"));
    content_->setUpdatesEnabled(false);
    std::vector<const tCountryInfo *> order;
    order.reserve(countries.size());
    for (const auto &c : countries)
        order.push_back(c.get());
    const tChecklistLayout layout = LayoutCountryChecklist(order, metrics);
    const int width = ClientWidth();
    size_t nextBar = 0;
    for (const tChecklistLayout::Row &row : layout.Rows) {
        // The bars of the groups that start above this row come first, so
        // that rows are drawn over nothing and headers over their bar.
        while (nextBar < layout.Bars.size() && layout.Bars[nextBar].Y <= row.Y) {
            const tChecklistLayout::Bar &b = layout.Bars[nextBar++];
            auto *bar = new TGroupBar(GroupBarColor(b.Key), content_);
            bar->setGeometry(0, b.Y, width - 28, 28);
            bars_.push_back(bar);
            auto *header = new QLabel(GroupHeaderCaption(b.Key), content_);
            header->setObjectName(QStringLiteral("GroupHeader%1").arg(b.Key));
            QFont f = header->font();
            f.setPixelSize(16);
            f.setBold(true);
            header->setFont(f);
            header->setGeometry(8, b.Y, width - 28, 24);
            header->raise();
        }
        QWidget *w = make(*countries[static_cast<size_t>(row.Index)], content_);
        w->move(8, row.Y);
    }
    line1_ = new QFrame(content_);
    line1_->setObjectName(QStringLiteral("Line1"));
    line1_->setFrameShape(QFrame::NoFrame);
    line1_->setGeometry(0, layout.EndY, width - 28, 1);
    content_->resize(width, layout.EndY + 1);
    content_->setUpdatesEnabled(true);
    setWidget(content_);
}

QPushButton *AddColumnButton(QWidget *form, tButtonColumn column, const char *name, const QString &caption, int top)
{
    auto *b = new QPushButton(caption, form);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(column.Left, top, column.Width, 28);
    return b;
}

std::vector<QPushButton *> AddSelectionButtons(QWidget *form, tButtonColumn column,
                                               std::span<const tSelectionButton> buttons,
                                               const std::function<void(int tag)> &click)
{
    std::vector<QPushButton *> made;
    int top = 8;
    for (const tSelectionButton &sel : buttons) {
        QPushButton *b = AddColumnButton(form, column, sel.Name, QString::fromLatin1(sel.Caption), top);
        b->setProperty("Tag", sel.Tag);
        QObject::connect(b, &QPushButton::clicked, form, [click, tag = sel.Tag] { click(tag); });
        made.push_back(b);
        top += 34;
    }
    return made;
}

void ShowByteProgress(QProgressBar *bar, qint64 value, qint64 maximum)
{
    maximum = std::max<qint64>(maximum, 0);
    int shift = 0;
    while ((maximum >> shift) > INT_MAX)
        ++shift;
    bar->setRange(0, static_cast<int>(maximum >> shift));
    bar->setValue(static_cast<int>(std::clamp<qint64>(value, 0, maximum) >> shift));
}
