#pragma once
// The rows of the Themes side page, one per theme, made once at start-up:
// a check box that tags the selected series, the number of series carrying
// the theme and a button that steps to the next of them. Rows of unnamed
// themes are hidden; the main window places the shown ones.
#include <array>
#include <functional>
#include <vector>

#include <QObject>

#include "core/model/mainstate.h"

class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;

struct tThemeControls {
    QWidget *Layout = nullptr;
    QCheckBox *CheckBox = nullptr;
    QFrame *Rectangle = nullptr;
    QToolButton *Button = nullptr;
    QLabel *TextLabel = nullptr;
    int Quantity = 0;
    int Index = 0;
};

class TThemePanel : public QObject {
    Q_OBJECT
public:
    // BuildThemePanel: the 30 rows inside content (the Themes page's scroll area).
    TThemePanel(tMainState &state, QWidget *content);

    std::array<tThemeControls, ThemeCount> ThemeObjectsList;

    // Shows the rows of named themes with their captions, hides the others.
    void SetupThemesBox();
    // The shown rows in theme order, for the window to place.
    std::vector<QWidget *> NamedThemeRows() const;
    // The check boxes follow the selected series' bits; no handler runs.
    void SetThemeBoxes(int32_t themes);
    // Counts, count labels and button pictures from ThemeQuantity.
    void RefreshThemeButtons();

    // Makes node the selected series (the step buttons).
    std::function<void(tnodeinfo *node)> SelectSeries;

private:
    void ThemeCheckBoxClick(int theme, bool checked);
    void ThemeButton0Click(int theme);
    tMainState &s_;
};
