#pragma once
// Small PDF catalogues for the eBook tests, written with QPdfWriter: one
// page per text, each text drawn as a line that the PDF reader can find
// again.
#include <QString>
#include <QStringList>

// Writes a portrait A5 PDF with one page per entry of pageLines (each page's
// lines drawn one under another). Returns the file's size in bytes.
qint64 WriteTestPdf(const QString &path, const QList<QStringList> &pageLines, const QString &title = {});

// Writes a one-page PDF locked with a password (the standard security
// handler with a user password that is not empty), as a catalogue bought
// with a password arrives. Returns the file's size in bytes.
qint64 WriteLockedPdf(const QString &path);
