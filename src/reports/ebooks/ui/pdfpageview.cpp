#include "reports/ebooks/ui/pdfpageview.h"

#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>

#include "reports/ebooks/ebookviewer.h"

TPdfPageView::TPdfPageView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPdfPageView::SetDocument(QPdfDocument *document)
{
    document_ = document;
    Reset();
}

void TPdfPageView::Reset()
{
    cache_ = QImage();
    cachePage_ = -1;
    hitStart_ = hitEnd_ = -1;
    hitBounds_.clear();
    update();
}

int TPdfPageView::PageCount() const
{
    return document_ ? document_->pageCount() : 0;
}

QSizeF TPdfPageView::PageSize() const
{
    return document_ && page_ >= 1 && page_ <= PageCount() ? document_->pagePointSize(page_ - 1) : QSizeF();
}

double TPdfPageView::PixelsPerInch() const
{
    return logicalDpiX() > 0 ? logicalDpiX() : 96.0;
}

void TPdfPageView::SetPage(int page)
{
    if (page == page_)
        return;
    page_ = page;
    SetZoom(zoom_);
    update();
    Q_EMIT PageChanged(page_);
}

void TPdfPageView::SetZoom(double zoom)
{
    zoom_ = ClampEbookZoom(zoom);
    const QSizeF points = PageSize();
    if (points.isEmpty())
        return;
    const QSize size = EbookViewSize(zoom_, points, 0, PixelsPerInch());
    if (size != this->size())
        resize(size);
    update();
}

void TPdfPageView::SetHit(int first, int last)
{
    hitStart_ = first;
    hitEnd_ = last;
    hitBounds_.clear();
    if (document_ && first >= 0 && last >= first)
        hitBounds_ = document_->getSelectionAtIndex(page_ - 1, first, last - first + 1).bounds();
    update();
}

void TPdfPageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QSizeF points = PageSize();
    if (points.isEmpty())
        return;
    if (cachePage_ != page_ || cache_.size() != size()) {
        cache_ = document_->render(page_ - 1, size());
        cachePage_ = page_;
    }
    painter.drawImage(0, 0, cache_);
    if (!isEnabled() || hitBounds_.isEmpty())
        return;
    painter.scale(width() / points.width(), height() / points.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(EbookHitColor));
    for (const QPolygonF &bounds : hitBounds_)
        painter.drawPolygon(bounds);
}
