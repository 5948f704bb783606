#pragma once
// TTipForm, "Orvanta: Tip of the day": one tip at a time with "Next tip" and
// "Previous tip", and the box that decides whether it opens at start-up.
// Each opening shows the tip after the one shown last; closing stores the
// index and the box at once ("Tip Index", "Show Tips"). Modal for the user,
// but shown without a nested event loop, so nothing waits on it.
#include <QDialog>
#include <QStringList>

struct tMainState;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

class TTipForm : public QDialog {
    Q_OBJECT
public:
    // tips: the list to show (the built-in one in the program).
    TTipForm(tMainState &state, QStringList tips, QWidget *parent = nullptr);
    ~TTipForm() override;

    QStringList TipList;
    QLabel *Image1 = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QLabel *Label1 = nullptr;        // the tip
    QPushButton *Button1 = nullptr;  // "Next tip"
    QPushButton *Button2 = nullptr;  // "Previous tip"
    QPushButton *OKButton = nullptr;
    QCheckBox *CheckBox1 = nullptr;  // show at start-up

    // "Next tip" (Button1) or "Previous tip" (Button2).
    void Button1Click(QObject *sender);

protected:
    // However the window goes (OK, Esc, its close box), the choice is kept.
    void hideEvent(QHideEvent *event) override;

private:
    void ShowTip();
    tMainState &state_;
    bool stored_ = false;
};

// "Tip of the day": opens the window unless one is open; returns it.
TTipForm *Tipoftheday1Click(tMainState &state, QWidget *owner);
