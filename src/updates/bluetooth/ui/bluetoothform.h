#pragma once
// The Bluetooth text window: starts and stops the text service and shows
// what clients send.
#include <functional>
#include <memory>

#include <QWidget>

#include "updates/bluetooth/textservice.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TBlueToothForm : public QWidget {
    Q_OBJECT
public:
    // transport: the radio; none gives QtBluetooth's.
    explicit TBlueToothForm(QWidget *parent = nullptr, std::unique_ptr<tBtTransport> transport = nullptr);
    ~TBlueToothForm() override;

    tTextService &Service() { return *service_; }
    void StartServiceButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();

    std::unique_ptr<tBtTransport> transport_;
    std::unique_ptr<tTextService> service_;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *StartServiceButton = nullptr;
    QLabel *Labeldiscoverable = nullptr;
    QLabel *LabelServer = nullptr;
    bool shown_ = false;
};

extern TBlueToothForm *BlueToothForm;
extern bool BlueToothFormInUse;

// Makes the radio of a new window; tests install a fake. Empty: QtBluetooth.
extern std::function<std::unique_ptr<tBtTransport>()> BtTransportFactory;

// "Enable bluetooth service": opens the window once, centred over the main
// window, or brings the open one to the front. It frees itself when closed.
TBlueToothForm *OpenBlueToothForm(QWidget *mainWindow);
