#pragma once
// The real-size view: the outline of a series' coin or note drawn in red at
// its real proportions over a reference picture of coins (or a bank note)
// whose real width is known. The geometry is a pure function of the series
// and the reference; the outlines are drawn through a small canvas
// interface, so their points are tested without painting.
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

struct tnodeinfo;

// Stored coin shapes (CoinShape).
enum tCoinShape : int {
    ShapeRound = 0,
    ShapeRoundedSquare = 1,
    ShapeRoundedRectangle = 2,
    ShapeRoundedPolygon = 3,
    ShapeDeepScallop = 4,
    ShapePaperMoney = 5,
    ShapeSquare = 6,
    ShapeRectangle = 7,
    ShapePolygon = 8,
    ShapeOval = 9,
    ShapeShallowScallop = 10,
};

// Items of the reference picker (StackPickerBox).
enum tStackChoice : int {
    StackAustralia = 0,
    StackEuro = 1,
    StackUnitedStates = 2,
};

// A built-in reference picture: its stack and legend names, its size in
// pixels and the real size it shows in millimetres (the height only matters
// for the bank note).
struct tReferencePicture {
    QString Stack;
    QString Mask;  // empty: no legend
    QSize Size;
    double WidthMm = 0;
    double HeightMm = 0;
};

// The reference for a series: the bank note for paper money, else the
// picker's item (an item outside the list counts as "United States").
tReferencePicture ReferenceFor(bool paper, int stackChoice);

// The built-in pictures by name ("USstack", "USmask", "BillStack", ...),
// drawn at their fixed sizes; a null image for an unknown name.
QImage ReferencePicture(const QString &name);

enum class tOutlineKind {
    None,
    Ellipse,       // Bounds
    Rectangle,     // Bounds with corner radius CornerRadius (0: square corners)
    Polygon,       // Centre, Radius, Count sides, corner cut Cut
    Scallops,      // Centre, Radius, Count scallops, Deep
};

struct tOutline {
    tOutlineKind Kind = tOutlineKind::None;
    // Left, top, right and bottom as the drawing routines take them (the
    // right and bottom are the far edges, not a width and height).
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int CornerRadius = 0;
    QPoint Centre;
    int Radius = 0;
    int Count = 0;
    int Cut = 0;
    bool Deep = false;
};

struct tViewSizeGeometry {
    QSize Canvas;     // the picture drawn, the reference picture's size
    QRect StackDest;  // where the whole reference picture is drawn
    tOutline Outline;
};

// Where the reference goes and which outline is drawn over it. Coins: the
// reference fills the picture unless the coin is larger, when it shrinks,
// centred; the outline is centred. Paper money: the note sits at the top
// left; a note larger than the reference shrinks the reference instead.
tViewSizeGeometry ViewSizeGeometry(const tnodeinfo &series, const tReferencePicture &ref);

// What the outlines are drawn with; QPainter in the program, a recorder in
// the tests.
class tOutlineCanvas {
public:
    virtual ~tOutlineCanvas() = default;
    virtual void Line(QPoint from, QPoint to) = 0;
    virtual void Bezier(QPoint from, QPoint control1, QPoint control2, QPoint to) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom, int cornerRadius) = 0;
};

// A closed outline through the points: straight sides whose corners are
// rounded off by cubic curves over at most a third of each side and at most
// cut pixels (cut 0 keeps them sharp). A point equal to the next one makes
// a side without direction; such sides are dropped.
void DrawSmoothOutline(tOutlineCanvas &canvas, std::vector<QPoint> points, int cut, double factor = 0.5);
// A regular polygon of n sides, its first corner straight above the centre.
void DrawPolygonOutline(tOutlineCanvas &canvas, int cx, int cy, int r, int n, int cut);
// n scallops around the centre, deep or shallow.
void DrawScallopedOutline(tOutlineCanvas &canvas, int cx, int cy, int r, int n, bool deep);
void DrawOutline(tOutlineCanvas &canvas, const tOutline &outline);

// The finished View Size picture: the reference, the red outline and, when
// wanted and the reference has one, the legend.
QImage RenderViewSize(const tnodeinfo &series, int stackChoice, bool legend);
