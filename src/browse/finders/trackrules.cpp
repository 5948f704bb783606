#include "browse/finders/trackrules.h"

const tnodeinfo *TrackScopeNode(const tMainState &s, int scopeChoice)
{
    if (scopeChoice == ScopeSelectedSeries && s.SelectedTreeNode)
        return s.SelectedTreeNode;
    return s.EntireCollection.get();
}

tTrackButtons TrackButtonStates(const tTrackCounts &c)
{
    return {c.TrackedMatching + c.TrackedNotMatching > 0, c.UntrackedMatching > 0, c.UntrackedNotMatching > 0};
}

std::array<QString, TrackCounterCount> TrackCounterTexts(const tTrackCounts &c)
{
    const QString heads[3] = {QStringLiteral("Coins already tracked:"), QStringLiteral("Coins not tracked:"),
                              QStringLiteral("Total coins in selected series:")};
    const QString match = QStringLiteral("That match this filter:");
    const QString noMatch = QStringLiteral("That don't match this filter:");
    // The same wording stands for the total whichever scope is chosen.
    const int values[TrackCounterCount] = {
        c.TrackedMatching + c.TrackedNotMatching,
        c.TrackedMatching,
        c.TrackedNotMatching,
        c.UntrackedMatching + c.UntrackedNotMatching,
        c.UntrackedMatching,
        c.UntrackedNotMatching,
        c.TrackedMatching + c.TrackedNotMatching + c.UntrackedMatching + c.UntrackedNotMatching,
        c.TrackedMatching + c.UntrackedMatching,
        c.TrackedNotMatching + c.UntrackedNotMatching};
    std::array<QString, TrackCounterCount> out;
    for (int i = 0; i < TrackCounterCount; ++i) {
        const QString &text = i % 3 == 0 ? heads[i / 3] : i % 3 == 1 ? match : noMatch;
        out[static_cast<size_t>(i)] = text + QLatin1Char(' ') + QString::number(values[i]);
    }
    return out;
}

tTrackCriteria TrackCriteriaFromRows(const std::vector<tTrackRowState> &rows)
{
    tTrackCriteria c;
    const auto ticked = [&rows](int r) {
        return r < static_cast<int>(rows.size()) && rows[static_cast<size_t>(r)].Ticked;
    };
    const auto row = [&rows](int r) -> const tTrackRowState & { return rows[static_cast<size_t>(r)]; };
    const auto range = [&row](int r) { return tTrackRange{row(r).Text1, row(r).Text2}; };
    if (ticked(RowItemNumber))
        c.ItemNumber = range(RowItemNumber);
    if (ticked(RowYear))
        c.Year = range(RowYear);
    const std::pair<int, std::optional<QString> tTrackCriteria::*> texts[] = {
        {RowGradedBy, &tTrackCriteria::GradedBy}, {RowStoredIn, &tTrackCriteria::StoredIn},
        {RowComment, &tTrackCriteria::Comment},   {RowNotes, &tTrackCriteria::Notes},
        {RowCatalog, &tTrackCriteria::Catalog}};
    for (const auto &[r, field] : texts)
        if (ticked(r))
            c.*field = row(r).Text1;  // as typed: blanks are part of a pattern
    if (ticked(RowBuyPrice))
        c.BuyPrice = range(RowBuyPrice);
    if (ticked(RowSellPrice))
        c.SellPrice = range(RowSellPrice);
    if (ticked(RowValue))
        c.Value = range(RowValue);
    if (ticked(RowGrade))
        c.Grade = std::pair{row(RowGrade).Index1, row(RowGrade).Index2};
    if (ticked(RowBuyDate))
        c.BuyDate = std::pair{row(RowBuyDate).Day1, row(RowBuyDate).Day2};
    if (ticked(RowSellDate))
        c.SellDate = std::pair{row(RowSellDate).Day1, row(RowSellDate).Day2};
    for (int i = 0; i < 4; ++i)
        if (ticked(RowMinHave + i))
            c.MinQuantity[static_cast<size_t>(i)] = row(RowMinHave + i).Quantity;
    if (ticked(RowItemType))
        c.ItemType = row(RowItemType).Index1;
    if (ticked(RowMetal))
        c.Metal = row(RowMetal).Index1 < 0 ? NoMetalChosen : row(RowMetal).ItemNumber;
    if (ticked(RowMintError))
        c.MintError = row(RowMintError).Index1 == 0;  // "Yes" is the first item
    if (ticked(RowPriceLock))
        c.PriceLock = row(RowPriceLock).Index1;
    for (size_t r = BuiltInTrackRows; r < rows.size(); ++r) {
        const tTrackRowState &x = rows[r];
        if (!x.Ticked)
            continue;
        tFieldCriterion f;
        f.FieldType = x.FieldType;
        f.Index = x.FieldIndex;
        switch (x.FieldType) {
        case UDFMoney:
        case UDFNumber:
        case UDFReal: f.Range = {x.Text1, x.Text2}; break;
        case UDFDate:
            f.DateFrom = x.Day1;
            f.DateTo = x.Day2;
            break;
        case UDFCheckBox: f.Yes = x.Index1 == 0; break;
        case UDFPickList: f.Text = x.Index1 < 0 ? QString() : x.Text1; break;
        default: f.Text = x.Text1; break;
        }
        c.Fields.push_back(f);
    }
    return c;
}
