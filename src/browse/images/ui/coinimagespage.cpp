#include "browse/images/ui/coinimagespage.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>

#include "core/model/blocks.h"
#include "core/files/collectionsettings.h"
#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/program/errorreport.h"
#include "core/model/helpers.h"
#include "core/model/mainstate.h"
#include "browse/seriespictures/seriespictures.h"
#include "platform/clipboard.h"
#include "platform/paths.h"
#include "platform/uiservices.h"
#include "core/program/ui/widgetkit.h"

namespace {

QString ReadError(const QString &file, const QString &why)
{
    return QStringLiteral("The picture \"%1\" cannot be read: %2").arg(QDir::toNativeSeparators(file), why);
}

bool IsPdf(const QString &file)
{
    return file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

// The picture dialogs' filters, with each pattern in both cases as this
// system's dialogs match names exactly.
QString BothCases(const QString &patterns)
{
    QStringList out;
    for (const QString &p : patterns.split(QLatin1Char(' ')))
        out << p.toLower() << p.toUpper();
    out.removeDuplicates();
    return out.join(QLatin1Char(' '));
}

QString LoadFilter()
{
    const std::pair<const char *, const char *> rows[] = {
        {"All (jpg, bmp, gif, tif, png, PDF)", "*.jpg *.bmp *.gif *.tif *.png *.pdf"},
        {"JPG: JPEG file", "*.jpg *.Jpeg"},
        {"BMP: Bitmap file", "*.bmp"},
        {"GIF: Bitmap file", "*.gif"},
        {"TIF: Tag Image File Format", "*.tif"},
        {"PNG: Portable Network Graphic", "*.png"},
        {"PDF: Portable Document Format", "*.pdf"},
    };
    QStringList lines;
    for (const auto &[caption, patterns] : rows)
        lines << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(caption), BothCases(QString::fromLatin1(patterns)));
    return lines.join(QStringLiteral(";;"));
}

constexpr int PdfZoomMin = 25;    // hundredths: 0.25
constexpr int PdfZoomMax = 800;   // 8
constexpr int PrintDpi = 1200;
constexpr int PdfRenderCap = 8192;

} // namespace

// ---------------------------------------------------------------------------
// The bitmap viewer

TPictureView::TPictureView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("iViewImage"));
}

void TPictureView::SetImage(const QImage &image)
{
    image_ = image;
    Resize();
    update();
}

void TPictureView::SetScale(double scale)
{
    scale = std::max(scale, 0.01);
    if (scale == scale_)
        return;
    scale_ = scale;
    Resize();
    update();
}

void TPictureView::Resize()
{
    const QSize size = image_.isNull() ? QSize(0, 0)
                                       : QSize(std::max(1, int(std::lround(image_.width() * scale_))),
                                               std::max(1, int(std::lround(image_.height() * scale_))));
    setFixedSize(size);
}

void TPictureView::paintEvent(QPaintEvent *)
{
    if (image_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), image_);
}

void TPictureView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    const double factor = event->angleDelta().y() > 0 ? 1.1 : 1 / 1.1;
    SetScale(std::clamp(scale_ * factor, 0.01, 10.0));
    Q_EMIT ScaleChanged(scale_);
    event->accept();
}

// ---------------------------------------------------------------------------
// The page

TCoinImagesPage::TCoinImagesPage(tMainState &state, std::vector<QRadioButton *> &radios, QWidget *parent)
    : QWidget(parent), state_(state), radios_(radios)
{
    setObjectName(QStringLiteral("ImagesPage"));
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(4, 4, 4, 4);

    // Centre: the caption bar over the bitmap viewer or the PDF view.
    auto *centre = new QVBoxLayout;
    ScanLabelLayout = Make<QWidget>("ScanLabelLayout");
    ScanLabelLayout->setCursor(Qt::PointingHandCursor);
    ScanLabelLayout->setToolTip(QStringLiteral("Double-click to open the picture"));
    auto *scan = new QHBoxLayout(ScanLabelLayout);
    scan->setContentsMargins(2, 2, 2, 2);
    ScanLabelRepository = Make<QLabel>("ScanLabelRepository");
    ScanLabelRepository->setStyleSheet(QStringLiteral("color: red"));
    ScanLabelBlack = Make<QLabel>("ScanLabelBlack");
    ScanLabelBlack->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ScanLabelBlue = Make<QLabel>("ScanLabelBlue");
    ScanLabelBlue->setStyleSheet(QStringLiteral("color: blue"));
    scan->addWidget(ScanLabelRepository);
    scan->addWidget(ScanLabelBlack, 1);
    scan->addWidget(ScanLabelBlue);
    ScanLabelLayout->installEventFilter(this);
    ScanLabelBlack->installEventFilter(this);
    centre->addWidget(ScanLabelLayout);

    PictureView = new TPictureView;
    iView = Make<QScrollArea>("iView");
    iView->setWidget(PictureView);
    iView->setAlignment(Qt::AlignCenter);
    iView->setFrameShape(QFrame::StyledPanel);
    centre->addWidget(iView, 1);

    ImagesPDFLayout = Make<QWidget>("ImagesPDFLayout");
    auto *pdf = new QVBoxLayout(ImagesPDFLayout);
    pdf->setContentsMargins(0, 0, 0, 0);
    FPdf2 = new QPdfDocument(this);
    FPdf2->setObjectName(QStringLiteral("FPdf2"));
    FPdfView2 = Make<QPdfView>("FPdfView2", ImagesPDFLayout);
    FPdfView2->setDocument(FPdf2);
    FPdfView2->setPageMode(QPdfView::PageMode::MultiPage);
    FPdfView2->setZoomMode(QPdfView::ZoomMode::Custom);
    pdf->addWidget(FPdfView2);
    centre->addWidget(ImagesPDFLayout, 1);
    h->addLayout(centre, 1);

    h->addWidget(BuildSide());

    connect(PictureView, &TPictureView::ScaleChanged, this, [this](double scale) {
        // The viewer's own zoom moves the bar, which then only relabels.
        TrackBar10->setValue(int(std::lround(scale * 100)));
    });
    ShowNothing();
    UpdateImageCaption(false);
    UpdateImageButtons();
}

TCoinImagesPage::~TCoinImagesPage() = default;

QWidget *TCoinImagesPage::BuildSide()
{
    auto *side = Make<QWidget>("ImagesSide");
    auto *v = new QVBoxLayout(side);
    v->setContentsMargins(2, 2, 2, 2);

    ImageRadioPanel = Make<QWidget>("ImageRadioPanel");
    auto *rv = new QVBoxLayout(ImageRadioPanel);
    rv->setContentsMargins(0, 0, 0, 0);
    rv->setSpacing(2);
    ImageGroup = new QButtonGroup(this);
    ImageGroup->setObjectName(QStringLiteral("ImageGroup"));
    ImageRadioObv = Make<QRadioButton>("ImageRadioObv", QStringLiteral("Obverse Image"));
    ImageRadioRev = Make<QRadioButton>("ImageRadioRev", QStringLiteral("Reverse image"));
    ImageRadioReceipt = Make<QRadioButton>("ImageRadioReceipt", QStringLiteral("Receipt Image"));
    ImageRadioAdd = Make<QRadioButton>("ImageRadioAdd", QStringLiteral("Add another image"));
    for (QRadioButton *r : {ImageRadioObv, ImageRadioRev, ImageRadioReceipt, ImageRadioAdd}) {
        r->setProperty("Tag", 0);
        ImageGroup->addButton(r);
        rv->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ImageRadioObvChange();
        });
    }
    {
        const QSignalBlocker quiet(ImageRadioObv);  // nothing to show before the page is built
        ImageRadioObv->setChecked(true);
    }
    radios_ = {ImageRadioObv, ImageRadioRev, ImageRadioReceipt, ImageRadioAdd};
    ImageNameEdit = Make<QLineEdit>("ImageNameEdit", ImageRadioPanel);
    ImageNameEdit->setMaxLength(24);
    ImageNameEdit->hide();
    connect(ImageNameEdit, &QLineEdit::editingFinished, this, [this] { ImageNameEditExit(); });
    v->addWidget(ImageRadioPanel);

    auto button = [&](QPushButton *&b, const char *name, const QString &caption, void (TCoinImagesPage::*fn)()) {
        b = Make<QPushButton>(name, caption);
        connect(b, &QPushButton::clicked, this, [this, fn] { Guarded([&] { (this->*fn)(); }); });
        v->addWidget(b);
    };
    button(LoadImageButton, "LoadImageButton", QStringLiteral("Load Image"), &TCoinImagesPage::LoadImageButtonClick);
    button(PasteImageButton, "PasteImageButton", QStringLiteral("Paste Image"), &TCoinImagesPage::PasteImageButtonClick);
    button(SaveImageButton, "SaveImageButton", QStringLiteral("Save Image"), &TCoinImagesPage::SaveImageButtonClick);
    button(EraseImageButton, "EraseImageButton", QStringLiteral("Remove Image"), &TCoinImagesPage::EraseImageButtonClick);
    button(PrintImageButton, "PrintImageButton", QStringLiteral("Print Image"), &TCoinImagesPage::PrintImageButtonClick);

    v->addWidget(BuildEffects());

    CoinPDFLayout = Make<QWidget>("CoinPDFLayout");
    auto *pv = new QVBoxLayout(CoinPDFLayout);
    pv->setContentsMargins(0, 6, 0, 0);
    CoinZoomPFDFh = Make<QPushButton>("CoinZoomPFDFh", QStringLiteral("Fit height"));
    CoinZoomPFDFw = Make<QPushButton>("CoinZoomPFDFw", QStringLiteral("Fit width"));
    for (QPushButton *b : {CoinZoomPFDFh, CoinZoomPFDFw}) {
        pv->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] { CoinZoomPFDFhClick(b); });
    }
    pv->addWidget(new QLabel(QStringLiteral("Zoom")));
    CoinPDFZoomTrackBar = Make<QSlider>("CoinPDFZoomTrackBar", Qt::Horizontal);
    CoinPDFZoomTrackBar->setRange(PdfZoomMin, PdfZoomMax);
    CoinPDFZoomTrackBar->setValue(PdfZoomMin);
    connect(CoinPDFZoomTrackBar, &QSlider::valueChanged, this, [this] { SetPdfViewZoom(); });
    pv->addWidget(CoinPDFZoomTrackBar);
    v->addWidget(CoinPDFLayout);
    v->addStretch(1);

    VertScrollBox1 = Make<QScrollArea>("VertScrollBox1");
    VertScrollBox1->setWidget(side);
    VertScrollBox1->setWidgetResizable(true);
    VertScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    VertScrollBox1->setFixedWidth(250);
    return VertScrollBox1;
}

QSlider *TCoinImagesPage::AddTrackBar(QWidget *box, const char *name, const QString &caption, int min, int max,
                                      int reset)
{
    auto *layout = static_cast<QVBoxLayout *>(box->layout());
    if (!caption.isEmpty())
        layout->addWidget(new QLabel(caption));
    auto *bar = Make<QSlider>(name, Qt::Horizontal);
    bar->setRange(min, max);
    bar->setValue(reset);
    bar->setProperty("ResetValue", reset);
    layout->addWidget(bar);
    return bar;
}

QWidget *TCoinImagesPage::BuildEffects()
{
    ImageEffectsLayout = Make<QWidget>("ImageEffectsLayout");
    auto *v = new QVBoxLayout(ImageEffectsLayout);
    v->setContentsMargins(0, 6, 0, 0);
    v->setSpacing(1);
    Button2 = Make<QPushButton>("Button2", QStringLiteral("Reset image adjustments"));
    connect(Button2, &QPushButton::clicked, this, [this] { Guarded([this] { ResetImageEffects(); }); });
    v->addWidget(Button2);
    auto *note = Make<QLabel>("ImageEffectsNote",
                              QStringLiteral("Changes to the settings below are temporary unless you save the image to "
                                             "disk; if you switch to another tab without saving the image, the image "
                                             "will revert to its original appearance."));
    note->setWordWrap(true);
    v->addWidget(note);

    ZoomLabel = Make<QLabel>("ZoomLabel", QStringLiteral("Zoom 100%"));
    v->addWidget(ZoomLabel);
    TrackBar10 = AddTrackBar(ImageEffectsLayout, "TrackBar10", QString(), 0, 1000, 100);
    connect(TrackBar10, &QSlider::valueChanged, this, [this](int value) {
        ZoomLabel->setText(QStringLiteral("Zoom %1%").arg(value));
        PictureView->SetScale(value / 100.0);
    });
    CropCheckBox = Make<QCheckBox>("CropCheckBox", QStringLiteral("Crop Image"));
    connect(CropCheckBox, &QCheckBox::toggled, this, [this] { Guarded([this] { CropCheckBoxChange(); }); });
    v->addWidget(CropCheckBox);

    TrackBar11 = AddTrackBar(ImageEffectsLayout, "TrackBar11", QStringLiteral("Contrast"), 0, 200, 100);
    TrackBar12 = AddTrackBar(ImageEffectsLayout, "TrackBar12", QStringLiteral("Brightness"), -70, 70, 0);
    TrackBar13 = AddTrackBar(ImageEffectsLayout, "TrackBar13", QStringLiteral("Saturation"), 0, 100, 100);
    TrackBar14 = AddTrackBar(ImageEffectsLayout, "TrackBar14", QStringLiteral("Sharpen"), 0, 200, 0);
    TrackBar15 = AddTrackBar(ImageEffectsLayout, "TrackBar15", QStringLiteral("Hue"), -100, 100, 0);
    v->addWidget(new QLabel(QStringLiteral("Rotate")));
    auto *turnRow = new QHBoxLayout;
    SpeedButton2 = Make<QToolButton>("SpeedButton2");
    SpeedButton2->setText(QStringLiteral("\u21BA"));
    SpeedButton2->setToolTip(QStringLiteral("Turn a quarter counter-clockwise"));
    SpeedButton3 = Make<QToolButton>("SpeedButton3");
    SpeedButton3->setText(QStringLiteral("\u21BB"));
    SpeedButton3->setToolTip(QStringLiteral("Turn a quarter clockwise"));
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    TrackBar16 = Make<QSlider>("TrackBar16", Qt::Horizontal);
    TrackBar16->setRange(-180, 180);
    TrackBar16->setProperty("ResetValue", 0);
    turnRow->addWidget(SpeedButton2);
    turnRow->addWidget(TrackBar16, 1);
    turnRow->addWidget(SpeedButton3);
    v->addLayout(turnRow);
    TrackBar17 = AddTrackBar(ImageEffectsLayout, "TrackBar17", QStringLiteral("Vertical perspective"), -40, 40, 0);
    TrackBar20 = AddTrackBar(ImageEffectsLayout, "TrackBar20", QStringLiteral("Vertical compression"), 0, 35, 0);
    TrackBar21 = AddTrackBar(ImageEffectsLayout, "TrackBar21", QStringLiteral("Vertical skew"), -20, 20, 0);
    TrackBar18 = AddTrackBar(ImageEffectsLayout, "TrackBar18", QStringLiteral("Horizontal perspective"), -40, 40, 0);
    TrackBar19 = AddTrackBar(ImageEffectsLayout, "TrackBar19", QStringLiteral("Horizontal compression"), 0, 35, 0);
    TrackBar22 = AddTrackBar(ImageEffectsLayout, "TrackBar22", QStringLiteral("Horizontal skew"), -20, 20, 0);
    effectBars_ = {TrackBar11, TrackBar12, TrackBar13, TrackBar14, TrackBar15, TrackBar16,
                   TrackBar17, TrackBar18, TrackBar19, TrackBar20, TrackBar21, TrackBar22};
    for (QSlider *bar : effectBars_)
        connect(bar, &QSlider::valueChanged, this, [this] { Guarded([this] { ApplyImageAdjustments(); }); });
    return ImageEffectsLayout;
}

bool TCoinImagesPage::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == ScanLabelLayout || watched == ScanLabelBlack) && event->type() == QEvent::MouseButtonDblClick)
        ScanLabelLayoutDblClick();
    return QWidget::eventFilter(watched, event);
}

// ---- The picture choice ----------------------------------------------------

tPictureSlot TCoinImagesPage::CheckedSlot() const
{
    QAbstractButton *checked = ImageGroup->checkedButton();
    if (checked == ImageRadioRev)
        return {tPictureKind::Reverse, 0};
    if (checked == ImageRadioReceipt)
        return {tPictureKind::Receipt, 0};
    if (checked == ImageRadioAdd)
        return {tPictureKind::Add, 0};
    if (checked && checked != ImageRadioObv)
        return {tPictureKind::Further, checked->property("Tag").toInt()};
    return {tPictureKind::Obverse, 0};
}

void TCoinImagesPage::CheckSlot(tPictureSlot slot)
{
    // Quietly: the caller shows the picture once the choice is made.
    auto check = [](QRadioButton *r) {
        const QSignalBlocker quiet(r);
        r->setChecked(true);
    };
    for (QRadioButton *r : radios_) {
        const bool match = (slot.Kind == tPictureKind::Obverse && r == ImageRadioObv) ||
                           (slot.Kind == tPictureKind::Reverse && r == ImageRadioRev) ||
                           (slot.Kind == tPictureKind::Receipt && r == ImageRadioReceipt) ||
                           (slot.Kind == tPictureKind::Add && r == ImageRadioAdd) ||
                           (slot.Kind == tPictureKind::Further && r->property("Tag").toInt() == slot.Tag &&
                            slot.Tag > 0);
        if (match) {
            check(r);
            return;
        }
    }
    check(ImageRadioObv);
}

void TCoinImagesPage::BuildImageRadios()
{
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    if (!coin)
        return;
    naming_ = true;  // hiding the editor ends its editing without a rename
    ImageNameEdit->hide();
    naming_ = false;
    VertScrollBox1->setUpdatesEnabled(false);
    const auto remembered = std::find(radios_.begin(), radios_.end(), ImageGroup->checkedButton()) - radios_.begin();
    // The radios are rebuilt without their change handlers: the caller shows
    // the picture once the choice is settled.
    const QSignalBlocker block(ImageGroup);
    // The radios of further pictures are kept and relabelled, and only the
    // ones no longer needed go, later: the name editor's exit runs this
    // while Qt is moving the focus to one of these radios, and deleting the
    // radio it is focusing there brings the program down.
    std::vector<QRadioButton *> further;
    for (QRadioButton *r : radios_)
        if (r->property("Tag").toInt() > 0)
            further.push_back(r);
    radios_ = {ImageRadioObv, ImageRadioRev, ImageRadioReceipt};
    auto *layout = static_cast<QVBoxLayout *>(ImageRadioPanel->layout());
    size_t used = 0;
    for (const tPictureRadio &pr : PictureRadios(*coin)) {
        if (pr.Slot.Kind != tPictureKind::Further)
            continue;
        QRadioButton *r = nullptr;
        if (used < further.size()) {
            r = further[used];
            r->setText(pr.Caption);
        } else {
            r = new QRadioButton(pr.Caption, ImageRadioPanel);
            ImageGroup->addButton(r);
            layout->insertWidget(layout->indexOf(ImageRadioAdd), r);
            connect(r, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    ImageRadioObvChange();
            });
            connect(r, &QRadioButton::clicked, this, [this, r] { ImageRadioObvClick(r); });
        }
        ++used;
        r->setObjectName(QStringLiteral("ImageRadioFurther%1").arg(pr.Slot.Tag));
        r->setProperty("Tag", pr.Slot.Tag);
        QFont f = ImageRadioObv->font();
        f.setItalic(pr.Italic);
        r->setFont(f);
        radios_.push_back(r);
    }
    for (size_t i = used; i < further.size(); ++i) {
        QRadioButton *gone = further[i];
        ImageGroup->removeButton(gone);
        gone->setProperty("Tag", 0);
        gone->setAutoExclusive(false);
        gone->hide();
        gone->deleteLater();
    }
    radios_.push_back(ImageRadioAdd);
    for (QRadioButton *r : radios_)
        r->setAutoExclusive(true);
    QRadioButton *target = remembered < qsizetype(radios_.size()) ? radios_[size_t(remembered)] : ImageRadioObv;
    {
        const QSignalBlocker quiet(target);
        target->setChecked(true);
    }
    VertScrollBox1->setUpdatesEnabled(true);
}

void TCoinImagesPage::ImageRadioObvChange()
{
    Guarded([this] {
        LoadCoinImage();
        UpdateImageButtons();
        ResetImageEffects();
    });
}

void TCoinImagesPage::ImageRadioObvClick(QRadioButton *radio)
{
    if (!radio->isChecked())
        return;
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    if (!coin)
        return;
    const int tag = radio->property("Tag").toInt();
    const QStringList names = FurtherNames(*coin);
    ImageNameEdit->setProperty("Tag", tag);
    ImageNameEdit->setGeometry(radio->x() + 19, radio->y(), std::max(40, radio->width() - 19), radio->height());
    ImageNameEdit->setText(tag <= names.size() ? names[tag - 1] : QString());
    ImageNameEdit->show();
    ImageNameEdit->raise();
    ImageNameEdit->setFocus();
}

void TCoinImagesPage::ImageNameEditExit()
{
    if (naming_ || ImageNameEdit->isHidden())
        return;
    naming_ = true;
    ImageNameEdit->hide();
    naming_ = false;
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    const tPictureSlot slot = CheckedSlot();
    if (!coin || slot.Kind != tPictureKind::Further)
        return;
    if (NamePicture(*coin, slot.Tag, ImageNameEdit->text()))
        Changed();
    BuildImageRadios();
}

QString TCoinImagesPage::SelectedFile() const
{
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    if (!coin)
        return {};
    const QString stored = StoredPicture(*coin, CheckedSlot());
    if (stored.trimmed().isEmpty())
        return {};
    return platform::resolvePath(TrimFileName(UnpackRepositoryPath(state_, stored)));
}

// ---- Showing the chosen picture --------------------------------------------

void TCoinImagesPage::ShowNothing()
{
    PictureView->SetImage(QImage());
    OrgImage = QImage();
    iView->hide();
    ImageEffectsLayout->hide();
    ImagesPDFLayout->hide();
    CoinPDFLayout->hide();
}

void TCoinImagesPage::ShowBitmap()
{
    FPdf2->close();
    ImagesPDFLayout->hide();
    CoinPDFLayout->hide();
    ImageEffectsLayout->show();
    iView->show();
}

void TCoinImagesPage::ShowPdf(const QString &file)
{
    FPdf2->close();
    const QPdfDocument::Error error = FPdf2->load(file);
    if (error != QPdfDocument::Error::None)
        throw std::runtime_error(ReadError(file, QStringLiteral("it is not a PDF document that can be opened."))
                                     .toStdString());
    PictureView->SetImage(QImage());
    OrgImage = QImage();
    ImageEffectsLayout->hide();
    iView->hide();
    ImagesPDFLayout->show();
    CoinPDFLayout->show();
    FPdfView2->pageNavigator()->jump(0, {}, 0);
    CoinZoomPFDFhClick(CoinZoomPFDFw);
    FPdfView2->horizontalScrollBar()->setValue(0);
    FPdfView2->verticalScrollBar()->setValue(0);
}

bool TCoinImagesPage::PdfShown() const
{
    return !ImagesPDFLayout->isHidden();
}

void TCoinImagesPage::LoadCoinImage()
{
    CurrProcGuard guard(Blocks::LoadCoinImage);
    ResetImageEffects();
    const QString file = SelectedFile();
    try {
        if (!file.isEmpty() && QFileInfo(file).isFile()) {
            if (IsPdf(file)) {
                ShowPdf(file);
            } else {
                QImageReader reader(file);
                reader.setAutoTransform(true);
                QImage img = reader.read();
                if (img.isNull())
                    throw std::runtime_error(ReadError(file, reader.errorString()).toStdString());
                OrgImage = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
                ResetControls();  // a picture is first shown as it is
                ShowBitmap();
                ApplyImageAdjustments();
            }
        } else {
            ShowNothing();
        }
    } catch (...) {
        ShowNothing();
        UpdateImageCaption(false);
        throw;
    }
    UpdateImageCaption(false);
}

void TCoinImagesPage::UpdateImageButtons()
{
    const bool add = CheckedSlot().Kind == tPictureKind::Add;
    const bool bitmap = !iView->isHidden() && !PictureView->Image().isNull();
    SaveImageButton->setEnabled(bitmap && !add);
    PrintImageButton->setEnabled(!add && (bitmap || PdfShown()));
    EraseImageButton->setEnabled(CanRemovePicture(Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr, CheckedSlot()));
}

void TCoinImagesPage::UpdateImageCaption(bool pasted)
{
    if (pasted) {
        ScanLabelRepository->setText(QStringLiteral("(Not yet saved)  "));
        ScanLabelRepository->show();
        ScanLabelBlack->setText(QStringLiteral("This image was pasted from the clipboard"));
    } else {
        tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
        QString stored = coin ? StoredPicture(*coin, CheckedSlot()) : QString();
        if (stored.startsWith(QLatin1String("R~"), Qt::CaseInsensitive)) {
            stored = stored.mid(2);
            ScanLabelRepository->setText(QStringLiteral("Repository"));
            ScanLabelRepository->show();
        } else {
            ScanLabelRepository->hide();
        }
        ScanLabelBlack->setText(QDir::toNativeSeparators(stored));
    }
    ShowImageSize();
}

// ---- The adjustments --------------------------------------------------------

tImageAdjustments TCoinImagesPage::Adjustments() const
{
    tImageAdjustments a;
    a.Contrast = TrackBar11->value();
    a.Brightness = TrackBar12->value();
    a.Saturation = TrackBar13->value();
    a.Sharpen = TrackBar14->value();
    a.Hue = TrackBar15->value();
    a.Rotate = TrackBar16->value();
    a.Crop = CropCheckBox->isChecked();
    a.CropRect = iCropRect;
    a.VerticalPerspective = TrackBar17->value();
    a.HorizontalPerspective = TrackBar18->value();
    a.HorizontalCompression = TrackBar19->value();
    a.VerticalCompression = TrackBar20->value();
    a.VerticalSkew = TrackBar21->value();
    a.HorizontalSkew = TrackBar22->value();
    return a;
}

void TCoinImagesPage::ApplyImageAdjustments()
{
    CurrProcGuard guard(Blocks::ApplyImageAdjustments);
    if (OrgImage.isNull())
        return;
    ++Recomputations;
    PictureView->SetImage(::ApplyImageAdjustments(OrgImage, Adjustments()));
    ShowImageSize();
}

void TCoinImagesPage::ShowImageSize()
{
    const QImage &shown = PictureView->Image();
    ScanLabelBlue->setText(QStringLiteral("(Image size: %1 by %2)").arg(shown.width()).arg(shown.height()));
    ScanLabelBlue->setVisible(!shown.isNull());
}

void TCoinImagesPage::ResetImageEffects()
{
    if (ImageEffectsLayout->isHidden())
        return;
    FitImageZoom();
    if (ResetControls())
        ApplyImageAdjustments();
}

bool TCoinImagesPage::ResetControls()
{
    // Every control goes back at once, so the picture is recomputed once.
    bool changed = false;
    for (QSlider *bar : effectBars_) {
        const int reset = bar->property("ResetValue").toInt();
        if (bar->value() != reset) {
            const QSignalBlocker block(bar);
            bar->setValue(reset);
            changed = true;
        }
    }
    if (CropCheckBox->isChecked()) {
        const QSignalBlocker block(CropCheckBox);
        CropCheckBox->setChecked(false);
        changed = true;
    }
    return changed;
}

void TCoinImagesPage::FitImageZoom()
{
    if (OrgImage.width() <= 0 || OrgImage.height() <= 0)
        return;
    TrackBar10->setValue(FitZoomPercent(OrgImage.size(), iView->viewport()->size()));
}

void TCoinImagesPage::CropCheckBoxChange()
{
    if (CropCheckBox->isChecked())
        iCropRect = ViewportCropRect(QPoint(iView->horizontalScrollBar()->value(), iView->verticalScrollBar()->value()),
                                     iView->viewport()->size(), PictureView->BitmapScale(),
                                     PictureView->Image().size());
    ApplyImageAdjustments();
}

void TCoinImagesPage::SpeedButton2Click()
{
    TrackBar16->setValue(QuarterTurnLeft(TrackBar16->value()));
}

void TCoinImagesPage::SpeedButton3Click()
{
    TrackBar16->setValue(QuarterTurnRight(TrackBar16->value()));
}

// ---- PDF zoom ---------------------------------------------------------------

void TCoinImagesPage::CoinZoomPFDFhClick(QObject *sender)
{
    if (FPdf2->pageCount() < 1)
        return;
    const QSizeF page = FPdf2->pagePointSize(FPdfView2->pageNavigator()->currentPage());
    const double ppi = FPdfView2->logicalDpiX();
    if (page.width() <= 0 || page.height() <= 0)
        return;
    const QSize box = FPdfView2->viewport()->size();
    const double zoom = sender == CoinZoomPFDFw ? (box.width() - 32) / (page.width() * ppi / 72)
                                                : box.height() / (page.height() * ppi / 72);
    CoinPDFZoomTrackBar->setValue(std::clamp(int(std::lround(zoom * 100)), PdfZoomMin, PdfZoomMax));
    SetPdfViewZoom();
}

void TCoinImagesPage::SetPdfViewZoom()
{
    FPdfView2->setZoomMode(QPdfView::ZoomMode::Custom);
    FPdfView2->setZoomFactor(CoinPDFZoomTrackBar->value() / 100.0);
}

// ---- Commands ---------------------------------------------------------------

QString TCoinImagesPage::PictureFolder() const
{
    return OpenPicturePath.isEmpty() ? platform::toSlashes(state_.RepositoryPath) : OpenPicturePath;
}

void TCoinImagesPage::Changed()
{
    if (Hooks.Modified)
        Hooks.Modified();
}

void TCoinImagesPage::LoadImageButtonClick()
{
    CurrProcGuard guard(Blocks::LoadImageButtonClick);
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    if (!coin)
        return;
    platform::FileRequest request;
    request.Title = QStringLiteral("Load a coin picture");
    request.Folder = PictureFolder();
    request.Filter = LoadFilter();
    request.DefaultSuffix = QStringLiteral("bmp");
    const QString chosen = platform::ui().openFileName(request);
    if (chosen.isEmpty())
        return;
    // The file is read before the entry points to it: a picture that cannot
    // be read leaves the entry and the collection as they were.
    if (IsPdf(chosen)) {
        QPdfDocument probe;
        if (probe.load(chosen) != QPdfDocument::Error::None)
            throw std::runtime_error(
                ReadError(chosen, QStringLiteral("it is not a PDF document that can be opened.")).toStdString());
    } else {
        // A header that declares more pixels than a picture may have is
        // refused before anything is decoded. Then the whole picture is
        // decoded, not just its header: a truncated file reads a header and
        // then fails.
        QImageReader reader(chosen);
        reader.setAutoTransform(true);
        if (const QSize size = reader.size(); !PictureFitsLimit(size))
            throw std::runtime_error(ReadError(chosen, QStringLiteral("at %1 by %2 pixels it is too large to be shown.")
                                                           .arg(size.width())
                                                           .arg(size.height()))
                                         .toStdString());
        if (reader.read().isNull())
            throw std::runtime_error(ReadError(chosen, reader.errorString()).toStdString());
    }
    const tPictureSlot slot = AttachPicture(*coin, CheckedSlot(), PackRepositoryPath(state_, chosen));
    OpenPicturePath = QFileInfo(chosen).absolutePath();
    // A picture added through "Add another image" takes that radio's place.
    BuildImageRadios();
    CheckSlot(slot);
    Changed();
    LoadCoinImage();
    UpdateImageButtons();
    if (!IsPdf(chosen))
        FitImageZoom();
    UpdateImageCaption(false);
}

void TCoinImagesPage::EraseImageButtonClick()
{
    CurrProcGuard guard(Blocks::EraseImageButtonClick);
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    if (!coin)
        return;
    const tPictureSlot slot = CheckedSlot();
    const QString stored = StoredPicture(*coin, slot);
    if (!stored.trimmed().isEmpty()) {
        const QString file = platform::resolvePath(UnpackRepositoryPath(state_, stored));
        // The question shows the picture itself, so the file is named as found.
        if (QFileInfo(file).isFile()) {
            const QString text = QStringLiteral(
                "You've selected to remove this image.\rThis will detach the image from this coin entry.\r"
                "The image file will not be deleted, but it will no longer be tied to this coin entry.\r"
                "Do you wish to continue?");
            if (ShowEpicMessage(text, QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {}, -1, -1, -1, -1,
                                -1, -1, 0, {}, false, file) != 1) {
                BuildImageRadios();
                UpdateImageButtons();
                return;
            }
        }
        // The file itself stays on disk. After a further picture the one
        // before it is chosen and shown.
        const tPictureSlot next = DetachPicture(*coin, slot);
        Changed();
        BuildImageRadios();
        CheckSlot(next);
        LoadCoinImage();
    }
    BuildImageRadios();
    UpdateImageButtons();
}

void TCoinImagesPage::PasteImageButtonClick()
{
    CurrProcGuard guard(Blocks::PasteImageButtonClick);
    platform::Clipboard &board = platform::clipboard();
    if (!board.available())
        return;
    const QImage pasted = board.image();
    if (pasted.isNull())
        return;  // text or nothing: only pictures are pasted
    ShowBitmap();
    OrgImage = pasted.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ResetControls();
    ApplyImageAdjustments();
    UpdateImageCaption(true);
    FitImageZoom();
    UpdateImageButtons();
}

void TCoinImagesPage::SaveImageButtonClick()
{
    CurrProcGuard guard(Blocks::SaveImageButtonClick);
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    const tPictureSlot slot = CheckedSlot();
    if (!coin || slot.Kind == tPictureKind::Add || PictureView->Image().isNull())
        return;
    const QStringList filters = WritablePictureFilters();
    if (filters.isEmpty())
        throw std::runtime_error("No picture format can be written on this system.");
    platform::FileRequest request;
    request.Title = QStringLiteral("Save this coin picture");
    request.Folder = PictureFolder();
    request.Filter = filters.join(QStringLiteral(";;"));
    request.DefaultSuffix = QStringLiteral("BMP");
    request.ConfirmOverwrite = false;  // asked below, about the trimmed name
    const QString chosen = platform::ui().saveFileName(request);
    if (chosen.isEmpty())
        return;
    // The name is trimmed before anything is checked, so the question about
    // an existing file is asked about the file actually written.
    const QString name = TrimFileName(chosen);
    const QByteArray format = PictureWriteFormat(name);
    if (format.isEmpty())
        throw std::runtime_error(QStringLiteral("\"%1\" does not name a picture format that can be written.")
                                     .arg(QDir::toNativeSeparators(name))
                                     .toStdString());
    if (QFileInfo::exists(name) &&
        ShowEpicMessage(QStringLiteral("The file \"%1\" already exists.\rDo you want to replace it?")
                            .arg(QDir::toNativeSeparators(name)),
                        QStringLiteral("Yes"), QStringLiteral("No")) != 1)
        return;
    const QImage shown = format == "jpeg" || format == "bmp" ? FlattenOnWhite(PictureView->Image())
                                                              : PictureView->Image();
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || !shown.save(&file, format.constData()) || !file.commit())
        throw std::runtime_error(QStringLiteral("The picture could not be written to \"%1\".")
                                     .arg(QDir::toNativeSeparators(name))
                                     .toStdString());
    AttachPicture(*coin, slot, PackRepositoryPath(state_, name));
    if (slot.Kind == tPictureKind::Further)
        BuildImageRadios();
    OpenPicturePath = QFileInfo(name).absolutePath();
    UpdateImageCaption(false);
    Changed();
}

void TCoinImagesPage::PrintImageButtonClick()
{
    CurrProcGuard guard(Blocks::PrintImageButtonClick);
    if (!iView->isHidden() && !PictureView->Image().isNull())
        PrintBitmap();
    else if (PdfShown())
        PrintPdf();
}

namespace {

bool DefaultPrintDialog(QPrinter &printer, int pageCount, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    if (pageCount > 0)
        dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

void TCoinImagesPage::PrintBitmap()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrintRange(QPrinter::AllPages);
    const bool ok = Hooks.ChoosePrinter ? Hooks.ChoosePrinter(printer, 0) : DefaultPrintDialog(printer, 0, this);
    if (!ok)
        return;
    printer.setResolution(PrintDpi);
    printer.setDocName(ScanLabelBlack->text());
    const QImage &shown = PictureView->Image();
    QPainter p;
    if (!p.begin(&printer))
        throw std::runtime_error("The printer could not be started.");
    const QRectF page(0, 0, p.device()->width(), p.device()->height());
    // The page shrunk to the picture's proportions, from its top-left corner.
    QRectF target = page;
    if (page.height() / page.width() > double(shown.height()) / shown.width())
        target.setHeight(page.width() * shown.height() / shown.width());
    else
        target.setWidth(page.height() * shown.width() / shown.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(1);
    p.drawImage(target, shown, shown.rect());
    p.end();
}

void TCoinImagesPage::PrintPdf()
{
    const int pages = FPdf2->pageCount();
    if (pages < 1)
        return;
    QPrinter printer(QPrinter::HighResolution);
    const QSizeF first = FPdf2->pagePointSize(0);
    printer.setPageOrientation(first.width() > first.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QString title = FPdf2->metaData(QPdfDocument::MetaDataField::Title).toString();
    printer.setDocName(title.isEmpty() ? ScanLabelBlack->text() : title);
    const bool ok = Hooks.ChoosePrinter ? Hooks.ChoosePrinter(printer, pages) : DefaultPrintDialog(printer, pages, this);
    if (!ok)
        return;
    int from = 1, to = pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(pages, printer.toPage() > 0 ? printer.toPage() : pages);
    }
    QPainter p;
    if (!p.begin(&printer))
        throw std::runtime_error("The printer could not be started.");
    const int dpi = printer.resolution();
    for (int i = from; i <= to; ++i) {
        if (i > from)
            printer.newPage();
        const QRectF target(0, 0, p.device()->width(), p.device()->height());
        // The page is rendered at the printer's resolution, but never larger
        // than a renderer can hold.
        QSizeF px = FPdf2->pagePointSize(i - 1) * dpi / 72.0;
        if (std::max(px.width(), px.height()) > PdfRenderCap)
            px.scale(PdfRenderCap, PdfRenderCap, Qt::KeepAspectRatio);
        const QImage rendered = FPdf2->render(i - 1, px.toSize());
        p.drawImage(target, rendered, rendered.rect());
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    p.end();
}

void TCoinImagesPage::ScanLabelLayoutDblClick()
{
    tCoinInfo *coin = Hooks.SelectedCoin ? Hooks.SelectedCoin() : nullptr;
    if (!coin)
        return;
    const QString stored = StoredPicture(*coin, CheckedSlot());
    if (stored.isEmpty())
        return;
    const QString file = platform::resolvePath(UnpackRepositoryPath(state_, stored));
    if (Hooks.OpenFile)
        Hooks.OpenFile(file);
    else
        MultiPlatformOpen(file);
}
