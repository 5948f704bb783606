#pragma once
// A prepared report: pages of placed texts, pictures and lines. The preview,
// the printer, the PDF and GIF exports all paint a page with the one
// PaintReportPage, so each shows the same thing.
#include <memory>
#include <vector>

#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>

#include "reports/engine/reporttemplate.h"

class QPainter;

struct tPreparedItem {
    const tReportObject *Object = nullptr;  // kind and style; lives in the report's template
    QRectF Rect;        // mm from the page's top-left corner
    QLineF LinePos;     // lines: mm from the page's top-left corner
    QString Text;       // text objects: the text as printed
    QImage Picture;     // picture objects: the picture as printed (may be null)
    tBandKind Band = tBandKind::MasterData;
    int Line = 0;       // which printed band the item belongs to, counted over the report
};

struct tPreparedPage {
    std::vector<tPreparedItem> Items;
};

class tPreparedReport {
public:
    explicit tPreparedReport(std::shared_ptr<const tReportTemplate> tmpl) : Template(std::move(tmpl)) {}

    std::shared_ptr<const tReportTemplate> Template;
    std::vector<tPreparedPage> Pages;

    int PageCount() const { return static_cast<int>(Pages.size()); }
    QSizeF PageSize() const { return Template->PageSize; }  // mm
    // Every text of a page in print order (tests and quick checks).
    QStringList PageTexts(int page) const;
};

// Paints page index (0-based) of the report into target, in the painter's
// coordinates; the page is scaled to fill target. The background is white.
void PaintReportPage(QPainter &painter, const tPreparedReport &report, int page, const QRectF &target);

// The height in mm a text object needs to show text whole at its width,
// wrapped at word boundaries as it is painted.
double MeasureTextHeight(const tReportObject &object, const QString &text);

// The page as an image at the given resolution (dots per inch).
QImage RenderReportPage(const tPreparedReport &report, int page, double dpi);
