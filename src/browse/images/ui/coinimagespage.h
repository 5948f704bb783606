#pragma once
// The Images page: the pictures of the coin selected in the coin grid. The
// collector chooses a picture (obverse, reverse, receipt, a further named
// picture, or "Add another image"), loads, pastes, saves, removes, names,
// prints and opens it. A bitmap is shown through the adjustment pipeline
// (browse/images/imageadjust.h), a PDF in a PDF view with its zoom. What a
// picture choice means for the entry is plain code in
// browse/images/coinpictures.h; this page only reads its controls and shows.
#include <functional>
#include <vector>

#include <QImage>
#include <QRect>
#include <QWidget>

#include "browse/images/coinpictures.h"
#include "browse/images/imageadjust.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPdfDocument;
class QPdfView;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QToolButton;
struct tCoinInfo;
struct tMainState;

// The bitmap viewer inside iView: the shown picture at a scale. Ctrl with
// the wheel zooms.
class TPictureView : public QWidget {
    Q_OBJECT
public:
    explicit TPictureView(QWidget *parent = nullptr);
    void SetImage(const QImage &image);
    const QImage &Image() const { return image_; }
    void SetScale(double scale);
    double BitmapScale() const { return scale_; }
Q_SIGNALS:
    void ScaleChanged(double scale);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void Resize();
    QImage image_;
    double scale_ = 1;
};

class TCoinImagesPage : public QWidget {
    Q_OBJECT
public:
    struct tHooks {
        // The coin of the coin grid's current row; null when there is none.
        std::function<tCoinInfo *()> SelectedCoin;
        // The collection was changed: marks it modified and updates the caption.
        std::function<void()> Modified;
        // The print dialog: true when the collector confirmed it (unset:
        // the system's print dialog). pageCount is 0 for a bitmap.
        std::function<bool(QPrinter &printer, int pageCount)> ChoosePrinter;
        // Hands a file to the desktop (unset: MultiPlatformOpen).
        std::function<void(const QString &file)> OpenFile;
    };

    // radios is the window's list of picture radios, kept in display order.
    TCoinImagesPage(tMainState &state, std::vector<QRadioButton *> &radios, QWidget *parent = nullptr);
    ~TCoinImagesPage() override;

    tHooks Hooks;

    // ---- Operations ----
    void BuildImageRadios();
    void LoadCoinImage();
    void UpdateImageButtons();
    void UpdateImageCaption(bool pasted);
    void ResetImageEffects();
    void FitImageZoom();
    void ApplyImageAdjustments();
    // The chosen picture.
    tPictureSlot CheckedSlot() const;
    // The adjustments as the controls show them.
    tImageAdjustments Adjustments() const;

    // ---- Handlers ----
    void LoadImageButtonClick();
    void PasteImageButtonClick();
    void SaveImageButtonClick();
    void EraseImageButtonClick();
    void PrintImageButtonClick();
    void ScanLabelLayoutDblClick();
    void CropCheckBoxChange();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void CoinZoomPFDFhClick(QObject *sender);

    // ---- State ----
    QImage OrgImage;              // the unedited picture, in the pipeline's format
    QRect iCropRect;
    QString OpenPicturePath;      // folder of the last picture loaded or saved
    int Recomputations = 0;       // pipeline runs, so a reset can be seen to run it once

    // ---- Controls ----
    QScrollArea *VertScrollBox1 = nullptr;
    QWidget *ImageRadioPanel = nullptr;
    QButtonGroup *ImageGroup = nullptr;
    QRadioButton *ImageRadioObv = nullptr;
    QRadioButton *ImageRadioRev = nullptr;
    QRadioButton *ImageRadioReceipt = nullptr;
    QRadioButton *ImageRadioAdd = nullptr;
    QLineEdit *ImageNameEdit = nullptr;
    QPushButton *LoadImageButton = nullptr;
    QPushButton *PasteImageButton = nullptr;
    QPushButton *SaveImageButton = nullptr;
    QPushButton *EraseImageButton = nullptr;
    QPushButton *PrintImageButton = nullptr;
    QWidget *ScanLabelLayout = nullptr;
    QLabel *ScanLabelRepository = nullptr;
    QLabel *ScanLabelBlack = nullptr;
    QLabel *ScanLabelBlue = nullptr;
    QScrollArea *iView = nullptr;
    TPictureView *PictureView = nullptr;
    QWidget *ImageEffectsLayout = nullptr;
    QPushButton *Button2 = nullptr;       // "Reset image adjustments"
    QLabel *ZoomLabel = nullptr;
    QSlider *TrackBar10 = nullptr;        // zoom
    QCheckBox *CropCheckBox = nullptr;
    QToolButton *SpeedButton2 = nullptr;  // quarter turn counter-clockwise
    QToolButton *SpeedButton3 = nullptr;  // quarter turn clockwise
    QSlider *TrackBar11 = nullptr, *TrackBar12 = nullptr, *TrackBar13 = nullptr, *TrackBar14 = nullptr,
            *TrackBar15 = nullptr, *TrackBar16 = nullptr, *TrackBar17 = nullptr, *TrackBar18 = nullptr,
            *TrackBar19 = nullptr, *TrackBar20 = nullptr, *TrackBar21 = nullptr, *TrackBar22 = nullptr;
    QWidget *ImagesPDFLayout = nullptr;
    QPdfView *FPdfView2 = nullptr;
    QPdfDocument *FPdf2 = nullptr;
    QWidget *CoinPDFLayout = nullptr;
    QPushButton *CoinZoomPFDFh = nullptr;  // "Fit height"
    QPushButton *CoinZoomPFDFw = nullptr;  // "Fit width"
    QSlider *CoinPDFZoomTrackBar = nullptr;  // hundredths, 25 to 800

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildSide();
    QWidget *BuildEffects();
    QSlider *AddTrackBar(QWidget *box, const char *name, const QString &caption, int min, int max, int reset);
    void ImageRadioObvChange();
    void ImageRadioObvClick(QRadioButton *radio);
    void ImageNameEditExit();
    void CheckSlot(tPictureSlot slot);
    bool ResetControls();
    void ShowImageSize();
    QString SelectedFile() const;
    void ShowNothing();
    void ShowBitmap();
    void ShowPdf(const QString &file);
    bool PdfShown() const;
    void SetPdfViewZoom();
    void Changed();
    void PrintBitmap();
    void PrintPdf();
    QString PictureFolder() const;

    tMainState &state_;
    std::vector<QRadioButton *> &radios_;
    std::vector<QSlider *> effectBars_;   // TrackBar11 .. TrackBar22
    bool naming_ = false;
};
