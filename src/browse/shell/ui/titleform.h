#pragma once
// The splash window shown while the program starts: a title picture with the
// version (or "Log mode") in a pulsing gold, and a short shine that crosses
// the picture once. The main window's deferred start-up frees it.
#include <QWidget>

class QLabel;
class QTimer;
class QVariantAnimation;

class TTitle_Form : public QWidget {
    Q_OBJECT
public:
    // animationDelay: milliseconds before the shine starts.
    explicit TTitle_Form(int animationDelay = 1500, QWidget *parent = nullptr);
    ~TTitle_Form() override;

    QLabel *VersionLabel = nullptr;
    QTimer *Timer1 = nullptr;
    QWidget *AnimationLayer = nullptr;
    QVariantAnimation *ColorAnimation = nullptr;
    QVariantAnimation *BitmapListAnimation1 = nullptr;

    void FormCreate();
    void Timer1Timer();
    void BitmapListAnimation1Finish();

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The splash of the process, set while it exists. It is created by the
// program entry and freed by the main window's deferred start-up.
extern TTitle_Form *Title_Form;
