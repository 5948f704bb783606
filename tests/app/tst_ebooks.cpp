// The eBooks page of the running program: a catalogue in the eBooks folder
// opens at the page bound to the selected series, the search finds a word
// on a later page, eLink binds the shown page, and the binding reaches the
// index file through "Save eBook changes" and through the closing question.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "browse/shell/pageswitch.h"
#include "core/model/mainstate.h"
#include "reports/ebooks/ebookindex.h"
#include "reports/ebooks/ui/ebookspage.h"
#include "reports/ebooks/ui/pdfpageview.h"
#include "reports/ebooks/ui/setupebookform.h"
#include "support/pdffixture.h"
#include "support/programfixture.h"
#include "support/programsteps.h"

namespace {

// A series of the sample catalogue without children.
tnodeinfo *SomeSeries(tMainState &s)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&found](tnodeinfo *n) {
        if (!found && n->ParentNode && n->ParentNode->ParentNode && n->ChildNodes.empty())
            found = n;
    });
    return found;
}

tnodeinfo *SeriesNumbered(tMainState &s, int32_t number)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (n->CoinType == number)
            found = n;
    });
    return found;
}

QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_Ebooks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueOpensAtTheBoundPageAndIsSearched()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        // An empty eBooks folder: no eBooks page.
        QVERIFY(!program.Form().TabControl1->isTabVisible(PageEbooks));
        tnodeinfo *series = SomeSeries(program.State());
        QVERIFY(series);
        const int32_t number = series->CoinType;
        const QString folder = program.State().EbooksRedirect;
        QVERIFY(QDir().mkpath(folder));
        const qint64 size = WriteTestPdf(folder + QStringLiteral("World Coins.pdf"),
                                         {{QStringLiteral("Introduction")},
                                          {QStringLiteral("Cents and dimes")},
                                          {QStringLiteral("Morgan dollars")}});
        const QString index = folder + QStringLiteral("World Coins.eBook");
        WriteEbookIndex(index, size, {number}, {2});

        // The library is read at start-up.
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        QVERIFY(form.TabControl1->isTabVisible(PageEbooks));
        series = SeriesNumbered(program.State(), number);
        QVERIFY(series);
        ClickSeries(form, series);
        QCOMPARE(program.State().SelectedTreeNode, series);
        ClickTab(form, PageEbooks);

        auto *picker = Control<QListWidget>(form, "BookListBox");
        QCOMPARE(picker->count(), 1);
        QCOMPARE(picker->item(0)->text(), QStringLiteral("World Coins (Page 2)"));
        auto *pageBox = Control<QSpinBox>(form, "eBookPageEdit");
        QCOMPARE(pageBox->value(), 2);
        // "Label9" also names a label of the series properties window.
        QCOMPARE(Control<TEbooksPage>(form, "EbooksPage")->findChild<QLabel *>(QStringLiteral("Label9"))->text(),
                 QStringLiteral("Page (of 3)"));
        auto *view = Control<TPdfPageView>(form, "FPdfView1");
        QCOMPARE(view->Page(), 2);

        auto *search = Control<QComboBox>(form, "eBookSearchEdit");
        search->lineEdit()->clear();
        QTest::keyClicks(search->lineEdit(), QStringLiteral("dollars"));
        QTest::keyClick(search->lineEdit(), Qt::Key_Return);
        QCOMPARE(view->Page(), 3);
        QCOMPARE(pageBox->value(), 3);
        QVERIFY(view->HitStart() >= 0);

        // eLink binds the shown page; "Save eBook changes" writes it.
        QAction *save = program.Action(QStringLiteral("SaveEbookData1"));
        QVERIFY(!save->isVisible());
        QTest::mouseClick(Control<QPushButton>(form, "eLinkButton"), Qt::LeftButton);
        QCOMPARE(picker->item(0)->text(), QStringLiteral("World Coins (Page 3)"));
        QVERIFY(save->isVisible());
        QVERIFY(save->isEnabled());
        program.Trigger(QStringLiteral("SaveEbookData1"));
        QCOMPARE(FileBytes(index), EbookIndexBytes(size, {number}, {3}));
        QVERIFY(!save->isVisible());

        // An unsaved binding is offered when the program closes.
        pageBox->setValue(1);
        QTest::mouseClick(Control<QPushButton>(form, "eLinkButton"), Qt::LeftButton);
        program.State().DataModified = false;
        program.State().PricesModified = false;
        program.Ui.reset();
        program.Ui.answer(QStringLiteral("Save"));
        QVERIFY(program.Close());
        QCOMPARE(program.Ui.Texts().size(), 1);
        QVERIFY(program.Ui.Texts().front().startsWith(QStringLiteral("Your eBook changes have not been saved.")));
        QCOMPARE(FileBytes(index), EbookIndexBytes(size, {number}, {1}));
    }

    // "Edit eBook" in the series menu opens the setup window; focusing the
    // book marks the series in the tree.
    void editEbookFocusesTheBook()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        const QString folder = program.State().EbooksRedirect;
        QVERIFY(QDir().mkpath(folder));
        WriteTestPdf(folder + QStringLiteral("Notes.pdf"), {{QStringLiteral("Notes")}, {QStringLiteral("More")}});
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tnodeinfo *series = SomeSeries(program.State());
        ClickSeries(form, series);
        program.Trigger(QStringLiteral("SetupEbook"));
        auto *page = form.findChild<TEbooksPage *>();
        QVERIFY(page);
        QTRY_VERIFY(page->SetupForm());
        page->SetupForm()->findChild<QLineEdit *>(QStringLiteral("PageEdit0"))->setText(QStringLiteral("2"));
        QTest::mouseClick(page->SetupForm()->findChild<QWidget *>(QStringLiteral("FocusBox0")), Qt::LeftButton);
        QTest::mouseClick(page->SetupForm()->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        QTRY_VERIFY(!page->SetupForm());
        QCOMPARE(program.State().IndicateEBook, 1);
        QVERIFY(series->eIndexed);
        QCOMPARE(Control<QListWidget>(form, "BookListBox")->item(0)->text(), QStringLiteral("Notes (Page 2)"));
        QVERIFY(program.Action(QStringLiteral("SaveEbookData1"))->isVisible());
    }
};

QTEST_MAIN(tst_Ebooks)
#include "tst_ebooks.moc"
