#include "tools/digitdates/ui/digitdateform.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QToolButton>

#include "tools/common/ui/glyphs.h"
#include "tools/common/ui/toolwindow.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"

namespace {

struct tMemberLook {
    const char *ObjectName;
    const char *Caption;
    int Width, Height;
    char16_t Zero, SecondZero;   // SecondZero 0: one script
    const char *Family, *SecondFamily;
    QStringList Columns;
    QList<int> Widths;
    QList<int> NativeColumns;    // columns of native digits: size 24, bold
};

tMemberLook LookOf(tDigitMember m)
{
    switch (m) {
    case tDigitMember::Bengali:
        return {"BengaliForm", "Bengali date converter", 468, 350, BengaliZero, 0, "Noto Sans Bengali", "",
                {QStringLiteral("Bengali"), QStringLiteral("Western")}, {180, 130}, {0}};
    case tDigitMember::Thai:
        return {"ThaiForm", "Thai date converter", 470, 368, ThaiZero, 0, "Noto Sans Thai", "",
                {QStringLiteral("Thai"), QStringLiteral("Date"), QStringLiteral("A.D.")}, {180, 130, 130}, {0}};
    case tDigitMember::Burmese:
        return {"BurmeseForm", "Burmese date converter", 466, 336, MyanmarZero, 0, "Noto Sans Myanmar", "",
                {QStringLiteral("Burmese"), QStringLiteral("C.S."), QStringLiteral("A.D.")}, {180, 130, 130}, {0}};
    case tDigitMember::Nepal:
        return {"NepalForm", "Nepal date converter", 470, 374, GurmukhiZero, DevanagariZero, "Noto Sans Gurmukhi",
                "Noto Sans Devanagari",
                {QStringLiteral("Gumukhi"), QStringLiteral("Devangari"), QStringLiteral("V.S."), QStringLiteral("A.D.")},
                {111, 111, 111, 111}, {0, 1}};
    case tDigitMember::Arab:
        break;
    }
    return {"ArabicForm", "Arab date converter", 466, 362, ArabicIndicZero, PersianZero, "Noto Sans Arabic",
            "Noto Sans Arabic",
            {QStringLiteral("Arabic"), QStringLiteral("Persian"), QStringLiteral("A.H."), QStringLiteral("A.D.")},
            {110, 110, 110, 110}, {0, 1}};
}

QFont SizedFont(const QFont &base, int pixels, bool bold = false)
{
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QLineEdit *YearBox(const char *name, bool allowMinus, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(18);
    e->setFont(f);
    // Four characters may be typed; a longer year written by the converter
    // is shown whole.
    const QString pattern = allowMinus ? QStringLiteral("-?[0-9]{0,3}|[0-9]{0,4}") : QStringLiteral("[0-9]{0,4}");
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    e->resize(80, 32);
    return e;
}

QLabel *Caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->adjustSize();
    return l;
}

// A caption centred above its box.
void CentreAbove(QLabel *label, const QLineEdit *box)
{
    label->adjustSize();
    label->move(box->x() - (label->width() - box->width()) / 2, box->y() - label->height() - 2);
}

} // namespace

TDigitDateForm::TDigitDateForm(tDigitMember member, std::function<std::vector<int>()> seriesDates, int currentYear,
                               QWidget *parent)
    : QDialog(parent, ToolWindowFlags()), Member(member), seriesDates_(std::move(seriesDates))
{
    const tMemberLook look = LookOf(member);
    setObjectName(QString::fromLatin1(look.ObjectName));
    setWindowTitle(QString::fromLatin1(look.Caption));
    // The Bengali window alone keeps its close box.
    if (member == tDigitMember::Bengali)
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(look.Width, look.Height);

    for (int d = 0; d < 10; ++d)
        imageList_.push_back(GlyphPicture(QString(QChar(static_cast<char16_t>(look.Zero + d))), GlyphWidth,
                                          GlyphHeight, QString::fromLatin1(look.Family)));
    if (look.SecondZero)
        for (int d = 0; d < 10; ++d)
            imageList_.push_back(GlyphPicture(QString(QChar(static_cast<char16_t>(look.SecondZero + d))), GlyphWidth,
                                              GlyphHeight, QString::fromLatin1(look.SecondFamily)));

    TabControl1 = NewConverterTabs(this);
    TabItem1 = NewTabPage("TabItem1");
    TabControl1->addTab(TabItem1, QStringLiteral("Converter"));

    TabItem2 = NewTabPage("TabItem2");
    auto *datesLayout = new QVBoxLayout(TabItem2);
    if (member == tDigitMember::Arab) {
        auto *strip = new QHBoxLayout;
        auto *showLabel = new QLabel(QStringLiteral("Show calendar:"));
        showLabel->setObjectName(QStringLiteral("Label3"));
        showLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ComboBox2 = new QComboBox;
        ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(18);
        ComboBox2->setFont(f);
        ComboBox2->addItems(GridCalendarItems());
        ComboBox2->setCurrentIndex(3);
        strip->addWidget(showLabel, 1);
        strip->addWidget(ComboBox2);
        datesLayout->addLayout(strip);
    }
    Grid1 = new TSeriesDatesGrid(look.Columns, look.Widths);
    datesLayout->addWidget(Grid1);
    TabControl1->addTab(TabItem2, QStringLiteral("Dates in this series"));

    OKbutton = LayOutTabsAboveOk(this, TabControl1);

    BuildConverterTab(currentYear);
    TabControl1->setCurrentWidget(TabItem1);
    FillSeriesDates();
    if (ComboBox2)
        connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TDigitDateForm::ComboBox2Change);
    ADedit->setFocus();
}

void TDigitDateForm::BuildConverterTab(int currentYear)
{
    QWidget *tab = TabItem1;
    for (int d = 0; d < 10; ++d) {
        auto *b = new QToolButton(tab);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(d));
        b->setText(QString::number(d));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(QIcon(QPixmap::fromImage(imageList_[static_cast<size_t>(d)])));
        b->setIconSize(QSize(30, 40));
        b->setGeometry(6 + 45 * d, 8, 40, 65);
        auto *shadow = new QGraphicsDropShadowEffect(b);
        shadow->setColor(QColor(0, 0, 0, 153));
        shadow->setOffset(2.1, 2.1);
        shadow->setBlurRadius(4);
        b->setGraphicsEffect(shadow);
        connect(b, &QToolButton::clicked, this, [this, d] { SpeedButtonClick(d); });
        ButtonList[static_cast<size_t>(d)] = b;
    }
    Image1 = new QLabel(tab);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(6, 92, 217, 73);
    Image1->setAlignment(Qt::AlignCenter);

    const bool minus = Member != tDigitMember::Bengali && Member != tDigitMember::Thai;
    ADedit = YearBox(Member == tDigitMember::Bengali ? "Edit1" : "ADedit", minus, tab);
    ADedit->move(Member == tDigitMember::Bengali ? 300 : 250, 118);
    ADlabel = Caption(QStringLiteral("A.D."), tab);
    ADlabel->setObjectName(QStringLiteral("ADlabel"));
    CentreAbove(ADlabel, ADedit);
    connect(ADedit, &QLineEdit::textEdited, this, &TDigitDateForm::ADeditTyping);

    if (Member != tDigitMember::Bengali) {
        const char *eraName = Member == tDigitMember::Nepal ? "VSedit" : Member == tDigitMember::Arab ? "ArabEdit" : "BEedit";
        EraEdit = YearBox(eraName, false, tab);
        EraEdit->move(350, 118);
        QString eraCaption = Member == tDigitMember::Burmese ? QStringLiteral("C.S.")
                             : Member == tDigitMember::Nepal ? QStringLiteral("V.S.")
                             : Member == tDigitMember::Arab  ? QStringLiteral("Middle Eastern date")
                                                             : QStringLiteral("B.E.");
        EraLabel = Caption(eraCaption, tab);
        EraLabel->setObjectName(QString::fromLatin1(Member == tDigitMember::Nepal || Member == tDigitMember::Arab
                                                        ? "VSlabel"
                                                        : "BElabel"));
        CentreAbove(EraLabel, EraEdit);
        connect(EraEdit, &QLineEdit::textEdited, this, &TDigitDateForm::EraEditTyping);
    }

    Label1 = new QLabel(tab);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setGeometry(11, 175, 440, 40);
    switch (Member) {
    case tDigitMember::Burmese: Label1->setText(QStringLiteral("C.S. = Chula Sakarat")); break;
    case tDigitMember::Nepal: Label1->setText(QStringLiteral("V.S. = Bikram Samvat Era")); break;
    case tDigitMember::Arab: Label1->setText(QStringLiteral("Date Descriptor")); break;
    default: break;
    }
    if (Member == tDigitMember::Thai) {
        Label3 = new QLabel(tab);
        Label3->setObjectName(QStringLiteral("Label3"));
        Label3->setAlignment(Qt::AlignCenter);
        Label3->setGeometry(11, 215, 440, 22);
        Label4 = new QLabel(tab);
        Label4->setObjectName(QStringLiteral("Label4"));
        Label4->setAlignment(Qt::AlignCenter);
        Label4->setGeometry(11, 237, 440, 22);
    }
    if (Member == tDigitMember::Arab) {
        ComboBox1 = new QComboBox(tab);
        ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
        QFont f = ComboBox1->font();
        f.setPixelSize(18);
        ComboBox1->setFont(f);
        ComboBox1->addItems(CalendarAbbreviations());
        ComboBox1->setCurrentIndex(0);
        // Three boxes share the row: the year boxes narrow to make room.
        ADedit->setGeometry(232, 118, 70, 32);
        EraEdit->setGeometry(306, 118, 70, 32);
        CentreAbove(ADlabel, ADedit);
        ComboBox1->setGeometry(380, 118, 72, 32);
        // The long caption spans the calendar year and its calendar box.
        EraLabel->adjustSize();
        EraLabel->move((EraEdit->x() + ComboBox1->x() + ComboBox1->width() - EraLabel->width()) / 2,
                       EraEdit->y() - EraLabel->height() - 2);
        Label2 = new QLabel(tab);
        Label2->setObjectName(QStringLiteral("Label2"));
        Label2->setFont(SizedFont(font(), 26));
        Label2->setStyleSheet(QStringLiteral("color: #1E90FF"));
        Label2->setAlignment(Qt::AlignCenter);
        Label2->setGeometry(6, 165, 217, 34);
        Label1->setGeometry(11, 205, 440, 44);
    }
    if (Member == tDigitMember::Nepal || Member == tDigitMember::Arab) {
        const bool nepal = Member == tDigitMember::Nepal;
        RadioButton1 = new QRadioButton(nepal ? QStringLiteral("Show Gumukhi script") : QStringLiteral("Show Arab script"), tab);
        RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
        RadioButton2 = new QRadioButton(nepal ? QStringLiteral("Show Devangari script") : QStringLiteral("Show Persian script"), tab);
        RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
        RadioButton1->setChecked(true);
        RadioButton1->adjustSize();
        RadioButton2->adjustSize();
        RadioButton1->move(40, 252);
        RadioButton2->move(250, 252);
        connect(RadioButton2, &QRadioButton::toggled, this, &TDigitDateForm::ScriptChange);
    }

    // The boxes start at the current year.
    ADedit->setText(QString::number(currentYear));
    switch (Member) {
    case tDigitMember::Bengali: DrawYearGlyphs(currentYear); break;
    case tDigitMember::Thai:
        ADeditTyping();
        ShowEra(ThaiBE);
        break;
    case tDigitMember::Burmese:
        SetNumber(EraEdit, ADToBurmese(currentYear));
        DrawYearGlyphs(ADToBurmese(currentYear));
        break;
    case tDigitMember::Nepal:
        SetNumber(EraEdit, ADToVS(currentYear));
        DrawYearGlyphs(ADToVS(currentYear));
        break;
    case tDigitMember::Arab: {
        const int e = ADToEra(Calendar(), currentYear);
        SetNumber(EraEdit, e);
        DrawYearGlyphs(e);
        Label1->setText(CalendarNote(Calendar()));
        connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TDigitDateForm::ComboBox1Change);
        break;
    }
    }
}

QLineEdit *TDigitDateForm::EraBox() const
{
    return EraEdit ? EraEdit : ADedit;
}

void TDigitDateForm::SetNumber(QLineEdit *box, int value)
{
    box->setText(QString::number(value));
}

int TDigitDateForm::ScriptOffset() const
{
    return RadioButton2 && RadioButton2->isChecked() ? 10 : 0;
}

int TDigitDateForm::Calendar() const
{
    return ComboBox1 ? std::max(0, ComboBox1->currentIndex()) : 0;
}

int TDigitDateForm::GridCalendar() const
{
    return ComboBox2 ? GridItemCalendar(ComboBox2->currentIndex()) : ArabAH;
}

void TDigitDateForm::DrawYearGlyphs(int year)
{
    const std::vector<int> digits = GlyphDigits(year);
    if (digits.empty()) {
        Picture = WhitePicture(4 * GlyphWidth, GlyphHeight);
        if (Member == tDigitMember::Bengali || Member == tDigitMember::Thai)
            ADedit->clear();
        if (Label2)
            Label2->hide();
    } else {
        Picture = WhitePicture(GlyphPictureWidth(static_cast<int>(digits.size())), GlyphHeight);
        QPainter p(&Picture);
        const int offset = ScriptOffset();
        for (size_t k = 0; k < digits.size(); ++k)
            p.drawImage(QPoint(GlyphWidth * static_cast<int>(k), 0),
                        imageList_[static_cast<size_t>(digits[k] + offset)]);
        if (Label2) {
            Label2->setText(QString::number(year));
            Label2->show();
        }
    }
    Image1->setPixmap(QPixmap::fromImage(
        Picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TDigitDateForm::ADeditTyping()
{
    const int a = BoxValue(ADedit->text());
    switch (Member) {
    case tDigitMember::Bengali: DrawYearGlyphs(a); return;
    case tDigitMember::Thai: {
        ShowEra(ThaiEraOfAD(a));
        const int b = ThaiEraYear(a);
        SetNumber(EraEdit, b);
        DrawYearGlyphs(b);
        return;
    }
    default: break;
    }
    const int e = Member == tDigitMember::Burmese ? ADToBurmese(a)
                  : Member == tDigitMember::Nepal ? ADToVS(a)
                                                  : ADToEra(Calendar(), a);
    if (e > 0)
        SetNumber(EraEdit, e);
    else
        EraEdit->clear();
    DrawYearGlyphs(e);
}

void TDigitDateForm::EraEditTyping()
{
    const int e = BoxValue(EraEdit->text());
    DrawYearGlyphs(e);
    switch (Member) {
    case tDigitMember::Thai:
        ShowEra(ThaiEraOfEraYear(e));
        SetNumber(ADedit, ThaiADOfEraYear(e));
        break;
    case tDigitMember::Burmese: SetNumber(ADedit, BurmeseToAD(e)); break;
    case tDigitMember::Nepal: SetNumber(ADedit, VSToAD(e)); break;
    case tDigitMember::Arab: SetNumber(ADedit, EraToAD(Calendar(), e)); break;
    case tDigitMember::Bengali: break;
    }
}

void TDigitDateForm::SpeedButtonClick(int digit)
{
    QLineEdit *box = EraBox();
    const int value = RollDigit(BoxValue(box->text()), digit);
    SetNumber(box, value);
    switch (Member) {
    case tDigitMember::Bengali: break;
    case tDigitMember::Thai: EraEditTyping(); break;
    case tDigitMember::Burmese: SetNumber(ADedit, BurmeseToAD(value)); break;
    case tDigitMember::Nepal: SetNumber(ADedit, VSToAD(value)); break;
    case tDigitMember::Arab: SetNumber(ADedit, EraToAD(Calendar(), value)); break;
    }
    DrawYearGlyphs(value);
}

void TDigitDateForm::ShowEra(int era)
{
    if (!Label3 || era < 0 || era > 2)
        return;
    const tThaiEraCaptions c = ThaiEraCaptions(static_cast<tThaiEra>(era));
    EraLabel->setText(c.Abbreviation);
    CentreAbove(EraLabel, EraEdit);
    Label1->setText(c.Name);
    Label3->setText(c.UsedAD);
    Label4->setText(c.UsedEra);
}

void TDigitDateForm::ScriptChange()
{
    const int offset = ScriptOffset();
    for (int i = 0; i < 10; ++i)
        ButtonList[static_cast<size_t>(i)]->setIcon(
            QIcon(QPixmap::fromImage(imageList_[static_cast<size_t>(i + offset)])));
    DrawYearGlyphs(BoxValue(EraEdit->text()));
}

void TDigitDateForm::ComboBox1Change()
{
    SetNumber(ADedit, EraToAD(Calendar(), BoxValue(EraEdit->text())));
    Label1->setText(CalendarNote(Calendar()));
}

void TDigitDateForm::ComboBox2Change()
{
    Grid1->setHorizontalHeaderItem(2, new QTableWidgetItem(CalendarAbbreviations()[GridCalendar()]));
    FillSeriesDates();
}

QString TDigitDateForm::CellText(int y, int column) const
{
    switch (Member) {
    case tDigitMember::Bengali: return column == 0 ? NativeDigitText(y, BengaliZero) : QString::number(y);
    case tDigitMember::Thai: {
        const int b = ThaiEraYear(y);
        if (column == 0)
            return NativeDigitText(b, ThaiZero);
        if (column == 1)
            return QString::number(b) + QLatin1Char(' ') + ThaiEraCaptions(ThaiEraOfAD(y)).Abbreviation;
        return QString::number(y);
    }
    case tDigitMember::Burmese:
        if (column == 0)
            return NativeDigitText(ADToBurmese(y), MyanmarZero);
        return QString::number(column == 1 ? ADToBurmese(y) : y);
    case tDigitMember::Nepal:
        if (column == 0)
            return NativeDigitText(ADToVS(y), GurmukhiZero);
        if (column == 1)
            return NativeDigitText(ADToVS(y), DevanagariZero);
        return QString::number(column == 2 ? ADToVS(y) : y);
    case tDigitMember::Arab: {
        const int e = ADToEra(GridCalendar(), y);
        if (column == 0)
            return NativeDigitText(e, ArabicIndicZero);
        if (column == 1)
            return NativeDigitText(e, PersianZero);
        return QString::number(column == 2 ? e : y);
    }
    }
    return {};
}

void TDigitDateForm::FillSeriesDates()
{
    DateArray = seriesDates_ ? seriesDates_() : std::vector<int>{};
    const auto cell = [this](int year, int column) { return CellText(year, column); };
    if (!ShowSeriesDates(TabControl1, TabItem1, TabItem2, Grid1, DateArray, cell))
        return;
    const QList<int> native = LookOf(Member).NativeColumns;
    for (int r = 0; r < Grid1->rowCount(); ++r)
        for (int c = 0; c < Grid1->columnCount(); ++c) {
            QTableWidgetItem *item = Grid1->item(r, c);
            if (native.contains(c))
                item->setFont(SizedFont(item->font(), 24, true));
            else if (Member == tDigitMember::Burmese)
                item->setTextAlignment(Qt::AlignCenter);
        }
}

bool TDigitDateForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FillSeriesDates();
    return QDialog::event(e);
}
