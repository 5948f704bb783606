#include "browse/shell/mainlayout.h"

#include <algorithm>
#include <cmath>

namespace {

int Floor(double v)
{
    return static_cast<int>(std::floor(v));
}

} // namespace

tPicturePair PlacePicturePair(const tPicturePairInput &in)
{
    const double w = in.Area.width();
    const double h = in.Area.height();
    const double obvH = in.ObverseLabel.height();
    const double revH = in.ReverseLabel.height();
    int s = Floor((h - in.Reserve - 8 - 4 - obvH - 16 - 4 - revH - 8) / 2);
    s = std::min(s, Floor(w - 16));
    // A window squeezed below its minimum must not give negative sizes.
    s = std::max(s, 0);

    tPicturePair out;
    out.Side = s;
    out.ObversePanel = QRect(Floor((w - s) / 2), 8, s, s);
    out.ObverseLabel = QPoint(Floor((w - in.ObverseLabel.width()) / 2), 8 + s + 4);
    const int panel2Y = Floor(out.ObverseLabel.y() + obvH + 16);
    out.ReversePanel = QRect(out.ObversePanel.x(), panel2Y, s, s);
    out.ReverseLabel = QPoint(Floor((w - in.ReverseLabel.width()) / 2), panel2Y + s + 4);
    return out;
}

tCoinLayout ComputeCoinLayout(const tCoinLayoutInput &in)
{
    const QSizeF btn = in.ViewSizeBtn;
    const QSizeF fav = in.FavoriteBox;
    const QSizeF stack = in.StackPicker;
    const double w = in.ImageSidePanel.width();

    tCoinLayout out;
    // Strictly more than 24 pixels to spare puts the buttons side by side.
    out.SideBySide = w - btn.width() - fav.width() > 24;
    out.Reserve = out.SideBySide ? Floor(btn.height()) + 16 : Floor(btn.height() + 16 + 8 + fav.height());
    // The real-size view's picker is wider than the favourite box it stands
    // for: it ends 8 left of View Size, or takes a row of its own below.
    const int rowX = Floor((w - (fav.width() + 8 + btn.width())) / 2);
    const int stackX = std::min(rowX, Floor(rowX + fav.width() + 8 - 8 - stack.width()));
    const bool stackBelow = out.SideBySide && stackX < 2;
    if (stackBelow)
        out.Reserve += Floor(stack.height()) + 8;
    out.Pictures = PlacePicturePair({in.ImageSidePanel, double(out.Reserve), in.ObverseLabel, in.ReverseLabel});

    const double revBottom = out.Pictures.ReverseLabel.y() + in.ReverseLabel.height();
    if (out.SideBySide) {
        const int b = Floor(revBottom);
        const int x = rowX;
        out.FavoriteBox = QPoint(x, b + 12 + Floor((btn.height() - fav.height()) / 2));
        out.ViewSizeBtn = QPoint(Floor(x + fav.width() + 8), b + 12);
        if (!stackBelow)
            out.StackPicker = QPoint(stackX, b + 12);
        else
            out.StackPicker = QPoint(std::max(2, Floor((w - stack.width()) / 2)), Floor(b + 12 + btn.height() + 8));
    } else {
        const int btnY = Floor(revBottom + 12);
        out.ViewSizeBtn = QPoint(std::max(2, Floor((w - btn.width()) / 2)), btnY);
        const int favY = Floor(btnY + btn.height() + 8);
        out.FavoriteBox = QPoint(std::max(2, Floor((w - fav.width()) / 2)), favY);
        out.StackPicker = QPoint(std::max(2, std::min(out.ViewSizeBtn.x(), Floor(w - stack.width() - 2))), favY);
    }
    return out;
}

tPaperLayout ComputePaperLayout(const tPaperLayoutInput &in)
{
    const double w = in.ImageSidePanel.width();
    const double h = in.ImageSidePanel.height();
    double p = std::floor((w - 8 - 16) / 2);
    double q = h - in.ObverseLabel.height() - 8;
    // A note's pictures keep a 2.25 : 1 aspect: whichever side is short
    // decides the other.
    if (q * 2.25 > p)
        q = p * 0.44444;
    else
        p = q * 2.25;
    p = std::max(p, 0.0);
    q = std::max(q, 0.0);

    tPaperLayout out;
    out.ObversePanel = QRectF(8, 1, p, q);
    out.ReversePanel = QRectF(8 + p + 8, 1, p, q);
    out.ObverseLabel = QPointF(8 + std::floor((p - in.ObverseLabel.width()) / 2), 1 + q);
    out.ReverseLabel = QPointF(out.ReversePanel.x() + std::floor((p - in.ReverseLabel.width()) / 2), 1 + q);
    return out;
}

tPaperButtons PlacePaperButtons(double columnWidth, double statsButtonBottom, QSizeF viewSizeBtn, QSizeF favoriteBox)
{
    tPaperButtons out;
    const int btnY = Floor(statsButtonBottom + 16);
    out.ViewSizeBtn = QPoint(Floor((columnWidth - viewSizeBtn.width()) / 2), btnY);
    out.FavoriteBox = QPoint(Floor((columnWidth - favoriteBox.width()) / 2), Floor(btnY + viewSizeBtn.height() + 16));
    return out;
}

tBinColumn ComputeBinColumn(const tBinColumnInput &in)
{
    tBinColumn out;
    out.Width = std::max(Floor(in.ReportTabWidth / 4), Floor(in.BinButtons.width()));
    const QSizeF area(out.Width, in.ColumnHeight);
    out.Pictures = PlacePicturePair({area, in.BinButtons.height(), in.ObverseLabel, in.ReverseLabel});
    out.BinButtons = QPoint(Floor((out.Width - in.BinButtons.width()) / 2),
                         Floor(out.Pictures.ReverseLabel.y() + in.ReverseLabel.height()) + 12);
    return out;
}

tThemePlacement PlaceThemeRows(int count, double boxWidth, QSizeF row)
{
    tThemePlacement out;
    const double w = row.width();
    const double h = row.height();
    out.Columns = std::max(1, Floor((boxWidth - 30) / (w + 8)));
    out.RowsPerColumn = count <= 0 ? 0 : (count + out.Columns - 1) / out.Columns;
    for (int k = 0; k < count; ++k) {
        const int column = k / out.RowsPerColumn;
        const int line = k % out.RowsPerColumn;
        out.Rows.push_back(QPoint(Floor(column * (w + 16) + 8), Floor(line * (h + 8) + 8)));
    }
    out.SpacerY = Floor(out.RowsPerColumn * (h + 8));
    return out;
}

tPricingHeader PlacePricingHeader(double layout11X, double layout13Width, double layout17Width, double layout18Width)
{
    tPricingHeader out;
    const double d = layout11X - layout13Width;
    if (d > layout17Width + layout18Width) {
        const double g = (d - layout17Width - layout18Width) / 3;
        out.ShowColumns = true;
        out.ColumnsX = layout13Width + g;
        out.ButtonsX = out.ColumnsX + layout17Width + g;
    } else {
        out.ShowColumns = false;
        out.ButtonsX = layout13Width + (d - layout18Width) / 2;
    }
    return out;
}

tCentredPair CentrePair(double width, double first, double second, double gap)
{
    tCentredPair out;
    out.FirstX = (width - (first + gap + second)) / 2;
    out.SecondX = out.FirstX + first + gap;
    return out;
}
