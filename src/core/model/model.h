#pragma once
// The collection's records: series nodes, coin entries, user-defined fields
// and price entries. Records are plain classes with public fields; a new
// record is created empty and filled field by field.
//
// Ownership: a node owns its children (ChildNodes); the state's CoinList owns
// the coin entries, PriceList the price entries, UDFlist the user fields.
// Every other pointer (Folder, PriceInfo, ParentNode, views) is a non-owning
// link, and whoever frees a record purges the links to it (see mainstate.h).
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

#include "core/model/money.h"

class QWidget;
struct tnodeinfo;
struct tPriceInfo;

// Series numbers and grade slots are stored in files; keep these values.
constexpr int RootCoinType = 1;
constexpr int UserCountry = 1000;
constexpr int MaxCountry = 1000;           // per-country tables are indexed 0..1000
constexpr int CountryTableSize = MaxCountry + 1;
constexpr int GradeSlots = 41;             // grade slots 0..40
constexpr int NoGrade = -1;
constexpr int PaperMoneyShape = 5;
constexpr int ThemeCount = 30;         // theme bits 0..29

enum tNodeMode : uint8_t {
    NodeModeRegular = 0,   // "Regular series for coins or notes"
    NodeModeCountry = 1,   // "Series denotes a country"
    NodeModeComment = 2,   // "Series name is just a comment"
};

struct tnodeinfo {
    // Frees the subtree without recursion: a chain of series hundreds of
    // thousands deep must not take one stack frame per level.
    ~tnodeinfo();
    tnodeinfo() = default;
    tnodeinfo(tnodeinfo &&) = default;
    tnodeinfo &operator=(tnodeinfo &&) = default;

    QString NodeName;
    int32_t CoinType = 0;
    int32_t PriceSource = 0;
    QString FaceValueCode;
    float FaceValueAmount = 0;
    QString Obverse;
    QString Reverse;
    uint8_t NodeMode = NodeModeRegular;
    bool Favorite = false;
    bool UpdateOK = false;
    bool MoveOK = false;
    uint8_t CoinShape = 0;
    uint8_t CoinSubShape = 0;
    float Measure1 = 0;   // millimetres
    float Measure2 = 0;   // millimetres
    int32_t Themes = 0;   // bit i: member of theme i (0..29)
    uint8_t GradeScale = 0;
    uint16_t GlyphStats = 0;
    uint8_t FontCode = 0;  // bits 0-3 colour, bits 4-5 style
    int32_t EntryCount = 0;
    int32_t DateRangeMin = 0;
    int32_t DateRangeMax = 0;
    uint8_t DateRangeCirca = 0;
    bool Expanded = false;
    uint8_t TreeLevel = 0;
    int32_t SiblingIndex = 0;
    std::vector<std::unique_ptr<tnodeinfo>> ChildNodes;
    tnodeinfo *ParentNode = nullptr;
    int32_t Tag = 0;
    int32_t Tag2 = 0;
    bool HasPrices = false;
    bool eIndexed = false;
    int32_t Country = 0;
};

// GlyphStats marks set by the default-structure loader.
enum : uint16_t {
    GlyphAdded = 0x1,
    GlyphChildAdded = 0x2,
    GlyphParentDiffers = 0x4,
    GlyphNameDiffers = 0x8,
    GlyphFaceCodeDiffers = 0x10,
    GlyphFaceAmountDiffers = 0x20,
    GlyphShapeDiffers = 0x40,
    GlyphSubShapeDiffers = 0x80,
    GlyphMeasure1Differs = 0x100,
    GlyphMeasure2Differs = 0x200,
    GlyphFontDiffers = 0x400,
    GlyphNodeModeDiffers = 0x800,
};

struct tCoinInfo {
    // A collection holds hundreds of thousands of these: the fields are
    // ordered so that none needs padding after it.
    int32_t CoinType = 0;
    int32_t Year = 0;
    QString Mint;
    QString Variety;
    QString GM;
    int32_t Grade = NoGrade;
    int32_t Have = 0;
    int32_t Need = 0;
    int32_t Sell = 0;
    int32_t Sold = 0;
    int32_t Inventory = 0;
    QString Gradedby;
    QString Stored;
    int32_t BuyDate = 0;
    int32_t SellDate = 0;
    Money BuyPrice = 0;
    Money SellPrice = 0;
    Money TempValue = 0;      // work value, not stored
    QString Notes;
    QString Obverse;
    QString Reverse;
    QString Receipt;
    QString OtherImages;      // comma text
    QString OtherImageNames;
    QString Comment;
    QString UDFstring;        // comma text, slot i = i-th entry of UDFlist
    tnodeinfo *Folder = nullptr;
    tPriceInfo *PriceInfo = nullptr;  // cached match, not stored
    int32_t tag = 0;          // not stored
    bool BuyLock = false;
    bool SellLock = false;
    bool MintError = false;
    bool User1 = false;       // tracking mark
    bool InBin = false;
    bool selected = false;    // not stored
};

enum tUDFType : int32_t {
    UDFTextBox = 0,
    UDFHistoryDropDown = 1,
    UDFPickList = 2,
    UDFTextPickList = 3,
    UDFCheckBox = 4,
    UDFMoney = 5,
    UDFDate = 6,
    UDFNumber = 7,
    UDFPhone = 8,
    UDFAttachment = 9,
    UDFEmptySpace = 10,
    UDFCertification = 11,
    UDFReal = 12,
};

struct tUDFfield {
    int32_t ID = 0;
    int32_t FieldType = UDFTextBox;
    QString FieldLabel;
    int32_t Length = 0;
    QString Options;
    uint8_t BitByte = 0;
    QWidget *textLabel = nullptr;  // made by the window layer, not stored
    QWidget *Control = nullptr;    // made by the window layer, not stored
    int32_t IncValue = 0;          // not stored
};

// Price-entry date bits.
enum : uint16_t {
    DateBitRunEnd = 0x1,
    DateBitCirca = 0x2,
    DateBitNoRange = 0x4,
};

struct tPriceInfo {
    int32_t CoinType = 0;
    int32_t Year = 0;
    QString Mint;
    int32_t Mintage = 0;
    int32_t ProofMintage = 0;
    bool Included = false;
    bool ProofIncluded = false;
    QString Variety;   // packed: dates as "\d/" + day number
    QString GM;
    QString Catalog;
    uint8_t Metal = 0;
    float Content = 0;  // troy ounces
    float Weight = 0;   // grams
    std::array<Money, GradeSlots> Value{};
    uint16_t DateBits = DateBitRunEnd;
    uint8_t MergeIndex = 0;  // not stored
    int32_t tag = 0;         // not stored
    tnodeinfo *Folder = nullptr;
};
