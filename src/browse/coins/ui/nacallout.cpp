#include "browse/coins/ui/nacallout.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace {

const QColor Crimson(0xDC, 0x14, 0x3C);
constexpr int CalloutInset = 16;
constexpr int LabelInset = 8;

} // namespace

TNACallout::TNACallout(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NA_Popup"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    NA_Label = new QLabel(this);
    NA_Label->setObjectName(QStringLiteral("NA_Label"));
    NA_Label->setWordWrap(true);
    QFont f = NA_Label->font();
    f.setPixelSize(15);
    NA_Label->setFont(f);
    NA_Label->setStyleSheet(QStringLiteral("color: red; background: transparent;"));
    hide();
}

void TNACallout::ShowAt(const QString &text, const QRect &rect)
{
    NA_Label->setText(text);
    const int calloutWidth = std::max(rect.width() - 2 * CalloutInset, 120);
    const int labelWidth = calloutWidth - 2 * LabelInset;
    const int labelHeight = NA_Label->heightForWidth(labelWidth);
    const int calloutHeight = labelHeight + 2 * LabelInset;
    // The callout's foot is 16 units above the rectangle's top.
    const int top = calloutHeight + CalloutInset;
    NA_Callout = QRect(CalloutInset, 0, calloutWidth, calloutHeight);
    NA_RoundRect = QRect(0, top, rect.width(), rect.height());
    NA_Label->setGeometry(NA_Callout.x() + LabelInset, LabelInset, labelWidth, labelHeight);
    setGeometry(rect.x(), rect.y() - top, std::max(rect.width(), calloutWidth + CalloutInset) + 2,
                top + rect.height() + 2);
    show();
    raise();
    update();
}

void TNACallout::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen dashed(Crimson, 2, Qt::DashLine);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(NA_RoundRect.adjusted(1, 1, -1, -1), 8, 8);
    QLinearGradient fill(NA_Callout.topLeft(), NA_Callout.bottomLeft());
    fill.setColorAt(0, QColor(0xFF, 0xC8, 0xC8));
    fill.setColorAt(1, QColor(0xF0, 0xF0, 0xF0));
    p.setPen(QPen(Crimson, 1));
    p.setBrush(fill);
    p.drawRoundedRect(NA_Callout.adjusted(0, 0, -1, -1), 6, 6);
}
