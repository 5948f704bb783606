#include "browse/series/ui/themepanel.h"
#include "core/model/currproc.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QToolButton>

#include "core/model/helpers.h"
#include "browse/series/themes.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/treeimages.h"

namespace {

constexpr int RowWidth = 190;
constexpr int RowHeight = 50;

template <class T>
T *Named(const QString &name, QWidget *parent)
{
    auto *w = new T(parent);
    w->setObjectName(name);
    return w;
}

} // namespace

TThemePanel::TThemePanel(tMainState &state, QWidget *content) : QObject(content), s_(state)
{
    for (int t = 0; t < ThemeCount; ++t) {
        tThemeControls &r = ThemeObjectsList[static_cast<size_t>(t)];
        const QString n = QString::number(t);
        r.Index = t;
        r.Layout = Named<QWidget>(QStringLiteral("ThemeLayout") + n, content);
        r.Layout->resize(RowWidth, RowHeight);
        r.Layout->setProperty("Tag", t);
        r.Rectangle = Named<QFrame>(QStringLiteral("ThemeRectangle") + n, r.Layout);
        r.Rectangle->setGeometry(0, 0, 168, RowHeight);
        r.CheckBox = Named<QCheckBox>(QStringLiteral("ThemeCheckBox") + n, r.Layout);
        r.CheckBox->setProperty("Tag", t);
        SetPixelFont(r.CheckBox, 14, true);
        r.CheckBox->setGeometry(4, 4, 164, 22);
        r.TextLabel = Named<QLabel>(QStringLiteral("ThemeTextLabel") + n, r.Layout);
        r.TextLabel->setText(QStringLiteral("123 series"));
        r.TextLabel->setGeometry(24, 26, 130, 18);
        r.Button = Named<QToolButton>(QStringLiteral("ThemeButton") + n, r.Layout);
        r.Button->setProperty("Tag", t);
        r.Button->setGeometry(154, 7, 36, 36);
        r.Button->setIconSize(QSize(32, 32));
        r.Button->setToolTip(QStringLiteral("Go to the next series of this theme"));
        auto *shadow = new QGraphicsDropShadowEffect(r.Button);
        shadow->setColor(QColor(0, 0, 0, 153));
        shadow->setBlurRadius(6);
        shadow->setOffset(2, 2);
        r.Button->setGraphicsEffect(shadow);
        r.Layout->hide();
        connect(r.CheckBox, &QCheckBox::clicked, this, [this, t](bool checked) { ThemeCheckBoxClick(t, checked); });
        connect(r.Button, &QToolButton::clicked, this, [this, t] { ThemeButton0Click(t); });
    }
    RefreshThemeButtons();
}

void TThemePanel::SetupThemesBox()
{
    CurrProcGuard guard(10800);
    for (tThemeControls &r : ThemeObjectsList) {
        if (!ThemeIsNamed(s_, r.Index)) {
            r.Layout->hide();
            continue;
        }
        const QString caption = EscapeAmpersands(s_.ThemeNames[static_cast<size_t>(r.Index)]);
        // Qt shows "&&" as one ampersand; the width is of what shows.
        const double textWidth = QFontMetricsF(r.CheckBox->font()).horizontalAdvance(QString(caption).replace(
            QStringLiteral("&&"), QStringLiteral("&")));
        r.CheckBox->resize(ThemeCheckBoxWidth(textWidth), r.CheckBox->height());
        r.CheckBox->setText(caption);
        r.Layout->show();
    }
}

std::vector<QWidget *> TThemePanel::NamedThemeRows() const
{
    std::vector<QWidget *> rows;
    for (const tThemeControls &r : ThemeObjectsList)
        if (ThemeIsNamed(s_, r.Index))
            rows.push_back(r.Layout);
    return rows;
}

void TThemePanel::SetThemeBoxes(int32_t themes)
{
    for (tThemeControls &r : ThemeObjectsList) {
        const QSignalBlocker block(r.CheckBox);
        r.CheckBox->setChecked((themes & (1 << r.Index)) != 0);
    }
}

void TThemePanel::RefreshThemeButtons()
{
    for (tThemeControls &r : ThemeObjectsList) {
        r.Quantity = s_.ThemeQuantity[static_cast<size_t>(r.Index)];
        r.TextLabel->setText(ThemeCountText(r.Quantity));
        r.Button->setIcon(QIcon(TreeButtonImage(ThemeButtonImage(r.Quantity))));
    }
}

void TThemePanel::ThemeCheckBoxClick(int theme, bool checked)
{
    SetThemeBit(s_, theme, checked);
}

void TThemePanel::ThemeButton0Click(int theme)
{
    if (tnodeinfo *next = NextThemeCarrier(s_, theme))
        if (SelectSeries)
            SelectSeries(next);
}
