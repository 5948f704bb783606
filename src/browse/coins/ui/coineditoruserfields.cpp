// The user-defined fields of the entry editor: one cell per field in the
// grid panel, its control by field type, showing an entry's values and
// writing them back through StuffCoinInfo.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "browse/coins/coineditor.h"
#include "browse/tree/treeview.h"
#include "browse/coins/udfvalues.h"
#include "browse/coins/ui/coineditorpanel.h"
#include "browse/coins/ui/pickerbox.h"
#include "browse/tree/ui/treeimages.h"
#include "platform/ui/typinglimit.h"

namespace {

constexpr int MoneyMaxLength = 9;
constexpr int LinkMaxLength = 100;
constexpr int RealMaxLength = 10;
constexpr int InputFontSize = 16;
constexpr int ListRows = 10;
// The fixed block's rows of the editor's grid: caption and control each.
constexpr int FixedGridRows = 8;
// Rows and columns of the fixed 4 x 4 block of the editor's own fields.
constexpr int FixedSide = 4;
const char *const UDFProperty = "UDFIndex";

QToolButton *CellButton(QWidget *cell, const QString &name, QWidget *edit)
{
    auto *b = new QToolButton(cell);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(26, 28);
    b->setProperty("TagObject", QVariant::fromValue<QObject *>(edit));
    return b;
}

} // namespace

int TCoinEditorPanel::UDFIndexOf(const QWidget *w) const
{
    if (!w)
        return -1;
    const QVariant v = w->property(UDFProperty);
    if (!v.isValid())
        return -1;
    const int k = v.toInt();
    if (k < 0 || k >= static_cast<int>(s.UDFlist.size()) || s.UDFlist[static_cast<size_t>(k)]->Control != w)
        return -1;
    return k;
}

QWidget *TCoinEditorPanel::MakeUDFCell(int k, tUDFfield &f)
{
    auto *cell = new QWidget;
    cell->setObjectName(QStringLiteral("UDFCell%1").arg(f.ID));
    auto *v = new QVBoxLayout(cell);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    if (f.FieldType == UDFEmptySpace)
        return cell;

    QLabel *caption = nullptr;
    if (f.FieldType != UDFCheckBox) {
        caption = new QLabel(f.FieldLabel, cell);
        caption->setObjectName(QStringLiteral("UDFLabel%1").arg(f.ID));
        if (auto *stored = findChild<QLabel *>(QStringLiteral("Label7")))
            caption->setFont(stored->font());
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        v->addWidget(caption);
    }

    QWidget *input = nullptr;
    QWidget *row = nullptr;  // the input with its button
    QFont inputFont = font();
    inputFont.setPixelSize(InputFontSize);
    const QString name = QStringLiteral("UDFControl%1").arg(f.ID);
    auto edit = [&](int maxLength) {
        auto *e = new QLineEdit(cell);
        // A stored value longer than the field's length shows whole.
        platform::setTypingLimit(e, std::max(1, maxLength));
        return e;
    };
    switch (f.FieldType) {
    case UDFHistoryDropDown:
    case UDFTextPickList: {
        auto *c = new QComboBox(cell);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        c->setMaxVisibleItems(ListRows);
        platform::setTypingLimit(c->lineEdit(), std::max(1, f.Length));
        if (f.FieldType == UDFTextPickList)
            c->addItems(CommaTextSplit(f.Options));
        // Choosing from the list is a change, whatever the box showed on entry.
        connect(c, &QComboBox::activated, this, [this, c] {
            CommitUserField(c);
            TagString[c] = ControlText(c);
        });
        input = c;
        break;
    }
    case UDFPickList: {
        auto *c = new TPickerBox(cell);
        if (!f.Options.isEmpty())
            c->addItems(CommaTextSplit(f.Options));
        c->setCurrentIndex(-1);
        connect(c, &QComboBox::activated, this, [this, c] { CommitUserField(c); });
        input = c;
        break;
    }
    case UDFCheckBox: {
        auto *b = new QCheckBox(f.FieldLabel, cell);
        if (ErrorBox)
            b->setFont(ErrorBox->font());
        connect(b, &QCheckBox::toggled, this, [this, b] { CommitUserField(b); });
        input = b;
        break;
    }
    case UDFMoney: input = edit(MoneyMaxLength); break;
    case UDFPhone: input = edit(PhoneMaxLength); break;
    case UDFAttachment:
    case UDFCertification: input = edit(LinkMaxLength); break;
    case UDFReal: input = edit(RealMaxLength); break;
    default: input = edit(f.Length); break;  // text box, number, date
    }
    input->setObjectName(name);
    input->setProperty(UDFProperty, k);
    input->setProperty("Tag", f.ID);
    if (f.FieldType != UDFCheckBox)
        input->setFont(inputFont);
    input->setMinimumHeight(28);

    if (f.FieldType == UDFDate || f.FieldType == UDFAttachment || f.FieldType == UDFCertification) {
        row = new QWidget(cell);
        auto *h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(0);
        input->setParent(row);
        h->addWidget(input, 1);
        QToolButton *b = CellButton(row, QStringLiteral("UDFButton%1").arg(f.ID), input);
        auto *e = static_cast<QLineEdit *>(input);
        if (f.FieldType == UDFDate) {
            input->setFixedWidth(113);
            h->addStretch(0);
            b->setText(QStringLiteral("\u25B2"));
            connect(b, &QToolButton::clicked, this, [this, e] {
                if (OpenCalendar)
                    OpenCalendar(e);
            });
        } else {
            b->setIcon(TreeButtonImage(ImgUp));
            if (f.FieldType == UDFAttachment)
                connect(b, &QToolButton::clicked, this, [this, e] { OpenUDFAttachment(e); });
            else
                connect(b, &QToolButton::clicked, this, [this, e] { OpenCertificationLookup(e); });
        }
        h->addWidget(b);
        v->addWidget(row);
    } else {
        v->addWidget(input);
    }
    v->addStretch(1);

    // Leaving a control commits it; the panel's filter handles entering,
    // Enter, Esc and the key rules.
    if (f.FieldType != UDFCheckBox) {
        input->installEventFilter(this);
        for (QLineEdit *inner : input->findChildren<QLineEdit *>())
            inner->installEventFilter(this);
    }
    f.Control = input;
    f.textLabel = caption;
    return cell;
}

void TCoinEditorPanel::ClearUDFlist2(tPendingEdit pending)
{
    QWidget *w = Pending;
    const int k = UDFIndexOf(w);
    CarriedField = -1;
    if (k >= 0) {
        if (pending == tPendingEdit::Commit) {
            CommitPendingEdit();
        } else if (pending == tPendingEdit::Carry) {
            CarriedField = k;
            CarriedText = ControlText(w);
            CarriedTag = TagString.value(w);
        }
        Pending = nullptr;
    }
    for (const auto &f : s.UDFlist) {
        f->Control = nullptr;
        f->textLabel = nullptr;
    }
    for (const QPointer<QWidget> &cell : UDFlist2) {
        if (!cell)
            continue;
        // A control going away must not commit: its filter and handlers go
        // first.
        for (QWidget *c : cell->findChildren<QWidget *>()) {
            c->removeEventFilter(this);
            c->disconnect(this);
            TagString.remove(c);
        }
        cell->hide();
        cell->setParent(nullptr);
        cell->deleteLater();
    }
    UDFlist2.clear();
}

void TCoinEditorPanel::CreateUDFobjects(int availableWidth)
{
    CurrProcGuard guard(13800);
    if (availableWidth < 0) {
        const QScrollBar *bar = CoinScrollBox->verticalScrollBar();
        // The notes take a quarter of the editor's width.
        availableWidth = (CoinScrollBox->viewport()->width() - (bar->isVisible() ? bar->width() : 0) - 20) * 3 / 4;
    }
    if (!UDFlist2.empty())
        ClearUDFlist2(tPendingEdit::Carry);
    const int count = static_cast<int>(s.UDFlist.size());
    const tUDFGridSize grid = UDFGridSize(availableWidth, count);
    for (int c = 0; c < std::max(grid.Columns, FieldGrid->columnCount()); ++c)
        FieldGrid->setColumnStretch(c, c < grid.Columns ? 1 : 0);
    for (int k = 0; k < count; ++k) {
        QWidget *cell = MakeUDFCell(k, *s.UDFlist[static_cast<size_t>(k)]);
        const tUDFCell at = UDFCellOf(grid, k);
        if (at.Row < FixedSide)
            FieldGrid->addWidget(cell, at.Row * 2, at.Column, 2, 1);
        else
            FieldGrid->addWidget(cell, FixedGridRows + at.Row - FixedSide, at.Column);
        UDFlist2.emplace_back(cell);
    }

    // What was being typed into a control survives its remaking.
    if (CarriedField >= 0 && CarriedField < count) {
        if (QWidget *w = s.UDFlist[static_cast<size_t>(CarriedField)]->Control) {
            if (auto *e = qobject_cast<QLineEdit *>(w))
                e->setText(CarriedText);
            else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable())
                c->setEditText(CarriedText);
            TagString[w] = CarriedTag;
            Pending = w;
            w->setFocus();
        }
    }
    CarriedField = -1;
}

void TCoinEditorPanel::ShowUDFValues(int row, bool keepPending)
{
    CurrProcGuard guard(27500);
    const int rows = static_cast<int>(s.CurrCoinList.size());
    if (row < 0 || row >= rows)
        return;
    const QStringList slots = CommaTextSplit(s.CurrCoinList[static_cast<size_t>(row)]->UDFstring);
    for (int k = 0; k < static_cast<int>(s.UDFlist.size()); ++k) {
        const tUDFfield &f = *s.UDFlist[static_cast<size_t>(k)];
        QWidget *w = f.Control;
        if (!w || (keepPending && w == Pending))
            continue;
        const bool present = k < slots.size();
        const QString slot = present ? slots[k] : QString();
        const QSignalBlocker block(w);
        if (auto *b = qobject_cast<QCheckBox *>(w)) {
            b->setChecked(present && UDFShownChecked(slot));
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            if (c->isEditable()) {
                c->setCurrentIndex(-1);
                c->setEditText(slot);
            } else {
                c->setCurrentIndex(present ? c->findText(slot, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1);
            }
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            e->setText(UDFShownText(f.FieldType, f.Length, slot, present));
        }
        if (w == Pending)
            TagString[w] = ControlText(w);
    }
}

void TCoinEditorPanel::CommitUserField(QWidget *w)
{
    const int k = UDFIndexOf(w);
    if (k < 0)
        return;
    const tUDFfield &f = *s.UDFlist[static_cast<size_t>(k)];
    tEditorValue v;
    v.UDFIndex = k;
    if (auto *b = qobject_cast<QCheckBox *>(w))
        v.Text = UDFStoredText(f.FieldType, QString(), b->isChecked());
    else
        v.Text = UDFStoredText(f.FieldType, ControlText(w));
    if (f.FieldType == UDFHistoryDropDown) {
        // A new value joins the list it was typed into.
        auto *c = static_cast<QComboBox *>(w);
        if (!v.Text.isEmpty() && c->findText(v.Text, Qt::MatchFixedString) < 0) {
            const QSignalBlocker block(c);
            const QString typed = c->currentText();
            c->addItem(v.Text);
            c->setCurrentIndex(-1);
            c->setEditText(typed);
        }
    }
    {
        QScopedValueRollback<bool> guard(Committing, true);
        StuffCoinInfo(s, tCoinField::UserField, v);
    }
    UpdateButtons();
}

void TCoinEditorPanel::UserFieldExit(QWidget *w)
{
    const int k = UDFIndexOf(w);
    switch (s.UDFlist[static_cast<size_t>(k)]->FieldType) {
    case UDFMoney: {
        auto *e = static_cast<QLineEdit *>(w);
        e->setText(PriceEditExitText(e->text()));
        if (e->text() != TagString.value(w))
            CommitUserField(w);
        UpdateSelectionSummary();
        break;
    }
    default:
        // Leaving a control writes back only what the collector changed in
        // it; the control may show a stored value it could not hold as typed.
        if (ControlText(w) != TagString.value(w))
            CommitUserField(w);
        break;
    }
}

void TCoinEditorPanel::CommitControl(QWidget *w)
{
    if (!w)
        return;
    if (UDFIndexOf(w) >= 0)
        CommitUserField(w);
    else
        Commit(w);
    TagString[w] = ControlText(w);
}

bool TCoinEditorPanel::PhoneKey(QLineEdit *e, QKeyEvent *ke)
{
    if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    QString text = e->text();
    const int caret = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    if (PhoneMaskKey(text, caret, ke->key(), ke->text())) {
        e->setText(text);
        e->setCursorPosition(static_cast<int>(text.size()));
        return true;
    }
    // Other printable characters are not part of a phone number.
    return !ke->text().isEmpty() && ke->text().front().isPrint();
}

void TCoinEditorPanel::OpenUDFAttachment(QLineEdit *e)
{
    if (!e->text().isEmpty())
        MultiPlatformOpen(e->text());
}

void TCoinEditorPanel::OpenCertificationLookup(QLineEdit *e)
{
    CurrProcGuard guard(15400);
    const int rows = static_cast<int>(s.CurrCoinList.size());
    if (e->text().isEmpty() || s.CoinGridRow < 0 || s.CoinGridRow >= rows)
        return;
    const tCoinInfo &coin = *s.CurrCoinList[static_cast<size_t>(s.CoinGridRow)];
    const QString address = CertificateLookupAddress(coin.Gradedby, coin.Grade, e->text());
    if (!address.isEmpty())
        MultiPlatformOpen(address);
}
