#include "reports/run/ui/reportprint.h"

#include <stdexcept>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

void PrintPreparedReport(const tPreparedReport &report, QPrinter &printer)
{
    if (report.PageCount() == 0)
        return;
    const QSizeF mm = report.PageSize();
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(mm, QPageSize::Millimeter));
    printer.setPageOrientation(mm.width() > mm.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(report.Template->Title);
    int first = 1;
    int last = report.PageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer could not be started.");
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        QSizeF size = mm;
        size.scale(paper.size(), Qt::KeepAspectRatio);
        const QRectF target(paper.topLeft() + QPointF((paper.width() - size.width()) / 2, 0), size);
        PaintReportPage(painter, report, page - 1, target);
    }
    painter.end();
}

bool PrintPreparedReportWithDialog(const tPreparedReport &report, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, report.PageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrintPreparedReport(report, printer);
    return true;
}
