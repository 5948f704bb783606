#pragma once
// TErrorForm: the error window. It names the block number of the operation
// that failed and the error's message; the user reads it and presses "OK".
// AppException shows it through the user-interface seam.
#include <QDialog>

#include "platform/uiservices.h"

class QLabel;
class QPushButton;

class TErrorForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorForm(const platform::ErrorReport &report, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *ErrorImage = nullptr;
    QLabel *HeadingLabel = nullptr;
    QLabel *BlockLabel = nullptr;
    QLabel *MessageLabel = nullptr;
    QPushButton *OKbutton = nullptr;
};
