#include "browse/seriespictures/seriespictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "core/catalogue/countries.h"
#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "platform/paths.h"

QString MacPath(const QString &inStr)
{
    QString out = inStr;
    out.replace(QLatin1Char('/'), QDir::separator());
    return out;
}

QString fullpath(const tMainState &s, const QString &inPath, int inCountry, bool, bool)
{
    CurrProcGuard guard(Blocks::FullPath);
    if (!inPath.startsWith(QLatin1Char('~')))
        return MacPath(inPath);
    QString name = inPath.mid(1);
    QString folder;
    if (name.startsWith(QLatin1String("Euro")) && name.endsWith(QLatin1String("r.jpg"))) {
        folder = EuroFolder;
    } else if (name.startsWith(QLatin1String("SQ~"))) {
        folder = StateQuartersFolder;
        name.remove(0, 3);
    } else if (name.startsWith(QLatin1String("PD~"))) {
        folder = PresidentialDollarsFolder;
        name.remove(0, 3);
    } else if (name.startsWith(QLatin1String("ID~"))) {
        folder = InnovationDollarsFolder;
        name.remove(0, 3);
    } else {
        folder = GetCountryName(s, inCountry);
    }
    return MacPath(s.FolderImagesRedirect + folder + QLatin1Char('/') + name);
}

QString FindPictureFile(const QString &path)
{
    if (path.trimmed().isEmpty())
        return {};
    const QString found = platform::resolvePath(path);
    const QFileInfo info(found);
    return info.isFile() ? found : QString();
}

void AllowCollectorPictures()
{
    QImageReader::setAllocationLimit(PictureAllocationLimitMB);
}

bool PictureFitsLimit(QSize size)
{
    if (size.isEmpty())
        return true;  // unknown until decoded; the reader checks it then
    return qint64(size.width()) * size.height() * 4 <= qint64(PictureAllocationLimitMB) * 1024 * 1024;
}

QSize PictureDecodeSize(QSize source, QSize box)
{
    if (source.isEmpty() || box.isEmpty())
        return {};
    if (source.width() <= box.width() && source.height() <= box.height())
        return source;
    return source.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QRect FittedPictureRect(QSize picture, const QRect &box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const QSize fitted = picture.scaled(box.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QRect(box.x() + (box.width() - fitted.width()) / 2, box.y() + (box.height() - fitted.height()) / 2,
                 fitted.width(), fitted.height());
}

QImage LoadPicture(const QString &path, QSize box)
{
    const QString file = FindPictureFile(path);
    if (file.isEmpty())
        return {};
    AllowCollectorPictures();
    // A damaged or foreign file reads as no picture; the reader reports
    // through its return value, never by throwing.
    QImageReader reader(file);
    reader.setAutoTransform(true);
    if (box.isValid()) {
        QSize source = reader.size();
        // A picture stored turned is shown turned: fit its turned size.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            source.transpose();
        const QSize decode = PictureDecodeSize(source, box);
        if (decode.isValid() && decode != source) {
            QSize asStored = decode;
            if (reader.transformation() & QImageIOHandler::TransformationRotate90)
                asStored.transpose();
            reader.setScaledSize(asStored);
        }
    }
    return reader.read();
}

tPictureClick PictureClick(int tag, bool obverse, bool hasPicture)
{
    const int t = obverse ? BigViewObverse : BigViewReverse;
    if (tag == t)
        return {t, tBigViewAction::Close};
    return {t, hasPicture ? tBigViewAction::Open : tBigViewAction::Nothing};
}

bool ViewSizeCloses(int tag, bool panelVisible, bool senderIsPicker)
{
    return tag == BigViewSize && panelVisible && !senderIsPicker;
}
