#pragma once
// TAboutForm, "About Orvanta": the version and edition, the size of the open
// collection and the system the program runs on. Not modal: it closes on OK
// or as soon as another window is activated, and frees itself. The texts are
// taken once, when the box is made (core/program/about.h).
#include <QDialog>

#include "core/program/about.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QVariantAnimation;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    TAboutForm(const QString &version, const tAboutCounts &counts, const tSystemDescription &system,
               QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;  // the program and the collection
    QLabel *Label2 = nullptr;  // the system
    QPushButton *DoneBtn = nullptr;
    QScrollArea *ScrollBox = nullptr;

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    QVariantAnimation *blur_ = nullptr;
    bool wasActive_ = false;
};

// Opens a new box centred over owner, in front, without waiting for it.
// Each call opens another box.
TAboutForm *ShowAboutBox(const QString &version, const tAboutCounts &counts, QWidget *owner);
