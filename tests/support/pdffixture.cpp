#include "support/pdffixture.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

qint64 WriteTestPdf(const QString &path, const QList<QStringList> &pageLines, const QString &title)
{
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A5));
        writer.setResolution(72);
        if (!title.isEmpty())
            writer.setTitle(title);
        QPainter painter(&writer);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        painter.setFont(font);
        for (qsizetype p = 0; p < pageLines.size(); ++p) {
            if (p > 0)
                writer.newPage();
            int y = 40;
            for (const QString &line : pageLines[p]) {
                painter.drawText(30, y, line);
                y += 24;
            }
        }
    }
    return QFileInfo(path).size();
}
