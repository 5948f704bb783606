#include "tools/taiwan/ui/chinaform.h"

#include <cmath>

#include <QBoxLayout>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTabWidget>
#include <QVariantAnimation>

#include "tools/common/ui/glyphs.h"
#include "tools/common/ui/toolwindow.h"
#include "tools/digitdates/digitdates.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"
#include "tools/taiwan/taiwan.h"

namespace {

const QString CjkFamily = QStringLiteral("Noto Sans CJK TC");

} // namespace

TCoverFlow::TCoverFlow(std::vector<QImage> cards, QWidget *parent) : QWidget(parent), cards_(std::move(cards))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    anim_ = new QVariantAnimation(this);
    anim_->setDuration(500);
    anim_->setStartValue(0.0);
    anim_->setEndValue(1.0);
    connect(anim_, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        progress_ = v.toDouble();
        update();
    });
}

void TCoverFlow::FlowTo(int t)
{
    t = std::clamp(t, 0, static_cast<int>(cards_.size()) - 1);
    if (t == front_)
        return;
    // A move started while another runs starts from where that one aimed.
    anim_->stop();
    from_ = front_;
    front_ = t;
    progress_ = 0.0;
    anim_->start();
}

qreal TCoverFlow::CardSteps(int k) const
{
    const qreal a = CoverRestSteps(k, from_), b = CoverRestSteps(k, front_);
    return a + (b - a) * progress_;
}

void TCoverFlow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int h = height();
    const qreal s = std::round(0.6 * h);
    const qreal step = std::floor(s / 3);
    const qreal cx = width() / 2.0;
    // The cards furthest from the front first, so nearer ones cover them.
    std::vector<int> order(cards_.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = static_cast<int>(k);
    std::sort(order.begin(), order.end(),
              [this](int a, int b) { return std::abs(CardSteps(a)) > std::abs(CardSteps(b)); });
    for (int k : order) {
        const qreal steps = CardSteps(k);
        // Turned cards stand back and show their edge; the front one faces
        // the viewer at full size.
        const qreal facing = std::clamp(1.0 - std::abs(steps), 0.0, 1.0);
        const qreal depth = 0.75 + 0.25 * facing;
        const qreal w = s * depth * (0.34 + 0.66 * facing);
        const qreal ch = s * depth;
        const QRectF r(cx + steps * step - w / 2, (h - ch) / 2, w, ch);
        p.setOpacity(0.6 + 0.4 * facing);
        p.drawImage(r, cards_[static_cast<size_t>(k)]);
        // The card's reflection on the black floor.
        p.setOpacity(0.25 * facing);
        p.drawImage(QRectF(r.left(), r.bottom() + 2, w, ch * 0.25),
                    cards_[static_cast<size_t>(k)].mirrored(false, true).copy(0, 0, cards_[static_cast<size_t>(k)].width(),
                                                                               cards_[static_cast<size_t>(k)].height() / 4));
    }
}

TChinaForm::TChinaForm(int currentYear, QWidget *parent) : QDialog(parent, ToolWindowFlags())
{
    setObjectName(QStringLiteral("ChinaForm"));
    setWindowTitle(QStringLiteral("Orvanta: Taiwan date converter"));
    setFixedSize(644, 536);

    TabControl1 = NewConverterTabs(this);

    auto *republic = new QWidget;
    auto *rl = new QVBoxLayout(republic);
    Grid1 = new TSeriesDatesGrid({QStringLiteral("Taiwanese"), QStringLiteral("Name"), QStringLiteral("Year"),
                                  QStringLiteral("A.D.")},
                                 {285, 153, 90, 90});
    rl->addWidget(Grid1);
    TabControl1->addTab(republic, QStringLiteral("Republic dates"));
    // Every Republic year up to the current one; the numerals follow their
    // rule for any year.
    std::vector<int> years;
    for (int n = 1; n <= currentYear - RepublicEpoch; ++n)
        years.push_back(n);
    Grid1->Fill(years, [](int n, int column) {
        switch (column) {
        case 0: return RepublicYearChinese(n);
        case 1: return RepublicYearPinyin(n);
        case 2: return QString::number(n);
        default: return QString::number(n + RepublicEpoch);
        }
    });

    auto *cycle = new QWidget;
    auto *cl = new QVBoxLayout(cycle);
    auto *viewport = new QWidget;
    viewport->setObjectName(QStringLiteral("Viewport3D1"));
    viewport->setFixedHeight(361);
    viewport->setAutoFillBackground(true);
    QPalette pal = viewport->palette();
    pal.setColor(QPalette::Window, Qt::black);
    viewport->setPalette(pal);
    auto *vl = new QGridLayout(viewport);
    vl->setContentsMargins(0, 0, 0, 0);
    vl->setSpacing(0);
    std::vector<QImage> branchCards, elementCards;
    for (int b = 0; b < 12; ++b)
        branchCards.push_back(CardPicture(QString(BranchChar(b)), BranchName(b), 200, 300, CjkFamily));
    static const char16_t elementChars[] = u"金水木火土";
    for (int e = 0; e < 5; ++e)
        elementCards.push_back(CardPicture(QString(QChar(elementChars[e])), ElementName(e), 200, 300, CjkFamily));
    Coverflow = new TCoverFlow(std::move(branchCards));
    Coverflow->setObjectName(QStringLiteral("Coverflow"));
    Coverflow->setFixedHeight(361 / 2);
    Coverflow2 = new TCoverFlow(std::move(elementCards));
    Coverflow2->setObjectName(QStringLiteral("Coverflow2"));
    vl->addWidget(Coverflow, 0, 0);
    vl->addWidget(Coverflow2, 1, 0);
    Image1 = new QLabel(viewport);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(64, 80);
    Image2 = new QLabel(viewport);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedSize(64, 80);
    // The years stand in a strip of their own at the right, clear of the cards.
    YearsLabel = new QLabel;
    YearsLabel->setObjectName(QStringLiteral("YearsLabel"));
    QFont yf = YearsLabel->font();
    yf.setPixelSize(18);
    YearsLabel->setFont(yf);
    YearsLabel->setStyleSheet(QStringLiteral("color: white"));
    YearsLabel->setAlignment(Qt::AlignCenter);
    YearsLabel->setFixedWidth(90);
    vl->addWidget(YearsLabel, 0, 1, 2, 1);
    Image1->move(8, 361 - 88);
    Image2->move(76, 361 - 88);
    Image1->raise();
    Image2->raise();
    cl->addWidget(viewport);

    auto *controls = new QGridLayout;
    TrackBar1 = new QSlider(Qt::Horizontal);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 11);
    TrackBar2 = new QSlider(Qt::Horizontal);
    TrackBar2->setObjectName(QStringLiteral("TrackBar2"));
    TrackBar2->setRange(0, 4);
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    QFont ef(QStringLiteral("Arial"));
    ef.setPixelSize(18);
    Edit1->setFont(ef);
    Edit1->setMaxLength(4);
    Edit1->setFixedWidth(80);
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit1));
    controls->addWidget(new QLabel(QStringLiteral("Earthly branch:")), 0, 0);
    controls->addWidget(TrackBar1, 0, 1);
    controls->addWidget(new QLabel(QStringLiteral("Celestial stem:")), 1, 0);
    controls->addWidget(TrackBar2, 1, 1);
    controls->addWidget(new QLabel(QStringLiteral("Look up year:")), 0, 2);
    controls->addWidget(Edit1, 1, 2);
    cl->addLayout(controls);
    cl->addStretch();
    TabControl1->addTab(cycle, QStringLiteral("Cyclical dates"));

    OKbutton = LayOutTabsAboveOk(this, TabControl1);

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBarChange(TrackBar1); });
    connect(TrackBar2, &QSlider::valueChanged, this, [this] { TrackBarChange(TrackBar2); });
    connect(Edit1, &QLineEdit::textEdited, this, &TChinaForm::Edit1Typing);

    TabControl1->setCurrentIndex(0);
    ShowCyclePictures(0, false);
}

void TChinaForm::Fade(QLabel *image, const QString &character)
{
    image->setPixmap(QPixmap::fromImage(CardPicture(character, QString(), 64, 80, CjkFamily)));
    auto *effect = new QGraphicsOpacityEffect(image);
    image->setGraphicsEffect(effect);
    auto *anim = new QPropertyAnimation(effect, "opacity", image);
    anim->setDuration(200);
    anim->setStartValue(0.0);
    anim->setEndValue(1.0);
    anim->setEasingCurve(QEasingCurve::InOutQuad);
    anim->start(QAbstractAnimation::DeleteWhenStopped);
}

void TChinaForm::ShowCyclePictures(int i, bool element)
{
    if (element) {
        if (i == Char2Index)
            return;
        Fade(Image2, QString(StemChar(i, Coverflow->Front())));
        Char2Index = i;
    } else {
        if (i == Char1Index)
            return;
        Fade(Image1, QString(BranchChar(i)));
        Char1Index = i;
        Fade(Image2, QString(StemChar(Coverflow2->Front(), i)));
    }
    ListCycleYears();
}

void TChinaForm::ListCycleYears()
{
    const int b = std::max(Char1Index, 0);
    const int m = std::max(Char2Index, 0);
    QString text;
    for (int y : CycleYears(b, m))
        text += QString::number(y) + QLatin1Char('\n');
    YearsLabel->setText(text);
}

void TChinaForm::TrackBarChange(QSlider *bar)
{
    const bool element = bar == TrackBar2;
    ShowCyclePictures(bar->value(), element);
    (element ? Coverflow2 : Coverflow)->FlowTo(bar->value());
}

void TChinaForm::Edit1Typing()
{
    if (Edit1->text().size() != 4)
        return;
    const tCycle c = CycleOfYear(BoxValue(Edit1->text()));
    TrackBar2->setValue(c.Element);
    TrackBar1->setValue(c.Branch);
}
