#include "reports/engine/reporttemplate.h"

#include <cmath>

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

constexpr int FormatVersion = 1;
const QLatin1String RootName("OrvantaReport");

// Limits of the numbers a template may hold. Two metres is beyond any paper
// a report is printed on; widths of lines and frames, and font sizes, are
// bounded likewise, so a damaged template fails to load with a message
// instead of laying out pages without end.
constexpr double MinPage = 20;        // mm
constexpr double MaxLength = 2000;    // mm: page size, positions, band heights
constexpr double MaxLineWidth = 100;  // mm
constexpr double MaxFontSize = 1000;  // points

struct tBandName {
    tBandKind Kind;
    const char *Name;
};
constexpr tBandName BandNames[] = {
    {tBandKind::ReportTitle, "ReportTitle"}, {tBandKind::PageHeader, "PageHeader"},
    {tBandKind::ColumnHeader, "ColumnHeader"}, {tBandKind::GroupHeader, "GroupHeader"},
    {tBandKind::MasterData, "MasterData"}, {tBandKind::GroupFooter, "GroupFooter"}, {tBandKind::Summary, "Summary"},
    {tBandKind::PageFooter, "PageFooter"},
};

class tParser {
public:
    tParser(const QByteArray &xml, const QString &name) : xml_(xml), name_(name) {}

    tReportTemplate Run()
    {
        if (!xml_.readNextStartElement())
            Fail(xml_.hasError() ? xml_.errorString() : QStringLiteral("the file is empty"));
        if (xml_.name() != RootName)
            throw tReportError(QStringLiteral("\"%1\" is not an Orvanta report template.").arg(name_).toStdString());
        const int version = IntAttr(QStringLiteral("version"), FormatVersion);
        if (version > FormatVersion)
            Fail(QStringLiteral("it was made by a newer version of Orvanta (format %1)").arg(version));
        t_.Title = xml_.attributes().value(QStringLiteral("title")).toString();
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("Page"))
                ReadPage();
            else if (xml_.name() == QLatin1String("Band"))
                ReadBand();
            else
                Fail(QStringLiteral("unknown element <%1>").arg(xml_.name().toString()));
        }
        if (xml_.hasError())
            Fail(xml_.errorString());
        for (const tReportBand &b : t_.Bands)
            if (b.Kind == tBandKind::GroupFooter && !t_.GroupHeader(b.Level))
                throw tReportError(QStringLiteral("The report template \"%1\" cannot be read: the group footer of "
                                                  "level %2 has no group header.")
                                       .arg(name_)
                                       .arg(b.Level)
                                       .toStdString());
        return std::move(t_);
    }

private:
    [[noreturn]] void Fail(const QString &why)
    {
        throw tReportError(QStringLiteral("The report template \"%1\" cannot be read: %2 (line %3).")
                               .arg(name_, why)
                               .arg(xml_.lineNumber())
                               .toStdString());
    }

    QString Attr(const QString &key) const { return xml_.attributes().value(key).toString(); }
    bool Has(const QString &key) const { return xml_.attributes().hasAttribute(key); }

    // A number within lo..hi. "nan" and "inf" read as numbers but are none a
    // page can be laid out with, and a length of kilometres would have the
    // engine cut or allocate without end, so both are refused here.
    double NumAttr(const QString &key, double def, double lo, double hi)
    {
        if (!Has(key))
            return def;
        bool ok = false;
        const double v = Attr(key).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v))
            Fail(QStringLiteral("%1=\"%2\" is not a number").arg(key, Attr(key)));
        if (v < lo || v > hi)
            Fail(QStringLiteral("%1=\"%2\" lies outside %3 to %4").arg(key, Attr(key)).arg(lo).arg(hi));
        return v;
    }
    double PositionAttr(const QString &key, double def) { return NumAttr(key, def, -MaxLength, MaxLength); }

    int IntAttr(const QString &key, int def)
    {
        if (!Has(key))
            return def;
        bool ok = false;
        const int v = Attr(key).trimmed().toInt(&ok);
        if (!ok)
            Fail(QStringLiteral("%1=\"%2\" is not a whole number").arg(key, Attr(key)));
        return v;
    }

    bool BoolAttr(const QString &key, bool def)
    {
        if (!Has(key))
            return def;
        const QString v = Attr(key).trimmed().toLower();
        if (v == QLatin1String("true") || v == QLatin1String("1") || v == QLatin1String("yes"))
            return true;
        if (v == QLatin1String("false") || v == QLatin1String("0") || v == QLatin1String("no"))
            return false;
        Fail(QStringLiteral("%1=\"%2\" is not true or false").arg(key, Attr(key)));
    }

    QColor ColorAttr(const QString &key, const QColor &def)
    {
        if (!Has(key))
            return def;
        const QColor c = QColor::fromString(Attr(key).trimmed());
        if (!c.isValid())
            Fail(QStringLiteral("%1=\"%2\" is not a colour").arg(key, Attr(key)));
        return c;
    }

    QRectF RectAttr()
    {
        const double x = PositionAttr(QStringLiteral("x"), 0);
        const double y = PositionAttr(QStringLiteral("y"), 0);
        const double w = NumAttr(QStringLiteral("w"), 0, -MaxLength, MaxLength);
        const double h = NumAttr(QStringLiteral("h"), 0, -MaxLength, MaxLength);
        if (w < 0 || h < 0)
            Fail(QStringLiteral("an object has a negative size"));
        return QRectF(x, y, w, h);
    }

    std::vector<tTextPart> TextParts(const QString &text)
    {
        try {
            return ParseReportText(text);
        } catch (const tReportError &e) {
            Fail(QString::fromStdString(e.what()));
        }
    }

    void ReadPage()
    {
        const double width = NumAttr(QStringLiteral("width"), 210, -MaxLength, MaxLength);
        const double height = NumAttr(QStringLiteral("height"), 297, -MaxLength, MaxLength);
        if (width < MinPage || height < MinPage)
            Fail(QStringLiteral("the page is smaller than 20 mm"));
        t_.PageSize = QSizeF(width, height);
        t_.Margins = QMarginsF(PositionAttr(QStringLiteral("left"), 10), PositionAttr(QStringLiteral("top"), 10),
                               PositionAttr(QStringLiteral("right"), 10), PositionAttr(QStringLiteral("bottom"), 10));
        if (t_.Margins.left() < 0 || t_.Margins.top() < 0 || t_.Margins.right() < 0 || t_.Margins.bottom() < 0 ||
            t_.Margins.top() + t_.Margins.bottom() >= t_.PageSize.height() ||
            t_.Margins.left() + t_.Margins.right() >= t_.PageSize.width())
            Fail(QStringLiteral("the page margins leave no room"));
        xml_.skipCurrentElement();
    }

    void ReadBand()
    {
        tReportBand band;
        const QString kind = Attr(QStringLiteral("kind"));
        bool known = false;
        for (const tBandName &b : BandNames)
            if (kind.compare(QLatin1String(b.Name), Qt::CaseInsensitive) == 0) {
                band.Kind = b.Kind;
                known = true;
            }
        if (!known)
            Fail(QStringLiteral("unknown band kind \"%1\"").arg(kind));
        // Group headers may repeat, one per level; a footer names its level.
        if (band.Kind == tBandKind::GroupHeader) {
            band.Level = t_.GroupLevels() + 1;
        } else if (band.Kind == tBandKind::GroupFooter) {
            band.Level = IntAttr(QStringLiteral("level"), 1);
            if (band.Level < 1)
                Fail(QStringLiteral("level=\"%1\" is not a group level").arg(Attr(QStringLiteral("level"))));
            if (t_.GroupFooter(band.Level))
                Fail(QStringLiteral("the group footer of level %1 appears twice").arg(band.Level));
        } else if (t_.Band(band.Kind)) {
            Fail(QStringLiteral("the band %1 appears twice").arg(kind));
        }
        band.Height = NumAttr(QStringLiteral("height"), 0, -MaxLength, MaxLength);
        if (band.Height <= 0)
            Fail(QStringLiteral("the band %1 needs a height above 0").arg(kind));
        if (band.Kind == tBandKind::MasterData) {
            band.DataSet = Attr(QStringLiteral("dataset")).trimmed();
            if (band.DataSet.isEmpty())
                Fail(QStringLiteral("the master data band names no data set"));
        }
        if (band.Kind == tBandKind::GroupHeader) {
            band.Condition = TextParts(Attr(QStringLiteral("condition")));
            if (band.Condition.empty())
                Fail(QStringLiteral("the group header has no condition"));
        }
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("Text"))
                band.Objects.push_back(ReadText());
            else if (xml_.name() == QLatin1String("Picture"))
                band.Objects.push_back(ReadPicture());
            else if (xml_.name() == QLatin1String("Line"))
                band.Objects.push_back(ReadLine());
            else
                Fail(QStringLiteral("unknown object <%1>").arg(xml_.name().toString()));
        }
        t_.Bands.push_back(std::move(band));
    }

    tReportObject ReadText()
    {
        tReportObject o;
        o.Kind = tReportObject::TextObject;
        o.Rect = RectAttr();
        tTextStyle &s = o.Style;
        if (Has(QStringLiteral("font")))
            s.FontFamily = Attr(QStringLiteral("font"));
        s.FontSize = NumAttr(QStringLiteral("size"), s.FontSize, -MaxFontSize, MaxFontSize);
        if (s.FontSize <= 0)
            Fail(QStringLiteral("a font size must be above 0"));
        s.Bold = BoolAttr(QStringLiteral("bold"), false);
        s.Italic = BoolAttr(QStringLiteral("italic"), false);
        s.Underline = BoolAttr(QStringLiteral("underline"), false);
        s.Color = ColorAttr(QStringLiteral("color"), s.Color);
        s.Fill = ColorAttr(QStringLiteral("fill"), QColor());
        o.Grow = BoolAttr(QStringLiteral("grow"), false);
        s.WordWrap = BoolAttr(QStringLiteral("wrap"), o.Grow);
        const QString align = Attr(QStringLiteral("align")).trimmed().toLower();
        Qt::Alignment h = Qt::AlignLeft;
        if (align == QLatin1String("center"))
            h = Qt::AlignHCenter;
        else if (align == QLatin1String("right"))
            h = Qt::AlignRight;
        else if (!align.isEmpty() && align != QLatin1String("left"))
            Fail(QStringLiteral("align=\"%1\" is not left, center or right").arg(align));
        const QString valign = Attr(QStringLiteral("valign")).trimmed().toLower();
        Qt::Alignment v = Qt::AlignVCenter;
        if (valign == QLatin1String("top"))
            v = Qt::AlignTop;
        else if (valign == QLatin1String("bottom"))
            v = Qt::AlignBottom;
        else if (!valign.isEmpty() && valign != QLatin1String("center"))
            Fail(QStringLiteral("valign=\"%1\" is not top, center or bottom").arg(valign));
        s.Align = h | v;
        const QString frame = Attr(QStringLiteral("frame")).trimmed().toLower();
        if (frame == QLatin1String("all"))
            s.Frame = FrameLeft | FrameTop | FrameRight | FrameBottom;
        else
            for (QChar c : frame) {
                switch (c.unicode()) {
                case 'l': s.Frame |= FrameLeft; break;
                case 't': s.Frame |= FrameTop; break;
                case 'r': s.Frame |= FrameRight; break;
                case 'b': s.Frame |= FrameBottom; break;
                default: Fail(QStringLiteral("frame=\"%1\" may hold only l, t, r, b or all").arg(frame));
                }
            }
        s.FrameWidth = NumAttr(QStringLiteral("frameWidth"), s.FrameWidth, 0, MaxLineWidth);
        s.FrameColor = ColorAttr(QStringLiteral("frameColor"), s.FrameColor);
        try {
            o.Format = tDisplayFormat::Parse(Attr(QStringLiteral("format")));
        } catch (const std::invalid_argument &e) {
            Fail(QString::fromStdString(e.what()));
        }
        o.Parts = TextParts(xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
        if (xml_.hasError())
            Fail(xml_.errorString());
        return o;
    }

    tReportObject ReadPicture()
    {
        tReportObject o;
        o.Kind = tReportObject::PictureObject;
        o.Rect = RectAttr();
        o.DataSet = Attr(QStringLiteral("dataset")).trimmed();
        o.Field = Attr(QStringLiteral("field"));
        const QString scale = Attr(QStringLiteral("scale")).trimmed().toLower();
        if (scale == QLatin1String("stretch"))
            o.Scale = tPictureScale::Stretch;
        else if (scale == QLatin1String("center"))
            o.Scale = tPictureScale::Center;
        else if (!scale.isEmpty() && scale != QLatin1String("fit"))
            Fail(QStringLiteral("scale=\"%1\" is not fit, stretch or center").arg(scale));
        const QByteArray data =
            QByteArray::fromBase64(xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).toLatin1(),
                                   QByteArray::AbortOnBase64DecodingErrors);
        if (xml_.hasError())
            Fail(xml_.errorString());
        if (!data.isEmpty() && !o.Picture.loadFromData(data))
            Fail(QStringLiteral("a picture's data is not a picture"));
        return o;
    }

    tReportObject ReadLine()
    {
        tReportObject o;
        o.Kind = tReportObject::LineObject;
        o.LinePos = QLineF(PositionAttr(QStringLiteral("x1"), 0), PositionAttr(QStringLiteral("y1"), 0),
                           PositionAttr(QStringLiteral("x2"), 0), PositionAttr(QStringLiteral("y2"), 0));
        o.Rect = QRectF(o.LinePos.p1(), o.LinePos.p2()).normalized();
        o.LineWidth = NumAttr(QStringLiteral("width"), o.LineWidth, 0, MaxLineWidth);
        o.LineColor = ColorAttr(QStringLiteral("color"), o.LineColor);
        xml_.skipCurrentElement();
        return o;
    }

    QXmlStreamReader xml_;
    QString name_;
    tReportTemplate t_;
};

} // namespace

const tReportBand *tReportTemplate::Band(tBandKind kind) const
{
    for (const tReportBand &b : Bands)
        if (b.Kind == kind)
            return &b;
    return nullptr;
}

int tReportTemplate::GroupLevels() const
{
    int levels = 0;
    for (const tReportBand &b : Bands)
        if (b.Kind == tBandKind::GroupHeader)
            ++levels;
    return levels;
}

const tReportBand *tReportTemplate::GroupHeader(int level) const
{
    for (const tReportBand &b : Bands)
        if (b.Kind == tBandKind::GroupHeader && b.Level == level)
            return &b;
    return nullptr;
}

const tReportBand *tReportTemplate::GroupFooter(int level) const
{
    for (const tReportBand &b : Bands)
        if (b.Kind == tBandKind::GroupFooter && b.Level == level)
            return &b;
    return nullptr;
}

QStringList tReportTemplate::DataSetNames() const
{
    QStringList names;
    auto add = [&](const QString &n) {
        if (!n.isEmpty() && !names.contains(n, Qt::CaseInsensitive))
            names.append(n);
    };
    auto addParts = [&](const std::vector<tTextPart> &parts) {
        for (const tTextPart &p : parts)
            if (p.Kind == tTextPart::FieldPart || p.Kind == tTextPart::SumPart || p.Kind == tTextPart::CountPart)
                add(p.DataSet);
    };
    for (const tReportBand &b : Bands) {
        add(b.DataSet);
        addParts(b.Condition);
        for (const tReportObject &o : b.Objects) {
            addParts(o.Parts);
            add(o.DataSet);
        }
    }
    return names;
}

std::vector<tTextPart> ParseReportText(const QString &text)
{
    std::vector<tTextPart> parts;
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty()) {
            parts.push_back({tTextPart::LiteralPart, literal, {}, {}});
            literal.clear();
        }
    };
    auto bad = [&](const QString &why) -> tReportError {
        return tReportError(QStringLiteral("%1 in \"%2\"").arg(why, text).toStdString());
    };
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('[')) {
            literal += c;
            ++i;
            continue;
        }
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('[')) {
            literal += c;
            i += 2;
            continue;
        }
        // [SUM(DataSet."Field")] and [COUNT(DataSet)].
        const QStringView rest = QStringView(text).mid(i + 1);
        if (rest.startsWith(QLatin1String("SUM("), Qt::CaseInsensitive)) {
            const qsizetype open = i + 5;
            const qsizetype dot = text.indexOf(QLatin1String(".\""), open);
            const qsizetype end = dot < 0 ? -1 : text.indexOf(QLatin1String("\")]"), dot + 2);
            if (end < 0)
                throw bad(QStringLiteral("a sum is not written as [SUM(DataSet.\"Field\")]"));
            tTextPart p;
            p.Kind = tTextPart::SumPart;
            p.DataSet = text.mid(open, dot - open).trimmed();
            p.Field = text.mid(dot + 2, end - dot - 2);
            if (p.DataSet.isEmpty())
                throw bad(QStringLiteral("a sum names no data set"));
            flush();
            parts.push_back(p);
            i = end + 3;
            continue;
        }
        if (rest.startsWith(QLatin1String("COUNT("), Qt::CaseInsensitive)) {
            const qsizetype open = i + 7;
            const qsizetype end = text.indexOf(QLatin1String(")]"), open);
            if (end < 0)
                throw bad(QStringLiteral("a count is not written as [COUNT(DataSet)]"));
            tTextPart p;
            p.Kind = tTextPart::CountPart;
            p.DataSet = text.mid(open, end - open).trimmed();
            if (p.DataSet.isEmpty() || p.DataSet.contains(QLatin1Char('"')))
                throw bad(QStringLiteral("a count is not written as [COUNT(DataSet)]"));
            flush();
            parts.push_back(p);
            i = end + 2;
            continue;
        }
        const qsizetype dot = text.indexOf(QLatin1String(".\""), i + 1);
        const qsizetype close = text.indexOf(QLatin1Char(']'), i + 1);
        if (close < 0)
            throw bad(QStringLiteral("a \"[\" is not closed"));
        if (dot < 0 || dot > close) {
            const QString word = text.mid(i + 1, close - i - 1).trimmed();
            tTextPart p;
            if (word.compare(QLatin1String("Page"), Qt::CaseInsensitive) == 0)
                p.Kind = tTextPart::PageNumberPart;
            else if (word.compare(QLatin1String("Pages"), Qt::CaseInsensitive) == 0)
                p.Kind = tTextPart::PageCountPart;
            else
                throw bad(QStringLiteral("\"[%1]\" is neither a field nor [Page] or [Pages]").arg(word));
            flush();
            parts.push_back(p);
            i = close + 1;
            continue;
        }
        // A field: the name may hold "]" and "/" but not the closing '"]'.
        const qsizetype end = text.indexOf(QLatin1String("\"]"), dot + 2);
        if (end < 0)
            throw bad(QStringLiteral("a field name is not closed with '\"]'"));
        tTextPart p;
        p.Kind = tTextPart::FieldPart;
        p.DataSet = text.mid(i + 1, dot - i - 1).trimmed();
        p.Field = text.mid(dot + 2, end - dot - 2);
        if (p.DataSet.isEmpty())
            throw bad(QStringLiteral("a field names no data set"));
        flush();
        parts.push_back(p);
        i = end + 2;
    }
    flush();
    return parts;
}

tReportTemplate ParseReportTemplate(const QByteArray &xml, const QString &name)
{
    return tParser(xml, name).Run();
}

tReportTemplate LoadReportTemplate(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QFile f(path);
    if (!f.exists())
        throw tReportError(QStringLiteral("The report template \"%1\" was not found.").arg(path).toStdString());
    if (!f.open(QIODevice::ReadOnly))
        throw tReportError(
            QStringLiteral("The report template \"%1\" cannot be opened: %2").arg(path, f.errorString()).toStdString());
    return ParseReportTemplate(f.readAll(), name);
}
