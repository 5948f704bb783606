#include "browse/seriespictures/ui/quarterform.h"

#include <QBoxLayout>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVariantAnimation>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/model/mainstate.h"
#include "browse/seriespictures/seriespictures.h"

namespace {

QFont PixelFont(const QWidget *w, int size)
{
    QFont f = w->font();
    f.setPixelSize(size);
    return f;
}

} // namespace

TQuarterForm::TQuarterForm(tMainState &state, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool), s_(state)
{
    setObjectName(QStringLiteral("QuarterForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(
        QStringLiteral("Special Series Images: Select the design to represent special series on the \"Series\" tab."));
    resize(760, 560);

    auto *root = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("Select a series:"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFont(PixelFont(ComboBox1, 20));
    ComboBox1->addItems(DesignCategoryNames());
    head->addWidget(caption);
    head->addWidget(ComboBox1, 1);
    root->addLayout(head);

    auto *body = new QHBoxLayout;
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    body->addWidget(ListBox1, 1);
    auto *preview = new QVBoxLayout;
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(300, 300);
    Image1->setAlignment(Qt::AlignCenter);
    Label3 = new QLabel(QStringLiteral("Image not found."), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setFixedSize(300, 300);
    preview->addWidget(Image1);
    preview->addWidget(Label3);
    auto *hint = new QLabel(
        QStringLiteral("Select the design that will represent this series on the \u201CSeries\u201D tab."), this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setWordWrap(true);
    hint->setFixedWidth(300);
    preview->addWidget(hint);
    preview->addStretch(1);
    body->addLayout(preview);
    root->addLayout(body, 1);

    auto *buttons = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("Go to this series"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    OKbutton = new QPushButton(QStringLiteral("OK"), this);
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(OKbutton);
    root->addLayout(buttons);

    PreviewAnimation = new QVariantAnimation(this);
    PreviewAnimation->setObjectName(QStringLiteral("PreviewAnimation"));
    PreviewAnimation->setDuration(400);
    PreviewAnimation->setStartValue(0.0);
    PreviewAnimation->setEndValue(1.0);
    PreviewAnimation->setEasingCurve(QEasingCurve::OutQuad);
    connect(PreviewAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &v) { DrawPreviewFrame(v.toDouble()); });
    // While the category list is dropped down, the design list steps back.
    auto *fade = new QGraphicsOpacityEffect(ListBox1);
    fade->setOpacity(1.0);
    ListBox1->setGraphicsEffect(fade);
    ComboBox1->view()->window()->installEventFilter(this);

    // Each category opens at the design its series shows now.
    Indexes = CurrentDesigns(s_);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        FillDesignList();
        ShowDesign();
    });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        const QListWidgetItem *item = ListBox1->item(row);
        if (!item)
            return;
        Indexes[static_cast<size_t>(Category())] = item->data(Qt::UserRole).toInt();
        ShowDesign();
    });
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
    connect(Button2, &QPushButton::clicked, this, &TQuarterForm::Button2Click);
    connect(OKbutton, &QPushButton::clicked, this, &TQuarterForm::OKbuttonClick);
    FillDesignList();
    ShowDesign();
}

int TQuarterForm::Category() const
{
    return std::clamp(ComboBox1->currentIndex(), 0, DesignCategoryCount - 1);
}

void TQuarterForm::FillDesignList()
{
    const int c = Category();
    const QSignalBlocker block(ListBox1);
    ListBox1->clear();
    // The presidents' lines are longer.
    ListBox1->setFont(PixelFont(ListBox1, c == 3 ? 16 : 18));
    for (int i = 0; i < DesignCount(c); ++i) {
        auto *item = new QListWidgetItem(DesignListItem(c, i), ListBox1);
        item->setData(Qt::UserRole, i);
    }
    ListBox1->setCurrentRow(Indexes[static_cast<size_t>(c)]);
}

void TQuarterForm::ShowDesign()
{
    const int c = Category();
    const QString name = DesignPictureName(c, Indexes[static_cast<size_t>(c)]);
    const QImage picture = LoadPicture(fullpath(s_, name, 0, true, false));
    if (picture.isNull()) {
        Image1->hide();
        Image1->clear();
        Label3->show();
        return;
    }
    Label3->hide();
    preview_ = QPixmap::fromImage(picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Image1->show();
    PreviewAnimation->stop();
    DrawPreviewFrame(0.0);
    PreviewAnimation->start();
}

// The design turns half a turn and grows into place.
void TQuarterForm::DrawPreviewFrame(double progress)
{
    if (progress >= 1.0 || preview_.isNull()) {
        Image1->setPixmap(preview_);
        return;
    }
    QPixmap frame(Image1->size());
    frame.fill(Qt::transparent);
    QPainter p(&frame);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(frame.width() / 2.0, frame.height() / 2.0);
    p.rotate((1.0 - progress) * -180.0);
    const double scale = 0.2 + 0.8 * progress;
    p.scale(scale, scale);
    p.drawPixmap(-preview_.width() / 2, -preview_.height() / 2, preview_);
    p.end();
    Image1->setPixmap(frame);
}

bool TQuarterForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ComboBox1->view()->window() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        if (auto *fade = qobject_cast<QGraphicsOpacityEffect *>(ListBox1->graphicsEffect()))
            fade->setOpacity(event->type() == QEvent::Show ? 0.5 : 1.0);
    return QWidget::eventFilter(watched, event);
}

void TQuarterForm::Button2Click()
{
    tnodeinfo *series = CategorySeries(s_, Category());
    if (series && SelectSeriesNode)
        SelectSeriesNode(series);
}

void TQuarterForm::OKbuttonClick()
{
    CurrProcGuard guard(Blocks::SpecialSeriesOK);
    const std::vector<tnodeinfo *> changed = ApplySpecialSeriesPictures(s_, Indexes);
    if (std::find(changed.begin(), changed.end(), s_.SelectedTreeNode) != changed.end() && RefreshMainImages)
        RefreshMainImages();
    if (!changed.empty() && CollectionModified)
        CollectionModified();
    close();
}
