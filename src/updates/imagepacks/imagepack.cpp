#include "updates/imagepacks/imagepack.h"

#include <zip.h>

#include <sys/stat.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/model/seriestree.h"
#include "updates/pricelists/priceupdate.h"
#include "updates/server/updateserver.h"

tCountryMarks MarkCollectionCountries(const tMainState &s)
{
    tCountryMarks marks{};
    if (!s.EntireCollection)
        return marks;
    // An explicit stack: a deep chain of series must not take one frame per
    // level.
    std::vector<const tnodeinfo *> stack{s.EntireCollection.get()};
    while (!stack.empty()) {
        const tnodeinfo *node = stack.back();
        stack.pop_back();
        const int country = CoinTypeToCountry(node->CoinType);
        if (country >= 0 && country < CountryTableSize)
            marks[static_cast<size_t>(country)] = true;
        for (const auto &child : node->ChildNodes)
            stack.push_back(child.get());
    }
    return marks;
}

int CountJpgFiles(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return 0;
    int n = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().suffix().toUpper() == QLatin1String("JPG"))
            ++n;
    }
    return n;
}

QString CountryImageFolder(const tMainState &s, const tCountryInfo &c)
{
    return s.FolderImagesRedirect + c.Name;
}

QString ImagePackName(const tCountryInfo &c)
{
    return CleanName(CountryFileName(c, QStringLiteral(".ZIP")));
}

int ServerImageCount(const platform::IniFile &directory, const tCountryInfo &c)
{
    return directory.readInteger(ImageDirectorySection, CleanName(c.Name), 0);
}

bool ImageSelectionTouches(int tag, const tCountryInfo &c)
{
    switch (tag) {
    case ImageSuggestCoinsTag:
        return !c.IsPaper;
    case ImageSuggestPaperTag:
        return c.IsPaper;
    default:
        return true;
    }
}

bool ImageSelectionChecks(int tag, const tCountryInfo &c, bool current, int serverCount, int localCount,
                          bool inCollection)
{
    switch (tag) {
    case ImageSelectCoinsTag:
        return !c.IsPaper;
    case ImageSelectPaperTag:
        return c.IsPaper;
    case ImageSuggestCoinsTag:
    case ImageSuggestPaperTag:
        if (!ImageSelectionTouches(tag, c))
            return current;
        return static_cast<qint64>(serverCount) - localCount > 0 && inCollection;
    default:
        return false;
    }
}

QString SuggestionText(int tag, int n)
{
    return (tag == ImageSuggestPaperTag ? QStringLiteral("Paper money for ") : QStringLiteral("Coins for ")) +
           QString::number(n) + (n == 1 ? QStringLiteral(" country suggested.") : QStringLiteral(" countries suggested."));
}

// ---- Unpacking ----

QString SafeEntryPath(const QString &entryName)
{
    QString name = entryName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')))
        return {};
    // "C:..." names a drive, whatever follows the colon.
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter())
        return {};
    QStringList kept;
    for (const QString &part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return {};
        if (part == QLatin1String("."))
            continue;
        if (part.contains(QChar(0)))
            return {};
        kept << part;
    }
    return kept.join(QLatin1Char('/'));
}

namespace {

bool IsUnder(const QString &canonicalRoot, const QString &canonicalPath)
{
    return canonicalPath == canonicalRoot || canonicalPath.startsWith(canonicalRoot + QLatin1Char('/'));
}

// Makes the folders of relativeDir below root one at a time, refusing any
// that exists as a symbolic link or resolves outside root.
bool MakeFoldersUnder(const QString &canonicalRoot, const QString &relativeDir, QString &error)
{
    QString current = canonicalRoot;
    for (const QString &part : relativeDir.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        current += QLatin1Char('/') + part;
        const QFileInfo info(current);
        if (info.isSymLink() || (info.exists() && !info.isDir())) {
            error = QStringLiteral("refused folder ") + part;
            return false;
        }
        if (!info.exists() && !QDir().mkdir(current)) {
            error = QStringLiteral("could not make folder ") + current;
            return false;
        }
        if (!IsUnder(canonicalRoot, QFileInfo(current).canonicalFilePath())) {
            error = QStringLiteral("refused folder ") + part;
            return false;
        }
    }
    return true;
}

struct tArchive {
    zip_t *z = nullptr;
    ~tArchive()
    {
        if (z)
            zip_discard(z);
    }
};

bool IsSymlinkEntry(zip_t *z, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(z, index, 0, &opsys, &attributes) != 0)
        return false;
    return opsys == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

} // namespace

tUnzipResult UnzipImagePack(const QString &zipPath, const QString &folder)
{
    tUnzipResult result;
    if (!QFileInfo(zipPath).isFile()) {
        result.Error = QStringLiteral("no pack at ") + zipPath;
        return result;
    }
    tArchive archive;
    int code = 0;
    archive.z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code);
    if (!archive.z) {
        result.Error = QStringLiteral("not a zip archive: ") + zipPath;
        return result;
    }
    const zip_int64_t count = zip_get_num_entries(archive.z, 0);

    // Every name is judged before anything is written: a pack with one
    // hostile entry is refused whole.
    struct tEntry {
        zip_uint64_t Index;
        QString Path;
        bool IsDir;
    };
    std::vector<tEntry> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char *raw = zip_get_name(archive.z, index, ZIP_FL_ENC_GUESS);
        if (!raw) {
            result.Error = QStringLiteral("unreadable entry name");
            return result;
        }
        const QString name = QString::fromUtf8(raw);
        if (IsSymlinkEntry(archive.z, index)) {
            ++result.SkippedLinks;
            continue;
        }
        const QString path = SafeEntryPath(name);
        if (path.isEmpty()) {
            // An entry of nothing but "./" is harmless; anything else empty
            // was a refused name.
            if (SafeEntryPath(name + QStringLiteral("/x")) == QLatin1String("x"))
                continue;
            result.Error = QStringLiteral("refused entry ") + name;
            return result;
        }
        const bool isDir = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
        entries.push_back({index, path, isDir});
    }

    if (!QDir().mkpath(folder)) {
        result.Error = QStringLiteral("could not make folder ") + folder;
        return result;
    }
    const QString root = QFileInfo(folder).canonicalFilePath();
    for (const tEntry &e : entries) {
        const int slash = e.Path.lastIndexOf(QLatin1Char('/'));
        const QString dir = e.IsDir ? e.Path : (slash < 0 ? QString() : e.Path.left(slash));
        if (!MakeFoldersUnder(root, dir, result.Error))
            return result;
        if (e.IsDir)
            continue;
        const QString target = root + QLatin1Char('/') + e.Path;
        // A link standing where the file goes would be written through: it
        // goes, and the file takes its place.
        if (QFileInfo(target).isSymLink() && !QFile::remove(target)) {
            result.Error = QStringLiteral("could not replace ") + e.Path;
            return result;
        }
        if (QFileInfo(target).isDir()) {
            result.Error = QStringLiteral("a folder stands where the file goes: ") + e.Path;
            return result;
        }
        zip_file_t *in = zip_fopen_index(archive.z, e.Index, 0);
        if (!in) {
            result.Error = QStringLiteral("could not read entry ") + e.Path;
            return result;
        }
        // Written beside the target and renamed over it.
        QSaveFile out(target);
        out.setDirectWriteFallback(false);
        bool ok = out.open(QIODevice::WriteOnly);
        char buffer[65536];
        while (ok) {
            const zip_int64_t n = zip_fread(in, buffer, sizeof buffer);
            if (n < 0)
                ok = false;
            else if (n == 0)
                break;
            else if (out.write(buffer, n) != n)
                ok = false;
        }
        zip_fclose(in);
        if (!ok || !out.commit()) {
            out.cancelWriting();
            result.Error = QStringLiteral("could not unpack ") + e.Path;
            return result;
        }
        ++result.Written;
    }
    result.Ok = true;
    return result;
}
