#pragma once
// Grade titles: the short names shown for grade slots, per kind of item
// (coins or paper money) and per grade scale. Scale 0 is the standard scale,
// scale 4 the ten-point decimal scale; scales 1 to 3 are the user's own and
// are filled from the collection file and the grade-scale window.
#include <array>

#include <QString>

constexpr int GradeKindCoins = 0;
constexpr int GradeKindPaper = 1;
constexpr int GradeKinds = 2;
constexpr int GradeScales = 5;        // scales 0..4
constexpr int GradeTitleSlots = 42;   // grades -1..40
constexpr int MaxGradeTitleLength = 10;
// Scales 1 to 3 are the user's own; 0 and 4 are built in and never edited.
constexpr int FirstUserGradeScale = 1;
constexpr int LastUserGradeScale = 3;

// A title as the grade table holds it and the collection file stores it:
// converted to the file's 8-bit code page (characters it lacks become "?")
// and then cut to MaxGradeTitleLength characters, so what is shown is
// exactly what a save and a reopen give back.
QString FitGradeTitle(const QString &title);

class tGradeTitles {
public:
    // Title of a grade (-1..40) of a kind and scale; empty when out of range.
    QString Title(int kind, int scale, int grade) const;
    // Sets a title as FitGradeTitle stores it; out-of-range slots are ignored.
    void SetTitle(int kind, int scale, int grade, const QString &title);
    void Clear();

    // Direct access as [kind][scale][grade + 1], the order of the file.
    auto &operator[](size_t kind) { return titles_[kind]; }
    const auto &operator[](size_t kind) const { return titles_[kind]; }
    auto begin() { return titles_.begin(); }
    auto end() { return titles_.end(); }

private:
    std::array<std::array<std::array<QString, GradeTitleSlots>, GradeScales>, GradeKinds> titles_;
};

// Fills the built-in titles (coins and paper money scale 0, coins scale 4)
// and empties every other slot.
void FillBuiltInGradeTitles(tGradeTitles &titles);
