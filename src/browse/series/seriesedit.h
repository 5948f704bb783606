#pragma once
// Shaping the series tree from its series menu: the values the series
// properties dialog shows and stores, new user series, copying properties
// down to sub-series, sorting sub-series, and deleting or emptying a series.
// The dialog (TNewFolder_Form) only shows these values and reads them back.
#include <functional>
#include <span>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

// ---- Shapes ----

// What the second measure of a shape is, and which control holds it: the
// height in the second measure box, sides or bumps in the sides list.
enum class tSecondMeasure { None, Height, Sides, Bumps };

struct tCoinShape {
    int Code;                 // stored as CoinShape
    const char *Name;
    const char *FirstLabel;   // "Diameter" or "Width"
    tSecondMeasure Second;
};

// The eleven shapes in the order the shape box lists them.
std::span<const tCoinShape> CoinShapesInListOrder();
// The shape of a stored code; null for a code no shape has.
const tCoinShape *CoinShapeByCode(int code);
// "Height", "Sides" or "Bumps"; empty for none.
QString SecondMeasureLabel(tSecondMeasure second);

// Sides and bumps are chosen from "3" to "24"; CoinSubShape stores the number
// itself, 0 when none was chosen.
constexpr int FirstSubShape = 3;
constexpr int LastSubShape = 24;

// ---- The fixed lists of the dialog ----
const QStringList &GradingScaleNames();
const QStringList &FontColorNames();
const QStringList &FontStyleNames();
// The node modes offered: the comment mode only for a series without sub-series.
QStringList NodeModeItems(bool hasSubSeries);
// A monetary system as the dialog lists it: code, " | ", description, or the
// description alone for "-" and the empty code.
QString ForexChoiceText(const tForex &forex);

// ---- Numbers in the face-value and measure boxes ----

// The three ways the dialog shows a number, each with its pattern:
// the stored face value ("#.00###"), the face value after editing ("#.00#")
// and a measure ("#.#").
enum class tSeriesNumberForm { StoredFaceValue, EditedFaceValue, Measure };
QString SeriesNumberText(tSeriesNumberForm form, double value, QChar decimalSep);
// A typed number: "." and the locale's decimal separator both count as the
// decimal mark; anything unreadable is 0.
double ReadSeriesNumber(const QString &text, QChar decimalSep);
// The measure box's text after leaving it: capped at 500, empty below 0.1,
// else the value with one decimal at most and " mm".
constexpr double MaxMeasure = 500.0;
QString NormalizeMeasureText(const QString &text, QChar decimalSep);
// A measure box's text as stored: only digits and decimal marks count.
float ReadMeasureText(const QString &text, QChar decimalSep);
// What OK stores from a measure box that opened showing openedText for the
// stored value opened: that value in full while the box still reads as it
// did (entering and leaving a box rewrites its text), else the box's text
// read as leaving the box would leave it (capped, cleared below 0.1).
float MeasureToStore(const QString &text, const QString &openedText, float opened, QChar decimalSep);
// The same for the face-value box: the stored amount while the box reads as
// the same number, else the number in the box.
float FaceValueToStore(const QString &text, const QString &openedText, float opened, QChar decimalSep);

// ---- Price sources ----

struct tSeriesChoice {
    QString Text;
    int Tag = 0;     // a series number; 0 for the series' own list
};

inline const QString OwnPriceListChoice = QStringLiteral("None (this series uses it's own price list)");

// The price-source list of an opening of the dialog and the item chosen.
struct tPriceSourceChoices {
    std::vector<tSeriesChoice> Items;
    int Chosen = 0;
    // Adds an item unless one has the number already, the number names no
    // series of the tree (0 always does), or it is excluded (a series cannot
    // borrow its own list). True when it was added.
    bool Add(const tMainState &s, const QString &text, int number, int excluded = -1);
};

// "Series " + number + ", " + name.
QString SeriesChoiceText(int number, const QString &name);
// The list for "Properties" (newSeries false) or "Add a new series" on the
// selected series: own list first, the parent's or the borrowed list (for
// Properties) or the selected series' (for a new one), then the recently
// selected priced series.
tPriceSourceChoices PriceSourceChoicesFor(const tMainState &s, const tnodeinfo &selected, bool newSeries);

// ---- The dialog's values ----

struct tSeriesProperties {
    QString Name;
    int PriceSource = 0;
    int CoinShape = 0;
    int CoinSubShape = 0;        // 0: none chosen
    bool HasCurrency = true;     // a monetary system is chosen
    QString FaceValueCode;
    float FaceValueAmount = 0;
    float Measure1 = 0;
    float Measure2 = 0;
    int NodeMode = NodeModeRegular;
    int GradeScale = 0;
    int FontColor = 0;           // -1: the colour box keeps its previous choice
    int FontStyle = 0;
    bool UpdateOK = true;
    bool MoveOK = false;
    QString Obverse;
    QString Reverse;
};

// What "Properties" opens with for a series.
tSeriesProperties SeriesPropertiesOf(const tnodeinfo &node);
// What "Add a new series" opens with.
tSeriesProperties NewSeriesProperties();
// Writes the dialog's values into a series; the root never moves.
void ApplySeriesProperties(tnodeinfo &node, const tSeriesProperties &p, bool isRoot);

// ---- New series ----

// New user series are numbered 5,000,000 + draw(), draw giving a number below
// 50,000,000. A number in use is drawn again, so no two series share one.
constexpr int FirstUserSeries = 5000000;
constexpr int UserSeriesRange = 50000000;
int NewUserSeriesNumber(const tMainState &s, const std::function<int()> &draw);
// Makes the new series inside the selected one (always under the root) or
// right after it among its parent's children.
tnodeinfo *AddNewSeries(tMainState &s, tnodeinfo *selected, bool inside, int coinType, const QString &name);

// ---- Copying properties down ----

enum tCopyGroup : int {
    CopyShapeAndSize = 1,
    CopyFaceValue = 2,
    CopyGradeScale = 4,
    CopyFontStyle = 8,
    CopyUpdates = 16,
};
// Copies the chosen groups of from to from and every series below it.
void CopyPropertiesToSubseries(const tnodeinfo &from, tnodeinfo &to, int groups);
// Asks which groups to copy to the sub-series of an edited series and copies
// them; nothing is asked for a series without sub-series.
void AskCopyToSubseries(tnodeinfo &edited);

// ---- Sorting sub-series ----

// Orders the children of node by name (case-sensitive, the user's locale) or
// by date range, keeping the order of equals.
void SortChildren(tnodeinfo &node, bool byDate);
// The sort command: asks first, only for a series with two or more
// sub-series; true when it sorted (the collection is then modified).
bool SortSubseries(tMainState &s, tnodeinfo &node, bool byDate);

// ---- Deleting and emptying ----

// The series numbers of node and all below it, node first.
std::vector<int> CollectSubtreeTypes(const tnodeinfo &node);

struct tDeleteCounts {
    int Series = 0;
    int Coins = 0;
};
QString EmptyQuestion(const QString &name, int coins);
QString DeleteQuestion(const QString &name, const tDeleteCounts &counts);
QString DeleteWithPricesQuestion(const QString &name, const tDeleteCounts &counts);

// "Empty this series" (emptyOnly) or "Delete this series" on the selected
// series, with its question. Everything that pointed into the freed subtree
// is purged; a user series' price entries go only when the collector says
// so, other entries stay in the price list, detached. True when it went
// ahead. The root cannot be deleted, only emptied.
bool DeleteThisFolder(tMainState &s, bool emptyOnly);
