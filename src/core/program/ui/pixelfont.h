#pragma once
// Sets a widget's font size in pixels, as the window designs give them, so
// that sizes do not change with the screen's resolution setting.
class QWidget;

void SetPixelFont(QWidget *w, int px, bool bold = false);
