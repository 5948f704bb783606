#include "browse/coins/ui/coingridimages.h"

#include <map>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include "browse/coins/coingridcells.h"
#include "browse/tree/treeview.h"
#include "browse/tree/ui/treeimages.h"

namespace {

// The colours of the check marks 24..31, in list order.
const char *const CheckColours[8] = {
    "#8C8C8C",  // gray
    "#1A1A1A",  // black
    "#1F9E9E",  // teal
    "#FF8C1A",  // orange
    "#E02020",  // red
    "#8E3FB5",  // purple
    "#4169E1",  // royal blue
    "#2E9B3A",  // green
};

QPixmap Render(QByteArray svg)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "svg");
    const int side = qRound(32 * ratio);
    reader.setScaledSize(QSize(side, side));
    QPixmap pm = QPixmap::fromImage(reader.read());
    pm.setDevicePixelRatio(ratio);
    return pm;
}

QByteArray Resource(const char *name)
{
    QFile f(QStringLiteral(":/coingrid/%1").arg(QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

const QPixmap &CoinGridImage(int index)
{
    static std::map<int, QPixmap> cache;
    static const QPixmap none;
    if (index == CoinImgLock)
        return TreeButtonImage(ImgLock);
    auto it = cache.find(index);
    if (it != cache.end())
        return it->second;
    QByteArray svg;
    if (index == CoinImgCamera)
        svg = Resource("camera.svg");
    else if (index >= CoinImgCheckGray && index <= CoinImgCheckGreen)
        svg = Resource("check.svg").replace("@COLOUR@", CheckColours[index - CoinImgCheckGray]);
    else
        return none;
    return cache.emplace(index, Render(svg)).first->second;
}
