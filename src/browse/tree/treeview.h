#pragma once
// The series tree of the Series page, drawn by the program itself.
//
// A fixed pool of screen rows (tNodePort), one per row of the tree area, is
// bound to the expanded part of the tree (VisibleNodeList in the state).
// Scrolling only rebinds rows to nodes, so a tree of thousands of series
// costs one screen per repaint. Everything a row shows - glyphs, texts,
// colours, positions and hints - is decided here; the widget only paints it,
// so these rules run and are tested without a window.
#include <array>
#include <functional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>

#include "core/model/mainstate.h"

constexpr int TreeRowHeight = 32;
constexpr int TreeGlyphColumns = 10;       // a node is drawable at depths 0..9
constexpr int TreeStatusSlots = 10;        // slots 3..9 are used
constexpr int TreeStatusGlyphSize = 32;
constexpr int TreeStatusGap = 4;
constexpr int TreeDateWidth = 160;
constexpr int TreeEntryWidth = 130;
constexpr int TreeHeaderHeight = 28;
constexpr int TreeNameMaxSize = 20;        // pixel sizes tried for the name, 20 down to 11
constexpr int TreeNameMinSize = 10;        // used without measuring when nothing larger fits

// Pictures of the tree's image list, by index.
enum tTreeImage : int {
    TreeImageSafe = 0,         // the root
    TreeImageSlab = 1,         // a series without children
    TreeImageCash = 2,         // a paper-money series without children
    TreeImageCaseClosed = 3,   // a collapsed series with children
    TreeImageCaseOpen = 4,     // an expanded series with children
    TreeImageBlank = 5,        // empty column
    TreeImageTJoint = 6,       // the node has a later sibling
    TreeImageRightAngle = 7,   // the node is its parent's last child
    TreeImageByPass = 8,       // the ancestor at that column has a later sibling
    TreeImageBallEnd = 9,      // not drawn by the tree
    TreeImageBallRight = 10,   // a comment line without children
    TreeImageCount = 11,
};

// Pictures of the main window's 32 x 32 image list that the tree shows,
// and those the message box's buttons show.
enum tTreeButtonImage : int {
    ImgOK = 2,        // "OK", "Yes", "Done"
    ImgNo = 3,        // "No", "Cancel"
    ImgUp = 5,
    ImgDown = 6,
    ImgLeft = 7,
    ImgRight = 8,
    ImgSave = 15,
    ImgLock = 17,
    ImgDiscard = 19,
    ImgCancel = 20,
    ImgNewDim = 32,
    ImgNewBright = 33,
    ImgUncollected = 34,  // a year, mint and variety the series has no entry of
    ImgCollected = 35,    // one it has
    ImgMove = 36,
    ImgUser = 37,
    ImgTextReplace = 38,
    ImgGreenBook = 39,
    ImgRedBook = 40,
    ImgDollar = 41,
    ImgSettings = 43,
    ImgDollarCopper = 44,
    ImgDollarMixed = 45,
    ImgRoundUp = 48,
    ImgRoundDown = 49,
};

// Colours of the series names, indexed by the low four bits of FontCode.
extern const std::array<QRgb, 11> TreeColorTable;
// The table entry for a colour code; codes without an entry give entry 0.
QRgb TreeColor(int fontCode);

constexpr QRgb TreeSelectedBand = 0xFF00FFFF;   // selection of a black series
constexpr QRgb TreeStripeEven = 0xFFFFFFFF;
constexpr QRgb TreeStripeOdd = 0xFFFFFFF0;
constexpr QRgb TreeSubtotalText = 0xFF808080;   // dates and counts that total a subtree
constexpr QRgb TreeBlackText = 0xFF000000;
constexpr QRgb TreeWhiteText = 0xFFFFFFFF;

// One screen row. The pool keeps these; RenderTree fills them from the node
// bound by AssignNodePorts. X positions are within the row, whose width is
// the tree area's width and whose top is TreeRowHeight x its pool index.
struct tNodePort {
    tnodeinfo *NodeInfo = nullptr;   // nothing past the end of the list: the row is hidden
    bool Visible = false;
    int Y = 0;
    int Width = 0;
    int SuitcaseIndex = -1;          // column of the case glyph, -1 when none

    std::array<int, TreeGlyphColumns> Glyphs{};        // tTreeImage per column
    std::array<int, TreeStatusSlots> StatusGlyphs{};   // tTreeButtonImage, -1 none
    std::array<int, TreeStatusSlots> StatusX{};
    std::array<QString, TreeStatusSlots> StatusHints;

    QString NameText;
    int NameX = 0;
    int NameWidth = 0;
    int NameRoom = 0;                // width left of the shown status glyphs
    int NameSize = TreeNameMaxSize;
    bool NameBold = false;
    bool NameItalic = false;
    QRgb NameColor = TreeBlackText;

    QString DateText;
    int DateX = 0;
    QRgb DateColor = TreeBlackText;
    QString EntryText;
    int EntryX = 0;
    QRgb EntryColor = TreeBlackText;
    bool CountsItalic = false;       // dates and entries of a series with children

    int BandX = 0;
    int BandWidth = 0;
    QRgb BandColor = TreeStripeEven;
};

// What a press on a row did, so the widget can finish the gesture.
enum class tPressAction {
    None,
    Toggled,       // the case glyph expanded or collapsed its series
    Selected,      // the series was selected
    ContextMenu,   // selected; the series menu opens
    Drag,          // selected; a drag of the series begins
};

class tSeriesTree {
public:
    // Width of a series name drawn at a pixel size in a style.
    using NameWidthFn = std::function<double(const QString &text, int pixelSize, bool bold, bool italic)>;

    explicit tSeriesTree(tMainState &state);

    tMainState &State;
    std::vector<tNodePort> NodePorts;
    // Measures names for the size search; by default the tree's own font.
    NameWidthFn MeasureName;
    // Called after every RenderTree: the widget mirrors the scroll bar and
    // repaints.
    std::function<void()> Rendered;

    // Size of the tree area (TreeLayout) in pixels.
    void SetLayoutSize(int width, int height);
    int LayoutWidth() const { return width_; }
    int LayoutHeight() const { return height_; }

    // The scroll bar: its value is the index in VisibleNodeList of the node
    // in row 0. The value is fractional (the wheel moves 1.2 rows a notch);
    // rows follow its integer part.
    double ScrollValue() const { return scrollValue_; }
    int ScrollMax() const { return scrollMax_; }
    int ScrollPage() const { return smallChange_; }
    int FirstRowIndex() const;
    // TreeScrollBarChange: clamps to the range, rebinds and repaints.
    void SetScrollValue(double value);
    // TreeScrollButtonClick: one row up (-1) or down (+1).
    void ScrollBy(int tag);
    // TreeLayoutMouseWheel with the wheel's delta (120 a notch).
    void Wheel(int delta);

    void BuildNodePorts();
    int CalcVisibleNodes();
    void AssignNodePorts();
    // Fills every bound row and reports through Rendered.
    void RenderTree();
    // Fills the rows without reporting; the widget's paint uses it.
    void RenderRows();
    void MakeTreeNodeVisible(tnodeinfo *inNode);
    void StatusIcons1Click();

    int Button7Image() const;
    int Button8Image() const;

    // Pool row under a point of the tree area, -1 outside the pool.
    int RowAt(double y) const;
    // Row showing a node, -1 when it is not on screen.
    int RowOf(const tnodeinfo *node) const;
    // Status slot whose glyph lies under a point of a row, -1 none.
    int StatusSlotAt(int row, double x, double y) const;

    // NodePortMouseDown. Selecting runs the state's SeriesSelected hook.
    tPressAction NodePortMouseDown(int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x);
    // NodePortDblClick: whether a double-click on this series opens the
    // Coins page (the caller still checks that the page is offered).
    static bool OpensCoinsPage(const tnodeinfo *node);
    // Expandall1Click: expands (or collapses) the selected series and every
    // series below it that has children.
    void ExpandAll(bool expand);

private:
    void RenderPort(tNodePort &port, int row);
    int PoolCount() const { return static_cast<int>(NodePorts.size()); }

    int width_ = 0;
    int height_ = 0;
    double scrollValue_ = 0;
    int scrollMax_ = 0;
    int smallChange_ = 0;
};

// Sets SelectedTreeNode and runs the state's SeriesSelected hook.
void SelectSeries(tMainState &s, tnodeinfo *node);

// The font of the tree's texts at a pixel size.
QFont TreeFont(int pixelSize, bool bold = false, bool italic = false);

// TreeScrollTimerTimer while a series is dragged: which way to scroll (-1 up,
// +1 down, 0 not at all) and the timer's next interval in milliseconds (0:
// keep it), given the pointer's and the tree area's screen Y.
struct tAutoScroll {
    int Direction = 0;
    int Interval = 0;
};
tAutoScroll AutoScrollStep(double pointerY, double areaTop, double areaHeight);

// The marks of the focused eBook: eIndexed is set on exactly the series whose
// numbers are given (a number without a series is passed over) and cleared
// on every other series of the tree.
void MarkIndexedSeries(tMainState &s, const std::vector<int32_t> &seriesNumbers);
