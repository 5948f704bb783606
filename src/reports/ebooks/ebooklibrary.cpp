#include "reports/ebooks/ebooklibrary.h"

#include <QDir>
#include <QFileInfo>

#include "browse/tree/treeview.h"
#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "core/program/log.h"
#include "reports/ebooks/ebookindex.h"

namespace {

QString WithSlash(const QString &folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString WithEbookExtension(const QString &pdfPath)
{
    const QFileInfo info(pdfPath);
    return WithSlash(info.path()) + info.completeBaseName() + QStringLiteral(".eBook");
}

} // namespace

void LoadEbooks(tEbookLibrary &library, const QString &folder)
{
    CurrProcGuard guard(Blocks::LoadEbooks);
    library = tEbookLibrary();
    const QString dir = WithSlash(folder);
    LogEntry(QStringLiteral(">>>>> Load eBooks Section <<<<<"));
    LogEntry(QStringLiteral("Load eBooks from ") + dir);
    const std::vector<tPdfEntry> pdfs = ListEbookPdfs(dir);
    std::vector<QString> indexes;
    {
        CurrProcGuard find(Blocks::FindEbookIndex);
        indexes = AssignEbookIndexes(pdfs, ListEbookIndexCandidates(dir));
    }
    for (size_t i = 0; i < pdfs.size(); ++i) {
        LogEntry(QStringLiteral("Load eBook: ") + pdfs[i].FileName);
        tEbook book;
        book.PDFsize = pdfs[i].Size;
        book.PDFfileName = dir + pdfs[i].FileName;
        book.Status = EbookIndexMissing;
        if (indexes[i].isEmpty()) {
            book.EbookFileName = WithEbookExtension(book.PDFfileName);
        } else {
            book.EbookFileName = dir + indexes[i];
            tEbookIndexRead read = ReadEbookIndex(book.EbookFileName);
            book.Status = read.Status;
            book.SeriesNumbers = std::move(read.SeriesNumbers);
            book.PageNumbers = std::move(read.PageNumbers);
        }
        library.Books.push_back(std::move(book));
        LogEntry(QStringLiteral(" <Done>"), true);
    }
    LogEntry(QStringLiteral("eBook load complete"));
}

int BoundPage(const tEbook &book, int32_t series)
{
    const size_t count = std::min(book.SeriesNumbers.size(), book.PageNumbers.size());
    for (size_t i = 0; i < count; ++i)
        if (book.SeriesNumbers[i] == series)
            return book.PageNumbers[i];
    return 0;
}

void BindSeries(tEbook &book, int32_t series, int page)
{
    for (size_t i = book.SeriesNumbers.size(); i-- > 0;) {
        if (book.SeriesNumbers[i] == series) {
            book.SeriesNumbers.erase(book.SeriesNumbers.begin() + static_cast<std::ptrdiff_t>(i));
            book.PageNumbers.erase(book.PageNumbers.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    if (page > 0) {
        book.SeriesNumbers.push_back(series);
        book.PageNumbers.push_back(page);
    }
}

bool AnyEbookModified(const tEbookLibrary &library)
{
    return std::any_of(library.Books.begin(), library.Books.end(), [](const tEbook &b) { return b.Modified; });
}

QStringList SaveEbookIndexes(tEbookLibrary &library)
{
    CurrProcGuard guard(Blocks::SaveEbookIndexes);
    QStringList failures;
    for (tEbook &book : library.Books) {
        if (!book.Modified)
            continue;
        try {
            WriteEbookIndex(book.EbookFileName, book.PDFsize, book.SeriesNumbers, book.PageNumbers);
            book.Modified = false;
        } catch (const EbookWriteError &e) {
            failures << QString::fromStdString(e.what());
        }
    }
    return failures;
}

bool ELink(tEbookLibrary &library, int bookIndex, int32_t series, int page)
{
    CurrProcGuard guard(Blocks::ELinkButtonClick);
    if (bookIndex < 0 || bookIndex >= static_cast<int>(library.Books.size()) || page < 1)
        return false;
    tEbook &book = library.Books[static_cast<size_t>(bookIndex)];
    BindSeries(book, series, page);
    library.CurrentlyActivePage = page;
    book.Modified = true;
    return true;
}

int SetupPageValue(const QString &text)
{
    bool ok = false;
    const int page = text.trimmed().toInt(&ok);
    return ok && page > 0 ? page : 0;
}

int ApplyEbookSetup(tEbookLibrary &library, int32_t series, const std::vector<QString> &pageTexts,
                    const std::vector<int> &originalPages, int focused)
{
    for (size_t i = 0; i < library.Books.size() && i < pageTexts.size(); ++i) {
        const int page = SetupPageValue(pageTexts[i]);
        if (i < originalPages.size() && page == originalPages[i])
            continue;
        tEbook &book = library.Books[i];
        BindSeries(book, series, page);
        book.Modified = true;
    }
    return focused >= 0 && focused < static_cast<int>(library.Books.size()) ? focused + 1 : 0;
}

QString SetupStatusText(const tEbook &book)
{
    switch (book.Status) {
    case EbookIndexRead: return QFileInfo(book.EbookFileName).fileName();
    case EbookIndexError: return QStringLiteral("Error encountered reading eBook file");
    default: return QStringLiteral("Matching eBook file NOT found");
    }
}

QString BookTitle(const tEbook &book)
{
    QString name = QFileInfo(book.PDFfileName).fileName();
    if (name.endsWith(QLatin1StringView(".pdf"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

tBookPicker SetUpBookList(tEbookLibrary &library, int32_t series)
{
    CurrProcGuard guard(Blocks::SetUpBookList);
    tBookPicker picker;
    for (size_t i = 0; i < library.Books.size(); ++i) {
        tEbook &book = library.Books[i];
        book.Tag = 0;
        const int page = BoundPage(book, series);
        if (page == 0)
            continue;
        picker.Items.push_back({BookTitle(book) + QStringLiteral(" (Page %1)").arg(page), static_cast<int>(i), page,
                                true});
        book.Tag = 1;
    }
    if (!picker.Items.empty()) {
        picker.Selected = 0;
        for (size_t r = 0; r < picker.Items.size(); ++r)
            if (picker.Items[r].Book + 1 == library.CurrentlyActiveBook)
                picker.Selected = static_cast<int>(r);
    }
    for (size_t i = 0; i < library.Books.size(); ++i)
        if (library.Books[i].Tag == 0)
            picker.Items.push_back({BookTitle(library.Books[i]), static_cast<int>(i), 0, false});
    return picker;
}

tEbookTarget EbookToOpen(const tEbookLibrary &library, const tBookPicker &picker, int pickedRow, int indicateEBook,
                         int32_t series)
{
    tEbookTarget target;
    const int books = static_cast<int>(library.Books.size());
    if (indicateEBook >= 1 && indicateEBook <= books) {
        target.Book = indicateEBook;
        target.Page = library.CurrentlyActivePage;
        if (const int page = BoundPage(library.Books[static_cast<size_t>(indicateEBook - 1)], series))
            target.Page = page;
        return target;
    }
    if (picker.Items.empty())
        return target;
    const int row = pickedRow >= 0 && pickedRow < static_cast<int>(picker.Items.size()) ? pickedRow : 0;
    target.Book = picker.Items[static_cast<size_t>(row)].Book + 1;
    target.Page = picker.Items[static_cast<size_t>(row)].Page;
    return target;
}

void DesignateIndexedeBooks(tMainState &s, const tEbookLibrary &library)
{
    CurrProcGuard guard(Blocks::DesignateIndexedeBooks);
    if (s.IndicateEBook < 1 || s.IndicateEBook > static_cast<int>(library.Books.size()))
        return;
    MarkIndexedSeries(s, library.Books[static_cast<size_t>(s.IndicateEBook - 1)].SeriesNumbers);
}
