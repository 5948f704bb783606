#include "tools/ethiopian/ui/ethiopianform.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QToolButton>
#include <QVariantAnimation>

#include "tools/common/ui/glyphs.h"
#include "tools/common/ui/toolwindow.h"
#include "tools/digitdates/digitdates.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"

namespace {

const QString EthiopicFamily = QStringLiteral("Noto Sans Ethiopic");

QLineEdit *YearBox(const char *name)
{
    auto *e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(18);
    e->setFont(f);
    e->setMaxLength(4);
    e->setFixedWidth(80);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

QGraphicsDropShadowEffect *Shadow(QWidget *w)
{
    auto *shadow = new QGraphicsDropShadowEffect(w);
    shadow->setColor(Qt::black);
    shadow->setOffset(2.1, 2.1);
    shadow->setBlurRadius(4);
    w->setGraphicsEffect(shadow);
    return shadow;
}

// The pictures of the wheels: the centuries as coins write them, then a
// blank and the tens, then a blank and the units.
std::vector<QImage> WheelPictures()
{
    std::vector<QImage> out;
    const QString centuries[CenturyPositions] = {
        QStringLiteral("፲፮፻"), QStringLiteral("፲፯፻"), QStringLiteral("፲፰፻"),
        QStringLiteral("፲፱፻"), QStringLiteral("፳፻"),  QStringLiteral("፪ሺ")};
    for (const QString &c : centuries)
        out.push_back(GlyphPicture(c, 450, 150, EthiopicFamily));
    out.push_back(GlyphPicture(QString(), 150, 150));
    for (int t = 1; t <= 9; ++t)
        out.push_back(GlyphPicture(QString(QChar(static_cast<char16_t>(0x1371 + t))), 150, 150, EthiopicFamily));
    out.push_back(GlyphPicture(QString(), 150, 150));
    for (int u = 1; u <= 9; ++u)
        out.push_back(GlyphPicture(QString(QChar(static_cast<char16_t>(0x1368 + u))), 150, 150, EthiopicFamily));
    return out;
}

} // namespace

TEthiopianForm::TEthiopianForm(std::function<std::vector<int>()> seriesDates, int currentYear, QWidget *parent)
    : QDialog(parent, ToolWindowFlags()), seriesDates_(std::move(seriesDates)), imageList_(WheelPictures())
{
    setObjectName(QStringLiteral("EthiopianForm"));
    setWindowTitle(QStringLiteral("Ethiopian date converter"));
    setFixedSize(354, 414);

    TabControl1 = NewConverterTabs(this);

    TabItem1 = NewTabPage("TabItem1");
    auto *grid = new QGridLayout(TabItem1);
    const char *captions[3] = {"Ethiopian Century", "Decade", "Year"};
    const char *names[3] = {"Century", "Decade", "Year"};
    for (int w = 0; w < 3; ++w) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[w])), 0, w, Qt::AlignHCenter);
        auto *up = new QToolButton;
        up->setObjectName(QStringLiteral("%1UpBtn").arg(QLatin1String(names[w])));
        up->setArrowType(Qt::UpArrow);
        up->setFixedSize(49, 49);
        auto *down = new QToolButton;
        down->setObjectName(QStringLiteral("%1DownBtn").arg(QLatin1String(names[w])));
        down->setArrowType(Qt::DownArrow);
        down->setFixedSize(49, 49);
        auto *image = new QLabel;
        image->setObjectName(QStringLiteral("%1Image").arg(QLatin1String(names[w])));
        image->setFixedSize(w == 0 ? 180 : 60, 60);
        image->setAlignment(Qt::AlignCenter);
        image->setAutoFillBackground(true);
        image->setStyleSheet(QStringLiteral("background: white"));
        Shadow(image);
        for (QToolButton *b : {up, down}) {
            Shadow(b);
            b->installEventFilter(this);
        }
        grid->addWidget(up, 1, w, Qt::AlignHCenter);
        grid->addWidget(image, 2, w, Qt::AlignHCenter);
        grid->addWidget(down, 3, w, Qt::AlignHCenter);
        UpButtons[static_cast<size_t>(w)] = up;
        DownButtons[static_cast<size_t>(w)] = down;
        WheelImages[static_cast<size_t>(w)] = image;
        connect(up, &QToolButton::clicked, this, [this, w] { StepWheel(static_cast<tWheel>(w), +1); });
        connect(down, &QToolButton::clicked, this, [this, w] { StepWheel(static_cast<tWheel>(w), -1); });
    }
    LabelCentury = new QLabel;
    LabelCentury->setObjectName(QStringLiteral("LabelCentury"));
    LabelDecade = new QLabel;
    LabelDecade->setObjectName(QStringLiteral("LabelDecade"));
    LabelYear = new QLabel;
    LabelYear->setObjectName(QStringLiteral("LabelYear"));
    int column = 0;
    for (QLabel *l : {LabelCentury, LabelDecade, LabelYear}) {
        QFont f = l->font();
        f.setPixelSize(16);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
        grid->addWidget(l, 4, column++);
    }
    Edit1 = YearBox("Edit1");
    Edit2 = YearBox("Edit2");
    auto *boxes = new QHBoxLayout;
    boxes->addStretch();
    boxes->addWidget(new QLabel(QStringLiteral("A.D.")));
    boxes->addWidget(Edit1);
    boxes->addSpacing(16);
    boxes->addWidget(new QLabel(QStringLiteral("E.E.")));
    boxes->addWidget(Edit2);
    boxes->addStretch();
    grid->addLayout(boxes, 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    TabControl1->addTab(TabItem1, QStringLiteral("Converter"));

    TabItem2 = NewTabPage("TabItem2");
    auto *datesLayout = new QVBoxLayout(TabItem2);
    Grid1 = new TSeriesDatesGrid({QStringLiteral("Ethiopian"), QStringLiteral("E.E."), QStringLiteral("A.D.")},
                                 {130, 80, 80});
    datesLayout->addWidget(Grid1);
    TabControl1->addTab(TabItem2, QStringLiteral("Dates in this series"));

    OKbutton = LayOutTabsAboveOk(this, TabControl1);

    connect(Edit1, &QLineEdit::textEdited, this, &TEthiopianForm::Edit1Typing);
    connect(Edit2, &QLineEdit::textEdited, this, &TEthiopianForm::Edit2Typing);

    TabControl1->setCurrentWidget(TabItem1);
    Wheels = StartWheels(currentYear);
    for (int w = 0; w < 3; ++w)
        ShowWheel(static_cast<tWheel>(w), 0);
    UpdateEditsFromWheels();
    FillSeriesDates();
    Edit1->setFocus();
}

void TEthiopianForm::ShowWheel(tWheel wheel, int slide)
{
    const int picture = wheel == Century ? Wheels.Century : wheel == Decade ? 6 + Wheels.Decade : 16 + Wheels.Year;
    QLabel *image = WheelImages[static_cast<size_t>(wheel)];
    const QImage pic = imageList_[static_cast<size_t>(picture)].scaled(image->size(), Qt::KeepAspectRatio,
                                                                        Qt::SmoothTransformation);
    if (slide == 0 || !isVisible()) {
        image->setPixmap(QPixmap::fromImage(pic));
        return;
    }
    // The new picture slides in from above (up) or below (down).
    const QImage old = image->pixmap().toImage();
    auto *anim = new QVariantAnimation(image);
    anim->setDuration(200);
    anim->setStartValue(0.0);
    anim->setEndValue(1.0);
    anim->setEasingCurve(QEasingCurve::InOutQuad);
    connect(anim, &QVariantAnimation::valueChanged, image, [image, old, pic, slide](const QVariant &v) {
        QImage frame(image->size(), QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::white);
        QPainter p(&frame);
        const int dy = static_cast<int>(v.toDouble() * image->height()) * (slide > 0 ? 1 : -1);
        p.drawImage(QPoint((image->width() - old.width()) / 2, dy), old);
        p.drawImage(QPoint((image->width() - pic.width()) / 2, dy - (slide > 0 ? image->height() : -image->height())),
                    pic);
        p.end();
        image->setPixmap(QPixmap::fromImage(frame));
    });
    connect(anim, &QVariantAnimation::finished, image, [image, pic] { image->setPixmap(QPixmap::fromImage(pic)); });
    image->setPixmap(QPixmap::fromImage(pic));
    anim->start(QAbstractAnimation::DeleteWhenStopped);
}

void TEthiopianForm::StepWheel(tWheel wheel, int delta)
{
    int &position = wheel == Century ? Wheels.Century : wheel == Decade ? Wheels.Decade : Wheels.Year;
    position = ::StepWheel(position, wheel == Century ? CenturyPositions : 10, delta);
    ShowWheel(wheel, delta < 0 ? -1 : 1);
    UpdateEditsFromWheels();
}

void TEthiopianForm::UpdateEditsFromWheels()
{
    const int e = WheelsYear(Wheels);
    Edit2->setText(QString::number(e));
    Edit1->setText(QString::number(EE2AD(e)));
    UpdateWheelLabels();
}

void TEthiopianForm::UpdateWheelLabels()
{
    LabelCentury->setText(CenturyLabel(Wheels.Century));
    LabelDecade->setText(QString::number(10 * Wheels.Decade));
    LabelYear->setText(QString::number(Wheels.Year));
}

void TEthiopianForm::Edit1Typing()
{
    const int v = BoxValue(Edit1->text());
    if (v < 8)
        Edit2->clear();
    else
        Edit2->setText(QString::number(AD2EE(v)));
    SyncWheelsFromEdit();
}

void TEthiopianForm::Edit2Typing()
{
    const int v = BoxValue(Edit2->text());
    if (v < 9)
        Edit1->clear();
    else
        Edit1->setText(QString::number(EE2AD(v)));
    SyncWheelsFromEdit();
}

void TEthiopianForm::SyncWheelsFromEdit()
{
    const int e = BoxValue(Edit2->text());
    if (!OnWheels(e))
        return;
    const tWheels target = WheelsOfYear(e);
    // Each wheel that moves turns as from code, which rewrites the boxes.
    if (target.Century != Wheels.Century) {
        Wheels.Century = target.Century;
        StepWheel(Century, 0);
    }
    if (target.Decade != Wheels.Decade) {
        Wheels.Decade = target.Decade;
        StepWheel(Decade, 0);
    }
    if (target.Year != Wheels.Year) {
        Wheels.Year = target.Year;
        StepWheel(Year, 0);
    }
    UpdateWheelLabels();
}

bool TEthiopianForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Enter || e->type() == QEvent::Leave)
        if (auto *w = qobject_cast<QWidget *>(watched))
            if (auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(w->graphicsEffect()))
                shadow->setColor(e->type() == QEvent::Enter ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::black));
    return QDialog::eventFilter(watched, e);
}

void TEthiopianForm::FillSeriesDates()
{
    DateArray = seriesDates_ ? seriesDates_() : std::vector<int>{};
    const auto cell = [](int y, int column) {
        if (column == 0)
            return EthiopicNumeral(AD2EE(y));
        return QString::number(column == 1 ? AD2EE(y) : y);
    };
    if (!ShowSeriesDates(TabControl1, TabItem1, TabItem2, Grid1, DateArray, cell))
        return;
    for (int r = 0; r < Grid1->rowCount(); ++r) {
        QTableWidgetItem *item = Grid1->item(r, 0);
        QFont f(EthiopicFamily);
        f.setPixelSize(26);
        item->setFont(f);
    }
}

bool TEthiopianForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FillSeriesDates();
    return QDialog::event(e);
}
