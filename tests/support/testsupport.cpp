#include "support/testsupport.h"

double FixedWidth(const QString &text)
{
    return 7.0 * static_cast<double>(text.size());
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

#include "core/program/log.h"

QStringList LogLinesWithoutTime()
{
    static const int stamp = static_cast<int>(QStringLiteral("MM/dd/yyyy hh:mm:ss.zzz: ").size());
    QStringList out;
    for (const QString &l : LogList)
        out << l.mid(stamp);
    return out;
}

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>

void WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray PngBytes(QColor colour, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}
