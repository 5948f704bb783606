#include "browse/seriespictures/ui/seriespicturepanel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "core/model/seriestree.h"
#include "browse/seriespictures/seriespictures.h"
#include "browse/seriespictures/ui/picturebox.h"
#include "browse/tree/seriesselection.h"
#include "browse/shell/ui/mainform.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/seriespictures/viewsize.h"

namespace {

// The magnifier shows a square of the view this many times larger.
constexpr int LoupeScale = 3;
constexpr int GlassSize = 225;  // 150 at scale 1.5

int Tag(const QWidget *w)
{
    return w->property("Tag").toInt();
}

} // namespace

TSeriesPicturePanel::TSeriesPicturePanel(TMainForm &form) : QObject(&form), f_(form)
{
    OpenFile = [](const QString &file) { MultiPlatformOpen(file); };
    // The large picture follows the panel's size, never the other way round.
    f_.BigImage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    f_.BigImage->setMouseTracking(true);
    f_.MagnifierGlass->setFixedSize(GlassSize, GlassSize);
    f_.MagnifierGlass->setFrameShape(QFrame::Box);
    f_.MagnifierGlass->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (QObject *o : {static_cast<QObject *>(f_.ObverseImage), static_cast<QObject *>(f_.ReverseImage),
                       static_cast<QObject *>(f_.BigImage), static_cast<QObject *>(f_.BigLabel),
                       static_cast<QObject *>(f_.ImagePanel)})
        o->installEventFilter(this);
    for (QLabel *small : {f_.ObverseImage, f_.ReverseImage})
        small->setCursor(Qt::PointingHandCursor);
    connect(f_.ViewSizeBtn, &QPushButton::clicked, this, [this] { CallSeam(f_.Seams.ViewSizeBtnClick, f_.ViewSizeBtn); });
    connect(f_.StackPickerBox, &QComboBox::currentIndexChanged, this,
            [this] { CallSeam(f_.Seams.ViewSizeBtnClick, f_.StackPickerBox); });
}

bool TSeriesPicturePanel::ShowImage(QLabel *image, const QString &stored, int country, bool obverse, bool paper)
{
    CurrProcGuard guard(Blocks::ShowImage);
    // The small pictures are decoded at the size they are shown at; the
    // large view reads the file again at full size.
    auto *box = qobject_cast<TPictureBox *>(image);
    const QImage picture =
        LoadPicture(fullpath(f_.State, stored, country, obverse, paper), box ? box->DecodeBox() : QSize());
    const bool loaded = !picture.isNull();
    image->setPixmap(loaded ? QPixmap::fromImage(picture) : QPixmap());
    if (image == f_.ObverseImage || image == f_.ReverseImage) {
        QLabel *note = image == f_.ObverseImage ? f_.ObverseNoImageLabel : f_.ReverseNoImageLabel;
        image->setVisible(loaded);
        note->setVisible(!loaded);
    }
    return loaded;
}

void TSeriesPicturePanel::Image2Click(QObject *sender)
{
    CurrProcGuard guard(Blocks::OpenLargePicture);
    const bool obverse = sender == f_.ObverseImage;
    QLabel *small = obverse ? f_.ObverseImage : f_.ReverseImage;
    const tPictureClick click = PictureClick(Tag(f_.ImagePanel), obverse, !small->pixmap().isNull());
    f_.ImagePanel->setProperty("Tag", click.Tag);
    if (click.Action == tBigViewAction::Close) {
        BigImageDown();
        return;
    }
    if (click.Action == tBigViewAction::Nothing || !f_.State.SelectedTreeNode)
        return;
    const tnodeinfo &n = *f_.State.SelectedTreeNode;
    const QString path = fullpath(f_.State, obverse ? n.Obverse : n.Reverse, n.Country);
    big_ = LoadPicture(path);
    if (big_.isNull())  // gone since it was shown small
        big_ = small->pixmap().toImage();
    // The file as found on disk, so a double-click opens it even when the
    // stored name differs in case.
    const QString found = FindPictureFile(path);
    BigLabelFile = found.isEmpty() ? path : found;

    const bool paper = n.CoinShape == PaperMoneyShape;
    PlaceCaptionStrip(paper);
    f_.BigLabelLayout->show();
    if (paper)
        f_.LayoutMainForm(true);
    const QFontMetricsF fm(f_.BigLabel->font());
    const double room = std::max(0, f_.SeriesViewArea->height() - 20);
    f_.BigLabel->setText(QStringLiteral("  ") +
                         ShortCaption(BigLabelFile, room, [&fm](const QString &t) { return fm.horizontalAdvance(t); }));
    f_.ImagePanel->show();
    f_.TreeBaseLayout->hide();
    f_.BigLabel->show();
    f_.StackPickerLayout->hide();
    f_.ViewSizeBtn->setVisible(ViewSizeVisible(n));
    f_.FavoriteBox->show();
    ShowBigPicture();
    f_.PlaceBigLabel();
}

void TSeriesPicturePanel::BigImageDown()
{
    CurrProcGuard guard(Blocks::BigImageDown);
    f_.BigImage->unsetCursor();
    f_.MagnifierGlass->hide();
    // The button only serves series measured for it.
    const tnodeinfo *n = f_.State.SelectedTreeNode;
    f_.ViewSizeBtn->setVisible(n && ViewSizeVisible(*n));
    f_.FavoriteBox->show();
    f_.StackPickerLayout->hide();
    if (!f_.ImagePanel->isHidden()) {
        f_.BigLabel->hide();
        f_.ImagePanel->hide();
        f_.BigLabelLayout->hide();
        f_.TreeBaseLayout->show();
        f_.LayoutMainForm(f_.SelectedIsPaper());
    }
    f_.ImagePanel->setProperty("Tag", int(BigViewClosed));
}

void TSeriesPicturePanel::ViewSizeBtnClick(QObject *sender)
{
    CurrProcGuard guard(Blocks::ViewSize);
    tnodeinfo *n = f_.State.SelectedTreeNode;
    if (!n)
        return;
    if (ViewSizeCloses(Tag(f_.ImagePanel), !f_.ImagePanel->isHidden(), sender == f_.StackPickerBox)) {
        BigImageDown();
        return;
    }
    const bool paper = n->CoinShape == PaperMoneyShape;
    f_.FavoriteBox->hide();
    f_.StackPickerLayout->setVisible(!paper);
    f_.BigLabelLayout->show();
    PlaceCaptionStrip(paper);
    f_.LayoutMainForm(paper);
    BigLabelFile.clear();
    f_.ImagePanel->setProperty("Tag", int(BigViewSize));
    f_.BigLabel->setText(QStringLiteral(" Size: ") + NodeInfoToMeasurementStr(*n, true));
    f_.ImagePanel->show();
    f_.TreeBaseLayout->hide();
    big_ = RenderViewSize(*n, f_.StackPickerBox->currentIndex(), f_.LegendCheckBox->isChecked());
    ShowBigPicture();
    f_.BigLabel->show();
    f_.PlaceBigLabel();
}

void TSeriesPicturePanel::BigLabelDblClick()
{
    if (!BigLabelFile.trimmed().isEmpty() && OpenFile)
        OpenFile(BigLabelFile);
}

void TSeriesPicturePanel::PlaceCaptionStrip(bool paper)
{
    auto *area = qobject_cast<QBoxLayout *>(f_.SeriesViewArea->layout());
    if (!area)
        return;
    area->removeWidget(f_.BigLabelLayout);
    if (paper)
        area->insertWidget(0, f_.BigLabelLayout);
    else
        area->addWidget(f_.BigLabelLayout);
}

void TSeriesPicturePanel::ShowBigPicture()
{
    const QSize room = f_.BigImage->size().isEmpty() ? f_.ImagePanel->size() : f_.BigImage->size();
    if (big_.isNull() || room.isEmpty()) {
        f_.BigImage->setPixmap(QPixmap::fromImage(big_));
        return;
    }
    f_.BigImage->setPixmap(
        QPixmap::fromImage(big_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TSeriesPicturePanel::MoveMagnifier(QPoint at)
{
    QLabel *glass = f_.MagnifierGlass;
    const QPixmap shown = f_.BigImage->pixmap();
    if (shown.isNull())
        return;
    // The pixmap is centred in the label.
    const QPoint origin((f_.BigImage->width() - shown.width()) / 2, (f_.BigImage->height() - shown.height()) / 2);
    const int span = GlassSize / LoupeScale;
    const QRect source(at - origin - QPoint(span / 2, span / 2), QSize(span, span));
    QPixmap lens(GlassSize, GlassSize);
    lens.fill(Qt::white);
    {
        QPainter p(&lens);
        p.drawPixmap(lens.rect(), shown, source);
    }
    glass->setPixmap(lens);
    const QPoint centre = f_.BigImage->mapTo(f_.ImagePanel, at);
    glass->move(centre - QPoint(glass->width() / 2, glass->height() / 2));
    glass->raise();
}

void TSeriesPicturePanel::CentreMagnifier()
{
    QLabel *glass = f_.MagnifierGlass;
    glass->move((f_.ImagePanel->width() - glass->width()) / 2, (f_.ImagePanel->height() - glass->height()) / 2);
}

bool TSeriesPicturePanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((watched == f_.ObverseImage || watched == f_.ReverseImage) && type == QEvent::MouseButtonRelease) {
        Image2Click(watched);
        return true;
    }
    if (watched == f_.BigLabel && type == QEvent::MouseButtonDblClick) {
        BigLabelDblClick();
        return true;
    }
    if (watched == f_.ImagePanel && type == QEvent::Resize) {
        CentreMagnifier();
        return false;
    }
    if (watched == f_.BigImage) {
        switch (type) {
        case QEvent::MouseButtonPress:
            f_.BigImage->setCursor(Qt::CrossCursor);
            f_.MagnifierGlass->show();
            MoveMagnifier(static_cast<QMouseEvent *>(event)->position().toPoint());
            return true;
        case QEvent::MouseMove:
            if (!f_.MagnifierGlass->isHidden())
                MoveMagnifier(static_cast<QMouseEvent *>(event)->position().toPoint());
            return false;
        case QEvent::MouseButtonRelease:
            f_.MagnifierGlass->hide();
            return true;
        case QEvent::Leave:
            BigImageDown();
            return false;
        case QEvent::Resize:
            ShowBigPicture();
            return false;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
