#include <QtTest>

#include <QBuffer>
#include <QImageReader>

#include "browse/images/imageadjust.h"

namespace {

// A picture whose every pixel differs, so a moved or blended pixel shows.
QImage Pattern(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 37 + y * 11) & 255, (x * 5 + y * 53) & 255, (x * y + 7) & 255));
    return img.convertToFormat(format);
}

bool SamePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace

class tst_imageadjust : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void corners_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<QPointF>>("expected");  // TL, TR, BL, BR
        using P = QPointF;
        QTest::newRow("neutral") << 1000 << 800 << "" << 0 << QList<P>{P(0, 0), P(1000, 0), P(0, 800), P(1000, 800)};
        QTest::newRow("horizontal compression 10 moves the sides 100 in")
            << 1000 << 800 << "hcomp" << 10 << QList<P>{P(100, 0), P(900, 0), P(100, 800), P(900, 800)};
        QTest::newRow("vertical compression 10")
            << 1000 << 800 << "vcomp" << 10 << QList<P>{P(0, 80), P(1000, 80), P(0, 720), P(1000, 720)};
        QTest::newRow("vertical perspective 40 narrows the top by 180 each side")
            << 1000 << 800 << "vpersp" << 40 << QList<P>{P(180, 0), P(820, 0), P(0, 800), P(1000, 800)};
        QTest::newRow("vertical perspective -40 narrows the bottom")
            << 1000 << 800 << "vpersp" << -40 << QList<P>{P(0, 0), P(1000, 0), P(180, 800), P(820, 800)};
        QTest::newRow("horizontal perspective 40 shortens the left edge")
            << 1000 << 800 << "hpersp" << 40 << QList<P>{P(0, 144), P(1000, 0), P(0, 656), P(1000, 800)};
        QTest::newRow("horizontal perspective -40 shortens the right edge")
            << 1000 << 800 << "hpersp" << -40 << QList<P>{P(0, 0), P(1000, 144), P(0, 800), P(1000, 656)};
        QTest::newRow("vertical skew 20 slides the left edge down")
            << 1000 << 800 << "vskew" << 20 << QList<P>{P(0, 48), P(1000, 0), P(0, 848), P(1000, 800)};
        QTest::newRow("horizontal skew -20 slides the top edge left")
            << 1000 << 800 << "hskew" << -20 << QList<P>{P(-60, 0), P(940, 0), P(0, 800), P(1000, 800)};
    }
    void corners()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QString, control);
        QFETCH(int, value);
        QFETCH(QList<QPointF>, expected);
        tImageAdjustments a;
        if (control == QLatin1String("hcomp"))
            a.HorizontalCompression = value;
        else if (control == QLatin1String("vcomp"))
            a.VerticalCompression = value;
        else if (control == QLatin1String("vpersp"))
            a.VerticalPerspective = value;
        else if (control == QLatin1String("hpersp"))
            a.HorizontalPerspective = value;
        else if (control == QLatin1String("vskew"))
            a.VerticalSkew = value;
        else if (control == QLatin1String("hskew"))
            a.HorizontalSkew = value;
        const tCorners c = ShiftCorners(float(w), float(h), a);
        const QList<QPointF> got{c.TL, c.TR, c.BL, c.BR};
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(qAbs(got[i].x() - expected[i].x()) < 0.01 && qAbs(got[i].y() - expected[i].y()) < 0.01,
                     qPrintable(QStringLiteral("corner %1: %2,%3").arg(i).arg(got[i].x()).arg(got[i].y())));
        }
    }

    // The shifts build on each other in their fixed order: the skew is
    // measured on the compressed edge.
    void cornerShiftsCompound()
    {
        tImageAdjustments a;
        a.VerticalCompression = 25;  // 1000 x 800: edges 200 in, height left 400
        a.VerticalSkew = 10;         // 400 x 0.3 / 100 x 10 = 12
        const tCorners c = ShiftCorners(1000, 800, a);
        QCOMPARE(c.TL, QPointF(0, 212));
        QCOMPARE(c.BL, QPointF(0, 612));
        QCOMPARE(c.TR, QPointF(1000, 200));
    }

    void quarterTurns_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("0") << 0 << -90 << 90;
        QTest::newRow("-90") << -90 << -180 << 0;
        QTest::newRow("90") << 90 << 0 << 180;
        QTest::newRow("30") << 30 << 0 << 90;
        QTest::newRow("-30") << -30 << -90 << 0;
        QTest::newRow("180") << 180 << 90 << 180;
        QTest::newRow("-180") << -180 << -180 << -90;
        QTest::newRow("-135") << -135 << -180 << -90;
    }
    void quarterTurns()
    {
        QFETCH(int, from);
        QFETCH(int, left);
        QFETCH(int, right);
        QCOMPARE(QuarterTurnLeft(from), left);
        QCOMPARE(QuarterTurnRight(from), right);
    }

    void cropClamping_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("applied");
        const QSize picture(100, 80);
        QTest::newRow("inside") << QRect(10, 10, 20, 30) << QRect(10, 10, 20, 30);
        QTest::newRow("past the right and bottom") << QRect(90, 70, 50, 50) << QRect(90, 70, 10, 10);
        QTest::newRow("before the left and top") << QRect(-10, -5, 30, 20) << QRect(0, 0, 20, 15);
        QTest::newRow("wholly outside gives the whole picture") << QRect(200, 10, 20, 20) << QRect(0, 0, 100, 80);
        QTest::newRow("empty gives the whole picture") << QRect(10, 10, 0, 5) << QRect(0, 0, 100, 80);
    }
    void cropClamping()
    {
        QFETCH(QRect, rect);
        QFETCH(QRect, applied);
        QCOMPARE(ClampCropRect(rect, QSize(100, 80)), applied);
        tImageAdjustments a;
        a.Crop = true;
        a.CropRect = rect;
        const QImage org = Pattern(100, 80);
        const QImage out = ApplyImageAdjustments(org, a);
        QVERIFY(SamePixels(out, org.copy(applied)));
    }

    void viewportCrop_data()
    {
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("half zoom, scrolled") << QPoint(50, 20) << QSize(100, 60) << 0.5 << QRect(100, 40, 200, 120);
        QTest::newRow("double zoom, fractions cut") << QPoint(31, 11) << QSize(101, 61) << 2.0 << QRect(15, 5, 50, 30);
        QTest::newRow("client wider than the picture") << QPoint(0, 0) << QSize(900, 900) << 1.0 << QRect(0, 0, 400, 300);
        QTest::newRow("scrolled to the far corner") << QPoint(350, 250) << QSize(100, 100) << 1.0 << QRect(350, 250, 50, 50);
    }
    void viewportCrop()
    {
        QFETCH(QPoint, scroll);
        QFETCH(QSize, client);
        QFETCH(double, scale);
        QFETCH(QRect, rect);
        QCOMPARE(ViewportCropRect(scroll, client, scale, QSize(400, 300)), rect);
    }

    // At their reset values the controls change no pixel, whatever the
    // picture's format.
    void neutralIsIdentity_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("RGB32") << int(QImage::Format_RGB32);
        QTest::newRow("ARGB32") << int(QImage::Format_ARGB32);
        QTest::newRow("RGB888") << int(QImage::Format_RGB888);
        QTest::newRow("grayscale") << int(QImage::Format_Grayscale8);
    }
    void neutralIsIdentity()
    {
        QFETCH(int, format);
        const QImage org = Pattern(37, 23, QImage::Format(format));
        QVERIFY(SamePixels(ApplyImageAdjustments(org, {}), org));
        tImageAdjustments cropAll;
        cropAll.Crop = true;
        cropAll.CropRect = QRect(0, 0, 37, 23);
        QVERIFY(SamePixels(ApplyImageAdjustments(org, cropAll), org));
    }

    void eachFilterChangesPixels_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::newRow("contrast") << "contrast" << 150;
        QTest::newRow("brightness") << "brightness" << 30;
        QTest::newRow("saturation") << "saturation" << 20;
        QTest::newRow("sharpen") << "sharpen" << 100;
        QTest::newRow("hue") << "hue" << 50;
    }
    void eachFilterChangesPixels()
    {
        QFETCH(QString, control);
        QFETCH(int, value);
        tImageAdjustments a;
        (control == QLatin1String("contrast")     ? a.Contrast
         : control == QLatin1String("brightness") ? a.Brightness
         : control == QLatin1String("saturation") ? a.Saturation
         : control == QLatin1String("sharpen")    ? a.Sharpen
                                                  : a.Hue) = value;
        const QImage org = Pattern(30, 20);
        const QImage out = ApplyImageAdjustments(org, a);
        QCOMPARE(out.size(), org.size());
        QVERIFY(!SamePixels(out, org));
    }

    void colourFilterMeanings()
    {
        QImage org(2, 1, QImage::Format_RGB32);
        org.setPixel(0, 0, qRgb(200, 100, 50));
        org.setPixel(1, 0, qRgb(255, 0, 0));
        tImageAdjustments grey;
        grey.Saturation = 0;
        const QImage g = ApplyImageAdjustments(org, grey);
        QCOMPARE(qRed(g.pixel(0, 0)), qGreen(g.pixel(0, 0)));
        QCOMPARE(qGreen(g.pixel(0, 0)), qBlue(g.pixel(0, 0)));
        tImageAdjustments bright;
        bright.Brightness = 70;
        QVERIFY(qRed(ApplyImageAdjustments(org, bright).pixel(0, 0)) == 255);
        tImageAdjustments flat;
        flat.Contrast = 0;
        QCOMPARE(qRed(ApplyImageAdjustments(org, flat).pixel(0, 0)), 128);
        tImageAdjustments turned;
        turned.Hue = 100;  // half the colour wheel: red becomes a cyan-like colour
        const QRgb t = ApplyImageAdjustments(org, turned).pixel(1, 0);
        QVERIFY(qRed(t) < qGreen(t) && qRed(t) < qBlue(t));
    }

    void rotation()
    {
        const QImage org = Pattern(40, 30);
        tImageAdjustments quarter;
        quarter.Rotate = 90;
        const QImage q = ApplyImageAdjustments(org, quarter);
        QCOMPARE(q.size(), QSize(30, 40));
        // Clockwise: the top-left pixel goes to the top-right corner.
        QCOMPARE(q.pixel(29, 0), org.pixel(0, 0));
        QCOMPARE(q.pixel(0, 39), org.pixel(39, 29));

        tImageAdjustments half;
        half.Rotate = -180;
        QVERIFY(SamePixels(ApplyImageAdjustments(org, half), org.mirrored(true, true)));

        tImageAdjustments slant;
        slant.Rotate = 45;
        const QImage s = ApplyImageAdjustments(org, slant);
        QCOMPARE(s.size(), TurnedSize(org.size(), 45));
        QVERIFY(s.width() > 40 && s.height() > 30);
        QCOMPARE(qAlpha(s.pixel(0, 0)), 0);  // the corners are empty
        QCOMPARE(qAlpha(s.pixel(s.width() / 2, s.height() / 2)), 255);
    }

    // The crop rectangle is taken in the turned picture.
    void cropAfterTurn()
    {
        const QImage org = Pattern(40, 30);
        tImageAdjustments a;
        a.Rotate = 90;
        a.Crop = true;
        a.CropRect = QRect(0, 0, 30, 10);
        const QImage out = ApplyImageAdjustments(org, a);
        QCOMPARE(out.size(), QSize(30, 10));
        QCOMPARE(out.pixel(29, 0), org.pixel(0, 0));
    }

    void compressionShrinksThePicture()
    {
        const QImage org = Pattern(200, 100);
        tImageAdjustments a;
        a.HorizontalCompression = 10;
        const QImage out = ApplyImageAdjustments(org, a);
        QCOMPARE(out.size(), QSize(160, 100));
        tImageAdjustments p;
        p.VerticalPerspective = 40;
        const QImage persp = ApplyImageAdjustments(org, p);
        QCOMPARE(persp.size(), QSize(200, 100));
        QCOMPARE(qAlpha(persp.pixel(1, 1)), 0);          // beside the narrowed top edge
        QCOMPARE(qAlpha(persp.pixel(100, 1)), 255);
        QCOMPARE(qAlpha(persp.pixel(1, 98)), 255);        // the bottom edge keeps its width
    }

    void nullPicture()
    {
        QVERIFY(ApplyImageAdjustments(QImage(), {}).isNull());
    }

    void zoomFit_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("zoom");
        QTest::newRow("width limits") << QSize(1000, 100) << QSize(500, 500) << 50;
        QTest::newRow("height limits") << QSize(100, 1000) << QSize(500, 250) << 25;
        QTest::newRow("tiny picture capped") << QSize(1, 1) << QSize(500, 500) << 1000;
        QTest::newRow("empty picture") << QSize(0, 0) << QSize(500, 500) << 100;
    }
    void zoomFit()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, client);
        QFETCH(int, zoom);
        QCOMPARE(FitZoomPercent(picture, client), zoom);
    }

    void writableFormats()
    {
        const QStringList filters = WritablePictureFilters();
        QVERIFY(filters.contains(QStringLiteral("PNG: Portable Network Graphic (*.png)")));
        QVERIFY(filters.contains(QStringLiteral("BMP: Bitmap file (*.bmp)")));
        for (const QString &f : filters) {
            const QString ext = f.section(QStringLiteral("*."), 1).chopped(1);
            QVERIFY2(!PictureWriteFormat(QStringLiteral("x.") + ext).isEmpty(), qPrintable(f));
        }
        QCOMPARE(PictureWriteFormat(QStringLiteral("/a/b.PNG")), QByteArray("png"));
        QVERIFY(PictureWriteFormat(QStringLiteral("/a/b.pdf")).isEmpty());
        QVERIFY(PictureWriteFormat(QStringLiteral("/a/noext")).isEmpty());
    }

    void jpegCornersAreWhite()
    {
        QImage img(4, 4, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        img.setPixel(2, 2, qRgb(10, 20, 30));
        const QImage flat = FlattenOnWhite(img);
        QCOMPARE(flat.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(flat.pixel(2, 2), qRgb(10, 20, 30));
    }
};

QTEST_GUILESS_MAIN(tst_imageadjust)
#include "tst_imageadjust.moc"
