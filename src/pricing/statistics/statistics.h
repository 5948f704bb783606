#pragma once
// Statistics of a subtree of the series tree: counts of entries, folders and
// catalogue varieties, what the pieces cost and are worth, their gross weight
// and precious-metal content, and for each of Have, Need, Sell and Sold the
// pieces, varieties, share of the catalogue and duplicates.
//
// A run reads only a snapshot that the window thread takes when the run
// starts (TakeStatsSnapshot): the user may go on editing the tree, the coins
// and the prices while the worker counts, and the worker never sees a list
// half-way through a change. The run's marks ("already counted as held")
// live in the run's own table, so two runs never share them.
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include <QFuture>
#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

// The four quantities of an entry in the order the page shows them.
enum tStatsQuantity { StatsHave = 0, StatsNeed = 1, StatsSell = 2, StatsSold = 3 };

struct tTotaler {
    int32_t CountryNo = 0;          // series number of the computed node
    int32_t TotalFolders = 0;       // series of the subtree, the node itself not counted
    int32_t TotalCoinEntries = 0;
    int32_t TotalNoteEntries = 0;   // entries of paper-money series
    int32_t totalVarieties = 0;     // price entries of the subtree ending a run of dates
    int32_t NextSeries = 0;         // 1 + largest series number below 500,000; 0 for none
    // The money sums are kept wide: a collection's BuyPrice x Have can pass
    // the range of a stored amount. TotalPrice and TotalValue are the same
    // sums held to that range; the texts show the wide ones.
    __int128 TotalPriceWide = 0;    // sum of BuyPrice x Have
    __int128 TotalValueWide = 0;    // sum of value x Have
    Money TotalPrice = 0;
    Money TotalValue = 0;
    // Piece counts are sums of stored quantities, each up to the int32
    // range, so they are summed in 64 bits, which no file can overflow.
    int64_t TotalNoPriceQuantity = 0;
    int32_t TotalNoPriceEntries = 0;
    double TotalWeight = 0;         // grams
    double TotalSilver = 0;         // troy ounces of content
    double TotalGold = 0;
    double TotalPalladium = 0;
    double TotalPlatinum = 0;
    double TotalSilverWeight = 0;   // grams of the coins holding that metal
    double TotalGoldWeight = 0;
    double TotalPalladiumWeight = 0;
    double TotalPlatinumWeight = 0;
    int64_t TotalCoinHave = 0, TotalNoteHave = 0;
    int64_t TotalCoinNeed = 0, TotalNoteNeed = 0;
    int64_t TotalCoinSell = 0, TotalNoteSell = 0;
    int64_t TotalCoinSold = 0, TotalNoteSold = 0;
    int32_t VarietiesHave = 0, VarietiesNeed = 0, VarietiesSell = 0, VarietiesSold = 0;
    int32_t DupetypesHave = 0, DupetypesNeed = 0, DupetypesSell = 0, DupetypesSold = 0;
    int64_t DupesHave = 0, DupesNeed = 0, DupesSell = 0, DupesSold = 0;
    // The node whose subtree was computed. Identity only: a finished run's
    // node may have been deleted since, so nobody follows this pointer.
    const tnodeinfo *CalcNode = nullptr;
};

// The figures of one quantity, read from or written to a tTotaler.
struct tStatsCategory {
    int64_t Coins = 0;
    int64_t Notes = 0;
    int32_t Varieties = 0;
    int32_t Dupetypes = 0;
    int64_t Dupes = 0;
};
tStatsCategory StatsCategory(const tTotaler &t, tStatsQuantity q);

// What one run reads. Everything is a copy: the worker never touches the
// live tree or lists.
struct tStatsSnapshot {
    const tnodeinfo *CalcNode = nullptr;  // identity only
    bool IsRoot = false;                  // CalcNode is the root "Entire Collection"
    bool PriceListEmpty = true;           // the whole PriceList, not only the part copied
    bool MaintainerMode = false;
    // The computed node's own fields (no children).
    tnodeinfo Node;
    // Series numbers of the node and all its descendants: node first,
    // children in order, depth first.
    std::vector<int32_t> SeriesNumbers;
    // DateBits of the price entries whose own series lies in the subtree:
    // they are the catalogue's varieties.
    std::vector<uint16_t> SubtreeDateBits;
    // Series nodes the copied coins belong to (fields the valuation and the
    // shape test read; no children). A deque keeps their addresses.
    std::deque<tnodeinfo> Folders;
    // Coin entries of the subtree with the fields the run reads.
    struct tCoin {
        int32_t CoinType = 0;
        int32_t Year = 0;
        int32_t Grade = NoGrade;
        std::array<int32_t, 4> Count{};  // Have, Need, Sell, Sold
        Money BuyPrice = 0;
        Money SellPrice = 0;
        bool BuyLock = false;
        bool SellLock = false;
        bool Note = false;               // its series is paper money
        QString Mint;
        QString Variety;
        QString GM;
        tnodeinfo *Folder = nullptr;     // into Folders; null when the entry had none
    };
    std::vector<tCoin> Coins;
    // Per coin: the range of Prices to search, the price entries of the
    // series the coin takes its prices from with its year and mint.
    std::vector<std::pair<uint32_t, uint32_t>> CoinPrices;
    // Price entries of the price sources the coins use that a coin could
    // match (same series, year and mint), grouped so, each group in list
    // order so that the first match stays the first.
    std::vector<tPriceInfo> Prices;
    // The valuation's environment: currencies, the active currency, spot
    // prices. Nothing else in it is filled.
    std::unique_ptr<tMainState> Env;
    // Texts of the node's country, read from the lists on the window thread.
    QString CountryName;
    QString PriceDateText;     // "Undated" or "Dated " and the short date
    bool PriceListModified = false;
};

// Copies what a run for node needs out of the live state.
std::shared_ptr<const tStatsSnapshot> TakeStatsSnapshot(const tMainState &s, const tnodeinfo *node);

// The run's body: the totals of the snapshot's subtree.
tTotaler CalcStatistics(const tStatsSnapshot &snap);

// One label's text as the page shows it. Color 0 leaves the label's colour
// as it is; otherwise an ARGB value.
struct tStatsLabelText {
    QString Name;
    QString Text;
    bool Visible = true;
    uint32_t Color = 0;
};

// The texts, colours and visibilities of the page's labels for a run's totals.
std::vector<tStatsLabelText> StatsTexts(const tStatsSnapshot &snap, const tTotaler &t);

// "No purity data" unless both are above 0, else "92.5% pure". Weight in
// grams, content in troy ounces.
QString PurityText(double weight, double content);
// Grams as troy pounds and ounces: 500 grams give "1 pound, 4.08 oz.".
QString TroyWeightText(double grams);

// ---- Layout of the page's labels ----

// The labels of the page in the order the layout places them, with the
// design's captions for those whose text never changes.
struct tStatsLabelSpec {
    const char *Name;
    const char *Caption;   // null: the text comes from StatsTexts
};
const std::vector<tStatsLabelSpec> &StatsLabelSpecs();
// The weight and metal labels, which only coins show.
const QStringList &CoinOnlyStatsLabels();

struct tStatsLabelBox {
    bool Visible = true;
    int Height = 0;
    QRect Rect;            // set for every visible label placed
};
struct tStatsArea {
    int ClientWidth = 0;   // client width of ScrollBox1
    int LineWidth = 1;     // width of the separator Line1
    int PanelWidth = 0;    // width of ImageSidePanel, which sets the paper-money columns
};
struct tStatsArrangement {
    bool Line1Visible = false;
    int Line1X = 0;
    int Height = 0;        // the lowest bottom edge of a placed label
};
// Places every visible label of labels (by name); hides the weight and metal
// labels for paper money (coins false). Labels missing from the table are
// skipped.
tStatsArrangement ArrangeStatsLabels(bool coins, const tStatsArea &area, QHash<QString, tStatsLabelBox> &labels);

// ---- Running on the thread pool ----

struct tStatsResult {
    uint64_t Generation = 0;
    tTotaler Totals;
    bool Coins = true;     // the computed node is not paper money
    std::vector<tStatsLabelText> Labels;
    QString Error;         // set when the run failed; the texts are then empty
};

// Starts runs on the default thread pool and hands the latest run's result
// back on the thread it lives on, through a queued call. A newer run
// supersedes older ones: their results are dropped on hand-back.
class TStatsRunner : public QObject {
    Q_OBJECT
public:
    explicit TStatsRunner(QObject *parent = nullptr);
    ~TStatsRunner() override;

    // Takes the snapshot now and returns at once; the run's generation.
    uint64_t Start(const tMainState &s, const tnodeinfo *node);
    uint64_t Generation() const { return generation_; }
    // Waits for every run started so far (the hand-backs still need the
    // event loop).
    void WaitForRuns();

    // The run's body; replaceable so that tests can hold a run back.
    std::function<tStatsResult(const tStatsSnapshot &)> Compute;

Q_SIGNALS:
    // Only the latest run's result arrives here.
    void ResultReady(const std::shared_ptr<const tStatsResult> &result);

private:
    void HandBack(const std::shared_ptr<const tStatsResult> &result);

    uint64_t generation_ = 0;
    std::vector<QFuture<void>> runs_;  // finished ones are dropped at the next start
};

// The whole run in one call, on the calling thread: snapshot, totals, texts.
tStatsResult ComputeStatsResult(const tStatsSnapshot &snap);
