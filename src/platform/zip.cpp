#include "platform/zip.h"

#include <zip.h>

#include <algorithm>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace platform {
namespace {

QString ZipMessage(zip_t *archive)
{
    return QString::fromUtf8(zip_strerror(archive));
}

[[noreturn]] void Fail(const QString &zipPath, const QString &why)
{
    throw ZipError(("Could not write " + zipPath + ": " + why).toStdString());
}

// libzip writes no file for an archive without entries; the end record alone
// is a valid empty archive.
void WriteEmptyArchive(const QString &zipPath)
{
    QByteArray end(22, '\0');
    end[0] = 'P';
    end[1] = 'K';
    end[2] = 5;
    end[3] = 6;
    QSaveFile f(zipPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(end) != end.size() || !f.commit())
        Fail(zipPath, f.errorString());
}

} // namespace

void zipFolder(const QString &folder, const QString &zipPath)
{
    const QDir base(folder);
    const QString target = QFileInfo(zipPath).absoluteFilePath();
    QStringList files;
    QDirIterator it(base.absolutePath(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // An archive written into the folder it packs must not pack itself.
        if (QFileInfo(path).absoluteFilePath() != target)
            files << path;
    }
    std::sort(files.begin(), files.end());
    if (files.isEmpty()) {
        WriteEmptyArchive(zipPath);
        return;
    }

    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString why = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        Fail(zipPath, why);
    }
    for (const QString &path : files) {
        const QByteArray name = base.relativeFilePath(path).toUtf8();
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, 0);
        if (!source) {
            const QString why = ZipMessage(archive);
            zip_discard(archive);
            Fail(zipPath, why);
        }
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            const QString why = ZipMessage(archive);
            zip_discard(archive);
            Fail(zipPath, why);
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
    }
    // The archive is written to a temporary file and renamed over zipPath
    // only here.
    if (zip_close(archive) != 0) {
        const QString why = ZipMessage(archive);
        zip_discard(archive);
        Fail(zipPath, why);
    }
}

} // namespace platform
