#include "core/program/ui/centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget *window)
{
    const QScreen *s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect g = s->geometry();
    window->move(g.x() + (g.width() - window->width()) / 2, g.y() + (g.height() - window->height()) / 2);
}
