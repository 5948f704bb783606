#include "tools/hebrew/ui/hebrewform.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVariantAnimation>

#include "tools/common/ui/glyphs.h"
#include "tools/common/ui/toolwindow.h"
#include "tools/digitdates/digitdates.h"
#include "tools/hebrew/hebrew.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"

namespace {

const QString HebrewFamily = QStringLiteral("Noto Sans Hebrew");

// The "Hebrew" cell: the last letter, the grey gershayim (the numeral mark,
// which a date may leave out), the other letters as one right-to-left run,
// then the grey he of the implied 5000.
class tHebrewCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString letters = index.data(Qt::DisplayRole).toString();
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        if (letters.isEmpty())
            return;
        QFont f(HebrewFamily);
        f.setPixelSize(26);
        f.setBold(true);
        p->save();
        p->setFont(f);
        const QFontMetrics fm(f);
        const QString mark(QChar(0x05F4)), he(QChar(0x05D4));
        const QString parts[4] = {letters.right(1), mark, letters.left(letters.size() - 1), he};
        const QColor colors[4] = {Qt::black, QColor(0x80, 0x80, 0x80), Qt::black, QColor(0x80, 0x80, 0x80)};
        const QRect cell = option.rect;
        int x = cell.left() + (cell.width() - fm.horizontalAdvance(letters + mark + he)) / 2;
        for (int i = 0; i < 4; ++i) {
            if (parts[i].isEmpty())
                continue;
            const int w = fm.horizontalAdvance(parts[i]);
            p->setPen(colors[i]);
            p->drawText(QRect(x, cell.top(), w + 2, cell.height()), Qt::AlignLeft | Qt::AlignBottom, parts[i]);
            x += w;
        }
        p->restore();
    }
};

QLineEdit *YearBox(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(18);
    e->setFont(f);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), e));
    e->resize(70, 30);
    return e;
}

} // namespace

THebrewForm::THebrewForm(std::function<std::vector<int>()> seriesDates, int currentYear, QWidget *parent)
    : QDialog(parent, ToolWindowFlags()), seriesDates_(std::move(seriesDates))
{
    setObjectName(QStringLiteral("HebrewForm"));
    setWindowTitle(QStringLiteral("Hebrew date converter"));
    setFixedSize(418, 414);

    for (int i = 0; i < 22; ++i)
        imageList_.push_back(GlyphPicture(QString(HebrewLetterChar(i)), 125, 170, HebrewFamily));
    // The separator: the gershayim, the numeral mark before the last letter.
    imageList_.push_back(GlyphPicture(QString(QChar(0x05F4)), 125, 170, HebrewFamily));
    imageList_.push_back(GlyphPicture(QString(QChar(0x05D4)), 125, 170, HebrewFamily, QColor(0x80, 0x80, 0x80)));

    TabControl1 = NewConverterTabs(this);
    TabItem1 = NewTabPage("TabItem1");
    TabControl1->addTab(TabItem1, QStringLiteral("Converter"));
    TabItem2 = NewTabPage("TabItem2");
    auto *datesLayout = new QVBoxLayout(TabItem2);
    Grid1 = new TSeriesDatesGrid({QStringLiteral("Hebrew"), QStringLiteral("J.E."), QStringLiteral("A.D.")},
                                 {170, 110, 110});
    Grid1->setItemDelegateForColumn(0, new tHebrewCellDelegate(Grid1));
    datesLayout->addWidget(Grid1);
    TabControl1->addTab(TabItem2, QStringLiteral("Dates in this series"));

    OKbutton = LayOutTabsAboveOk(this, TabControl1);

    QWidget *tab = TabItem1;
    for (int tag = 1; tag <= 22; ++tag) {
        auto *b = new QToolButton(tab);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(tag));
        b->setCheckable(true);
        b->setText(QString::number(LetterButtonValue(tag)));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(QIcon(QPixmap::fromImage(imageList_[static_cast<size_t>(tag - 1)])));
        b->setIconSize(QSize(30, 40));
        // Black caption, white when pressed.
        b->setStyleSheet(QStringLiteral("QToolButton { color: black; } QToolButton:checked { color: white; }"));
        const int row = tag <= 9 ? 0 : tag <= 18 ? 1 : 2;
        const int k = tag <= 9 ? tag - 1 : tag <= 18 ? tag - 10 : tag - 19;
        b->setGeometry(8 + 45 * k, 8 + 72 * row, 40, 65);
        auto *shadow = new QGraphicsDropShadowEffect(b);
        shadow->setColor(QColor(0, 0, 0, 153));
        shadow->setOffset(2.1, 2.1);
        shadow->setBlurRadius(4);
        b->setGraphicsEffect(shadow);
        connect(b, &QToolButton::clicked, this, [this, tag] { LetterButtonClick(tag); });
        ButtonList[static_cast<size_t>(tag)] = b;
    }
    Image1 = new QLabel(tab);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8 + 4 * 45 + 4, 152, 210, 73);
    Image1->setAlignment(Qt::AlignCenter);
    Label4 = new QLabel(QStringLiteral("Gray charactors are implied and so may, or may not, appear in the date."), tab);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setGeometry(Image1->x(), 224, 210, 34);

    Edit1 = YearBox("Edit1", tab);
    Edit2 = YearBox("Edit2", tab);
    Edit1->move(120, 286);
    Edit2->move(250, 286);
    Label1 = new QLabel(QStringLiteral("Jewish year"), tab);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3 = new QLabel(QStringLiteral("Gregorian year"), tab);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label5 = new QLabel(QStringLiteral("5000+"), tab);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setStyleSheet(QStringLiteral("color: gray"));
    Label2 = new QLabel(QStringLiteral("Hebrew Date Converter"), tab);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(4, 318, 400, 22);

    connect(Edit1, &QLineEdit::textEdited, this, &THebrewForm::Edit1Typing);
    connect(Edit2, &QLineEdit::textEdited, this, &THebrewForm::Edit2Typing);

    TabControl1->setCurrentWidget(TabItem1);
    FillSeriesDates();

    defaultYpos_ = Edit1->y();
    defaultHeight_ = Edit1->height();
    defaultMidline_ = Edit1->y() + Edit1->height() / 2.0;
    // The pair of boxes centred on the window, each caption centred above.
    const int a = (Edit2->x() + Edit2->width() - Edit1->x()) / 2;
    const int b = (width() - 8) / 2;
    Edit1->move(b - a, Edit1->y());
    Edit2->move(a + b - Edit2->width(), Edit2->y());
    for (auto [label, box] : {std::pair{Label1, Edit1}, std::pair{Label3, Edit2}}) {
        label->adjustSize();
        label->move(box->x() - (label->width() - box->width()) / 2, box->y() - label->height() - 2);
    }
    Label5->adjustSize();
    Label5->move(Edit1->x() - Label5->width() - 4, Edit1->y() + (Edit1->height() - Label5->height()) / 2);

    // A year box grows about its middle line while it has the focus.
    for (int i = 0; i < 2; ++i) {
        QLineEdit *box = i == 0 ? Edit1 : Edit2;
        auto *anim = new QVariantAnimation(this);
        anim->setDuration(200);
        anim->setStartValue(1.0);
        anim->setEndValue(1.3);
        connect(anim, &QVariantAnimation::valueChanged, this, [this, box](const QVariant &scale) {
            const int h = static_cast<int>(defaultHeight_ * scale.toDouble());
            box->setGeometry(box->x(), static_cast<int>(defaultMidline_ - h / 2.0), box->width(), h);
        });
        grow_[i] = anim;
        box->installEventFilter(this);
    }

    Edit2->setText(QString::number(currentYear));
    Edit2Typing();
    Edit2->setFocus();
}

bool THebrewForm::eventFilter(QObject *watched, QEvent *e)
{
    if ((e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) && (watched == Edit1 || watched == Edit2)) {
        QVariantAnimation *anim = grow_[watched == Edit1 ? 0 : 1];
        anim->stop();
        anim->setDirection(e->type() == QEvent::FocusIn ? QAbstractAnimation::Forward : QAbstractAnimation::Backward);
        anim->start();
    }
    return QDialog::eventFilter(watched, e);
}

void THebrewForm::SetPressed(int tag, bool on)
{
    ButtonList[static_cast<size_t>(tag)]->setChecked(on);
}

void THebrewForm::ShowHebrewYear(int j, int letterButton)
{
    if (j < 5000 || j > 5999) {
        Picture = WhitePicture(Image1->width(), Image1->height());
        Image1->setPixmap(QPixmap::fromImage(Picture));
        Label4->hide();
        Edit1->clear();
        for (int t = 1; t <= 22; ++t)
            SetPressed(t, false);
        return;
    }
    const std::vector<int> letters = HebrewLetters(j);
    tLetterButtons pressed{};
    if (letterButton == 0) {
        pressed = ButtonsOfLetters(letters);
        for (int t = 1; t <= 22; ++t)
            SetPressed(t, pressed[static_cast<size_t>(t)]);
    } else {
        for (int t = 1; t <= 22; ++t)
            pressed[static_cast<size_t>(t)] = ButtonList[static_cast<size_t>(t)]->isChecked();
    }
    const tHebrewPicture layout = HebrewPictureLayout(letters);
    if (!layout.Pictures.empty()) {
        Picture = WhitePicture(layout.Width, 170);
        QPainter p(&Picture);
        for (const tPlacedPicture &placed : layout.Pictures)
            p.drawImage(QPoint(placed.X, 0), imageList_[static_cast<size_t>(placed.Picture)]);
        p.end();
        Image1->setPixmap(QPixmap::fromImage(
            Picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    Label2->setText(HebrewNameLine(letters, letterButton != 0 && WrongSyntax(pressed)));
    Label4->show();
}

void THebrewForm::Edit1Typing()
{
    const int v = BoxValue(Edit1->text());
    ShowHebrewYear(v + JewishThousands, 0);
    // A year the box cannot hold empties it; the A.D. year still follows.
    Edit2->setText(QString::number(v + JewishThousands - JewishOffset));
}

void THebrewForm::Edit2Typing()
{
    const int g = BoxValue(Edit2->text());
    ShowHebrewYear(g + JewishOffset, 0);
    const int v = g + JewishOffset - JewishThousands;
    if (v >= 0 && v <= 999)
        Edit1->setText(QString::number(v));
    else
        Edit1->clear();
}

void THebrewForm::LetterButtonClick(int tag)
{
    // The click has toggled the button already; the rules start from the
    // state before it and settle the others.
    tLetterButtons before{};
    for (int t = 1; t <= 22; ++t)
        before[static_cast<size_t>(t)] = ButtonList[static_cast<size_t>(t)]->isChecked();
    before[static_cast<size_t>(tag)] = !before[static_cast<size_t>(tag)];
    const tLetterButtons after = ClickLetterButton(before, tag);
    for (int t = 1; t <= 22; ++t)
        SetPressed(t, after[static_cast<size_t>(t)]);
    const int j = ComposedYear(after);
    ShowHebrewYear(j, tag);
    Edit2->setText(QString::number(j - JewishOffset));
    Edit1->setText(QString::number(j - JewishThousands));
}

void THebrewForm::FillSeriesDates()
{
    DateArray = seriesDates_ ? seriesDates_() : std::vector<int>{};
    ShowSeriesDates(TabControl1, TabItem1, TabItem2, Grid1, DateArray, [](int y, int column) {
        const int j = y + JewishOffset;
        if (column == 0)
            return HebrewGridLetters(j);
        return QString::number(column == 1 ? j : y);
    });
}

bool THebrewForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FillSeriesDates();
    return QDialog::event(e);
}
