#include "browse/shell/housekeeping.h"

#include "core/model/blocks.h"
#include "core/collection/collectionlifecycle.h"
#include "core/model/currproc.h"
#include "core/program/errorreport.h"
#include "browse/coins/coingrid.h"

tHomeGlide HomeGlide(tHomeVariant variant, const QRect &window, const QSize &screen)
{
    const double L = window.x();
    const double T = window.y();
    const double right = screen.width() - window.width();
    const double bottom = screen.height() - window.height();
    tHomeGlide g;
    if (variant == tHomeVariant::Centring) {
        if (L >= 0 && L <= right && T >= 0 && T <= bottom)
            return g;
        // Fractions are kept; the window's edges take the whole part.
        g = {true, L, right / 2, true, T, bottom / 2, true};
        return g;
    }
    if (L < 0)
        g.GlideX = true, g.FromX = L, g.ToX = 0;
    else if (L > right)
        g.GlideX = true, g.FromX = L, g.ToX = right;
    if (T < 0)
        g.GlideY = true, g.FromY = T, g.ToY = 0;
    else if (T > bottom)
        g.GlideY = true, g.FromY = T, g.ToY = bottom;
    g.Raise = g.Started() && variant == tHomeVariant::Edge;
    return g;
}

const std::vector<tHomingRow> &HomingTable()
{
    // The tool windows built so far, each at its place in the walk. A new
    // tool window joins with its order number and variant.
    static const std::vector<tHomingRow> rows{
        {1, QStringLiteral("TNBNForm"), tHomeVariant::EdgeNoRaise},
        {2, QStringLiteral("TBullionForm"), tHomeVariant::Edge},
        {3, QStringLiteral("TCountryForm"), tHomeVariant::Edge},
        {4, QStringLiteral("TFindTextForm"), tHomeVariant::Edge},
        {5, QStringLiteral("TFindItemForm"), tHomeVariant::Edge},
        {6, QStringLiteral("TPolygonForm"), tHomeVariant::Edge},
        {7, QStringLiteral("TQuarterForm"), tHomeVariant::Edge},
        {8, QStringLiteral("TFindCatalogForm"), tHomeVariant::Edge},
        {10, QStringLiteral("TPriceUpdateForm"), tHomeVariant::Edge},
        {13, QStringLiteral("TSNform"), tHomeVariant::Edge},
        {15, QStringLiteral("TUDFform"), tHomeVariant::Centring},
        {16, QStringLiteral("TShortcutForm"), tHomeVariant::Edge},
        {17, QStringLiteral("TGradesForm"), tHomeVariant::Centring},
        {18, QStringLiteral("TSetupEbookForm"), tHomeVariant::Centring},
        {19, QStringLiteral("TEpicMessage"), tHomeVariant::Centring},
        {20, QStringLiteral("TFileToOpenForm"), tHomeVariant::Centring},
        {21, QStringLiteral("TNewFolder_Form"), tHomeVariant::Centring},
        {22, QStringLiteral("TTrackForm"), tHomeVariant::Edge},
        {23, QStringLiteral("TRepositoryForm"), tHomeVariant::Edge},
        {24, QStringLiteral("TThemeForm"), tHomeVariant::Edge},
        {25, QStringLiteral("TPopulateForm"), tHomeVariant::Edge},
        {26, QStringLiteral("TDataForm"), tHomeVariant::Edge},
        {27, QStringLiteral("TImportForm"), tHomeVariant::Centring},
        {28, QStringLiteral("TForexForm"), tHomeVariant::Edge},
        {39, QStringLiteral("TRomanForm"), tHomeVariant::Edge},
    };
    return rows;
}

bool HomingWalk(const std::vector<tHomingRow> &rows, const std::function<bool(const tHomingRow &)> &inUse,
                const std::function<bool(const tHomingRow &)> &homeForm)
{
    for (const tHomingRow &row : rows)
        if (inUse(row) && homeForm(row))
            return true;
    return false;
}

QString LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void tHousekeeping::tick()
{
    CurrProcGuard guard(Blocks::FormsTimer);
    if (RepaintCalc) {
        RepaintCalc = false;
        if (Steps.ShowStatistics)
            Steps.ShowStatistics();
    }
    CoinSortTick(s_);
    if (!(Steps.ModalWindowOpen && Steps.ModalWindowOpen()))
        AutoSaveTick(s_, Steps.SetTimerEnabled);
    if (Steps.UpdateSizeGrip)
        Steps.UpdateSizeGrip();
    const bool errorOpen = Steps.ErrorWindowOpen ? Steps.ErrorWindowOpen() : ErrorInUse;
    const bool gliding = Steps.GlideRunning && Steps.GlideRunning();
    if (!errorOpen && !gliding && Steps.HomingWalk)
        Steps.HomingWalk();
}
