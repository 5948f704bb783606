#include "browse/series/ui/seriescommands.h"
#include "core/model/currproc.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTabWidget>
#include <QVariantAnimation>

#include "core/model/seriestree.h"
#include "core/collection/ui/filetoopenform.h"
#include "browse/shell/pageswitch.h"
#include "browse/series/seriesedit.h"
#include "browse/series/themes.h"
#include "browse/shell/ui/mainform.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/series/ui/newfolderform.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/series/ui/themeform.h"
#include "browse/series/ui/themepanel.h"

// The callout: a rounded box with its pointer at the bottom and a ring
// below it around the Pricing tab. It lets clicks through to the tab.
class TUserSeriesPopup : public QWidget {
public:
    explicit TUserSeriesPopup(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("UserSeries_Popup"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        HintText = new QLabel(UserSeriesHintText, this);
        HintText->setObjectName(QStringLiteral("Label140"));
        HintText->setWordWrap(true);
        HintText->setStyleSheet(QStringLiteral("color: red; font-size: 15px;"));
        HintText->ensurePolished();
        // The box is as tall as the whole text needs at its width, whatever
        // the font the system gives.
        const int textWidth = Width - 20;
        BoxHeight = std::max(MinBoxHeight, HintText->heightForWidth(textWidth) + 8);
        resize(Width, BoxHeight + PointerHeight + RingHeight);
        HintText->setGeometry(10, 4, textWidth, BoxHeight - 8);
        PricingTabRing = new QWidget(this);
        PricingTabRing->setObjectName(QStringLiteral("RoundRect1"));
        PricingTabRing->setGeometry(PointerX - RingWidth / 2 + PointerWidth / 2, height() - RingHeight, RingWidth,
                                RingHeight);
        hide();
    }
    static constexpr int Width = 416;
    static constexpr int MinBoxHeight = 79;
    static constexpr int PointerHeight = 20;
    int BoxHeight = MinBoxHeight;
    static constexpr int PointerWidth = 33;
    static constexpr int PointerX = 15;
    static constexpr int RingWidth = 64;
    static constexpr int RingHeight = 34;
    QLabel *HintText = nullptr;
    QWidget *PricingTabRing = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor crimson(220, 20, 60);
        QPainterPath box;
        box.addRoundedRect(QRectF(0.5, 0.5, width() - 1, BoxHeight), 10, 10);
        QPainterPath pointer;
        const double top = BoxHeight;
        pointer.moveTo(PointerX, top - 1);
        pointer.lineTo(PointerX + PointerWidth / 2.0, top + PointerHeight);
        pointer.lineTo(PointerX + PointerWidth, top - 1);
        pointer.closeSubpath();
        QLinearGradient fill(0, 0, 0, BoxHeight);
        fill.setColorAt(0, QColor(0xFF, 0xC8, 0xC8));
        fill.setColorAt(1, QColor(0xF0, 0xF0, 0xF0));
        p.setPen(QPen(crimson, 1));
        p.setBrush(fill);
        p.drawPath(box.united(pointer));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(crimson, 3));
        p.drawRoundedRect(QRectF(PricingTabRing->geometry()).adjusted(1.5, 1.5, -1.5, -1.5), 8, 8);
    }
};

namespace {

// The credit pictures: 0 the general one, 1 and 3 those of particular
// countries (2 is kept for another). Drawn here: a small card with the
// catalogue's emblem, in the colours of its kind.
QPixmap CreditPicture(int index, QSize size)
{
    QPixmap pm(size.expandedTo(QSize(3, 2)));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colors[] = {QColor(40, 90, 160), QColor(150, 40, 40), QColor(60, 120, 60), QColor(130, 90, 20)};
    const QColor base = colors[std::clamp(index, 0, 3)];
    const QRectF r = QRectF(pm.rect()).adjusted(1, 1, -1, -1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, base.lighter(160));
    g.setColorAt(1, base);
    p.setPen(QPen(base.darker(150), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(r, r.height() / 8, r.height() / 8);
    // The emblem: a coin with a star for the countries' own pictures.
    const double d = r.height() * 0.6;
    const QRectF coin(r.left() + r.height() * 0.2, r.center().y() - d / 2, d, d);
    p.setBrush(QColor(230, 190, 80));
    p.setPen(QPen(QColor(150, 110, 30), 1));
    p.drawEllipse(coin);
    if (index != 0) {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5;
            const double rad = (i % 2 ? 0.2 : 0.45) * d;
            star << coin.center() + QPointF(std::cos(a) * rad, std::sin(a) * rad);
        }
        p.setBrush(QColor(150, 110, 30));
        p.drawPolygon(star);
    }
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    const QRectF text(coin.right() + r.height() * 0.1, r.top(), r.right() - coin.right() - r.height() * 0.15,
                      r.height());
    const QString words = index == 0 ? QStringLiteral("Catalogue data") : QStringLiteral("Catalogue partner");
    // The longest word must fit the room beside the coin, or centring cuts
    // it at both ends; a narrow tree gets a smaller font.
    for (int px = std::max(6, static_cast<int>(r.height() / 5)); px >= 6; --px) {
        font.setPixelSize(px);
        const QRectF need = QFontMetricsF(font).boundingRect(text, Qt::AlignCenter | Qt::TextWordWrap, words);
        if (need.width() <= text.width() && need.height() <= text.height())
            break;
    }
    p.setFont(font);
    p.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, words);
    return pm;
}

} // namespace

TSeriesCommands::TSeriesCommands(TMainForm &form) : QObject(&form), f_(form)
{
    ConnectSeriesMenu();
    InstallThemes();
    BuildCreditPicture();

    tMainState &s = f_.State;
    // ---- Recent and favourite series ----
    SetIfUnset(f_.Seams.AddRecent, [this] { AddRecent(); });
    SetIfUnset(f_.Seams.BuildFavoritesMenu, [this] { BuildFavoritesMenu(); });
    QObject::connect(s.Events.get(), &tStateEvents::BuildFavoritesMenu, this, [this] { BuildFavoritesMenu(); });
    QObject::connect(s.Events.get(), &tStateEvents::ClearRecentSeriesMenu, this, [this] { ClearRecentSeriesMenu(); });
    ClearRecentSeriesMenu();
    BuildFavoritesMenu();

    // ---- The callout and the credit picture ----
    UserSeries_Popup = new TUserSeriesPopup(&f_);
    SetIfUnset(f_.Seams.ShowUserSeriesHint, [this] { ShowUserSeriesHint(); });
    SetIfUnset(f_.SelectionSeams.ShowUserSeriesHint, [this] { ShowUserSeriesHint(); });
    SetIfUnset(f_.SelectionSeams.ShowCountryCredit, [this] { ShowCountryCredit(); });

    SetIfUnset(f_.Seams.CreateNewFolderForm, [this] { NewFolderForm(); });
    // While the welcome window is open it stays in front of the main window.
    f_.installEventFilter(this);
}

// ---------------------------------------------------------------------------
// The series menu

void TSeriesCommands::ConnectSeriesMenu()
{
    QMenu *menu = f_.RightMenu;
    auto action = [menu](const char *name) { return menu->findChild<QAction *>(QString::fromLatin1(name)); };
    connect(action("Properties1"), &QAction::triggered, this, [this] { Properties1Click(false); });
    connect(action("Addanewseries1"), &QAction::triggered, this, [this] { Properties1Click(true); });
    connect(action("Sortsubseriesalphabetically1"), &QAction::triggered, this,
            [this] { Sortsubseriesalphabetically1Click(false); });
    connect(action("SortsubseriesByDate1"), &QAction::triggered, this,
            [this] { Sortsubseriesalphabetically1Click(true); });
    connect(action("Deletethisfolder1"), &QAction::triggered, this, [this] { Deletethisfolder1Click(false); });
    connect(action("Emptythisfolder1"), &QAction::triggered, this, [this] { Deletethisfolder1Click(true); });
    // The root holds the whole tree: it can be emptied, never deleted.
    QAction *del = action("Deletethisfolder1");
    connect(menu, &QMenu::aboutToShow, this, [this, del] {
        const tnodeinfo *n = f_.State.SelectedTreeNode;
        del->setEnabled(n && n->ParentNode);
    });
}

TNewFolder_Form *TSeriesCommands::NewFolderForm()
{
    if (!newFolderForm_)
        newFolderForm_ = new TNewFolder_Form(f_.State, &f_);
    return newFolderForm_;
}

void TSeriesCommands::AfterTreeChange()
{
    tMainState &s = f_.State;
    CalcNodeDates(s);
    Q_EMIT s.Events->CalcVisibleNodes();
    CallSeam(f_.Seams.AssignNodePorts);
    Q_EMIT s.Events->SeriesSelected();
    Q_EMIT s.Events->SetMainCaption();
}

void TSeriesCommands::Properties1Click(bool addNew)
{
    tMainState &s = f_.State;
    tnodeinfo *selected = s.SelectedTreeNode;
    if (s.StructureLoadActive || !selected)
        return;  // a structure load is adding series; it must finish first
    TNewFolder_Form *dialog = NewFolderForm();
    dialog->Prepare(addNew);
    dialog->raise();
    if (dialog->exec() != QDialog::Accepted || !s.SelectedTreeNode)
        return;
    const tSeriesProperties values = dialog->Values();
    tnodeinfo *node = s.SelectedTreeNode;
    if (addNew) {
        const int number =
            NewUserSeriesNumber(s, [] { return static_cast<int>(QRandomGenerator::global()->bounded(UserSeriesRange)); });
        node = AddNewSeries(s, node, dialog->InsideChosen(), number, values.Name);
    }
    ApplySeriesProperties(*node, values, !node->ParentNode);
    if (!addNew)
        AskCopyToSubseries(*node);
    s.DataModified = true;
    if (addNew) {
        s.SelectedTreeNode = node;
        CallSeam(f_.Seams.MakeTreeNodeVisible, node);
    }
    AfterTreeChange();
}

void TSeriesCommands::Sortsubseriesalphabetically1Click(bool byDate)
{
    tMainState &s = f_.State;
    if (s.StructureLoadActive || !s.SelectedTreeNode)
        return;
    if (!SortSubseries(s, *s.SelectedTreeNode, byDate))
        return;
    Q_EMIT s.Events->CalcVisibleNodes();
    CallSeam(f_.Seams.AssignNodePorts);
    CallSeam(f_.Seams.RenderTree);
    f_.StatusLabel->clear();
}

void TSeriesCommands::Deletethisfolder1Click(bool emptyOnly)
{
    tMainState &s = f_.State;
    if (s.StructureLoadActive)
        return;
    if (DeleteThisFolder(s, emptyOnly) && !emptyOnly)
        BuildFavoritesMenu();  // a favourite may have gone with the series
}

// ---------------------------------------------------------------------------
// Themes

void TSeriesCommands::InstallThemes()
{
    tMainState &s = f_.State;
    SetIfUnset(f_.Seams.BuildThemePanel, [this] {
        if (ThemePanel)
            return;
        ThemePanel = new TThemePanel(f_.State, f_.ThemesContent);
        ThemePanel->SelectSeries = [this](tnodeinfo *node) {
            f_.State.SelectedTreeNode = node;
            CallSeam(f_.Seams.MakeTreeNodeVisible, node);
            Q_EMIT f_.State.Events->SeriesSelected();
        };
    });
    SetIfUnset(f_.Seams.SetupThemesBox, [this] {
        if (ThemePanel)
            ThemePanel->SetupThemesBox();
    });
    SetIfUnset(f_.Seams.NamedThemeRows, [this] {
        return ThemePanel ? ThemePanel->NamedThemeRows() : std::vector<QWidget *>{};
    });
    SetIfUnset(f_.SelectionSeams.SetThemeBoxes, [this](int32_t bits) {
        if (ThemePanel)
            ThemePanel->SetThemeBoxes(bits);
    });
    // Runs after a recount and after new theme names were read.
    QObject::connect(s.Events.get(), &tStateEvents::RefreshThemeButtons, this, [this] {
        if (!ThemePanel)
            return;
        ThemePanel->RefreshThemeButtons();
        f_.PlaceThemeButtons();
    });

    ThemeSetupAction = new QAction(QStringLiteral("Theme setup"), f_.FavoritesMenu);
    ThemeSetupAction->setObjectName(QStringLiteral("MenuItem1"));
    f_.FavoritesMenu->addSeparator();
    f_.FavoritesMenu->addAction(ThemeSetupAction);
    connect(ThemeSetupAction, &QAction::triggered, this, &TSeriesCommands::ThemeSetupClick);
}

void TSeriesCommands::ThemeSetupClick()
{
    if (!ThemeForm)
        ThemeForm = new TThemeForm(f_.State, [this] { f_.LayoutMainForm(f_.SelectedIsPaper()); }, &f_);
    const QRect main = f_.geometry();
    ThemeForm->move(main.x() + (main.width() - ThemeForm->width()) / 2,
                    main.y() + (main.height() - ThemeForm->height()) / 2);
    ThemeForm->show();
    ThemeForm->raise();
    ThemeForm->activateWindow();
}

// ---------------------------------------------------------------------------
// Recent and favourite series

void TSeriesCommands::FillSeriesMenu(QMenu *menu, const std::vector<tSeriesMenuItem> &items, const QString &empty)
{
    menu->clear();
    // Each item selects its series by number when clicked; the notice of an
    // empty menu shares the handler, and its number selects nothing.
    auto add = [this, menu](const QString &text, int coinType) {
        QAction *a = menu->addAction(text);
        connect(a, &QAction::triggered, this, [this, coinType] { RecentSeriesMenuClick(coinType); });
        return a;
    };
    for (const tSeriesMenuItem &item : items)
        add(item.Text, item.CoinType);
    if (items.empty())
        add(empty, 0)->setEnabled(false);
}

void TSeriesCommands::AddRecent()
{
    CurrProcGuard guard(14700);
    if (const tnodeinfo *n = f_.State.SelectedTreeNode)
        Recent.Add(*n);
    FillSeriesMenu(f_.RecentSeriesMenu, Recent.Items, NoRecentSeriesText);
}

void TSeriesCommands::ClearRecentSeriesMenu()
{
    Recent.Clear();
    FillSeriesMenu(f_.RecentSeriesMenu, Recent.Items, NoRecentSeriesText);
}

void TSeriesCommands::BuildFavoritesMenu()
{
    CurrProcGuard guard(14800);
    FillSeriesMenu(f_.FavoriteSeriesMenu, FavoriteItems(f_.State), NoFavoriteSeriesText);
}

void TSeriesCommands::RecentSeriesMenuClick(int coinType)
{
    CurrProcGuard guard(22400);
    tnodeinfo *node = SeriesOfMenuItem(f_.State, coinType);
    if (!node)
        return;  // its series was deleted meanwhile
    f_.PageTabs->setCurrentIndex(PageSeries);
    f_.State.SelectedTreeNode = node;
    Q_EMIT f_.State.Events->SeriesSelected();
}

// ---------------------------------------------------------------------------
// The credit picture

QWidget *TSeriesCommands::TreeArea() const
{
    return f_.SeriesTree->TreeLayout();
}

void TSeriesCommands::BuildCreditPicture()
{
    AdminImage = new QLabel(TreeArea());
    AdminImage->setObjectName(QStringLiteral("AdminImage"));
    AdminImage->setProperty("Tag", CreditNone);
    AdminImage->setScaledContents(true);
    AdminImage->setCursor(Qt::PointingHandCursor);
    AdminImage->installEventFilter(this);
    AdminImage->move(0, TreeArea()->height());
    AdminImage->hide();
    AdminAnimation = new QVariantAnimation(AdminImage);
    AdminAnimation->setObjectName(QStringLiteral("AdminAnimation"));
    AdminAnimation->setDuration(400);
    AdminAnimation->setEasingCurve(QEasingCurve::InQuad);
    connect(AdminAnimation, &QVariantAnimation::valueChanged, AdminImage,
            [this](const QVariant &y) { AdminImage->move(AdminImage->x(), y.toInt()); });
    connect(AdminAnimation, &QVariantAnimation::finished, this, [this] {
        if (AdminAnimation->direction() == QAbstractAnimation::Forward && slidingOut_) {
            slidingOut_ = false;
            NextAdminImage();
        }
    });
}

void TSeriesCommands::ShowCountryCredit()
{
    const tnodeinfo *n = f_.State.SelectedTreeNode;
    if (!n)
        return;
    AdminImage->raise();
    const int areaHeight = TreeArea()->height();
    const bool inView = AdminImage->isVisible() && areaHeight > AdminImage->y();
    const tCreditStep step = ::ShowCountryCredit(Credit, CoinTypeToCountry(n->CoinType), inView);
    AdminImage->setProperty("Tag", Credit.Tag);
    if (step == tCreditStep::Stay)
        return;
    if (step == tCreditStep::Next) {
        NextAdminImage();
        return;
    }
    AdminAnimation->stop();
    slidingOut_ = true;
    AdminAnimation->setDirection(QAbstractAnimation::Forward);
    AdminAnimation->setStartValue(areaHeight - AdminImage->height());
    AdminAnimation->setEndValue(areaHeight);
    AdminAnimation->start();
}

void TSeriesCommands::NextAdminImage()
{
    AdminImage->raise();
    const QWidget *area = TreeArea();
    const tCreditShow show = NextCreditPicture(Credit);
    if (!show.Show)
        return;  // the picture stays out of view
    const int w = CreditPictureWidth(area->width());
    const int h = CreditPictureHeight(area->width());
    AdminImage->setGeometry(area->width() - w, area->height(), w, h);
    AdminImage->setPixmap(CreditPicture(show.Picture, QSize(w, h)));
    if (show.Shadow) {
        auto *shadow = new QGraphicsDropShadowEffect;
        shadow->setColor(QColor(0, 0, 0, 160));
        shadow->setBlurRadius(8);
        AdminImage->setGraphicsEffect(shadow);
    } else if (show.Glow) {
        auto *glow = new QGraphicsDropShadowEffect;
        glow->setColor(QColor(255, 215, 0));
        glow->setOffset(0, 0);
        glow->setBlurRadius(12);
        AdminImage->setGraphicsEffect(glow);
    } else {
        AdminImage->setGraphicsEffect(nullptr);
    }
    AdminImage->setProperty("Tag", Credit.Tag);
    AdminImage->show();
    AdminAnimation->stop();
    slidingOut_ = false;
    // Run backwards: from below the area up into view.
    AdminAnimation->setStartValue(area->height() - h);
    AdminAnimation->setEndValue(area->height());
    AdminAnimation->setDirection(QAbstractAnimation::Backward);
    AdminAnimation->start();
}

void TSeriesCommands::AdminImageClick()
{
    AdminAnimation->stop();
    AdminImage->move(AdminImage->x(), TreeArea()->height());
    DismissCreditPicture(Credit);
    AdminImage->setProperty("Tag", Credit.Tag);
}

// ---------------------------------------------------------------------------
// The callout

void TSeriesCommands::ShowUserSeriesHint()
{
    if (!UserSeriesHintVisible(f_.State) || !f_.PageTabs->isTabVisible(PagePricing)) {
        UserSeries_Popup->hide();
        return;
    }
    // The ring goes round the Pricing tab, the box above it.
    const QRect tab = f_.PageTabs->tabBar()->tabRect(PagePricing);
    const QPoint centre = f_.PageTabs->tabBar()->mapTo(&f_, tab.center());
    const QRect ring = UserSeries_Popup->PricingTabRing->geometry();
    UserSeries_Popup->move(centre.x() - ring.center().x(), centre.y() - ring.center().y());
    UserSeries_Popup->raise();
    UserSeries_Popup->show();
}

// ---------------------------------------------------------------------------

bool TSeriesCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == AdminImage && event->type() == QEvent::MouseButtonPress) {
        AdminImageClick();
        return true;
    }
    if (watched == &f_ && event->type() == QEvent::WindowActivate && f_.State.FileToOpenInUse) {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<TFileToOpenForm *>(w))
                w->raise();
    }
    return QObject::eventFilter(watched, event);
}
