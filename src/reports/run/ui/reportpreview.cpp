#include "reports/run/ui/reportpreview.h"

#include <algorithm>
#include <cmath>

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TReportPreview::TReportPreview(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("ReportPreview"));
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, QColor(0xD8, 0xD8, 0xD8));  // light grey around the pages
    viewport()->setPalette(pal);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void TReportPreview::SetReport(std::shared_ptr<const tPreparedReport> report)
{
    report_ = std::move(report);
    current_ = 0;
    Relayout();
    if (PageCount() > 0) {
        ScrollToPage(1);
        SetCurrent(1);
    } else {
        SetCurrent(0);
    }
    viewport()->update();
}

void TReportPreview::Clear()
{
    SetReport(nullptr);
}

QSizeF TReportPreview::PagePixels(double zoom) const
{
    if (!report_)
        return {};
    const QSizeF mm = report_->PageSize();
    return QSizeF(mm.width() / 25.4 * logicalDpiX() * zoom, mm.height() / 25.4 * logicalDpiY() * zoom);
}

void TReportPreview::SetZoom(double zoom)
{
    mode_ = CustomZoom;
    zoom_ = std::clamp(zoom, 0.05, 5.0);
    const int keep = current_;
    Relayout();
    ScrollToPage(keep);
    viewport()->update();
}

void TReportPreview::SetZoomMode(tZoomMode mode)
{
    mode_ = mode;
    const int keep = current_;
    Relayout();
    ScrollToPage(keep);
    viewport()->update();
}

void TReportPreview::Relayout()
{
    if (report_ && mode_ != CustomZoom) {
        const QSizeF one = PagePixels(1.0);
        const QSize room = viewport()->size() - QSize(2 * Gap, 2 * Gap);
        if (!one.isEmpty() && room.width() > 0 && room.height() > 0) {
            const double byWidth = room.width() / one.width();
            zoom_ = mode_ == PageWidth ? byWidth : std::min(byWidth, room.height() / one.height());
            zoom_ = std::clamp(zoom_, 0.05, 5.0);
        }
    }
    const QSizeF px = PagePixels(zoom_);
    pageSize_ = QSize(std::max(1, int(std::lround(px.width()))), std::max(1, int(std::lround(px.height()))));
    const int pages = PageCount();
    const int totalW = pages ? pageSize_.width() + 2 * Gap : 0;
    const int totalH = pages ? pages * (pageSize_.height() + Gap) + Gap : 0;
    scrolling_ = true;
    horizontalScrollBar()->setRange(0, std::max(0, totalW - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, totalH - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    scrolling_ = false;
}

QRect TReportPreview::PageRect(int index) const
{
    const int totalW = pageSize_.width() + 2 * Gap;
    const int left = totalW < viewport()->width() ? (viewport()->width() - pageSize_.width()) / 2
                                                  : Gap - horizontalScrollBar()->value();
    const int top = Gap + index * (pageSize_.height() + Gap) - verticalScrollBar()->value();
    return QRect(QPoint(left, top), pageSize_);
}

void TReportPreview::SetPage(int page)
{
    if (PageCount() == 0)
        return;
    page = std::clamp(page, 1, PageCount());
    ScrollToPage(page);
    SetCurrent(page);
}

void TReportPreview::ScrollToPage(int page)
{
    if (page < 1 || PageCount() == 0)
        return;
    scrolling_ = true;
    verticalScrollBar()->setValue((page - 1) * (pageSize_.height() + Gap));
    scrolling_ = false;
    viewport()->update();
}

void TReportPreview::UpdateCurrentFromScroll()
{
    if (PageCount() == 0)
        return;
    // The page under the upper third of the view is the one being read.
    const int mark = verticalScrollBar()->value() + viewport()->height() / 3;
    const int page = mark / (pageSize_.height() + Gap) + 1;
    SetCurrent(std::clamp(page, 1, PageCount()));
}

void TReportPreview::SetCurrent(int page)
{
    if (page == current_)
        return;
    current_ = page;
    Q_EMIT PageChanged(page);
}

void TReportPreview::scrollContentsBy(int dx, int dy)
{
    QAbstractScrollArea::scrollContentsBy(dx, dy);
    viewport()->update();
    if (!scrolling_)
        UpdateCurrentFromScroll();
}

void TReportPreview::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const int keep = current_;
    Relayout();
    if (mode_ != CustomZoom)
        ScrollToPage(keep);
}

void TReportPreview::paintEvent(QPaintEvent *event)
{
    if (!report_)
        return;
    QPainter p(viewport());
    const QRect visible = event->rect();
    for (int i = 0; i < PageCount(); ++i) {
        const QRect r = PageRect(i);
        if (!r.intersects(visible))
            continue;
        p.fillRect(r.translated(2, 2), QColor(0, 0, 0, 60));  // a slight shadow
        PaintReportPage(p, *report_, i, r);
    }
}
