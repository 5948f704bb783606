#include "core/program/ui/errorform.h"
#include "core/program/ui/centring.h"

#include <algorithm>

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 436;
constexpr int DesignHeight = 222;
constexpr int PictureWidth = 193;
constexpr int PictureHeight = 177;
constexpr int Edge = 8;

// A warning sign, drawn rather than stored so the window needs no files.
QPixmap WarningPicture()
{
    QPixmap pm(PictureWidth, PictureHeight);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(PictureWidth / 2.0, 14);
    triangle.lineTo(PictureWidth - 12, PictureHeight - 16);
    triangle.lineTo(12, PictureHeight - 16);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(0x70, 0x10, 0x10), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xF2, 0xC2, 0x1B));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x08, 0x08));
    p.drawRoundedRect(QRectF(PictureWidth / 2.0 - 8, 58, 16, 66), 7, 7);
    p.drawEllipse(QPointF(PictureWidth / 2.0, 140), 9, 9);
    return pm;
}

} // namespace

TErrorForm::TErrorForm(const platform::ErrorReport &report, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ErrorForm"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Orvanta"));
    setModal(true);

    ErrorImage = new QLabel(this);
    ErrorImage->setObjectName(QStringLiteral("ErrorImage"));
    ErrorImage->setPixmap(WarningPicture());
    ErrorImage->setGeometry(Edge, Edge, PictureWidth, PictureHeight);

    const int textLeft = Edge + PictureWidth + 10;
    const int textWidth = ClientWidth - textLeft - 8;
    auto label = [&](const char *name, int pixelSize, const QString &text) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        QFont f = l->font();
        f.setPixelSize(pixelSize);
        l->setFont(f);
        l->setText(text);
        return l;
    };
    HeadingLabel = label("HeadingLabel", 18, QStringLiteral("An error has occurred"));
    QFont bold = HeadingLabel->font();
    bold.setBold(true);
    HeadingLabel->setFont(bold);
    QPalette red = HeadingLabel->palette();
    red.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    HeadingLabel->setPalette(red);
    BlockLabel = label("BlockLabel", 16, QStringLiteral("Block number ") + QString::number(report.Block));
    MessageLabel = label("MessageLabel", 13, report.Message);

    int y = 14;
    for (QLabel *l : {HeadingLabel, BlockLabel, MessageLabel}) {
        const int h = l->heightForWidth(textWidth);
        l->setGeometry(textLeft, y, textWidth, h);
        y += h + 8;
    }

    OKbutton = new QPushButton(QStringLiteral("OK"), this);
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    OKbutton->setDefault(true);
    connect(OKbutton, &QPushButton::clicked, this, &QDialog::accept);

    // A long message makes the window taller rather than being cut off.
    const int height = std::max(DesignHeight, y + 41 + 12);
    setFixedSize(ClientWidth, height);
    OKbutton->setGeometry(ClientWidth - 115 - 12, height - 41 - 12, 115, 41);
}

void TErrorForm::showEvent(QShowEvent *event)
{
    CentreOnScreen(this);
    QDialog::showEvent(event);
}
