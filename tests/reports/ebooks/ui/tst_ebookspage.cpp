// The eBooks page over a real PDF written for the test: opening at the
// bound page, the search across pages, eLink and saving, printing, the setup
// window, and a file that is not a PDF.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "reports/ebooks/ebookindex.h"
#include "reports/ebooks/ui/ebookspage.h"
#include "reports/ebooks/ui/pdfpageview.h"
#include "reports/ebooks/ui/setupebookform.h"
#include "support/pdffixture.h"
#include "support/scriptedui.h"

namespace {

constexpr int32_t Cents = 1000001;
constexpr int32_t Dimes = 1000002;

// A folder with two catalogues: "Coins" (three pages, cents bound to page 2)
// and "Notes" (one page, nothing bound).
struct tShelf {
    QTemporaryDir Dir;
    qint64 CoinsSize = 0;
    tShelf()
    {
        CoinsSize = WriteTestPdf(Dir.filePath(QStringLiteral("Coins.pdf")),
                                 {{QStringLiteral("Half cents abc")},
                                  {QStringLiteral("Large cents abc"), QStringLiteral("Small cents ABC")},
                                  {QStringLiteral("Morgan dollars")}},
                                 QStringLiteral("Coins of the world"));
        WriteTestPdf(Dir.filePath(QStringLiteral("Notes.pdf")), {{QStringLiteral("Notes")}});
        WriteEbookIndex(Dir.filePath(QStringLiteral("Coins.eBook")), CoinsSize, {Cents}, {2});
    }
};

struct tPageFixture {
    tShelf Shelf;
    tScriptedUi Ui;
    tMainState State;
    tnodeinfo *CentsNode = nullptr;
    tnodeinfo *DimesNode = nullptr;
    std::unique_ptr<TEbooksPage> Page;
    int Renders = 0;
    tPageFixture()
    {
        CentsNode = AddChildNode(State.EntireCollection.get(), Cents);
        DimesNode = AddChildNode(State.EntireCollection.get(), Dimes);
        State.EbooksRedirect = Shelf.Dir.path() + QLatin1Char('/');
        State.SelectedTreeNode = CentsNode;
        QObject::connect(State.Events.get(), &tStateEvents::RenderTree, [this] { ++Renders; });
        Page = std::make_unique<TEbooksPage>(State);
        Page->resize(1000, 700);
        Page->show();
        Page->LoadEbooks();
    }
    void Select(tnodeinfo *node)
    {
        State.SelectedTreeNode = node;
        Page->SetUpBookList();
    }
    QString Hit() const
    {
        TPdfPageView *v = Page->FPdfView1;
        return Page->FPdf1->getSelectionAtIndex(v->Page() - 1, v->HitStart(), v->HitEnd() - v->HitStart() + 1).text();
    }
    void Search(const QString &text)
    {
        Page->eBookSearchEdit->setEditText(text);
        QTest::mouseClick(Page->SpeedButton1, Qt::LeftButton);
    }
};

} // namespace

class tst_EbooksPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensTheBookAtTheBoundPage()
    {
        tPageFixture f;
        QCOMPARE(f.Page->BookListBox->count(), 2);
        QCOMPARE(f.Page->BookListBox->item(0)->text(), QStringLiteral("Coins (Page 2)"));
        QCOMPARE(f.Page->BookListBox->item(1)->text(), QStringLiteral("Notes"));
        QCOMPARE(f.Page->BookListBox->currentRow(), 0);
        f.Page->BookListBoxChange();
        QCOMPARE(f.Page->eBookPageEdit->value(), 2);
        QCOMPARE(f.Page->FPdfView1->Page(), 2);
        QCOMPARE(f.Page->Label9->text(), QStringLiteral("Page (of 3)"));
        QCOMPARE(f.Page->Library.CurrentlyActiveBook, 1);
        QCOMPARE(f.Page->Library.CurrentlyActivePage, 2);
        QCOMPARE(f.Page->BookmarkBox->count(), 0);  // the PDF has no outline
        // Fit width leaves the page as wide as the area allows.
        QVERIFY(f.Page->FPdfView1->width() <= f.Page->eBookScrollBox->width());
        QVERIFY(f.Page->FPdfView1->width() > f.Page->eBookScrollBox->width() / 2);

        // A series the book does not bind: every book grey, the picked one
        // opens at its first page.
        f.Select(f.DimesNode);
        QCOMPARE(f.Page->BookListBox->currentRow(), -1);
        QCOMPARE(f.Page->BookListBox->item(0)->text(), QStringLiteral("Coins"));
        f.Page->BookListBox->setCurrentRow(1);
        QCOMPARE(f.Page->Label9->text(), QStringLiteral("Page (of 1)"));
        QCOMPARE(f.Page->eBookPageEdit->value(), 1);
    }

    void focusedBookWinsOverThePicker()
    {
        tPageFixture f;
        f.State.IndicateEBook = 1;  // Coins
        f.Page->Library.CurrentlyActivePage = 3;
        f.Select(f.DimesNode);
        f.Page->BookListBox->setCurrentRow(1);  // the user picks Notes
        QCOMPARE(f.Page->BookListBox->currentRow(), 0);
        QCOMPARE(f.Page->Label9->text(), QStringLiteral("Page (of 3)"));
        QCOMPARE(f.Page->eBookPageEdit->value(), 3);
        f.Select(f.CentsNode);
        f.Page->BookListBoxChange();
        QCOMPARE(f.Page->eBookPageEdit->value(), 2);
    }

    void searchGoesThroughTheHitsThenLaterPages()
    {
        tPageFixture f;
        f.Page->BookListBoxChange();
        f.Search(QStringLiteral("  abc "));
        QCOMPARE(f.Page->FPdfView1->Page(), 2);
        QCOMPARE(f.Hit(), QStringLiteral("abc"));
        const int first = f.Page->FPdfView1->HitStart();
        f.Search(QStringLiteral("abc"));
        QCOMPARE(f.Page->FPdfView1->Page(), 2);
        QCOMPARE(f.Hit(), QStringLiteral("ABC"));
        QVERIFY(f.Page->FPdfView1->HitStart() > first);
        // Nothing after it, and the search does not wrap to page 1.
        f.Ui.answer(QStringLiteral("OK"));
        f.Search(QStringLiteral("abc"));
        QCOMPARE(f.Ui.Texts(), QStringList{QStringLiteral("The search text was not found in the eBook")});
        QCOMPARE(f.Page->FPdfView1->Page(), 2);
        QVERIFY(!f.Page->eBookButtonsLayout->isHidden());
        QVERIFY(f.Page->eBookSearchLayout->isHidden());

        f.Search(QStringLiteral("MORGAN"));
        QCOMPARE(f.Page->FPdfView1->Page(), 3);
        QCOMPARE(f.Page->eBookPageEdit->value(), 3);
        QCOMPARE(f.Hit(), QStringLiteral("Morgan"));
        // Editing the text drops the hit; so does another page.
        f.Page->eBookSearchEdit->setEditText(QStringLiteral("Morga"));
        QCOMPARE(f.Page->FPdfView1->HitStart(), -1);

        QStringList history;
        for (int i = 0; i < f.Page->eBookSearchEdit->count(); ++i)
            history << f.Page->eBookSearchEdit->itemText(i);
        QCOMPARE(history, (QStringList{"MORGAN", "abc"}));
    }

    void eLinkBindsTheShownPageAndSaves()
    {
        tPageFixture f;
        f.Select(f.DimesNode);
        f.Page->BookListBox->setCurrentRow(0);  // Coins
        f.Page->eBookPageEdit->setValue(3);
        QTest::mouseClick(f.Page->eLinkButton, Qt::LeftButton);
        QCOMPARE(f.Page->BookListBox->item(0)->text(), QStringLiteral("Coins (Page 3)"));
        QVERIFY(f.Page->Library.Books[0].Modified);
        QVERIFY(f.Renders > 0);
        // Again with another page: one binding, the later page.
        f.Page->eBookPageEdit->setValue(1);
        QTest::mouseClick(f.Page->eLinkButton, Qt::LeftButton);
        f.Page->SaveEbookIndexes();
        QVERIFY(!AnyEbookModified(f.Page->Library));
        QFile index(f.Shelf.Dir.filePath(QStringLiteral("Coins.eBook")));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QCOMPARE(index.readAll(), EbookIndexBytes(f.Shelf.CoinsSize, {Cents, Dimes}, {2, 1}));
    }

    void eLinkWithoutAPickedBookDoesNothing()
    {
        tPageFixture f;
        f.Select(f.DimesNode);
        QCOMPARE(f.Page->BookListBox->currentRow(), -1);
        QTest::mouseClick(f.Page->eLinkButton, Qt::LeftButton);
        QVERIFY(!AnyEbookModified(f.Page->Library));
    }

    void savingReportsTheBooksThatFailed()
    {
        tPageFixture f;
        f.Page->Library.Books[0].EbookFileName = f.Shelf.Dir.filePath(QStringLiteral("gone/Coins.eBook"));
        f.Page->Library.Books[0].Modified = true;
        f.Ui.answer(QStringLiteral("OK"));
        f.Page->SaveEbookIndexes();
        QCOMPARE(f.Ui.Messages.size(), size_t(1));
        QVERIFY(f.Ui.Texts().front().contains(QStringLiteral("Coins.eBook")));
        QVERIFY(f.Page->Library.Books[0].Modified);
    }

    void printsTheChosenPagesAndCopies_data()
    {
        QTest::addColumn<bool>("collate");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("collated") << true << QList<int>{2, 3, 2, 3};
        QTest::newRow("not collated") << false << QList<int>{2, 3};
    }
    void printsTheChosenPagesAndCopies()
    {
        QFETCH(bool, collate);
        QFETCH(QList<int>, shown);
        tPageFixture f;
        f.Page->BookListBoxChange();
        const QString out = f.Shelf.Dir.filePath(QStringLiteral("printed.pdf"));
        int dialogPages = 0;
        f.Page->ChoosePrinter = [&](QPrinter &printer, int pageCount) {
            dialogPages = pageCount;
            if (printer.fromPage() != 2 || printer.toPage() != 2)
                return false;  // the dialog offers the shown page
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
            printer.setResolution(72);  // small sheets keep the test quick
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
            printer.setCollateCopies(collate);
            return true;
        };
        QList<int> pages;
        connect(f.Page->eBookPageEdit, &QSpinBox::valueChanged, this, [&pages](int p) { pages << p; });
        QTest::mouseClick(f.Page->PrintEbookButton, Qt::LeftButton);
        QCOMPARE(dialogPages, 3);
        // The page box follows the sheets (it reports a change only).
        pages.prepend(2);
        QCOMPARE(pages, shown);
        QPdfDocument printed;
        QCOMPARE(printed.load(out), QPdfDocument::Error::None);
        QCOMPARE(printed.pageCount(), 4);
    }

    void cancelledPrintDialogPrintsNothing()
    {
        tPageFixture f;
        f.Page->BookListBoxChange();
        f.Page->ChoosePrinter = [](QPrinter &, int) { return false; };
        QTest::mouseClick(f.Page->PrintEbookButton, Qt::LeftButton);
        QCOMPARE(f.Page->eBookPageEdit->value(), 2);
    }

    void setupWindowEditsEveryBook()
    {
        tPageFixture f;
        f.Page->BookListBoxChange();
        f.Page->SetupEbookClick();
        TSetupEbookForm *form = f.Page->SetupForm();
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Orvanta: eBook Setup"));
        QCOMPARE(form->EditList[0]->text(), QStringLiteral("2"));
        QCOMPARE(form->EditList[1]->text(), QString());
        // Clear Coins' page, give Notes page 1, focus Notes.
        form->EditList[0]->clear();
        QTest::keyClicks(form->EditList[1], QStringLiteral("1x2345"));
        QCOMPARE(form->EditList[1]->text(), QStringLiteral("1234"));
        form->EditList[1]->setText(QStringLiteral("1"));
        QTest::mouseClick(form->CheckBoxList[0], Qt::LeftButton);
        QTest::mouseClick(form->CheckBoxList[1], Qt::LeftButton);
        QVERIFY(!form->CheckBoxList[0]->isChecked());
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        QTRY_VERIFY(!f.Page->SetupForm());
        QCOMPARE(BoundPage(f.Page->Library.Books[0], Cents), 0);
        QCOMPARE(BoundPage(f.Page->Library.Books[1], Cents), 1);
        QCOMPARE(f.State.IndicateEBook, 2);
        QVERIFY(f.CentsNode->eIndexed);
        QVERIFY(!f.DimesNode->eIndexed);
        QCOMPARE(f.Page->BookListBox->item(0)->text(), QStringLiteral("Notes (Page 1)"));

        // Cancel changes nothing.
        f.Page->SetupEbookClick();
        f.Page->SetupForm()->EditList[1]->setText(QStringLiteral("9"));
        QTest::mouseClick(f.Page->SetupForm()->Button3, Qt::LeftButton);
        QTRY_VERIFY(!f.Page->SetupForm());
        QCOMPARE(BoundPage(f.Page->Library.Books[1], Cents), 1);
    }

    void aFileThatIsNotAPdfIsReported()
    {
        tPageFixture f;
        QFile bad(f.Shelf.Dir.filePath(QStringLiteral("Coins.pdf")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("this is not a PDF");
        bad.close();
        f.Ui.answer(QStringLiteral("OK"));
        f.Page->BookListBoxChange();
        QCOMPARE(f.Ui.Messages.size(), size_t(1));
        QVERIFY(f.Ui.Texts().front().startsWith(QStringLiteral("This eBook could not be opened")));
        QCOMPARE(f.Page->Label9->text(), QStringLiteral("Page (of 0)"));
        QVERIFY(!f.Page->eBookButtonsLayout->isHidden());
        // A book that is not shown has no page to bind.
        QTest::mouseClick(f.Page->eLinkButton, Qt::LeftButton);
        QVERIFY(!AnyEbookModified(f.Page->Library));
    }
};

QTEST_MAIN(tst_EbooksPage)
#include "tst_ebookspage.moc"
