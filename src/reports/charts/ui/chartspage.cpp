#include "reports/charts/ui/chartspage.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBoxLayout>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLocale>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QScrollArea>
#include <QTimer>
#include <QSlider>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "core/program/errorreport.h"
#include "platform/uiservices.h"
#include "reports/charts/ui/chartcanvas.h"
#include "browse/seriespictures/seriespictures.h"
#include "core/program/ui/widgetkit.h"

namespace {

// The points' and slices' own colours, one after another.
const QRgb Palette[] = {0xFF4572A7, 0xFFAA4643, 0xFF89A54E, 0xFF80699B, 0xFF3D96AE, 0xFFDB843D,
                        0xFF92A8CD, 0xFFA47D7C, 0xFFB5CA92, 0xFFE6B422, 0xFF5C5C61, 0xFF2E8B57};

QColor PaletteColour(size_t index)
{
    return QColor::fromRgba(Palette[index % std::size(Palette)]);
}

// Bars drawn as lit cylinders: dark at the sides, light in the middle.
QBrush CylinderBrush(const QColor &colour)
{
    QLinearGradient g(0, 0, 1, 0);
    g.setCoordinateMode(QGradient::ObjectBoundingMode);
    g.setColorAt(0, colour.darker(160));
    g.setColorAt(0.45, colour.lighter(150));
    g.setColorAt(1, colour.darker(160));
    return g;
}

QString TitleHtml(const QString &title)
{
    return title.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

// The legend's labels in the colour of their entries.
void ColourLegend(QChart *chart)
{
    for (QLegendMarker *marker : chart->legend()->markers())
    {
        QBrush brush = marker->brush();
        if (const QGradient *g = brush.gradient(); g && !g->stops().isEmpty())
            brush = QBrush(g->stops().first().second);
        marker->setLabelBrush(brush);
    }
}

} // namespace

TChartsPage::TChartsPage(tMainState &state, QWidget *parent) : QWidget(parent), State(state)
{
    setObjectName(QStringLiteral("GraphsPage"));
    auto *v = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("Chart:"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    head->addWidget(caption);
    ChartPickerComboBox = Make<QComboBox>("ChartPickerComboBox");
    for (int i = 0; i < ChartChoiceCount; ++i)
        ChartPickerComboBox->addItem(ChartChoiceName(i));
    ChartPickerComboBox->setCurrentIndex(0);
    ChartPickerComboBox->setMinimumWidth(260);
    connect(ChartPickerComboBox, &QComboBox::currentIndexChanged, this, [this] { BuildCollectionChart(); });
    head->addWidget(ChartPickerComboBox);
    head->addSpacing(16);
    head->addWidget(new QLabel(QStringLiteral("Background:")));
    ComboBox1 = Make<QComboBox>("ComboBox1");
    for (int i = 0; i < ChartBackgroundCount; ++i)
        ComboBox1->addItem(ChartBackgroundName(i));
    ComboBox1->setCurrentIndex(0);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { ComboBox1Change(); }); });
    head->addWidget(ComboBox1);
    head->addStretch(1);
    PrintGraphBtn = Make<QPushButton>("PrintGraphBtn", QStringLiteral("Print"));
    connect(PrintGraphBtn, &QPushButton::clicked, this, [this] { Guarded([this] { PrintGraphBtnClick(); }); });
    head->addWidget(PrintGraphBtn);
    SaveGraphBtn = Make<QPushButton>("SaveGraphBtn", QStringLiteral("Save"));
    connect(SaveGraphBtn, &QPushButton::clicked, this, [this] { Guarded([this] { SaveGraphBtnClick(); }); });
    head->addWidget(SaveGraphBtn);
    v->addLayout(head);

    auto *body = new QHBoxLayout;
    Chart1 = Make<TChartCanvas>("Chart1");
    Chart1->setMinimumSize(400, 300);
    body->addWidget(Chart1, 1);
    // The wheel moves the "Zoom" bar, so the bar always shows the zoom.
    connect(Chart1, &TChartCanvas::ZoomStep, this, [this](int direction) {
        QSlider *zoom = TrackBars[5];
        zoom->setValue(zoom->value() + direction * zoom->pageStep());
    });

    auto *bars = new QWidget;
    auto *grid = new QVBoxLayout(bars);
    for (int tag = 1; tag <= TrackBarCount; ++tag) {
        const tTrackBarInfo &info = TrackBarInfo(tag);
        grid->addWidget(new QLabel(QString::fromLatin1(info.Label)));
        auto *bar = new QSlider(Qt::Horizontal);
        bar->setObjectName(QStringLiteral("TrackBar%1").arg(tag));
        bar->setProperty("Tag", tag);
        bar->setRange(info.Minimum, info.Maximum);
        connect(bar, &QSlider::valueChanged, this, [this, tag] { TrackBar1Change(tag); });
        TrackBars[static_cast<size_t>(tag - 1)] = bar;
        grid->addWidget(bar);
    }
    grid->addStretch(1);
    // The track bars scroll when the page is lower than their column.
    GraphsVertScrollBox = Make<QScrollArea>("GraphsVertScrollBox");
    GraphsVertScrollBox->setWidget(bars);
    GraphsVertScrollBox->setWidgetResizable(true);
    GraphsVertScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GraphsVertScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    GraphsVertScrollBox->setFixedWidth(200);
    body->addWidget(GraphsVertScrollBox);
    v->addLayout(body, 1);

    // The design's starting positions, as the first bar chart sets them.
    SetTrackBars(BarChartTrackBars(), TrackBarInfo(3).Maximum);
    Chart1->SetLegendTitle(legendTitle_);
    ComboBox1Change();
}

void TChartsPage::BuildCollectionChart()
{
    CurrProcGuard guard(Blocks::BuildCollectionChart);
    QChart *chart = Chart1->ResetChart();
    const tnodeinfo *series = State.SelectedTreeNode;
    if (series)
        chart->setTitle(TitleHtml(ChartTitle(*series)));
    else
        chart->setTitle(QString());
    const int choice = ChartPickerComboBox->currentIndex();
    if (choice >= ChartGrades && choice <= ChartChange)
        ChartByGrade(choice + 1);
    else if (choice == ::ChartGradeYear)
        ChartGradeYear();
    else if (choice == ChartGradedBy)
        ChartGradedByPie();
    ColourLegend(chart);
    Chart1->SetLegendTitle(legendTitle_);
    ApplyZoom();
}

void TChartsPage::ChartByGrade(int kind)
{
    CurrProcGuard guard(Blocks::ChartByGrade);
    QChart *chart = Chart1->chart();
    const tGradeChart data = ::ChartByGrade(State, State.CurrCoinList, kind);
    legendTitle_ = data.LegendTitle;
    axisTitle_ = data.AxisTitle;

    // One set per grade, each holding only its own bar: every grade has its
    // colour and its line in the legend.
    auto *bars = new QStackedBarSeries;
    bars->setName(data.LegendTitle);
    QStringList categories;
    const int n = static_cast<int>(data.Bars.size());
    double low = 0, high = 0;
    for (int i = 0; i < n; ++i) {
        const tGradeBar &bar = data.Bars[static_cast<size_t>(i)];
        // Labels are drawn as rich text: a title such as "<F" stays text.
        categories << bar.Label.toHtmlEscaped();
        auto *set = new QBarSet(bar.Label.toHtmlEscaped());
        const double value = data.BarValue(bar);
        low = std::min(low, value);
        high = std::max(high, value);
        for (int j = 0; j < n; ++j)
            *set << (j == i ? value : 0.0);
        const QColor colour = PaletteColour(static_cast<size_t>(i));
        set->setColor(colour);
        set->setBrush(CylinderBrush(colour));
        set->setBorderColor(colour.darker(200));
        bars->append(set);
    }
    bars->setBarWidth(0.8);
    chart->addSeries(bars);

    auto *bottom = new QBarCategoryAxis;
    bottom->setTitleText(QStringLiteral("Grade"));
    bottom->append(categories);
    chart->addAxis(bottom, Qt::AlignBottom);
    bars->attachAxis(bottom);
    auto *left = new QValueAxis;
    left->setTitleText(data.AxisTitle);
    if (data.Kind == 1) {
        // Whole pieces; the top rounded up to a whole step.
        const double step = std::max(1.0, std::ceil(high / 10));
        left->setRange(0, std::max(step, std::ceil(high / step) * step));
        left->setTickType(QValueAxis::TicksDynamic);
        left->setTickAnchor(0);
        left->setTickInterval(step);
        left->setLabelFormat(QStringLiteral("%.0f"));
    } else {
        left->setRange(low, high > low ? high : low + 1);
        left->applyNiceNumbers();
        left->setLabelFormat(QStringLiteral("%.2f"));
    }
    chart->addAxis(left, Qt::AlignLeft);
    bars->attachAxis(left);
    chart->setLocalizeNumbers(true);
    Chart1->ShowLegend(n > 0);
    SetTrackBars(BarChartTrackBars(), BarChartYRotationMaximum);
}

void TChartsPage::ChartGradeYear()
{
    CurrProcGuard guard(Blocks::ChartGradeYear);
    QChart *chart = Chart1->chart();
    const std::vector<tGradeYearPoint> points = ChartGradeYearPoints(State.CurrCoinList);
    auto *series = new QScatterSeries;
    series->setName(legendTitle_);
    series->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    series->setMarkerSize(14);
    int firstYear = 0, lastYear = 0;
    for (const tGradeYearPoint &p : points) {
        series->append(p.Year, p.Grade);
        firstYear = firstYear == 0 ? p.Year : std::min(firstYear, p.Year);
        lastYear = std::max(lastYear, p.Year);
    }
    // Years are shown as years, never with a thousands separator.
    chart->setLocalizeNumbers(false);
    series->setPointLabelsFormat(QStringLiteral("@xPoint"));
    series->setPointLabelsVisible(true);
    series->setPointLabelsClipping(false);
    chart->addSeries(series);
    for (int i = 0; i < static_cast<int>(points.size()); ++i)
        series->setPointConfiguration(i, QXYSeries::PointConfiguration::Color,
                                      PaletteColour(static_cast<size_t>(i)));
    auto *bottom = new QValueAxis;
    bottom->setTitleText(QStringLiteral("Grade"));
    bottom->setLabelFormat(QStringLiteral("%.0f"));
    // Whole years, about ten labels at most.
    const int from = firstYear > 0 ? firstYear - 1 : 0;
    const int to = lastYear > 0 ? lastYear + 1 : 1;
    bottom->setRange(from, to);
    bottom->setTickType(QValueAxis::TicksDynamic);
    bottom->setTickAnchor(from);
    bottom->setTickInterval(std::max(1, (to - from + 9) / 10));
    chart->addAxis(bottom, Qt::AlignBottom);
    series->attachAxis(bottom);
    auto *left = new QValueAxis;
    left->setTitleText(axisTitle_);
    left->setLabelFormat(QStringLiteral("%.0f"));
    left->setRange(0, ChartGradeSlots - 1);
    left->setTickType(QValueAxis::TicksDynamic);
    left->setTickAnchor(0);
    left->setTickInterval(5);
    chart->addAxis(left, Qt::AlignLeft);
    series->attachAxis(left);
    Chart1->ShowLegend(!points.empty());
}

void TChartsPage::ChartGradedByPie()
{
    CurrProcGuard guard(Blocks::ChartGradedByPie);
    QChart *chart = Chart1->chart();
    auto *pie = new QPieSeries;
    int total = 0;
    std::vector<tPieSlice> slices;
    if (State.SelectedTreeNode)
        slices = ChartGradedBySlices(State, *State.SelectedTreeNode);
    for (const tPieSlice &s : slices)
        total += s.Count;
    const QString decimalPoint = QLocale().decimalPoint();
    const QChar decimal = decimalPoint.size() == 1 ? decimalPoint.front() : QLatin1Char('.');
    for (size_t i = 0; i < slices.size(); ++i) {
        QPieSlice *slice = pie->append(slices[i].Label.toHtmlEscaped(), slices[i].Count);
        const QColor colour = PaletteColour(i);
        slice->setColor(colour);
        slice->setBorderColor(colour.lighter(140));
        slice->setBorderWidth(4);
        slice->setLabelVisible(true);
        slice->setLabel(PieSliceMark(slices[i], total, decimal).toHtmlEscaped());
    }
    chart->addSeries(pie);
    // The legend names the services; the marks on the slices say the rest.
    const auto markers = chart->legend()->markers(pie);
    for (size_t i = 0; i < slices.size() && i < static_cast<size_t>(markers.size()); ++i)
        markers[static_cast<qsizetype>(i)]->setLabel(slices[i].Label.toHtmlEscaped());
    Chart1->ShowLegend(!slices.empty());
    SetTrackBars(PieChartTrackBars(), BarChartYRotationMaximum);
}

void TChartsPage::SetTrackBars(const std::array<int, TrackBarCount> &positions, int yRotationMaximum)
{
    TrackBars[2]->blockSignals(true);
    TrackBars[2]->setMaximum(yRotationMaximum);
    TrackBars[2]->blockSignals(false);
    for (int tag = 1; tag <= TrackBarCount; ++tag) {
        QSlider *bar = TrackBars[static_cast<size_t>(tag - 1)];
        bar->blockSignals(true);
        bar->setValue(positions[static_cast<size_t>(tag - 1)]);
        bar->blockSignals(false);
        TrackBar1Change(tag);
    }
}

void TChartsPage::TrackBar1Change(int tag)
{
    CurrProcGuard guard(Blocks::TrackBar1Change);
    if (tag < 1 || tag > TrackBarCount)
        return;
    ApplyTrackBar(view_, tag, TrackBars[static_cast<size_t>(tag - 1)]->value());
    if (tag == 6)
        ApplyZoom();
    else if (tag == 8 || tag == 9)
        Chart1->SetLegendPosition(view_.LegendLeft, view_.LegendTop);
}

void TChartsPage::ApplyZoom()
{
    Chart1->SetZoom(view_.Zoom);
}

void TChartsPage::ComboBox1Change()
{
    CurrProcGuard guard(Blocks::ComboBox1Change);
    const tChartBackground b = ChartBackground(State, State.SelectedTreeNode, ComboBox1->currentIndex());
    Chart1->SetGradient(b.Start, b.End);
    QImage picture;
    if (!b.PicturePath.isEmpty()) {
        const QString file = FindPictureFile(b.PicturePath);
        // A picture that cannot be read leaves the gradient, as for a series
        // without one.
        if (!file.isEmpty() && PictureFitsLimit(QImageReader(file).size()))
            picture.load(file);
    }
    Chart1->SetPicture(picture);
}

void TChartsPage::CollectionReplaced()
{
    // Nothing of the collection that was read before stays on show; the
    // page, when it is the one in front, charts the new collection's
    // selected series once the reading has finished.
    Chart1->ResetChart();
    if (isVisible())
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                BuildCollectionChart();
        });
}

bool TChartsPage::PictureBackground() const
{
    return Chart1->HasPicture();
}

QImage TChartsPage::RenderChart() const
{
    return Chart1->Render();
}

void TChartsPage::PrintGraphBtnClick()
{
    CurrProcGuard guard(Blocks::PrintGraphBtnClick);
    QPrinter printer(QPrinter::HighResolution);
    bool ok;
    if (ChoosePrinter) {
        ok = ChoosePrinter(printer);
    } else {
        QPrintDialog dialog(&printer, this);
        ok = dialog.exec() == QDialog::Accepted;
    }
    if (!ok)
        return;
    const QImage picture = RenderChart();
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer could not be started.");
    // The chart keeps its proportions, as large as the page allows and
    // centred on it.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    QSizeF size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF((page.width() - size.width()) / 2, (page.height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    painter.end();
}

void TChartsPage::SaveGraphBtnClick()
{
    CurrProcGuard guard(Blocks::SaveGraphBtnClick);
    platform::FileRequest request;
    request.Title = QStringLiteral("Save this chart to a file");
    request.Filter = QStringLiteral("BMP image (*.BMP *.bmp);;PNG image (*.png)");
    request.DefaultSuffix = QStringLiteral("BMP");
    const QString proposed = ProposedChartFileName(State.LastFileName);
    request.Folder = QFileInfo(proposed).absolutePath();
    request.FileName = proposed;
    const QString name = platform::ui().saveFileName(request);
    if (name.isEmpty())
        return;
    const QImage picture = RenderChart().convertToFormat(QImage::Format_RGB32);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, ChartFileFormat(name).constData()) ||
        !file.commit())
        throw std::runtime_error(QStringLiteral("The chart could not be written to \"%1\".")
                                     .arg(QDir::toNativeSeparators(name))
                                     .toStdString());
}
