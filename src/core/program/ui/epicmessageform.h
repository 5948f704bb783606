#pragma once
// TEpicMessage: the window of the program's message box. Up to six buttons
// in two rows (values 1, 2, 4 in the upper row, 8, 16, 32 in the lower),
// toggle buttons that stay pressed, the "Don't ask me to confirm this each
// time" box and an optional square picture at the left. Logic never creates
// it: questions go through ShowEpicMessage and the user-interface seam.
#include <array>

#include <QDialog>

#include "platform/uiservices.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TEpicMessage : public QDialog {
    Q_OBJECT
public:
    explicit TEpicMessage(const platform::MessageRequest &request, QWidget *parent = nullptr);

    // What the box reports once it has closed.
    platform::MessageResult Outcome() const { return outcome_; }
    // Button 1..6, hidden when the request has no button of that value.
    QPushButton *Button(int number) const;
    bool HasPicture() const { return hasPicture_; }

public Q_SLOTS:
    // Esc and closing the window answer with the cancel-like button.
    void reject() override;
    void done(int r) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetupMessageButton(QPushButton *button, const platform::MessageButton *asked);
    void ArrangeButtonRow(QWidget *row, int first);
    void Arrange();
    void SetShadows();

    platform::MessageRequest request_;
    QWidget *Layout2 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QWidget *Brow1Layout = nullptr;
    QWidget *Brow2Layout = nullptr;
    QWidget *AskLayout = nullptr;
    QCheckBox *AskBox = nullptr;
    std::array<QPushButton *, 6> buttons_{};
    int rowWidth_ = 382;
    int slotWidth_ = 120;
    bool hasPicture_ = false;
    platform::MessageResult outcome_;
};
