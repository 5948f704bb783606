#include "browse/shell/ui/toolwindowhoming.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWidget>

#include "core/model/blocks.h"
#include "core/model/currproc.h"

namespace {

QPropertyAnimation *MakeGlide(QObject *owner, const char *name, const char *property)
{
    auto *a = new QPropertyAnimation(owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setPropertyName(property);
    a->setDuration(500);
    a->setEasingCurve(QEasingCurve::InOutQuad);
    return a;
}

} // namespace

THomeTarget::THomeTarget(QWidget *window) : QObject(window), window_(window)
{
    setObjectName(QStringLiteral("HomeTarget"));
    fHomex = window->x();
    fHomeY = window->y();
}

THomeTarget *THomeTarget::Of(QWidget *window)
{
    if (auto *t = window->findChild<THomeTarget *>(QString(), Qt::FindDirectChildrenOnly))
        return t;
    return new THomeTarget(window);
}

void THomeTarget::SetHomeX(double value)
{
    fHomex = value;
    window_->move(static_cast<int>(value), window_->y());
}

void THomeTarget::SetHomeY(double value)
{
    fHomeY = value;
    window_->move(window_->x(), static_cast<int>(value));
}

TToolWindowHoming::TToolWindowHoming(QObject *owner) : QObject(owner)
{
    setObjectName(QStringLiteral("ToolWindowHoming"));
    FloatAnimationXX = MakeGlide(owner, "FloatAnimationXX", "HomeX");
    FloatAnimationYY = MakeGlide(owner, "FloatAnimationYY", "HomeY");
    for (QPropertyAnimation *a : {FloatAnimationXX, FloatAnimationYY})
        connect(a, &QPropertyAnimation::finished, this, &TToolWindowHoming::GlideFinished);
}

TToolWindowHoming::~TToolWindowHoming()
{
    StopGlide();
}

QWidget *TToolWindowHoming::OpenWindow(const QString &className)
{
    const QByteArray name = className.toLatin1();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(name.constData()))
            return w;
    return nullptr;
}

bool TToolWindowHoming::GlideRunning() const
{
    return FloatAnimationXX->state() == QAbstractAnimation::Running ||
           FloatAnimationYY->state() == QAbstractAnimation::Running;
}

bool TToolWindowHoming::HomeForm(QWidget *window, tHomeVariant variant)
{
    QSize screen(1920, 1080);
    if (ScreenSize)
        screen = ScreenSize();
    else if (const QScreen *primary = QGuiApplication::primaryScreen())
        screen = primary->geometry().size();
    const QRect frame = window->frameGeometry();
    const tHomeGlide g = HomeGlide(variant, frame, screen);
    if (!g.Started())
        return false;
    StopGlide();
    window_ = window;
    window->installEventFilter(this);
    THomeTarget *target = THomeTarget::Of(window);
    connect(target, &QObject::destroyed, this, &TToolWindowHoming::StopGlide, Qt::UniqueConnection);
    if (g.GlideX)
        Lend(FloatAnimationXX, target, g.FromX, g.ToX);
    if (g.GlideY)
        Lend(FloatAnimationYY, target, g.FromY, g.ToY);
    if (g.Raise)
        window->raise();
    for (QPropertyAnimation *a : {FloatAnimationXX, FloatAnimationYY})
        if (a->targetObject())
            a->start();
    return true;
}

void TToolWindowHoming::Lend(QPropertyAnimation *animation, QObject *target, double from, double to)
{
    animation->setTargetObject(target);
    animation->setStartValue(from);
    animation->setEndValue(to);
}

void TToolWindowHoming::GlideFinished()
{
    if (GlideRunning())
        return;  // the other axis still glides
    if (window_)
        window_->raise();
    StopGlide();
}

void TToolWindowHoming::StopGlide()
{
    for (QPropertyAnimation *a : {FloatAnimationXX, FloatAnimationYY}) {
        // Stopping sends no "finished": the window is not raised.
        a->stop();
        a->setTargetObject(nullptr);
    }
    if (window_)
        window_->removeEventFilter(this);
    window_ = nullptr;
}

bool TToolWindowHoming::eventFilter(QObject *watched, QEvent *event)
{
    // A window that closes mid-glide takes the glide with it.
    if (watched == window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        StopGlide();
    return QObject::eventFilter(watched, event);
}

bool TToolWindowHoming::Walk()
{
    return HomingWalk(
        HomingTable(), [](const tHomingRow &row) { return OpenWindow(row.Window) != nullptr; },
        [this](const tHomingRow &row) { return HomeForm(OpenWindow(row.Window), row.Variant); });
}

void TToolWindowHoming::PullToFront1Click()
{
    CurrProcGuard guard(Blocks::PullToFront);
    for (const tHomingRow &row : HomingTable())
        if (QWidget *w = OpenWindow(row.Window)) {
            w->raise();
            w->activateWindow();
        }
}
