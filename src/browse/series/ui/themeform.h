#pragma once
// "Theme Setup": renames the 30 collecting themes and shows how many series
// carry each. Modeless, one at a time; "Done" stores the names (marking the
// collection modified when one changed) and has the main window rebuild its
// Themes page.
#include <array>
#include <functional>
#include <vector>

#include <QDialog>

#include "core/model/mainstate.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QGraphicsDropShadowEffect;

struct tThemeItem {
    QWidget *Layout = nullptr;
    QFrame *Rectangle = nullptr;
    QLabel *TextLabel = nullptr;
    QLabel *QtyLabel = nullptr;
    QLineEdit *Edit = nullptr;
    int Index = 0;
};

class TThemeForm : public QDialog {
    Q_OBJECT
public:
    // namesChanged runs after "Done" (the Themes page is rebuilt).
    TThemeForm(tMainState &state, std::function<void()> done, QWidget *parent = nullptr);

    std::vector<tThemeItem> ItemList;
    int ThemeIndex = 0;
    QScrollArea *ScrollBox1 = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *OKbutton = nullptr;
    QLabel *Label1 = nullptr;

    void HighlightTheme();
    void OKbuttonClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void ShowHighlightedRow();
    tMainState &s_;
    std::function<void()> done_;
    QGraphicsDropShadowEffect *ShadowEffect1 = nullptr;
};
