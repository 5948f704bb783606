#include "updates/programupdate/ui/programupdateform.h"

#include <cmath>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/model/currproc.h"

TProgramUpdateForm *ProgramUpdateForm = nullptr;
bool ProgramUpdateInUse = false;

QPixmap NewStickerPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A sixteen-point burst in red with a white rim and the word "NEW".
    QPainterPath burst;
    const QPointF centre(size / 2.0, size / 2.0);
    const int points = 16;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 ? 0.40 : 0.48) * size;
        const double a = M_PI * i / points - M_PI / 2;
        const QPointF pt = centre + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            burst.moveTo(pt);
        else
            burst.lineTo(pt);
    }
    burst.closeSubpath();
    p.setPen(QPen(Qt::white, std::max(1.0, size / 32.0)));
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawPath(burst);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::max(6, size / 4));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("NEW"));
    return pixmap;
}

TProgramUpdateForm::TProgramUpdateForm(tMainState &s, QWidget *parent, tRetryTimer::Clock clock)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s), Machine_(s, std::move(clock))
{
    setObjectName(QStringLiteral("ProgramUpdateForm"));
    setWindowTitle(QStringLiteral("Orvanta: Check for program updates"));
    setFixedSize(402, 336);
    ProgramUpdateInUse = true;

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QHBoxLayout;
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(NewStickerPixmap(64));
    Image1->setFixedSize(64, 64);
    Label2 = new QLabel(QStringLiteral("Program Updates"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont big = Label2->font();
    big.setPixelSize(16);
    big.setBold(true);
    Label2->setFont(big);
    Label2->setWordWrap(true);
    heading->addWidget(Image1);
    heading->addWidget(Label2, 1);
    layout->addLayout(heading);

    FramedVertScrollBox1 = new QScrollArea(this);
    FramedVertScrollBox1->setObjectName(QStringLiteral("FramedVertScrollBox1"));
    FramedVertScrollBox1->setWidgetResizable(true);
    Label3 = new QLabel(QStringLiteral("Orvanta is connecting to the update server..."));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Label3->setWordWrap(true);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FramedVertScrollBox1->setWidget(Label3);
    layout->addWidget(FramedVertScrollBox1, 1);

    label1 = new QLabel(this);
    label1->setObjectName(QStringLiteral("label1"));
    label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(label1);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    layout->addWidget(ProgressBar1);

    auto *buttons = new QHBoxLayout;
    DownloadButton = new QPushButton(QStringLiteral("Download update"), this);
    DownloadButton->setObjectName(QStringLiteral("DownloadButton"));
    OKbutton = new QPushButton(QStringLiteral("Cancel"), this);
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    buttons->addStretch(1);
    buttons->addWidget(DownloadButton);
    buttons->addWidget(OKbutton);
    layout->addLayout(buttons);
    connect(DownloadButton, &QPushButton::clicked, this, &TProgramUpdateForm::Button1Click);
    connect(OKbutton, &QPushButton::clicked, this, &TProgramUpdateForm::OKbuttonClick);

    connect(&Machine_, &tProgramUpdateMachine::CheckFinished, this, &TProgramUpdateForm::OnCheckFinished);
    connect(&Machine_, &tProgramUpdateMachine::DownloadFinished, this, &TProgramUpdateForm::OnDownloadFinished);
    connect(&Machine_, &tProgramUpdateMachine::Progress, this, [this](const QString &text, int percent) {
        if (!ProgressBar1->isVisible())
            return;
        label1->setText(text);
        ProgressBar1->setValue(percent);
    });

    ProgressBar1->hide();
    label1->hide();
    DownloadButton->hide();
}

TProgramUpdateForm::~TProgramUpdateForm()
{
    if (ProgramUpdateForm == this)
        ProgramUpdateForm = nullptr;
    ProgramUpdateInUse = false;
}

void TProgramUpdateForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TProgramUpdateForm::FormShow()
{
    OKbutton->setEnabled(true);
    Machine_.Check();
}

void TProgramUpdateForm::ShowView(const tUpdateView &view)
{
    Image1->setVisible(view.Sticker);
    Label2->setText(view.Heading);
    Label3->setText(view.Body);
}

void TProgramUpdateForm::OnCheckFinished(const tUpdateView &view, bool notesFound)
{
    // Without notes on the server nothing was compared: the texts stay.
    if (notesFound)
        ShowView(view);
    if (!view.Newer)
        OKbutton->setText(QStringLiteral("OK"));
    DownloadButton->setVisible(view.Newer);
    raise();
    if (closeWanted_)
        close();
}

void TProgramUpdateForm::Button1Click()
{
    if (Machine_.Busy())
        return;
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    label1->clear();
    label1->show();
    DownloadButton->hide();
    Machine_.Download();
}

void TProgramUpdateForm::OnDownloadFinished(const tUpdateView &view)
{
    ShowView(view);
    ProgressBar1->setVisible(view.Finished);
    if (view.Finished)
        ProgressBar1->setValue(100);
    OKbutton->setText(QStringLiteral("OK"));
    if (closeWanted_)
        close();
}

void TProgramUpdateForm::OKbuttonClick()
{
    close();
}

void TProgramUpdateForm::closeEvent(QCloseEvent *event)
{
    if (Machine_.Busy()) {
        closeWanted_ = true;
        Machine_.CancelTransfers();
        event->ignore();
        return;
    }
    event->accept();
    hide();
    ProgramUpdateInUse = false;
    if (ProgramUpdateForm == this)
        ProgramUpdateForm = nullptr;
}

TProgramUpdateForm *OpenProgramUpdateForm(tMainState &s, QWidget *mainWindow, tRetryTimer::Clock clock)
{
    CurrProcGuard guard(ProgramUpdateBlock);
    if (!ProgramUpdateForm) {
        ProgramUpdateForm = new TProgramUpdateForm(s, mainWindow, std::move(clock));
        ProgramUpdateForm->setAttribute(Qt::WA_DeleteOnClose);
        // Centred on the screen rather than over the main window.
        if (QScreen *screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen()) {
            const QPoint centre = screen->availableGeometry().center();
            ProgramUpdateForm->move(centre - QPoint(ProgramUpdateForm->width() / 2, ProgramUpdateForm->height() / 2));
        }
    }
    ProgramUpdateForm->show();
    ProgramUpdateForm->raise();
    ProgramUpdateForm->activateWindow();
    return ProgramUpdateForm;
}
