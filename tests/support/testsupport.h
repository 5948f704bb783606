#pragma once
// Helpers shared by the tests.
#include <initializer_list>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fixed-width font stand-in: every character is 7 units wide, so width
// rules can be tested without a window system.
double FixedWidth(const QString &text);
// Bytes written out as numbers, for expected file and stream contents.
QByteArray Bytes(std::initializer_list<int> values);

#include <QStringList>
// The log's lines without their time stamps ("MM/dd/yyyy hh:mm:ss.zzz: ").
QStringList LogLinesWithoutTime();

#include <QColor>
#include <QSize>
// Writes bytes to a file, making its folders; fails the test when it cannot.
void WriteTestFile(const QString &path, const QByteArray &bytes);
// A small picture of one colour, as PNG file contents.
QByteArray PngBytes(QColor colour, QSize size = QSize(4, 3));
