#include "browse/coins/ui/thumbnailstrip.h"

#include <QEvent>
#include <QLabel>
#include <QVariantAnimation>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "browse/seriespictures/seriespictures.h"
#include "browse/seriespictures/specialseries.h"
#include "browse/seriespictures/ui/picturebox.h"
#include "browse/shell/ui/mainwidgets.h"

namespace {

const QString OpenCaption = QStringLiteral("\u25B2 Images \u25B2");
const QString ClosedCaption = QStringLiteral("\u25BC Images \u25BC");

QWidget *MakeSide(QWidget *parent, const char *panelName, const char *imageName, const char *labelName,
                  QLabel **image, QLabel **label)
{
    auto *side = new QWidget(parent);
    side->setObjectName(QString::fromLatin1(panelName));
    *image = new TPictureBox(side);
    (*image)->setObjectName(QString::fromLatin1(imageName));
    *label = new QLabel(side);
    (*label)->setObjectName(QString::fromLatin1(labelName));
    (*label)->setAlignment(Qt::AlignCenter);
    QFont f = (*label)->font();
    f.setPixelSize(14);
    (*label)->setFont(f);
    return side;
}

} // namespace

TThumbnailStrip::TThumbnailStrip(tMainState &state, QWidget *thumbnailPanel, TRotatedLabel *slideLabel)
    : QObject(thumbnailPanel), s_(state), panel_(thumbnailPanel), slideLabel_(slideLabel)
{
    ThumbnailObvPanel = MakeSide(panel_, "ThumbnailObvPanel", "ThumbnailObvImage", "ThumbnailObvLabel",
                                 &ThumbnailObvImage, &ThumbnailObvLabel);
    ThumbnailRevPanel = MakeSide(panel_, "ThumbnailRevPanel", "ThumbnailRevImage", "ThumbnailRevLabel",
                                 &ThumbnailRevImage, &ThumbnailRevLabel);
    ThumbnailObvLabel->setToolTip(
        QStringLiteral("There is no obverse image on the \"Images\" tab  attached to this entry."));
    ThumbnailObvLabel->setStatusTip(ThumbnailObvLabel->toolTip());
    ThumbnailAnimation = new QVariantAnimation(this);
    ThumbnailAnimation->setObjectName(QStringLiteral("ThumbnailAnimation"));
    ThumbnailAnimation->setDuration(200);
    ThumbnailAnimation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(ThumbnailAnimation, &QVariantAnimation::valueChanged, panel_,
            [this](const QVariant &width) { panel_->setFixedWidth(width.toInt()); });
    connect(slideLabel_, &TRotatedLabel::clicked, this, &TThumbnailStrip::Toggle);
    panel_->installEventFilter(this);
}

int TThumbnailStrip::OpenWidth() const
{
    return panel_->height() / 2;
}

// Two squares stacked, obverse above reverse, each half the panel's height.
void TThumbnailStrip::PlaceSquares()
{
    const int c = OpenWidth();
    ThumbnailObvPanel->setGeometry(0, 0, c, c);
    ThumbnailRevPanel->setGeometry(0, c, c, c);
    for (QWidget *side : {ThumbnailObvPanel, ThumbnailRevPanel})
        for (QLabel *l : side->findChildren<QLabel *>())
            l->setGeometry(0, 0, c, c);
}

void TThumbnailStrip::PlaceThumbnailPanel(bool animate)
{
    CurrProcGuard guard(Blocks::PlaceThumbnailPanel);
    int target = 0;
    if (s_.ThumbNailsOut) {
        PlaceSquares();
        slideLabel_->setText(OpenCaption);
        target = OpenWidth();
        ShowThumbnails(s_.CoinGridRow);
    } else {
        slideLabel_->setText(ClosedCaption);
    }
    ThumbnailAnimation->stop();
    if (!animate || panel_->width() == target) {
        panel_->setFixedWidth(target);
        return;
    }
    ThumbnailAnimation->setStartValue(panel_->width());
    ThumbnailAnimation->setEndValue(target);
    ThumbnailAnimation->start();
}

void TThumbnailStrip::ShowThumbnails(int row)
{
    CurrProcGuard guard(Blocks::ShowThumbnails);
    const bool inList = row >= 0 && row < static_cast<int>(s_.CurrCoinList.size());
    const tCoinInfo *entry = inList ? s_.CurrCoinList[static_cast<size_t>(row)] : nullptr;
    const tThumbnails t = ChooseThumbnails(s_, entry, s_.ThumbNailsOut);
    ShowSide(t.Obverse.File, t.Obverse.Label, ThumbnailObvImage, ThumbnailObvLabel, StoreThumbObvPath);
    ShowSide(t.Reverse.File, t.Reverse.Label, ThumbnailRevImage, ThumbnailRevLabel, StoreThumbRevPath);
}

void TThumbnailStrip::ShowSide(const QString &file, const QString &label, QLabel *image, QLabel *note,
                               QString &stored)
{
    bool shown = !file.isEmpty();
    if (shown && file != stored) {
        const QImage picture = LoadPicture(file, static_cast<TPictureBox *>(image)->DecodeBox());
        // A file that cannot be decoded shows the label, and is tried again
        // next time in case it was still being written.
        shown = !picture.isNull();
        image->setPixmap(shown ? QPixmap::fromImage(picture) : QPixmap());
        stored = shown ? file : QString();
    }
    image->setVisible(shown);
    note->setVisible(!shown);
    if (!shown)
        note->setText(label.isEmpty() ? (note == ThumbnailObvLabel ? QStringLiteral("No\nObverse\nImage")
                                                                   : QStringLiteral("No\nReverse\nImage"))
                                      : label);
    else
        note->clear();
}

void TThumbnailStrip::Toggle()
{
    s_.ThumbNailsOut = !s_.ThumbNailsOut;
    PlaceThumbnailPanel(true);
}

bool TThumbnailStrip::eventFilter(QObject *watched, QEvent *event)
{
    // The squares follow the page's height while the strip is open.
    if (watched == panel_ && event->type() == QEvent::Resize && s_.ThumbNailsOut &&
        ThumbnailAnimation->state() != QAbstractAnimation::Running)
        PlaceSquares();
    return QObject::eventFilter(watched, event);
}
