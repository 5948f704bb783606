#pragma once
// The chart view of the Graphs page: the chart over a two-colour gradient or
// a centred series picture, with a legend that floats at a place given in
// percent of the chart's size under its own title. The mouse wheel asks
// for a larger or smaller chart.
#include <QChartView>
#include <QColor>
#include <QImage>

class QGraphicsSimpleTextItem;

class TChartCanvas : public QChartView {
    Q_OBJECT
public:
    explicit TChartCanvas(QWidget *parent = nullptr);

    // Replaces the chart with an empty one (same legend title and place).
    QChart *ResetChart();

    // The gradient runs from start at the top to end at the bottom.
    void SetGradient(const QColor &start, const QColor &end);
    // A picture behind the chart in place of the gradient; a null picture
    // brings the gradient back.
    void SetPicture(const QImage &picture);
    bool HasPicture() const { return !picture_.isNull(); }
    QColor GradientStart() const { return start_; }
    QColor GradientEnd() const { return end_; }

    void SetLegendTitle(const QString &title);
    QString LegendTitle() const;
    void ShowLegend(bool show);
    void SetLegendPosition(int leftPercent, int topPercent);
    // Draws the chart at that percentage of its size.
    void SetZoom(int percent);
    int Zoom() const { return zoom_; }
    // Places the legend again after its entries changed.
    void LayoutLegend();

    // The view as drawn, at its size on the page.
    QImage Render();

Q_SIGNALS:
    // The mouse wheel turned up (+1) or down (-1) over the chart.
    void ZoomStep(int direction);

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QColor start_ = QColor::fromRgba(0xFFFFFFFF);
    QColor end_ = QColor::fromRgba(0xFFC0C0C0);
    QImage picture_;
    QGraphicsSimpleTextItem *legendTitle_ = nullptr;
    int legendLeft_ = 0;
    int legendTop_ = 0;
    int zoom_ = 100;
};
