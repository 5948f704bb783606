#include "browse/shell/ui/titleform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>

#include "core/program/log.h"
#include "browse/shell/ui/mainform.h"

TTitle_Form *Title_Form = nullptr;

namespace {

constexpr int WindowSide = 540;
constexpr int PictureSide = 500;
constexpr int ShineFrames = 12;
const QColor DarkGoldenrod(0xB8, 0x86, 0x0B);
const QColor Goldenrod(0xDA, 0xA5, 0x20);

QRectF PictureRect()
{
    const double m = (WindowSide - PictureSide) / 2.0;
    return QRectF(m, m, PictureSide, PictureSide);
}

// The shine: one of twelve frames of a light band crossing the disc.
class TShineLayer : public QWidget {
public:
    explicit TShineLayer(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void SetFrame(int frame)
    {
        frame_ = frame;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (frame_ < 0)
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc = QRectF(rect()).adjusted(30, 30, -30, -30);
        QPainterPath clip;
        clip.addEllipse(disc);
        p.setClipPath(clip);
        const double t = double(frame_) / (ShineFrames - 1);
        const double x = disc.left() - 120 + t * (disc.width() + 240);
        QLinearGradient band(QPointF(x - 60, 0), QPointF(x + 60, 0));
        band.setColorAt(0, QColor(255, 255, 255, 0));
        band.setColorAt(0.5, QColor(255, 255, 240, 150));
        band.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(rect(), band);
    }

private:
    int frame_ = -1;
};

} // namespace

TTitle_Form::TTitle_Form(int animationDelay, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen)
{
    Title_Form = this;
    setObjectName(QStringLiteral("Title_Form"));
    setFixedSize(WindowSide, WindowSide);
    setAttribute(Qt::WA_TranslucentBackground);
    // Without a compositing window manager translucency shows black; the
    // mask keeps the window to the round picture either way.
    setMask(QRegion(PictureRect().adjusted(28, 28, -28, -28).toRect(), QRegion::Ellipse));

    VersionLabel = new QLabel(this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setAlignment(Qt::AlignCenter);
    VersionLabel->setGeometry(QRect(0, 330, WindowSide, 60));

    AnimationLayer = new TShineLayer(this);
    AnimationLayer->setObjectName(QStringLiteral("AnimationLayer"));
    AnimationLayer->setGeometry(PictureRect().toRect());

    ColorAnimation = new QVariantAnimation(this);
    ColorAnimation->setStartValue(DarkGoldenrod);
    ColorAnimation->setKeyValueAt(0.5, Goldenrod);
    ColorAnimation->setEndValue(DarkGoldenrod);
    ColorAnimation->setDuration(1600);
    ColorAnimation->setLoopCount(-1);
    connect(ColorAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        VersionLabel->setStyleSheet(QStringLiteral("color: %1;").arg(v.value<QColor>().name()));
    });

    BitmapListAnimation1 = new QVariantAnimation(this);
    BitmapListAnimation1->setStartValue(0);
    BitmapListAnimation1->setEndValue(ShineFrames - 1);
    BitmapListAnimation1->setDuration(1500);
    connect(BitmapListAnimation1, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &v) { static_cast<TShineLayer *>(AnimationLayer)->SetFrame(v.toInt()); });
    connect(BitmapListAnimation1, &QVariantAnimation::finished, this, &TTitle_Form::BitmapListAnimation1Finish);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(animationDelay);
    connect(Timer1, &QTimer::timeout, this, &TTitle_Form::Timer1Timer);

    FormCreate();
}

TTitle_Form::~TTitle_Form()
{
    if (Title_Form == this)
        Title_Form = nullptr;
}

void TTitle_Form::FormCreate()
{
    Timer1->start();
    QFont f = VersionLabel->font();
    f.setBold(true);
    if (LogMode) {
        f.setPixelSize(24);
        VersionLabel->setText(QStringLiteral("Log mode"));
    } else {
        f.setPixelSize(38);
        VersionLabel->setText(MainForm ? MainForm->State.OVversionString : QString());
    }
    VersionLabel->setFont(f);
    VersionLabel->setStyleSheet(QStringLiteral("color: %1;").arg(DarkGoldenrod.name()));
    ColorAnimation->start();
    if (MainForm && !MainForm->StartupTimer->isActive())
        MainForm->StartupTimer->start();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void TTitle_Form::Timer1Timer()
{
    Timer1->stop();
    BitmapListAnimation1->start();
}

void TTitle_Form::BitmapListAnimation1Finish()
{
    AnimationLayer->hide();
}

void TTitle_Form::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF pic = PictureRect();
    const QRectF disc = pic.adjusted(30, 30, -30, -30);
    const QPointF c = disc.center();

    // A struck gold piece: rim, field and legend.
    QRadialGradient field(c - QPointF(60, 80), disc.width() * 0.75);
    field.setColorAt(0, QColor(0xFF, 0xF1, 0xB8));
    field.setColorAt(0.55, QColor(0xE8, 0xBE, 0x4A));
    field.setColorAt(1, QColor(0xA8, 0x78, 0x10));
    p.setPen(QPen(QColor(0x7A, 0x55, 0x08), 6));
    p.setBrush(field);
    p.drawEllipse(disc);
    p.setPen(QPen(QColor(0x8B, 0x64, 0x12, 200), 2, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc.adjusted(22, 22, -22, -22));

    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(64);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x5C, 0x40, 0x05));
    p.drawText(QRectF(disc.left(), c.y() - 110, disc.width(), 90), Qt::AlignCenter, QStringLiteral("Orvanta"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(17);
    p.setFont(sub);
    p.drawText(QRectF(disc.left(), c.y() - 24, disc.width(), 30), Qt::AlignCenter,
               QStringLiteral("Coins and paper money"));
}
