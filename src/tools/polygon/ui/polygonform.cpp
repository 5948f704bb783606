#include "tools/polygon/ui/polygonform.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "tools/common/ui/toolwindow.h"
#include "tools/polygon/polygon.h"

namespace {

QFont Sized(const QFont &base, int pixels)
{
    QFont f = base;
    f.setPixelSize(pixels);
    return f;
}

} // namespace

TPolygonForm::TPolygonForm(QWidget *parent) : QDialog(parent, ToolWindowFlags())
{
    setObjectName(QStringLiteral("PolygonForm"));
    setWindowTitle(QStringLiteral("Polygon Coins Tool"));
    setFixedSize(504, 416);

    auto *shapeLabel = new QLabel(QStringLiteral("Shape:"));
    ComboBox1 = new QComboBox;
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFont(Sized(font(), 18));
    ComboBox1->setMaxVisibleItems(static_cast<int>(PolygonNames().size()));
    ComboBox1->setFixedWidth(257);
    ComboBox1->addItems(PolygonNames());

    auto *measureLabel = new QLabel(QStringLiteral("Measurment"));
    measureLabel->setFont(Sized(font(), 16));
    measureLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(Sized(font(), 18));
    Edit1->setMaxLength(7);
    Edit1->setFixedWidth(80);
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), Edit1));
    auto *mmLabel = new QLabel(QStringLiteral("(mm)"));

    GroupBox1 = new QGroupBox(QStringLiteral("Measured"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(Sized(font(), 16));
    auto *radios = new QVBoxLayout(GroupBox1);
    for (int i = 0; i < 3; ++i) {
        auto *b = new QRadioButton;
        b->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        radios->addWidget(b);
        RadioButtons[static_cast<size_t>(i)] = b;
        // Every change of the chosen mode recalculates; the button that is
        // switched off says nothing new.
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Calculate();
        });
    }

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(200, 200);
    Image1->setScaledContents(true);

    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setFont(Sized(font(), 16));
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    DoneBtn = new QPushButton(QStringLiteral("Done"));
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    connect(DoneBtn, &QPushButton::clicked, this, &QDialog::close);

    auto *inputs = new QVBoxLayout;
    inputs->addWidget(shapeLabel);
    inputs->addWidget(ComboBox1);
    auto *measure = new QHBoxLayout;
    measure->addWidget(measureLabel);
    measure->addWidget(Edit1);
    measure->addWidget(mmLabel);
    measure->addStretch();
    inputs->addLayout(measure);
    inputs->addWidget(GroupBox1);
    inputs->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(inputs, 1);
    top->addWidget(Image1, 0, Qt::AlignTop);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(DoneBtn);
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(Memo1, 1);
    v->addLayout(bottom);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TPolygonForm::ComboBox1Change);
    connect(Edit1, &QLineEdit::textChanged, this, &TPolygonForm::Calculate);
    ComboBox1->setCurrentIndex(0);
    ComboBox1Change();
}

void TPolygonForm::ComboBox1Change()
{
    const int n = ComboBox1->currentIndex() + PolygonMinSides;
    const QList<tPolygonChoice> choices = PolygonChoices(n);
    for (size_t i = 0; i < RadioButtons.size(); ++i) {
        QRadioButton *b = RadioButtons[i];
        const bool used = i < static_cast<size_t>(choices.size());
        if (used) {
            b->setText(choices[static_cast<qsizetype>(i)].Caption);
            b->setProperty("Tag", static_cast<int>(choices[static_cast<qsizetype>(i)].Mode));
        }
        b->setVisible(used);
    }
    {
        // Choosing a shape selects the first mode; the memo is rebuilt once,
        // below, whether or not that button was already chosen.
        const QSignalBlocker block(RadioButtons[0]);
        RadioButtons[0]->setChecked(true);
    }
    Image1->setPixmap(QPixmap::fromImage(PolygonPicture(n, 256)));
    Calculate();
}

int TPolygonForm::Mode() const
{
    for (QRadioButton *b : RadioButtons)
        if (b->isChecked())
            return b->property("Tag").toInt();
    return RadioButtons[2]->property("Tag").toInt();
}

void TPolygonForm::Calculate()
{
    const int n = ComboBox1->currentIndex() + PolygonMinSides;
    const QStringList lines = PolygonMemo(n, Edit1->text(), static_cast<tPolygonMode>(Mode()), QLocale());
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}
