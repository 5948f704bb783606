// The price tools in the main window: "User defined Grade Scales" (File),
// "Bullion Values" and "Exchange rates" (Tools), the price strip and the
// currency label as shortcuts to them, and the paste-price tool of
// maintainer mode. Each window exists once at a time.
#include "browse/shell/ui/mainform.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include "core/program/ui/centring.h"
#include "browse/tree/seriesselection.h"
#include "pricing/pricelists/pricerows.h"
#include "pricing/pricetools/ui/bullionform.h"
#include "pricing/pricetools/ui/forexform.h"
#include "pricing/pricetools/ui/gradesform.h"
#include "pricing/pricetools/ui/pastepriceform.h"
#include "pricing/pricelists/ui/pricegridview.h"

namespace {

// Runs an action when a label is clicked.
class tClickFilter : public QObject {
public:
    tClickFilter(QObject *parent, std::function<void()> onClick) : QObject(parent), onClick_(std::move(onClick)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            onClick_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onClick_;
};

void MakeClickable(QLabel *label, const QString &tip, std::function<void()> onClick)
{
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(tip);
    label->installEventFilter(new tClickFilter(label, std::move(onClick)));
}

// Centres a tool window over the main window and brings it to the front.
void ShowOver(QWidget *window, const QWidget *main)
{
    const QRect m = main->geometry();
    window->move(m.left() + (m.width() - window->width()) / 2, m.top() + (m.height() - window->height()) / 2);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TMainForm::InstallPriceTools()
{
    if (auto *grades = findChild<QAction *>(QStringLiteral("UserGrades1")))
        connect(grades, &QAction::triggered, this, &TMainForm::UserGrades1Click);
    auto *bullion = findChild<QAction *>(QStringLiteral("Bullionvalues1"));
    if (bullion)
        connect(bullion, &QAction::triggered, this, &TMainForm::Bullionvalues1Click);
    ExchangeRates1 = new QAction(QStringLiteral("Exchange rates"), this);
    ExchangeRates1->setObjectName(QStringLiteral("ExchangeRates1"));
    const QList<QAction *> tools = ToolsMenu->actions();
    const qsizetype at = bullion ? tools.indexOf(bullion) + 1 : 0;
    ToolsMenu->insertAction(tools.value(at), ExchangeRates1);
    connect(ExchangeRates1, &QAction::triggered, this, &TMainForm::ExchangeRates1Click);

    MakeClickable(MetalStrip, QStringLiteral("Bullion values"), [this] { Bullionvalues1Click(); });
    MakeClickable(ForexLabel, QStringLiteral("Exchange rates"), [this] { ExchangeRates1Click(); });

    if (!Seams.ShowPastePriceForm)
        Seams.ShowPastePriceForm = [this] { ShowPastePriceForm(); };
    // The paste-price tool writes into the price grid's selected entry and
    // leaves an undo snapshot in the grid's history; its Paste follows the
    // grid's selection.
    if (!Seams.SelectedPriceEntry)
        Seams.SelectedPriceEntry = [this] { return PriceGrid ? PriceGrid->SelectedEntry() : nullptr; };
    if (!Seams.RecordPriceUndo)
        Seams.RecordPriceUndo = [this](tPriceInfo &entry) {
            if (PriceGrid)
                PriceGrid->History.Record(entry, PriceUndoEdited, PriceKindGrade0);
        };
    if (PriceGrid)
        PriceGrid->Hooks.EnableButtons = [this, enable = PriceGrid->Hooks.EnableButtons](bool canUndo, bool haveEntries,
                                                                                         bool entrySelected) {
            if (enable)
                enable(canUndo, haveEntries, entrySelected);
            if (PastePriceForm)
                PastePriceForm->CheckBox1Change();
        };
}

void TMainForm::UserGrades1Click()
{
    if (GradesForm)
        return;
    GradesForm = new TGradesForm(State.GradeTitles3D, [this](bool changed) {
        if (!changed)
            return;
        // The user scales are stored in the collection file.
        State.DataModified = true;
        Q_EMIT State.Events->SetMainCaption();
        Q_EMIT State.Events->SetSaveMenuVisibility();
        if (State.SelectedTreeNode) {
            State.CurrGradeList = GradeListFor(*State.SelectedTreeNode, SelectionSeams);
            CallSeam(SelectionSeams.FillGradeBox);
        }
        Q_EMIT State.Events->RefreshCoinGrid();
    }, this);
    // Modal, but shown without a nested event loop: the window answers OK or
    // Cancel through its own buttons.
    GradesForm->setWindowModality(Qt::ApplicationModal);
    CentreOnScreen(GradesForm);
    GradesForm->show();
    GradesForm->raise();
}

void TMainForm::ExchangeRates1Click()
{
    if (!ForexForm)
        ForexForm = new TForexForm(State, [this] {
            CallSeam(Seams.DisplayMetalValues);
            Q_EMIT State.Events->RefreshCoinGrid();
        }, this);
    ShowOver(ForexForm, this);
}

void TMainForm::Bullionvalues1Click()
{
    if (BullionForm) {
        BullionForm->raise();
        return;
    }
    BullionForm = new TBullionForm(State, [this] {
        CallSeam(Seams.DisplayMetalValues);
        Q_EMIT State.Events->RefreshCoinGrid();
    }, this);
    ShowOver(BullionForm, this);
}

void TMainForm::ShowPastePriceForm()
{
    if (!PastePriceForm) {
        tPastePriceEnv env;
        env.SelectedPriceEntry = [this] { return Seams.SelectedPriceEntry ? Seams.SelectedPriceEntry() : nullptr; };
        env.RecordPriceUndo = [this](tPriceInfo &entry) { CallSeam(Seams.RecordPriceUndo, entry); };
        env.RenderPrices = [this] {
            CallSeam(Seams.RenderPrices);
            if (PriceGrid)
                PriceGrid->UpdateButtons();  // Undo now has the paste to take back
        };
        PastePriceForm = new TPastePriceForm(State, std::move(env), this);
        PricePaisterInUse = true;
        connect(PastePriceForm, &QObject::destroyed, this, [this] { PricePaisterInUse = false; });
    }
    PastePriceForm->show();
    PastePriceForm->raise();
    PastePriceForm->activateWindow();
}
