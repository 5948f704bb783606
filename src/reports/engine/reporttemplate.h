#pragma once
// A report template: the page, the bands and the objects on them, as read
// from a ".FR3" file. The file is a small XML format of our own, described
// in docs/report-templates.md. Geometry is in millimetres, font sizes in
// points.
#include <memory>
#include <stdexcept>
#include <vector>

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "reports/engine/reportvalue.h"

// A template that cannot be used: missing, not ours, or malformed. what()
// is a message for the user.
class tReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bands in the order the file may name them. Stored in templates by name.
enum class tBandKind : uint8_t {
    ReportTitle,
    PageHeader,
    ColumnHeader,
    GroupHeader,
    MasterData,
    GroupFooter,
    Summary,
    PageFooter,
};

// One piece of a text: literal text, a data-set field, the page number and
// page count, or an aggregate: the sum of a field or the count of rows over
// the rows of a group (in a group footer) or of the report (elsewhere).
struct tTextPart {
    enum tKind : uint8_t { LiteralPart, FieldPart, PageNumberPart, PageCountPart, SumPart, CountPart };
    tKind Kind = LiteralPart;
    QString Text;     // literal text
    QString DataSet;  // field, sum, count: the data set's name as written
    QString Field;    // field, sum: the name passed to the data set, verbatim
};

// Frame sides of a text object.
enum : uint8_t { FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8 };

struct tTextStyle {
    QString FontFamily = QStringLiteral("DejaVu Sans");
    double FontSize = 9;    // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    QColor Color = Qt::black;
    QColor Fill;            // invalid: transparent
    Qt::Alignment Align = Qt::AlignLeft | Qt::AlignVCenter;
    bool WordWrap = false;
    uint8_t Frame = 0;      // FrameLeft | FrameTop | ...
    double FrameWidth = 0.2;  // mm
    QColor FrameColor = Qt::black;
};

enum class tPictureScale : uint8_t { Fit, Stretch, Center };

struct tReportObject {
    enum tKind : uint8_t { TextObject, PictureObject, LineObject };
    tKind Kind = TextObject;
    QRectF Rect;  // mm, relative to the band's top-left corner

    // Text
    std::vector<tTextPart> Parts;
    tTextStyle Style;
    tDisplayFormat Format;
    bool Grow = false;  // wraps and grows downwards (with its band) to hold its text

    // Picture: the designed picture and the field it is bound to (both optional)
    QImage Picture;
    QString DataSet;
    QString Field;
    tPictureScale Scale = tPictureScale::Fit;

    // Line
    QLineF LinePos;         // mm, relative to the band
    double LineWidth = 0.2; // mm
    QColor LineColor = Qt::black;
};

struct tReportBand {
    tBandKind Kind = tBandKind::MasterData;
    double Height = 0;                 // mm
    QString DataSet;                   // master data: the data set it walks
    std::vector<tTextPart> Condition;  // group header: printed when this text changes
    int Level = 0;                     // group header and footer: 1 the outermost group
    std::vector<tReportObject> Objects;
};

struct tReportTemplate {
    QString Title;
    QSizeF PageSize{210, 297};            // mm
    QMarginsF Margins{10, 10, 10, 10};    // mm
    std::vector<tReportBand> Bands;

    // The first band of that kind (the outermost group's for group bands).
    const tReportBand *Band(tBandKind kind) const;
    // Groups nest in the order of their headers in the file, level 1 the
    // outermost; a level's footer is optional.
    int GroupLevels() const;
    const tReportBand *GroupHeader(int level) const;
    const tReportBand *GroupFooter(int level) const;
    // Every data set the template names (master data, fields, pictures), in
    // order of first use, each once (compared ignoring case).
    QStringList DataSetNames() const;
};

// Reads a template file. Throws tReportError when the file is missing,
// unreadable, not one of ours, or malformed.
tReportTemplate LoadReportTemplate(const QString &path);
// Reads a template from its XML text; name is used in messages.
tReportTemplate ParseReportTemplate(const QByteArray &xml, const QString &name);

// Splits a text with "[DataSet."Field"]", "[Page]" and "[Pages]" into parts;
// "[[" is a literal "[". Throws tReportError for a malformed expression.
std::vector<tTextPart> ParseReportText(const QString &text);
