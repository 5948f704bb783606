#include "reports/charts/ui/chartcanvas.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

TChartCanvas::TChartCanvas(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    ResetChart();
}

QChart *TChartCanvas::ResetChart()
{
    // A chart is built afresh each time: axes taken out of a chart leave
    // their drawings behind until the event loop runs, which would show
    // through the next chart and in a picture taken at once.
    const QString title = legendTitle_ ? legendTitle_->text() : QString();
    auto *chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(false);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(24.9);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(QColor::fromRgba(0xFF004EFF));
    QLegend *legend = chart->legend();
    legend->setAlignment(Qt::AlignLeft);
    // The legend floats over the chart and does not take room from it.
    legend->detachFromChart();
    legend->setBackgroundVisible(true);
    legend->setBrush(QColor(255, 255, 255, 170));
    legend->setPen(QColor(128, 128, 128));
    legendTitle_ = new QGraphicsSimpleTextItem(title, chart);
    QFont bold = legendTitle_->font();
    bold.setBold(true);
    legendTitle_->setFont(bold);
    legendTitle_->setZValue(legend->zValue() + 1);
    QChart *old = this->chart();
    setChart(chart);
    delete old;
    LayoutLegend();
    return chart;
}

void TChartCanvas::SetGradient(const QColor &start, const QColor &end)
{
    start_ = start;
    end_ = end;
    viewport()->update();
}

void TChartCanvas::SetPicture(const QImage &picture)
{
    picture_ = picture;
    resetCachedContent();
    viewport()->update();
}

void TChartCanvas::SetLegendTitle(const QString &title)
{
    legendTitle_->setText(title);
    LayoutLegend();
}

QString TChartCanvas::LegendTitle() const
{
    return legendTitle_->text();
}

void TChartCanvas::ShowLegend(bool show)
{
    chart()->legend()->setVisible(show);
    legendTitle_->setVisible(show);
    LayoutLegend();
}

void TChartCanvas::SetZoom(int percent)
{
    // The whole chart is drawn larger or smaller about the middle of the
    // view; its axes keep their ranges and labels.
    zoom_ = std::max(percent, 1);
    resetTransform();
    scale(zoom_ / 100.0, zoom_ / 100.0);
}

void TChartCanvas::SetLegendPosition(int leftPercent, int topPercent)
{
    legendLeft_ = leftPercent;
    legendTop_ = topPercent;
    LayoutLegend();
}

void TChartCanvas::LayoutLegend()
{
    QLegend *legend = chart()->legend();
    const QSizeF area = chart()->size();
    if (area.isEmpty())
        return;
    // One entry a line: as high as the entries and as wide as the longest.
    const QFontMetricsF metrics(legend->font());
    qreal longest = 0;
    int entries = 0;
    for (const QLegendMarker *marker : legend->markers())
        if (marker->isVisible()) {
            longest = std::max(longest, metrics.horizontalAdvance(marker->label()));
            ++entries;
        }
    const QSizeF hint(longest + 48, entries * (metrics.height() + 9) + 28);
    const QRectF title = legendTitle_->boundingRect();
    const qreal width = std::min(std::max(hint.width(), title.width() + 8), area.width());
    const qreal height = std::min(hint.height(), std::max<qreal>(area.height() - title.height(), 0));
    // Placed by percent of the chart, but never pushed out of it.
    const qreal x = std::clamp(area.width() * legendLeft_ / 100.0, 0.0, std::max<qreal>(area.width() - width, 0));
    const qreal y = std::clamp(area.height() * legendTop_ / 100.0, 0.0,
                               std::max<qreal>(area.height() - height - title.height(), 0));
    legendTitle_->setPos(x + 4, y);
    legend->setAlignment(Qt::AlignLeft);
    legend->setGeometry(QRectF(x, y + title.height(), width, height));
    legend->update();
}

QImage TChartCanvas::Render()
{
    return grab().toImage();
}

void TChartCanvas::drawBackground(QPainter *painter, const QRectF &rect)
{
    const QRectF all = mapToScene(viewport()->rect()).boundingRect();
    painter->save();
    painter->setClipRect(rect);
    QLinearGradient gradient(all.topLeft(), all.bottomLeft());
    gradient.setColorAt(0, start_);
    gradient.setColorAt(1, end_);
    painter->fillRect(all, picture_.isNull() ? QBrush(gradient) : QBrush(Qt::white));
    if (!picture_.isNull()) {
        // Centred at its own size; a picture larger than the chart is
        // shrunk to fit, so a large scan shows whole.
        QSizeF size = picture_.size();
        if (size.width() > all.width() || size.height() > all.height())
            size.scale(all.size(), Qt::KeepAspectRatio);
        const QRectF target(all.center() - QPointF(size.width() / 2, size.height() / 2), size);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, picture_);
    }
    painter->restore();
}

void TChartCanvas::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    LayoutLegend();
}

void TChartCanvas::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        QChartView::wheelEvent(event);
        return;
    }
    Q_EMIT ZoomStep(steps > 0 ? 1 : -1);
    event->accept();
}
