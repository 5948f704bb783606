#include <QtTest>

#include <QListWidget>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include "pricing/pricelists/pricelist.h"
#include "reports/run/ui/reportpreview.h"
#include "reports/run/ui/reportspage.h"
#include "support/programfixture.h"
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
        form.TabControl1->setEnabled(true);
        // As after a collection is read: the report list is loaded (and the
        // starter reports installed into the empty reports folder).
        CallSeam(program.State().Hooks.LoadReportList);

        QTabBar *tabs = form.TabControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(form.TabControl1->indexOf(form.TabReports)).center());
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
};

QTEST_MAIN(tst_Reports)
#include "tst_reports.moc"
