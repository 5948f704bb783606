#include "core/program/ui/pixelfont.h"

#include <QWidget>

void SetPixelFont(QWidget *w, int px, bool bold)
{
    QFont f = w->font();
    f.setPixelSize(px);
    if (bold)
        f.setBold(true);
    w->setFont(f);
}
