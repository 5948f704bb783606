#include "browse/finders/ui/trackform.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>

#include "core/model/commatext.h"
#include "core/model/dates.h"
#include "browse/finders/tracking.h"

namespace {

constexpr int UDFLengthLimit = 9;

QLineEdit *Edit(const QString &chars, int maxLength)
{
    auto *e = new QLineEdit;
    e->setMaxLength(maxLength);
    if (!chars.isEmpty())
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[%1]*").arg(chars)), e));
    e->setFixedWidth(maxLength <= 9 ? 90 : 220);
    return e;
}

QLineEdit *Digits(int maxLength)
{
    return Edit(QStringLiteral("0-9"), maxLength);
}

// Either decimal mark: the criteria read both, whatever the locale.
QLineEdit *Amount(int maxLength)
{
    return Edit(QStringLiteral("0-9.,"), maxLength);
}

QComboBox *DropDown(const QStringList &items, int preselect)
{
    auto *c = new QComboBox;
    c->addItems(items);
    // An index past the items selects nothing.
    c->setCurrentIndex(preselect < c->count() ? preselect : -1);
    return c;
}

QComboBox *ComboEdit(const QStringList &items, int maxLength)
{
    auto *c = DropDown(items, 0);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    if (maxLength > 0)
        c->lineEdit()->setMaxLength(maxLength);
    c->setMinimumWidth(200);
    return c;
}

QDateEdit *DatePicker()
{
    auto *d = new QDateEdit(QDate::currentDate());
    d->setCalendarPopup(true);
    return d;
}

QSpinBox *Quantity()
{
    auto *s = new QSpinBox;
    s->setRange(1, 9999);
    s->setValue(1);
    return s;
}

QString TextOf(const QWidget *w)
{
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->isEditable() ? c->currentText() : (c->currentIndex() < 0 ? QString() : c->currentText());
    return {};
}

// What a control holds, whatever its kind, into the row's state.
void ReadControl(const QWidget *w, QString &text, int &index, int32_t &day, int &quantity, int &item)
{
    if (!w)
        return;
    text = TextOf(w);
    if (auto *c = qobject_cast<const QComboBox *>(w)) {
        index = c->currentIndex();
        if (index >= 0 && c->currentData().isValid())
            item = c->currentData().toInt();
    } else if (auto *d = qobject_cast<const QDateEdit *>(w))
        day = DateToDay(d->date());
    else if (auto *sp = qobject_cast<const QSpinBox *>(w))
        quantity = sp->value();
}

const char *const CounterNames[9] = {"TrackedLabel",   "TrackedMatchLabel",   "TrackedNoMatchLabel",
                                     "UntrackedLabel", "UntrackedMatchLabel", "UntrackedNoMatchLabel",
                                     "TotalLabel",     "TotalMatchLabel",     "TotalNoMatchLabel"};

} // namespace

TTrackForm::TTrackForm(tMainState &s, QWidget *parent) : QWidget(parent, Qt::Window), s_(s)
{
    setObjectName(QStringLiteral("TrackForm"));
    setWindowTitle(QStringLiteral("Orvanta: Search & Track"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *v = new QVBoxLayout(this);
    SeriesLabel = new QLabel;
    SeriesLabel->setObjectName(QStringLiteral("SeriesLabel"));
    QFont f = SeriesLabel->font();
    f.setPixelSize(18);
    f.setBold(true);
    SeriesLabel->setFont(f);
    v->addWidget(SeriesLabel);

    auto *h = new QHBoxLayout;
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("CriteriaBox"));
    auto *grid = new QGridLayout(content);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Search in:")), 0, 0);
    ComboBox7 = DropDown({QStringLiteral("The entire collection"), QStringLiteral("The currently selected series")}, 0);
    ComboBox7->setObjectName(QStringLiteral("ComboBox7"));
    grid->addWidget(ComboBox7, 0, 1, 1, 3);
    BuildRows(content);
    const int help = grid->rowCount();
    const char *lines[] = {"Wildcard charactors (applies to fields marked with *) ",
                           "* = Any characters (i.e. D*Y equals DAY or DOGGY)",
                           "? = One character (i.e. D?G equals DIG or DOG)",
                           "Entering a single value in a range forces an exact match"};
    for (int i = 0; i < 4; ++i)
        grid->addWidget(new QLabel(QString::fromLatin1(lines[i])), help + i, 0, 1, 4);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidget(content);
    h->addWidget(scroll, 1);

    auto *right = new QVBoxLayout;
    const auto counter = [&](int i, bool indented) {
        auto *l = new QLabel;
        l->setObjectName(QString::fromLatin1(CounterNames[i]));
        if (indented)
            l->setIndent(20);
        CountLabels[i] = l;
        right->addWidget(l);
    };
    ClearButton = new QPushButton(QStringLiteral("Clear existing tracks"));
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    TrackButton = new QPushButton(QStringLiteral("Track matching coins"));
    TrackButton->setObjectName(QStringLiteral("TrackButton"));
    TrackNonButton = new QPushButton(QStringLiteral("Track non-matching coins"));
    TrackNonButton->setObjectName(QStringLiteral("TrackNonButton"));
    for (int i = 0; i < 9; ++i) {
        counter(i, i % 3 != 0);
        if (i == 2)
            right->addWidget(ClearButton);
        if (i == 5) {
            right->addWidget(TrackButton);
            right->addWidget(TrackNonButton);
        }
        if (i % 3 == 2)
            right->addSpacing(16);
    }
    right->addStretch(1);
    DoneBtn = new QPushButton(QStringLiteral("Done"));
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    right->addWidget(DoneBtn, 0, Qt::AlignRight);
    h->addLayout(right);
    v->addLayout(h, 1);

    connect(ComboBox7, &QComboBox::currentIndexChanged, this, [this] { Recount(); });
    connect(TrackButton, &QPushButton::clicked, this, [this] { EvaluateTracks(true, false); });
    connect(TrackNonButton, &QPushButton::clicked, this, [this] { EvaluateTracks(true, true); });
    connect(ClearButton, &QPushButton::clicked, this, &TTrackForm::ClearButtonClick);
    connect(DoneBtn, &QPushButton::clicked, this, &QWidget::close);
    building_ = false;
    resize(900, 640);
}

TTrackForm::~TTrackForm() = default;

void TTrackForm::AddRow(QWidget *box, const QString &text, QWidget *min, QWidget *max, int fieldIndex, int fieldType)
{
    auto *grid = static_cast<QGridLayout *>(box->layout());
    const int row = static_cast<int>(rows_.size());
    const int line = row + 1;  // under "Search in:"
    tRow r;
    r.Box = new QCheckBox(text);
    r.Box->setObjectName(QStringLiteral("CheckBox%1").arg(row + 1));
    r.Min = min;
    r.Max = max;
    r.FieldIndex = fieldIndex;
    r.FieldType = fieldType;
    grid->addWidget(r.Box, line, 0);
    if (min) {
        min->setObjectName(QStringLiteral("MinControl%1").arg(row + 1));
        grid->addWidget(min, line, 1, 1, max ? 1 : 3);
        min->hide();
    }
    if (max) {
        r.To = new QLabel(QStringLiteral("to"));
        grid->addWidget(r.To, line, 2);
        max->setObjectName(QStringLiteral("MaxControl%1").arg(row + 1));
        grid->addWidget(max, line, 3);
        r.To->hide();
        max->hide();
    }
    connect(r.Box, &QCheckBox::toggled, this, [this, row](bool on) {
        const tRow &x = rows_[static_cast<size_t>(row)];
        for (QWidget *w : {x.Min, static_cast<QWidget *>(x.To), x.Max})
            if (w)
                w->setVisible(on);
        Recount();
    });
    for (QWidget *w : {min, max}) {
        if (auto *e = qobject_cast<QLineEdit *>(w))
            connect(e, &QLineEdit::textChanged, this, [this] { Recount(); });
        else if (auto *c = qobject_cast<QComboBox *>(w)) {
            connect(c, &QComboBox::currentIndexChanged, this, [this] { Recount(); });
            if (c->isEditable())
                connect(c, &QComboBox::editTextChanged, this, [this] { Recount(); });
        } else if (auto *d = qobject_cast<QDateEdit *>(w))
            connect(d, &QDateEdit::dateChanged, this, [this] { Recount(); });
        else if (auto *sp = qobject_cast<QSpinBox *>(w))
            connect(sp, &QSpinBox::valueChanged, this, [this] { Recount(); });
    }
    rows_.push_back(r);
}

void TTrackForm::BuildRows(QWidget *box)
{
    QStringList grades;
    for (int g = 0; g < GradeSlots; ++g)
        grades << s_.GradeTitles3D.Title(0, 0, g);
    QStringList metals;
    for (const MetalRec &m : s_.MetalArray)
        metals << m.Name;
    auto *metal = DropDown(metals, 0);
    for (int i = 0; i < metal->count(); ++i)
        metal->setItemData(i, s_.MetalArray[static_cast<size_t>(i)].index);

    AddRow(box, QStringLiteral("Item number range"), Digits(9), Digits(9));
    AddRow(box, QStringLiteral("Year range"), Digits(4), Digits(4));
    AddRow(box, QStringLiteral("Graded by*"), ComboEdit(s_.GradedByBoxItems, 0), nullptr);
    AddRow(box, QStringLiteral("Stored in*"), ComboEdit(s_.StoredBoxItems, 0), nullptr);
    AddRow(box, QStringLiteral("Comment*"), Edit({}, 100), nullptr);
    AddRow(box, QStringLiteral("Notes*"), Edit({}, 100), nullptr);
    AddRow(box, QStringLiteral("Buy price range"), Amount(8), Amount(8));
    AddRow(box, QStringLiteral("Sell price range"), Amount(8), Amount(8));
    AddRow(box, QStringLiteral("Value range"), Amount(8), Amount(8));
    AddRow(box, QStringLiteral("Grade range"), DropDown(grades, 0), DropDown(grades, GradeSlots - 1));
    AddRow(box, QStringLiteral("Date purchased range"), DatePicker(), DatePicker());
    AddRow(box, QStringLiteral("Date sold range"), DatePicker(), DatePicker());
    AddRow(box, QStringLiteral("Minimum Have quantity"), Quantity(), nullptr);
    AddRow(box, QStringLiteral("Minimum Need quantity"), Quantity(), nullptr);
    AddRow(box, QStringLiteral("Minimum Sell quantity"), Quantity(), nullptr);
    AddRow(box, QStringLiteral("Minimum Sold quantity"), Quantity(), nullptr);
    AddRow(box, QStringLiteral("Item type"), DropDown({QStringLiteral("Coins"), QStringLiteral("Paper money")}, 0),
           nullptr);
    AddRow(box, QStringLiteral("Metal"), metal, nullptr);
    AddRow(box, QStringLiteral("Catalog*"), Edit({}, 20), nullptr);
    AddRow(box, QStringLiteral("Mint error status"), DropDown({QStringLiteral("Yes"), QStringLiteral("No")}, 1),
           nullptr);
    AddRow(box, QStringLiteral("Price lock"),
           DropDown({QStringLiteral("Unlocked"), QStringLiteral("Buy locked"), QStringLiteral("Sell locked")}, 0),
           nullptr);

    for (int i = 0; i < static_cast<int>(s_.UDFlist.size()); ++i) {
        const tUDFfield &u = *s_.UDFlist[static_cast<size_t>(i)];
        const int length = u.Length > 0 ? u.Length : 32767;
        const QString label = u.FieldLabel;
        switch (u.FieldType) {
        case UDFTextBox:
        case UDFAttachment:
        case UDFCertification:
            AddRow(box, label + QLatin1Char('*'), Edit({}, length), nullptr, i, u.FieldType);
            break;
        case UDFHistoryDropDown:
            AddRow(box, label + QLatin1Char('*'), ComboEdit(FieldHistoryItems(s_, i), length), nullptr, i,
                   u.FieldType);
            break;
        case UDFTextPickList:
            AddRow(box, label + QLatin1Char('*'), ComboEdit(CommaTextSplit(u.Options), length), nullptr, i,
                   u.FieldType);
            break;
        case UDFPickList:
            AddRow(box, label, DropDown(CommaTextSplit(u.Options), -1), nullptr, i, u.FieldType);
            break;
        case UDFCheckBox:
            AddRow(box, label, DropDown({QStringLiteral("Yes"), QStringLiteral("No")}, 1), nullptr, i, u.FieldType);
            break;
        case UDFMoney:
        case UDFReal:
            AddRow(box, label + QStringLiteral(" range"), Amount(UDFLengthLimit), Amount(UDFLengthLimit), i,
                   u.FieldType);
            break;
        case UDFNumber:
            AddRow(box, label + QStringLiteral(" range"), Digits(UDFLengthLimit), Digits(UDFLengthLimit), i,
                   u.FieldType);
            break;
        case UDFDate:
            AddRow(box, label + QStringLiteral(" range"), DatePicker(), DatePicker(), i, u.FieldType);
            break;
        case UDFPhone: {
            auto *phone = Edit({}, PhoneMaskLength);
            phone->setFixedWidth(110);
            phone->installEventFilter(this);
            AddRow(box, label, phone, nullptr, i, u.FieldType);
            break;
        }
        default:  // an empty space has nothing to search
            break;
        }
    }
}

tTrackCriteria TTrackForm::Criteria() const
{
    std::vector<tTrackRowState> states;
    states.reserve(rows_.size());
    for (const tRow &r : rows_) {
        tTrackRowState x;
        x.Ticked = r.Box->isChecked();
        x.FieldIndex = r.FieldIndex;
        x.FieldType = r.FieldType;
        int unusedQuantity = 0, unusedItem = 0;
        ReadControl(r.Min, x.Text1, x.Index1, x.Day1, x.Quantity, x.ItemNumber);
        ReadControl(r.Max, x.Text2, x.Index2, x.Day2, unusedQuantity, unusedItem);
        states.push_back(x);
    }
    return TrackCriteriaFromRows(states);
}

tTrackCounts TTrackForm::EvaluateTracks(bool doTrack, bool inverse)
{
    if (building_)
        return counts_;
    counts_ = ::EvaluateTracks(s_, Criteria(), TrackScopeNode(s_, ComboBox7->currentIndex()), doTrack, inverse,
                               cache_);
    const tTrackButtons buttons = TrackButtonStates(counts_);
    ClearButton->setEnabled(buttons.Clear);
    TrackButton->setEnabled(buttons.Track);
    TrackNonButton->setEnabled(buttons.TrackNon);
    const auto texts = TrackCounterTexts(counts_);
    for (int i = 0; i < TrackCounterCount; ++i)
        CountLabels[i]->setText(texts[static_cast<size_t>(i)]);
    if (doTrack)
        RefreshCoinGrid();
    return counts_;
}

void TTrackForm::RefreshCoinGrid()
{
    Q_EMIT s_.Events->RefreshCoinGrid();
    Q_EMIT s_.Events->FillCoinEditor();
}

void TTrackForm::ClearButtonClick()
{
    ClearAllTracks(s_);
    EvaluateTracks(false, false);
    RefreshCoinGrid();
}

void TTrackForm::FormActivate()
{
    SeriesLabel->setText(s_.SelectedTreeNode ? s_.SelectedTreeNode->NodeName : QString());
    Recount();
}

void TTrackForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TTrackForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormActivate();
}

bool TTrackForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        tPhoneKey key = tPhoneKey::Other;
        QChar digit;
        if (k->key() == Qt::Key_Backspace)
            key = tPhoneKey::Backspace;
        else if (k->key() == Qt::Key_Delete)
            key = tPhoneKey::Delete;
        else if (k->text().size() == 1 && k->text()[0].isDigit() && k->text()[0].unicode() < 128) {
            key = tPhoneKey::Digit;
            digit = k->text()[0];
        }
        const tPhoneKeyResult r = PhoneKeyDown(edit->text(), edit->cursorPosition(), key, digit);
        if (r.Consumed) {
            edit->setText(r.Text);
            edit->setCursorPosition(r.Caret);
            Recount();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
