#include "browse/tree/seriesselection.h"

#include <algorithm>
#include <cmath>

#include "core/model/currproc.h"
#include "core/model/seriestree.h"
#include "browse/tree/treeview.h"

// Look-alike letters matter here: the marks are compared with what users
// typed and what price lists hold, so every non-ASCII character is written
// as its code point.
const std::array<QStringList, 5> MintMarkLists = {
    QStringList{QStringLiteral("P"), QStringLiteral("D"), QStringLiteral("S"), QStringLiteral("C"),
                QStringLiteral("CC"), QStringLiteral("O"), QStringLiteral("W")},
    QStringList{
        QStringLiteral("AM (a)"),                          // Latin
        QStringLiteral("BM (w)"),                          // Latin
        QStringLiteral("\u0411\u041C (sp)"),               // Cyrillic BE EM
        QStringLiteral("CM (sp)"),                         // Latin
        QStringLiteral("\u0421\u041F (sp)"),               // Cyrillic ES PE
        QStringLiteral("\u0421\u041F\u0411 (sp)"),
        QStringLiteral("\u0421\u041F\u041C (sp)"),
        QStringLiteral("\u0421\u041F\u041C\u0414 (sp)"),
        QStringLiteral("EM (e)"),                          // Latin
        QStringLiteral("\u041D\u0414 (m)"),
        QStringLiteral("\u041A\u0414 (m)"),
        QStringLiteral("KM (k)"),                          // Latin
        QStringLiteral("\u041C (m)"),
        QStringLiteral("\u041C\u0414 (m)"),
        QStringLiteral("MM (m)"),                          // Latin
        QStringLiteral("\u041C\u041C\u0414 (m)"),
        QStringLiteral("MW (w)"),                          // Latin
        QStringLiteral("\u0418M (i)"),                     // Cyrillic I, Latin M
        QStringLiteral("\u041F (l)"),
    },
    QStringList{
        QStringLiteral("B: Bombay"),
        QStringLiteral("\u2666: Bombay"),
        QStringLiteral("C: Ottawa"),
        QStringLiteral("(None) Calcutta"),
        QStringLiteral("H: Birmingham"),
        QStringLiteral("\u25C4 \u25BA: Hyderabad"),
        QStringLiteral("\u25CA: Hyderabad"),
        QStringLiteral("\u2605: Hyderabad"),
        QStringLiteral("MK: Kremnica"),
        QStringLiteral("\u2590\u2584\u258C: London"),
        QStringLiteral("M: Mumbai"),
        QStringLiteral("Mo: Mexico"),
        QStringLiteral("\u25CF: Noida"),
        QStringLiteral("MMD: Moscow"),
        QStringLiteral("\u272B: Taegu"),
    },
    QStringList{QStringLiteral("GD"), QStringLiteral("HH"), QStringLiteral("HM"), QStringLiteral("RWM")},
    QStringList{QStringLiteral("A"), QStringLiteral("AA"), QStringLiteral("B"), QStringLiteral("BB"),
                QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"),
                QStringLiteral("G"), QStringLiteral("H"), QStringLiteral("I"), QStringLiteral("K"),
                QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("N"), QStringLiteral("O"),
                QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R"), QStringLiteral("S"),
                QStringLiteral("T"), QStringLiteral("V"), QStringLiteral("W"), QStringLiteral("X"),
                QStringLiteral("Y"), QStringLiteral("Z"), QStringLiteral("9"),
                QStringLiteral("\u03FD\u03F9")},
};

namespace {

// The series number whose price entries a series uses: its own unless it
// borrows another series' list.
int PriceSourceOf(const tnodeinfo &n)
{
    return n.PriceSource > 0 ? n.PriceSource : n.CoinType;
}

constexpr int PaperMoneyKind = 1;
constexpr int CoinKind = 0;
constexpr int LastGradeSlot = GradeSlots - 1;

} // namespace

QStringList MintMarksForBlock(int block)
{
    switch (block) {
    case 0:
    case 1: return MintMarkLists[0];
    case 14: return MintMarkLists[1];
    case 72: return MintMarkLists[2];
    case 422: return MintMarkLists[3];
    case 8: return MintMarkLists[4];
    default: return {};
    }
}

QStringList GradeModifierItems(const std::vector<tPriceInfo *> &prices)
{
    QStringList items;
    for (const tPriceInfo *p : prices)
        if (!p->GM.isEmpty() && !items.contains(p->GM, Qt::CaseInsensitive))
            items.append(p->GM);
    return items;
}

bool ViewSizeVisible(const tnodeinfo &node)
{
    const bool twoMeasures = node.CoinShape == 5 || node.CoinShape == 7 || node.CoinShape == 9;
    // A damaged file may hold an infinite measure; it counts as none.
    const auto measured = [](float m) { return std::isfinite(m) && m >= 1.0f; };
    return measured(node.Measure1) && (measured(node.Measure2) || !twoMeasures);
}

void TrackClick(tMainState &s, tnodeinfo *node)
{
    if (!node || !node->HasPrices)
        return;
    // The earlier place of the series goes first, then the oldest beyond
    // eleven, so a repeat never pushes out a series that still fits.
    auto &list = s.ClickTrackList;
    std::erase(list, node);
    list.insert(list.begin(), node);
    if (list.size() > ClickTrackMax)
        list.resize(ClickTrackMax);
}

std::vector<tGradeTitle> GradeListFor(const tnodeinfo &node, const tSelectionSeams &seams)
{
    std::vector<tGradeTitle> out;
    if (!seams.GradeTitle)
        return out;
    const int kind = node.CoinShape == PaperMoneyShape ? PaperMoneyKind : CoinKind;
    const int scale = node.GradeScale < GradeScaleCount ? node.GradeScale : 0;
    auto pass = [&](int sc) {
        for (int j = 0; j <= LastGradeSlot; ++j) {
            const QString t = seams.GradeTitle(kind, sc, j).trimmed();
            if (!t.isEmpty())
                out.push_back({t, j});
        }
    };
    pass(scale);
    // When scale 0 has no titles either the list stays empty: the editor
    // then offers only "no grade".
    if (out.empty() && scale != 0)
        pass(0);
    return out;
}

QString ForexTextFor(const tMainState &s, int priceSource)
{
    const int country = CoinTypeToCountry(priceSource);
    if (country < 0 || country >= CountryTableSize)
        return {};
    const int index = s.PriceListForexLinks[static_cast<size_t>(country)];
    if (index < 0 || index >= static_cast<int>(s.ForexList.size()))
        return {};
    return s.ForexList[static_cast<size_t>(index)]->Description;
}

bool SelectionIsCurrent(const tMainState &s, int serial)
{
    return serial == s.SelectionSerial;
}

void SeriesSelected(tMainState &s, tSeriesTree *tree, const tSelectionSeams &seams)
{
    CurrProcGuard guard(4300);
    if (!s.SelectedTreeNode)
        s.SelectedTreeNode = s.EntireCollection.get();
    tnodeinfo &n = *s.SelectedTreeNode;
    const bool paper = n.CoinShape == PaperMoneyShape;
    const bool root = n.CoinType == RootCoinType;
    ++s.SelectionSerial;

    s.AskingPrice = true;
    if (seams.SetSelectedLabelCaption)
        seams.SetSelectedLabelCaption(n.NodeName);
    TrackClick(s, &n);

    s.CurrGradeList = GradeListFor(n, seams);
    if (seams.FillGradeBox)
        seams.FillGradeBox();

    s.CurrPriceList.clear();
    const int source = PriceSourceOf(n);
    for (const auto &p : s.PriceList)
        if (p->CoinType == source)
            s.CurrPriceList.push_back(p.get());

    // Qt labels show ampersands literally, so the name goes in as stored.
    if (seams.SetWarningLabelPrices)
        seams.SetWarningLabelPrices(QStringLiteral("There are currently no prices defined for\n\"%1\"").arg(n.NodeName));
    if (seams.FillMintEdit)
        seams.FillMintEdit(MintMarksForBlock(CoinTypeToCountry(source)));
    if (seams.FillGMEdit)
        seams.FillGMEdit(GradeModifierItems(s.CurrPriceList));
    if (seams.SetViewSizeVisible)
        seams.SetViewSizeVisible(ViewSizeVisible(n));
    if (seams.LayoutMainForm)
        seams.LayoutMainForm(paper);
    if (seams.ShowImage) {
        seams.ShowImage(n.Obverse, n.Country, true, paper);
        seams.ShowImage(n.Reverse, n.Country, false, paper);
    }
    if (seams.SetFavoriteBox)
        seams.SetFavoriteBox(n.Favorite);

    tTabVisibility tabs;
    tabs.Pricing = !root;
    tabs.Coins = !root && !s.CurrPriceList.empty();
    if (seams.SetTabs)
        seams.SetTabs(tabs);
    if (seams.SetThemeBoxes)
        seams.SetThemeBoxes(n.Themes);
    if (seams.SetForexLabel)
        seams.SetForexLabel(ForexTextFor(s, source));
    if (seams.StatsTabActive && seams.StatsTabActive() && seams.StartCalcThread)
        seams.StartCalcThread(s.SelectionSerial);
    if (seams.SetCoinTexts) {
        if (paper)
            seams.SetCoinTexts(QStringLiteral("Bills"), QStringLiteral("Comment (Serial number)"));
        else
            seams.SetCoinTexts(QStringLiteral("Coins"), QStringLiteral("Comment"));
    }
    if (seams.SetUpBookList)
        seams.SetUpBookList();
    if (seams.PrepCoinsPage)
        seams.PrepCoinsPage();
    if (!s.CurrCoinList.empty() && seams.CoinGridToFirstRow)
        seams.CoinGridToFirstRow();
    if (seams.ShowThumbnails)
        seams.ShowThumbnails();

    if (tree) {
        tree->BuildNodePorts();
        tree->MakeTreeNodeVisible(&n);
        tree->RenderTree();
    }
    if (seams.ShowCountryCredit)
        seams.ShowCountryCredit();
    if (seams.ShowUserSeriesHint)
        seams.ShowUserSeriesHint();
}
