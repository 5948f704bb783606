#pragma once
// Zip archives written with libzip.
#include <stdexcept>

#include <QString>

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

} // namespace platform
