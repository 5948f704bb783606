#pragma once
// "Orvanta: Image Repository": the folder that holds the collector's coin
// pictures. OK stores the folder and turns the obverse, reverse and receipt
// paths inside it into the "R~" form, so the folder can move to another
// place or computer and be chosen again; Ctrl+Alt+S re-attaches the
// folder's pictures to the entries by file name when OK is pressed (with
// the folder OK stores; Cancel drops both). A modeless tool window, freed
// when closed.
#include <functional>

#include <QWidget>

struct tMainState;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TRepositoryForm : public QWidget {
    Q_OBJECT
public:
    // changed runs after OK or the re-attach changed picture paths or the
    // folder: the main window updates its caption and the Images page.
    TRepositoryForm(tMainState &state, std::function<void()> changed, QWidget *parent = nullptr);

    QString HoldPath;   // the folder being chosen
    bool AttachPending = false;  // Ctrl+Alt+S was confirmed; OK re-attaches

    QPlainTextEdit *Memo1 = nullptr;   // the explanation
    QLineEdit *Edit1 = nullptr;        // "Current repository directory:"
    QPushButton *Button1 = nullptr;    // "Change Directory"
    QPushButton *OKButton = nullptr;
    QPushButton *Button2 = nullptr;    // "Cancel"
    QLabel *AttachLabel = nullptr;     // says that OK will re-attach

    void Button1Click();
    void OKButtonClick();
    // The re-attach command behind Ctrl+Alt+S: asks, then leaves the
    // re-attach to OK.
    void AttachImages();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    tMainState &state_;
    std::function<void()> changed_;
};

// The explanation the window shows.
extern const char *const RepositoryDocs;
