#pragma once
// Writes default-structure files (".OVCD"). The program only reads them; the
// tests build their fixtures with this writer and the sample-catalogue
// generator builds the shipped files with it.
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/files/structurefile.h"

// The whole file: the header with its size and record-count fields filled
// in from what is written, then the records.
QByteArray BuildStructureFile(const tStructureHeader &header, const std::vector<tStructureRecord> &records);
// Writes the file through a temporary file; raises std::runtime_error on failure.
void WriteStructureFile(const QString &path, const tStructureHeader &header,
                        const std::vector<tStructureRecord> &records);
