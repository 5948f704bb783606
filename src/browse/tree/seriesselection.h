#pragma once
// The refresh that follows every change of the selected series: grade list,
// price entries, pick lists, captions, tabs and the tree. The lists live in
// the state and are filled here; every step that belongs to a page or window
// of its own is called through a named seam, so the order of the steps is
// kept in one place and runs without a window.
#include <array>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

class tSeriesTree;

// Which pages of the main tab control a series offers.
struct tTabVisibility {
    bool Pricing = false;
    bool Coins = false;
    bool Images = false;
    bool Graphs = false;
    bool operator==(const tTabVisibility &) const = default;
};

// The steps of a selection that other pages and windows carry out. Unset
// seams are skipped.
struct tSelectionSeams {
    // Title of grade slot 0..40 of a scale (0..4) for coins (kind 0) or paper
    // money (kind 1).
    std::function<QString(int kind, int scale, int slot)> GradeTitle;
    std::function<void(const QString &name)> SetSelectedLabelCaption;
    std::function<void()> FillGradeBox;
    std::function<void(const QString &text)> SetWarningLabelPrices;
    // The price editor's mint items, filled with its change handler detached.
    std::function<void(const QStringList &items)> FillMintEdit;
    std::function<void(const QStringList &items)> FillGMEdit;
    std::function<void(bool visible)> SetViewSizeVisible;
    std::function<void(bool paper)> LayoutMainForm;
    std::function<void(const QString &picture, int country, bool obverse, bool paper)> ShowImage;
    // Checks the favourite box with its change handler detached.
    std::function<void(bool favorite)> SetFavoriteBox;
    std::function<void(const tTabVisibility &tabs)> SetTabs;
    // Sets the 30 theme boxes from the bits, running none of their handlers.
    std::function<void(int32_t themes)> SetThemeBoxes;
    std::function<void(const QString &text)> SetForexLabel;
    std::function<bool()> StatsTabActive;
    // Starts the statistics task for the selected subtree and returns at
    // once; serial identifies the selection it was started for.
    std::function<void(int serial)> StartCalcThread;
    std::function<void(const QString &coinsTab, const QString &commentLabel)> SetCoinTexts;
    std::function<void()> SetUpBookList;
    std::function<void()> PrepCoinsPage;
    // Moves the coin grid to its first row when it is elsewhere.
    std::function<void()> CoinGridToFirstRow;
    std::function<void()> ShowThumbnails;
    std::function<void()> ShowCountryCredit;
    std::function<void()> ShowUserSeriesHint;
};

constexpr int ClickTrackMax = 11;


// The built-in mint-mark lists, chosen by the country block of the price
// source; an empty list for blocks that have none.
extern const std::array<QStringList, 5> MintMarkLists;
QStringList MintMarksForBlock(int block);

// The grade modifiers of a list of price entries, each once (ignoring case),
// in the order they first appear.
QStringList GradeModifierItems(const std::vector<tPriceInfo *> &prices);

// The View Size button needs Measure1, and Measure2 too for the shapes
// measured in two directions.
bool ViewSizeVisible(const tnodeinfo &node);

// Puts a priced series at the front of the click track.
void TrackClick(tMainState &s, tnodeinfo *node);

// CurrGradeList for a series: the non-blank titles of its scale, else those
// of scale 0. A scale read from a file outside 0..4 counts as scale 0.
std::vector<tGradeTitle> GradeListFor(const tnodeinfo &node, const tSelectionSeams &seams);

// The currency description of the price list a series uses; empty when its
// link names no currency.
QString ForexTextFor(const tMainState &s, int priceSource);

// Whether work started for a selection (StartCalcThread's serial) is still
// wanted: a later selection supersedes it.
bool SelectionIsCurrent(const tMainState &s, int serial);

// SeriesSelected: brings every page in line with SelectedTreeNode. The tree
// may be absent (no window).
void SeriesSelected(tMainState &s, tSeriesTree *tree, const tSelectionSeams &seams);
