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

#include "browse/countries/ui/collectioncommands.h"
#include "browse/countries/ui/countryform.h"
#include "browse/shell/pageswitch.h"
#include "core/model/seriestree.h"
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

// Selects series, opens "Edit eBook" from the series menu, optionally binds
// the first book at page, focuses that book and presses OK. False when the
// setup window did not open or did not close.
bool FocusFirstBook(tProgramFixture &program, tnodeinfo *series, const QString &page = {})
{
    TMainForm &form = program.Form();
    ClickSeries(form, series);
    program.Trigger(QStringLiteral("SetupEbook"));
    auto *ebooks = form.findChild<TEbooksPage *>();
    if (!ebooks || !QTest::qWaitFor([ebooks] { return ebooks->SetupForm() != nullptr; }))
        return false;
    QWidget *setup = ebooks->SetupForm();
    if (!page.isEmpty())
        setup->findChild<QLineEdit *>(QStringLiteral("PageEdit0"))->setText(page);
    QTest::mouseClick(setup->findChild<QWidget *>(QStringLiteral("FocusBox0")), Qt::LeftButton);
    QTest::mouseClick(setup->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    return QTest::qWaitFor([ebooks] { return ebooks->SetupForm() == nullptr; });
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
        QVERIFY(!program.Form().PageTabs->isTabVisible(PageEbooks));
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
        QVERIFY(form.PageTabs->isTabVisible(PageEbooks));
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
        QVERIFY(FocusFirstBook(program, series, QStringLiteral("2")));
        QCOMPARE(program.State().IndicateEBook, 1);
        QVERIFY(series->eIndexed);
        QCOMPARE(Control<QListWidget>(form, "BookListBox")->item(0)->text(), QStringLiteral("Notes (Page 2)"));
        QVERIFY(program.Action(QStringLiteral("SaveEbookData1"))->isVisible());
    }

    // A country added from the Countries Explorer brings series the focused
    // eBook indexes: they are marked in the tree at once, like the rest.
    void addedCountryIsMarkedForTheFocusedBook()
    {
        constexpr int32_t CanadaSeries = 31001;
        tProgramFixture program;
        StartWithNewCollection(program);
        QVERIFY(!CoinTypeToNodeInfo(program.State(), CanadaSeries));
        const QString folder = program.State().EbooksRedirect;
        QVERIFY(QDir().mkpath(folder));
        const qint64 size = WriteTestPdf(folder + QStringLiteral("Canada.pdf"), {{QStringLiteral("Cents")}});
        WriteEbookIndex(folder + QStringLiteral("Canada.eBook"), size, {CanadaSeries}, {1});
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        QVERIFY(FocusFirstBook(program, SomeSeries(program.State())));
        QCOMPARE(program.State().IndicateEBook, 1);

        program.Trigger(QStringLiteral("Addcountries1"));
        auto *commands = form.findChild<TCollectionCommands *>(QStringLiteral("CollectionCommands"));
        QVERIFY(commands && commands->CountryForm);
        TCountryForm *explorer = commands->CountryForm.data();
        QListWidget *countries = explorer->cListBox;
        countries->clearSelection();
        for (int row = 0; row < countries->count(); ++row)
            if (countries->item(row)->text() == QStringLiteral("Canada")) {
                countries->setCurrentRow(row);
                countries->item(row)->setSelected(true);
            }
        explorer->UpdateSelection(false);
        explorer->AddLocationBtn->click();
        const tnodeinfo *canada = CoinTypeToNodeInfo(program.State(), CanadaSeries);
        QVERIFY(canada);
        QVERIFY(canada->eIndexed);
        explorer->close();
    }
    // A catalogue locked with a password cannot be shown: the collector is
    // told which one and why, and the page stays empty.
    void lockedCatalogueIsRefusedWithItsReason()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        tnodeinfo *series = SomeSeries(program.State());
        QVERIFY(series);
        const int32_t number = series->CoinType;
        const QString folder = program.State().EbooksRedirect;
        QVERIFY(QDir().mkpath(folder));
        const qint64 size = WriteLockedPdf(folder + QStringLiteral("Locked.pdf"));
        QVERIFY(size > 0);
        WriteEbookIndex(folder + QStringLiteral("Locked.eBook"), size, {number}, {1});
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        series = SeriesNumbered(program.State(), number);
        ClickSeries(form, series);
        program.Ui.reset();
        ClickTab(form, PageEbooks);
        QCOMPARE(program.Ui.Texts().size(), 1);
        QVERIFY2(program.Ui.Texts().front().startsWith(
                     QStringLiteral("This eBook is protected by a password and cannot be shown:\n")),
                 qPrintable(program.Ui.Texts().front()));
        QVERIFY(program.Ui.Texts().front().contains(QStringLiteral("Locked")));
        QCOMPARE(Control<QSpinBox>(form, "eBookPageEdit")->maximum(), 1);
    }
};

QTEST_MAIN(tst_Ebooks)
#include "tst_ebooks.moc"
