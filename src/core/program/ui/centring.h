#pragma once
// Places a window in the middle of its screen (the primary one before it
// has a screen of its own).
class QWidget;

void CentreOnScreen(QWidget *window);
