#include "core/program/ui/epicmessageform.h"
#include "core/program/ui/centring.h"

#include <algorithm>

#include <QCheckBox>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/model/helpers.h"

namespace {

// The box as designed: a client area of 632 x 318, a picture column of a
// third of its width, margins of 16 around the text and the button rows.
constexpr int ClientWidth = 632;
constexpr int DesignHeight = 318;
constexpr int ColumnWidth = ClientWidth / 3;
constexpr int PictureOffset = 8;
constexpr int PictureSide = ColumnWidth - 2 * PictureOffset;
constexpr int Margin = 16;
constexpr int ButtonHeight = 41;
constexpr int NormalSlot = 120;
constexpr int WideSlot = 180;
constexpr int NormalRow = 382;
constexpr int WideRow = 573;
// Room around a row for the buttons' shadows, and for the outer slots of a
// full row of normal buttons, which reach a few pixels past the row's ends.
constexpr int RowPad = 10;
constexpr int RowHeight = ButtonHeight + 14;
constexpr int AskHeight = 34;
constexpr int BottomMargin = 10;

QString DisplayText(const QString &text)
{
    // Messages join their lines with carriage returns; labels break at "\n".
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace

TEpicMessage::TEpicMessage(const platform::MessageRequest &request, QWidget *parent)
    : QDialog(parent), request_(request)
{
    CurrProcGuard guard(Blocks::EpicMessageShow);
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(request.Caption.isEmpty() ? QStringLiteral("Orvanta") : request.Caption);
    setModal(true);
    setStyleSheet(QStringLiteral(
        "TEpicMessage { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7f7f7, stop:1 #d6d6d6); }"
        "QPushButton { background: #f2f2f2; border: 1px solid #8c8c8c; border-radius: 5px; padding: 0 6px; }"
        "QPushButton:pressed { background: #dcdcdc; }"
        "QPushButton:checked { background: #f5d77a; border: 2px solid #a67c00; }"));
    resize(ClientWidth, DesignHeight);

    Layout2 = new QWidget(this);
    Layout2->setObjectName(QStringLiteral("Layout2"));
    Image1 = new QLabel(Layout2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);  // a message is never markup
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont messageFont = Label1->font();
    messageFont.setPixelSize(request.LargeText ? 20 : 14);
    Label1->setFont(messageFont);
    Label1->setText(DisplayText(request.Text));

    Brow1Layout = new QWidget(this);
    Brow1Layout->setObjectName(QStringLiteral("Brow1Layout"));
    Brow2Layout = new QWidget(this);
    Brow2Layout->setObjectName(QStringLiteral("Brow2Layout"));
    AskLayout = new QWidget(this);
    AskLayout->setObjectName(QStringLiteral("AskLayout"));
    AskBox = new QCheckBox(AskLayout);
    AskBox->setObjectName(QStringLiteral("AskBox"));
    AskBox->setText(request.AskText.trimmed().isEmpty() ? QStringLiteral("Don't ask me to confirm this each time")
                                                        : request.AskText);
    AskBox->setChecked(request.AskDefault);
    AskLayout->setVisible(request.ShowDontAsk);

    const bool wide = std::any_of(request.Buttons.begin(), request.Buttons.end(),
                                  [](const platform::MessageButton &b) { return b.Wide; });
    rowWidth_ = wide ? WideRow : NormalRow;
    slotWidth_ = wide ? WideSlot : NormalSlot;

    for (int i = 0; i < 6; ++i) {
        auto *b = new QPushButton(i < 3 ? Brow1Layout : Brow2Layout);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        b->installEventFilter(this);
        buttons_[i] = b;
        const platform::MessageButton *asked = nullptr;
        for (const platform::MessageButton &mb : request.Buttons)
            if (mb.Value == (1 << i))
                asked = &mb;
        SetupMessageButton(b, asked);
    }
    SetShadows();
    // The buttons come first in the focus chain, the ask box last.
    setTabOrder(buttons_[5], AskBox);

    // Wide buttons leave no room for a picture.
    QImage picture = request.Image;
    if (picture.isNull() && !wide)
        picture = LoadForcedImage(request.Picture);
    hasPicture_ = !picture.isNull() && !wide;
    if (hasPicture_)
        Image1->setPixmap(QPixmap::fromImage(
            picture.scaled(PictureSide, PictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    Arrange();
}

QPushButton *TEpicMessage::Button(int number) const
{
    return number >= 1 && number <= 6 ? buttons_[number - 1] : nullptr;
}

void TEpicMessage::SetupMessageButton(QPushButton *button, const platform::MessageButton *asked)
{
    const QString text = asked ? asked->Caption : QString();
    button->setText(TakeOutAnds(text));
    button->setVisible(!text.trimmed().isEmpty());
    QFont f = button->font();
    f.setPixelSize(16);
    button->setFont(f);
    button->resize(asked && asked->Wide ? WideSlot : NormalSlot, ButtonHeight);
    if (!asked)
        return;
    if (asked->Toggle) {
        button->setCheckable(true);
        button->setAutoDefault(false);
    } else {
        const int value = asked->Value;
        connect(button, &QPushButton::clicked, this, [this, value] { done(value); });
        if (asked->Default)
            button->setDefault(true);
    }
    if (asked->ImageIndex >= 0 && EpicMessageHooks.ButtonIcon) {
        button->setIcon(EpicMessageHooks.ButtonIcon(asked->ImageIndex));
        button->setIconSize(QSize(28, 28));
    }
}

void TEpicMessage::ArrangeButtonRow(QWidget *row, int first)
{
    std::vector<QPushButton *> visible;
    std::vector<int> widths;
    for (int i = first; i < first + 3; ++i)
        if (!buttons_[i]->isHidden()) {
            visible.push_back(buttons_[i]);
            widths.push_back(buttons_[i]->width());
        }
    row->setVisible(!visible.empty());
    const std::vector<int> lefts = ::ArrangeButtonRow(rowWidth_, slotWidth_, widths);
    for (size_t k = 0; k < visible.size(); ++k)
        visible[k]->move(RowPad + lefts[k], (RowHeight - ButtonHeight) / 2);
}

void TEpicMessage::Arrange()
{
    Layout2->setVisible(hasPicture_);
    Layout2->setGeometry(0, 0, ColumnWidth, DesignHeight);
    Image1->setGeometry(PictureOffset, PictureOffset, PictureSide, PictureSide);

    const int contentLeft = (hasPicture_ ? ColumnWidth : 0) + Margin;
    const int contentWidth = ClientWidth - contentLeft - Margin;
    const int textHeight = Label1->text().isEmpty() ? 0 : Label1->heightForWidth(contentWidth);
    Label1->setGeometry(contentLeft, Margin, contentWidth, textHeight);

    // The rows follow the text directly: a long message makes the box
    // taller, a short one makes it shorter than designed.
    int y = Margin + textHeight + 8;
    ArrangeButtonRow(Brow1Layout, 0);
    ArrangeButtonRow(Brow2Layout, 3);
    const int rowLeft = contentLeft + (contentWidth - rowWidth_) / 2 - RowPad;
    for (QWidget *row : {Brow1Layout, Brow2Layout}) {
        row->setGeometry(rowLeft, y, rowWidth_ + 2 * RowPad, RowHeight);
        if (!row->isHidden())
            y += RowHeight;
    }
    AskLayout->setGeometry(contentLeft, y, contentWidth, AskHeight);
    AskBox->adjustSize();
    AskBox->move((contentWidth - AskBox->width()) / 2, (AskHeight - AskBox->height()) / 2);
    if (!AskLayout->isHidden())
        y += AskHeight;

    int height = y + BottomMargin;
    if (hasPicture_)
        height = std::max(height, PictureSide + 2 * PictureOffset);
    Layout2->resize(ColumnWidth, height);
    setFixedSize(ClientWidth, height);
}

void TEpicMessage::SetShadows()
{
    for (QPushButton *b : buttons_) {
        auto *shadow = new QGraphicsDropShadowEffect(b);
        shadow->setBlurRadius(6);
        shadow->setOffset(2, 2);
        shadow->setColor(QColor(0, 0, 0, 90));
        b->setGraphicsEffect(shadow);
    }
}

bool TEpicMessage::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(watched);
    if (button && event->type() == QEvent::Enter) {
        auto *glow = new QGraphicsDropShadowEffect(button);
        glow->setObjectName(QStringLiteral("GlowEffect1"));
        glow->setBlurRadius(22);
        glow->setOffset(0, 0);
        glow->setColor(QColor(255, 196, 0));
        button->setGraphicsEffect(glow);
    } else if (button && event->type() == QEvent::Leave) {
        SetShadows();
    }
    return QDialog::eventFilter(watched, event);
}

void TEpicMessage::showEvent(QShowEvent *event)
{
    MessageInUse = true;
    CentreOnScreen(this);
    QDialog::showEvent(event);
}

void TEpicMessage::reject()
{
    done(platform::cancelValue(request_));
}

void TEpicMessage::done(int r)
{
    CurrProcGuard guard(Blocks::EpicMessageClose);
    outcome_.Value = r;
    outcome_.OptionBits = 0;
    for (int i = 0; i < 6; ++i)
        if (buttons_[i]->isCheckable() && buttons_[i]->isChecked())
            outcome_.OptionBits |= 1 << i;
    outcome_.DontAsk = AskBox->isChecked();
    MessageInUse = false;
    QDialog::done(r);
}
