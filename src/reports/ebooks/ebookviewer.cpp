#include "reports/ebooks/ebookviewer.h"

#include <QAbstractItemModel>
#include <algorithm>
#include <cmath>

int FindOnPage(const QString &pageText, const QString &text, int from)
{
    if (text.isEmpty() || from < 0)
        return -1;
    return static_cast<int>(pageText.indexOf(text, from, Qt::CaseInsensitive));
}

void AddSearchHistory(QStringList &history, const QString &text)
{
    const QString trimmed = text.trimmed();
    history.removeIf([&trimmed](const QString &entry) {
        return entry.trimmed().compare(trimmed, Qt::CaseInsensitive) == 0;
    });
    while (history.size() > EbookSearchHistoryMax - 1)
        history.removeLast();
    history.prepend(trimmed);
}

tEbookSearchHit SearchEbook(int pageCount, int startPage, int shownHit, int textLength,
                            const std::function<int(int page, int from)> &find,
                            const std::function<bool(int pagesDone)> &nextPage)
{
    tEbookSearchHit hit;
    if (pageCount < 1 || textLength < 1)
        return hit;
    int page = std::clamp(startPage, 1, pageCount);
    int index = find(page, shownHit >= 0 ? shownHit + textLength : 0);
    int done = 0;
    while (index < 0 && page < pageCount) {
        if (nextPage && nextPage(++done)) {
            hit.Cancelled = true;
            return hit;
        }
        ++page;
        index = find(page, 0);
    }
    if (index >= 0) {
        hit.Found = true;
        hit.Page = page;
        hit.Start = index;
    }
    return hit;
}

double ClampEbookZoom(double zoom)
{
    if (!std::isfinite(zoom))
        return EbookZoomMin;
    return std::clamp(zoom, EbookZoomMin, EbookZoomMax);
}

QSize EbookViewSize(double zoom, QSizeF pagePoints, int rotation, double pixelsPerInch)
{
    QSizeF points = pagePoints;
    if (rotation == 90 || rotation == 270)
        points.transpose();
    const double scale = zoom * pixelsPerInch / 72.0;
    return QSize(static_cast<int>(std::lround(points.width() * scale)),
                 static_cast<int>(std::lround(points.height() * scale)));
}

double FitWidthZoom(int areaWidth, QSizeF pagePoints, double pixelsPerInch)
{
    const double pixels = pagePoints.width() * pixelsPerInch / 72.0;
    return pixels > 0 ? ClampEbookZoom((areaWidth - 32) / pixels) : EbookZoomMin;
}

double FitHeightZoom(int areaHeight, QSizeF pagePoints, double pixelsPerInch)
{
    const double pixels = pagePoints.height() * pixelsPerInch / 72.0;
    return pixels > 0 ? ClampEbookZoom(areaHeight / pixels) : EbookZoomMin;
}

std::vector<tEbookBookmark> FlattenBookmarks(const QAbstractItemModel &model, int titleRole, int pageRole)
{
    std::vector<tEbookBookmark> out;
    // An explicit stack: a document's outline may nest arbitrarily deep.
    std::vector<QModelIndex> stack;
    for (int r = model.rowCount() - 1; r >= 0; --r)
        stack.push_back(model.index(r, 0));
    while (!stack.empty()) {
        const QModelIndex index = stack.back();
        stack.pop_back();
        out.push_back({model.data(index, titleRole).toString(), model.data(index, pageRole).toInt() + 1});
        for (int r = model.rowCount(index) - 1; r >= 0; --r)
            stack.push_back(model.index(r, 0, index));
    }
    return out;
}

int BookmarkForPage(const std::vector<tEbookBookmark> &bookmarks, int page)
{
    for (size_t i = 0; i < bookmarks.size(); ++i)
        if (bookmarks[i].Page == page)
            return static_cast<int>(i);
    return -1;
}

std::vector<int> PrintSheetOrder(int from, int to, int copies, bool collate)
{
    std::vector<int> sheets;
    if (from < 1 || to < from || copies < 1)
        return sheets;
    const int outer = collate ? copies : 1;
    const int inner = collate ? 1 : copies;
    for (int c = 0; c < outer; ++c)
        for (int page = from; page <= to; ++page)
            for (int i = 0; i < inner; ++i)
                sheets.push_back(page);
    return sheets;
}

QSize PrintBitmapSize(QSize printerPage)
{
    int w = printerPage.width();
    int h = printerPage.height();
    if (w <= 0 || h <= 0)
        return {};
    if (h < w) {
        const double ratio = static_cast<double>(h) / w;
        w = std::min(w, EbookPrintMaxSide);
        h = static_cast<int>(w * ratio);
    } else {
        const double ratio = static_cast<double>(w) / h;
        h = std::min(h, EbookPrintMaxSide);
        w = static_cast<int>(h * ratio);
    }
    return {std::max(w, 1), std::max(h, 1)};
}

QRectF FitPageRect(QSizeF page, const QRectF &paper)
{
    if (page.isEmpty() || paper.isEmpty())
        return paper;
    const QSizeF fitted = page.scaled(paper.size(), Qt::KeepAspectRatio);
    return QRectF(paper.x() + (paper.width() - fitted.width()) / 2, paper.y() + (paper.height() - fitted.height()) / 2,
                  fitted.width(), fitted.height());
}
