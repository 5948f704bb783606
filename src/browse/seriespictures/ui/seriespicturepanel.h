#pragma once
// The Series page's pictures: the small obverse and reverse of the selected
// series, the large view that opens in place of the tree (with its
// magnifier and the file name beside it), and the real-size view. The
// decisions are plain code (browse/seriespictures/seriespictures.h, viewsize.h); this
// class works the main window's controls.
#include <functional>

#include <QImage>
#include <QObject>
#include <QString>

class QLabel;
class TMainForm;

class TSeriesPicturePanel : public QObject {
    Q_OBJECT
public:
    explicit TSeriesPicturePanel(TMainForm &form);

    // Loads a stored picture into ObverseImage or ReverseImage (which then shows the
    // picture or its no-image label) or into any other picture label; true
    // when a picture was loaded.
    bool ShowImage(QLabel *image, const QString &stored, int country, bool obverse, bool paper);
    // A click on the small obverse (ObverseImage) or reverse (ReverseImage).
    void Image2Click(QObject *sender);
    // Closes the large view and the magnifier.
    void BigImageDown();
    // Opens, redraws (sender StackPickerBox) or closes the real-size view.
    void ViewSizeBtnClick(QObject *sender);
    void BigLabelDblClick();

    // The file shown large; empty for the real-size view.
    QString BigLabelFile;
    // Opens a file with the desktop's program (tests record it).
    std::function<void(const QString &file)> OpenFile;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TMainForm &f_;
    QImage big_;  // the picture of the large view at full size

    // The caption strip beside the view: at the left of the page for paper
    // money, at the right of the picture for coins.
    void PlaceCaptionStrip(bool paper);
    void ShowBigPicture();
    void MoveMagnifier(QPoint at);
    void CentreMagnifier();
};
