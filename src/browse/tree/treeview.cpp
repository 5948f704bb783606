#include "browse/tree/treeview.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QFontMetricsF>
#include <QHash>

#include "core/model/currproc.h"
#include "core/model/seriestree.h"

const std::array<QRgb, 11> TreeColorTable = {
    0xFF000000,  // black
    0xFFFF0000,  // red
    0xFF008000,  // green
    0xFF8B4513,  // saddle brown
    0xFF800080,  // purple
    0xFF008B8B,  // dark cyan
    0xFF778899,  // light slate grey
    0xFFFFFFFF,  // white
    0xFFF5F5F5,  // white smoke
    0xFFFFF8DC,  // cornsilk
    0xFFFAF0E6,  // linen
};

namespace {

constexpr int FirstLightColour = 7;   // entries 7..10 are near-white

// Codes 11..15 have no table entry and draw as black.
int ColourCode(int fontCode)
{
    const int c = fontCode & 15;
    return c < static_cast<int>(TreeColorTable.size()) ? c : 0;
}

int DrawnColumn(const tnodeinfo &n)
{
    return std::min<int>(n.TreeLevel, TreeGlyphColumns - 1);
}

bool IsRoot(const tMainState &s, const tnodeinfo *n)
{
    return n == s.EntireCollection.get();
}

bool CountryFlag(const std::array<bool, CountryTableSize> &table, int country)
{
    return country >= 0 && country < CountryTableSize && table[static_cast<size_t>(country)];
}

const char *const DiffHints[] = {
    "The currency code of this series differs from the default database.",
    "The face value of this series differs from the default database.",
    "The shape of this series differs from the default database.",
    "The subshape of this series differs from the default database.",
    "The coin size setting of this series differs from the default database.",
    "The vertical size setting of this series differs from the default database.",
    "The font color of this series differs from the default database.",
    "The \"Special Series Mode\" setting of this series differs from the default database.",
};

// Font metrics are costly to build and the size search asks for up to ten
// sizes per row, so they are made once per size and style.
class tNameMetrics {
public:
    double Width(const QString &text, int size, bool bold, bool italic)
    {
        const int style = (bold ? 1 : 0) | (italic ? 2 : 0);
        const int sz = std::clamp(size, 1, TreeNameMaxSize);
        auto &slot = cache_[static_cast<size_t>(style)][static_cast<size_t>(sz)];
        if (!slot)
            slot = std::make_unique<QFontMetricsF>(TreeFont(sz, bold, italic));
        return slot->horizontalAdvance(text);
    }

private:
    std::array<std::array<std::unique_ptr<QFontMetricsF>, TreeNameMaxSize + 1>, 4> cache_;
};

} // namespace

QRgb TreeColor(int fontCode)
{
    return TreeColorTable[static_cast<size_t>(ColourCode(fontCode))];
}

QFont TreeFont(int pixelSize, bool bold, bool italic)
{
    QFont f;
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void SelectSeries(tMainState &s, tnodeinfo *node)
{
    if (!node)
        return;
    s.SelectedTreeNode = node;
    Q_EMIT s.Events->SeriesSelected();
}

tSeriesTree::tSeriesTree(tMainState &state) : State(state)
{
    auto metrics = std::make_shared<tNameMetrics>();
    MeasureName = [metrics](const QString &text, int size, bool bold, bool italic) {
        return metrics->Width(text, size, bold, italic);
    };
}

void tSeriesTree::SetLayoutSize(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
}

int tSeriesTree::FirstRowIndex() const
{
    return static_cast<int>(std::trunc(scrollValue_));
}

void tSeriesTree::SetScrollValue(double value)
{
    scrollValue_ = std::clamp(value, 0.0, static_cast<double>(scrollMax_));
    AssignNodePorts();
    RenderTree();
}

void tSeriesTree::ScrollBy(int tag)
{
    SetScrollValue(scrollValue_ + tag);
}

void tSeriesTree::Wheel(int delta)
{
    SetScrollValue(scrollValue_ - delta / 100.0);
}

void tSeriesTree::BuildNodePorts()
{
    CurrProcGuard guard(24700);
    const int n = height_ / TreeRowHeight + 1;
    NodePorts.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        tNodePort &p = NodePorts[static_cast<size_t>(i)];
        p.Y = TreeRowHeight * i;
        p.Width = width_;
    }
    smallChange_ = n - 1;
}

int tSeriesTree::CalcVisibleNodes()
{
    CurrProcGuard guard(24600);
    int result = -1;
    auto &list = State.VisibleNodeList;
    list.clear();
    // An explicit stack: a tree of any depth is listed without recursion.
    struct tPending {
        tnodeinfo *Node;
        int SiblingIndex;
        int Depth;
    };
    std::vector<tPending> stack{{State.EntireCollection.get(), 0, 0}};
    while (!stack.empty()) {
        const tPending p = stack.back();
        stack.pop_back();
        tnodeinfo *node = p.Node;
        if (node == State.SelectedTreeNode)
            result = static_cast<int>(list.size());
        list.push_back(node);
        node->SiblingIndex = p.SiblingIndex;
        // Depths beyond the byte's range are drawn clamped anyway.
        node->TreeLevel = static_cast<uint8_t>(std::min(p.Depth, 255));
        if (!node->Expanded)
            continue;
        for (size_t i = node->ChildNodes.size(); i-- > 0;)
            stack.push_back({node->ChildNodes[i].get(), static_cast<int>(i), p.Depth + 1});
    }
    const int count = static_cast<int>(list.size());
    scrollMax_ = count < PoolCount() ? 0 : count - PoolCount() + 1;
    scrollValue_ = std::clamp(scrollValue_, 0.0, static_cast<double>(scrollMax_));
    return result;
}

void tSeriesTree::AssignNodePorts()
{
    CurrProcGuard guard(26100);
    const int v = FirstRowIndex();
    const auto &list = State.VisibleNodeList;
    for (int r = 0; r < PoolCount(); ++r) {
        const size_t at = static_cast<size_t>(v + r);
        NodePorts[static_cast<size_t>(r)].NodeInfo = at < list.size() ? list[at] : nullptr;
    }
}

void tSeriesTree::RenderTree()
{
    RenderRows();
    if (Rendered)
        Rendered();
}

void tSeriesTree::RenderRows()
{
    CurrProcGuard guard(24500);
    for (int r = 0; r < PoolCount(); ++r) {
        tNodePort &p = NodePorts[static_cast<size_t>(r)];
        p.Y = TreeRowHeight * r;
        p.Width = width_;
        if (!p.NodeInfo) {
            p.Visible = false;
            p.SuitcaseIndex = -1;
            continue;
        }
        RenderPort(p, r);
    }
}

void tSeriesTree::RenderPort(tNodePort &p, int row)
{
    const tnodeinfo &n = *p.NodeInfo;
    const bool root = IsRoot(State, &n);
    const int level = n.TreeLevel;
    const int col = DrawnColumn(n);

    p.SuitcaseIndex = -1;
    p.NameBold = (n.FontCode >> 4) & 1;
    p.NameItalic = (n.FontCode >> 5) & 1;
    p.Glyphs.fill(TreeImageBlank);

    // Connectors, walking up one ancestor per column. A node deeper than the
    // glyph columns keeps the connectors of its first nine ancestors; the
    // columns from its node glyph on are not drawn.
    const tnodeinfo *a = &n;
    for (int j = level - 1; j >= 0 && a && a->ParentNode; --j) {
        const bool laterSibling = a->SiblingIndex + 1 < static_cast<int>(a->ParentNode->ChildNodes.size());
        int image;
        if (laterSibling)
            image = j == level - 1 ? TreeImageTJoint : TreeImageByPass;
        else
            image = j == level - 1 ? TreeImageRightAngle : TreeImageBlank;
        if (j < col)
            p.Glyphs[static_cast<size_t>(j)] = image;
        a = a->ParentNode;
    }

    // The root is the safe whether or not it holds series yet.
    int glyph;
    if (root) {
        glyph = TreeImageSafe;
    } else if (!n.ChildNodes.empty()) {
        glyph = n.Expanded ? TreeImageCaseOpen : TreeImageCaseClosed;
        p.SuitcaseIndex = col;
    } else if (n.NodeMode == NodeModeComment) {
        glyph = TreeImageBallRight;
    } else if (n.CoinShape == PaperMoneyShape) {
        glyph = TreeImageCash;
    } else {
        glyph = TreeImageSlab;
    }
    p.Glyphs[static_cast<size_t>(col)] = glyph;

    // Our painter draws text literally, so ampersands need no doubling.
    p.NameText = n.NodeName;
    p.DateText = YearsToYearRangeStr(n.DateRangeMin, n.DateRangeMax, n.DateRangeCirca != 0);
    p.EntryText = n.EntryCount >= 1 ? QString::number(n.EntryCount) : QString();

    const bool hasChildren = !n.ChildNodes.empty();
    p.CountsItalic = hasChildren;
    p.DateColor = hasChildren ? TreeSubtotalText : TreeBlackText;
    p.EntryColor = p.DateColor;

    p.NameX = TreeRowHeight * (col + 1);
    p.NameWidth = width_ - p.NameX - TreeDateWidth - TreeEntryWidth;

    // Status glyphs close up from the right edge of the name column.
    const bool icons = State.StatusIcons;
    int r = width_ - TreeDateWidth - TreeEntryWidth;
    p.StatusGlyphs.fill(-1);
    p.StatusX.fill(0);
    for (QString &h : p.StatusHints)
        h.clear();
    auto show = [&](int slot, int image, const QString &hint) {
        const auto s = static_cast<size_t>(slot);
        p.StatusGlyphs[s] = image;
        p.StatusHints[s] = hint;
        p.StatusX[s] = r - TreeStatusGlyphSize - TreeStatusGap;
        r = p.StatusX[s];
    };
    if (State.IndicateEBook >= 1) {
        if (n.eIndexed)
            show(9, ImgGreenBook, QStringLiteral("This series is indexed in the focused eBook"));
        else
            show(9, ImgRedBook, QStringLiteral("This series is not indexed in the focused eBook"));
    }
    if (n.GlyphStats & GlyphAdded)
        show(8, ImgNewBright, QStringLiteral("This series was just addded in the last update"));
    else if (n.GlyphStats & GlyphChildAdded)
        show(8, ImgNewDim, QStringLiteral("This series contains a new series that was added in the last update"));
    if (icons) {
        if (n.GlyphStats & GlyphParentDiffers)
            show(7, ImgMove, QStringLiteral("This series was moved from it's origional location"));
        else if (n.CoinType > 1000000)
            show(7, ImgUser, QStringLiteral("This is a user-defined series"));
        if (n.GlyphStats & GlyphNameDiffers)
            show(6, ImgTextReplace,
                 QStringLiteral("The name of this series differs from it's name in the default database."));
        for (int bit = 0; bit < 8; ++bit) {
            if (n.GlyphStats & (GlyphFaceCodeDiffers << bit)) {
                show(5, ImgSettings, QString::fromUtf8(DiffHints[bit]));
                break;
            }
        }
        const bool moveHeld = !n.MoveOK && !root;
        const bool updateHeld = !n.UpdateOK;
        if (moveHeld || updateHeld) {
            if (moveHeld && updateHeld)
                show(4, ImgLock, QStringLiteral("The position and settings for this series are not changed by updates."));
            else if (moveHeld)
                show(4, ImgLock, QStringLiteral("The position of this series is not changed by updates."));
            else
                show(4, ImgLock, QStringLiteral("The settings for this series are not changed by updates."));
        }
        // Only the topmost series of a country carries its price-list mark.
        if (!root && n.ParentNode && (IsRoot(State, n.ParentNode) || n.ParentNode->Country != n.Country)) {
            const bool modified = CountryFlag(State.PricesModifiedArray, n.Country);
            const bool converted = CountryFlag(State.PricesConvertedArray, n.Country);
            if (modified && converted)
                show(3, ImgDollarMixed, QStringLiteral("The price list for this country has been both converted and modified."));
            else if (modified)
                show(3, ImgDollar, QStringLiteral("The price list for this country has been modified since loading."));
            else if (converted)
                show(3, ImgDollarCopper,
                     QStringLiteral("The price list for this country was automatically converted from another currency."));
        }
    }

    p.DateX = width_ - TreeDateWidth - TreeEntryWidth;
    p.EntryX = width_ - TreeEntryWidth;

    // The largest size from 20 down to 11 at which the name fits left of the
    // status glyphs; 10 when none does.
    p.NameRoom = r - p.NameX;
    p.NameSize = TreeNameMinSize;
    for (int s = TreeNameMaxSize; s > TreeNameMinSize; --s) {
        if (MeasureName(p.NameText, s, p.NameBold, p.NameItalic) < p.NameRoom) {
            p.NameSize = s;
            break;
        }
    }

    p.BandX = TreeRowHeight * col;
    p.BandWidth = width_ - p.BandX;

    const int c = ColourCode(n.FontCode);
    if (&n == State.SelectedTreeNode) {
        if (c == 0) {
            p.BandColor = TreeSelectedBand;
            p.NameColor = p.DateColor = p.EntryColor = TreeBlackText;
        } else {
            // White text would vanish on the near-white entries.
            p.BandColor = TreeColorTable[static_cast<size_t>(c)];
            const QRgb text = c >= FirstLightColour ? TreeBlackText : TreeWhiteText;
            p.NameColor = p.DateColor = p.EntryColor = text;
        }
    } else {
        // The stripes belong to screen rows, not to nodes.
        p.BandColor = row % 2 == 0 ? TreeStripeEven : TreeStripeOdd;
        p.NameColor = c >= FirstLightColour ? TreeBlackText : TreeColorTable[static_cast<size_t>(c)];
    }
    p.Visible = true;
}

void tSeriesTree::MakeTreeNodeVisible(tnodeinfo *inNode)
{
    CurrProcGuard guard(22500);
    if (!inNode)
        return;
    ForEachNode(State.EntireCollection.get(), [](tnodeinfo *n) { n->Expanded = false; });
    for (tnodeinfo *a = inNode; a; a = a->ParentNode)
        a->Expanded = true;
    CalcVisibleNodes();
    // Centred on the node asked for, which callers such as the finders pass
    // before they select it.
    const auto &list = State.VisibleNodeList;
    const int r = static_cast<int>(std::find(list.begin(), list.end(), inNode) - list.begin());
    // Setting the value directly: the change handler would rebind and paint
    // twice.
    scrollValue_ = std::clamp(static_cast<double>(r - PoolCount() / 2 + 1), 0.0, static_cast<double>(scrollMax_));
    AssignNodePorts();
    RenderTree();
}

void tSeriesTree::StatusIcons1Click()
{
    State.StatusIcons = !State.StatusIcons;
    RenderTree();
}

int tSeriesTree::Button7Image() const
{
    return FirstRowIndex() >= 1 ? ImgUp : ImgRoundUp;
}

int tSeriesTree::Button8Image() const
{
    return scrollMax_ > FirstRowIndex() ? ImgDown : ImgRoundDown;
}

int tSeriesTree::RowAt(double y) const
{
    if (y < 0)
        return -1;
    const int r = static_cast<int>(y / TreeRowHeight);
    return r < PoolCount() ? r : -1;
}

int tSeriesTree::RowOf(const tnodeinfo *node) const
{
    for (int r = 0; r < PoolCount(); ++r)
        if (node && NodePorts[static_cast<size_t>(r)].NodeInfo == node)
            return r;
    return -1;
}

int tSeriesTree::StatusSlotAt(int row, double x, double y) const
{
    if (row < 0 || row >= PoolCount())
        return -1;
    const tNodePort &p = NodePorts[static_cast<size_t>(row)];
    if (!p.Visible)
        return -1;
    const double top = p.Y;
    if (y < top || y >= top + TreeStatusGlyphSize)
        return -1;
    for (int s = 0; s < TreeStatusSlots; ++s) {
        const auto i = static_cast<size_t>(s);
        if (p.StatusGlyphs[i] >= 0 && x >= p.StatusX[i] && x < p.StatusX[i] + TreeStatusGlyphSize)
            return s;
    }
    return -1;
}

tPressAction tSeriesTree::NodePortMouseDown(int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                            double x)
{
    CurrProcGuard guard(24800);
    if (row < 0 || row >= PoolCount())
        return tPressAction::None;
    const tNodePort &p = NodePorts[static_cast<size_t>(row)];
    tnodeinfo *node = p.NodeInfo;
    if (!node)
        return tPressAction::None;

    if (button == Qt::RightButton) {
        SelectSeries(State, node);
        return tPressAction::ContextMenu;
    }
    if (button != Qt::LeftButton)
        return tPressAction::None;

    if (modifiers & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier)) {
        if (node->CoinType <= RootCoinType)
            return tPressAction::None;
        SelectSeries(State, node);
        return tPressAction::Drag;
    }

    if (node->NodeMode == NodeModeComment)
        return tPressAction::None;
    const int caseX = TreeRowHeight * p.SuitcaseIndex;
    if (p.SuitcaseIndex != -1 && x > caseX && x < caseX + TreeRowHeight + 1) {
        node->Expanded = !node->Expanded;
        CalcVisibleNodes();
        AssignNodePorts();
        RenderTree();
        return tPressAction::Toggled;
    }
    if (x >= p.BandX) {
        SelectSeries(State, node);
        return tPressAction::Selected;
    }
    return tPressAction::None;
}

bool tSeriesTree::OpensCoinsPage(const tnodeinfo *node)
{
    return node && node->CoinType != RootCoinType && node->NodeMode != NodeModeComment;
}

void tSeriesTree::ExpandAll(bool expand)
{
    CurrProcGuard guard(27000);
    ForEachNode(State.SelectedTreeNode, [&](tnodeinfo *n) {
        if (!n->ChildNodes.empty())
            n->Expanded = expand;
    });
    CalcVisibleNodes();
    AssignNodePorts();
    RenderTree();
}

tAutoScroll AutoScrollStep(double pointerY, double areaTop, double areaHeight)
{
    tAutoScroll a;
    const double bottom = areaTop + areaHeight;
    if (pointerY < areaTop) {
        a.Direction = -1;
        a.Interval = 310 - static_cast<int>(std::min(areaTop - pointerY, 150.0) * 2);
    } else if (pointerY > bottom) {
        a.Direction = 1;
        a.Interval = 310 - static_cast<int>(std::min(pointerY - bottom, 150.0) * 2);
    }
    return a;
}

void MarkIndexedSeries(tMainState &s, const std::vector<int32_t> &seriesNumbers)
{
    QHash<int32_t, tnodeinfo *> byNumber;
    ForEachNode(s.EntireCollection.get(), [&byNumber](tnodeinfo *n) {
        n->eIndexed = false;
        byNumber.insert(n->CoinType, n);
    });
    for (const int32_t number : seriesNumbers)
        if (tnodeinfo *n = byNumber.value(number))
            n->eIndexed = true;
}
