// The real-size view: where the reference goes, the outline's size for
// every shape, the points the outline routines draw, and the picture.
#include <QtTest>

#include "core/model/model.h"
#include "browse/seriespictures/viewsize.h"

namespace {

// Records what an outline draws.
class tRecordingCanvas final : public tOutlineCanvas {
public:
    std::vector<std::pair<QPoint, QPoint>> Lines;
    std::vector<std::array<QPoint, 4>> Beziers;
    std::vector<QRect> Ellipses;   // left, top, right, bottom as points
    std::vector<std::pair<QRect, int>> Rectangles;

    void Line(QPoint a, QPoint b) override { Lines.emplace_back(a, b); }
    void Bezier(QPoint a, QPoint c1, QPoint c2, QPoint b) override { Beziers.push_back({a, c1, c2, b}); }
    void Ellipse(int l, int t, int r, int b) override { Ellipses.emplace_back(QPoint(l, t), QPoint(r, b)); }
    void Rectangle(int l, int t, int r, int b, int c) override { Rectangles.emplace_back(QRect(QPoint(l, t), QPoint(r, b)), c); }
};

tnodeinfo Series(int shape, float m1, float m2 = 0, int sub = 0)
{
    tnodeinfo n;
    n.CoinShape = uint8_t(shape);
    n.Measure1 = m1;
    n.Measure2 = m2;
    n.CoinSubShape = uint8_t(sub);
    return n;
}

} // namespace

class tst_ViewSize : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void references()
    {
        QCOMPARE(ReferenceFor(false, StackAustralia).Stack, QStringLiteral("AustraliaStack"));
        QCOMPARE(ReferenceFor(false, StackEuro).WidthMm, 25.7);
        QCOMPARE(ReferenceFor(false, StackUnitedStates).Mask, QStringLiteral("USmask"));
        QCOMPARE(ReferenceFor(false, -1).Stack, QStringLiteral("USstack"));
        const tReferencePicture bill = ReferenceFor(true, StackEuro);
        QCOMPARE(bill.Stack, QStringLiteral("BillStack"));
        QVERIFY(bill.Mask.isEmpty());
        QCOMPARE(bill.Size, QSize(1000, 444));
        // Every built-in picture is there at its fixed size.
        for (const char *name : {"USstack", "USmask", "EuroStack", "EuroMask", "AustraliaStack", "AustraliaMask"})
            QCOMPARE(ReferencePicture(QString::fromLatin1(name)).size(), QSize(800, 800));
        QCOMPARE(ReferencePicture(QStringLiteral("BillStack")).size(), QSize(1000, 444));
        QVERIFY(ReferencePicture(QStringLiteral("Nothing")).isNull());
    }

    // The measures are single precision: 19.05 is stored a little below
    // 19.05, so the circle comes out at 397 pixels, not 398.
    void coinAgainstLargerReference()
    {
        const tViewSizeGeometry g = ViewSizeGeometry(Series(ShapeRound, 19.05f), ReferenceFor(false, StackUnitedStates));
        QCOMPARE(g.Canvas, QSize(800, 800));
        QCOMPARE(g.StackDest, QRect(0, 0, 800, 800));
        QCOMPARE(g.Outline.Kind, tOutlineKind::Ellipse);
        // d1 = 397: the ellipse runs from 400 - 198 - 1 to 400 + 198.
        QCOMPARE(g.Outline.Left, 201);
        QCOMPARE(g.Outline.Right, 598);
        QCOMPARE(g.Outline.Top, 201);
        QCOMPARE(g.Outline.Bottom, 598);
    }

    void coinLargerThanReference()
    {
        const tViewSizeGeometry g = ViewSizeGeometry(Series(ShapeRound, 50.0f), ReferenceFor(false, StackEuro));
        // The reference shrinks to a centred square of 25.7 / 50 x 800.
        QCOMPARE(g.StackDest, QRect(194, 194, 411, 411));
        // d1 = 798: the circle spans the picture.
        QCOMPARE(g.Outline.Right - g.Outline.Left, 798 / 2 * 2 + 1);
        QCOMPARE(g.Outline.Left, 400 - 399 - 1);
    }

    void shapes_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<float>("m1");
        QTest::addColumn<float>("m2");
        QTest::addColumn<int>("sub");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QRect>("rect");  // left, top, right, bottom as corner points
        QTest::addColumn<int>("corner");
        QTest::addColumn<int>("cut");
        const int ellipse = int(tOutlineKind::Ellipse), rect = int(tOutlineKind::Rectangle),
                  poly = int(tOutlineKind::Polygon), scallop = int(tOutlineKind::Scallops);
        // 38.1 mm reference, 800 pixels: 19.05 mm is 397 after the 2-pixel inset.
        QTest::newRow("oval uses the second measure")
            << int(ShapeOval) << 19.05f << 28.0f << 0 << ellipse << QRect(QPoint(201, 107), QPoint(598, 692)) << 0 << 0;
        QTest::newRow("oval taller than reference scales both")
            << int(ShapeOval) << 19.05f << 76.0f << 0 << ellipse << QRect(QPoint(300, 0), QPoint(499, 799)) << 0 << 0;
        QTest::newRow("rounded square corner is a sixth")
            << int(ShapeRoundedSquare) << 19.05f << 0.f << 0 << rect << QRect(QPoint(202, 202), QPoint(598, 598)) << 66 << 0;
        QTest::newRow("square corner a tenth of that")
            << int(ShapeSquare) << 19.05f << 0.f << 0 << rect << QRect(QPoint(202, 202), QPoint(598, 598)) << 6 << 0;
        QTest::newRow("rectangle corner from the shorter side")
            << int(ShapeRoundedRectangle) << 28.0f << 19.05f << 0 << rect << QRect(QPoint(108, 202), QPoint(692, 598))
            << 66 << 0;
        QTest::newRow("polygon is sharp")
            << int(ShapePolygon) << 19.05f << 0.f << 7 << poly << QRect() << 0 << 0;
        QTest::newRow("rounded polygon cut from its sides")
            << int(ShapeRoundedPolygon) << 19.05f << 0.f << 12 << poly << QRect() << 0 << 30;
        QTest::newRow("rounded two-gon has no cut")
            << int(ShapeRoundedPolygon) << 19.05f << 0.f << 2 << poly << QRect() << 0 << 0;
        QTest::newRow("deep scallop") << int(ShapeDeepScallop) << 19.05f << 0.f << 8 << scallop << QRect() << 0 << 0;
    }

    void shapes()
    {
        QFETCH(int, shape);
        QFETCH(float, m1);
        QFETCH(float, m2);
        QFETCH(int, sub);
        QFETCH(int, kind);
        QFETCH(QRect, rect);
        QFETCH(int, corner);
        QFETCH(int, cut);
        const tViewSizeGeometry g = ViewSizeGeometry(Series(shape, m1, m2, sub), ReferenceFor(false, StackUnitedStates));
        const tOutline &o = g.Outline;
        QCOMPARE(int(o.Kind), kind);
        if (!rect.isNull()) {
            QCOMPARE(QRect(QPoint(o.Left, o.Top), QPoint(o.Right, o.Bottom)), rect);
            QCOMPARE(o.CornerRadius, corner);
        } else {
            QCOMPARE(o.Centre, QPoint(400, 400));
            QCOMPARE(o.Radius, 198);
            QCOMPARE(o.Count, sub);
            QCOMPARE(o.Cut, cut);
        }
    }

    void paperMoney_data()
    {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<QRect>("stack");
        QTest::addColumn<QPoint>("farCorner");
        QTest::newRow("smaller note leaves the reference whole")
            << 120.0f << 60.0f << QRect(0, 0, 1000, 444) << QPoint(768, 401);
        QTest::newRow("wider note shrinks the reference by its width")
            << 200.0f << 60.0f << QRect(0, 0, 780, 346) << QPoint(999, 312);
        QTest::newRow("taller note shrinks the reference by its height")
            << 150.0f << 99.441f << QRect(0, 0, 667, 296) << QPoint(640, 443);
    }

    void paperMoney()
    {
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(QRect, stack);
        QFETCH(QPoint, farCorner);
        const tViewSizeGeometry g = ViewSizeGeometry(Series(ShapePaperMoney, width, height), ReferenceFor(true, 0));
        QCOMPARE(g.Canvas, QSize(1000, 444));
        QCOMPARE(g.StackDest, stack);
        QCOMPARE(g.Outline.Kind, tOutlineKind::Rectangle);
        QCOMPARE(QPoint(g.Outline.Left, g.Outline.Top), QPoint(0, 0));
        QCOMPARE(QPoint(g.Outline.Right, g.Outline.Bottom), farCorner);
        QCOMPARE(g.Outline.CornerRadius, 0);
    }

    // A measure that is NaN or infinite is treated as absent: the outline
    // is the one drawn without that measure, never an integer made of it.
    void nonFiniteMeasuresCountAsAbsent_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<float>("m1");
        QTest::addColumn<float>("m2");
        QTest::addColumn<float>("sound1");
        QTest::addColumn<float>("sound2");
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("round, infinite") << int(ShapeRound) << inf << 0.0f << 0.0f << 0.0f;
        QTest::newRow("round, NaN") << int(ShapeRound) << nan << 0.0f << 0.0f << 0.0f;
        QTest::newRow("rounded rectangle, NaN height") << int(ShapeRoundedRectangle) << 30.0f << nan << 30.0f << 0.0f;
        QTest::newRow("oval, infinite height") << int(ShapeOval) << 30.0f << inf << 30.0f << 0.0f;
        QTest::newRow("note, infinite width") << int(ShapePaperMoney) << inf << 60.0f << 0.0f << 60.0f;
        QTest::newRow("note, negative infinite height")
            << int(ShapePaperMoney) << 120.0f << -inf << 120.0f << 0.0f;
    }
    void nonFiniteMeasuresCountAsAbsent()
    {
        QFETCH(int, shape);
        QFETCH(float, m1);
        QFETCH(float, m2);
        QFETCH(float, sound1);
        QFETCH(float, sound2);
        const bool paper = shape == ShapePaperMoney;
        const tViewSizeGeometry g = ViewSizeGeometry(Series(shape, m1, m2), ReferenceFor(paper, StackEuro));
        const tViewSizeGeometry expected = ViewSizeGeometry(Series(shape, sound1, sound2), ReferenceFor(paper, StackEuro));
        QCOMPARE(g.StackDest, expected.StackDest);
        QCOMPARE(QRect(QPoint(g.Outline.Left, g.Outline.Top), QPoint(g.Outline.Right, g.Outline.Bottom)),
                 QRect(QPoint(expected.Outline.Left, expected.Outline.Top),
                       QPoint(expected.Outline.Right, expected.Outline.Bottom)));
        QCOMPARE(g.Outline.Radius, expected.Outline.Radius);
        QCOMPARE(g.Outline.CornerRadius, expected.Outline.CornerRadius);
    }

    void outlineCounts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("cut");
        QTest::addColumn<int>("lines");
        QTest::newRow("heptagon: a side and a corner each") << int(tOutlineKind::Polygon) << 7 << 0 << 7;
        QTest::newRow("rounded dodecagon") << int(tOutlineKind::Polygon) << 12 << 28 << 12;
        QTest::newRow("two-gon") << int(tOutlineKind::Polygon) << 2 << 0 << 2;
        QTest::newRow("polygon below two sides draws nothing") << int(tOutlineKind::Polygon) << 1 << 0 << 0;
        QTest::newRow("polygon without sides draws nothing") << int(tOutlineKind::Polygon) << 0 << 0 << 0;
        QTest::newRow("scallops: four points each") << int(tOutlineKind::Scallops) << 8 << 0 << 32;
        QTest::newRow("no scallops draws nothing") << int(tOutlineKind::Scallops) << 0 << 0 << 0;
    }

    void outlineCounts()
    {
        QFETCH(int, kind);
        QFETCH(int, count);
        QFETCH(int, cut);
        QFETCH(int, lines);
        tOutline o;
        o.Kind = tOutlineKind(kind);
        o.Centre = QPoint(400, 400);
        o.Radius = 300;
        o.Count = count;
        o.Cut = cut;
        tRecordingCanvas c;
        DrawOutline(c, o);
        QCOMPARE(int(c.Lines.size()), lines);
        QCOMPARE(int(c.Beziers.size()), lines);
        // A closed outline: each corner curve ends where the next side starts.
        for (size_t i = 0; i < c.Lines.size(); ++i)
            QCOMPARE(c.Beziers[i][3], c.Lines[(i + 1) % c.Lines.size()].first);
    }

    void polygonStartsAboveCentre()
    {
        tRecordingCanvas c;
        DrawPolygonOutline(c, 400, 400, 100, 4, 0);
        // Sharp corners: the sides run corner to corner, the first from the top.
        QCOMPARE(c.Lines[0].first, QPoint(400, 300));
        QCOMPARE(c.Lines[0].second, QPoint(300, 400));
        QCOMPARE(c.Lines[1].second, QPoint(400, 500));
        QCOMPARE(c.Beziers[0][0], c.Beziers[0][3]);  // nothing cut off
    }

    void scallopsRunClockwiseFromTheTop()
    {
        tRecordingCanvas deep;
        DrawScallopedOutline(deep, 400, 400, 100, 4, true);
        // The first point is straight above the centre, (400, 300), the next
        // to its right at (437, 310): the first side starts a third of the
        // way along, clockwise on the screen.
        QCOMPARE(deep.Lines.front().first, QPoint(412, 303));
        // The valley between lobes lies deeper for deep scallops.
        tRecordingCanvas shallow;
        DrawScallopedOutline(shallow, 400, 400, 100, 4, false);
        auto fromCentre = [](QPoint p) { return std::hypot(p.x() - 400.0, p.y() - 400.0); };
        QVERIFY(fromCentre(deep.Beziers[1][0]) < fromCentre(shallow.Beziers[1][0]));
    }

    void smoothOutlineRoundsCorners()
    {
        tRecordingCanvas c;
        // A 300-pixel square with a cut of 30: each side loses 30 at both ends.
        DrawSmoothOutline(c, {QPoint(0, 0), QPoint(300, 0), QPoint(300, 300), QPoint(0, 300)}, 30);
        QCOMPARE(c.Lines[0], std::make_pair(QPoint(30, 0), QPoint(270, 0)));
        QCOMPARE(c.Beziers[0], (std::array<QPoint, 4>{QPoint(270, 0), QPoint(285, 0), QPoint(300, 15), QPoint(300, 30)}));
        // A short side caps the cut at a third of its length.
        tRecordingCanvas shortSide;
        DrawSmoothOutline(shortSide, {QPoint(0, 0), QPoint(30, 0), QPoint(30, 300)}, 100);
        QCOMPARE(shortSide.Lines[0], std::make_pair(QPoint(10, 0), QPoint(20, 0)));
    }

    // Coinciding points (tiny outlines) make sides without direction: they
    // are dropped instead of dividing by a zero length.
    void zeroLengthSidesAreSkipped_data()
    {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<int>("sides");
        QTest::newRow("one repeated point") << QList<QPoint>{{0, 0}, {0, 0}, {9, 0}, {9, 9}} << 3;
        QTest::newRow("last equals first") << QList<QPoint>{{0, 0}, {9, 0}, {9, 9}, {0, 0}} << 3;
        QTest::newRow("all in one place") << QList<QPoint>{{5, 5}, {5, 5}, {5, 5}} << 0;
    }

    void zeroLengthSidesAreSkipped()
    {
        QFETCH(QList<QPoint>, points);
        QFETCH(int, sides);
        tRecordingCanvas c;
        DrawSmoothOutline(c, std::vector<QPoint>(points.begin(), points.end()), 100);
        QCOMPARE(int(c.Lines.size()), sides);
        for (const auto &b : c.Beziers)
            for (const QPoint &p : b)
                QVERIFY(std::abs(p.x()) < 100 && std::abs(p.y()) < 100);
        // Radius 0 puts every corner of a polygon on the centre.
        tRecordingCanvas dot;
        DrawPolygonOutline(dot, 5, 5, 0, 6, 30);
        QVERIFY(dot.Lines.empty());
    }

    void renderedPictureShowsTheRedOutline()
    {
        const QImage round = RenderViewSize(Series(ShapeRound, 19.05f), StackUnitedStates, false);
        QCOMPARE(round.size(), QSize(800, 800));
        // The left edge of the circle is red; the corner shows the reference.
        QCOMPARE(QColor(round.pixel(201, 400)), QColor(Qt::red));
        QVERIFY(QColor(round.pixel(5, 5)) != QColor(Qt::red));

        const QImage note = RenderViewSize(Series(ShapePaperMoney, 120.0f, 60.0f), StackUnitedStates, true);
        QCOMPARE(note.size(), QSize(1000, 444));
        QCOMPARE(QColor(note.pixel(768, 200)), QColor(Qt::red));

        // The legend is drawn over the stack only when asked for.
        const QImage legend = RenderViewSize(Series(ShapeRound, 10.0f), StackEuro, true);
        const QImage plain = RenderViewSize(Series(ShapeRound, 10.0f), StackEuro, false);
        QVERIFY(legend != plain);
    }
};

QTEST_MAIN(tst_ViewSize)
#include "tst_viewsize.moc"
