#include "browse/tips/ui/tipform.h"

#include <QCheckBox>
#include <QHideEvent>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "browse/tips/tips.h"
#include "core/model/mainstate.h"
#include "core/program/errorreport.h"
#include "core/program/settings.h"
#include "core/program/ui/centring.h"
#include "core/program/ui/pixelfont.h"
#include "platform/settingsstore.h"

namespace {

// The one open tip window (TipsInUse).
QPointer<TTipForm> OpenTipForm;

// A light bulb, drawn to the size of the picture box.
QPixmap BulbPicture(QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF glass(w * 0.08, h * 0.04, w * 0.84, w * 0.84);
    QRadialGradient glow(glass.center() - QPointF(w * 0.12, w * 0.12), w * 0.6);
    glow.setColorAt(0, QColor(0xFF, 0xFB, 0xD0));
    glow.setColorAt(1, QColor(0xF5, 0xC5, 0x18));
    p.setPen(QPen(QColor(0xB0, 0x86, 0x00), 2));
    p.setBrush(glow);
    QPainterPath bulb;
    bulb.addEllipse(glass);
    QPainterPath neck;
    neck.addRect(QRectF(w * 0.3, glass.bottom() - w * 0.2, w * 0.4, h * 0.18));
    p.drawPath(bulb.united(neck));
    // The filament.
    p.setPen(QPen(QColor(0xC0, 0x60, 0x00), 1.5));
    p.drawPolyline(QPolygonF({QPointF(w * 0.38, glass.bottom()), QPointF(w * 0.42, glass.center().y()),
                              QPointF(w * 0.5, glass.center().y() + w * 0.08), QPointF(w * 0.58, glass.center().y()),
                              QPointF(w * 0.62, glass.bottom())}));
    // The screw base.
    const qreal baseTop = glass.bottom() - w * 0.2 + h * 0.18;
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(QColor(0x9A, 0x9A, 0x9A));
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(w * 0.28, baseTop + i * h * 0.06, w * 0.44, h * 0.06), 3, 3);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    p.drawEllipse(QRectF(w * 0.4, baseTop + h * 0.18, w * 0.2, h * 0.06));
    return pm;
}

} // namespace

TTipForm::TTipForm(tMainState &state, QStringList tips, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      TipList(std::move(tips)), state_(state)
{
    setObjectName(QStringLiteral("TipForm"));
    setWindowTitle(QStringLiteral("Orvanta: Tip of the day"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(540, 244);

    auto *card = new QFrame(this);
    card->setObjectName(QStringLiteral("Rectangle1"));
    card->setGeometry(8, 8, 373, 201);
    card->setStyleSheet(QStringLiteral("QFrame#Rectangle1 { background: white; border-radius: 4px; }"));
    auto *shadow = new QGraphicsDropShadowEffect(card);
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(8);
    card->setGraphicsEffect(shadow);

    Image1 = new QLabel(card);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 65, 105);
    Image1->setPixmap(BulbPicture(Image1->size()));

    ScrollBox = new QScrollArea(card);
    ScrollBox->setObjectName(QStringLiteral("VertScrollBox1"));
    ScrollBox->setGeometry(card->width() - 292 - 4, 4, 292, card->height() - 8);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    // The bar stays, so a long tip does not re-wrap when it appears.
    ScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: white; }"));
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setContentsMargins(0, 5, 5, 5);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(18);
    Label1->setFont(f);
    Label1->setStyleSheet(QStringLiteral("color: black;"));
    ScrollBox->setWidget(Label1);

    Button1 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Next tip"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(395, 24, 137, 41);
    Button2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Previous tip"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(395, 80, 137, 41);
    OKButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(400, 189, 128, 41);
    OKButton->setDefault(true);
    CheckBox1 = new QCheckBox(QStringLiteral("Show the Tip-of-the-day when Orvanta starts"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    SetPixelFont(CheckBox1, 14);
    CheckBox1->setGeometry(16, 217, 370, 22);
    CheckBox1->setChecked(state_.UseTips);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button1Click(Button2); });
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);

    state_.TipIndex = OpeningTipIndex(state_.TipIndex, static_cast<int>(TipList.size()));
    ShowTip();
}

TTipForm::~TTipForm() = default;

void TTipForm::ShowTip()
{
    const int i = state_.TipIndex;
    Label1->setText(i >= 0 && i < TipList.size() ? TipList[i] : QString());
    ScrollBox->verticalScrollBar()->setValue(0);
}

void TTipForm::Button1Click(QObject *sender)
{
    if (TipList.isEmpty()) {
        Label1->clear();
        return;
    }
    state_.TipIndex = StepTipIndex(state_.TipIndex, static_cast<int>(TipList.size()), sender != Button2);
    ShowTip();
}

void TTipForm::hideEvent(QHideEvent *event)
{
    if (!stored_ && !event->spontaneous()) {
        stored_ = true;
        state_.UseTips = CheckBox1->isChecked();
        // Stored at once, so the next run continues where this one ended.
        try {
            WriteRegInteger(RegName::TipIndex, state_.TipIndex);
            WriteRegBool(RegName::ShowTips, state_.UseTips);
        } catch (const platform::SettingsError &e) {
            AppException(e);
        }
    }
    QDialog::hideEvent(event);
}

TTipForm *Tipoftheday1Click(tMainState &state, QWidget *owner)
{
    if (OpenTipForm)
        return OpenTipForm;
    OpenTipForm = new TTipForm(state, LoadTips(), owner);
    CentreOnScreen(OpenTipForm);
    OpenTipForm->show();
    OpenTipForm->raise();
    OpenTipForm->activateWindow();
    return OpenTipForm;
}
