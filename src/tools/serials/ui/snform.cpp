#include "tools/serials/ui/snform.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>

#include "core/files/valuestream.h"
#include "tools/common/ui/toolwindow.h"

namespace {

QFont Sized(const QFont &base, int pixels)
{
    QFont f = base;
    f.setPixelSize(pixels);
    return f;
}

QComboBox *MakeCombo(const char *name, const QFont &base)
{
    auto *c = new QComboBox;
    c->setObjectName(QString::fromLatin1(name));
    c->setFont(Sized(base, 18));
    c->setMinimumHeight(30);
    return c;
}

} // namespace

QImage SignaturePicture(const QString &name)
{
    QImage image(200, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("URW Chancery L"));
    f.setStyleHint(QFont::Cursive);
    f.setItalic(true);
    f.setPixelSize(24);
    p.setFont(f);
    // Shrink long names until they fit.
    while (p.fontMetrics().horizontalAdvance(name) > 190 && f.pixelSize() > 10) {
        f.setPixelSize(f.pixelSize() - 1);
        p.setFont(f);
    }
    p.setPen(QColor(20, 20, 60));
    p.drawText(QRect(5, 0, 190, 42), Qt::AlignCenter, name);
    // A flourish under the name.
    QPainterPath stroke;
    stroke.moveTo(20, 44);
    stroke.cubicTo(70, 38, 130, 50, 180, 41);
    p.setPen(QPen(QColor(20, 20, 60), 1.2));
    p.drawPath(stroke);
    return image;
}

TSNform::TSNform(QWidget *parent) : QDialog(parent, ToolWindowFlags())
{
    try {
        runs_ = EmbeddedRuns();
    } catch (const StreamReadError &e) {
        loadError_ = QStringLiteral("The printing runs could not be read (%1); printing dates are not shown.")
                         .arg(QString::fromUtf8(e.what()));
    }
    Build();
}

TSNform::TSNform(std::vector<tRunInfo> runs, QWidget *parent)
    : QDialog(parent, ToolWindowFlags()), runs_(std::move(runs))
{
    Build();
}

void TSNform::Build()
{
    setObjectName(QStringLiteral("SNform"));
    setWindowTitle(QStringLiteral("Orvanta: Serial Number Explorer"));
    setMinimumSize(510, 336);
    resize(560, 420);

    ComboBox1 = MakeCombo("ComboBox1", font());
    ComboBox1->addItems(DenominationNames());
    ComboBox1->setCurrentIndex(-1);
    ComboBox2 = MakeCombo("ComboBox2", font());
    ComboBox2->addItems(SeriesNames());
    ComboBox2->setCurrentIndex(-1);
    ComboBox3 = MakeCombo("ComboBox3", font());
    ComboBox4 = MakeCombo("ComboBox4", font());
    for (QChar c : SuffixLetters())
        ComboBox4->addItem(QString(c));
    ComboBox4->setCurrentIndex(0);
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(Sized(font(), 18));
    Edit1->setMaxLength(8);
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit1));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Denomination"), ComboBox1);
    form->addRow(QStringLiteral("Series"), ComboBox2);
    auto *bankRow = new QHBoxLayout;
    bankRow->addWidget(ComboBox3);
    bankRow->addWidget(new QLabel(QStringLiteral("Serial number")));
    bankRow->addWidget(Edit1, 1);
    bankRow->addWidget(new QLabel(QStringLiteral("Sequence")));
    bankRow->addWidget(ComboBox4);
    form->addRow(QStringLiteral("Bank"), bankRow);

    auto signer = [this](const QString &title, QLabel *&name, QLabel *&picture, const char *nameId,
                         const char *pictureId) {
        auto *box = new QGroupBox(title);
        auto *v = new QVBoxLayout(box);
        picture = new QLabel;
        picture->setObjectName(QString::fromLatin1(pictureId));
        picture->setFixedSize(200, 50);
        name = new QLabel;
        name->setObjectName(QString::fromLatin1(nameId));
        name->setAlignment(Qt::AlignCenter);
        v->addWidget(picture, 0, Qt::AlignHCenter);
        v->addWidget(name);
        return box;
    };
    auto *signers = new QHBoxLayout;
    signers->addWidget(signer(QStringLiteral("Treasurer of the United States"), Label9, Image1, "Label9", "Image1"));
    signers->addWidget(signer(QStringLiteral("Secretary of the Treasury"), Label10, Image2, "Label10", "Image2"));

    auto *scrollContent = new QWidget;
    auto *texts = new QVBoxLayout(scrollContent);
    PrintedLabel = new QLabel;
    PrintedLabel->setObjectName(QStringLiteral("PrintedLabel"));
    PrintedLabel->setAlignment(Qt::AlignHCenter);
    PrintedLabel->setWordWrap(true);
    PatternLabel = new QLabel;
    PatternLabel->setObjectName(QStringLiteral("PatternLabel"));
    PatternLabel->setWordWrap(true);
    texts->addWidget(PrintedLabel);
    texts->addWidget(PatternLabel);
    texts->addStretch();
    auto *scroll = new QScrollArea;
    scroll->setWidget(scrollContent);
    scroll->setWidgetResizable(true);

    DoneBtn = new QPushButton(QStringLiteral("Done"));
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    connect(DoneBtn, &QPushButton::clicked, this, &QDialog::close);
    auto *bottom = new QHBoxLayout;
    if (!loadError_.isEmpty()) {
        auto *error = new QLabel(loadError_);
        error->setObjectName(QStringLiteral("LoadErrorLabel"));
        error->setWordWrap(true);
        bottom->addWidget(error, 1);
    } else {
        bottom->addStretch();
    }
    bottom->addWidget(DoneBtn);

    auto *v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addLayout(signers);
    v->addWidget(scroll, 1);
    v->addLayout(bottom);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TSNform::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TSNform::ComboBox2Change);
    connect(ComboBox3, &QComboBox::currentIndexChanged, this, &TSNform::Explore);
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, &TSNform::Explore);
    connect(Edit1, &QLineEdit::textChanged, this, &TSNform::Explore);
    ComboBox2Change();
}

void TSNform::ComboBox2Change()
{
    const int s = ComboBox2->currentIndex();
    const int treasurer = TreasurerIndex(s);
    const int secretary = SecretaryIndex(s);
    // Before a series is chosen the signer boxes stay empty.
    Label9->setText(SignerNames().value(treasurer));
    Label10->setText(SignerNames().value(secretary));
    Image1->setPixmap(treasurer >= 0 ? QPixmap::fromImage(SignaturePicture(SignerNames()[treasurer])) : QPixmap());
    Image2->setPixmap(secretary >= 0 ? QPixmap::fromImage(SignaturePicture(SignerNames()[secretary])) : QPixmap());
    ComboBox1Change();
}

void TSNform::ComboBox1Change()
{
    const QChar letter = SeriesLetter(ComboBox1->currentIndex(), ComboBox2->currentIndex());
    {
        const QSignalBlocker block(ComboBox3);
        const int chosen = ComboBox3->currentIndex();
        ComboBox3->clear();
        for (char b = 'A'; b <= 'L'; ++b)
            ComboBox3->addItem((letter.isNull() ? QString() : QString(letter)) + QLatin1Char(b));
        ComboBox3->setCurrentIndex(chosen);
    }
    Explore();
}

void TSNform::Explore()
{
    tNoteChoice note;
    note.Denomination = ComboBox1->currentIndex();
    note.Series = ComboBox2->currentIndex();
    note.Bank = ComboBox3->currentIndex();
    const QString suffix = ComboBox4->currentText();
    note.Suffix = suffix.isEmpty() ? QLatin1Char('*') : suffix[0];
    note.Serial = Edit1->text();
    const tExploration e = ::Explore(runs_, note, QLocale(), QDate::currentDate());
    PrintedLabel->setText(e.Printed);
    PatternLabel->setText(e.Pattern);
}
