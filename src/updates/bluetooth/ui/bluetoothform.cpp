#include "updates/bluetooth/ui/bluetoothform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "updates/bluetooth/ui/qtbttransport.h"

TBlueToothForm *BlueToothForm = nullptr;
bool BlueToothFormInUse = false;
std::function<std::unique_ptr<tBtTransport>()> BtTransportFactory;

TBlueToothForm::TBlueToothForm(QWidget *parent, std::unique_ptr<tBtTransport> transport)
    : QWidget(parent, Qt::Window), transport_(std::move(transport))
{
    if (!transport_)
        transport_ = BtTransportFactory ? BtTransportFactory() : std::make_unique<tQtBtTransport>();
    service_ = std::make_unique<tTextService>(*transport_);
    setObjectName(QStringLiteral("BlueToothForm"));
    setWindowTitle(QStringLiteral("Form1"));
    resize(640, 480);

    LabelServer = new QLabel(QStringLiteral("Server"), this);
    LabelServer->setObjectName(QStringLiteral("LabelServer"));
    LabelServer->setGeometry(8, 8, 300, 22);
    Labeldiscoverable = new QLabel(QStringLiteral("Labeldiscoverable"), this);
    Labeldiscoverable->setObjectName(QStringLiteral("Labeldiscoverable"));
    Labeldiscoverable->setGeometry(8, 34, 460, 22);
    StartServiceButton = new QPushButton(QStringLiteral("StartServiceButton"), this);
    StartServiceButton->setObjectName(QStringLiteral("StartServiceButton"));
    StartServiceButton->setCheckable(true);
    StartServiceButton->setGeometry(476, 8, 156, 30);
    connect(StartServiceButton, &QPushButton::clicked, this, &TBlueToothForm::StartServiceButtonClick);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(tTextService::LogCap);
    Memo1->setGeometry(8, 64, 624, 408);
    connect(service_.get(), &tTextService::LineAdded, this, [this](const QString &line) {
        Memo1->appendPlainText(line);
        Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
    });
    BlueToothFormInUse = true;
}

TBlueToothForm::~TBlueToothForm()
{
    // The service goes before its radio.
    service_->Shutdown();
    service_.reset();
    transport_.reset();
    if (BlueToothForm == this)
        BlueToothForm = nullptr;
    BlueToothFormInUse = false;
}

void TBlueToothForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TBlueToothForm::FormShow()
{
    LabelServer->setText(TextServiceName);
    if (const auto discoverable = service_->CheckAdapter())
        Labeldiscoverable->setText(*discoverable);
}

void TBlueToothForm::StartServiceButtonClick()
{
    const tTextService::tButton b = service_->ButtonClicked(StartServiceButton->isChecked());
    StartServiceButton->setChecked(b.Pressed);
    if (!b.Text.isEmpty())
        StartServiceButton->setText(b.Text);
}

void TBlueToothForm::closeEvent(QCloseEvent *event)
{
    service_->Shutdown();
    BlueToothFormInUse = false;
    if (BlueToothForm == this)
        BlueToothForm = nullptr;
    event->accept();
}

TBlueToothForm *OpenBlueToothForm(QWidget *mainWindow)
{
    if (!BlueToothForm) {
        BlueToothForm = new TBlueToothForm(mainWindow);
        BlueToothForm->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (mainWindow) {
        const QPoint centre = mainWindow->frameGeometry().center();
        BlueToothForm->move(centre - QPoint(BlueToothForm->width() / 2, BlueToothForm->height() / 2));
    }
    BlueToothForm->show();
    BlueToothForm->setWindowState(BlueToothForm->windowState() & ~Qt::WindowMinimized);
    BlueToothForm->raise();
    BlueToothForm->activateWindow();
    return BlueToothForm;
}
