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

zip_t *OpenArchive(const QString &zipPath)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString why = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        Fail(zipPath, why);
    }
    return archive;
}

// Adds source as a deflated entry; on failure the archive is discarded.
void AddSource(zip_t *archive, const QString &zipPath, zip_source_t *source, const QByteArray &name)
{
    if (!source) {
        const QString why = ZipMessage(archive);
        zip_discard(archive);
        Fail(zipPath, why);
    }
    // Never replace an entry: two entries of one name are a fault the
    // caller must hear of, not a file silently missing from the archive.
    const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        const QString why = ZipMessage(archive);
        zip_discard(archive);
        Fail(zipPath, why);
    }
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
}

// The archive is written to a temporary file and renamed over zipPath only
// here; a failure leaves no temporary file and the old archive in place.
void CloseArchive(zip_t *archive, const QString &zipPath)
{
    if (zip_close(archive) != 0) {
        const QString why = ZipMessage(archive);
        zip_discard(archive);
        Fail(zipPath, why);
    }
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

    zip_t *archive = OpenArchive(zipPath);
    for (const QString &path : files) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, 0);
        AddSource(archive, zipPath, source, base.relativeFilePath(path).toUtf8());
    }
    CloseArchive(archive, zipPath);
}

void zipEntries(const std::vector<ZipEntry> &entries, const QString &zipPath)
{
    // A source that cannot be read is found before the archive is started,
    // with a message that names it.
    for (const ZipEntry &e : entries) {
        if (e.SourceFile.isEmpty())
            continue;
        QFile probe(e.SourceFile);
        if (!probe.open(QIODevice::ReadOnly))
            Fail(zipPath, e.SourceFile + ": " + probe.errorString());
    }
    if (entries.empty()) {
        WriteEmptyArchive(zipPath);
        return;
    }
    zip_t *archive = OpenArchive(zipPath);
    for (const ZipEntry &e : entries) {
        zip_source_t *source = nullptr;
        if (e.SourceFile.isEmpty()) {
            // libzip reads the buffer only at close; entries outlives that.
            source = zip_source_buffer(archive, e.Data.constData(), static_cast<zip_uint64_t>(e.Data.size()), 0);
        } else {
            source = zip_source_file(archive, QFile::encodeName(e.SourceFile).constData(), 0, 0);
        }
        AddSource(archive, zipPath, source, e.Name.toUtf8());
    }
    CloseArchive(archive, zipPath);
}

} // namespace platform
