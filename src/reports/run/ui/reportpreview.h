#pragma once
// The preview of a prepared report: its pages one below the other, painted
// with the same page painter as the printer and the exports. The current
// page is the one the user looks at; it changes when the view scrolls and
// is reported by PageChanged.
#include <memory>
#include <vector>

#include <QAbstractScrollArea>

#include "reports/engine/preparedreport.h"

class TReportPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum tZoomMode { CustomZoom, PageWidth, WholePage };

    explicit TReportPreview(QWidget *parent = nullptr);

    void SetReport(std::shared_ptr<const tPreparedReport> report);
    void Clear();
    std::shared_ptr<const tPreparedReport> Report() const { return report_; }

    int PageCount() const { return report_ ? report_->PageCount() : 0; }
    // 1-based; 0 without pages.
    int CurrentPage() const { return current_; }
    // Scrolls to a page (clamped to the pages there are).
    void SetPage(int page);

    // 1.0 shows the page at its real size on the screen.
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    tZoomMode ZoomMode() const { return mode_; }
    // The fit modes follow the window's size until a zoom is set.
    void SetZoomMode(tZoomMode mode);

Q_SIGNALS:
    void PageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF PagePixels(double zoom) const;  // one page at a zoom
    void Relayout();
    void ScrollToPage(int page);
    void UpdateCurrentFromScroll();
    void SetCurrent(int page);
    QRect PageRect(int index) const;  // in viewport coordinates

    std::shared_ptr<const tPreparedReport> report_;
    double zoom_ = 1.0;
    tZoomMode mode_ = CustomZoom;
    int current_ = 0;
    bool scrolling_ = false;  // a scroll of our own, not the user's
    QSize pageSize_;          // pixels at the current zoom
    static constexpr int Gap = 12;
};
