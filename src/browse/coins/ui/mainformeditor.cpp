// The entry editor's parts that belong to the main window: the drop-down
// calendar of the date boxes, the callout that says why an entry has no
// value, and the user-defined fields (their controls, the "User defined
// Fields" command and its window).
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "core/collection/udfhistory.h"
#include "core/collection/udffields.h"
#include "core/collection/ui/udfform.h"
#include "browse/countries/ui/collectioncommands.h"
#include "browse/coins/calendar.h"
#include "browse/coins/nahint.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coineditorpanel.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/shell/ui/mainform.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/coins/ui/nacallout.h"

namespace {

const QColor ReferenceFill(0xFF, 0xB6, 0xC1);
const QColor HoverFill(0x00, 0xFF, 0xFF);

template <class F, class G>
void Install(F &slot, G &&fn)
{
    if (!slot)
        slot = std::forward<G>(fn);
}

TDayCell *CellOf(QObject *label)
{
    return label ? qobject_cast<TDayCell *>(label->parent()) : nullptr;
}

} // namespace

tCalendarState TMainForm::CalendarState() const
{
    tCalendarState c;
    c.RefYear = PurchasedYY[0];
    c.ShownYear = PurchasedYY[1];
    c.RefMonth = PurchasedMM[0];
    c.ShownMonth = PurchasedMM[1];
    c.RefDay = PurchasedDD[0];
    c.PickedDay = PurchasedDD[1];
    return c;
}

void TMainForm::SetCalendarState(const tCalendarState &c)
{
    PurchasedYY = {quint16(c.RefYear), quint16(c.ShownYear)};
    PurchasedMM = {quint16(c.RefMonth), quint16(c.ShownMonth)};
    PurchasedDD = {quint16(c.RefDay), quint16(c.PickedDay)};
}

void TMainForm::InstallCoinEditor()
{
    // ---- Calendar ----
    Install(Seams.RenderDatePopup, [this] { RenderDatePopup(); });
    Install(Seams.DatePopupClosePopup, [this] { DatePopupClosePopup(); });
    Install(Seams.DayCellMouseEnter, [this](QObject *label) {
        CurrProcGuard guard(20800);
        if (TDayCell *cell = CellOf(label))
            cell->SetFill(CalendarIsReferenceDay(CalendarState(), cell->Day()) ? ReferenceFill : HoverFill);
    });
    Install(Seams.DayCellMouseLeave, [this](QObject *label) {
        CurrProcGuard guard(20900);
        if (TDayCell *cell = CellOf(label))
            cell->SetFill(CalendarIsReferenceDay(CalendarState(), cell->Day()) ? ReferenceFill : QColor(Qt::white));
    });
    Install(Seams.DayCellClick, [this](QObject *label) {
        CurrProcGuard guard(21400);
        PurchasedDD[1] = quint16(label->property("Tag").toInt());
        QWidget *target = DatePopup->PlacementTarget.data();
        DatePopup->hide();  // its close handler writes the date into the target
        CallSeam(Seams.StuffCoinInfo, target);
    });
    Install(Seams.StuffCoinInfo, [this](QObject *sender) { CoinEditor->CommitControl(qobject_cast<QWidget *>(sender)); });
    connect(PrevMonthButton, &QToolButton::clicked, this, [this] {
        CurrProcGuard guard(21200);
        tCalendarState c = CalendarState();
        CalendarPreviousMonth(c);
        SetCalendarState(c);
        CallSeam(Seams.RenderDatePopup);
    });
    connect(NextMonthButton, &QToolButton::clicked, this, [this] {
        CurrProcGuard guard(21300);
        tCalendarState c = CalendarState();
        CalendarNextMonth(c);
        SetCalendarState(c);
        CallSeam(Seams.RenderDatePopup);
    });
    // Cancel closes without the close handler: the box keeps its text.
    connect(DateCancelButton, &QPushButton::clicked, this, [this] {
        const QSignalBlocker block(DatePopup);
        DatePopup->hide();
    });
    connect(BuyDateButton, &QToolButton::clicked, this, [this] { OpenDatePopup(BuyDateBox); });
    connect(SellDateButton, &QToolButton::clicked, this, [this] { OpenDatePopup(SellDateBox); });
    CoinEditor->OpenCalendar = [this](QWidget *box) { OpenDatePopup(box); };

    // ---- Value callout ----
    NA_Popup = new TNACallout(this);
    Install(Seams.ShowNAHint, [this](int row) { ShowNAHint(row); });
    CoinEditor->RowShown = [this] { CallSeam(Seams.ShowNAHint, State.CoinGridRow); };
    connect(CoinScrollBox->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { CallSeam(Seams.ShowNAHint, State.CoinGridRow); });
    // The callout belongs to the Coins page: it goes with the page.
    // (The Coins page's own refresh shows it again.)
    connect(PageTabs, &QTabWidget::currentChanged, this, [this] {
        if (CurrentPageTag() != PageCoins)
            NA_Popup->hide();
    });

    // ---- User-defined fields ----
    // Another collection: the controls of the old fields go, unsaved typing
    // with them (the collection was committed before it was replaced).
    QObject::connect(State.Events.get(), &tStateEvents::ClearUDFControls, this,
                     [this] { CoinEditor->ClearUDFlist2(TCoinEditorPanel::tPendingEdit::Drop); });
    QObject::connect(State.Events.get(), &tStateEvents::CreateUDFobjects, this, [this] {
        CoinEditor->CreateUDFobjects();
        Q_EMIT State.Events->BuildUDFHistoryLists();
        CoinEditor->ShowUDFValues(State.CoinGridRow);
    });
    // A resize remakes the controls for the new width; an edit in progress
    // moves into the new control.
    Install(Seams.ClearUDFlist2, [this] { CoinEditor->ClearUDFlist2(TCoinEditorPanel::tPendingEdit::Carry); });
    Install(Seams.CreateUDFobjects, [this] {
        CoinEditor->CreateUDFobjects();
        Q_EMIT State.Events->BuildUDFHistoryLists();
    });
    Install(Seams.ShowUDFValues, [this](int row) { CoinEditor->ShowUDFValues(row, true); });
    if (auto *menu = findChild<QAction *>(QStringLiteral("Userfields1")))
        connect(menu, &QAction::triggered, this, &TMainForm::Userfields1Click);
}

// ---------------------------------------------------------------------------
// Calendar

void TMainForm::OpenDatePopup(QWidget *target)
{
    DatePopup->hide();
    DatePopup->PlacementTarget = target;
    DatePopupPopup();
    DatePopup->adjustSize();
    DatePopup->move(target->mapToGlobal(QPoint(0, target->height())));
    DatePopup->show();
}

void TMainForm::DatePopupPopup()
{
    CurrProcGuard guard(21100);
    const auto *box = qobject_cast<QLineEdit *>(DatePopup->PlacementTarget);
    SetCalendarState(CalendarOpenAt(box ? ParseShortDate(box->text()) : 0, TodayDay()));
    CallSeam(Seams.RenderDatePopup);
}

void TMainForm::RenderDatePopup()
{
    CurrProcGuard guard(20700);
    const tCalendarState c = CalendarState();
    if (c.ShownMonth < 1 || c.ShownMonth > 12)
        return;
    DatePopup->setUpdatesEnabled(false);
    const int days = CalendarDaysInMonth(c.ShownYear, c.ShownMonth);
    for (int d = 1; d <= 31; ++d) {
        TDayCell *cell = DateShapes[static_cast<size_t>(d)];
        if (!cell)
            continue;
        if (d > days) {
            cell->hide();
            continue;
        }
        const tCellPlace at = CalendarCellPlace(c.ShownYear, c.ShownMonth, d);
        // The cells' area starts where the first column and row of the
        // design begin.
        cell->move(CalendarCellX(at.Column) - CalendarCellX(0), CalendarCellY(at.Row) - CalendarCellY(0));
        cell->SetFill(CalendarIsReferenceDay(c, d) ? ReferenceFill : QColor(Qt::white));
        cell->show();
    }
    MonthLabel->setText(CalendarMonthName(c.ShownMonth));
    YearLabel->setText(QString::number(c.ShownYear));
    DatePopup->setUpdatesEnabled(true);
}

void TMainForm::DatePopupClosePopup()
{
    CurrProcGuard guard(21000);
    auto *box = qobject_cast<QLineEdit *>(DatePopup->PlacementTarget);
    const tCalendarState c = CalendarState();
    if (!box || c.ShownMonth < 1 || c.ShownMonth > 12)
        return;
    const QString date = DateOrBlank(CalendarResultDay(c));
    if (date == box->text())
        return;
    // However the pop-up closed (a day, Today, a click elsewhere), the date
    // it shows in the box is the entry's: a date shown is a date stored.
    box->setText(date);
    CallSeam(Seams.StuffCoinInfo, box);
}

// ---------------------------------------------------------------------------
// Value callout

void TMainForm::ShowNAHint(int row)
{
    CurrProcGuard guard(32600);
    const int rows = static_cast<int>(State.CurrCoinList.size());
    tNAHint hint;
    if (CurrentPageTag() == PageCoins && CoinScrollBox->verticalScrollBar()->value() < 1 && row >= 0 && row < rows)
        hint = NAHintFor(State, *State.CurrCoinList[static_cast<size_t>(row)]);
    QWidget *pointed = hint.Kind == tNAHintKind::None ? nullptr : CoinEditor->findChild<QWidget *>(hint.Target);
    if (!pointed || !pointed->isVisible()) {
        NA_Popup->hide();
        return;
    }
    const QPoint editor = CoinScrollBox->mapTo(this, QPoint(0, 0));
    const QPoint control = pointed->mapTo(this, QPoint(0, 0));
    const QRect around(editor.x(), control.y() - 4, control.x() + pointed->width() + 24 - editor.x(),
                       pointed->height() + 8);
    NA_Popup->ShowAt(hint.Text, around);
}

// ---------------------------------------------------------------------------
// User-defined fields

void TMainForm::Userfields1Click()
{
    CurrProcGuard guard(12800);
    if (UDFform) {
        UDFform->raise();
        return;
    }
    Q_EMIT State.Events->RestoreNotesMemo();
    Q_EMIT State.Events->CommitPendingEdit();
    PageTabs->setCurrentIndex(PageSeries);
    CoinEditor->ClearUDFlist2(TCoinEditorPanel::tPendingEdit::Commit);
    UDFform = new TUDFform(State, [this, oldIDs = UDFFieldIDs(State)](bool ok) {
        // The collection clipboard's entries follow their fields too: a paste
        // after OK puts each value under its own field.
        if (auto *commands = findChild<TCollectionCommands *>(); ok && commands) {
            std::vector<tCoinInfo *> copies;
            for (const auto &c : commands->Clipboard.ClipboardCoinList)
                copies.push_back(c.get());
            RemapUDFStrings(copies, oldIDs, UDFFieldIDs(State));
        }
        State.CoinSortOrder = {2, 3, 4};
        CoinEditor->CreateUDFobjects();
        Q_EMIT State.Events->SetupCoinGridCols();
        Q_EMIT State.Events->BuildUDFHistoryLists();
        CoinEditor->ShowUDFValues(State.CoinGridRow);
        Q_EMIT State.Events->SetupCoinGridCols();
        Q_EMIT State.Events->SetMainCaption();
        Q_EMIT State.Events->SetSaveMenuVisibility();
        // The keyboard goes back to the main window.
        activateWindow();
    }, this);
    // Modal, but shown without a nested event loop: the window answers OK
    // or Cancel through its own buttons.
    UDFform->setWindowModality(Qt::ApplicationModal);
    UDFform->show();
    UDFform->raise();
}
