#include "browse/images/coinpictures.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "core/files/collectionsettings.h"
#include "core/model/commatext.h"
#include "core/model/mainstate.h"
#include "platform/paths.h"

namespace {

QString *Field(tCoinInfo &coin, tPictureKind kind)
{
    switch (kind) {
    case tPictureKind::Obverse: return &coin.Obverse;
    case tPictureKind::Reverse: return &coin.Reverse;
    case tPictureKind::Receipt: return &coin.Receipt;
    default: return nullptr;
    }
}

QStringList Padded(QStringList list, qsizetype count)
{
    while (list.size() < count)
        list << QString();
    return list;
}

void WriteFurther(tCoinInfo &coin, const QStringList &files, const QStringList &names)
{
    coin.OtherImages = files.isEmpty() ? QString() : CommaTextJoin(files);
    coin.OtherImageNames = names.isEmpty() ? QString() : CommaTextJoin(names);
}

} // namespace

QStringList FurtherFiles(const tCoinInfo &coin)
{
    if (coin.OtherImages.trimmed().isEmpty())
        return {};
    return CommaTextSplit(coin.OtherImages);
}

QStringList FurtherNames(const tCoinInfo &coin)
{
    return Padded(CommaTextSplit(coin.OtherImageNames), FurtherFiles(coin).size());
}

std::vector<tPictureRadio> PictureRadios(const tCoinInfo &coin)
{
    std::vector<tPictureRadio> radios = {
        {{tPictureKind::Obverse, 0}, QStringLiteral("Obverse Image"), false},
        {{tPictureKind::Reverse, 0}, QStringLiteral("Reverse image"), false},
        {{tPictureKind::Receipt, 0}, QStringLiteral("Receipt Image"), false},
    };
    const QStringList names = FurtherNames(coin);
    for (qsizetype i = 0; i < FurtherFiles(coin).size(); ++i) {
        const QString name = names[i].trimmed();
        radios.push_back({{tPictureKind::Further, int(i) + 1},
                          name.isEmpty() ? UnnamedPictureCaption : name, name.isEmpty()});
    }
    radios.push_back({{tPictureKind::Add, 0}, QStringLiteral("Add another image"), false});
    return radios;
}

bool CanRemovePicture(const tCoinInfo *coin, tPictureSlot slot)
{
    return coin && slot.Kind != tPictureKind::Add && !StoredPicture(*coin, slot).trimmed().isEmpty();
}

QString StoredPicture(const tCoinInfo &coin, tPictureSlot slot)
{
    if (const QString *field = Field(const_cast<tCoinInfo &>(coin), slot.Kind))
        return *field;
    if (slot.Kind == tPictureKind::Further) {
        const QStringList files = FurtherFiles(coin);
        if (slot.Tag >= 1 && slot.Tag <= files.size())
            return files[slot.Tag - 1].trimmed();
    }
    return {};
}

tPictureSlot AttachPicture(tCoinInfo &coin, tPictureSlot slot, const QString &stored)
{
    if (QString *field = Field(coin, slot.Kind)) {
        *field = stored;
        return slot;
    }
    QStringList files = FurtherFiles(coin);
    QStringList names = FurtherNames(coin);
    if (slot.Kind == tPictureKind::Add || slot.Tag < 1) {
        files << stored;
        names << QString();
        slot = {tPictureKind::Further, int(files.size())};
    } else {
        files = Padded(files, slot.Tag);
        names = Padded(names, slot.Tag);
        files[slot.Tag - 1] = stored;
    }
    WriteFurther(coin, files, names);
    return slot;
}

bool NamePicture(tCoinInfo &coin, int tag, const QString &typed)
{
    if (tag < 1)
        return false;
    QStringList names = Padded(FurtherNames(coin), tag);
    const bool changed = names[tag - 1].trimmed() != typed.trimmed();
    names[tag - 1] = typed;
    coin.OtherImageNames = CommaTextJoin(names);
    return changed;
}

tPictureSlot DetachPicture(tCoinInfo &coin, tPictureSlot slot)
{
    if (QString *field = Field(coin, slot.Kind)) {
        field->clear();
        return slot;
    }
    QStringList files = FurtherFiles(coin);
    if (slot.Kind != tPictureKind::Further || slot.Tag < 1 || slot.Tag > files.size())
        return slot;
    QStringList names = FurtherNames(coin);
    files.removeAt(slot.Tag - 1);
    names.removeAt(slot.Tag - 1);
    WriteFurther(coin, files, names);
    return slot.Tag > 1 ? tPictureSlot{tPictureKind::Further, slot.Tag - 1} : tPictureSlot{tPictureKind::Receipt, 0};
}

int MakeRepositoryRelative(tMainState &s, const QString &folder)
{
    int changed = 0;
    for (const auto &coin : s.CoinList)
        for (QString *path : {&coin->Obverse, &coin->Reverse, &coin->Receipt}) {
            if (path->trimmed().isEmpty() || path->startsWith(QLatin1String("R~"), Qt::CaseInsensitive))
                continue;
            const QString packed = PackRepositoryPath(folder, *path);
            if (packed != *path) {
                *path = packed;
                ++changed;
            }
        }
    return changed;
}

bool IsRepositoryPictureName(const QString &fileName)
{
    static const QStringList extensions = {QStringLiteral("jpg"), QStringLiteral("bmp"), QStringLiteral("gif"),
                                           QStringLiteral("tif"), QStringLiteral("png"), QStringLiteral("pdf")};
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && extensions.contains(fileName.mid(dot + 1), Qt::CaseInsensitive);
}

namespace {

using tPathIndex = QHash<QString, std::vector<QString *>>;
using tFound = QHash<QString *, QString>;

void AttachFolder(const QString &dir, const QString &prefix, const tPathIndex &index, tFound &found, int depth)
{
    // A folder linked into itself would otherwise be walked without end.
    if (depth > 64)
        return;
    for (const QString &name : platform::sortedEntries(dir)) {
        const QFileInfo info(QDir(dir).filePath(name));
        if (info.isDir()) {
            if (!info.isSymLink())
                AttachFolder(info.filePath(), prefix + name + QLatin1Char('/'), index, found, depth + 1);
            continue;
        }
        if (!info.isFile() || !IsRepositoryPictureName(name))
            continue;
        const auto hit = index.constFind(name.toLower());
        if (hit == index.constEnd())
            continue;
        for (QString *path : *hit)
            found[path] = QStringLiteral("R~") + prefix + name;
    }
}

} // namespace

int AttachRepositoryImages(tMainState &s, const QString &folder)
{
    const QString root = NormalRepositoryFolder(folder);
    if (root.isEmpty() || s.CoinList.empty() || !QFileInfo(root).isDir())
        return 0;
    // Each stored path is listed under its file name once, so the walk
    // costs one look-up per file instead of a pass over every entry.
    tPathIndex index;
    for (const auto &coin : s.CoinList)
        for (QString *path : {&coin->Obverse, &coin->Reverse, &coin->Receipt}) {
            const QString name = platform::fileNamePart(*path).trimmed();
            if (!name.isEmpty())
                index[name.toLower()].push_back(path);
        }
    if (index.isEmpty())
        return 0;
    // The last file of a name wins; only then are the entries changed, so
    // a second run finds nothing to do.
    tFound found;
    AttachFolder(root, QString(), index, found, 0);
    int changed = 0;
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        if (*it.key() != it.value()) {
            *it.key() = it.value();
            ++changed;
        }
    return changed;
}
