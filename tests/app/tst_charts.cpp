#include <QtTest>

#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QImageReader>
#include <QLegend>
#include <QPdfDocument>
#include <QPieSeries>
#include <QPrinter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSlider>
#include <QStackedBarSeries>
#include <QTemporaryDir>

#include "browse/shell/pageswitch.h"
#include "core/model/seriestree.h"
#include "reports/charts/ui/chartcanvas.h"
#include "reports/charts/ui/chartspage.h"
#include "support/coinspagedriver.h"
#include "support/programfixture.h"
#include "support/programsteps.h"

// The Graphs page of the running program: every chart of a series with
// entries drawn, the backgrounds, the track bars, saving and printing.
namespace {

constexpr int VF20 = 9;
constexpr int AU50 = 15;

// Entries of one priced series of the new collection: two graded VF-20 and
// AU-50 by two services (one written with a trailing blank), one in a proof
// grade and one without a service.
tnodeinfo *CollectionWithEntries(tProgramFixture &program)
{
    StartWithNewCollection(program);
    tMainState &s = program.State();
    tnodeinfo *series = PricedSeries(s).front();
    const tPriceInfo *price = nullptr;
    for (const auto &p : s.PriceList)
        if (p->CoinType == series->CoinType && !price)
            price = p.get();
    auto coin = [&](int grade, int have, const char *gradedBy) {
        auto c = std::make_unique<tCoinInfo>();
        c->Folder = series;
        c->CoinType = series->CoinType;
        c->Year = price->Year;
        c->Mint = price->Mint;
        c->Variety = price->Variety;
        c->Grade = grade;
        c->Have = have;
        c->BuyPrice = 2 * MoneyScale;
        c->Gradedby = QString::fromLatin1(gradedBy);
        c->Inventory = static_cast<int>(s.CoinList.size()) + 1;
        s.CoinList.push_back(std::move(c));
    };
    coin(VF20, 2, "PCGS ");
    coin(AU50, 1, "PCGS");
    coin(32, 1, "NGC");
    coin(AU50, 1, "");
    CalcNodeEntries(s);
    ClickSeries(program.Form(), series);
    return series;
}

// The share of pixels where two pictures of the same size differ.
double Differing(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 n = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            n += p[col] != q[col];
    }
    return double(n) / (double(x.width()) * x.height());
}

} // namespace

class tst_Charts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each of the six charts is drawn for the series, from the picker on the
    // Graphs tab, and differs visibly from the page with no chart.
    void everyChartIsDrawn()
    {
        tProgramFixture program;
        CollectionWithEntries(program);
        TMainForm &form = program.Form();
        QVERIFY(form.PageTabs->isTabVisible(PageGraphs));
        ClickTab(form, PageGraphs);
        auto *page = form.findChild<TChartsPage *>();
        QVERIFY(page);
        QVERIFY(page->isVisible());
        QCOMPARE(form.ChartPickerComboBox, page->ChartPickerComboBox);
        // Each build puts a new chart into the view.
        auto chart = [page] { return page->Chart1->chart(); };

        // The page change built the first chart: seven grades VF-20..AU-50.
        QCOMPARE(chart()->series().size(), 1);
        auto *bars = qobject_cast<QStackedBarSeries *>(chart()->series().front());
        QVERIFY(bars);
        QCOMPARE(bars->count(), 7);
        QCOMPARE(bars->barSets().front()->label(), QStringLiteral("VF-20"));
        QCOMPARE(bars->barSets().front()->at(0), 2.0);
        QCOMPARE(page->Chart1->LegendTitle(), QStringLiteral("Grade distribution"));
        QVERIFY(chart()->title().contains(form.State.SelectedTreeNode->NodeName.toHtmlEscaped()));

        page->ChartPickerComboBox->setCurrentIndex(-1);
        const QImage none = page->RenderChart();
        QVERIFY(chart()->series().isEmpty());

        for (int choice = 0; choice < ChartChoiceCount; ++choice) {
            Pick(page->ChartPickerComboBox, choice);
            const QImage drawn = page->RenderChart();
            QVERIFY2(Differing(drawn, none) > 0.02, qPrintable(ChartChoiceName(choice)));
            QCOMPARE(chart()->series().size(), 1);
        }
        // The pie of the grading services: "PCGS " and "PCGS" are one slice.
        auto *pie = qobject_cast<QPieSeries *>(chart()->series().front());
        QVERIFY(pie);
        QCOMPARE(pie->count(), 3);
        // Drawn as rich text, so "<none>" is written escaped.
        QCOMPARE(pie->slices().at(0)->label(), QStringLiteral("&lt;none&gt; 25% (1)"));
        QCOMPARE(pie->slices().at(2)->label(), QStringLiteral("PCGS 50% (2)"));
        QCOMPARE(page->View().Zoom, 105);

        Pick(page->ChartPickerComboBox, ChartGradeYear);
        auto *points = qobject_cast<QScatterSeries *>(chart()->series().front());
        QVERIFY(points);
        QCOMPARE(points->count(), 3);  // the proof entry is left out
        QVERIFY(program.Ui.Messages.empty());

        // File > New: nothing of the old collection stays on the page.
        Pick(page->ChartPickerComboBox, ChartGrades);
        QVERIFY(!chart()->series().isEmpty());
        program.State().DataModified = false;
        program.Trigger(QStringLiteral("MenuItem17"));
        Settle();
        for (QAbstractSeries *series : chart()->series()) {
            auto *bars = qobject_cast<QStackedBarSeries *>(series);
            QVERIFY(bars);
            QCOMPARE(bars->count(), 0);
        }
    }

    // Under a German locale the slices write their shares with a decimal comma.
    void germanDecimals()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        tProgramFixture program;
        CollectionWithEntries(program);
        TMainForm &form = program.Form();
        ClickTab(form, PageGraphs);
        auto *page = form.findChild<TChartsPage *>();
        QVERIFY(page);
        // One slice in eight: four more entries without a service.
        Pick(page->ChartPickerComboBox, ChartGradedBy);
        auto *pie = qobject_cast<QPieSeries *>(page->Chart1->chart()->series().front());
        QVERIFY(pie);
        QCOMPARE(pie->slices().at(1)->label(), QStringLiteral("NGC 25% (1)"));
        tMainState &s = program.State();
        for (int i = 0; i < 4; ++i) {
            auto c = std::make_unique<tCoinInfo>(*s.CoinList.front());
            c->Gradedby = QStringLiteral("ANACS");
            s.CoinList.push_back(std::move(c));
        }
        page->BuildCollectionChart();
        pie = qobject_cast<QPieSeries *>(page->Chart1->chart()->series().front());
        QCOMPARE(pie->slices().at(2)->label(), QStringLiteral("NGC 12,5% (1)"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Saving writes a Windows bitmap of the chart under the proposed name in
    // the collection's folder; a PNG name writes a PNG. Printing prints one
    // page.
    void chartIsSavedAndPrinted()
    {
        tProgramFixture program;
        CollectionWithEntries(program);
        TMainForm &form = program.Form();
        ClickTab(form, PageGraphs);
        auto *page = form.findChild<TChartsPage *>();
        QVERIFY(page);
        const QImage shown = page->RenderChart();

        QTemporaryDir out;
        const QString bmp = out.filePath(QStringLiteral("Orvanta Chart.BMP"));
        program.Ui.pick({bmp});
        QTest::mouseClick(page->SaveGraphBtn, Qt::LeftButton);
        QCOMPARE(program.Ui.FileRequests.size(), size_t(1));
        const platform::FileRequest &asked = program.Ui.FileRequests.back();
        QCOMPARE(asked.Title, QStringLiteral("Save this chart to a file"));
        QCOMPARE(QFileInfo(asked.FileName).fileName(), QStringLiteral("Orvanta Chart.BMP"));
        QFile file(bmp);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        file.close();
        QImage read(bmp);
        QCOMPARE(read.size(), shown.size());
        QVERIFY(Differing(read, shown) < 0.001);

        const QString png = out.filePath(QStringLiteral("chart.png"));
        program.Ui.pick({png});
        QTest::mouseClick(page->SaveGraphBtn, Qt::LeftButton);
        QImageReader reader(png);
        QCOMPARE(reader.format(), QByteArray("png"));

        // Cancelled: nothing written, nothing asked.
        program.Ui.pick({});
        QTest::mouseClick(page->SaveGraphBtn, Qt::LeftButton);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), 2);

        const QString pdf = out.filePath(QStringLiteral("chart.pdf"));
        page->ChoosePrinter = [&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        QTest::mouseClick(page->PrintGraphBtn, Qt::LeftButton);
        QPdfDocument doc;
        QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
        QCOMPARE(doc.pageCount(), 1);
        QVERIFY(program.Ui.Messages.empty());
        QVERIFY(program.Ui.Errors.empty());
    }

    // The backgrounds: the gradients, a series picture centred behind the
    // chart, and the "Silver" gradient where the picture is missing or
    // cannot be read. The track bars move the legend and keep the spin.
    void backgroundsAndTrackBars()
    {
        tProgramFixture program;
        tnodeinfo *series = CollectionWithEntries(program);
        TMainForm &form = program.Form();
        ClickTab(form, PageGraphs);
        auto *page = form.findChild<TChartsPage *>();
        QVERIFY(page);
        TChartCanvas *canvas = page->Chart1;

        Pick(page->ComboBox1, 4);
        QCOMPARE(canvas->GradientEnd().rgba(), 0xFFFF0000u);
        const QImage red = page->RenderChart();

        Pick(page->ComboBox1, ChartBackgroundObverse);  // the series has no obverse
        QVERIFY(!page->PictureBackground());
        QCOMPARE(canvas->GradientEnd().rgba(), 0xFFC0C0C0u);

        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("reverse.png"));
        QImage stripes(120, 80, QImage::Format_RGB32);
        stripes.fill(Qt::darkGreen);
        QVERIFY(stripes.save(picture));
        series->Reverse = picture;
        const QString broken = dir.filePath(QStringLiteral("obverse.png"));
        QFile bad(broken);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        series->Obverse = broken;

        Pick(page->ComboBox1, ChartBackgroundReverse);
        QVERIFY(page->PictureBackground());
        const QImage withPicture = page->RenderChart();
        QVERIFY(Differing(withPicture, red) > 0.2);
        Pick(page->ComboBox1, ChartBackgroundObverse);
        QVERIFY(!page->PictureBackground());
        QVERIFY(program.Ui.Errors.empty());

        // Legend X at 50: the legend starts in the middle of the chart.
        QSlider *legendX = Control<QSlider>(form, "TrackBar8");
        legendX->setValue(50);
        const QRectF legend = canvas->chart()->legend()->geometry();
        QVERIFY2(qAbs(legend.left() - canvas->chart()->size().width() / 2) < 2,
                 qPrintable(QString::number(legend.left())));
        QCOMPARE(page->View().LegendLeft, 50);
        Control<QSlider>(form, "TrackBar7")->setValue(93);
        QCOMPARE(page->View().Tilt, 3);
        Control<QSlider>(form, "TrackBar7")->setValue(89);
        QCOMPARE(page->View().Tilt, 0);
        // A bar chart sets the bars to their starting places again; the
        // grade/year plot leaves them.
        Control<QSlider>(form, "TrackBar6")->setValue(150);
        page->ChartPickerComboBox->setCurrentIndex(ChartGradeYear);
        QCOMPARE(page->View().Zoom, 150);
        Pick(page->ChartPickerComboBox, ChartValues);
        QCOMPARE(page->View().Zoom, 90);
        QCOMPARE(legendX->value(), 5);
        QCOMPARE(Control<QSlider>(form, "TrackBar3")->maximum(), 91);
        QCOMPARE(canvas->Zoom(), 90);

        // The wheel over the chart moves the "Zoom" bar.
        const QPointF at = canvas->viewport()->rect().center();
        QWheelEvent up(at, canvas->viewport()->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas->viewport(), &up);
        QCOMPARE(page->View().Zoom, 100);
        QCOMPARE(canvas->Zoom(), 100);
    }
};

QTEST_MAIN(tst_Charts)
#include "tst_charts.moc"
