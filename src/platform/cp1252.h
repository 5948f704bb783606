#pragma once
// Windows-1252, the 8-bit text encoding of the program's binary files.
#include <QByteArray>
#include <QString>

namespace platform {

QString fromCp1252(const QByteArray &bytes);
QString fromCp1252(const char *data, qsizetype size);
// Decodes size bytes into out, which has room for size units.
void widenCp1252(const char *data, qsizetype size, char16_t *out);
// Characters outside the code page become "?", as the original encoder did.
QByteArray toCp1252(const QString &text);
// True when every character of text has a Windows-1252 byte.
bool fitsCp1252(const QString &text);

} // namespace platform
