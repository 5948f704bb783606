#include <QtTest>

#include <QComboBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include "platform/uiservices.h"
#include "reports/bin/ui/reportbinpane.h"
#include "reports/run/ui/reportprint.h"
#include "reports/run/ui/reportpreview.h"
#include "reports/run/ui/reportspage.h"
#include "support/reportfixture.h"
#include "support/scriptedui.h"

namespace {

// A collection with enough coins for a seven-page inventory.
struct tPageFixture : tReportFixture {
    QTemporaryDir Dir;
    // The window's busy indicator: how deep it is on, and how often it came on.
    int Busy = 0;
    int BusyRuns = 0;
    tPageFixture()
    {
        QObject::connect(S.Events.get(), &tStateEvents::ShowBusy, [this](bool on) {
            Busy += on ? 1 : -1;
            BusyRuns += on ? 1 : 0;
        });
        for (int i = 0; i < 120; ++i)
            AddCoin(i % 2 ? Cents : Wheat, 1850 + i, QStringLiteral("P"), i + 1);
        S.ReportsRedirect = Dir.path() + QLatin1Char('/');
    }
};

int Row(const QListWidget *list, const QString &text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == text)
            return i;
    return -1;
}

} // namespace

class tst_ReportsPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { platform::setUserInterface(&ui); ui.reset(); }
    void cleanup() { platform::setUserInterface(nullptr); }

    void listShowsReportsAndDescriptions()
    {
        tPageFixture f;
        f.S.DefaultReport = QStringLiteral("Want list");
        TReportsPage page(f.S);
        page.LoadReportList();  // installs the starter reports into the empty folder
        QCOMPARE(page.ReportListBox->count(), 7);
        QCOMPARE(page.ReportListBox->currentItem()->text().trimmed(), QStringLiteral("Want list"));
        QVERIFY(page.ReportDescriptionLabel->text().isEmpty());  // a reload fires no change
        page.ReportListBox->setCurrentRow(Row(page.ReportListBox, QStringLiteral("Series list")));
        QVERIFY(page.ReportDescriptionLabel->text().startsWith(QLatin1String("The selected series")));
        page.LoadReportList();
        QCOMPARE(page.ReportListBox->currentItem()->text().trimmed(), QStringLiteral("Series list"));
    }

    void previewPagesFollowThePageBox()
    {
        tPageFixture f;
        TReportsPage page(f.S);
        page.resize(900, 700);
        page.show();
        QStringList status;
        connect(&page, &TReportsPage::StatusChanged, this, [&](const QString &t) { status.append(t); });
        page.LoadReportList();
        page.ReportListBox->setCurrentRow(Row(page.ReportListBox, QStringLiteral("Coin inventory")));
        page.ReportTabControl->setCurrentWidget(page.PreviewTab);

        TReportPreview *preview = page.ReportPreview;
        QCOMPARE(preview->PageCount(), 7);
        QStringList processing;
        for (int i = 1; i <= 7; ++i)
            processing.append(QStringLiteral("Processing page %1").arg(i));
        processing.append(QString());
        QCOMPARE(status, processing);
        QCOMPARE(page.Label116->text(), QStringLiteral("of 7"));
        QCOMPARE(page.ReportSpinEdit->maximum(), 7);
        QCOMPARE(page.ReportSpinEdit->value(), 1);
        for (QWidget *w : std::initializer_list<QWidget *>{page.PrintReportBtn, page.ExportReportBtn,
                                                           page.ReportSpinEdit, page.ReportZoomTrackBar})
            QVERIFY(w->isEnabled());
        QVERIFY(f.BusyRuns > 0);
        QCOMPARE(f.Busy, 0);

        // Box to preview and back.
        page.ReportSpinEdit->setValue(2);
        QCOMPARE(preview->CurrentPage(), 2);
        QTest::mouseClick(page.LastPageBtn, Qt::LeftButton);
        QCOMPARE(page.ReportSpinEdit->value(), 7);
        QCOMPARE(preview->CurrentPage(), 7);
        QTest::mouseClick(page.FirstPageBtn, Qt::LeftButton);
        QCOMPARE(preview->CurrentPage(), 1);
        preview->SetPage(2);
        QCOMPARE(page.ReportSpinEdit->value(), 2);
        // Scrolling the preview moves the box too.
        preview->SetZoom(1.0);
        preview->verticalScrollBar()->setValue(preview->verticalScrollBar()->maximum());
        QCOMPARE(preview->CurrentPage(), 7);
        QCOMPARE(page.ReportSpinEdit->value(), 7);

        // Fit width, then the track bar sets the zoom.
        QTest::mouseClick(page.ReportWidthBtn, Qt::LeftButton);
        QCOMPARE(preview->ZoomMode(), TReportPreview::PageWidth);
        QCOMPARE(page.ReportZoomTrackBar->value(), qRound(preview->Zoom() * 100));
        page.ReportZoomTrackBar->setValue(250);
        QCOMPARE(preview->Zoom(), 2.5);
        QCOMPARE(preview->ZoomMode(), TReportPreview::CustomZoom);
        QTest::mouseClick(page.ReportHeightBtn, Qt::LeftButton);
        QVERIFY(preview->Zoom() < 2.5);
    }

    void reportWithoutPagesLeavesControlsDisabled()
    {
        tPageFixture f;
        TReportsPage page(f.S);
        page.LoadReportList();
        page.ReportListBox->setCurrentRow(Row(page.ReportListBox, QStringLiteral("Report bin")));  // empty bin
        page.ReportTabControl->setCurrentWidget(page.PreviewTab);
        QCOMPARE(page.ReportPreview->PageCount(), 0);
        QVERIFY(!page.PrintReportBtn->isEnabled());
        QVERIFY(!page.ReportSpinEdit->isEnabled());
        QVERIFY(!page.Label116->isEnabled());
        QVERIFY(ui.Messages.empty());
    }

    void missingTemplateIsReported()
    {
        tPageFixture f;
        TReportsPage page(f.S);
        page.LoadReportList();
        QVERIFY(QFile::remove(f.Dir.filePath(QStringLiteral("Price list.FR3"))));
        page.ReportListBox->setCurrentRow(Row(page.ReportListBox, QStringLiteral("Price list")));
        page.ReportTabControl->setCurrentWidget(page.PreviewTab);
        QCOMPARE(ui.Texts().size(), 1);
        QVERIFY(ui.Texts()[0].contains(QLatin1String("was not found")));
        QVERIFY(!page.PrintReportBtn->isEnabled());
        QCOMPARE(f.Busy, 0);
    }

    void exportsAndPrintsThePreview()
    {
        tPageFixture f;
        TReportsPage page(f.S);
        page.LoadReportList();
        page.ReportListBox->setCurrentRow(Row(page.ReportListBox, QStringLiteral("Coin inventory")));
        page.ReportTabControl->setCurrentWidget(page.PreviewTab);
        QTemporaryDir out;

        const QString csvPath = out.filePath(QStringLiteral("inventory.csv"));
        ui.pick({csvPath});
        page.ExportComboBox->setCurrentIndex(1);
        QTest::mouseClick(page.ExportReportBtn, Qt::LeftButton);
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readAll().contains("120,1969,P"));
        QCOMPARE(ui.Texts(), QStringList{QStringLiteral("The export process is now complete.")});
        QVERIFY(page.ExportReportBtn->isEnabled());

        // A failed export is reported as such, not as complete.
        ui.Messages.clear();
        ui.pick({out.filePath(QStringLiteral("no/such/folder/x.pdf"))});
        page.ExportComboBox->setCurrentIndex(0);
        QTest::mouseClick(page.ExportReportBtn, Qt::LeftButton);
        QCOMPARE(ui.Texts().size(), 1);
        QVERIFY(ui.Texts()[0].contains(QLatin1String("could not be written")));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out.filePath(QStringLiteral("printed.pdf")));
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        PrintPreparedReport(*page.ReportPreview->Report(), printer);
        QFile pdf(out.filePath(QStringLiteral("printed.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
                 qsizetype(2));
    }

    // An export that was cancelled says nothing; the save dialog keeps its
    // question before replacing a file.
    void cancelledExportSaysNothing()
    {
        tPageFixture f;
        TReportsPage page(f.S);
        page.LoadReportList();
        page.ReportListBox->setCurrentRow(Row(page.ReportListBox, QStringLiteral("Coin inventory")));
        page.ReportTabControl->setCurrentWidget(page.PreviewTab);
        ui.pick({});
        QTest::mouseClick(page.ExportReportBtn, Qt::LeftButton);
        QCOMPARE(ui.FileRequests.size(), size_t(1));
        QVERIFY(ui.FileRequests[0].ConfirmOverwrite);
        QVERIFY(ui.Messages.empty());
        QVERIFY(page.ExportReportBtn->isEnabled());
    }

    // The corner buttons choose the panes; the bin's button and pane are
    // there only while the bin holds entries.
    void cornerButtonsAndTheBinPane()
    {
        tPageFixture f;
        TReportsPage page(f.S);
        page.LoadReportList();
        QList<int> counts;
        connect(&page, &TReportsPage::BinCountChanged, this, [&](int n) { counts << n; });
        page.ShowBinCount();
        QVERIFY(page.CornerButton3->isHidden());
        QCOMPARE(page.CornerButton1->property("StyleLookup").toString(), QStringLiteral("CornerButtonStyleDown"));
        QTest::mouseClick(page.CornerButton2, Qt::LeftButton);
        QCOMPARE(page.ReportTabControl->currentWidget(), page.PreviewTab);
        QCOMPARE(page.CornerButton2->property("StyleLookup").toString(), QStringLiteral("CornerButtonStyleDown"));
        QCOMPARE(page.CornerButton1->property("StyleLookup").toString(), QStringLiteral("CornerButtonStyleUp"));
        QCOMPARE(page.CornerButton2->width(), 133);

        f.S.CoinList[3]->InBin = true;
        f.S.CoinList[7]->InBin = true;
        page.ShowBinCount();
        QCOMPARE(counts.last(), 2);
        QVERIFY(!page.CornerButton3->isHidden());
        QTest::mouseClick(page.CornerButton3, Qt::LeftButton);
        QTableWidget *grid = page.BinPane->BinGrid;
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(page.CornerButton3->width(), 123);

        // Moved columns keep their content.
        grid->horizontalHeader()->moveSection(0, 5);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Item"));
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("4"));
        QCOMPARE(grid->horizontalHeader()->visualIndex(0), 5);

        // Removing rows: the last one clamps the current row, and the
        // last entry out brings the description back.
        grid->setCurrentCell(1, 0);
        QTest::mouseClick(page.BinPane->RemoveFromBinBtn, Qt::LeftButton);
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->currentRow(), 0);
        QTest::mouseClick(page.BinPane->RemoveFromBinBtn, Qt::LeftButton);
        QCOMPARE(counts.last(), 0);
        QVERIFY(page.CornerButton3->isHidden());
        QCOMPARE(page.ReportTabControl->currentWidget(), page.DescriptionTab);
        QVERIFY(f.S.DataModified);
    }

    // The bin's pictures: the entry's own, or its series' (through the
    // main window's picture paths); a missing file hides its box.
    void binPicturesOfTheCurrentRow()
    {
        tPageFixture f;
        QTemporaryDir pics;
        const QString obverse = pics.filePath(QStringLiteral("obv.png"));
        const QString series = pics.filePath(QStringLiteral("series.png"));
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(img.save(obverse) && img.save(series));
        tCoinInfo &coin = *f.S.CoinList[0];
        coin.InBin = true;
        coin.Obverse = obverse;
        coin.Reverse = pics.filePath(QStringLiteral("gone.png"));
        TReportsPage page(f.S);
        page.resize(1000, 700);
        page.show();
        page.BinPane->SeriesPicturePath = [&](const tnodeinfo &, bool front) { return front ? QString() : series; };
        page.ShowBinCount();
        QTest::mouseClick(page.CornerButton3, Qt::LeftButton);
        TReportBinPane *bin = page.BinPane;
        QVERIFY(bin->BinRadioButton2->isChecked());
        QVERIFY(bin->ImageControl1->isVisible());
        QCOMPARE(bin->ImageControl1->property("PicturePath").toString(), obverse);
        QVERIFY(!bin->ImageControl2->isVisible());
        bin->BinRadioButton1->setChecked(true);
        QVERIFY(!bin->ImageControl1->isVisible());
        QVERIFY(bin->ImageControl2->isVisible());
        QCOMPARE(bin->ImageControl2->property("PicturePath").toString(), series);
    }

private:
    tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
};

QTEST_MAIN(tst_ReportsPage)
#include "tst_reportspage.moc"
