#pragma once
// The rules of the eBooks page that need no window: the page-by-page text
// search and its history, zoom and fit, the flattened bookmark list, and the
// order and size of printed sheets.
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QAbstractItemModel;

namespace Blocks {
constexpr int BookListBoxChange = 26700;
constexpr int AddBookmarkChildren = 26800;
constexpr int SetPdfViewZoom = 26900;
constexpr int EbookSearchEditChange = 27100;
constexpr int EbookPageEditChange = 27200;
constexpr int EbookSearch = 28900;
constexpr int PrintEbookButtonClick = 29400;
} // namespace Blocks

inline constexpr double EbookZoomMin = 0.25;
inline constexpr double EbookZoomMax = 8.0;
inline constexpr int EbookSearchHistoryMax = 16;
// The hit is painted in this colour over the page.
inline constexpr unsigned EbookHitColor = 0x80E00A0A;
inline constexpr int EbookPrintMaxSide = 8192;

// ---- Search ----

// Where text (case-insensitively) first occurs in pageText at or after from,
// -1 when it does not.
int FindOnPage(const QString &pageText, const QString &text, int from);

// Puts text first in the history: drops every entry equal to it (trimmed,
// ignoring case) and the oldest beyond the limit.
void AddSearchHistory(QStringList &history, const QString &text);

struct tEbookSearchHit {
    bool Found = false;
    bool Cancelled = false;
    int Page = 0;   // 1-based page of the hit
    int Start = -1; // first character of the hit on that page
};
// Searches from startPage (1-based) to the last page, never wrapping. With a
// hit shown on startPage (shownHit >= 0) the search continues after it.
// find(page, from) answers the first match on a page at or after from, -1
// none. Before each further page nextPage(pagesDone) runs (the window's
// progress and events) and answers true to stop.
tEbookSearchHit SearchEbook(int pageCount, int startPage, int shownHit, int textLength,
                            const std::function<int(int page, int from)> &find,
                            const std::function<bool(int pagesDone)> &nextPage);

// ---- Zoom ----

double ClampEbookZoom(double zoom);
// The page's size in pixels at zoom (points are 1/72 inch); rotation 90 or
// 270 swaps width and height.
QSize EbookViewSize(double zoom, QSizeF pagePoints, int rotation, double pixelsPerInch);
// Fit width: (area width - 32) over the page's width in pixels; fit height:
// the area's height over the page's height. Always within the zoom limits.
double FitWidthZoom(int areaWidth, QSizeF pagePoints, double pixelsPerInch);
double FitHeightZoom(int areaHeight, QSizeF pagePoints, double pixelsPerInch);

// ---- Bookmarks ----

struct tEbookBookmark {
    QString Title;
    int Page = 0;  // 1-based
};
// Every bookmark of the model, each followed at once by all its
// descendants, depth first. The model's page role is 0-based.
std::vector<tEbookBookmark> FlattenBookmarks(const QAbstractItemModel &model, int titleRole, int pageRole);
// The first bookmark that points at page, -1 none.
int BookmarkForPage(const std::vector<tEbookBookmark> &bookmarks, int page);

// ---- Printing ----

// The pages printed, one per sheet, in order. Collated: the whole range for
// each copy; not collated: each page copies times.
std::vector<int> PrintSheetOrder(int from, int to, int copies, bool collate);
// The bitmap a page is rendered into for a printer page of that size in
// pixels: its proportions, the long side at most 8192.
QSize PrintBitmapSize(QSize printerPage);
// The largest rectangle of the page's proportions inside paper, centred.
QRectF FitPageRect(QSizeF page, const QRectF &paper);
