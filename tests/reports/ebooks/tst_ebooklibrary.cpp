// The eBook library: building it from a folder, saving modified books,
// eLink, the setup window's OK, the picker's order, the book the viewer
// opens and the tree's marks of the focused eBook.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/model/mainstate.h"
#include "reports/ebooks/ebookindex.h"
#include "reports/ebooks/ebooklibrary.h"

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

tEbook Book(const QString &pdf, std::vector<int32_t> series = {}, std::vector<int32_t> pages = {})
{
    tEbook b;
    b.PDFfileName = pdf;
    b.EbookFileName = QFileInfo(pdf).path() + QLatin1Char('/') + QFileInfo(pdf).completeBaseName() +
                      QStringLiteral(".eBook");
    b.Status = EbookIndexRead;
    b.SeriesNumbers = std::move(series);
    b.PageNumbers = std::move(pages);
    return b;
}

} // namespace

class tst_EbookLibrary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsEveryPdfWithItsIndex()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("Alpha.pdf")), QByteArray(40, 'a'));
        WriteFile(dir.filePath(QStringLiteral("Beta.PDF")), QByteArray(50, 'b'));
        WriteFile(dir.filePath(QStringLiteral("Gamma.pdf")), QByteArray(60, 'c'));
        WriteFile(dir.filePath(QStringLiteral("readme.txt")), "x");
        // Alpha's index by name, Beta's through a rename (by size), Gamma none.
        WriteEbookIndex(dir.filePath(QStringLiteral("Alpha.eBook")), 40, {1001, 1002}, {5, 9});
        WriteEbookIndex(dir.filePath(QStringLiteral("Old Beta.eBook")), 50, {2001}, {70000});

        tEbookLibrary lib;
        LoadEbooks(lib, dir.path());
        QCOMPARE(int(lib.Books.size()), 3);
        const QString base = dir.path() + QLatin1Char('/');
        QCOMPARE(lib.Books[0].PDFfileName, base + QStringLiteral("Alpha.pdf"));
        QCOMPARE(lib.Books[0].PDFsize, 40);
        QCOMPARE(int(lib.Books[0].Status), int(EbookIndexRead));
        QCOMPARE(lib.Books[0].PageNumbers, (std::vector<int32_t>{5, 9}));
        QCOMPARE(lib.Books[1].EbookFileName, base + QStringLiteral("Old Beta.eBook"));
        // A page above 65535 stays whole.
        QCOMPARE(BoundPage(lib.Books[1], 2001), 70000);
        QCOMPARE(int(lib.Books[2].Status), int(EbookIndexMissing));
        QCOMPARE(lib.Books[2].EbookFileName, base + QStringLiteral("Gamma.eBook"));
        for (const tEbook &b : lib.Books)
            QVERIFY(!b.Modified);
    }

    void emptyOrMissingFolder()
    {
        QTemporaryDir dir;
        tEbookLibrary lib;
        LoadEbooks(lib, dir.path());
        QVERIFY(lib.Books.empty());
        LoadEbooks(lib, dir.filePath(QStringLiteral("none")));
        QVERIFY(lib.Books.empty());
    }

    // A foreign file under the PDF's index name is never read, and the first
    // save of that book puts a proper index in its place.
    void foreignIndexIsReplacedAtTheFirstSave()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("Book.pdf")), QByteArray(77, 'p'));
        WriteFile(dir.filePath(QStringLiteral("Book.eBook")), QByteArray("not an index of ours at all, really"));
        tEbookLibrary lib;
        LoadEbooks(lib, dir.path());
        QCOMPARE(int(lib.Books[0].Status), int(EbookIndexMissing));
        QVERIFY(lib.Books[0].SeriesNumbers.empty());
        QVERIFY(ELink(lib, 0, 1234, 3));
        QVERIFY(SaveEbookIndexes(lib).isEmpty());
        QCOMPARE(FileBytes(dir.filePath(QStringLiteral("Book.eBook"))), EbookIndexBytes(77, {1234}, {3}));
    }

    // A save writes the size of the PDF as it was listed at start-up.
    void newEditionGetsItsSizeAtTheNextSave()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("Book.pdf")), QByteArray(300, 'p'));
        WriteEbookIndex(dir.filePath(QStringLiteral("Book.eBook")), 120, {5}, {6});
        tEbookLibrary lib;
        LoadEbooks(lib, dir.path());
        QCOMPARE(BoundPage(lib.Books[0], 5), 6);
        QVERIFY(ELink(lib, 0, 7, 8));
        QVERIFY(SaveEbookIndexes(lib).isEmpty());
        QCOMPARE(ParseEbookIndexHeader(FileBytes(dir.filePath(QStringLiteral("Book.eBook")))).value_or(-1), 300);
    }

    // Two PDFs of one size once ended up writing into the same index file;
    // each now keeps its own.
    void equalSizesKeepSeparateIndexes()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("A.pdf")), QByteArray(64, 'a'));
        WriteFile(dir.filePath(QStringLiteral("B.pdf")), QByteArray(64, 'b'));
        WriteEbookIndex(dir.filePath(QStringLiteral("A.eBook")), 64, {1}, {11});
        tEbookLibrary lib;
        LoadEbooks(lib, dir.path());
        QCOMPARE(lib.Books[0].EbookFileName, dir.filePath(QStringLiteral("A.eBook")));
        QCOMPARE(lib.Books[1].EbookFileName, dir.filePath(QStringLiteral("B.eBook")));
        QVERIFY(lib.Books[1].SeriesNumbers.empty());
        QVERIFY(ELink(lib, 1, 2, 22));
        QVERIFY(SaveEbookIndexes(lib).isEmpty());
        QCOMPARE(FileBytes(dir.filePath(QStringLiteral("A.eBook"))), EbookIndexBytes(64, {1}, {11}));
        QCOMPARE(FileBytes(dir.filePath(QStringLiteral("B.eBook"))), EbookIndexBytes(64, {2}, {22}));
    }

    // A book that cannot be written stays modified; the books after it are
    // still written, and the failure is named.
    void failedSaveKeepsTheBookModified()
    {
        QTemporaryDir dir;
        tEbookLibrary lib;
        lib.Books.push_back(Book(dir.filePath(QStringLiteral("gone/A.pdf")), {1}, {2}));
        lib.Books.push_back(Book(dir.filePath(QStringLiteral("B.pdf")), {3}, {4}));
        lib.Books.push_back(Book(dir.filePath(QStringLiteral("C.pdf")), {5}, {6}));
        lib.Books[0].Modified = lib.Books[1].Modified = true;
        const QStringList failures = SaveEbookIndexes(lib);
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures[0].contains(QStringLiteral("A.eBook")), qPrintable(failures[0]));
        QVERIFY(lib.Books[0].Modified);
        QVERIFY(!lib.Books[1].Modified);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("B.eBook"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("C.eBook"))));  // not modified, not written
        QVERIFY(AnyEbookModified(lib));
    }

    void eLinkTwiceKeepsTheLaterPage()
    {
        tEbookLibrary lib;
        lib.Books.push_back(Book(QStringLiteral("/x/A.pdf"), {9, 100, 9}, {1, 2, 3}));
        QVERIFY(ELink(lib, 0, 100, 40));
        QVERIFY(ELink(lib, 0, 100, 41));
        QCOMPARE(lib.Books[0].SeriesNumbers, (std::vector<int32_t>{9, 9, 100}));
        QCOMPARE(lib.Books[0].PageNumbers, (std::vector<int32_t>{1, 3, 41}));
        QVERIFY(lib.Books[0].Modified);
        QCOMPARE(lib.CurrentlyActivePage, 41);
        // With no book picked nothing changes.
        lib.Books[0].Modified = false;
        QVERIFY(!ELink(lib, -1, 100, 50));
        QVERIFY(!ELink(lib, 1, 100, 50));
        QVERIFY(!lib.Books[0].Modified);
    }

    void setupChangesOnlyWhatTheUserChanged()
    {
        tEbookLibrary lib;
        lib.Books.push_back(Book(QStringLiteral("/x/A.pdf"), {7, 8}, {10, 20}));
        lib.Books.push_back(Book(QStringLiteral("/x/B.pdf"), {7}, {30}));
        lib.Books.push_back(Book(QStringLiteral("/x/C.pdf")));
        lib.Books.push_back(Book(QStringLiteral("/x/D.pdf")));
        // A cleared, B retyped the same, C given a page, D left empty.
        const int indicate = ApplyEbookSetup(lib, 7, {QString(), QStringLiteral("30"), QStringLiteral("12"), QString()},
                                             {10, 30, 0, 0}, 2);
        QCOMPARE(indicate, 3);
        QCOMPARE(lib.Books[0].SeriesNumbers, (std::vector<int32_t>{8}));
        QVERIFY(lib.Books[0].Modified);
        QVERIFY(!lib.Books[1].Modified);
        QCOMPARE(BoundPage(lib.Books[2], 7), 12);
        QVERIFY(lib.Books[2].Modified);
        QVERIFY(!lib.Books[3].Modified);
        QCOMPARE(ApplyEbookSetup(lib, 7, {}, {}, -1), 0);
    }

    void setupPageValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("page");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("digits") << QStringLiteral("0042") << 42;
        QTest::newRow("zero") << QStringLiteral("0") << 0;
        QTest::newRow("unreadable") << QStringLiteral("12a") << 0;
    }
    void setupPageValues()
    {
        QFETCH(QString, text);
        QFETCH(int, page);
        QCOMPARE(SetupPageValue(text), page);
    }

    void pickerPutsBindingBooksFirst()
    {
        tEbookLibrary lib;
        lib.Books.push_back(Book(QStringLiteral("/x/Alpha.pdf")));
        lib.Books.push_back(Book(QStringLiteral("/x/Beta.PDF"), {5, 5}, {80000, 3}));
        lib.Books.push_back(Book(QStringLiteral("/x/Gamma.pdf.pdf")));
        lib.Books.push_back(Book(QStringLiteral("/x/Delta.pdf"), {5}, {4}));
        lib.CurrentlyActiveBook = 4;
        const tBookPicker picker = SetUpBookList(lib, 5);
        QStringList texts;
        for (const tBookPickerItem &i : picker.Items)
            texts << i.Text;
        QCOMPARE(texts, (QStringList{"Beta (Page 80000)", "Delta (Page 4)", "Alpha", "Gamma.pdf"}));
        QCOMPARE(picker.Items[0].Book, 1);
        QCOMPARE(picker.Items[0].Page, 80000);
        QVERIFY(picker.Items[1].Bound && !picker.Items[2].Bound);
        QCOMPARE(picker.Selected, 1);  // the open book
        QCOMPARE(lib.Books[1].Tag, 1);
        QCOMPARE(lib.Books[0].Tag, 0);
        lib.CurrentlyActiveBook = 1;
        QCOMPARE(SetUpBookList(lib, 5).Selected, 0);  // first of the group
        QCOMPARE(SetUpBookList(lib, 99).Selected, -1); // no book binds it: none
    }

    void bookToOpen_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("indicate");
        QTest::addColumn<int>("book");
        QTest::addColumn<int>("page");
        // Books: 0 binds series 5 at 70, 1 binds nothing; picker rows: book 0, book 1.
        QTest::newRow("picked binding book") << 0 << 0 << 1 << 70;
        QTest::newRow("picked book without the series") << 1 << 0 << 2 << 0;
        QTest::newRow("nothing picked takes the first") << -1 << 0 << 1 << 70;
        QTest::newRow("focused book wins at its page") << 1 << 1 << 1 << 70;
        QTest::newRow("focused book without the series keeps the page") << 0 << 2 << 2 << 33;
    }
    void bookToOpen()
    {
        QFETCH(int, row);
        QFETCH(int, indicate);
        QFETCH(int, book);
        QFETCH(int, page);
        tEbookLibrary lib;
        lib.Books.push_back(Book(QStringLiteral("/x/A.pdf"), {5}, {70}));
        lib.Books.push_back(Book(QStringLiteral("/x/B.pdf")));
        lib.CurrentlyActivePage = 33;
        const tBookPicker picker = SetUpBookList(lib, 5);
        const tEbookTarget target = EbookToOpen(lib, picker, row, indicate, 5);
        QCOMPARE(target.Book, book);
        QCOMPARE(target.Page, page);
    }

    void focusedBookMarksTheTree()
    {
        tMainState s;
        tnodeinfo *root = s.EntireCollection.get();
        tnodeinfo *a = AddChildNode(root, 1001);
        tnodeinfo *b = AddChildNode(a, 1002);
        tnodeinfo *c = AddChildNode(root, 1003);
        c->eIndexed = true;
        tEbookLibrary lib;
        lib.Books.push_back(Book(QStringLiteral("/x/A.pdf"), {1002, 424242}, {1, 2}));
        s.IndicateEBook = 0;
        DesignateIndexedeBooks(s, lib);
        QVERIFY(c->eIndexed);  // without a focused book nothing changes
        s.IndicateEBook = 1;
        DesignateIndexedeBooks(s, lib);
        QVERIFY(!a->eIndexed);
        QVERIFY(b->eIndexed);  // a series inherits nothing: only the bound one
        QVERIFY(!c->eIndexed);
    }
};

QTEST_GUILESS_MAIN(tst_EbookLibrary)
#include "tst_ebooklibrary.moc"
