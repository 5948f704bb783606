#include <QtTest>

#include <QListWidget>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>

#include "browse/shell/pageswitch.h"
#include "pricing/pricelists/pricelist.h"
#include "reports/editor/ui/reporteditorform.h"
#include "reports/filters/ui/dataform.h"
#include "reports/run/paraminfo.h"
#include "reports/run/ui/reportpreview.h"
#include "reports/run/ui/reportspage.h"
#include "support/programfixture.h"
#include "support/programsteps.h"
#include "support/treefixture.h"

namespace {

constexpr Money U = MoneyScale;

// A collection as a collector would have entered it: cents priced in two
// grades, held in both, and a note held at a locked price.
void BuildCollection(tMainState &s)
{
    const QHash<QString, tnodeinfo *> n = BuildTree(s, QStringLiteral("Cents #1000001\nNotes #1000010"));
    n.value("Notes")->CoinShape = PaperMoneyShape;
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = 1000001;
    p->Year = 1909;
    p->Value[7] = 3 * U;    // F-12
    p->Value[12] = 8 * U;   // VF-35
    s.PriceList.push_back(std::move(p));
    PriceListChanged(s);
    auto coin = [&](const char *series, int year, int grade, int have, int item) -> tCoinInfo & {
        auto c = std::make_unique<tCoinInfo>();
        c->Folder = n.value(QString::fromLatin1(series));
        c->CoinType = c->Folder->CoinType;
        c->Year = year;
        c->Grade = grade;
        c->Have = have;
        c->Inventory = item;
        s.CoinList.push_back(std::move(c));
        return *s.CoinList.back();
    };
    coin("Cents", 1909, 7, 2, 1);
    coin("Cents", 1909, 12, 1, 2);
    tCoinInfo &note = coin("Notes", 1928, 3, 1, 3);
    note.BuyLock = true;
    note.BuyPrice = 45 * U + 5000;
    s.SelectedTreeNode = s.EntireCollection.get();
    s.DataModified = true;
}

} // namespace

// The Reports page of the running program: the priced inventory is chosen
// in the list, previews with its subtotals and total, and prints to a PDF
// file.
class tst_Reports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pricedInventoryPreviewsAndPrints()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        BuildCollection(program.State());
        form.PageTabs->setEnabled(true);
        // As after a collection is read: the report list is loaded (and the
        // starter reports installed into the empty reports folder).
        Q_EMIT program.State().Events->LoadReportList();

        QTabBar *tabs = form.PageTabs->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(form.PageTabs->indexOf(form.TabReports)).center());
        auto *page = form.findChild<TReportsPage *>();
        QVERIFY(page);
        QListWidget *list = page->ReportListBox;
        QList<QListWidgetItem *> found = list->findItems(QStringLiteral("Coin inventory"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->setCurrentItem(found.front());
        auto *previewButton = form.findChild<QPushButton *>(QStringLiteral("CornerButton2"));
        QVERIFY(previewButton);
        QTest::mouseClick(previewButton, Qt::LeftButton);
        QCOMPARE(page->ReportTabControl->currentWidget(), page->PreviewTab);

        QCOMPARE(page->ReportPreview->PageCount(), 1);
        const QStringList texts = page->ReportPreview->Report()->PageTexts(0);
        // Cents: 2 x 3.00 + 1 x 8.00; the note 45.50 at its locked price.
        QVERIFY(texts.contains(QStringLiteral("Subtotal of Cents: 2 entries, 3 pieces")));
        QVERIFY(texts.contains(QStringLiteral("14.00")));
        QVERIFY(texts.contains(QStringLiteral("45.50")));
        QVERIFY(texts.contains(QStringLiteral("Total value of 3 entries, 4 pieces (USD)")));
        QVERIFY(texts.contains(QStringLiteral("59.50")));

        QTemporaryDir out;
        const QString pdfPath = out.filePath(QStringLiteral("inventory.pdf"));
        int offered = 0;
        page->ChoosePrinter = [&](QPrinter &printer, int pageCount) {
            offered = pageCount;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            return true;
        };
        QVERIFY(page->PrintReportBtn->isEnabled());
        QTest::mouseClick(page->PrintReportBtn, Qt::LeftButton);
        QCOMPARE(offered, 1);
        QPdfDocument pdf;
        QCOMPARE(pdf.load(pdfPath), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 1);
        const QString printed = pdf.getAllText(0).text().simplified();
        QVERIFY2(printed.contains(QLatin1String("Total value of 3 entries, 4 pieces (USD)")), qPrintable(printed));
        QVERIFY(printed.contains(QLatin1String("59.50")));
        QVERIFY(program.Ui.Messages.empty());
    }

    // A long inventory: the page box and the preview follow each other, and
    // the zoom bar drives the preview.
    void pageBoxAndPreviewStayInStep()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        BuildCollection(program.State());
        tMainState &s = program.State();
        for (int i = 0; i < 150; ++i) {
            auto c = std::make_unique<tCoinInfo>(*s.CoinList.front());
            c->Inventory = 10 + i;
            c->Year = 1800 + i;
            s.CoinList.push_back(std::move(c));
        }
        form.PageTabs->setEnabled(true);
        Q_EMIT s.Events->LoadReportList();
        ClickTab(form, PageReports);
        auto *page = form.findChild<TReportsPage *>();
        page->ReportListBox->setCurrentItem(
            page->ReportListBox->findItems(QStringLiteral("Coin inventory"), Qt::MatchExactly).front());
        QTest::mouseClick(page->CornerButton2, Qt::LeftButton);
        const int pages = page->ReportPreview->PageCount();
        QVERIFY(pages > 3);
        QCOMPARE(page->Label116->text(), QStringLiteral("of %1").arg(pages));
        QTest::mouseClick(page->LastPageBtn, Qt::LeftButton);
        QCOMPARE(page->ReportPreview->CurrentPage(), pages);
        page->ReportSpinEdit->setValue(2);
        QCOMPARE(page->ReportPreview->CurrentPage(), 2);
        page->ReportPreview->SetPage(3);
        QCOMPARE(page->ReportSpinEdit->value(), 3);
        // At most four digits go into the box.
        page->ReportSpinEdit->selectAll();
        QTest::keyClicks(page->ReportSpinEdit, QStringLiteral("12345"));
        QVERIFY(page->ReportSpinEdit->text().size() <= 4);
        QTest::mouseClick(page->ReportWidthBtn, Qt::LeftButton);
        page->ReportZoomTrackBar->setValue(250);
        QCOMPARE(page->ReportPreview->Zoom(), 2.5);
        // Leaving and entering the page shows the description again, with
        // the zoom bar showing the preview's zoom.
        ClickTab(form, PageSeries);
        ClickTab(form, PageReports);
        QCOMPARE(page->ReportTabControl->currentWidget(), page->DescriptionTab);
        QCOMPARE(page->ReportZoomTrackBar->value(), 250);
    }

    // Tools > Report Editing > Filters and Sorting: the selected report's
    // template is chosen, an edit reaches its parameter file on OK, and the
    // report list is reloaded from the files.
    void filtersWindowEditsAndSavesEveryTemplate()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        BuildCollection(program.State());
        tMainState &s = program.State();
        form.PageTabs->setEnabled(true);
        Q_EMIT s.Events->LoadReportList();
        auto *page = form.findChild<TReportsPage *>();
        page->ReportListBox->setCurrentItem(
            page->ReportListBox->findItems(QStringLiteral("Want list"), Qt::MatchExactly).front());
        const QString folder = s.ReportsRedirect;
        const QDateTime before = QFileInfo(QDir(folder).filePath(QStringLiteral("Price list.FrF"))).lastModified();

        program.Trigger(QStringLiteral("ReportData1"));
        auto *filters = form.findChild<TDataForm *>();
        QVERIFY(filters);
        QCOMPARE(filters->windowTitle(), QStringLiteral("Orvanta: Report Filters and Sorting"));
        QVERIFY(filters->isVisible());
        QCOMPARE(filters->ListBox1->currentItem()->text(), QStringLiteral("Want list"));
        QVERIFY(filters->DatabaseBoxes[1]->isChecked());   // Coins
        QVERIFY(!filters->DatabaseBoxes[0]->isChecked());  // not Prices
        QVERIFY(filters->QuantityBoxes[1]->isChecked() && !filters->QuantityBoxes[0]->isChecked());
        // A second command brings the same window forward.
        program.Trigger(QStringLiteral("ReportData1"));
        QCOMPARE(form.findChildren<TDataForm *>().size(), 1);

        filters->SortComboBoxes[1]->setCurrentIndex(SortGrade);
        filters->QuantityBoxes[3]->setChecked(true);
        filters->ComboBox4->setCurrentIndex(3);
        filters->SeriesRadios[10]->setChecked(true);
        filters->Memo2->setPlainText(QStringLiteral("Needs, by grade."));
        QTest::qWait(1100);  // the files' times must be able to differ
        QTest::mouseClick(filters->OKButton, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form.findChild<TDataForm *>());

        tParamInfo back;
        LoadParamInfo(folder, QStringLiteral("Want list"), back);
        QCOMPARE(back.CoinSort[1], int32_t(SortGrade));
        QCOMPARE(int(back.QuantityFilter), QuantityNeed | QuantitySold);
        QCOMPARE(back.ForexSort, 4);
        QCOMPARE(back.SeriesPurgeMask, 10);
        QCOMPARE(back.description, QStringLiteral("Needs, by grade."));
        // Every parameter file is written again, changed or not.
        QVERIFY(QFileInfo(QDir(folder).filePath(QStringLiteral("Price list.FrF"))).lastModified() > before);
        QCOMPARE(page->ReportDescriptionLabel->text(), QStringLiteral("Needs, by grade."));

        // Cancel drops the edits.
        program.Trigger(QStringLiteral("ReportData1"));
        filters = form.findChild<TDataForm *>();
        filters->SortComboBoxes[0]->setCurrentIndex(SortMint);
        QTest::mouseClick(filters->CancelButton, Qt::LeftButton);
        LoadParamInfo(folder, QStringLiteral("Want list"), back);
        QCOMPARE(back.CoinSort[0], int32_t(SortSeriesOrder));
    }

    // Tools > Report Editing > Report Editor: the coin fields with the user
    // fields' labels once, names copied as a template prints them, the
    // template handed to the system's editor, and the list reloaded after.
    void reportEditorListsFieldsAndOpensTemplates()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        BuildCollection(program.State());
        tMainState &s = program.State();
        auto udf = std::make_unique<tUDFfield>();
        udf->FieldLabel = QStringLiteral("Pedigree");
        s.UDFlist.push_back(std::move(udf));
        form.PageTabs->setEnabled(true);
        Q_EMIT s.Events->LoadReportList();
        auto *page = form.findChild<TReportsPage *>();
        const int reports = page->ReportListBox->count();

        for (int round = 0; round < 2; ++round) {
            program.Trigger(QStringLiteral("ReportEditor1"));
            auto *editor = form.findChild<TReportEditorForm *>();
            QVERIFY(editor && editor->isVisible());
            QTreeWidgetItem *coins = editor->FieldBrowser->topLevelItem(0);
            QCOMPARE(coins->text(0), QStringLiteral("Coins"));
            int pedigree = 0;
            for (int i = 0; i < coins->childCount(); ++i)
                pedigree += coins->child(i)->text(0) == QLatin1String("Pedigree");
            QCOMPARE(pedigree, 1);
            QCOMPARE(coins->child(coins->childCount() - 1)->text(0), QStringLiteral("Pedigree"));
            editor->FieldBrowser->setCurrentItem(coins->child(coins->childCount() - 1));
            QTest::mouseClick(editor->CopyFieldBtn, Qt::LeftButton);
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("[Coins.\"Pedigree\"]"));

            QStringList opened;
            editor->OpenInEditor = [&](const QString &path) { opened << path; };
            editor->TemplateBox->setCurrentIndex(editor->TemplateBox->findText(QStringLiteral("Want list")));
            QTest::mouseClick(editor->EditTemplateBtn, Qt::LeftButton);
            QCOMPARE(opened, QStringList{QDir(s.ReportsRedirect).filePath(QStringLiteral("Want list.FR3"))});
            // A template saved meanwhile under a new name is listed once
            // the editor closes.
            if (round == 0)
                QVERIFY(QFile::copy(opened.front(), QDir(s.ReportsRedirect).filePath(QStringLiteral("My wants.FR3"))));
            QTest::mouseClick(editor->CloseBtn, Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!form.findChild<TReportEditorForm *>());
            QCOMPARE(page->ReportListBox->count(), reports + 1);
        }
    }
};

QTEST_MAIN(tst_Reports)
#include "tst_reports.moc"
