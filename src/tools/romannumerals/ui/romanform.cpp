#include "tools/romannumerals/ui/romanform.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>

#include "tools/common/ui/toolwindow.h"
#include "tools/romannumerals/romannumerals.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"

namespace {

// Lets through only the letters of Roman numerals, turning lower-case ones
// into capitals as they are typed.
class tRomanValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        for (QChar c : input)
            if (!QStringLiteral("IVXLCDM").contains(c))
                return Invalid;
        return Acceptable;
    }
};

QFont SizedFont(const QFont &base, int pixels, bool bold = false)
{
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

TRomanForm::TRomanForm(std::function<std::vector<int>()> seriesDates, QWidget *parent)
    : QDialog(parent, ToolWindowFlags()), seriesDates_(std::move(seriesDates))
{
    setObjectName(QStringLiteral("RomanForm"));
    setWindowTitle(QStringLiteral("Orvanta: Roman number converter"));
    setFixedSize(308, 386);

    TabControl1 = NewConverterTabs(this);

    TabItem1 = NewTabPage("TabItem1");
    auto *grid = new QGridLayout(TabItem1);
    auto *romanCaption = new QLabel(QStringLiteral("Roman Number"));
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(SizedFont(font(), 18));
    Edit1->setValidator(new tRomanValidator(Edit1));
    auto *romanRange = new QLabel(QStringLiteral("I to MMMCMXCIX"));
    auto *westernCaption = new QLabel(QStringLiteral("Western"));
    Edit2 = new QLineEdit;
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setFont(SizedFont(font(), 18));
    Edit2->setMaxLength(4);
    Edit2->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit2));
    auto *westernRange = new QLabel(QStringLiteral("1 to 3999"));
    grid->addWidget(romanCaption, 0, 0);
    grid->addWidget(westernCaption, 0, 1);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(romanRange, 2, 0);
    grid->addWidget(westernRange, 2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    auto *below = new QHBoxLayout;
    auto *legend = new QVBoxLayout;
    const char *const letters[] = {"M", "D", "C", "L", "X", "V", "I"};
    const char *const values[] = {"=1000", "=500", "=100", "=50", "=10", "=5", "=1"};
    for (int i = 0; i < 7; ++i) {
        auto *line = new QLabel(QStringLiteral("<span style=\"color:blue;font-weight:bold;font-size:18px\">%1</span>%2")
                                    .arg(QLatin1String(letters[i]), QLatin1String(values[i])));
        legend->addWidget(line);
    }
    below->addLayout(legend);
    DescLabel = new QLabel(
        QStringLiteral("Type in either a Roman number or a Arabic number to convert from one to the other."));
    DescLabel->setObjectName(QStringLiteral("DescLabel"));
    DescLabel->setWordWrap(true);
    DescLabel->setAlignment(Qt::AlignCenter);
    below->addWidget(DescLabel, 1);
    grid->addLayout(below, 3, 0, 1, 2);
    grid->setRowStretch(3, 1);
    TabControl1->addTab(TabItem1, QStringLiteral("Converter"));

    TabItem2 = NewTabPage("TabItem2");
    auto *datesLayout = new QVBoxLayout(TabItem2);
    Grid1 = new TSeriesDatesGrid({QStringLiteral("Roman"), QStringLiteral("Western")}, {173, 110});
    datesLayout->addWidget(Grid1);
    TabControl1->addTab(TabItem2, QStringLiteral("Dates in this series"));

    OKbutton = new QPushButton(QStringLiteral("OK"));
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    connect(OKbutton, &QPushButton::clicked, this, &QDialog::close);
    auto *strip = new QHBoxLayout;
    strip->addStretch();
    strip->addWidget(OKbutton);

    auto *v = new QVBoxLayout(this);
    v->addWidget(TabControl1, 1);
    v->addLayout(strip);

    // Only the user's typing runs the handlers; each writes the other box
    // from code without running that box's handler.
    connect(Edit1, &QLineEdit::textEdited, this, &TRomanForm::Edit1Typing);
    connect(Edit2, &QLineEdit::textEdited, this, &TRomanForm::Edit2Typing);

    TabControl1->setCurrentWidget(TabItem1);
    FillSeriesDates();
}

void TRomanForm::Edit1Typing()
{
    const tRomanReading r = ReadRoman(Edit1->text());
    Edit2->setText(r.Western);
    DescLabel->setText(r.Description);
}

void TRomanForm::Edit2Typing()
{
    const tWesternReading r = ReadWestern(Edit2->text());
    DescLabel->setText(r.Description);
    Edit1->setText(r.Roman);
}

void TRomanForm::FillSeriesDates()
{
    DateArray = seriesDates_ ? seriesDates_() : std::vector<int>{};
    ShowSeriesDates(TabControl1, TabItem1, TabItem2, Grid1, DateArray,
                    [](int year, int column) { return column == 0 ? ToRoman(year) : QString::number(year); });
}

bool TRomanForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FillSeriesDates();
    return QDialog::event(e);
}
