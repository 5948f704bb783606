#pragma once
// The picture adjustments of the Images page. The shown picture is always
// recomputed from the unedited one through one fixed pipeline: turn, crop,
// corner shifts (compression, skew, perspective) mapped by a perspective
// transform, then contrast and brightness, sharpen, saturation and hue.
// Nothing is ever applied to the file; only saving writes the result.
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QStringList>

// The controls' values, in the controls' own units; the defaults are the
// reset values, which leave every pixel as it was.
struct tImageAdjustments {
    int Contrast = 100;       // 0..200, factor value / 100
    int Brightness = 0;       // -70..70, added value / 100
    int Saturation = 100;     // 0..100, factor value / 100
    int Sharpen = 0;          // 0..200, amount value / 100
    int Hue = 0;              // -100..100, a turn of value / 100 of half the colour wheel
    int Rotate = 0;           // -180..180 degrees, clockwise
    bool Crop = false;
    QRect CropRect;           // in pixels of the turned picture
    int VerticalPerspective = 0;    // -40..40
    int VerticalCompression = 0;    // 0..35
    int VerticalSkew = 0;           // -20..20
    int HorizontalPerspective = 0;  // -40..40
    int HorizontalCompression = 0;  // 0..35
    int HorizontalSkew = 0;         // -20..20
    bool operator==(const tImageAdjustments &) const = default;
};

// The four corners the working picture is mapped onto.
struct tCorners {
    QPointF TL, TR, BL, BR;
};

// The corner shifts for a w x h picture, in their fixed order: horizontal
// and vertical compression, vertical and horizontal skew, vertical and
// horizontal perspective. Worked in single precision, each intermediate
// result kept as such.
tCorners ShiftCorners(float w, float h, const tImageAdjustments &adj);

// The size of a w x h picture turned by degrees about its centre: the
// bounding box of the turned picture.
QSize TurnedSize(QSize size, int degrees);

// The crop rectangle as applied to a picture of that size: its part inside
// the picture, or the whole picture when nothing of it is inside.
QRect ClampCropRect(const QRect &rect, QSize picture);

// The part of the shown picture a viewer shows: scroll position and client
// size divided by the scale, cut at the picture's right and bottom edge.
QRect ViewportCropRect(QPoint scroll, QSize client, double scale, QSize shown);

// The turn buttons: the next quarter counter-clockwise and clockwise.
int QuarterTurnLeft(int rotate);
int QuarterTurnRight(int rotate);

// The zoom, in percent (0..1000), that fits a picture into the client area.
int FitZoomPercent(QSize picture, QSize client);

// The shown picture: org through the whole pipeline. A null org gives a null
// picture. The result is ARGB32 premultiplied; the empty corners of a turn
// or a perspective are transparent.
QImage ApplyImageAdjustments(const QImage &org, const tImageAdjustments &adj);

// The picture on white, for formats that keep no transparency (JPEG).
QImage FlattenOnWhite(const QImage &image);

// The save dialog's formats that this system can write, as Qt filter
// lines ("JPG: JPEG file (*.jpg)"), in their fixed order; and the format
// name a file name's extension asks for (empty when it cannot be written).
QStringList WritablePictureFilters();
QByteArray PictureWriteFormat(const QString &fileName);
