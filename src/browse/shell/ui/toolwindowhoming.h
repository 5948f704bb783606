#pragma once
// Brings tool windows that lie partly off the screen back into view with a
// short glide, and raises them all on request. The two glide animations
// belong to the main window: they are lent to one tool window for a glide
// and taken back when it ends, or when the window closes or goes away
// mid-glide, so no animation is ever left pointing at a freed window.
#include <functional>

#include <QObject>
#include <QPointer>
#include <QSize>

#include "browse/shell/housekeeping.h"

class QPropertyAnimation;
class QWidget;

class TToolWindowHoming : public QObject {
    Q_OBJECT
public:
    explicit TToolWindowHoming(QObject *owner);
    ~TToolWindowHoming() override;

    QPropertyAnimation *FloatAnimationXX = nullptr;  // drives "HomeX" of the window lent to
    QPropertyAnimation *FloatAnimationYY = nullptr;  // drives "HomeY"
    // The size every window is measured against (unset: the primary screen).
    std::function<QSize()> ScreenSize;

    // The open (shown) top-level window of that class, or null.
    static QWidget *OpenWindow(const QString &className);
    // Starts the glide that brings window back onto the screen; true when
    // it started one.
    bool HomeForm(QWidget *window, tHomeVariant variant);
    bool GlideRunning() const;
    // One walk over the homing table; true when a window started to glide.
    bool Walk();
    // Raises and activates every open tool window in the table's order: the
    // last one ends on top.
    void PullToFront1Click();
    // The window a glide is lent to (null when idle).
    QWidget *GlidingWindow() const { return window_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Lend(QPropertyAnimation *animation, QObject *target, double from, double to);
    void GlideFinished();
    void StopGlide();

    QPointer<QWidget> window_;
};

// "HomeX" and "HomeY" of a tool window: writing one stores it and moves the
// window's left or top edge to its whole part. Lives as a child of the
// window, so it goes when the window goes.
class THomeTarget : public QObject {
    Q_OBJECT
    Q_PROPERTY(double HomeX READ HomeX WRITE SetHomeX)
    Q_PROPERTY(double HomeY READ HomeY WRITE SetHomeY)
public:
    explicit THomeTarget(QWidget *window);
    static THomeTarget *Of(QWidget *window);
    double HomeX() const { return fHomex; }
    double HomeY() const { return fHomeY; }
    void SetHomeX(double value);
    void SetHomeY(double value);

private:
    QWidget *window_;
    double fHomex = 0;
    double fHomeY = 0;
};
