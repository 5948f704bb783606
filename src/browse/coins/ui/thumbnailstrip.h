#pragma once
// The strip at the right of the Coins page that slides out with small
// pictures of the selected entry: its own obverse and reverse, or the stock
// picture of its design for the special United States series. Which files
// it shows is plain code (browse/seriespictures/specialseries.h); this class builds the
// two picture panels inside ThumbnailPanel and slides the panel.
#include <QObject>
#include <QString>

class QLabel;
class QVariantAnimation;
class QWidget;
class TRotatedLabel;
struct tMainState;

class TThumbnailStrip : public QObject {
    Q_OBJECT
public:
    TThumbnailStrip(tMainState &state, QWidget *thumbnailPanel, TRotatedLabel *slideLabel);

    // Lays the strip out open or closed as ThumbNailsOut says.
    void PlaceThumbnailPanel(bool animate);
    // Shows the pictures of the entry on that row of the list.
    void ShowThumbnails(int row);
    // The slide label's click: opens or closes the strip.
    void Toggle();

    QWidget *ThumbnailObvPanel = nullptr;
    QWidget *ThumbnailRevPanel = nullptr;
    QLabel *ThumbnailObvImage = nullptr;
    QLabel *ThumbnailRevImage = nullptr;
    QLabel *ThumbnailObvLabel = nullptr;
    QLabel *ThumbnailRevLabel = nullptr;
    QVariantAnimation *ThumbnailAnimation = nullptr;
    // The files last loaded, so the same picture is not read again.
    QString StoreThumbObvPath;
    QString StoreThumbRevPath;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    tMainState &s_;
    QWidget *panel_;
    TRotatedLabel *slideLabel_;
    void ShowSide(const QString &file, const QString &label, QLabel *image, QLabel *note, QString &stored);
    int OpenWidth() const;
    void PlaceSquares();
};
