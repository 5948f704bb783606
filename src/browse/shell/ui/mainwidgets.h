#pragma once
// Small widgets of the main window: a panel that reports its resizes, a label
// turned by 90 degrees, the day cells and frame of the date pop-up, and the
// painter of the report list's items.
#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QWidget>

#include "core/program/ui/widgetkit.h"

// Sets a control's font to a pixel size, bold or regular.
void SetPixelFont(QWidget *w, int px, bool bold = false);

// A plain container whose children are placed by the window's layout rules;
// it tells the window when its size changed so the rules run again.
class TSizePanel : public QWidget {
    Q_OBJECT
public:
    explicit TSizePanel(QWidget *parent = nullptr) : QWidget(parent) {}
Q_SIGNALS:
    void Resized();

protected:
    void resizeEvent(QResizeEvent *event) override;
};

// A caption turned by -90 degrees (text runs up) or 90 degrees (text runs
// down), filling its bounds. Used for the slide strips and the caption of
// the enlarged-picture view.
class TRotatedLabel : public QWidget {
    Q_OBJECT
public:
    TRotatedLabel(int angle, QWidget *parent = nullptr);
    void setText(const QString &text);
    QString text() const { return text_; }
    int angle() const { return angle_; }
    void setTextColor(const QColor &color);
Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int angle_;
    QString text_;
    QColor color_ = Qt::black;
};

// One day of the date pop-up: a 24 x 24 white cell with the day number.
class TDayCell : public QFrame {
    Q_OBJECT
public:
    TDayCell(int day, QWidget *parent = nullptr);
    QLabel *Label() const { return label_; }
    int Day() const { return day_; }
    void SetFill(const QColor &color);
Q_SIGNALS:
    void MouseEntered(QObject *label);
    void MouseLeft(QObject *label);
    void Clicked(QObject *label);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int day_;
    QLabel *label_;
};

// The date pop-up's frame; Closed fires whenever it goes away, by a pick or
// by a click outside it.
class TDatePopup : public QFrame {
    Q_OBJECT
public:
    explicit TDatePopup(QWidget *parent = nullptr);
    // The date box the pop-up serves; cleared when the box goes away.
    QPointer<QWidget> PlacementTarget;
Q_SIGNALS:
    void Closed();

protected:
    void hideEvent(QHideEvent *event) override;
};

// Items of the report list: blue with white text when selected, else white
// with black text; the text in size 18 after two blanks, left-aligned,
// vertically centred, on one line.
class TReportItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// Colours the report list paints with.
inline const QColor ReportItemSelectedColor = QColor(0, 0, 255);
inline const QColor ReportItemColor = QColor(255, 255, 255);
