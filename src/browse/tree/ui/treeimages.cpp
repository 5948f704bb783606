#include "browse/tree/ui/treeimages.h"

#include <map>

#include <QGuiApplication>
#include <QImageReader>

#include "browse/tree/treeview.h"

namespace {

const std::map<int, const char *> &TreeFiles()
{
    static const std::map<int, const char *> files = {
        {TreeImageSafe, "safe"},           {TreeImageSlab, "slab"},
        {TreeImageCash, "cash"},           {TreeImageCaseClosed, "case-closed"},
        {TreeImageCaseOpen, "case-open"},  {TreeImageBlank, "blank"},
        {TreeImageTJoint, "t-joint"},      {TreeImageRightAngle, "right-angle"},
        {TreeImageByPass, "bypass"},       {TreeImageBallEnd, "ball-end"},
        {TreeImageBallRight, "ball-right"},
    };
    return files;
}

const std::map<int, const char *> &ButtonFiles()
{
    static const std::map<int, const char *> files = {
        {ImgOK, "ok"},
        {ImgNo, "no"},
        {ImgLeft, "left"},
        {ImgRight, "right"},
        {ImgSave, "save"},
        {ImgDiscard, "discard"},
        {ImgCancel, "cancel"},
        {ImgUp, "up"},
        {ImgDown, "down"},
        {ImgLock, "lock"},
        {ImgNewDim, "new-dim"},
        {ImgNewBright, "new-bright"},
        {ImgUncollected, "uncollected"},
        {ImgCollected, "collected"},
        {ImgMove, "move"},
        {ImgUser, "user"},
        {ImgTextReplace, "text-replace"},
        {ImgGreenBook, "green-book"},
        {ImgRedBook, "red-book"},
        {ImgDollar, "dollar"},
        {ImgSettings, "settings"},
        {ImgDollarCopper, "dollar-copper"},
        {ImgDollarMixed, "dollar-mixed"},
        {ImgRoundUp, "round-up"},
        {ImgRoundDown, "round-down"},
    };
    return files;
}

QPixmap Render(const char *name)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImageReader reader(QStringLiteral(":/tree/%1.svg").arg(QLatin1String(name)));
    const int side = qRound(32 * ratio);
    reader.setScaledSize(QSize(side, side));
    QPixmap pm = QPixmap::fromImage(reader.read());
    pm.setDevicePixelRatio(ratio);
    return pm;
}

const QPixmap &Cached(std::map<int, QPixmap> &cache, const std::map<int, const char *> &files, int index)
{
    static const QPixmap none;
    auto it = cache.find(index);
    if (it != cache.end())
        return it->second;
    auto f = files.find(index);
    if (f == files.end())
        return none;
    return cache.emplace(index, Render(f->second)).first->second;
}

} // namespace

const QPixmap &TreeImage(int index)
{
    static std::map<int, QPixmap> cache;
    return Cached(cache, TreeFiles(), index);
}

const QPixmap &TreeButtonImage(int index)
{
    static std::map<int, QPixmap> cache;
    return Cached(cache, ButtonFiles(), index);
}
