#include "browse/series/themes.h"

#include <cmath>

#include "core/model/helpers.h"
#include "browse/tree/treeview.h"

bool CarriesTheme(const tnodeinfo &node, int theme)
{
    return theme >= 0 && theme < ThemeCount && (node.Themes & (1 << theme)) != 0;
}

void SetThemeBit(tMainState &s, int theme, bool on)
{
    tnodeinfo *node = s.SelectedTreeNode;
    if (!node || theme < 0 || theme >= ThemeCount)
        return;
    if (on)
        node->Themes |= (1 << theme);
    else
        node->Themes &= ~(1 << theme);
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
}

tnodeinfo *NextThemeCarrier(const tMainState &s, int theme)
{
    std::vector<tnodeinfo *> carriers;
    size_t p = 0;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (CarriesTheme(*n, theme))
            carriers.push_back(n);
        if (n == s.SelectedTreeNode)
            p = carriers.size();
    });
    if (carriers.empty())
        return nullptr;
    if (p >= carriers.size())
        p = 0;
    return carriers[p] == s.SelectedTreeNode ? nullptr : carriers[p];
}

std::array<int, ThemeCount> CountThemeSeries(const tMainState &s)
{
    std::array<int, ThemeCount> counts{};
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        for (int t = 0; t < ThemeCount; ++t)
            if (CarriesTheme(*n, t))
                ++counts[static_cast<size_t>(t)];
    });
    return counts;
}

bool SetThemeNames(tMainState &s, const std::array<QString, ThemeCount> &names)
{
    if (names == s.ThemeNames)
        return false;
    s.ThemeNames = names;
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
    return true;
}

bool ThemeIsNamed(const tMainState &s, int theme)
{
    return theme >= 0 && theme < ThemeCount && !s.ThemeNames[static_cast<size_t>(theme)].trimmed().isEmpty();
}

QString ThemeCountText(int quantity)
{
    return QString::number(quantity) + QStringLiteral(" series");
}

int ThemeButtonImage(int quantity)
{
    return quantity < 1 ? ImgNo : ImgRight;
}

int ThemeCheckBoxWidth(double textWidth)
{
    return static_cast<int>(std::trunc(textWidth * 1.3 + 29));
}
