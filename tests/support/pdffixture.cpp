#include "support/pdffixture.h"

#include <QFile>
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

qint64 WriteLockedPdf(const QString &path)
{
    // No writer at hand encrypts, so the file is put together here. The
    // /U and /O values match no password a reader tries on its own (the
    // empty one included), so the reader must ask for the password.
    const QByteArray key32(32, '\x5a');
    const QByteArray hex = key32.toHex().toUpper();
    const QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>",
        "<< /Filter /Standard /V 1 /R 2 /O <" + hex + "> /U <" + hex + "> /P -4 >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    const QByteArray id = QByteArray(16, '\x11').toHex().toUpper();
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R /Encrypt 4 0 R /ID [<" + id +
           "> <" + id + ">] >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return -1;
    return pdf.size();
}
