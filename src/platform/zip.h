#pragma once
// Zip archives written with libzip.
#include <stdexcept>

#include <QByteArray>
#include <QString>
#include <vector>

namespace platform {

class ZipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes every file below folder, with its subfolders, into a new archive at
// zipPath (deflate, entries named by their paths relative to folder with "/"
// between folder names, in name order). The archive appears whole or not at
// all; an existing file of that name is replaced. An empty folder gives an
// empty archive. Throws ZipError.
void zipFolder(const QString &folder, const QString &zipPath);

// One entry of an archive built by zipEntries: its bytes, or (when
// SourceFile is set) the bytes of that file.
struct ZipEntry {
    QString Name;        // path inside the archive, "/" between folders
    QByteArray Data;
    QString SourceFile;
};

// Writes the entries, in their order and deflated, into a new archive at
// zipPath. Every source file is opened before anything is written, and the
// archive appears whole or not at all: on any failure an existing file of
// that name stays as it was. Two entries of the same name are a failure,
// never one replacing the other. Throws ZipError.
void zipEntries(const std::vector<ZipEntry> &entries, const QString &zipPath);

} // namespace platform
