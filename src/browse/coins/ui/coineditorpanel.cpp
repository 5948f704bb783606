#include "browse/coins/ui/coineditorpanel.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "browse/coins/coineditor.h"
#include "browse/tree/treeview.h"
#include "browse/coins/ui/pickerbox.h"
#include "browse/tree/ui/treeimages.h"
#include "platform/ui/typinglimit.h"
#include "core/program/ui/widgetkit.h"

namespace {

constexpr int MaxCount = 9999;
constexpr int DateMaxLength = 10;
constexpr int PriceMaxLength = 11;
constexpr int CommentMaxLength = 25;
constexpr int NotesMinHeight = 60;
constexpr int NotesFontSize = 12;
constexpr int MaxedNotesFontSize = 16;
// What the price boxes of an empty editor show.
const QString NoPriceText = QStringLiteral("$0.00");

// The editor's scroll box asks for the whole height of its fields, up to a
// cap, so every field shows while the page has the room and the coin grid
// takes the rest; only a taller editor (many user fields) scrolls.
class TEditorScrollBox : public QScrollArea {
public:
    static constexpr int MaxHeight = 420;

    QSize sizeHint() const override
    {
        QSize s = QScrollArea::sizeHint();
        if (const QWidget *w = widget())
            s.setHeight(std::min(w->sizeHint().height() + 2 * frameWidth(), MaxHeight));
        return s;
    }
    QSize minimumSizeHint() const override { return {QScrollArea::minimumSizeHint().width(), sizeHint().height()}; }

    void SetFields(QWidget *content)
    {
        setWidget(content);
        content->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        // The fields' layout changed (shown, hidden, added): ask again.
        if (o == widget() && e->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(o, e);
    }
};

QLabel *Caption(const char *name, const QString &text)
{
    auto *l = new QLabel(text);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

// Moves the focus on, as Tab would.
void FocusNext(QWidget *w)
{
    for (QWidget *n = w->nextInFocusChain(); n && n != w; n = n->nextInFocusChain()) {
        if ((n->focusPolicy() & Qt::TabFocus) && n->isEnabled() && n->isVisibleTo(w->window()) && !n->focusProxy()) {
            n->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    w->clearFocus();
}

// Shows a text in a free-text box; the suggestion equal to it becomes the
// current item, or none. Runs no handler.
void SetPickText(QComboBox *box, const QString &text)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(text);
}

bool IsPriceBox(const QString &name)
{
    return name == QLatin1String("PriceEdit") || name == QLatin1String("SellPriceEdit");
}

} // namespace

TCoinEditorPanel::TCoinEditorPanel(tMainState &state, QWidget *parent) : QWidget(parent), s(state)
{
    setObjectName(QStringLiteral("CoinEditorPanel"));
    BuildControls();
    Connect();
    // The panel is the connections' context: they go with it. The main
    // window may free its state before its child widgets, so the panel
    // never touches the state when it goes.
    QObject::connect(s.Events.get(), &tStateEvents::FillCoinEditor, this, [this] { FillCoinEditor(); });
    QObject::connect(s.Events.get(), &tStateEvents::CommitPendingEdit, this, [this] { CommitPendingEdit(); });
    QObject::connect(s.Events.get(), &tStateEvents::RestoreNotesMemo, this, [this] { RestoreNotesMemo(); });
    NoteMaxedBtnClick(this);
    FillPickLists();
    FillGradeBox();
    BuildDateMintBoxList(false);
    FillCoinEditor();
}

TCoinEditorPanel::~TCoinEditorPanel() = default;

void TCoinEditorPanel::BuildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    ButtonRow = Make<QWidget>("CoinButtons", this);
    auto *bl = new QHBoxLayout(ButtonRow);
    bl->setContentsMargins(0, 0, 0, 0);
    NewCoinBtn = Make<QPushButton>("NewCoinBtn");
    NewCoinBtn->setText(QStringLiteral("New"));
    CloneCoinBtn = Make<QPushButton>("CloneCoinBtn");
    CloneCoinBtn->setText(QStringLiteral("Clone"));
    UndoCoinBtn = Make<QPushButton>("UndoCoinBtn");
    UndoCoinBtn->setText(QStringLiteral("Undo"));
    DeleteCoinBtn = Make<QPushButton>("DeleteCoinBtn");
    DeleteCoinBtn->setText(QStringLiteral("Delete"));
    for (QPushButton *b : {NewCoinBtn, CloneCoinBtn, UndoCoinBtn, DeleteCoinBtn})
        bl->addWidget(b);
    bl->addStretch(1);
    outer->addWidget(ButtonRow);

    auto *content = Make<QWidget>("CoinScrollBoxContent");
    auto *row = new QHBoxLayout(content);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(12);
    Fields = Make<QWidget>("GridPanelLayout1", content);
    auto *g = new QGridLayout(Fields);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(2);

    auto *dateMint = Make<TPickerBox>("DateMintBox");
    dateMint->LeadingBlank = false;
    dateMint->setIconSize(QSize(24, 24));
    DateMintBox = dateMint;
    GradeBox = Make<TPickerBox>("GradeBox");
    GMbox = Make<TPickerBox>("GMbox");
    GradedByBox = Make<QComboBox>("GradedByBox");
    StoredBox = Make<QComboBox>("StoredBox");
    for (QComboBox *b : {GradedByBox, StoredBox}) {
        b->setEditable(true);
        b->setInsertPolicy(QComboBox::NoInsert);
        // Typed text is the value; the list only suggests.
        b->setCompleter(nullptr);
    }
    // The boxes share the row's width instead of growing to their longest item.
    for (QComboBox *b : {DateMintBox, GradeBox, GMbox, GradedByBox, StoredBox}) {
        b->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        b->setMinimumContentsLength(6);
    }
    auto spin = [](const char *name) {
        auto *sb = Make<QSpinBox>(name);
        sb->setRange(0, MaxCount);
        return sb;
    };
    HaveEdit = spin("HaveEdit");
    NeedEdit = spin("NeedEdit");
    SellEdit = spin("SellEdit");
    SoldEdit = spin("SoldEdit");
    BuyDateBox = Make<QLineEdit>("BuyDateBox");
    SellDateBox = Make<QLineEdit>("SellDateBox");
    // The limits hold what is typed; a stored value shows whole.
    for (QLineEdit *e : {BuyDateBox, SellDateBox})
        platform::setTypingLimit(e, std::max(DateMaxLength, ShortDateMaxLength()));
    BuyDateButton = Make<QToolButton>("BuyDateButton");
    SellDateButton = Make<QToolButton>("SellDateButton");
    for (QToolButton *b : {BuyDateButton, SellDateButton}) {
        b->setText(QStringLiteral("\u25B2"));
        b->setFocusPolicy(Qt::NoFocus);
    }
    PriceEdit = Make<QLineEdit>("PriceEdit");
    SellPriceEdit = Make<QLineEdit>("SellPriceEdit");
    for (QLineEdit *e : {PriceEdit, SellPriceEdit})
        platform::setTypingLimit(e, PriceMaxLength);
    CommentEdit = Make<QLineEdit>("CommentEdit");
    platform::setTypingLimit(CommentEdit, CommentMaxLength);
    NotesMemo = Make<QPlainTextEdit>("NotesMemo");
    NotesMemo->setTabChangesFocus(true);
    BuyBox = Make<QCheckBox>("BuyBox");
    BuyBox->setText(QStringLiteral("Buy price"));
    SellBox = Make<QCheckBox>("SellBox");
    SellBox->setText(QStringLiteral("Sell price"));
    ErrorBox = Make<QCheckBox>("ErrorBox");
    ErrorBox->setText(QStringLiteral("Mint error"));
    User1Box = Make<QCheckBox>("User1Box");
    User1Box->setText(QStringLiteral("Track"));

    // Caption above control, four cells to a row.
    auto cell = [&](int r, int col, QWidget *caption, QWidget *control) {
        if (caption)
            g->addWidget(caption, r * 2, col);
        g->addWidget(control, r * 2 + 1, col);
    };
    auto dated = [](QLineEdit *box, QToolButton *button) {
        auto *w = new QWidget;
        auto *l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(2);
        l->addWidget(box, 1);
        l->addWidget(button);
        return w;
    };
    CommentCaption = Caption("Label41", QStringLiteral("Comment"));
    cell(0, 0, Caption("Label2", QStringLiteral("Year / Mint / Variety")), DateMintBox);
    cell(0, 1, Caption("Label4", QStringLiteral("Grade")), GradeBox);
    cell(0, 2, Caption("Label40", QStringLiteral("Grade modifier")), GMbox);
    cell(0, 3, Caption("Label26", QStringLiteral("Graded by")), GradedByBox);
    cell(1, 0, Caption("Label5", QStringLiteral("Have")), HaveEdit);
    cell(1, 1, Caption("Label1", QStringLiteral("Need")), NeedEdit);
    cell(1, 2, Caption("Label6", QStringLiteral("Sell")), SellEdit);
    cell(1, 3, Caption("Label24", QStringLiteral("Sold")), SoldEdit);
    cell(2, 0, Caption("Label28", QStringLiteral("Purchased")), dated(BuyDateBox, BuyDateButton));
    cell(2, 1, Caption("Label126", QStringLiteral("Date sold")), dated(SellDateBox, SellDateButton));
    cell(2, 2, BuyBox, PriceEdit);
    cell(2, 3, SellBox, SellPriceEdit);
    cell(3, 0, CommentCaption, CommentEdit);
    cell(3, 1, Caption("Label7", QStringLiteral("Stored in")), StoredBox);
    g->addWidget(ErrorBox, 7, 2);
    g->addWidget(User1Box, 7, 3);
    // The grid panel: the fixed block takes its first four columns and rows;
    // the user-defined fields' cells fill the rest.
    UserFieldsPanel = Fields;
    FieldGrid = g;
    for (int c = 0; c < 4; ++c)
        g->setColumnStretch(c, 1);
    row->addWidget(Fields, 3);

    auto *notes = Make<QWidget>("NotesArea", content);
    auto *nl = new QGridLayout(notes);
    nl->setContentsMargins(0, 0, 0, 0);
    nl->setVerticalSpacing(2);
    NoteMaxedBtn = Make<QToolButton>("NoteMaxedBtn");
    NoteMaxedBtn->setAutoRaise(true);
    NoteMaxedBtn->setFocusPolicy(Qt::NoFocus);
    nl->addWidget(Caption(nullptr, QStringLiteral("Notes")), 0, 0);
    nl->addWidget(NoteMaxedBtn, 0, 1, Qt::AlignRight);
    nl->addWidget(NotesMemo, 1, 0, 1, 2);
    nl->setRowStretch(1, 1);
    row->addWidget(notes, 1);

    auto *box = new TEditorScrollBox;
    box->setObjectName(QStringLiteral("CoinScrollBox"));
    box->setWidgetResizable(true);
    box->setFrameShape(QFrame::NoFrame);
    box->SetFields(content);
    CoinScrollBox = box;
    outer->addWidget(CoinScrollBox);
}

void TCoinEditorPanel::Connect()
{
    for (QComboBox *b : {DateMintBox, GradeBox, GMbox})
        connect(b, &QComboBox::currentIndexChanged, this, [this, b] { DateMintBoxChange(b); });
    // Choosing from the list of a free-text box commits as leaving it does.
    for (QComboBox *b : {GradedByBox, StoredBox}) {
        connect(b, &QComboBox::activated, this, [this, b] { Exit(b); });
        // Typed text stands on its own, not as a changed item of the list.
        connect(b->lineEdit(), &QLineEdit::textEdited, this, [b](const QString &text) {
            if (b->currentIndex() < 0)
                return;
            const int caret = b->lineEdit()->cursorPosition();
            const QSignalBlocker block(b);
            b->setCurrentIndex(-1);
            b->setEditText(text);
            b->lineEdit()->setCursorPosition(caret);
        });
    }
    for (QSpinBox *sb : {HaveEdit, NeedEdit, SellEdit, SoldEdit}) {
        connect(sb, &QSpinBox::valueChanged, this, [this, sb] {
            Commit(sb);
            UpdateSelectionSummary();
        });
    }
    for (QCheckBox *b : {BuyBox, SellBox})
        connect(b, &QCheckBox::toggled, this, [this, b] { BuyBoxChange(b); });
    for (QCheckBox *b : {ErrorBox, User1Box})
        connect(b, &QCheckBox::toggled, this, [this, b] { Commit(b); });

    for (QComboBox *b : {DateMintBox, GradeBox, GMbox})
        b->installEventFilter(this);
    for (QWidget *w : std::initializer_list<QWidget *>{GradedByBox, StoredBox, HaveEdit, NeedEdit, SellEdit, SoldEdit,
                                                       BuyDateBox, SellDateBox, PriceEdit, SellPriceEdit, CommentEdit,
                                                       NotesMemo}) {
        w->installEventFilter(this);
        // The inner edit of a spin box or combo box may hold the focus itself.
        for (QLineEdit *inner : w->findChildren<QLineEdit *>())
            inner->installEventFilter(this);
    }

    connect(NoteMaxedBtn, &QToolButton::clicked, this, [this] { NoteMaxedBtnClick(NoteMaxedBtn); });
    connect(NewCoinBtn, &QPushButton::clicked, this, [this] {
        NewCoinBtnClick(s, false);
        UpdateButtons();
    });
    connect(CloneCoinBtn, &QPushButton::clicked, this, [this] {
        NewCoinBtnClick(s, true);
        UpdateButtons();
    });
    connect(UndoCoinBtn, &QPushButton::clicked, this, [this] {
        CommitPendingEdit();
        UndoCoinBtnClick(s);
        UpdateButtons();
    });
    connect(DeleteCoinBtn, &QPushButton::clicked, this, [this] {
        CommitPendingEdit();
        if (DeleteCoinBtnClick(s) > 0)
            BuildDateMintBoxList(true);
        UpdateButtons();
    });
}

QWidget *TCoinEditorPanel::EditorControl(QObject *o) const
{
    auto *w = qobject_cast<QWidget *>(o);
    // A spin box's or combo box's own line edit stands for its box.
    if (w && qobject_cast<QLineEdit *>(w) && w->parentWidget() &&
        (qobject_cast<QSpinBox *>(w->parentWidget()) || qobject_cast<QComboBox *>(w->parentWidget())))
        w = w->parentWidget();
    return w;
}

QString TCoinEditorPanel::ControlText(QWidget *w) const
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *m = qobject_cast<QPlainTextEdit *>(w))
        return m->toPlainText();
    if (auto *sb = qobject_cast<QSpinBox *>(w))
        return QString::number(sb->value());
    return {};
}

void TCoinEditorPanel::RestoreControl(QWidget *w)
{
    const QString kept = TagString.value(w);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(kept);
    else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable())
        SetPickText(c, kept);
    else if (c)
        c->setCurrentIndex(kept.isEmpty() ? -1 : c->findText(kept, Qt::MatchExactly | Qt::MatchCaseSensitive));
    else if (auto *m = qobject_cast<QPlainTextEdit *>(w))
        m->setPlainText(kept);
    else if (auto *sb = qobject_cast<QSpinBox *>(w))
        sb->setValue(kept.toInt());  // commits the old value back through the change handler
}

void TCoinEditorPanel::Enter(QWidget *w)
{
    if (IsPriceBox(w->objectName())) {
        CurrProcGuard guard(7200);
        auto *e = static_cast<QLineEdit *>(w);
        e->setText(ReducePriceText(e->text()));
    }
    TagString[w] = ControlText(w);
    Pending = w;
}

void TCoinEditorPanel::Exit(QWidget *w)
{
    if (UDFIndexOf(w) >= 0) {
        UserFieldExit(w);
        TagString[w] = ControlText(w);
        return;
    }
    const tCoinField field = CoinFieldFromName(w->objectName());
    switch (field) {
    case tCoinField::PriceEdit:
    case tCoinField::SellPriceEdit: {
        CurrProcGuard guard(7300);
        auto *e = static_cast<QLineEdit *>(w);
        e->setText(PriceEditExitText(e->text()));
        if (e->text() != TagString.value(w))
            Commit(w);
        UpdateSelectionSummary();
        break;
    }
    case tCoinField::CommentEdit:
    case tCoinField::BuyDateBox:
    case tCoinField::SellDateBox:
    case tCoinField::NotesMemo:
        if (ControlText(w) != TagString.value(w))
            Commit(w);
        break;
    default: {
        // Graded by, Stored in and the counts: a box passed through writes
        // nothing, not even to the other selected entries.
        CurrProcGuard guard(10000);
        if (ControlText(w) != TagString.value(w))
            Commit(w);
        UpdateSelectionSummary();
        break;
    }
    }
    TagString[w] = ControlText(w);
}

bool TCoinEditorPanel::PickerEvent(QComboBox *box, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: PickerTag[box] = box->currentIndex(); break;
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            FocusNext(box);
            return true;
        }
        if (ke->key() == Qt::Key_Escape) {
            // Choosing the item held on entry again runs the change handler,
            // which commits the old value back.
            box->setCurrentIndex(PickerTag.value(box, box->currentIndex()));
            return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

bool TCoinEditorPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DateMintBox || watched == GradeBox || watched == GMbox)
        return PickerEvent(static_cast<QComboBox *>(watched), event);
    QWidget *w = EditorControl(watched);
    if (!w)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (Pending != w)
            Enter(w);
        break;
    case QEvent::FocusOut: {
        // The focus moving between a box and its own inner edit, or a list
        // dropping down, is not leaving the box.
        auto *fe = static_cast<QFocusEvent *>(event);
        QWidget *now = QApplication::focusWidget();
        if (fe->reason() == Qt::PopupFocusReason || (now && EditorControl(now) == w))
            break;
        if (Pending == w) {
            Pending = nullptr;
            Exit(w);
        }
        break;
    }
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        const bool memo = w == NotesMemo;
        if (!memo && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)) {
            FocusNext(w);
            return true;
        }
        if (ke->key() == Qt::Key_Escape) {
            RestoreControl(w);
            return true;
        }
        const int udf = UDFIndexOf(w);
        const int udfType = udf >= 0 ? s.UDFlist[static_cast<size_t>(udf)]->FieldType : -1;
        if (udfType == UDFPhone)
            return PhoneKey(static_cast<QLineEdit *>(w), ke);
        // Typed characters only: shortcuts (paste, select all) pass, and a
        // pasted text is cleaned when the box is left.
        const bool shortcut = ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if ((IsPriceBox(w->objectName()) || udfType == UDFMoney) && !shortcut && !ke->text().isEmpty() && ke->text().front().isPrint()) {
            auto *e = static_cast<QLineEdit *>(w);
            QString remaining = e->text();
            if (e->hasSelectedText())
                remaining.remove(e->selectionStart(), e->selectedText().size());
            if (!PriceKeyAccepted(remaining, ke->text().front(), platform::typingLimit(e)))
                return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

void TCoinEditorPanel::CommitPendingEdit()
{
    if (QWidget *w = Pending)
        Exit(w);
}

tEditorValue TCoinEditorPanel::ValueOf(tCoinField field) const
{
    tEditorValue v;
    switch (field) {
    case tCoinField::DateMintBox: {
        const int i = DateMintBox->currentIndex();
        v.Price = i >= 0 && i < static_cast<int>(DateMintKeys.size()) ? DateMintRowFor(s, DateMintKeys[i]) : nullptr;
        v.Text = GMbox->currentIndex() >= 0 ? GMbox->currentText() : QString();
        break;
    }
    case tCoinField::GradeBox:
        v.Number = GradeBox->currentIndex() >= 0 ? GradeBox->currentData().toInt() : NoGrade;
        break;
    case tCoinField::GMbox: v.Text = GMbox->currentIndex() >= 0 ? GMbox->currentText() : QString(); break;
    case tCoinField::GradedByBox: v.Text = GradedByBox->currentText(); break;
    case tCoinField::StoredBox: v.Text = StoredBox->currentText(); break;
    case tCoinField::HaveEdit: v.Number = HaveEdit->value(); break;
    case tCoinField::NeedEdit: v.Number = NeedEdit->value(); break;
    case tCoinField::SellEdit: v.Number = SellEdit->value(); break;
    case tCoinField::SoldEdit: v.Number = SoldEdit->value(); break;
    case tCoinField::BuyDateBox: v.Text = BuyDateBox->text(); break;
    case tCoinField::SellDateBox: v.Text = SellDateBox->text(); break;
    case tCoinField::PriceEdit: v.Text = PriceEdit->text(); break;
    case tCoinField::SellPriceEdit: v.Text = SellPriceEdit->text(); break;
    case tCoinField::CommentEdit: v.Text = CommentEdit->text(); break;
    case tCoinField::NotesMemo: v.Text = NotesMemo->toPlainText(); break;
    case tCoinField::BuyBox: v.Checked = BuyBox->isChecked(); break;
    case tCoinField::SellBox: v.Checked = SellBox->isChecked(); break;
    case tCoinField::ErrorBox: v.Checked = ErrorBox->isChecked(); break;
    case tCoinField::User1Box: v.Checked = User1Box->isChecked(); break;
    default: break;
    }
    return v;
}

void TCoinEditorPanel::Commit(QWidget *sender)
{
    const tCoinField field = CoinFieldFromName(sender->objectName());
    if (field == tCoinField::None)
        return;
    {
        QScopedValueRollback<bool> guard(Committing, true);
        StuffCoinInfo(s, field, ValueOf(field));
    }
    if (field == tCoinField::DateMintBox)
        BuildDateMintBoxList(true);
    UpdateButtons();
}

void TCoinEditorPanel::DateMintBoxChange(QWidget *sender)
{
    CurrProcGuard guard(5300);
    FillGMBox();
    Commit(sender);
}

void TCoinEditorPanel::BuyBoxChange(QCheckBox *sender)
{
    CurrProcGuard guard(9200);
    // Only one price can be locked.
    if (sender->isChecked()) {
        QCheckBox *other = sender == BuyBox ? SellBox : BuyBox;
        QSignalBlocker block(other);
        other->setChecked(false);
    }
    Commit(sender);
    UpdateSelectionSummary();
}

void TCoinEditorPanel::UpdateSelectionSummary()
{
    Q_EMIT s.Events->UpdateSelectionSummary();
}

void TCoinEditorPanel::UpdateButtons()
{
    const int rows = static_cast<int>(s.CurrCoinList.size());
    NewCoinBtn->setEnabled(s.SelectedTreeNode != nullptr);
    UndoCoinBtn->setEnabled(!s.UndoCoinList.empty());
    DeleteCoinBtn->setEnabled(rows > 0);
    CloneCoinBtn->setEnabled(s.CoinGridRow >= 0 && s.CoinGridRow < rows);
}

void TCoinEditorPanel::BuildDateMintBoxList(bool keepPos)
{
    const int pos = DateMintBox->currentIndex();
    QSignalBlocker block(DateMintBox);
    DateMintBox->clear();
    DateMintKeys.clear();
    DateMintTexts.clear();
    for (const tPriceInfo *row : DateMintRows(s)) {
        DateMintKeys.push_back(DateMintKeyOf(*row));
        DateMintTexts << DateMintItemText(s, *row);
        DateMintBox->addItem(TreeButtonImage(DateMintRowCollected(s, *row) ? ImgCollected : ImgUncollected),
                             DateMintTexts.back());
    }
    DateMintBox->setCurrentIndex(keepPos && pos < DateMintBox->count() ? pos : -1);
}

void TCoinEditorPanel::FillGradeBox()
{
    CurrProcGuard guard(16700);
    QSignalBlocker block(GradeBox);
    GradeBox->clear();
    GradeBox->addItem(QString(), NoGrade);
    GradeItems = s.CurrGradeList;
    for (const tGradeTitle &t : GradeItems)
        GradeBox->addItem(t.Title, t.Slot);
    GradeBox->setCurrentIndex(-1);
}

void TCoinEditorPanel::FillGMBox()
{
    const QString kept = GMbox->currentIndex() >= 0 ? GMbox->currentText() : QString();
    QSignalBlocker block(GMbox);
    GMbox->clear();
    const int i = DateMintBox->currentIndex();
    const tPriceInfo *chosen =
        i >= 0 && i < static_cast<int>(DateMintKeys.size()) ? DateMintRowFor(s, DateMintKeys[i]) : nullptr;
    GMbox->addItems(GMItemsFor(s, chosen));
    const int keptIndex = GMbox->findText(kept, Qt::MatchFixedString);
    GMbox->setCurrentIndex(keptIndex >= 0 ? keptIndex : (GMbox->count() > 0 ? 0 : -1));
}

namespace {

QStringList Items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

void TCoinEditorPanel::FillPickLists()
{
    for (auto [box, items] : {std::pair{GradedByBox, &s.GradedByBoxItems}, {StoredBox, &s.StoredBoxItems}}) {
        if (Items(box) == *items)
            continue;
        const QSignalBlocker block(box);
        const QString text = box->currentText();
        box->clear();
        box->addItems(*items);
        SetPickText(box, text);
    }
}

void TCoinEditorPanel::NoteMaxedBtnClick(QObject *sender)
{
    const bool was = Fields->isHidden();
    if (sender == NoteMaxedBtn)
        NoteMaxed = !NoteMaxed;
    // Maximised, the notes keep the editor's height so the grid below does
    // not move.
    NotesMemo->setMinimumHeight(NoteMaxed ? Fields->height() : NotesMinHeight);
    Fields->setVisible(!NoteMaxed);
    QFont f = NotesMemo->font();
    f.setPixelSize(NoteMaxed ? MaxedNotesFontSize : NotesFontSize);
    NotesMemo->setFont(f);
    NoteMaxedBtn->setIcon(TreeButtonImage(NoteMaxed ? ImgDown : ImgUp));
    NoteMaxedBtn->setToolTip(NoteMaxed ? QStringLiteral("Show all fields") : QStringLiteral("Enlarge the notes"));
    if (was != NoteMaxed)
        Q_EMIT NoteMaxedChanged(NoteMaxed);
}

void TCoinEditorPanel::RestoreNotesMemo()
{
    if (!NoteMaxed)
        return;
    NoteMaxed = false;
    NoteMaxedBtnClick(this);
}

void TCoinEditorPanel::SetCoinScrollBoxEnable(bool IsEnabled)
{
    CurrProcGuard guard(11300);
    EditorEnabled = IsEnabled;
    for (QWidget *w : CoinScrollBox->widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        w->setEnabled(IsEnabled);
    // User-field controls are cleared with their handlers detached, so that
    // clearing them writes nothing into any entry.
    for (const auto &f : s.UDFlist) {
        for (QWidget *w : {f->textLabel, f->Control}) {
            if (!w)
                continue;
            w->setEnabled(IsEnabled);
            QSignalBlocker block(w);
            if (auto *c = qobject_cast<QComboBox *>(w)) {
                if (!c->isEditable())
                    c->setCurrentIndex(-1);
            } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
                e->clear();
            } else if (auto *b = qobject_cast<QCheckBox *>(w)) {
                b->setChecked(false);
            }
        }
    }
}

void TCoinEditorPanel::ResetEditor()
{
    const QSignalBlocker b1(DateMintBox), b2(GradeBox), b3(GMbox), b4(HaveEdit), b5(NeedEdit), b6(SellEdit),
        b7(SoldEdit), b8(BuyBox), b9(SellBox), b10(ErrorBox), b11(User1Box), b12(GradedByBox), b13(StoredBox);
    DateMintBox->setCurrentIndex(-1);
    GradeBox->setCurrentIndex(-1);
    GMbox->setCurrentIndex(-1);
    HaveEdit->setValue(1);
    for (QSpinBox *sb : {NeedEdit, SellEdit, SoldEdit})
        sb->setValue(0);
    NotesMemo->clear();
    SetPickText(StoredBox, QString());
    SetPickText(GradedByBox, QString());
    for (QLineEdit *e : {BuyDateBox, SellDateBox, CommentEdit})
        e->clear();
    PriceEdit->setText(NoPriceText);
    SellPriceEdit->setText(NoPriceText);
    for (QCheckBox *c : {BuyBox, SellBox, ErrorBox, User1Box})
        c->setChecked(false);
}

void TCoinEditorPanel::FillCoinEditor()
{
    // A commit re-selects the entry it wrote; the controls show it already
    // and the user may still be typing.
    if (Committing) {
        if (RowShown)
            RowShown();
        return;
    }
    const int rows = static_cast<int>(s.CurrCoinList.size());
    const tCoinInfo *coin = s.CoinGridRow >= 0 && s.CoinGridRow < rows ? s.CurrCoinList[s.CoinGridRow] : nullptr;

    // The lists follow the series' price list and grade scale.
    const auto prices = DateMintRows(s);
    std::vector<tDateMintKey> keys;
    QStringList texts;
    for (const tPriceInfo *row : prices) {
        keys.push_back(DateMintKeyOf(*row));
        texts << DateMintItemText(s, *row);
    }
    if (keys != DateMintKeys || texts != DateMintTexts)
        BuildDateMintBoxList(false);
    const bool sameGrades = std::equal(GradeItems.begin(), GradeItems.end(), s.CurrGradeList.begin(),
                                       s.CurrGradeList.end(), [](const tGradeTitle &a, const tGradeTitle &b) {
                                           return a.Title == b.Title && a.Slot == b.Slot;
                                       });
    if (!sameGrades)
        FillGradeBox();
    // The suggestions belong to the collection, which may have been replaced.
    FillPickLists();

    if (!coin) {
        ResetEditor();
        if (EditorEnabled)
            SetCoinScrollBoxEnable(false);
    } else {
        if (!EditorEnabled)
            SetCoinScrollBoxEnable(true);
        const QSignalBlocker b1(DateMintBox), b2(GradeBox), b3(GMbox), b4(HaveEdit), b5(NeedEdit), b6(SellEdit),
            b7(SoldEdit), b8(BuyBox), b9(SellBox), b10(ErrorBox), b11(User1Box), b12(GradedByBox), b13(StoredBox);
        DateMintBox->setCurrentIndex(DateMintIndexFor(s, prices, *coin));
        FillGMBox();
        HaveEdit->setValue(coin->Have);
        NeedEdit->setValue(coin->Need);
        SellEdit->setValue(coin->Sell);
        SoldEdit->setValue(coin->Sold);
        GradeBox->setCurrentIndex(-1);
        for (int i = GradeBox->count() - 1; i >= 0; --i)
            if (GradeBox->itemData(i).toInt() == coin->Grade) {
                GradeBox->setCurrentIndex(i);
                break;
            }
        SetPickText(GradedByBox, coin->Gradedby);
        SetPickText(StoredBox, coin->Stored);
        GMbox->setCurrentIndex(GMbox->findText(coin->GM, Qt::MatchFixedString));
        BuyDateBox->setText(DateOrBlank(coin->BuyDate));
        SellDateBox->setText(DateOrBlank(coin->SellDate));
        PriceEdit->setText(PriceText(coin->BuyPrice));
        SellPriceEdit->setText(PriceText(coin->SellPrice));
        CommentEdit->setText(coin->Comment);
        BuyBox->setChecked(coin->BuyLock);
        SellBox->setChecked(coin->SellLock);
        ErrorBox->setChecked(coin->MintError);
        User1Box->setChecked(coin->User1);
        NotesMemo->setPlainText(coin->Notes);
        ShowUDFValues(s.CoinGridRow);
    }
    // A control left after this fill compares with what the fill put in, so
    // it never carries an earlier entry's text into this one.
    if (QWidget *w = Pending)
        TagString[w] = ControlText(w);
    UpdateButtons();
    if (RowShown)
        RowShown();
}
