#pragma once
// The grouped country checklist of the download windows: the countries of
// the country list in its order, under a coloured bar with a header for each
// continent's coins and paper money. The rows themselves belong to the
// window that asks for them.
#include <functional>
#include <span>
#include <vector>

#include <QScrollArea>

#include "core/model/mainstate.h"
#include "updates/server/updateserver.h"

class QFrame;
class QProgressBar;
class QPushButton;

// The rounded bar behind a group's header: right-hand corners rounded,
// filled with the group's colour, with a drop shadow.
class TGroupBar : public QWidget {
    Q_OBJECT
public:
    TGroupBar(QRgb color, QWidget *parent);
    QRgb Color() const { return color_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRgb color_;
};

class TCountryChecklist : public QScrollArea {
    Q_OBJECT
public:
    // Makes the row of a country inside content; the checklist places it.
    using RowFactory = std::function<QWidget *(tCountryInfo &country, QWidget *content)>;

    explicit TCountryChecklist(QWidget *parent = nullptr);

    // Builds the bars, headers and rows once, when the window is made. Call
    // after the checklist has its size: bars are as wide as its client area.
    void Build(const OwningList<tCountryInfo> &countries, const tChecklistMetrics &metrics, const RowFactory &make);

    // The width rows and bars are measured against: the client area, with
    // room kept for the vertical scroll bar, which is always shown.
    int ClientWidth() const;
    QWidget *Content() const { return content_; }
    // The marker below the last row, where the content ends.
    QFrame *Line1() const { return line1_; }
    const std::vector<TGroupBar *> &Bars() const { return bars_; }

private:
    QWidget *content_ = nullptr;
    QFrame *line1_ = nullptr;
    std::vector<TGroupBar *> bars_;
};

// The download windows' buttons beside the checklist share one column.
struct tButtonColumn {
    int Left = 0;
    int Width = 0;
};
QPushButton *AddColumnButton(QWidget *form, tButtonColumn column, const char *name, const QString &caption, int top);

// One of the selection buttons at the top of that column: Tag tells the
// window's handler which selection it makes.
struct tSelectionButton {
    const char *Name;
    const char *Caption;
    int Tag;
};
// Adds the buttons one under another from the column's top, each calling
// click with its Tag (also kept as the button's "Tag" property).
std::vector<QPushButton *> AddSelectionButtons(QWidget *form, tButtonColumn column,
                                               std::span<const tSelectionButton> buttons,
                                               const std::function<void(int tag)> &click);

// Shows a byte count on a progress bar. A bar holds an int, so counts past
// 2 GB are scaled down; a value outside 0..maximum is held at the ends.
void ShowByteProgress(QProgressBar *bar, qint64 value, qint64 maximum);
