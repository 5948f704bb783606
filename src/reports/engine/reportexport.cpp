#include "reports/engine/reportexport.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "platform/gif.h"

namespace {

[[noreturn]] void Fail(const QString &path, const QString &why)
{
    throw std::runtime_error(QStringLiteral("The file \"%1\" could not be written: %2").arg(path, why).toStdString());
}

QString CsvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString q = text;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace

void WriteFileWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        Fail(path, f.errorString());
}

void ExportReportPdf(const tPreparedReport &report, const QString &path)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        Fail(path, f.errorString());
    {
        QPdfWriter writer(&f);
        writer.setCreator(QStringLiteral("Orvanta"));
        writer.setTitle(report.Template->Title);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(report.PageSize(), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            Fail(path, QStringLiteral("the PDF could not be started"));
        for (int i = 0; i < report.PageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            PaintReportPage(painter, report, i, QRectF(0, 0, writer.width(), writer.height()));
        }
        painter.end();
    }
    if (!f.commit())
        Fail(path, f.errorString());
}

QString ReportCsvText(const tPreparedReport &report)
{
    QString out;
    for (const tPreparedPage &page : report.Pages) {
        // Items of one printed band are contiguous; gather them by line.
        std::map<int, std::vector<const tPreparedItem *>> lines;
        for (const tPreparedItem &item : page.Items) {
            if (item.Object->Kind != tReportObject::TextObject || item.Band == tBandKind::PageHeader ||
                item.Band == tBandKind::PageFooter)
                continue;
            lines[item.Line].push_back(&item);
        }
        for (auto &[line, items] : lines) {
            std::stable_sort(items.begin(), items.end(), [](const tPreparedItem *a, const tPreparedItem *b) {
                return a->Rect.left() < b->Rect.left();
            });
            QStringList cells;
            for (const tPreparedItem *i : items)
                cells.append(CsvField(i->Text));
            out += cells.join(QLatin1Char(',')) + QLatin1String("\r\n");
        }
    }
    return out;
}

void ExportReportCsv(const tPreparedReport &report, const QString &path)
{
    WriteFileWhole(path, ReportCsvText(report).toUtf8());
}

QStringList ExportReportGif(const tPreparedReport &report, const QString &path, double dpi)
{
    QStringList written;
    const QFileInfo info(path);
    for (int i = 0; i < report.PageCount(); ++i) {
        QString target = path;
        if (report.PageCount() > 1) {
            const QString suffix = info.suffix().isEmpty() ? QStringLiteral("gif") : info.suffix();
            target = info.dir().filePath(QStringLiteral("%1_%2.%3").arg(info.completeBaseName()).arg(i + 1).arg(suffix));
        }
        QByteArray bytes;
        try {
            bytes = platform::encodeGif(RenderReportPage(report, i, dpi));
        } catch (const std::runtime_error &e) {
            Fail(target, QString::fromStdString(e.what()));
        }
        WriteFileWhole(target, bytes);
        written.append(target);
    }
    return written;
}
