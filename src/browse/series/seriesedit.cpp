#include "browse/series/seriesedit.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "core/collection/coinentries.h"
#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/model/helpers.h"
#include "core/model/money.h"
#include "core/model/seriestree.h"
#include "browse/tree/treeview.h"
#include "pricing/pricelists/pricelist.h"

namespace {

// The list order puts related shapes together; the codes are stored.
constexpr tCoinShape Shapes[] = {
    {0, "Round", "Diameter", tSecondMeasure::None},
    {9, "Oval", "Width", tSecondMeasure::Height},
    {6, "Square", "Width", tSecondMeasure::None},
    {1, "Rounded square", "Width", tSecondMeasure::None},
    {7, "Rectangle", "Width", tSecondMeasure::Height},
    {2, "Rounded rectangle", "Width", tSecondMeasure::Height},
    {8, "Polyon", "Diameter", tSecondMeasure::Sides},
    {3, "Rounded polygon", "Diameter", tSecondMeasure::Sides},
    {4, "Deep Scallop", "Diameter", tSecondMeasure::Bumps},
    {10, "Shallow Scallop", "Diameter", tSecondMeasure::Bumps},
    {5, "Paper Money", "Width", tSecondMeasure::Height},
};

constexpr int FontColorBits = 0x0F;
constexpr int FontStyleShift = 4;
constexpr int FontStyleBits = 0x03;
constexpr int UserPriceList = 1000;

} // namespace

std::span<const tCoinShape> CoinShapesInListOrder()
{
    return Shapes;
}

const tCoinShape *CoinShapeByCode(int code)
{
    for (const tCoinShape &s : Shapes)
        if (s.Code == code)
            return &s;
    return nullptr;
}

QString SecondMeasureLabel(tSecondMeasure second)
{
    switch (second) {
    case tSecondMeasure::Height: return QStringLiteral("Height");
    case tSecondMeasure::Sides: return QStringLiteral("Sides");
    case tSecondMeasure::Bumps: return QStringLiteral("Bumps");
    case tSecondMeasure::None: break;
    }
    return {};
}

const QStringList &GradingScaleNames()
{
    static const QStringList names = {QStringLiteral("Sheldon Scale (default)"), QStringLiteral("User defined scale 1"),
                                      QStringLiteral("User defined scale 2"), QStringLiteral("User defined scale 3"),
                                      QStringLiteral("NGCX (1-10)")};
    return names;
}

const QStringList &FontColorNames()
{
    static const QStringList names = {QStringLiteral("Black"),  QStringLiteral("Red"),  QStringLiteral("Green"),
                                      QStringLiteral("Brown"),  QStringLiteral("Purple"), QStringLiteral("Cyan"),
                                      QStringLiteral("Gray")};
    return names;
}

const QStringList &FontStyleNames()
{
    static const QStringList names = {QStringLiteral("Normal"), QStringLiteral("Bold"), QStringLiteral("Italic"),
                                      QStringLiteral("Bold Italic")};
    return names;
}

QStringList NodeModeItems(bool hasSubSeries)
{
    QStringList items = {QStringLiteral("Regular series for coins or notes"),
                         QStringLiteral("Series denotes a country")};
    // A comment cannot hold series: its sub-series would vanish from view.
    if (!hasSubSeries)
        items << QStringLiteral("Series name is just a comment");
    return items;
}

QString ForexChoiceText(const tForex &forex)
{
    if (forex.Code.isEmpty() || forex.Code == QLatin1String("-"))
        return forex.Description;
    return forex.Code + QStringLiteral(" | ") + forex.Description;
}

// ---- Numbers ----

QString SeriesNumberText(tSeriesNumberForm form, double value, QChar decimalSep)
{
    switch (form) {
    case tSeriesNumberForm::StoredFaceValue: return FormatFloatPattern(QStringLiteral("#.00###"), value, decimalSep);
    case tSeriesNumberForm::EditedFaceValue: return FormatFloatPattern(QStringLiteral("#.00#"), value, decimalSep);
    case tSeriesNumberForm::Measure: return FormatFloatPattern(QStringLiteral("#.#"), value, decimalSep);
    }
    return {};
}

double ReadSeriesNumber(const QString &text, QChar decimalSep)
{
    QString t = text.trimmed();
    if (decimalSep != QLatin1Char('.'))
        t.replace(decimalSep, QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString NormalizeMeasureText(const QString &text, QChar decimalSep)
{
    QString digits = text;
    digits.remove(QStringLiteral("mm"));
    double v = std::min(ReadSeriesNumber(digits, decimalSep), MaxMeasure);
    if (std::trunc(v * 10) < 1)
        return {};
    return SeriesNumberText(tSeriesNumberForm::Measure, v, decimalSep) + QStringLiteral(" mm");
}

float ReadMeasureText(const QString &text, QChar decimalSep)
{
    QString kept;
    for (QChar c : text)
        if (c.isDigit() || c == QLatin1Char('.') || c == decimalSep)
            kept += c;
    return static_cast<float>(ReadSeriesNumber(kept, decimalSep));
}

float MeasureToStore(const QString &text, const QString &openedText, float opened, QChar decimalSep)
{
    const QString shown = NormalizeMeasureText(text, decimalSep);
    if (shown == NormalizeMeasureText(openedText, decimalSep))
        return opened;
    return ReadMeasureText(shown, decimalSep);
}

float FaceValueToStore(const QString &text, const QString &openedText, float opened, QChar decimalSep)
{
    const double typed = ReadSeriesNumber(text, decimalSep);
    if (typed == ReadSeriesNumber(openedText, decimalSep))
        return opened;
    return static_cast<float>(typed);
}

// ---- Price sources ----

QString SeriesChoiceText(int number, const QString &name)
{
    return QStringLiteral("Series %1, %2").arg(number).arg(name);
}

bool tPriceSourceChoices::Add(const tMainState &s, const QString &text, int number, int excluded)
{
    if (number == excluded)
        return false;
    for (const tSeriesChoice &c : Items)
        if (c.Tag == number)
            return false;
    if (number != 0 && !CoinTypeToNodeInfo(s, number))
        return false;
    Items.push_back({text, number});
    return true;
}

tPriceSourceChoices PriceSourceChoicesFor(const tMainState &s, const tnodeinfo &selected, bool newSeries)
{
    tPriceSourceChoices c;
    c.Add(s, OwnPriceListChoice, 0);
    const int own = newSeries ? -1 : selected.CoinType;
    if (newSeries) {
        c.Add(s, SeriesChoiceText(selected.CoinType, selected.NodeName), selected.CoinType);
    } else if (selected.ParentNode) {
        const tnodeinfo &parent = *selected.ParentNode;
        bool parentAdded = false;
        if (parent.HasPrices)
            parentAdded = c.Add(s, SeriesChoiceText(parent.CoinType, parent.NodeName), parent.CoinType, own);
        if (selected.PriceSource > 0) {
            if (parentAdded && selected.PriceSource == parent.CoinType)
                c.Chosen = static_cast<int>(c.Items.size()) - 1;
            else if (c.Add(s, SeriesChoiceText(selected.PriceSource, CoinTypeToSeriesName(s, selected.PriceSource)),
                           selected.PriceSource, own))
                c.Chosen = static_cast<int>(c.Items.size()) - 1;
        }
    } else if (selected.PriceSource > 0 &&
               c.Add(s, SeriesChoiceText(selected.PriceSource, CoinTypeToSeriesName(s, selected.PriceSource)),
                     selected.PriceSource, own)) {
        c.Chosen = static_cast<int>(c.Items.size()) - 1;
    }
    for (const tnodeinfo *n : s.ClickTrackList)
        c.Add(s, SeriesChoiceText(n->CoinType, n->NodeName), n->CoinType, own);
    return c;
}

// ---- The dialog's values ----

tSeriesProperties SeriesPropertiesOf(const tnodeinfo &node)
{
    tSeriesProperties p;
    p.Name = node.NodeName;
    p.PriceSource = node.PriceSource;
    p.CoinShape = CoinShapeByCode(node.CoinShape) ? node.CoinShape : Shapes[0].Code;
    p.CoinSubShape = std::clamp<int>(node.CoinSubShape, FirstSubShape, LastSubShape);
    p.FaceValueCode = node.FaceValueCode;
    p.FaceValueAmount = node.FaceValueAmount;
    p.Measure1 = node.Measure1;
    p.Measure2 = node.Measure2;
    p.NodeMode = node.NodeMode;
    p.GradeScale = node.GradeScale < GradingScaleNames().size() ? node.GradeScale : 0;
    const int color = node.FontCode & FontColorBits;
    p.FontColor = color < FontColorNames().size() ? color : -1;
    p.FontStyle = (node.FontCode >> FontStyleShift) & FontStyleBits;
    p.UpdateOK = node.UpdateOK;
    // The root holds the tree; it has nowhere to move to.
    p.MoveOK = node.ParentNode ? node.MoveOK : false;
    p.Obverse = node.Obverse;
    p.Reverse = node.Reverse;
    return p;
}

tSeriesProperties NewSeriesProperties()
{
    tSeriesProperties p;
    p.CoinSubShape = FirstSubShape;
    p.UpdateOK = true;
    return p;
}

void ApplySeriesProperties(tnodeinfo &node, const tSeriesProperties &p, bool isRoot)
{
    node.NodeName = p.Name.trimmed();
    node.PriceSource = p.PriceSource;
    node.CoinShape = static_cast<uint8_t>(p.CoinShape);
    node.GradeScale = static_cast<uint8_t>(p.GradeScale);
    node.UpdateOK = p.UpdateOK;
    node.MoveOK = isRoot ? false : p.MoveOK;
    node.Obverse = p.Obverse;
    node.Reverse = p.Reverse;
    node.CoinSubShape = static_cast<uint8_t>(p.CoinSubShape);
    node.FaceValueCode = p.HasCurrency ? p.FaceValueCode : QString();
    node.FaceValueAmount = p.FaceValueAmount;
    node.Measure1 = p.Measure1;
    node.Measure2 = p.Measure2;
    node.NodeMode = static_cast<uint8_t>(p.NodeMode);
    node.FontCode = static_cast<uint8_t>((std::max(p.FontColor, 0) & FontColorBits) +
                                         16 * (p.FontStyle & FontStyleBits));
}

// ---- New series ----

int NewUserSeriesNumber(const tMainState &s, const std::function<int()> &draw)
{
    for (;;) {
        const int n = FirstUserSeries + std::clamp(draw(), 0, UserSeriesRange - 1);
        if (!CoinTypeToNodeInfo(s, n))
            return n;
    }
}

tnodeinfo *AddNewSeries(tMainState &s, tnodeinfo *selected, bool inside, int coinType, const QString &name)
{
    if (!selected)
        selected = s.EntireCollection.get();
    tnodeinfo *node = nullptr;
    if (inside || !selected->ParentNode) {
        node = AddChildNode(selected, coinType);
    } else {
        tnodeinfo *parent = selected->ParentNode;
        int at = 0;
        while (at < static_cast<int>(parent->ChildNodes.size()) && parent->ChildNodes[static_cast<size_t>(at)].get() != selected)
            ++at;
        node = AddChildNode(parent, coinType, at + 1);
    }
    node->NodeName = name.trimmed();
    return node;
}

// ---- Copying down ----

void CopyPropertiesToSubseries(const tnodeinfo &from, tnodeinfo &to, int groups)
{
    if (groups & CopyShapeAndSize) {
        to.CoinShape = from.CoinShape;
        to.CoinSubShape = from.CoinSubShape;
        to.Measure1 = from.Measure1;
        to.Measure2 = from.Measure2;
    }
    if (groups & CopyFaceValue) {
        to.FaceValueCode = from.FaceValueCode;
        to.FaceValueAmount = from.FaceValueAmount;
    }
    if (groups & CopyGradeScale)
        to.GradeScale = from.GradeScale;
    if (groups & CopyFontStyle)
        to.FontCode = from.FontCode;
    if (groups & CopyUpdates) {
        to.UpdateOK = from.UpdateOK;
        to.MoveOK = from.MoveOK;
    }
    for (auto &child : to.ChildNodes)
        CopyPropertiesToSubseries(from, *child, groups);
}

void AskCopyToSubseries(tnodeinfo &edited)
{
    if (edited.ChildNodes.empty())
        return;
    const QString text = QStringLiteral("You've edited the properties for a series that has series within it.\r"
                                        "Would you like any of those properties copied to those sub-series?\r"
                                        "If so, select the properties you'd like to copy by clicking the buttons below.");
    constexpr int toggles = CopyShapeAndSize | CopyFaceValue | CopyGradeScale | CopyFontStyle | CopyUpdates;
    ShowEpicMessage(text, QStringLiteral("Shape & size"), QStringLiteral("Face value"), QStringLiteral("Grading scale"),
                    QStringLiteral("Font style & color"), QStringLiteral("Allow updates"), QStringLiteral("Done"), -1,
                    -1, -1, -1, -1, ImgOK, toggles, {}, false, {}, toggles);
    const int groups = EpicOptionBits & toggles;
    if (groups)
        CopyPropertiesToSubseries(edited, edited, groups);
}

// ---- Sorting ----

void SortChildren(tnodeinfo &node, bool byDate)
{
    auto before = [byDate](const std::unique_ptr<tnodeinfo> &a, const std::unique_ptr<tnodeinfo> &b) {
        if (byDate)
            return a->DateRangeMin < b->DateRangeMin ||
                   (a->DateRangeMin == b->DateRangeMin && a->DateRangeMax < b->DateRangeMax);
        return QString::localeAwareCompare(a->NodeName, b->NodeName) < 0;
    };
    std::stable_sort(node.ChildNodes.begin(), node.ChildNodes.end(), before);
}

bool SortSubseries(tMainState &s, tnodeinfo &node, bool byDate)
{
    CurrProcGuard guard(11102);
    if (node.ChildNodes.size() < 2)
        return false;
    const QString text = QStringLiteral("You've selected to sort the subseries within this series ") +
                         (byDate ? QStringLiteral("by date") : QStringLiteral("alphabetically")) +
                         QStringLiteral(".  Do you wish to continue?");
    if (ShowEpicMessage(text, QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {}, ImgOK, ImgNo) != 1)
        return false;
    SortChildren(node, byDate);
    // The order is stored in the collection file: without the mark a close
    // would drop it without asking.
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
    return true;
}

// ---- Deleting and emptying ----

std::vector<int> CollectSubtreeTypes(const tnodeinfo &node)
{
    std::vector<int> out;
    ForEachNode(const_cast<tnodeinfo *>(&node), [&](tnodeinfo *n) { out.push_back(n->CoinType); });
    return out;
}

QString EmptyQuestion(const QString &name, int coins)
{
    return QStringLiteral("You've selected to empty the series\r\n\"%1\".\r\nThis will delete %2 coin%3. \rAre you sure?")
        .arg(name)
        .arg(coins)
        .arg(PluralS(coins));
}

namespace {

QString DeleteOpening(const QString &name, const tDeleteCounts &counts)
{
    // The word series has no plural ending; coin has.
    return QStringLiteral("You've selected to delete the coin type \"%1\".  This will delete %2 series and %3 coin%4. ")
        .arg(name)
        .arg(counts.Series)
        .arg(counts.Coins)
        .arg(PluralS(counts.Coins));
}

} // namespace

QString DeleteQuestion(const QString &name, const tDeleteCounts &counts)
{
    return DeleteOpening(name, counts) + QStringLiteral("\rAre you sure?");
}

QString DeleteWithPricesQuestion(const QString &name, const tDeleteCounts &counts)
{
    return DeleteOpening(name, counts) +
           QStringLiteral("\r\rDo you want to delete the price list entries in this series as well? "
                          "If you do, they will not be available in other collections.");
}

bool DeleteThisFolder(tMainState &s, bool emptyOnly)
{
    CurrProcGuard guard(11103);
    tnodeinfo *node = s.SelectedTreeNode;
    if (!node || (!emptyOnly && !node->ParentNode))
        return false;
    const std::vector<int> types = CollectSubtreeTypes(*node);
    const std::unordered_set<int> typeSet(types.begin(), types.end());
    tDeleteCounts counts;
    counts.Series = static_cast<int>(types.size());
    for (const auto &c : s.CoinList)
        counts.Coins += typeSet.count(c->CoinType) ? 1 : 0;

    bool removePrices = false;
    if (emptyOnly) {
        if (ShowEpicMessage(EmptyQuestion(node->NodeName, counts.Coins), QStringLiteral("Yes"), QStringLiteral("No"),
                            {}, {}, {}, {}, ImgOK, ImgNo) != 1)
            return false;
    } else {
        const bool userSeries = node->CoinType >= FirstUserSeries;
        const bool hasPrices = userSeries && std::any_of(s.PriceList.begin(), s.PriceList.end(), [&](const auto &p) {
                                   return typeSet.count(p->CoinType) != 0;
                               });
        if (hasPrices) {
            const int answer = ShowEpicMessage(DeleteWithPricesQuestion(node->NodeName, counts), QStringLiteral("Yes"),
                                               QStringLiteral("No"), QStringLiteral("Cancel"), {}, {}, {}, ImgOK, ImgNo,
                                               ImgCancel);
            if (answer != 1 && answer != 2)
                return false;
            removePrices = answer == 1;
        } else if (ShowEpicMessage(DeleteQuestion(node->NodeName, counts), QStringLiteral("Yes"), QStringLiteral("No"),
                                   {}, {}, {}, {}, ImgOK, ImgNo) != 1) {
            return false;
        }
    }

    // Entries go through DeleteCoin, which drops every link to them (the
    // report bin, the undo records, the current list).
    for (auto i = s.CoinList.size(); i-- > 0;)
        if (typeSet.count(s.CoinList[i]->CoinType))
            s.DeleteCoin(s.CoinList[i].get());
    // Entries deleted earlier and kept for undo would come back into a
    // series that no longer holds them.
    std::erase_if(s.UndoCoinList, [&](const auto &u) { return u->Owned && typeSet.count(u->Owned->CoinType); });
    Q_EMIT s.Events->ShowBinCount();

    if (emptyOnly) {
        Q_EMIT s.Events->PrepCoinsPage();
    } else {
        tnodeinfo *parent = node->ParentNode;
        // DeleteSeries purges every link into the subtree: the selection,
        // the click track, the special series, price entries' series.
        s.DeleteSeries(node);
        s.SelectedTreeNode = parent;
        Q_EMIT s.Events->SeriesSelected();
    }
    s.DataModified = true;

    if (removePrices) {
        RemovePriceEntries(s, [&](const tPriceInfo &p) { return typeSet.count(p.CoinType) != 0; });
        s.PricesModified = true;
        s.PricesModifiedArray[UserPriceList] = true;
        Q_EMIT s.Events->SetSaveMenuVisibility();
    }

    CalcNodeEntries(s);
    CalcNodeDates(s);
    Q_EMIT s.Events->CalcVisibleNodes();
    Q_EMIT s.Events->AssignNodePorts();
    Q_EMIT s.Events->RenderTree();
    Q_EMIT s.Events->SetMainCaption();
    return true;
}
