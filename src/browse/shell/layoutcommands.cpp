#include "browse/shell/layoutcommands.h"

namespace {

constexpr int SmallScreenWidth = 800;
constexpr int SmallScreenStart = 12;
constexpr int LargeScreenStart = 28;
constexpr int SmallestCaption = 8;

} // namespace

int FitCaptionSize(int screenWidth, QSize label, const std::function<QSize(int size)> &measure)
{
    int s = screenWidth <= SmallScreenWidth ? SmallScreenStart : LargeScreenStart;
    while (s > SmallestCaption) {
        const QSize text = measure(s);
        if (text.width() <= label.width() && text.height() <= label.height())
            break;
        --s;
    }
    return s;
}

QRect ResizedMainWindowBounds(const QRect &screen)
{
    // Integer arithmetic: a tenth of 1920 is exactly 192, with no
    // floating-point remainder to round the wrong way.
    const qint64 w = screen.width();
    const qint64 h = screen.height();
    return QRect(screen.x() + static_cast<int>(w / 10), screen.y() + static_cast<int>(h / 10),
                 static_cast<int>(w * 8 / 10), static_cast<int>(h * 8 / 10));
}
