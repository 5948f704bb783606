#pragma once
// One page of a PDF document drawn at a zoom, with a search hit painted over
// it. A view of our own over QPdfDocument: the stock view has no way to
// paint a character range.
#include <QImage>
#include <QList>
#include <QPolygonF>
#include <QWidget>

class QPdfDocument;

class TPdfPageView : public QWidget {
    Q_OBJECT
public:
    explicit TPdfPageView(QWidget *parent = nullptr);

    void SetDocument(QPdfDocument *document);
    QPdfDocument *Document() const { return document_; }
    // 1-based; emits PageChanged when the page differs.
    void SetPage(int page);
    int Page() const { return page_; }
    int PageCount() const;
    // The shown page's size in points (1/72 inch).
    QSizeF PageSize() const;
    // Resizes the view to the page at zoom.
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }
    double PixelsPerInch() const;
    // Characters first..last (inclusive) of the shown page are painted in
    // the hit colour; -1 clears.
    void SetHit(int first, int last);
    int HitStart() const { return hitStart_; }
    int HitEnd() const { return hitEnd_; }
    // Forgets the rendered page (a new document).
    void Reset();

Q_SIGNALS:
    void PageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPdfDocument *document_ = nullptr;
    int page_ = 1;
    double zoom_ = 1.0;
    int hitStart_ = -1;
    int hitEnd_ = -1;
    QList<QPolygonF> hitBounds_;  // points
    QImage cache_;
    int cachePage_ = -1;
};
