#include "tools/common/ui/toolwindow.h"

#include "core/program/ui/centring.h"

Qt::WindowFlags ToolWindowFlags()
{
    return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

void PlaceToolWindow(QWidget *window, const QWidget *main, tToolPlacement placement)
{
    window->adjustSize();
    if (placement == tToolPlacement::OnScreen || !main) {
        CentreOnScreen(window);
        return;
    }
    const QRect m = main->geometry();
    window->move(m.left() + (m.width() - window->width()) / 2, m.top() + (m.height() - window->height()) / 2);
}
