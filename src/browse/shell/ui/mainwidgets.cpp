#include "browse/shell/ui/mainwidgets.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

void TSizePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT Resized();
}

TRotatedLabel::TRotatedLabel(int angle, QWidget *parent) : QWidget(parent), angle_(angle)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void TRotatedLabel::setText(const QString &text)
{
    text_ = text;
    update();
}

void TRotatedLabel::setTextColor(const QColor &color)
{
    color_ = color;
    update();
}

void TRotatedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(color_);
    // Turned -90 the text runs up from the bottom edge; turned 90 it runs
    // down from the top. Either way it fills the widget's long side.
    if (angle_ < 0) {
        p.translate(0, height());
        p.rotate(-90);
    } else {
        p.translate(width(), 0);
        p.rotate(90);
    }
    p.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter | Qt::TextSingleLine, text_);
}

void TRotatedLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

namespace {
constexpr int DayCellMargin = 3;
}

TDayCell::TDayCell(int day, QWidget *parent) : QFrame(parent), day_(day)
{
    setObjectName(QStringLiteral("DayCell%1").arg(day));
    setFixedSize(24, 24);
    setAutoFillBackground(true);
    SetFill(Qt::white);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel(QString::number(day), this);
    label_->setObjectName(QStringLiteral("DayLabel%1").arg(day));
    label_->setProperty("Tag", day);
    QFont f = label_->font();
    f.setBold(true);
    // The widest two-digit day keeps a margin on either side, or the days
    // of neighbouring cells read as one number; the font shrinks to fit.
    for (int px = 18; px > 9; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(QStringLiteral("28")) <= width() - 2 * DayCellMargin)
            break;
    }
    label_->setFont(f);
    label_->setAlignment(Qt::AlignCenter);
    layout->addWidget(label_);
}

void TDayCell::SetFill(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void TDayCell::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    Q_EMIT MouseEntered(label_);
}

void TDayCell::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    Q_EMIT MouseLeft(label_);
}

void TDayCell::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT Clicked(label_);
}

TDatePopup::TDatePopup(QWidget *parent) : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::Box);
}

void TDatePopup::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    Q_EMIT Closed();
}

void TReportItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? ReportItemSelectedColor : ReportItemColor);
    QFont f = option.font;
    f.setPixelSize(18);
    painter->setFont(f);
    painter->setPen(selected ? Qt::white : Qt::black);
    const QString text = QStringLiteral("  ") + index.data(Qt::DisplayRole).toString();
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize TReportItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(s.height(), 30));
    return s;
}

void SetPixelFont(QWidget *w, int px, bool bold)
{
    QFont f = w->font();
    f.setPixelSize(px);
    f.setBold(bold);
    w->setFont(f);
}
