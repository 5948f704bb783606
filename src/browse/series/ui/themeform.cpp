#include "browse/series/ui/themeform.h"

#include <QEvent>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include "browse/series/themes.h"
#include "browse/tree/treeview.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/treeimages.h"
#include "platform/ui/typinglimit.h"

namespace {

constexpr int RowWidth = 240;
constexpr int RowHeight = 50;
constexpr int RowGap = 8;
constexpr int NameLength = 40;

} // namespace

TThemeForm::TThemeForm(tMainState &state, std::function<void()> done, QWidget *parent)
    : QDialog(parent), s_(state), done_(std::move(done))
{
    setObjectName(QStringLiteral("ThemeForm"));
    setWindowTitle(QStringLiteral("Orvanta: Theme Setup"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(300, 428);

    const std::array<int, ThemeCount> counts = CountThemeSeries(s_);
    ScrollBox1 = Make<QScrollArea>("ScrollBox1", this);
    ScrollBox1->setGeometry(8, 8, 281, 353);
    ScrollBox1->setFrameShape(QFrame::StyledPanel);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *content = new QWidget;
    for (int id = 0; id < ThemeCount; ++id) {
        tThemeItem item;
        item.Index = id;
        const QString n = QString::number(id);
        item.Layout = new QWidget(content);
        item.Layout->setObjectName(QStringLiteral("ThemeItem") + n);
        item.Layout->setGeometry(4, id * (RowHeight + RowGap) + RowGap, RowWidth, RowHeight);
        item.Rectangle = new QFrame(item.Layout);
        item.Rectangle->setGeometry(0, 0, RowWidth, RowHeight);
        item.Rectangle->setProperty("Tag", id);
        item.Rectangle->installEventFilter(this);
        item.TextLabel = new QLabel(QStringLiteral("Theme %1").arg(id + 1), item.Layout);
        SetPixelFont(item.TextLabel, 12, true);
        item.TextLabel->move(4, 4);
        item.TextLabel->adjustSize();
        item.QtyLabel = new QLabel(ThemeCountText(counts[static_cast<size_t>(id)]), item.Layout);
        item.QtyLabel->setObjectName(QStringLiteral("QtyLabel") + n);
        item.QtyLabel->setAlignment(Qt::AlignRight);
        item.QtyLabel->adjustSize();
        item.QtyLabel->move(RowWidth - item.QtyLabel->width() - 10, 4);
        item.Edit = new QLineEdit(item.Layout);
        item.Edit->setObjectName(QStringLiteral("ThemeEdit") + n);
        // A longer stored name shows whole, so Done does not cut it.
        platform::setTypingLimit(item.Edit, NameLength);
        item.Edit->setGeometry(4, item.TextLabel->y() + item.TextLabel->height() + 2, 232, 22);
        item.Edit->setText(s_.ThemeNames[static_cast<size_t>(id)]);
        item.Edit->setProperty("Tag", id);
        item.Edit->installEventFilter(this);
        ItemList.push_back(item);
    }
    // Keeps the scroll extent below the last row.
    Label1 = Make<QLabel>("Label1", content);
    Label1->setText(QString());
    const int last = (ThemeCount - 1) * (RowHeight + RowGap) + RowGap;
    Label1->move(0, last + RowHeight - Label1->height() + RowGap);
    content->resize(RowWidth + 8, last + RowHeight + RowGap);
    ScrollBox1->setWidget(content);

    CancelButton = Make<QPushButton>("CancelButton", QStringLiteral("Cancel"), this);
    OKbutton = Make<QPushButton>("OKbutton", QStringLiteral("Done"), this);
    CancelButton->setGeometry(24, 375, 113, 41);
    OKbutton->setGeometry(152, 375, 113, 41);
    CancelButton->setIcon(QIcon(TreeButtonImage(ImgNo)));
    OKbutton->setIcon(QIcon(TreeButtonImage(ImgOK)));
    for (QPushButton *b : {CancelButton, OKbutton})
        SetPixelFont(b, 16);
    connect(CancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(OKbutton, &QPushButton::clicked, this, &TThemeForm::OKbuttonClick);
    HighlightTheme();
}

void TThemeForm::HighlightTheme()
{
    for (tThemeItem &item : ItemList) {
        const bool on = item.Index == ThemeIndex;
        item.Rectangle->setStyleSheet(on ? QStringLiteral("background: #00FFFF;") : QStringLiteral("background: #C0C0C0;"));
    }
    if (ThemeIndex < 0 || ThemeIndex >= static_cast<int>(ItemList.size()))
        return;
    tThemeItem &item = ItemList[static_cast<size_t>(ThemeIndex)];
    // The effect belongs to one widget at a time: a fresh one for the row.
    ShadowEffect1 = new QGraphicsDropShadowEffect;
    ShadowEffect1->setOffset(2, 2);
    ShadowEffect1->setBlurRadius(5);
    ShadowEffect1->setColor(QColor(0, 0, 0, 153));
    item.Layout->setGraphicsEffect(ShadowEffect1);
    if (!item.Edit->hasFocus())
        item.Edit->setFocus();
    item.Edit->deselect();
    item.Edit->setCursorPosition(item.Edit->text().size());
    ShowHighlightedRow();
}

void TThemeForm::ShowHighlightedRow()
{
    if (ThemeIndex < 0 || ThemeIndex >= static_cast<int>(ItemList.size()))
        return;
    // The margins of the rows themselves: the first row shows whole at the
    // top, with its gap, instead of half scrolled out.
    ScrollBox1->ensureWidgetVisible(ItemList[static_cast<size_t>(ThemeIndex)].Layout, 0, RowGap);
}

void TThemeForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only now has the viewport its real size; the row chosen before and
    // the focus given to its box scrolled against a guessed one.
    ShowHighlightedRow();
}

void TThemeForm::OKbuttonClick()
{
    std::array<QString, ThemeCount> names;
    for (const tThemeItem &item : ItemList)
        names[static_cast<size_t>(item.Index)] = item.Edit->text();
    SetThemeNames(s_, names);
    if (done_)
        done_();
    close();
}

bool TThemeForm::eventFilter(QObject *watched, QEvent *event)
{
    const bool enter = event->type() == QEvent::FocusIn && qobject_cast<QLineEdit *>(watched);
    const bool click = event->type() == QEvent::MouseButtonPress && qobject_cast<QFrame *>(watched);
    if (enter || click) {
        const int tag = watched->property("Tag").toInt();
        if (tag != ThemeIndex) {
            ThemeIndex = tag;
            for (tThemeItem &item : ItemList)
                item.Layout->setGraphicsEffect(nullptr);
            HighlightTheme();
        }
    }
    return QDialog::eventFilter(watched, event);
}
