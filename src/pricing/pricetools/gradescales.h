#pragma once
// The grade-scale window's working copy of the grade titles: the user names
// the slots of their three own scales for coins and for paper money beside
// the read-only standard scale, and only OK puts the names back.
#include "core/model/gradetitles.h"

// Rows the window shows per kind: every slot for coins, the 30 slots paper
// money uses (its slots 30 to 40 stay as they are).
constexpr int CoinGradeRows = 41;
constexpr int PaperGradeRows = 30;
int GradeRowCount(int kind);

class tGradeScaleEdit {
public:
    explicit tGradeScaleEdit(const tGradeTitles &titles) : titles_(titles) {}

    QString Title(int kind, int scale, int slot) const { return titles_.Title(kind, scale, slot); }
    // Whether a cell takes typing: a user scale and a slot the kind shows.
    static bool Editable(int kind, int scale, int slot);
    // Stores a typed title as the collection file will keep it (FitGradeTitle).
    // Returns false, storing nothing, for a cell that is not Editable.
    bool SetTitle(int kind, int scale, int slot, const QString &text);

    // Copies the user scales (1 to 3) of both kinds, slots 0 to 40, into
    // target; the built-in scales and slot -1 are never written. Returns
    // whether any title differed.
    bool Apply(tGradeTitles &target) const;

private:
    tGradeTitles titles_;
};
