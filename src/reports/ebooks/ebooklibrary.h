#pragma once
// The eBook library: one tEbook per PDF catalogue of the eBooks folder,
// built once at start-up and never rebuilt while the program runs, with
// the bindings of series to pages that its index files hold. Everything a
// command does to the library - binding the selected series to a page, the
// setup window's OK, saving, the book picker's items, the tree's marks of
// the focused eBook - is a plain function here.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct tMainState;

namespace Blocks {
constexpr int LoadEbooks = 2000;
constexpr int SetupEbookClick = 5100;
constexpr int ELinkButtonClick = 14300;
constexpr int SetUpBookList = 15200;
constexpr int SaveEbookIndexes = 17400;
constexpr int FindEbookIndex = 31000;
constexpr int DesignateIndexedeBooks = 32000;
} // namespace Blocks

// Status of a book's index file.
enum : uint8_t {
    EbookIndexRead = 0,
    EbookIndexMissing = 1,
    EbookIndexError = 2,
};

struct tEbook {
    QString PDFfileName;    // folder + file name
    QString EbookFileName;  // the index file found, else the PDF's path with ".eBook"
    qint64 PDFsize = 0;     // from the folder listing at start-up
    bool Modified = false;
    uint8_t Status = EbookIndexMissing;
    std::vector<int32_t> SeriesNumbers;  // parallel to PageNumbers
    std::vector<int32_t> PageNumbers;    // 1-based
    int32_t Tag = 0;                     // 1 while the book stands in the picker's first group
};

struct tEbookLibrary {
    std::vector<tEbook> Books;   // in listing order, never sorted
    int CurrentlyActiveBook = 0; // open book: index + 1, 0 none
    int CurrentlyActivePage = 0; // page shown in the open book
};

// Builds the library from the PDFs of folder, logging each book.
void LoadEbooks(tEbookLibrary &library, const QString &folder);

// The page of the first pair binding series, 0 when none.
int BoundPage(const tEbook &book, int32_t series);
// Removes every pair of series (from the last down) and, when page > 0,
// appends (series, page). Does not mark the book.
void BindSeries(tEbook &book, int32_t series, int page);

bool AnyEbookModified(const tEbookLibrary &library);

// Writes the index of every modified book, each through a temporary file.
// A book that fails stays modified and the others are still written; the
// result names each failure ("file: cause"), empty when all went well.
QStringList SaveEbookIndexes(tEbookLibrary &library);

// The eLink button: binds series to page in book bookIndex (0-based), marks
// the book modified and makes page the open page. Nothing happens for a
// book index out of range (no book picked) or a page below 1.
bool ELink(tEbookLibrary &library, int bookIndex, int32_t series, int page);

// The setup window's OK. pageTexts and originalPages have one slot per book
// (what each page box holds now, what it showed when the window opened);
// focused is the index of the checked "Focus on this eBook" box, -1 none.
// Changes only the books whose page differs from the original and returns
// the new focused eBook (index + 1, 0 none).
int ApplyEbookSetup(tEbookLibrary &library, int32_t series, const std::vector<QString> &pageTexts,
                    const std::vector<int> &originalPages, int focused);
// A page box's text as a page: empty or unreadable text is 0.
int SetupPageValue(const QString &text);
// What the setup window's second line says of a book.
QString SetupStatusText(const tEbook &book);

// The book picker: books binding the series first (black, with their page),
// then the others (grey), each group in library order. Sets every book's Tag.
struct tBookPickerItem {
    QString Text;
    int Book = 0;      // library index
    int Page = 0;      // bound page of the series, 0 none
    bool Bound = false;
};
struct tBookPicker {
    std::vector<tBookPickerItem> Items;
    int Selected = -1;  // row selected, -1 none
};
tBookPicker SetUpBookList(tEbookLibrary &library, int32_t series);
// A PDF's file name without a final ".PDF" (any case).
QString BookTitle(const tEbook &book);

// The book and page the viewer opens: the picked item's (a book that does
// not bind the series opens at page 0, meaning its first page), or, while a
// book is focused (indicateEBook > 0), always the focused book at its page
// of the series, else at the open page.
struct tEbookTarget {
    int Book = 0;  // index + 1, 0 nothing to open
    int Page = 0;  // 0: no particular page
};
tEbookTarget EbookToOpen(const tEbookLibrary &library, const tBookPicker &picker, int pickedRow, int indicateEBook,
                         int32_t series);

// Sets eIndexed on the tree's series bound in the focused eBook
// (s.IndicateEBook), clearing it everywhere else; nothing without one.
void DesignateIndexedeBooks(tMainState &s, const tEbookLibrary &library);
