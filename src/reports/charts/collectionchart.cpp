#include "reports/charts/collectionchart.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

#include "browse/seriespictures/seriespictures.h"
#include "core/model/mainstate.h"
#include "core/model/seriestree.h"
#include "pricing/valuation/valuation.h"

namespace {

bool ChartedGrade(const tCoinInfo &coin)
{
    return coin.Grade >= 0 && coin.Grade < ChartGradeSlots;
}

} // namespace

QString ChartChoiceName(int choice)
{
    static const char *const names[ChartChoiceCount] = {
        "Grades in this series",          "Prices per grade in this series", "Values per grade in this series",
        "Change per grade in this series", "Grade/Year plot",                 "Graded by pie chart",
    };
    return choice >= 0 && choice < ChartChoiceCount ? QString::fromLatin1(names[choice]) : QString();
}

QString ChartTitle(const tnodeinfo &series, int currentYear)
{
    return series.NodeName + QLatin1Char('\n') +
           YearsToYearRangeStr(series.DateRangeMin, series.DateRangeMax, series.DateRangeCirca != 0, currentYear);
}

double tGradeChart::BarValue(const tGradeBar &bar) const
{
    return Kind == 1 ? static_cast<double>(bar.Count) : MoneyToDouble(bar.Sum);
}

QString tGradeChart::BarText(const tGradeBar &bar) const
{
    return Kind == 1 ? QString::number(bar.Count) : FormatMoneyPattern(ValueFormat, bar.Sum);
}

tGradeChart ChartByGrade(const tMainState &s, const std::vector<tCoinInfo *> &entries, int kind)
{
    tGradeChart chart;
    chart.Kind = std::clamp(kind, 1, 4);
    struct tTitles {
        const char *ValueFormat, *AxisFormat, *Legend, *Axis;
    };
    static const tTitles titles[4] = {
        {"0", "#,##0.###", "Grade distribution", "Quantity"},
        {"0.00", "0.00", "Price distribution", "Prices"},
        {"0.00", "0.00", "Value distribution", "Values"},
        {"0.00", "0.00", "Change distribution", "Change"},
    };
    const tTitles &t = titles[chart.Kind - 1];
    chart.ValueFormat = QString::fromLatin1(t.ValueFormat);
    chart.AxisLabelFormat = QString::fromLatin1(t.AxisFormat);
    chart.LegendTitle = QString::fromLatin1(t.Legend);
    chart.AxisTitle = QString::fromLatin1(t.Axis);

    std::array<int64_t, ChartGradeSlots> counts{};
    std::array<Money, ChartGradeSlots> sums{};
    for (const tCoinInfo *coin : entries) {
        if (!coin || !ChartedGrade(*coin))
            continue;
        const size_t slot = static_cast<size_t>(coin->Grade);
        const Money have = coin->Have;
        switch (chart.Kind) {
        case 1:
            counts[slot] += coin->Have;
            break;
        case 2:
            sums[slot] += coin->BuyPrice * have;
            break;
        default: {
            Money value = 0;
            GetCoinValue(s, *coin, value, true, false);
            sums[slot] += chart.Kind == 3 ? value * have : value * have - coin->BuyPrice * have;
            break;
        }
        }
    }

    auto held = [&](int slot) { return counts[static_cast<size_t>(slot)] != 0 || sums[static_cast<size_t>(slot)] != 0; };
    int first = 0;
    while (first < ChartGradeSlots - 1 && !held(first))
        ++first;
    int last = ChartGradeSlots - 1;
    while (last > 0 && !held(last))
        --last;
    if (last < first || !held(first))
        return chart;
    const tnodeinfo *series = s.SelectedTreeNode;
    const int gradeKind = series && series->CoinShape == PaperMoneyShape ? GradeKindPaper : GradeKindCoins;
    const int scale = series ? series->GradeScale : 0;
    for (int slot = first; slot <= last; ++slot) {
        tGradeBar bar;
        bar.Slot = slot;
        bar.Label = s.GradeTitles3D.Title(gradeKind, scale, slot);
        bar.Count = counts[static_cast<size_t>(slot)];
        bar.Sum = sums[static_cast<size_t>(slot)];
        chart.Bars.push_back(bar);
    }
    return chart;
}

std::vector<tGradeYearPoint> ChartGradeYearPoints(const std::vector<tCoinInfo *> &entries)
{
    std::vector<tGradeYearPoint> points;
    for (const tCoinInfo *coin : entries)
        if (coin && ChartedGrade(*coin) && coin->Year > 0)
            points.push_back({coin->Year, coin->Grade, QString::number(coin->Year)});
    return points;
}

std::vector<tPieSlice> ChartGradedBySlices(const tMainState &s, const tnodeinfo &series)
{
    // The subtree's series numbers in depth-first order, each once: an entry
    // is counted once even where two series share a number.
    std::vector<int32_t> order;
    QSet<int32_t> seen;
    std::vector<const tnodeinfo *> stack{&series};
    while (!stack.empty()) {
        const tnodeinfo *node = stack.back();
        stack.pop_back();
        if (!seen.contains(node->CoinType)) {
            seen.insert(node->CoinType);
            order.push_back(node->CoinType);
        }
        for (auto it = node->ChildNodes.rbegin(); it != node->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }
    QHash<int32_t, std::vector<const tCoinInfo *>> bySeries;
    for (const auto &coin : s.CoinList)
        if (seen.contains(coin->CoinType))
            bySeries[coin->CoinType].push_back(coin.get());

    std::vector<tPieSlice> slices;
    QHash<QString, size_t> index;  // case-folded text -> slice
    for (int32_t type : order) {
        const auto found = bySeries.constFind(type);
        if (found == bySeries.constEnd())
            continue;
        for (const tCoinInfo *coin : *found) {
            const QString text = coin->Gradedby.trimmed();
            const QString key = text.toCaseFolded();
            const auto at = index.constFind(key);
            if (at != index.constEnd()) {
                ++slices[*at].Count;
            } else {
                index.insert(key, slices.size());
                slices.push_back({text, 1});
            }
        }
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(slices.begin(), slices.end(), [&](const tPieSlice &a, const tPieSlice &b) {
        if (a.Label.isEmpty() != b.Label.isEmpty())
            return a.Label.isEmpty();
        return collator.compare(a.Label, b.Label) < 0;
    });
    for (tPieSlice &slice : slices)
        if (slice.Label.isEmpty())
            slice.Label = QStringLiteral("<none>");
    return slices;
}

QString PieSliceMark(const tPieSlice &slice, int total, QChar decimalSep)
{
    // The share to two decimals, worked out in integers so every locale and
    // run give the same text.
    const int64_t hundredths = total > 0 ? (static_cast<int64_t>(slice.Count) * 20000 / total + 1) / 2 : 0;
    const QString percent = FormatMoneyPattern(QStringLiteral("0.##"), hundredths * 100, decimalSep);
    return QStringLiteral("%1 %2% (%3)").arg(slice.Label, percent).arg(slice.Count);
}

QString ChartBackgroundName(int index)
{
    static const char *const names[ChartBackgroundCount] = {"Silver",      "Seaside",       "Lemon-lime",   "Purple",
                                                            "Flaming red", "Obverse image", "Reverse image"};
    return index >= 0 && index < ChartBackgroundCount ? QString::fromLatin1(names[index]) : QString();
}

tChartBackground ChartBackground(const tMainState &s, const tnodeinfo *series, int index)
{
    static const QRgb colours[5][2] = {
        {0xFFFFFFFF, 0xFFC0C0C0},  // Silver
        {0xFFFFFFFF, 0xFF00FFFF},  // Seaside
        {0xFFFFFF00, 0xFF00FF00},  // Lemon-lime
        {0xFFFFFFFF, 0xFFFF00FF},  // Purple
        {0xFFFFFF00, 0xFFFF0000},  // Flaming red
    };
    tChartBackground b;
    const int gradient = index >= 0 && index < 5 ? index : 0;
    b.Start = QColor::fromRgba(colours[gradient][0]);
    b.End = QColor::fromRgba(colours[gradient][1]);
    if ((index == ChartBackgroundObverse || index == ChartBackgroundReverse) && series) {
        const bool obverse = index == ChartBackgroundObverse;
        const QString &picture = obverse ? series->Obverse : series->Reverse;
        if (!picture.trimmed().isEmpty()) {
            const QString path =
                fullpath(s, picture, series->Country, obverse, series->CoinShape == PaperMoneyShape);
            if (!path.trimmed().isEmpty())
                b.PicturePath = path;
        }
    }
    return b;
}

const tTrackBarInfo &TrackBarInfo(int tag)
{
    static const tTrackBarInfo info[TrackBarCount] = {
        {"3D effect", 0, 100},  {"X-Rotation", 10, 170}, {"Y-Rotation", 10, 170},
        {"Horizontal", -160, 160}, {"Vertical", -160, 160}, {"Zoom", 30, 180},
        {"Spin", 1, 179},       {"Legend X", 1, 100},    {"Legend Y", 1, 100},
    };
    return info[std::clamp(tag, 1, TrackBarCount) - 1];
}

int ChartAngle(int v)
{
    // The remainder is taken as a non-negative one, so a value outside the
    // bar's range still gives an angle of 0..359.
    int a = ((v + 90) % 180 + 180) % 180;
    if (a > 90)
        a += 180;
    return a;
}

int ChartSpinAngle(int v)
{
    const int a = ChartAngle(v);
    return a > 357 || a <= 2 ? 0 : a;
}

void ApplyTrackBar(tChartView &view, int tag, double value)
{
    const int v = static_cast<int>(std::trunc(value));
    switch (tag) {
    case 1: view.Percent3D = v; break;
    case 2: view.Rotation = ChartAngle(v); break;
    case 3: view.Elevation = ChartAngle(v); break;
    case 4: view.HorizOffset = v; break;
    case 5: view.VertOffset = v; break;
    case 6: view.Zoom = v; break;
    case 7: view.Tilt = ChartSpinAngle(v); break;
    case 8: view.LegendLeft = v; break;
    case 9: view.LegendTop = v; break;
    default: break;
    }
}

std::array<int, TrackBarCount> BarChartTrackBars()
{
    return {50, 90, 91, 0, 0, 90, 90, 5, 5};
}

std::array<int, TrackBarCount> PieChartTrackBars()
{
    std::array<int, TrackBarCount> p = BarChartTrackBars();
    p[5] = 105;
    return p;
}

QString ProposedChartFileName(const QString &collectionFile)
{
    const QString folder = collectionFile.isEmpty() ? QDir::currentPath() : QFileInfo(collectionFile).absolutePath();
    return QDir(folder).filePath(QStringLiteral("Orvanta Chart.BMP"));
}

QByteArray ChartFileFormat(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? QByteArrayLiteral("PNG")
                                                                          : QByteArrayLiteral("BMP");
}
