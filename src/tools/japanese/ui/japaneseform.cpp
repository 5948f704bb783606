#include "tools/japanese/ui/japaneseform.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTabWidget>

#include "tools/common/ui/glyphs.h"
#include "tools/common/ui/toolwindow.h"
#include "tools/japanese/japanese.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"

namespace {

const QString JapaneseFamily = QStringLiteral("Noto Sans CJK JP");

QFont SizedFont(const QFont &base, int pixels, bool bold)
{
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

TJapaneseForm::TJapaneseForm(std::function<std::vector<int>()> seriesDates, int currentYear, QWidget *parent)
    : QDialog(parent, ToolWindowFlags()), seriesDates_(std::move(seriesDates)), currentYear_(currentYear)
{
    setObjectName(QStringLiteral("JapaneseForm"));
    setWindowTitle(QStringLiteral("Orvanta: Japanese date converter"));
    setFixedSize(536, 432);

    TabControl1 = NewConverterTabs(this);

    TabItem1 = NewTabPage("TabItem1");
    auto *grid = new QGridLayout(TabItem1);
    auto *left = new QVBoxLayout;
    // The portrait's frame casts the shadow; the portrait itself fades.
    auto *frame = new QWidget;
    frame->setObjectName(QStringLiteral("Layout1"));
    frame->setFixedSize(180, 240);
    auto *shadow = new QGraphicsDropShadowEffect(frame);
    shadow->setColor(QColor(0, 0, 0, 153));
    shadow->setOffset(2.8, 2.8);
    shadow->setBlurRadius(6);
    frame->setGraphicsEffect(shadow);
    EmperorImage = new QLabel(frame);
    EmperorImage->setObjectName(QStringLiteral("EmperorImage"));
    EmperorImage->setGeometry(0, 0, 180, 240);
    EmperorImage->setAlignment(Qt::AlignCenter);
    left->addWidget(frame, 0, Qt::AlignHCenter);
    Label3 = new QLabel;
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(SizedFont(QFont(JapaneseFamily), 36, true));
    Label3->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(SizedFont(font(), 16, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel;
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    left->addWidget(Label1);
    auto *buttons = new QHBoxLayout;
    PrevButton = new QPushButton(QStringLiteral("Previous"));
    PrevButton->setObjectName(QStringLiteral("PrevButton"));
    NextButton = new QPushButton(QStringLiteral("Next"));
    NextButton->setObjectName(QStringLiteral("NextButton"));
    buttons->addWidget(PrevButton);
    buttons->addWidget(NextButton);
    left->addLayout(buttons);
    left->addStretch();
    grid->addLayout(left, 0, 0);
    // The era's name above its years, the chosen year's date below them.
    auto *right = new QVBoxLayout;
    right->addWidget(Label3);
    right->addWidget(Label2);
    Grid1 = new TSeriesDatesGrid({QStringLiteral("Japanese"), QStringLiteral("Year")}, {125, 115});
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    right->addWidget(Grid1, 1);
    FullDateLabel = new QLabel;
    FullDateLabel->setObjectName(QStringLiteral("FullDateLabel"));
    FullDateLabel->setFont(SizedFont(QFont(JapaneseFamily), 36, true));
    FullDateLabel->setAlignment(Qt::AlignCenter);
    DirectionLabel = new QLabel;
    DirectionLabel->setObjectName(QStringLiteral("DirectionLabel"));
    DirectionLabel->setFont(SizedFont(font(), 16, false));
    DirectionLabel->setStyleSheet(QStringLiteral("color: #778899"));
    DirectionLabel->setAlignment(Qt::AlignCenter);
    right->addWidget(FullDateLabel);
    right->addWidget(DirectionLabel);
    grid->addLayout(right, 0, 1);
    TabControl1->addTab(TabItem1, QStringLiteral("Converter"));

    TabItem2 = NewTabPage("TabItem2");
    auto *datesLayout = new QVBoxLayout(TabItem2);
    Grid2 = new TSeriesDatesGrid({QStringLiteral("Katakana"), QStringLiteral("Year"), QStringLiteral("A.D.")},
                                 {280, 115, 115});
    Grid2->setObjectName(QStringLiteral("Grid2"));
    datesLayout->addWidget(Grid2);
    TabControl1->addTab(TabItem2, QStringLiteral("Dates in this series"));

    OKbutton = LayOutTabsAboveOk(this, TabControl1);

    connect(PrevButton, &QPushButton::clicked, this, [this] { NextButtonClick(+1); });
    connect(NextButton, &QPushButton::clicked, this, [this] { NextButtonClick(-1); });
    connect(Grid1, &QTableWidget::currentCellChanged, this, &TJapaneseForm::Grid1SelectCell);

    TabControl1->setCurrentWidget(TabItem1);
    FillSeriesDates();
    EmperorIndex = 0;
    NextButtonClick(0);
}

void TJapaneseForm::NextButtonClick(int delta)
{
    // "Previous" goes to older eras, "Next" to newer ones, each wrapping.
    EmperorIndex = ((EmperorIndex + delta) % JapaneseEraCount + JapaneseEraCount) % JapaneseEraCount;
    const tJapaneseEra &era = JapaneseEra(EmperorIndex);
    const int row = Grid1->currentRow();
    std::vector<int> years;
    for (int n = 1; n <= JapaneseEraRows(EmperorIndex, currentYear_); ++n)
        years.push_back(n);
    {
        const QSignalBlocker quiet(Grid1);
        Grid1->Fill(years, [this](int n, int column) {
            if (column == 0)
                return JapaneseListNumeral(EmperorIndex, n);
            return QStringLiteral("%1 (%2)").arg(n).arg(JapaneseADYear(EmperorIndex, n));
        });
        for (int r = 0; r < Grid1->rowCount(); ++r) {
            QTableWidgetItem *item = Grid1->item(r, 0);
            item->setFont(SizedFont(QFont(JapaneseFamily), 22, true));
        }
        // The selected row stays where the new era has it.
        if (row >= 0 && row < Grid1->rowCount())
            Grid1->setCurrentCell(row, 0);
    }
    // The portrait: a neutral card with the era's name and its emperor's.
    EmperorImage->setPixmap(
        QPixmap::fromImage(CardPicture(era.Kanji, era.Emperor, 180, 240, JapaneseFamily)));
    auto *effect = new QGraphicsOpacityEffect(EmperorImage);
    EmperorImage->setGraphicsEffect(effect);
    auto *anim = new QPropertyAnimation(effect, "opacity", EmperorImage);
    anim->setDuration(200);
    anim->setStartValue(0.2);
    anim->setEndValue(1.0);
    anim->setEasingCurve(QEasingCurve::InOutQuart);
    anim->start(QAbstractAnimation::DeleteWhenStopped);
    Label1->setText(era.Emperor);
    Label2->setText(era.Label + QStringLiteral(": ") + era.Span);
    Label3->setText(era.Kanji);
    Grid1SelectCell();
}

void TJapaneseForm::Grid1SelectCell()
{
    const int r = Grid1->currentRow();
    if (r < 0 || r >= Grid1->rowCount()) {
        FullDateLabel->clear();
        DirectionLabel->clear();
        return;
    }
    DirectionLabel->setText(DirectionText(EmperorIndex, r + 1));
    FullDateLabel->setText(EraDateText(EmperorIndex, r + 1));
}

void TJapaneseForm::FillSeriesDates()
{
    DateArray.clear();
    // The price list's years the eras cover, each once, in list order.
    for (int y : seriesDates_ ? seriesDates_() : std::vector<int>{})
        if (JapaneseSeriesYear(y))
            DateArray.push_back(y);
    ShowSeriesDates(TabControl1, TabItem1, TabItem2, Grid2, DateArray, [](int y, int column) {
        const int e = JapaneseEraOfYear(y);
        const int n = e < 0 ? 0 : y - JapaneseEra(e).Start + 1;
        switch (column) {
        case 0: return EraDateText(e, n);
        case 1: return QString::number(n);
        default: return QString::number(y);
        }
    });
}

bool TJapaneseForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FillSeriesDates();
    return QDialog::event(e);
}
