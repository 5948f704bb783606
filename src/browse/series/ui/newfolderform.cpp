#include "browse/series/ui/newfolderform.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTabWidget>

#include "core/catalogue/countries.h"
#include "core/model/helpers.h"
#include "browse/shell/ui/mainwidgets.h"
#include "platform/uiservices.h"
#include "platform/ui/typinglimit.h"

bool NewFolderInUse = false;

namespace {

constexpr int NameLength = 60;
constexpr int FaceValueLength = 12;
// "499.9": a measure with its one decimal; the cap is 500.
constexpr int MeasureTypingLength = 5;

// The swatch beside each font colour, in the colours the tree draws names in.
const QColor SwatchColors[] = {Qt::black, Qt::red, QColor(0, 128, 0), QColor(128, 64, 0),
                               QColor(128, 0, 128), Qt::darkCyan, Qt::gray};

const QString PictureFilter = QStringLiteral(
    "All (*.jpg *.bmp *.pcx *.tif *.emf *.wmf *.png);;JPG: JPEG file (*.jpg);;BMP: Bitmap file (*.bmp);;"
    "PCX: PC Paintbrush file (*.pcx);;TIF: Tag Image File Format (*.tif);;EMF: Enhanced meta file (*.emf);;"
    "WMF: Windows meta file (*.wmf);;PNG: Portable Network Graphic (*.png)");

void AddComboItem(QComboBox *box, const QString &text, int tag)
{
    box->addItem(text, tag);
}

int IndexOfTag(const QComboBox *box, int tag)
{
    return box->findData(tag);
}

QLabel *Caption(const char *name, const QString &text)
{
    return Make<QLabel>(name, text);
}

} // namespace

TNewFolder_Form::TNewFolder_Form(tMainState &state, QWidget *parent) : QDialog(parent), s_(state)
{
    setObjectName(QStringLiteral("NewFolder_Form"));
    setWindowTitle(QStringLiteral("Series Properties"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    // ---- Settings ----
    TabItem1 = Make<QWidget>("TabItem1");
    auto *g = new QGridLayout(TabItem1);
    int row = 0;
    Edit1 = Make<QLineEdit>("Edit1");
    platform::setTypingLimit(Edit1, NameLength);
    g->addWidget(Caption("Label1", QStringLiteral("Series name")), row, 0);
    g->addWidget(Edit1, row++, 1, 1, 3);
    ComboBox1 = Make<QComboBox>("ComboBox1");
    g->addWidget(Caption("Label3", QStringLiteral("Monetary system")), row, 0);
    g->addWidget(ComboBox1, row++, 1, 1, 3);
    Label2 = Caption("Label2", QStringLiteral("Face value:"));
    Edit3 = Make<QLineEdit>("Edit3");
    platform::setTypingLimit(Edit3, FaceValueLength);
    g->addWidget(Label2, row, 0);
    g->addWidget(Edit3, row++, 1);
    ComboBox2 = Make<QComboBox>("ComboBox2");
    ComboBox2->setMaxVisibleItems(11);
    g->addWidget(Caption("Label6", QStringLiteral("Shape")), row, 0);
    g->addWidget(ComboBox2, row++, 1, 1, 3);
    Label4 = Caption("Label4", QStringLiteral("Diameter"));
    Edit2 = Make<QLineEdit>("Edit2");
    Label5 = Caption("Label5", QString());
    Edit4 = Make<QLineEdit>("Edit4");
    ComboBox3 = Make<QComboBox>("ComboBox3");
    g->addWidget(Label4, row, 0);
    g->addWidget(Edit2, row, 1);
    g->addWidget(Label5, row, 2);
    auto *second = new QHBoxLayout;
    second->setContentsMargins(0, 0, 0, 0);
    second->addWidget(Edit4);
    second->addWidget(ComboBox3);
    g->addLayout(second, row++, 3);
    ComboBox4 = Make<QComboBox>("ComboBox4");
    g->addWidget(Caption("Label7", QStringLiteral("Grading scale:")), row, 0);
    g->addWidget(ComboBox4, row++, 1, 1, 3);
    FontColorComboBox = Make<QComboBox>("FontColorComboBox");
    g->addWidget(Caption("Label8", QStringLiteral("Font color:")), row, 0);
    g->addWidget(FontColorComboBox, row, 1);
    FontSpecBox = Make<QComboBox>("FontSpecBox");
    g->addWidget(Caption("Label9", QStringLiteral("Font style")), row, 2);
    g->addWidget(FontSpecBox, row++, 3);
    ObvBtn = Make<QPushButton>("ObvBtn", QStringLiteral("Obverse image"));
    Button1 = Make<QPushButton>("Button1", QStringLiteral("Reverse image"));
    g->addWidget(ObvBtn, row, 1);
    g->addWidget(Button1, row++, 3);
    g->setRowStretch(row, 1);

    // ---- Advanced options ----
    TabItem2 = Make<QWidget>("TabItem2");
    auto *a = new QVBoxLayout(TabItem2);
    UpdateCheckBox = Make<QCheckBox>("UpdateCheckBox", QStringLiteral("Allow program updates to change these settings"));
    MoveCheckBox = Make<QCheckBox>("MoveCheckBox", QStringLiteral("Allow program updates to move this series"));
    ShareComboBox = Make<QComboBox>("ShareComboBox");
    NodeModeBox = Make<QComboBox>("NodeModeBox");
    a->addWidget(UpdateCheckBox);
    a->addWidget(MoveCheckBox);
    a->addWidget(Caption("Label10", QStringLiteral("Share the price list from this series:")));
    a->addWidget(ShareComboBox);
    a->addWidget(Caption("Label11", QStringLiteral("Special series mode:")));
    a->addWidget(NodeModeBox);
    a->addStretch(1);

    TabControl1 = Make<QTabWidget>("TabControl1");
    TabControl1->setTabPosition(QTabWidget::South);
    TabControl1->addTab(TabItem1, QStringLiteral("Settings"));
    TabControl1->addTab(TabItem2, QStringLiteral("Advanced options"));

    // ---- Placement of a new series, and the closing buttons ----
    buttonColumn_ = Make<QWidget>("ButtonColumn");
    auto *col = new QVBoxLayout(buttonColumn_);
    col->setContentsMargins(0, 0, 0, 0);
    BelowButton = Make<QPushButton>("BelowButton", QStringLiteral("Below current series"));
    InsideButton = Make<QPushButton>("InsideButton", QStringLiteral("Inside current series"));
    for (QPushButton *b : {BelowButton, InsideButton}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setMinimumHeight(60);
        col->addWidget(b);
    }
    col->addStretch(1);
    BelowButton->setChecked(true);

    OkBtn = Make<QPushButton>("OkBtn", QStringLiteral("OK"));
    CancelBtn = Make<QPushButton>("CancelBtn", QStringLiteral("Cancel"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(buttonColumn_);
    top->addWidget(TabControl1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(OkBtn);
    bottom->addWidget(CancelBtn);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(8, 8, 8, 8);
    v->addLayout(top, 1);
    v->addLayout(bottom);

    // ---- The fixed lists, filled once ----
    for (const auto &f : s_.ForexList)
        ComboBox1->addItem(ForexChoiceText(*f), f->Code);
    for (const tCoinShape &shape : CoinShapesInListOrder())
        AddComboItem(ComboBox2, QString::fromLatin1(shape.Name), shape.Code);
    for (int n = FirstSubShape; n <= LastSubShape; ++n)
        AddComboItem(ComboBox3, QString::number(n), n);
    ComboBox4->addItems(GradingScaleNames());
    for (int i = 0; i < FontColorNames().size(); ++i) {
        QPixmap swatch(16, 16);
        swatch.fill(SwatchColors[i]);
        FontColorComboBox->addItem(QIcon(swatch), FontColorNames()[i]);
    }
    FontSpecBox->addItems(FontStyleNames());

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TNewFolder_Form::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TNewFolder_Form::ComboBox2Change);
    connect(Edit1, &QLineEdit::textChanged, this, &TNewFolder_Form::Edit1Typing);
    connect(ObvBtn, &QPushButton::clicked, this, [this] { ObvBtnClick(ObvBtn); });
    connect(Button1, &QPushButton::clicked, this, [this] { ObvBtnClick(Button1); });
    for (QLineEdit *box : {Edit2, Edit4, Edit3})
        box->installEventFilter(this);
    Edit2Exit(Edit2);
    Edit2Exit(Edit4);
}

QChar TNewFolder_Form::DecimalSep() const
{
    const QString d = QLocale().decimalPoint();
    return d.isEmpty() ? QLatin1Char('.') : d[0];
}

void TNewFolder_Form::Prepare(bool newSeriesMode)
{
    tnodeinfo &node = *s_.SelectedTreeNode;
    const bool root = !node.ParentNode;
    NewSeriesMode = newSeriesMode;
    TabControl1->setCurrentWidget(TabItem1);

    const tPriceSourceChoices choices = PriceSourceChoicesFor(s_, node, newSeriesMode);
    ShareComboBox->clear();
    for (const tSeriesChoice &c : choices.Items)
        AddComboItem(ShareComboBox, c.Text, c.Tag);
    ShareComboBox->setCurrentIndex(choices.Chosen);
    NodeModeBox->clear();
    NodeModeBox->addItems(NodeModeItems(!node.ChildNodes.empty()));

    const tSeriesProperties p = newSeriesMode ? NewSeriesProperties() : SeriesPropertiesOf(node);
    setWindowTitle(newSeriesMode ? QStringLiteral("Create new Series") : QStringLiteral("Series properties"));
    Edit1->setText(p.Name);
    ComboBox2->setCurrentIndex(std::max(0, IndexOfTag(ComboBox2, p.CoinShape)));
    ComboBox3->setCurrentIndex(std::max(0, IndexOfTag(ComboBox3, p.CoinSubShape)));
    const int currency = newSeriesMode ? 0 : ComboBox1->findData(p.FaceValueCode);
    ComboBox1->setCurrentIndex(ComboBox1->count() ? std::max(0, currency) : -1);
    if (newSeriesMode) {
        Edit3->clear();
        Edit2->clear();
        Edit4->clear();
    } else {
        Edit3->setText(SeriesNumberText(tSeriesNumberForm::StoredFaceValue, p.FaceValueAmount, DecimalSep()));
        ShowMeasure(Edit2, p.Measure1);
        ShowMeasure(Edit4, p.Measure2);
    }
    opened_ = p;
    openedText_[0] = Edit2->text();
    openedText_[1] = Edit4->text();
    openedText_[2] = Edit3->text();
    // A series in comment mode that has gained sub-series shows the first mode.
    NodeModeBox->setCurrentIndex(p.NodeMode < NodeModeBox->count() ? p.NodeMode : 0);
    ComboBox4->setCurrentIndex(p.GradeScale);
    if (p.FontColor >= 0)
        FontColorComboBox->setCurrentIndex(p.FontColor);
    FontSpecBox->setCurrentIndex(p.FontStyle);
    UpdateCheckBox->setChecked(p.UpdateOK);
    if (!newSeriesMode) {
        MoveCheckBox->setEnabled(!root);
        MoveCheckBox->setChecked(p.MoveOK);
    } else {
        // A series the collector makes is theirs: updates leave it in place
        // unless they say otherwise.
        MoveCheckBox->setEnabled(true);
        MoveCheckBox->setChecked(false);
    }
    NewObv = p.Obverse;
    NewRev = p.Reverse;

    if (newSeriesMode) {
        BelowButton->setEnabled(!root);
        (root ? InsideButton : BelowButton)->setChecked(true);
    }
    ComboBox2Change();
    ComboBox1Change();
    Edit1Typing();
}

void TNewFolder_Form::ShowMeasure(QLineEdit *box, float value)
{
    box->setText(SeriesNumberText(tSeriesNumberForm::Measure, value, DecimalSep()));
    Edit2Exit(box);
}

tSeriesProperties TNewFolder_Form::Values() const
{
    tSeriesProperties p;
    const QChar sep = DecimalSep();
    p.Name = Edit1->text().trimmed();
    p.PriceSource = ShareComboBox->currentData().toInt();
    p.CoinShape = ComboBox2->currentData().toInt();
    p.GradeScale = std::max(0, ComboBox4->currentIndex());
    p.UpdateOK = UpdateCheckBox->isChecked();
    p.MoveOK = MoveCheckBox->isChecked();
    p.Obverse = NewObv;
    p.Reverse = NewRev;
    p.CoinSubShape = ComboBox3->currentIndex() >= 0 ? ComboBox3->currentIndex() + FirstSubShape : 0;
    p.HasCurrency = ComboBox1->currentIndex() >= 0;
    p.FaceValueCode = ComboBox1->currentData().toString();
    // A box the collector left as it was shown gives back the stored value
    // in full; the text shows it rounded.
    p.FaceValueAmount = FaceValueToStore(Edit3->text(), openedText_[2], opened_.FaceValueAmount, sep);
    p.Measure1 = MeasureToStore(Edit2->text(), openedText_[0], opened_.Measure1, sep);
    p.Measure2 = MeasureToStore(Edit4->text(), openedText_[1], opened_.Measure2, sep);
    p.NodeMode = std::max(0, NodeModeBox->currentIndex());
    p.FontColor = std::max(0, FontColorComboBox->currentIndex());
    p.FontStyle = std::max(0, FontSpecBox->currentIndex());
    return p;
}

bool TNewFolder_Form::InsideChosen() const
{
    return InsideButton->isChecked();
}

void TNewFolder_Form::ComboBox1Change()
{
    const QString code = ComboBox1->currentData().toString();
    const bool visible = ComboBox1->currentIndex() < 0 || !(code.isEmpty() || code == QLatin1String("-"));
    Label2->setVisible(visible);
    Edit3->setVisible(visible);
}

void TNewFolder_Form::ComboBox2Change()
{
    const tCoinShape *shape = CoinShapeByCode(ComboBox2->currentData().toInt());
    if (!shape)
        return;
    Label4->setText(QString::fromLatin1(shape->FirstLabel));
    Label5->setText(SecondMeasureLabel(shape->Second));
    Label5->setVisible(shape->Second != tSecondMeasure::None);
    Edit4->setVisible(shape->Second == tSecondMeasure::Height);
    ComboBox3->setVisible(shape->Second == tSecondMeasure::Sides || shape->Second == tSecondMeasure::Bumps);
}

void TNewFolder_Form::Edit1Typing()
{
    OkBtn->setEnabled(!Edit1->text().trimmed().isEmpty());
}

void TNewFolder_Form::ObvBtnClick(QObject *sender)
{
    const bool obverse = sender == ObvBtn;
    platform::FileRequest request;
    request.Title = QStringLiteral("Select a picture for the series ") +
                    (obverse ? QStringLiteral("obverse") : QStringLiteral("reverse"));
    request.Filter = PictureFilter;
    request.DefaultSuffix = QStringLiteral("BMP");
    request.Folder = OpenPicturePath.isEmpty() ? s_.FolderImagesRedirect : OpenPicturePath;
    const QString file = platform::ui().openFileName(request);
    if (file.isEmpty())
        return;
    QString stored = file;
    if (!NewSeriesMode) {
        // Pictures kept in the country's picture folder are stored relative
        // to it, so the collection moves with its picture folders.
        const QString country = GetCountryName(s_, s_.SelectedTreeNode->Country);
        stored = PackPath(s_, file, country + QLatin1Char('/'), QStringLiteral("~"));
    }
    (obverse ? NewObv : NewRev) = stored;
    OpenPicturePath = QFileInfo(file).absolutePath() + QLatin1Char('/');
}

void TNewFolder_Form::Edit2Enter(QLineEdit *box)
{
    const QChar sep = DecimalSep();
    // The unit goes while typing; both decimal marks stay.
    QString digits;
    for (QChar c : box->text())
        if (c.isDigit() || c == QLatin1Char('.') || c == sep)
            digits += c;
    platform::setTypingLimit(box, MeasureTypingLength,
                             new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.%1]*").arg(
                                 QRegularExpression::escape(QString(sep))))));
    box->setText(digits);
}

void TNewFolder_Form::Edit2Exit(QLineEdit *box)
{
    const QChar sep = DecimalSep();
    if (box == Edit3) {
        // The stored face value shows with up to five decimals; passing
        // through the box leaves it so.
        if (ReadSeriesNumber(box->text(), sep) != ReadSeriesNumber(openedText_[2], sep))
            box->setText(
                SeriesNumberText(tSeriesNumberForm::EditedFaceValue, ReadSeriesNumber(box->text(), sep), sep));
        return;
    }
    const QString shown = NormalizeMeasureText(box->text(), sep);
    platform::setTypingLimit(box, MeasureTypingLength + 3,
                             new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9. m%1]*").arg(
                                 QRegularExpression::escape(QString(sep))))));
    box->setText(shown);
}

bool TNewFolder_Form::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn && box != Edit3)
        Edit2Enter(box);
    else if (box && event->type() == QEvent::FocusOut)
        Edit2Exit(box);
    return QDialog::eventFilter(watched, event);
}

void TNewFolder_Form::showEvent(QShowEvent *event)
{
    NewFolderInUse = true;
    buttonColumn_->setVisible(NewSeriesMode);
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    Edit1->setFocus();
    Edit1Typing();
    QDialog::showEvent(event);
}

void TNewFolder_Form::hideEvent(QHideEvent *event)
{
    NewFolderInUse = false;
    QDialog::hideEvent(event);
}
