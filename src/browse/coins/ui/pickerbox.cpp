#include "browse/coins/ui/pickerbox.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor FocusFill(0x88, 0xFF, 0xFF);
constexpr int LargestSize = 16;
constexpr int SmallestSize = 10;
constexpr int TextInset = 4;

} // namespace

TPickerBox::TPickerBox(QWidget *parent) : QComboBox(parent)
{
    setMaxVisibleItems(10);
    QFont f = font();
    f.setPixelSize(LargestSize);
    view()->setFont(f);
}

QString TPickerBox::ClosedText() const
{
    if (currentIndex() < 0)
        return {};
    return LeadingBlank ? QLatin1Char(' ') + currentText() : currentText();
}

int TPickerBox::ClosedFontSize() const
{
    const QString text = ClosedText();
    QFont f = font();
    for (int size = LargestSize; size > SmallestSize; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance(text) < width() - 2 * TextInset)
            return size;
    }
    return SmallestSize;
}

void TPickerBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(r, hasFocus() ? FocusFill : QColor(Qt::white));
    p.setPen(Qt::black);
    p.drawRect(r);
    const QString text = ClosedText();
    if (text.isEmpty())
        return;
    QFont f = font();
    f.setPixelSize(ClosedFontSize());
    p.setFont(f);
    p.drawText(r.adjusted(TextInset, 0, -TextInset, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}
