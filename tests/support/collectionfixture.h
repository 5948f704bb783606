#pragma once
// A test-side writer of collection files of any version from 95461 to 95486
// (and beyond, with the newest layout). It lays values out from its own
// description of each version, independently of the program's writer, so
// reader tests can start from a file of exactly the version they exercise.
#include <array>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/model/money.h"

struct tFixtureField {
    int32_t FieldType = 0;
    QString FieldLabel;
    int32_t Length = 0;
    QString Options;
    int32_t BitByte = 0;
};

struct tFixtureSeries {
    QString NodeName;
    int32_t CoinType = 0;
    int32_t Parent = 0;
    int32_t PriceSource = 0;         // 95482 on
    QString FaceValueCode;           // 95480 on
    float FaceValueAmount = 0;       // 95480 on
    int32_t OldFaceValue = 0;        // before 95480, in their place
    QString Obverse;
    QString Reverse;
    int32_t NodeMode = 0;            // 95486: integer; 95476..95485: Boolean NodeMode != 0
    QString OldNodeMode;             // before 95476, in its place
    bool Favorite = false;
    bool UpdateOK = true;            // 95474 on
    bool MoveOK = true;              // 95483 on
    int32_t CoinShape = 0;           // 95465 on, with the measures
    int32_t CoinSubShape = 0;
    float Measure1 = 0;              // millimetres, written as singles
    float Measure2 = 0;
    // 95468..95479 store measures as integers in ten-thousandths of a
    // millimetre; unset, they are derived from Measure1 / Measure2.
    std::optional<int32_t> Measure1Raw;
    std::optional<int32_t> Measure2Raw;
    int32_t Themes = 0;              // 95462 on
    int32_t GradeScale = 0;          // 95466 on
    int32_t FontCode = 0;            // 95471 on
};

struct tFixtureCoin {
    int32_t CoinType = 0;
    int32_t Year = 0;
    QString Mint, Variety, GM, Comment;
    bool BuyLock = false, SellLock = false, MintError = false, User1 = false;
    QString UDFstring;               // 95463 on
    int32_t Grade = -1;
    int32_t Have = 0, Need = 0, Sell = 0, Sold = 0;
    QString Gradedby, Stored;
    int32_t BuyDate = 0;
    Money BuyPrice = 0;              // whole hundredths from 95467 on
    int32_t SellDate = 0;            // 95477 on
    Money SellPrice = 0;
    // Before 95467 prices are currency values; with this set they are
    // written as integers of whole units instead, which older files also hold.
    bool PricesAsWholeUnits = false;
    QString Notes, Obverse, Reverse, Receipt;
    QString OtherImages;             // 95464 on
    QString OtherImageNames;         // 95484 on
    int32_t Inventory = 0;
    bool InBin = false;              // 95485 on
};

struct tFixtureCollection {
    int32_t Version = 95486;
    QString ProgramVersion = QStringLiteral("1.0.0");   // 95481 on
    std::array<QString, 30> ThemeNames;                  // 95462 on
    // [kind 0 coins, 1 paper money][user scale 1..3 at 0..2][grade 0..40];
    // 95472 on all 41 grades, 95466..95471 grades 0..33, before none.
    std::array<std::array<std::array<QString, 41>, 3>, 2> GradeTitles;
    QString AutoAddStr;                                  // 95479 on
    QString ColumnLayout;                                // 95475 on
    std::vector<std::array<int32_t, 3>> OldColumnBlock;  // 95469..95474
    std::array<int32_t, 3> SortKeys{2, 3, 4};            // 95470 on
    std::vector<tFixtureField> Fields;                   // 95463 on
    std::vector<tFixtureSeries> Series;                  // the root first
    QStringList Stored, GradedBy;                        // 95473 on
    std::vector<tFixtureCoin> Coins;
};

QByteArray CollectionFixtureBytes(const tFixtureCollection &c);
// The root alone with coins entries in it, in the layout of version.
tFixtureCollection RootOnlyFixture(int32_t version, int coins);
// Writes the fixture to path; false when the file cannot be written.
bool WriteCollectionFixture(const QString &path, const tFixtureCollection &c);
