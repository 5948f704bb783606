#include "browse/countries/ui/countryform.h"

#include <QCloseEvent>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollArea>
#include <QSequentialAnimationGroup>
#include <QTabWidget>

#include "core/catalogue/globe.h"
#include "browse/tree/ui/treeimages.h"

namespace {

// The left panel holds the globe, the flag in its upper left corner and
// the title along its bottom.
constexpr int PanelSize = 400;
// Room for the five tabs side by side.
constexpr int WindowWidth = 930;
constexpr int TitleBottom = 395;
constexpr int GlobeSize = 300;
constexpr QPoint FlagHome(7, 7);
constexpr QPoint FlagStart(410, 7);
constexpr int StepMs = 100;       // one turning step
constexpr int SpinMs = 5000;      // one turn of the spinning globe
constexpr int FlagSlideMs = 400;
constexpr int TitleSlideMs = 200;

const QImage &Texture()
{
    static const QImage map = WorldTexture();
    return map;
}

// The stored texts break lines with carriage returns (alone or before a
// line feed); labels and buttons break on "\n".
QString ShownText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

// ---- TGlobeView ----

TGlobeView::TGlobeView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Globe"));
    setAttribute(Qt::WA_TranslucentBackground);
}

void TGlobeView::SetAngleX(double v)
{
    angles_.X = v;
    update();
}

void TGlobeView::SetAngleY(double v)
{
    angles_.Y = v;
    update();
}

void TGlobeView::SetAngleZ(double v)
{
    angles_.Z = v;
    update();
}

void TGlobeView::SetAngles(const tGlobeAngles &a)
{
    angles_ = a;
    update();
}

void TGlobeView::SetPinVisible(bool visible)
{
    pin_ = visible;
    update();
}

void TGlobeView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int size = std::min(width(), height());
    const double lon = std::fmod(angles_.Y + 540.0, 360.0) - 180.0;
    const double lat = std::clamp(GlobeCentreLatitude(angles_), -90.0, 90.0);
    const QPoint origin((width() - size) / 2, (height() - size) / 2);
    p.drawImage(origin, RenderGlobe(Texture(), size, lat, lon));
    if (!pin_)
        return;
    // The pin stands on the globe's centre with its lower tip.
    const QPointF tip(width() / 2.0, height() / 2.0);
    QPainterPath pin;
    pin.moveTo(tip);
    pin.lineTo(tip + QPointF(-7, -16));
    pin.arcTo(QRectF(tip.x() - 9, tip.y() - 34, 18, 18), 200, -220);
    pin.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(210, 30, 30));
    p.drawPath(pin);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(tip.x(), tip.y() - 25), 3, 3);
}

// ---- TCountryForm ----

TCountryForm::TCountryForm(tMainState &state, std::vector<tCountryItem> items, tNavigationSeams nav, QWidget *parent)
    : QDialog(parent), s(state), nav_(std::move(nav))
{
    setObjectName(QStringLiteral("CountryForm"));
    setWindowTitle(CountryFormCaption);
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(WindowWidth, 470);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("GlobePanel"));
    panel->setGeometry(0, 0, PanelSize, PanelSize);
    panel->setAutoFillBackground(true);
    QPalette dark = panel->palette();
    dark.setColor(QPalette::Window, QColor(12, 16, 32));
    dark.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(dark);
    Globe = new TGlobeView(panel);
    Globe->setGeometry((PanelSize - GlobeSize) / 2, 40, GlobeSize, GlobeSize);
    FlagImage = new QLabel(panel);
    FlagImage->setObjectName(QStringLiteral("FlagImage"));
    FlagImage->setGeometry(QRect(FlagHome, QSize(100, 50)));
    TitleLabel = new QLabel(panel);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QFont titleFont = TitleLabel->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    TitleLabel->setFont(titleFont);
    TitleLabel->setPalette(dark);

    TabControl1 = new QTabWidget(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setGeometry(PanelSize + 8, 7, WindowWidth - PanelSize - 15, 300);
    // All five tabs stay in view, narrowed to fit rather than scrolled.
    TabControl1->setUsesScrollButtons(false);
    TabControl1->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 0px; padding: 4px 9px; }"));
    const std::array<const char *, ExplorerTabCount> names{"cListBox", "pListBox", "eListBox", "fListBox", "rListBox"};
    const std::array<QString, ExplorerTabCount> captions{QStringLiteral("Coins"), QStringLiteral("Paper money"),
                                                         QStringLiteral("Exonumia"), QStringLiteral("Fantasy"),
                                                         QStringLiteral("Regions")};
    for (int tab = 0; tab < ExplorerTabCount; ++tab) {
        auto *list = new QListWidget;
        list->setObjectName(QLatin1String(names[static_cast<size_t>(tab)]));
        list->setSelectionMode(tab == RegionsTab ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
        list->setIconSize(QSize(40, 20));
        list->installEventFilter(this);
        TabControl1->addTab(list, captions[static_cast<size_t>(tab)]);
        ListBoxArray[static_cast<size_t>(tab)] = list;
        connect(list, &QListWidget::itemClicked, this, [this] { UpdateSelection(true); });
    }
    cListBox = ListBoxArray[CoinsTab];
    pListBox = ListBoxArray[PaperTab];
    eListBox = ListBoxArray[ExonumiaTab];
    fListBox = ListBoxArray[FantasyTab];
    rListBox = ListBoxArray[RegionsTab];
    connect(cListBox, &QListWidget::itemSelectionChanged, this, [this] { cListBoxChange(); });

    auto *notes = new QScrollArea(this);
    notes->setObjectName(QStringLiteral("NotesBox"));
    notes->setGeometry(PanelSize + 8, 314, WindowWidth - PanelSize - 15, 90);
    notes->setWidgetResizable(true);
    notes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    NotesLabel = new QLabel;
    NotesLabel->setObjectName(QStringLiteral("NotesLabel"));
    NotesLabel->setWordWrap(true);
    NotesLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    NotesLabel->setMargin(4);
    notes->setWidget(NotesLabel);

    AddLocationBtn = new QPushButton(this);
    AddLocationBtn->setObjectName(QStringLiteral("AddLocationBtn"));
    AddLocationBtn->setGeometry(PanelSize + 8, 410, 190, 54);
    AddLocationBtn->setIconSize(QSize(32, 32));
    connect(AddLocationBtn, &QPushButton::clicked, this, [this] { AddLocationBtnClick(); });
    OKbutton = new QPushButton(QStringLiteral("Close"), this);
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    OKbutton->setGeometry(WindowWidth - 7 - 120, 410, 120, 54);
    OKbutton->setIcon(QIcon(TreeButtonImage(2)));
    OKbutton->setIconSize(QSize(32, 32));
    connect(OKbutton, &QPushButton::clicked, this, [this] { close(); });

    // Animations live as long as the window and are only ever started and
    // stopped, so a new selection simply replaces the turn under way.
    turn_ = new QSequentialAnimationGroup(this);
    connect(turn_, &QAbstractAnimation::finished, this, [this] {
        if (WorldMode == 1) {
            Globe->SetAngles({});
            WorldMode = 2;
            spin_->start();
        } else {
            StepMark = true;
            Globe->SetPinVisible(true);
        }
    });
    spin_ = new QPropertyAnimation(Globe, "AngleY", this);
    spin_->setStartValue(0.0);
    spin_->setEndValue(360.0);
    spin_->setDuration(SpinMs);
    spin_->setLoopCount(-1);
    flagSlide_ = new QPropertyAnimation(FlagImage, "pos", this);
    flagSlide_->setStartValue(FlagStart);
    flagSlide_->setEndValue(FlagHome);
    flagSlide_->setDuration(FlagSlideMs);
    titleSlide_ = new QSequentialAnimationGroup(this);

    CountryItemList = SplitByTab(std::move(items));
    FillLists();
    TabControl1->blockSignals(true);
    TabControl1->setCurrentIndex(CoinsTab);
    TabControl1->blockSignals(false);
    for (QListWidget *list : ListBoxArray)
        if (list->count() > 0)
            list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    if (cListBox->count() > 0)
        cListBox->item(0)->setSelected(true);
    connect(TabControl1, &QTabWidget::currentChanged, this, [this] { TabControl1Change(); });
    StepMark = false;
}

TCountryForm::~TCountryForm() = default;

QPixmap TCountryForm::FlagPicture(int index, QSize size) const
{
    QImageReader reader(QStringLiteral(":/explorer/flag%1.svg").arg(index));
    reader.setScaledSize(size);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void TCountryForm::FillLists()
{
    QFont itemFont = font();
    itemFont.setPointSize(18);
    for (int tab = 0; tab < ExplorerTabCount; ++tab) {
        QListWidget *list = ListBoxArray[static_cast<size_t>(tab)];
        list->setUpdatesEnabled(false);
        const auto &entries = CountryItemList[static_cast<size_t>(tab)];
        for (size_t i = 0; i < entries.size(); ++i) {
            auto *item = new QListWidgetItem(QIcon(FlagPicture(entries[i].Flag, QSize(40, 20))), entries[i].Name, list);
            item->setFont(itemFont);
            item->setData(Qt::UserRole, static_cast<int>(i));
        }
        list->setUpdatesEnabled(true);
    }
}

QListWidget *TCountryForm::ActiveList() const
{
    return ListBoxArray[static_cast<size_t>(std::clamp(TabControl1->currentIndex(), 0, ExplorerTabCount - 1))];
}

void TCountryForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    UpdateSelection(true);
}

void TCountryForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !CloseBlocked)
        UpdateSelection(false);
}

void TCountryForm::TabControl1Change()
{
    UpdateSelection(false);
    ActiveList()->setFocus();
}

void TCountryForm::UpdateSelection(bool Animate)
{
    QListWidget *list = ActiveList();
    const int tab = TabControl1->currentIndex();
    list->setEnabled(false);
    const int selected = static_cast<int>(list->selectedItems().size());
    goTo_ = 0;
    if (selected < 2) {
        const QListWidgetItem *current = list->currentItem();
        const auto &entries = CountryItemList[static_cast<size_t>(tab)];
        if (current) {
            const tCountryItem &item = entries[static_cast<size_t>(current->data(Qt::UserRole).toInt())];
            const tAddButton look = AddButtonFor(s, item);
            AddLocationBtn->setText(ShownText(look.Text));
            AddLocationBtn->setIcon(QIcon(TreeButtonImage(look.Picture)));
            goTo_ = look.GoTo;
            NotesLabel->setText(ShownText(item.Notes));
            latitude = item.XX;
            longitude = item.YY;
            TextToBe = CountryTitle(item);
            if (IsWorldWide(item.Index))
                WorldMode = 1;
            ShowLocation(item.Flag, Animate || WorldMode != 0);
        }
    } else {
        AddLocationBtn->setText(AddTheseCountriesText);
        AddLocationBtn->setIcon(QIcon(TreeButtonImage(9)));
    }
    list->setEnabled(true);
    list->setFocus();
}

void TCountryForm::cListBoxChange()
{
    const int selected = static_cast<int>(cListBox->selectedItems().size());
    if (selected <= 1 || ActiveList() != cListBox)
        return;
    goTo_ = 0;
    AddLocationBtn->setText(AddTheseCountriesText);
    AddLocationBtn->setIcon(QIcon(TreeButtonImage(9)));
    titleSlide_->stop();
    PlaceTitle(CountriesSelectedText(selected));
}

void TCountryForm::PlaceTitle(const QString &text)
{
    TitleLabel->setText(ShownText(text));
    const int height = TitleLabel->sizeHint().height();
    TitleLabel->setGeometry(0, TitleBottom - height, PanelSize, height);
}

bool TCountryForm::Animating() const
{
    return turn_->state() == QAbstractAnimation::Running || spin_->state() == QAbstractAnimation::Running ||
           flagSlide_->state() == QAbstractAnimation::Running ||
           titleSlide_->state() == QAbstractAnimation::Running;
}

void TCountryForm::StopAnimations()
{
    turn_->stop();
    spin_->stop();
    flagSlide_->stop();
    titleSlide_->stop();
}

QPropertyAnimation *TCountryForm::Turn(const char *angle, double from, double to, int ms)
{
    auto *a = new QPropertyAnimation(Globe, angle);
    a->setStartValue(from);
    a->setEndValue(to);
    a->setDuration(ms);
    return a;
}

void TCountryForm::ShowLocation(int FlagIndex, bool Animate)
{
    FlagImage->setPixmap(FlagPicture(FlagIndex, QSize(100, 50)));
    if (!Animate) {
        StopAnimations();
        WorldMode = 0;
        PlaceTitle(TextToBe);
        FlagImage->move(FlagHome);
        Globe->SetAngles(GlobeAngles(latitude, longitude));
        StepMark = true;
        Globe->SetPinVisible(true);
        return;
    }

    flagSlide_->stop();
    FlagImage->move(FlagStart);
    flagSlide_->start();

    // The title slides out of view, takes the new text and slides back.
    titleSlide_->stop();
    titleSlide_->clear();
    PlaceTitle(TitleLabel->text());
    const QPoint shown = TitleLabel->pos();
    const QPoint hidden(shown.x(), PanelSize);
    auto *out = new QPropertyAnimation(TitleLabel, "pos");
    out->setStartValue(shown);
    out->setEndValue(hidden);
    out->setDuration(TitleSlideMs);
    connect(out, &QAbstractAnimation::finished, this, [this, hidden] {
        PlaceTitle(TextToBe);
        TitleLabel->move(hidden);
    });
    auto *back = new QPropertyAnimation(TitleLabel, "pos");
    back->setStartValue(hidden);
    back->setDuration(TitleSlideMs);
    titleSlide_->addAnimation(out);
    titleSlide_->addAnimation(back);
    connect(out, &QAbstractAnimation::finished, back, [this, back] {
        const int height = TitleLabel->sizeHint().height();
        back->setEndValue(QPoint(0, TitleBottom - height));
    });
    titleSlide_->start();
    Globe->SetPinVisible(false);
    StartTurn();
}

void TCountryForm::StartTurn()
{
    turn_->stop();
    turn_->clear();
    if (WorldMode == 2) {
        spin_->stop();
        WorldMode = 0;
    }
    // Back to the upright globe first, from wherever the last turn (or an
    // interrupted one) left it.
    const tGlobeAngles now = Globe->Angles();
    if (now.Z != 0)
        turn_->addAnimation(Turn("AngleZ", now.Z, 0, StepMs));
    if (now.X != 0)
        turn_->addAnimation(Turn("AngleX", now.X, 0, StepMs));
    StepMark = false;
    if (WorldMode != 1) {
        const tGlobeAngles to = GlobeAngles(latitude, longitude);
        turn_->addAnimation(Turn("AngleY", std::fmod(now.Y, 360.0), to.Y, StepMs));
        turn_->addAnimation(Turn("AngleX", 0, to.X, StepMs));
        turn_->addAnimation(Turn("AngleZ", 0, to.Z, StepMs));
    }
    turn_->start();
}

void TCountryForm::AddLocationBtnClick()
{
    {
        AddLocationBtn->setEnabled(false);
        CloseBlocked = true;
        // Undone however the add ends.
        struct tRelease {
            TCountryForm *f;
            ~tRelease()
            {
                f->AddLocationBtn->setEnabled(true);
                f->CloseBlocked = false;
            }
        } release{this};

        QListWidget *list = ActiveList();
        const auto &entries = CountryItemList[static_cast<size_t>(TabControl1->currentIndex())];
        std::vector<const tCountryItem *> selected;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected())
                selected.push_back(&entries[static_cast<size_t>(list->item(row)->data(Qt::UserRole).toInt())]);
        if (selected.empty() && list->currentItem())
            selected.push_back(&entries[static_cast<size_t>(list->currentItem()->data(Qt::UserRole).toInt())]);

        tnodeinfo *target = AddCountryItems(s, selected, goTo_);
        goTo_ = 0;
        if (target) {
            // The added series come without the chosen eBook's marks.
            Q_EMIT s.Events->DesignateIndexedeBooks();
            Q_EMIT s.Events->CalcVisibleNodes();
            target->Expanded = true;
            ShowFoundSeries(s, target, nav_);
        }
    }
    // Now offers to go to the series where the entry names one.
    UpdateSelection(false);
}

void TCountryForm::closeEvent(QCloseEvent *event)
{
    if (CloseBlocked) {
        event->ignore();
        return;
    }
    StopAnimations();
    QDialog::closeEvent(event);
}

void TCountryForm::reject()
{
    // Esc and the close of the window end here; refused during an add.
    if (CloseBlocked)
        return;
    StopAnimations();
    QDialog::reject();
    deleteLater();
}

bool TCountryForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !keyHandling_) {
        auto *list = qobject_cast<QListWidget *>(watched);
        if (list && cListBoxKeyDown(list, static_cast<QKeyEvent *>(event)->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TCountryForm::cListBoxKeyDown(QListWidget *list, int key)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    const int rowHeight = std::max(1, list->sizeHintForRow(0));
    const int pageItems = std::max(1, list->viewport()->height() / rowHeight);
    const int index = KeyTargetIndex(key, list->currentRow(), pageItems, names);
    if (index < 0)
        return false;
    // Detached while it runs, and attached again however it ends.
    keyHandling_ = true;
    struct tAttach {
        bool &flag;
        ~tAttach() { flag = false; }
    } attach{keyHandling_};
    list->setUpdatesEnabled(false);
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(row == index);
    list->setCurrentRow(index, QItemSelectionModel::NoUpdate);
    list->setUpdatesEnabled(true);
    UpdateSelection(false);
    return true;
}
