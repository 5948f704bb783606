#pragma once
// orvanta-dump's reading of default-structure files (".OVCD").
#include <QString>

class QTextStream;

// True for a file name the structure dump handles.
bool IsStructureFile(const QString &path);
// Prints the file as JSON on out; on a read failure prints the reader's
// message on err and returns a non-zero exit status.
int DumpStructureFile(const QString &path, QTextStream &out, QTextStream &err);
