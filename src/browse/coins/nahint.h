#pragma once
// Why an entry has no value: the callout over the editor names the picker
// to correct. Plain logic; the window places and shows the callout.
#include <QString>

struct tMainState;
struct tCoinInfo;

enum class tNAHintKind {
    None = 0,
    NoPriceEntry = 1,  // year, mint and variety match no price entry
    GradeNA = 2,       // the price entry has no value at this grade
    ProofOnly = 3,     // a Mint State grade of a proof-only issue
};

struct tNAHint {
    tNAHintKind Kind = tNAHintKind::None;
    QString Text;
    // Object name of the picker the callout points at: "DateMintBox",
    // "GradeBox" or "GMbox".
    QString Target;
};

tNAHint NAHintFor(const tMainState &s, const tCoinInfo &coin);
