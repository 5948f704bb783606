#include "browse/shell/ui/shortcutform.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "core/model/mainstate.h"
#include "core/program/epicmessage.h"
#include "core/program/settings.h"

namespace {

void SetPixelFont(QWidget *w, int px, bool bold)
{
    QFont f = w->font();
    f.setPixelSize(px);
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

TShortcutForm::TShortcutForm(tMainState &state, std::function<void()> applied, QWidget *parent)
    : QDialog(parent), state_(state), applied_(std::move(applied))
{
    setObjectName(QStringLiteral("ShortcutForm"));
    setWindowTitle(QStringLiteral("Orvanta: Menu Shortcuts"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(460, 620);

    for (const tShortcutSlot &slot : ShortcutSlots())
        KeyCodes[static_cast<size_t>(slot.Slot)] = DecodeSlotKey(state_.MenuShortcuts[static_cast<size_t>(slot.Slot)]);

    auto *v = new QVBoxLayout(this);
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    auto *content = new QWidget;
    auto *list = new QVBoxLayout(content);
    list->setContentsMargins(0, 0, 28, 8);
    list->setSpacing(0);
    for (const tShortcutGroup &group : ShortcutGroups()) {
        AddGroupHeader(list, group);
        for (const tShortcutRow &row : group.Rows)
            AddSlotRow(list, row);
    }
    list->addStretch(1);
    ScrollBox1->setWidget(content);
    v->addWidget(ScrollBox1, 1);

    // Stored shortcuts on keys the list cannot show are named here, so OK
    // removing them is no surprise.
    StatusLabel = new QLabel(UnofferedText(state_.MenuShortcuts, UnofferedSlots(state_.MenuShortcuts)));
    StatusLabel->setObjectName(QStringLiteral("DroppedKeysLabel"));
    StatusLabel->setWordWrap(true);
    StatusLabel->setVisible(!StatusLabel->text().isEmpty());
    v->addWidget(StatusLabel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKbutton = new QPushButton(QStringLiteral("OK"));
    OKbutton->setObjectName(QStringLiteral("OKbutton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(OKbutton);
    buttons->addWidget(CancelButton);
    v->addLayout(buttons);
    connect(OKbutton, &QPushButton::clicked, this, &TShortcutForm::OKbuttonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // The pop-up: the modifiers and the key of the row clicked.
    Popup1 = new QFrame(this, Qt::Popup);
    Popup1->setObjectName(QStringLiteral("Popup1"));
    Popup1->setFrameShape(QFrame::StyledPanel);
    auto *p = new QVBoxLayout(Popup1);
    CheckBox1 = new QCheckBox(QStringLiteral("Shift"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new QCheckBox(QStringLiteral("Control"));
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox3 = new QCheckBox(QStringLiteral("Alt"));
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    ComboBox1 = new QComboBox;
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    SetPixelFont(ComboBox1, 16, true);
    for (const tShortcutKey &key : ShortcutKeys())
        ComboBox1->addItem(key.Text, key.Code);
    for (QWidget *w : {static_cast<QWidget *>(CheckBox1), static_cast<QWidget *>(CheckBox2),
                       static_cast<QWidget *>(CheckBox3), static_cast<QWidget *>(ComboBox1)})
        p->addWidget(w);
    Popup1->hide();
    Popup1->installEventFilter(this);
    auto modifier = [this](bool tSlotKey::*field) {
        return [this, field](bool on) {
            if (!loading_ && editedSlot_ > 0)
                KeyCodes[static_cast<size_t>(editedSlot_)].*field = on;
        };
    };
    connect(CheckBox1, &QCheckBox::toggled, this, modifier(&tSlotKey::Shift));
    connect(CheckBox2, &QCheckBox::toggled, this, modifier(&tSlotKey::Ctrl));
    connect(CheckBox3, &QCheckBox::toggled, this, modifier(&tSlotKey::Alt));
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!loading_ && editedSlot_ > 0)
            KeyCodes[static_cast<size_t>(editedSlot_)].KeyIndex = std::max(index, 0);
    });
    // Scrolling the list closes the pop-up: it would point at another row.
    connect(ScrollBox1->verticalScrollBar(), &QScrollBar::valueChanged, Popup1, &QWidget::hide);
}

void TShortcutForm::AddGroupHeader(QVBoxLayout *list, const tShortcutGroup &group)
{
    list->addSpacing(8);
    auto *header = new QFrame;
    header->setFixedHeight(28);
    header->setStyleSheet(QStringLiteral("QFrame { background: %1; border-radius: 6px; }")
                              .arg(QColor::fromRgba(group.Colour).name()));
    auto *shadow = new QGraphicsDropShadowEffect(header);
    shadow->setColor(QColor(0, 0, 0, 204));
    shadow->setOffset(2, 2);
    header->setGraphicsEffect(shadow);
    auto *h = new QHBoxLayout(header);
    h->setContentsMargins(8, 0, 8, 0);
    auto *title = new QLabel(group.Title);
    title->setStyleSheet(QStringLiteral("background: transparent;"));
    SetPixelFont(title, 16, true);
    h->addWidget(title);
    list->addWidget(header);
    list->addSpacing(4);
}

void TShortcutForm::AddSlotRow(QVBoxLayout *list, const tShortcutRow &row)
{
    auto *line = new QWidget;
    line->setFixedHeight(24);
    auto *h = new QHBoxLayout(line);
    h->setContentsMargins(8, 0, 0, 0);
    h->setSpacing(16);
    auto *caption = new QLabel(row.Caption);
    caption->setObjectName(QStringLiteral("SlotLabel%1").arg(row.Slot));
    caption->setTextFormat(Qt::PlainText);
    caption->setText(QString(row.Caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    SetPixelFont(caption, 16, false);
    auto *key = new QLabel;
    key->setObjectName(QStringLiteral("SlotKey%1").arg(row.Slot));
    SetPixelFont(key, 16, true);
    for (QLabel *l : {caption, key}) {
        l->setProperty("Slot", row.Slot);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    h->addWidget(caption);
    h->addWidget(key);
    h->addStretch(1);
    list->addWidget(line);
    keyLabels_[row.Slot] = key;
    ShowSlotKey(row.Slot);
}

QLabel *TShortcutForm::SlotKeyLabel(int slot) const
{
    const auto it = keyLabels_.find(slot);
    return it == keyLabels_.end() ? nullptr : it->second;
}

void TShortcutForm::ShowSlotKey(int slot)
{
    QLabel *label = SlotKeyLabel(slot);
    if (!label)
        return;
    const tSlotKey &key = KeyCodes[static_cast<size_t>(slot)];
    label->setText(SlotKeyText(key));
    label->setStyleSheet(key.KeyIndex == 0 ? QStringLiteral("color: #A9A9A9;") : QStringLiteral("color: #0000FF;"));
}

void TShortcutForm::EditSlot(int slot)
{
    Popup1->hide();
    QLabel *label = SlotKeyLabel(slot);
    if (!label)
        return;
    editedSlot_ = slot;
    const tSlotKey &key = KeyCodes[static_cast<size_t>(slot)];
    loading_ = true;
    CheckBox1->setChecked(key.Shift);
    CheckBox2->setChecked(key.Ctrl);
    CheckBox3->setChecked(key.Alt);
    ComboBox1->setCurrentIndex(key.KeyIndex);
    loading_ = false;
    Popup1->adjustSize();
    Popup1->move(label->mapToGlobal(QPoint(label->width() + 8, -Popup1->height() / 2 + label->height() / 2)));
    Popup1->show();
}

void TShortcutForm::Popup1ClosePopup()
{
    if (editedSlot_ > 0)
        ShowSlotKey(editedSlot_);
    editedSlot_ = 0;
}

void TShortcutForm::OKbuttonClick()
{
    Popup1->hide();
    // Qt fires neither of two items with one key sequence: nothing is
    // applied until every shortcut is the command's own.
    const std::vector<std::vector<int>> clashes = ClashingSlots(KeyCodes);
    if (!clashes.empty()) {
        ShowEpicMessage(ClashMessage(KeyCodes, clashes), QStringLiteral("OK"));
        return;
    }
    for (const tShortcutSlot &slot : ShortcutSlots())
        state_.MenuShortcuts[static_cast<size_t>(slot.Slot)] = EncodeSlotKey(KeyCodes[static_cast<size_t>(slot.Slot)]);
    if (applied_)
        applied_();
    accept();
}

bool TShortcutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Popup1 && event->type() == QEvent::Hide)
        Popup1ClosePopup();
    else if (event->type() == QEvent::MouseButtonPress && watched->property("Slot").isValid())
        EditSlot(watched->property("Slot").toInt());
    return QDialog::eventFilter(watched, event);
}
