#include <QtTest>

#include <QBuffer>
#include <QCheckBox>
#include <QImageReader>
#include <QtEndian>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

#include "core/files/collectionfile.h"
#include "core/model/mainstate.h"
#include "browse/images/coinpictures.h"
#include "browse/shell/pageswitch.h"
#include "browse/images/ui/coinimagespage.h"
#include "browse/images/ui/repositoryform.h"
#include "platform/clipboard.h"
#include "support/coinspagedriver.h"
#include "support/recordingstores.h"
#include "support/testsupport.h"

// The Images page and the repository window as a collector meets them in
// the assembled program: an entry made on the Coins page, its pictures
// loaded through "Load Image", adjusted with the sliders, named, removed,
// saved and printed; PDF pictures fitted; the repository folder chosen
// from the Tools menu.
namespace {

// Radios and check boxes take a click on their mark or caption, not on
// the free room beside them.
void ClickMark(QAbstractButton *b)
{
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->objectName()));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    Settle();
}

// A picture whose quarters have different colours, so turns show.
QString WritePng(const QString &path, QSize size = QSize(40, 30))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::red);
    p.fillRect(size.width() / 2, size.height() / 2, size.width() / 2, size.height() / 2, Qt::blue);
    p.end();
    QDir().mkpath(QFileInfo(path).path());
    if (!img.save(path, "PNG"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A PDF of pages of 300 x 400 points.
QString WritePdf(const QString &path, int pages)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QSizeF(300, 400), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QStringLiteral("Certificate"));
    QPainter p(&pdf);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.newPage();
        p.drawText(QPointF(200, 200), QStringLiteral("Page %1").arg(i + 1));
    }
    p.end();
    return path;
}

// The CRC that closes each PNG chunk (over its type and data).
quint32 Crc32(const QByteArray &bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes) {
        c ^= static_cast<unsigned char>(b);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// A PNG whose header is sound but whose data cannot be decoded: "truncated"
// cuts a real picture in half; "oversized" declares 60000 x 60000 pixels,
// far more than a decoder will allocate.
QString WriteUndecodablePng(const QString &path, const QString &kind)
{
    QByteArray bytes;
    if (kind == QLatin1String("truncated")) {
        QImage img(200, 150, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, qRgb(x, y, (x * y) & 255));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
        bytes.truncate(bytes.size() / 2);
    } else {
        auto chunk = [&bytes](const char *type, const QByteArray &data) {
            QByteArray body = QByteArray(type) + data;
            QByteArray length(4, 0), crc(4, 0);
            qToBigEndian(quint32(data.size()), length.data());
            qToBigEndian(Crc32(body), crc.data());
            bytes += length + body + crc;
        };
        bytes = QByteArray("\x89PNG\r\n\x1a\n", 8);
        QByteArray header(13, 0);
        qToBigEndian(quint32(60000), header.data());
        qToBigEndian(quint32(60000), header.data() + 4);
        header[8] = 8;  // bits per sample
        header[9] = 2;  // RGB
        chunk("IHDR", header);
        chunk("IDAT", QByteArray::fromHex("789c030000000001"));
        chunk("IEND", QByteArray());
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

struct tImagesPage {
    tProgramFixture program{tScriptedUi::tUnscripted::Fail};
    TMainForm *form = nullptr;
    TCoinImagesPage *page = nullptr;
    tCoinInfo *coin = nullptr;

    // A new collection, a series, one entry made with New, then the Images tab.
    void Open()
    {
        std::vector<tnodeinfo *> series;
        OpenEmptySeries(program, series);
        form = &program.Form();
        Click(Control<QPushButton>(*form, "NewCoinBtn"));
        tMainState &s = program.State();
        QCOMPARE(s.CurrCoinList.size(), size_t(1));
        coin = s.CurrCoinList.front();
        s.DataModified = false;
        ClickTab(*form, PageImages);
        page = form->ImagesPage;
        QVERIFY(page);
        QVERIFY(page->isVisible());
    }
    QString Path(const QString &name) const { return QDir(program.Home()).filePath(name); }
    void Load(const QString &file)
    {
        program.Ui.pick({file});
        Click(page->LoadImageButton);
    }
    QImage Shown() const { return page->PictureView->Image(); }
    QStringList Radios() const
    {
        QStringList out;
        for (QRadioButton *r : form->ImageRadios)
            out << r->text();
        return out;
    }
};

} // namespace

class tst_ImagesPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "Load Image" with the obverse chosen: the picture shows, its name and
    // size are in the caption, the entry points to it and the collection
    // is modified; the saved file holds the path.
    void loadingShowsThePicture()
    {
        tImagesPage t;
        t.Open();
        QVERIFY(t.form->ImageRadioObv->isChecked());
        QCOMPARE(t.Radios(), (QStringList{"Obverse Image", "Reverse image", "Receipt Image", "Add another image"}));
        QVERIFY(!t.page->SaveImageButton->isEnabled() && !t.page->PrintImageButton->isEnabled());
        // Nothing to remove from an entry without a picture.
        QVERIFY(!t.page->EraseImageButton->isEnabled());
        const QString png = WritePng(t.Path(QStringLiteral("pics/obverse.png")));
        t.Load(png);

        QCOMPARE(t.program.Ui.FileRequests.back().Title, QStringLiteral("Load a coin picture"));
        QVERIFY(t.page->iView->isVisible() && t.page->ImageEffectsLayout->isVisible());
        QVERIFY(!t.page->ImagesPDFLayout->isVisible() && !t.page->CoinPDFLayout->isVisible());
        QCOMPARE(t.Shown().size(), QSize(40, 30));
        QCOMPARE(t.Shown().pixel(1, 1), qRgb(255, 0, 0));
        QCOMPARE(t.coin->Obverse, png);
        QVERIFY(t.program.State().DataModified);
        QCOMPARE(t.page->ScanLabelBlack->text(), png);
        QVERIFY(!t.page->ScanLabelRepository->isVisible());
        QCOMPARE(t.page->ScanLabelBlue->text(), QStringLiteral("(Image size: 40 by 30)"));
        QVERIFY(t.page->SaveImageButton->isEnabled() && t.page->PrintImageButton->isEnabled());
        QVERIFY(t.page->EraseImageButton->isEnabled());

        // The other sides show nothing until they have a picture.
        ClickMark(t.form->ImageRadioRev);
        QVERIFY(!t.page->iView->isVisible() && !t.page->ImagesPDFLayout->isVisible());
        QVERIFY(!t.page->SaveImageButton->isEnabled());
        QVERIFY(!t.page->EraseImageButton->isEnabled());
        ClickMark(t.form->ImageRadioObv);
        QCOMPARE(t.Shown().size(), QSize(40, 30));

        const QString saved = t.Path(QStringLiteral("Mine.OVD"));
        t.program.Ui.pick({saved});
        t.program.Trigger(QStringLiteral("SaveCoinData1"));
        tMainState read;
        QVERIFY(LoadDataFromFile(read, saved, false));
        QCOMPARE(read.CoinList.size(), size_t(1));
        QCOMPARE(read.CoinList.front()->Obverse, png);
    }

    // A file that is not a picture is reported and leaves the entry and
    // the collection as they were.
    void unreadablePictureChangesNothing()
    {
        tImagesPage t;
        t.Open();
        const QString bad = t.Path(QStringLiteral("broken.png"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
        f.close();
        t.Load(bad);
        QCOMPARE(t.program.Ui.Errors.size(), size_t(1));
        QVERIFY(t.program.Ui.Errors.front().Message.contains(QStringLiteral("broken.png")));
        QVERIFY(t.coin->Obverse.isEmpty());
        QVERIFY(!t.program.State().DataModified);
        t.program.Ui.pick({});  // cancelled: nothing happens
        Click(t.page->LoadImageButton);
        QVERIFY(t.coin->Obverse.isEmpty());
    }

    // A picture whose header reads but whose data does not is reported and
    // attached nowhere: not to the obverse, not as a further picture.
    void undecodablePictureIsNotAttached_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("truncated") << QStringLiteral("truncated");
        QTest::newRow("too large to decode") << QStringLiteral("oversized");
    }
    void undecodablePictureIsNotAttached()
    {
        QFETCH(QString, kind);
        tImagesPage t;
        t.Open();
        const QString bad = WriteUndecodablePng(t.Path(QStringLiteral("bad.png")), kind);
        QVERIFY(QImageReader(bad).canRead());  // the header is fine
        t.Load(bad);
        QCOMPARE(t.program.Ui.Errors.size(), size_t(1));
        QVERIFY(t.program.Ui.Errors.front().Message.contains(QStringLiteral("bad.png")));
        QVERIFY(t.coin->Obverse.isEmpty());
        QVERIFY(!t.program.State().DataModified);

        ClickMark(t.form->ImageRadioAdd);
        t.Load(bad);
        QCOMPARE(t.program.Ui.Errors.size(), size_t(2));
        QVERIFY(t.coin->OtherImages.isEmpty());
        QCOMPARE(t.Radios(), (QStringList{"Obverse Image", "Reverse image", "Receipt Image", "Add another image"}));
        QVERIFY(!t.program.State().DataModified);
    }

    // With two further pictures, a click on the first opens its name editor
    // and a click on the second ends that editing and chooses the second:
    // the radios are relabelled under the click, and the second picture's
    // name editor opens.
    void switchingBetweenFurtherPicturesWhileNaming()
    {
        tImagesPage t;
        t.Open();
        ClickMark(t.form->ImageRadioAdd);
        t.Load(WritePng(t.Path(QStringLiteral("one.png"))));
        ClickMark(t.form->ImageRadioAdd);
        t.Load(WritePng(t.Path(QStringLiteral("two.png")), QSize(20, 10)));
        QCOMPARE(t.Radios().mid(3), (QStringList{"Click to name image", "Click to name image", "Add another image"}));

        QRadioButton *first = t.form->ImageRadios[3];
        ClickMark(first);
        QVERIFY(first->isChecked());
        QCOMPARE(t.Shown().size(), QSize(40, 30));
        ClickMark(first);  // the chosen radio clicked again: its name editor
        QVERIFY(t.page->ImageNameEdit->isVisible());
        QTest::keyClicks(t.page->ImageNameEdit, QStringLiteral("Edge"));

        QRadioButton *second = t.form->ImageRadios[4];
        ClickMark(second);
        QVERIFY(second->isChecked());
        QCOMPARE(FurtherNames(*t.coin).value(0), QStringLiteral("Edge"));
        QCOMPARE(t.Radios().mid(3), (QStringList{"Edge", "Click to name image", "Add another image"}));
        QCOMPARE(t.Shown().size(), QSize(20, 10));
        ClickMark(second);
        QVERIFY(t.page->ImageNameEdit->isVisible());
        QTest::keyClicks(t.page->ImageNameEdit, QStringLiteral("Rim"));
        ClickMark(first);
        QVERIFY(first->isChecked());
        QCOMPARE(FurtherNames(*t.coin), (QStringList{"Edge", "Rim"}));
        QCOMPARE(t.Shown().size(), QSize(40, 30));
    }

    // The sliders recompute the shown picture from the unedited one; the
    // reset puts every control back with one recomputation.
    void slidersChangeTheShownPicture()
    {
        tImagesPage t;
        t.Open();
        t.Load(WritePng(t.Path(QStringLiteral("a.png"))));
        const QImage original = t.Shown();

        Click(t.page->SpeedButton3);  // a quarter clockwise
        QCOMPARE(t.page->TrackBar16->value(), 90);
        QCOMPARE(t.Shown().size(), QSize(30, 40));
        QCOMPARE(t.Shown().pixel(28, 1), qRgb(255, 0, 0));  // the red quarter is now top-right
        QCOMPARE(t.page->ScanLabelBlue->text(), QStringLiteral("(Image size: 30 by 40)"));
        Click(t.page->SpeedButton2);
        QCOMPARE(t.page->TrackBar16->value(), 0);

        t.page->TrackBar12->setValue(60);  // brightness
        QVERIFY(t.Shown().pixel(5, 5) != original.pixel(5, 5));
        t.page->TrackBar19->setValue(10);  // horizontal compression
        QCOMPARE(t.Shown().width(), 32);
        QCOMPARE(t.coin->Obverse, t.Path(QStringLiteral("a.png")));  // the file is never changed

        const int before = t.page->Recomputations;
        Click(t.page->Button2);
        QCOMPARE(t.page->Recomputations, before + 1);
        QCOMPARE(t.page->TrackBar12->value(), 0);
        QCOMPARE(t.page->TrackBar19->value(), 0);
        QCOMPARE(t.Shown(), original.convertToFormat(t.Shown().format()));

        // The zoom bar sets the viewer's scale and its label.
        t.page->TrackBar10->setValue(250);
        QCOMPARE(t.page->PictureView->BitmapScale(), 2.5);
        QCOMPARE(t.page->ZoomLabel->text(), QStringLiteral("Zoom 250%"));
    }

    // Crop takes exactly the part the viewer shows; switched off, the
    // whole picture returns.
    void cropTakesTheViewersPart()
    {
        tImagesPage t;
        t.Open();
        t.Load(WritePng(t.Path(QStringLiteral("big.png")), QSize(2000, 1600)));
        t.page->TrackBar10->setValue(100);
        Settle();
        QScrollArea *view = t.page->iView;
        view->horizontalScrollBar()->setValue(300);
        view->verticalScrollBar()->setValue(200);
        const QSize client = view->viewport()->size();
        ClickMark(t.page->CropCheckBox);
        QCOMPARE(t.Shown().size(), client.boundedTo(QSize(2000 - 300, 1600 - 200)));
        ClickMark(t.page->CropCheckBox);
        QCOMPARE(t.Shown().size(), QSize(2000, 1600));
    }

    // "Add another image" on an entry without further pictures, naming it
    // inline, then removing it: the file stays, the lists stay aligned.
    void furtherPictureAddedNamedRemoved()
    {
        tImagesPage t;
        t.Open();
        const QString one = WritePng(t.Path(QStringLiteral("one.png")));
        const QString two = WritePng(t.Path(QStringLiteral("two.png")));
        ClickMark(t.form->ImageRadioAdd);
        QVERIFY(!t.page->SaveImageButton->isEnabled() && !t.page->PrintImageButton->isEnabled());
        t.Load(one);
        QCOMPARE(t.Radios(), (QStringList{"Obverse Image", "Reverse image", "Receipt Image", "Click to name image",
                                          "Add another image"}));
        QRadioButton *first = t.form->ImageRadios[3];
        QVERIFY(first->isChecked() && first->font().italic());
        QCOMPARE(t.Shown().size(), QSize(40, 30));
        QCOMPARE(t.coin->OtherImages, one);

        // A click on the chosen further picture opens its name editor.
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(6, first->height() / 2));
        QVERIFY(t.page->ImageNameEdit->isVisible());
        QCOMPARE(t.page->ImageNameEdit->maxLength(), 24);
        QTest::keyClicks(t.page->ImageNameEdit, QStringLiteral(" Edge "));
        QTest::keyClick(t.page->ImageNameEdit, Qt::Key_Return);
        Settle();
        QVERIFY(!t.page->ImageNameEdit->isVisible());
        QCOMPARE(t.Radios().at(3), QStringLiteral("Edge"));
        QVERIFY(!t.form->ImageRadios[3]->font().italic());
        QCOMPARE(FurtherNames(*t.coin), QStringList{" Edge "});

        ClickMark(t.form->ImageRadioAdd);
        t.Load(two);
        QCOMPARE(t.Radios().mid(3), (QStringList{"Edge", "Click to name image", "Add another image"}));
        QVERIFY(t.form->ImageRadios[4]->isChecked());

        // Removing asks, showing the picture itself; the file stays.
        t.program.State().DataModified = false;
        t.program.Ui.answer(QStringLiteral("Yes"));
        Click(t.page->EraseImageButton);
        QCOMPARE(t.program.Ui.Messages.size(), size_t(1));
        QCOMPARE(t.program.Ui.Messages.back().Picture, two);
        QVERIFY(t.program.Ui.Messages.back().Text.startsWith(QStringLiteral("You've selected to remove this image.")));
        QVERIFY(QFile::exists(two));
        QCOMPARE(FurtherFiles(*t.coin), QStringList{one});
        QCOMPARE(FurtherNames(*t.coin), QStringList{" Edge "});
        QVERIFY(t.program.State().DataModified);
        QCOMPARE(t.Radios().mid(3), (QStringList{"Edge", "Add another image"}));
        QVERIFY(t.form->ImageRadios[3]->isChecked());
        QCOMPARE(t.Shown().size(), QSize(40, 30));

        // "No" keeps the picture.
        t.program.Ui.answer(QStringLiteral("No"));
        Click(t.page->EraseImageButton);
        QCOMPARE(FurtherFiles(*t.coin), QStringList{one});
    }

    // A PDF picture opens in the PDF view, fitted to its width; the fit
    // buttons set the zoom bar from the page's size.
    void pdfOpensAndFits()
    {
        tImagesPage t;
        t.Open();
        const QString pdf = WritePdf(t.Path(QStringLiteral("receipt.pdf")), 2);
        ClickMark(t.form->ImageRadioReceipt);
        t.Load(pdf);
        QCOMPARE(t.coin->Receipt, pdf);
        QVERIFY(t.page->ImagesPDFLayout->isVisible() && t.page->CoinPDFLayout->isVisible());
        QVERIFY(!t.page->iView->isVisible() && !t.page->ImageEffectsLayout->isVisible());
        QCOMPARE(t.page->FPdf2->pageCount(), 2);
        QVERIFY(!t.page->SaveImageButton->isEnabled() && t.page->PrintImageButton->isEnabled());

        const double ppi = t.page->FPdfView2->logicalDpiX();
        const QSize box = t.page->FPdfView2->viewport()->size();
        auto expect = [](double zoom) { return std::clamp(int(std::lround(zoom * 100)), 25, 800); };
        QCOMPARE(t.page->CoinPDFZoomTrackBar->value(), expect((box.width() - 32) / (300 * ppi / 72)));
        QCOMPARE(t.page->FPdfView2->zoomFactor(), t.page->CoinPDFZoomTrackBar->value() / 100.0);
        Click(t.page->CoinZoomPFDFh);
        QCOMPARE(t.page->CoinPDFZoomTrackBar->value(), expect(box.height() / (400 * ppi / 72)));
        QCOMPARE(t.page->FPdfView2->zoomFactor(), t.page->CoinPDFZoomTrackBar->value() / 100.0);
    }

    // "Print Image" goes to the printer the dialog chose: here a PDF file.
    void printingGoesToAPdfFile()
    {
        tImagesPage t;
        t.Open();
        t.Load(WritePng(t.Path(QStringLiteral("a.png"))));
        const QString out = t.Path(QStringLiteral("printed.pdf"));
        int asked = 0;
        t.page->Hooks.ChoosePrinter = [&](QPrinter &printer, int) {
            ++asked;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
            return true;
        };
        Click(t.page->PrintImageButton);
        QCOMPARE(asked, 1);
        QPdfDocument printed;
        QCOMPARE(printed.load(out), QPdfDocument::Error::None);
        QCOMPARE(printed.pageCount(), 1);

        // A PDF picture prints every page.
        ClickMark(t.form->ImageRadioRev);
        t.Load(WritePdf(t.Path(QStringLiteral("cert.pdf")), 3));
        QFile::remove(out);
        Click(t.page->PrintImageButton);
        QCOMPARE(asked, 2);
        QPdfDocument again;
        QCOMPARE(again.load(out), QPdfDocument::Error::None);
        QCOMPARE(again.pageCount(), 3);
    }

    // "Save Image" writes the shown picture, adjustments and all, and links
    // it to the chosen side; an existing file is replaced only when the
    // collector says so; JPEG gets white corners.
    void savingWritesTheShownPicture()
    {
        tImagesPage t;
        t.Open();
        t.Load(WritePng(t.Path(QStringLiteral("a.png"))));
        t.page->TrackBar16->setValue(90);
        const QString target = t.Path(QStringLiteral("turned.png"));
        t.program.Ui.pick({target});
        Click(t.page->SaveImageButton);
        const platform::FileRequest &asked = t.program.Ui.FileRequests.back();
        QCOMPARE(asked.Title, QStringLiteral("Save this coin picture"));
        QVERIFY(!asked.Filter.contains(QStringLiteral("PDF")));
        QCOMPARE(QImage(target).size(), QSize(30, 40));
        QCOMPARE(t.coin->Obverse, target);

        // The name is trimmed before the check for an existing file.
        t.program.Ui.pick({t.Path(QStringLiteral(" turned .png"))});
        t.program.Ui.answer(QStringLiteral("No"));
        t.page->TrackBar16->setValue(0);
        Click(t.page->SaveImageButton);
        QCOMPARE(t.program.Ui.Messages.size(), size_t(1));
        QCOMPARE(QImage(target).size(), QSize(30, 40));  // kept

        // Chosen as it stands, the existing file is asked about once: by
        // the page, not by the picker as well.
        t.program.Ui.pick({target});
        t.program.Ui.answer(QStringLiteral("No"));
        Click(t.page->SaveImageButton);
        QCOMPARE(t.program.Ui.Messages.size(), size_t(2));
        QVERIFY(!t.program.Ui.FileRequests.back().ConfirmOverwrite);
        QCOMPARE(t.program.Ui.OverwriteQuestions, 0);

        t.page->TrackBar16->setValue(45);
        const QString jpeg = t.Path(QStringLiteral("slanted.jpg"));
        t.program.Ui.pick({jpeg});
        Click(t.page->SaveImageButton);
        const QImage written(jpeg);
        QVERIFY(!written.isNull());
        QVERIFY(qRed(written.pixel(0, 0)) > 240 && qGreen(written.pixel(0, 0)) > 240 &&
                qBlue(written.pixel(0, 0)) > 240);
        QCOMPARE(t.coin->Obverse, jpeg);
    }

    // A scanner's picture above Qt's default limit (8000 x 6000) loads and
    // shows whole; a small file that declares 30000 x 30000 is refused from
    // its header with a message, and the entry keeps its picture.
    void largeScanShowsAndDecompressionBombIsRefused()
    {
        tImagesPage t;
        t.Open();
        const QString scan = t.Path(QStringLiteral("scan.jpg"));
        {
            QImage big(8000, 6000, QImage::Format_RGB32);
            big.fill(Qt::darkBlue);
            QVERIFY(big.save(scan, "JPEG", 50));
        }
        t.Load(scan);
        QVERIFY(t.program.Ui.Errors.empty());
        QCOMPARE(t.Shown().size(), QSize(8000, 6000));
        QCOMPARE(t.coin->Obverse, scan);

        // A PNG of one pixel whose header claims 30000 x 30000.
        QByteArray bomb = PngBytes(Qt::black, QSize(1, 1));
        auto be32 = [&bomb](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                bomb[at + i] = char(v >> (24 - 8 * i));
        };
        be32(16, 30000);
        be32(20, 30000);
        be32(29, Crc32(bomb.mid(12, 17)));
        const QString claimed = t.Path(QStringLiteral("bomb.png"));
        WriteTestFile(claimed, bomb);
        QCOMPARE(QImageReader(claimed).size(), QSize(30000, 30000));
        ClickMark(t.form->ImageRadioRev);
        t.Load(claimed);
        QCOMPARE(t.program.Ui.Errors.size(), size_t(1));
        QVERIFY(t.program.Ui.Errors.front().Message.contains(QStringLiteral("bomb.png")));
        QVERIFY(t.program.Ui.Errors.front().Message.contains(QStringLiteral("30000 by 30000")));
        QVERIFY(t.coin->Reverse.isEmpty());
        QCOMPARE(t.coin->Obverse, scan);
    }

    // A picture saved as TIF is a TIF file, and loads back as it was shown.
    void tifRoundTrip()
    {
        tImagesPage t;
        t.Open();
        t.Load(WritePng(t.Path(QStringLiteral("a.png"))));
        QVERIFY(t.program.Ui.Errors.empty());
        const QString tif = t.Path(QStringLiteral("a.tif"));
        t.program.Ui.pick({tif});
        Click(t.page->SaveImageButton);
        QVERIFY(t.program.Ui.FileRequests.back().Filter.contains(QStringLiteral("*.tif")));
        QVERIFY(t.program.Ui.Errors.empty());
        QCOMPARE(QImageReader(tif).format(), QByteArray("tiff"));
        QCOMPARE(t.coin->Obverse, tif);

        ClickMark(t.form->ImageRadioRev);
        t.Load(tif);
        QVERIFY(t.program.Ui.Errors.empty());
        QCOMPARE(t.coin->Reverse, tif);
        QCOMPARE(t.Shown().size(), QSize(40, 30));
        QCOMPARE(t.Shown().pixel(1, 1), qRgb(255, 0, 0));
        QCOMPARE(t.Shown().pixel(39, 29), qRgb(0, 0, 255));
    }

    // A stored repository path that climbs with ".." stays inside the
    // repository; a chosen path that climbs out of it is not stored as a
    // repository path by the repository window.
    void repositoryPathsStayInsideTheRepository()
    {
        tImagesPage t;
        t.Open();
        const QString repo = t.Path(QStringLiteral("Coins"));
        QVERIFY(QDir().mkpath(repo));
        const QString outside = WritePng(t.Path(QStringLiteral("outside.png")));
        t.program.State().RepositoryPath = repo;
        t.coin->Obverse = QStringLiteral("R~..\\outside.png");
        ClickMark(t.form->ImageRadioRev);
        ClickMark(t.form->ImageRadioObv);
        QVERIFY(!t.page->iView->isVisible());  // the file beside the repository is not reached
        WritePng(repo + QStringLiteral("/outside.png"), QSize(20, 10));
        t.coin->Obverse = QStringLiteral("r~../outside.png");  // the marker in either case
        ClickMark(t.form->ImageRadioRev);
        ClickMark(t.form->ImageRadioObv);
        QCOMPARE(t.Shown().size(), QSize(20, 10));  // the one inside is

        t.coin->Reverse = repo + QStringLiteral("/../outside.png");
        t.program.Trigger(QStringLiteral("Repository1"));
        TRepositoryForm *window = t.form->RepositoryForm;
        QVERIFY(window);
        Click(window->OKButton);
        QCOMPARE(t.coin->Reverse, repo + QStringLiteral("/../outside.png"));
        QVERIFY(QFile::exists(outside));
    }

    // A pasted picture shows as not yet saved and leaves the entry alone;
    // text on the clipboard is ignored.
    void pasteShowsWithoutChangingTheEntry()
    {
        tImagesPage t;
        t.Open();
        RecordingClipboard board;
        board.Text = QStringLiteral("some text");
        Click(t.page->PasteImageButton);
        QVERIFY(!t.page->iView->isVisible());
        board.Image = QImage(12, 8, QImage::Format_RGB32);
        board.Image.fill(Qt::green);
        Click(t.page->PasteImageButton);
        QVERIFY(t.page->iView->isVisible());
        QCOMPARE(t.Shown().size(), QSize(12, 8));
        QCOMPARE(t.page->ScanLabelRepository->text(), QStringLiteral("(Not yet saved)  "));
        QCOMPARE(t.page->ScanLabelBlack->text(), QStringLiteral("This image was pasted from the clipboard"));
        QVERIFY(t.coin->Obverse.isEmpty());
        QVERIFY(!t.program.State().DataModified);
    }

    // Tools "Image Repository": the folder chosen, OK stores it and turns
    // the pictures inside it into repository paths; Ctrl+Alt+S re-attaches
    // by file name with OK; the Images page marks repository pictures.
    void repositoryWindow()
    {
        tImagesPage t;
        t.Open();
        const QString repo = t.Path(QStringLiteral("Coins"));
        const QString inside = WritePng(repo + QStringLiteral("/Euro/a.png"));
        const QString sibling = WritePng(t.Path(QStringLiteral("Coins2/b.png")));
        t.Load(inside);
        ClickMark(t.form->ImageRadioRev);
        t.Load(sibling);
        t.program.State().DataModified = false;

        t.program.Trigger(QStringLiteral("Repository1"));
        TRepositoryForm *window = t.form->RepositoryForm;
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Orvanta: Image Repository"));
        t.program.Ui.pick({repo});
        Click(window->Button1);
        QCOMPARE(window->Edit1->text(), repo);
        Click(window->OKButton);
        QVERIFY(!t.form->RepositoryForm);
        QCOMPARE(t.program.State().RepositoryPath, repo);
        QCOMPARE(t.program.Settings.read(QStringLiteral("Repository"))->Text, repo);
        QCOMPARE(t.coin->Obverse, QStringLiteral("R~/Euro/a.png"));
        QCOMPARE(t.coin->Reverse, sibling);
        QVERIFY(t.program.State().DataModified);

        ClickMark(t.form->ImageRadioObv);
        QVERIFY(t.page->ScanLabelRepository->isVisible());
        QCOMPARE(t.page->ScanLabelRepository->text(), QStringLiteral("Repository"));
        QCOMPARE(t.Shown().size(), QSize(40, 30));

        // Pictures moved inside the repository are found again by name, on
        // OK. Re-attached to another folder and cancelled, nothing changes:
        // the paths would point into a folder never confirmed.
        QVERIFY(QDir(repo).mkpath(QStringLiteral("Moved")));
        QVERIFY(QFile::rename(inside, repo + QStringLiteral("/Moved/a.png")));
        const QString copy = t.Path(QStringLiteral("Copy"));
        QVERIFY(QDir(copy).mkpath(QStringLiteral("Elsewhere")));
        QVERIFY(QFile::copy(repo + QStringLiteral("/Moved/a.png"), copy + QStringLiteral("/Elsewhere/a.png")));
        t.program.State().DataModified = false;
        t.program.Trigger(QStringLiteral("Repository1"));
        window = t.form->RepositoryForm;
        t.program.Ui.pick({copy});
        Click(window->Button1);
        t.program.Ui.answer(QStringLiteral("Yes"));
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(t.program.Ui.Messages.size(), size_t(1));
        QVERIFY(window->AttachLabel->isVisible());
        QCOMPARE(t.coin->Obverse, QStringLiteral("R~/Euro/a.png"));
        Click(window->Button2);
        QVERIFY(!t.form->RepositoryForm);
        QCOMPARE(t.coin->Obverse, QStringLiteral("R~/Euro/a.png"));
        QCOMPARE(t.program.State().RepositoryPath, repo);
        QVERIFY(!t.program.State().DataModified);

        t.program.Trigger(QStringLiteral("Repository1"));
        window = t.form->RepositoryForm;
        t.program.Ui.answer(QStringLiteral("Yes"));
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(t.coin->Obverse, QStringLiteral("R~/Euro/a.png"));
        Click(window->OKButton);
        QVERIFY(!t.form->RepositoryForm);
        QCOMPARE(t.coin->Obverse, QStringLiteral("R~Moved/a.png"));
        QCOMPARE(t.program.State().RepositoryPath, repo);
        QVERIFY(t.program.State().DataModified);
    }
};

QTEST_MAIN(tst_ImagesPage)
#include "tst_imagespage.moc"
