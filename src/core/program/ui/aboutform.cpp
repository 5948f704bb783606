#include "core/program/ui/aboutform.h"

#include <QEvent>
#include <QGraphicsBlurEffect>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include "core/program/ui/pixelfont.h"

namespace {

constexpr int ClientWidth = 550;
constexpr int ClientHeight = 454;
// The backdrop, centred in the window; the window is transparent around it.
const QRect Backdrop((ClientWidth - 500) / 2, (ClientHeight - 400) / 2, 500, 400);

} // namespace

TAboutForm::TAboutForm(const QString &version, const tAboutCounts &counts, const tSystemDescription &system,
                       QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Orvanta"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(false);
    setFixedSize(ClientWidth, ClientHeight);
    // The backdrop gives the window its shape, also where no compositor
    // draws the transparent corners.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(Backdrop).adjusted(-2, -2, 2, 2), 30, 30);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));

    auto *name = new QLabel(QStringLiteral("Orvanta"), this);
    name->setObjectName(QStringLiteral("ProductLabel"));
    SetPixelFont(name, 26, true);
    name->setStyleSheet(QStringLiteral("color: #F2D27A;"));
    name->setGeometry(Backdrop.x() + 16, Backdrop.y() + 40, 300, 48);
    // The name breathes: a soft blur that comes and goes.
    auto *blur = new QGraphicsBlurEffect(name);
    blur->setBlurRadius(0);
    name->setGraphicsEffect(blur);
    blur_ = new QVariantAnimation(this);
    blur_->setKeyValueAt(0, 0.0);
    blur_->setKeyValueAt(0.5, 3.0);
    blur_->setKeyValueAt(1, 0.0);
    blur_->setDuration(3000);
    blur_->setLoopCount(-1);
    connect(blur_, &QVariantAnimation::valueChanged, blur,
            [blur](const QVariant &v) { blur->setBlurRadius(v.toDouble()); });

    auto *subtitle = new QLabel(QStringLiteral("Numismatic Tracking System"), this);
    subtitle->setObjectName(QStringLiteral("SubtitleLabel"));
    SetPixelFont(subtitle, 16);
    subtitle->setStyleSheet(QStringLiteral("color: #696969;"));
    subtitle->setGeometry(Backdrop.x() + 18, Backdrop.y() + 92, 300, 24);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox->setGeometry(Backdrop.x() + 16, Backdrop.y() + 152, 217, 153);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    // The texts sit on the backdrop; the scroll bar keeps its own look.
    ScrollBox->viewport()->setStyleSheet(QStringLiteral("background: transparent; color: #F0F0F0;"));
    auto *texts = new QWidget;
    texts->setObjectName(QStringLiteral("AboutTexts"));
    auto *v = new QVBoxLayout(texts);
    v->setContentsMargins(0, 0, 4, 0);
    v->setSpacing(0);
    Label1 = new QLabel(AboutProgramText(version, ProgramEdition(), counts));
    Label1->setObjectName(QStringLiteral("Label1"));
    SetPixelFont(Label1, 16);
    Label2 = new QLabel(AboutSystemText(system));
    Label2->setObjectName(QStringLiteral("Label2"));
    SetPixelFont(Label2, 14);
    for (QLabel *l : {Label1, Label2}) {
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->addWidget(l);
    }
    v->addStretch(1);
    ScrollBox->setWidget(texts);

    DoneBtn = new QPushButton(QStringLiteral("OK"), this);
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    DoneBtn->setGeometry(Backdrop.x() + 16 + (217 - 94) / 2, Backdrop.y() + 152 + 153 + 16, 94, 41);
    DoneBtn->setDefault(true);
    connect(DoneBtn, &QPushButton::clicked, this, &QWidget::close);
}

bool TAboutForm::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::Show:
        blur_->start();
        break;
    case QEvent::WindowActivate:
        wasActive_ = true;
        break;
    case QEvent::WindowDeactivate:
        // Any other window coming forward, the main window included, ends
        // the box; one that was never active has nothing to lose.
        if (wasActive_) {
            blur_->stop();
            close();
        }
        break;
    default:
        break;
    }
    return QDialog::event(e);
}

void TAboutForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(Backdrop, 28, 28);
    QLinearGradient sky(Backdrop.topLeft(), Backdrop.bottomLeft());
    sky.setColorAt(0, QColor(0x1E, 0x2A, 0x44));
    sky.setColorAt(1, QColor(0x0B, 0x10, 0x1C));
    p.fillPath(shape, sky);
    p.setPen(QPen(QColor(0xC8, 0xA2, 0x4B), 3));
    p.drawPath(shape);

    // A coin on the right-hand side: rim, field and a reeded edge.
    const QPointF centre(Backdrop.right() - 130, Backdrop.center().y() + 10);
    QRadialGradient gold(centre - QPointF(30, 30), 150);
    gold.setColorAt(0, QColor(0xFF, 0xE9, 0xA6));
    gold.setColorAt(1, QColor(0x9C, 0x72, 0x1F));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawEllipse(centre, 100, 100);
    p.setPen(QPen(QColor(0x7A, 0x58, 0x14), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 84, 84);
    p.save();
    p.translate(centre);
    for (int i = 0; i < 120; ++i) {
        p.drawLine(QPointF(0, -97), QPointF(0, -91));
        p.rotate(3);
    }
    p.restore();
    QFont f = font();
    f.setPixelSize(64);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x7A, 0x58, 0x14));
    p.drawText(QRectF(centre.x() - 100, centre.y() - 100, 200, 200), Qt::AlignCenter, QStringLiteral("O"));
}

TAboutForm *ShowAboutBox(const QString &version, const tAboutCounts &counts, QWidget *owner)
{
    auto *box = new TAboutForm(version, counts, CurrentSystem(), owner);
    if (owner) {
        const QRect main = owner->geometry();
        box->move(main.x() + (main.width() - box->width()) / 2, main.y() + (main.height() - box->height()) / 2);
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}
