#pragma once
// The multi-design United States programmes (one coin design per state,
// park, person or year): the designs the collector picks to represent each
// special series on the Series page, the picture names that choice writes,
// and the stock pictures the Coins page's thumbnail strip shows for entries
// of these series that have no pictures of their own.
#include <array>
#include <vector>

#include <QString>
#include <QStringList>

struct tMainState;
struct tnodeinfo;
struct tCoinInfo;

constexpr int DesignCategoryCount = 5;

// Series numbers (CoinType) of the special series.
enum tSpecialSeries : int {
    StateQuarterSeries = 345,
    PresidentialDollarSeries = 356,
    ParkQuarterSeries = 375,
    ParkFiveOunceSeries = 377,
    StateQuarterFDCSeries = 379,
    PresidentialDollarFDCSeries = 380,
    InnovationDollarSeries = 417,
    WomenQuarterSeries = 442,
};

// The category box's names, in category order.
QStringList DesignCategoryNames();
// Number of designs of a category (0 outside 0..4).
int DesignCount(int category);
// The design's name as the list shows it before its year.
QString DesignName(int category, int index);
// The year the design list shows for a design.
int DesignYear(int category, int index);
// The design list's item text.
QString DesignListItem(int category, int index);
// The design's picture name: the category's prefix, the name without full
// stops, ".jpg" ("~SQ~Delaware.jpg", "~SQ~DC.jpg").
QString DesignPictureName(int category, int index);

// The series each category writes ("Go to this series" selects it); null
// when the collection lacks it.
tnodeinfo *CategorySeries(const tMainState &s, int category);

using tDesignIndexes = std::array<int, DesignCategoryCount>;

// The design of each category that the series shows now (its reverse for
// the quarters, its obverse for the dollars, ignoring case); 0 where none
// matches or the series is missing.
tDesignIndexes CurrentDesigns(const tMainState &s);

// Writes the picture names of every special series present for the chosen
// designs. Returns the series whose names changed; when any did, the
// collection is marked modified, since the names are stored in its file.
std::vector<tnodeinfo *> ApplySpecialSeriesPictures(tMainState &s, const tDesignIndexes &indexes);

// ---- Stock pictures of the thumbnail strip ----

// Letters A-Z, a-z and blanks of a variety, the first "SILVER", "CLAD" and
// "SATIN" taken out (ignoring case), trimmed: "P - Silver Proof" gives
// "P   Proof".
QString CleanStockImageName(const QString &variety);

struct tStockPictures {
    QString Obverse;  // stored series-picture names; empty: none
    QString Reverse;
};

// The stock pictures of an entry of a special series, chosen from its
// variety; both empty for other series.
tStockPictures StockPictureNames(int coinType, const QString &variety);

// What one side of the thumbnail strip shows: the picture file, or the
// label when File is empty.
struct tThumbnailSide {
    QString File;
    QString Label;
};

struct tThumbnails {
    tThumbnailSide Obverse;
    tThumbnailSide Reverse;
};

// The pictures of an entry for the strip: its own, else the stock picture
// of its design when the entry names a design; a PDF attachment, a missing
// file or no entry (null, or the strip closed) gives the side's label.
tThumbnails ChooseThumbnails(const tMainState &s, const tCoinInfo *entry, bool stripOpen);
