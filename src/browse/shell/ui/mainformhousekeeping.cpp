// The main window's Stats side page and its one-second housekeeping: the
// statistics hand-back, the sort-refinement countdown, the auto-save, the
// size grip, the homing of tool windows, "Bring windows forward" and the
// status-line hints.
#include "browse/shell/ui/mainform.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QSizeGrip>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>

#include "browse/shell/ui/toolwindowhoming.h"
#include "pricing/statistics/ui/statspanel.h"

namespace {

// The application's hint handler: status tips reach the window, which has no
// status bar, and go to the status line (StatusLabel), their long part (after
// "|") only. A tip rises from a control to its window and stops there, so the
// handler watches the whole application: the tips of the tool windows'
// controls reach the line as the main window's do. Leaving a control sends
// an empty tip: it clears the line only while the line still shows the tip,
// not a message written since.
class TAppHint : public QObject {
public:
    TAppHint(QObject *parent, QLabel *statusLabel) : QObject(parent), label_(statusLabel)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::StatusTip || !watched->isWidgetType())
            return false;
        // Taken where the tip ends its rise: at a window, the main one or a
        // tool window (a tip handled on the way up never gets there).
        auto *w = static_cast<QWidget *>(watched);
        if (!w->isWindow())
            return false;
        const QString tip = LongHint(static_cast<QStatusTipEvent *>(event)->tip());
        if (!tip.isEmpty()) {
            label_->setText(tip);
            shown_ = tip;
        } else if (!shown_.isEmpty() && label_->text() == shown_) {
            label_->clear();
            shown_.clear();
        }
        return true;
    }

private:
    QLabel *label_;
    QString shown_;  // the tip on the status line
};

} // namespace

void TMainForm::EmbedStatsPage()
{
    StatsPanel = new TStatsPanel(State, Tab2Stats, StatsScrollBox, StatsContent, NextSeriesLabel);
    connect(StatsPanel, &TStatsPanel::StatisticsShown, this, [this] { Housekeeping.RepaintCalc = true; });
    if (!Seams.ArrangeStatsLabels)
        Seams.ArrangeStatsLabels = [this](bool coins) { StatsPanel->ArrangeStatsLabels(coins); };
    if (!Seams.NextSeries)
        Seams.NextSeries = [this] { return StatsPanel->Totaler.NextSeries; };
    if (!SelectionSeams.StatsTabActive)
        SelectionSeams.StatsTabActive = [this] { return SideTabs->currentWidget() == Tab2Stats; };
    if (!SelectionSeams.StartCalcThread)
        SelectionSeams.StartCalcThread = [this](int) { StatsPanel->StartCalcThread(); };
}

void TMainForm::InstallHousekeeping()
{
    Homing = new TToolWindowHoming(this);

    WindowSizeGrip = new QSizeGrip(this);
    WindowSizeGrip->setObjectName(QStringLiteral("SizeGrip1"));
    if (QBoxLayout *line = qobject_cast<QBoxLayout *>(StatusLabel->parentWidget()->layout()))
        line->addWidget(WindowSizeGrip, 0, Qt::AlignBottom | Qt::AlignRight);

    tHousekeepingSteps &steps = Housekeeping.Steps;
    steps.ShowStatistics = [this] { StatsPanel->RevealStatistics(); };
    // The timer rests while an automatic save runs; it resumes only if it
    // was running (tests drive the ticks by hand).
    auto wasRunning = std::make_shared<bool>(false);
    steps.SetTimerEnabled = [this, wasRunning](bool on) {
        if (!on) {
            *wasRunning = FormsTimer->isActive();
            FormsTimer->stop();
        } else if (*wasRunning) {
            FormsTimer->start();
        }
    };
    steps.UpdateSizeGrip = [this] {
        WindowSizeGrip->setVisible(!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)));
    };
    steps.GlideRunning = [this] { return Homing->GlideRunning(); };
    steps.HomingWalk = [this] { return Homing->Walk(); };
    steps.ModalWindowOpen = [] { return QApplication::activeModalWidget() != nullptr; };
    if (!Seams.FormsTimerTimer)
        Seams.FormsTimerTimer = [this] { Housekeeping.tick(); };

    if (QAction *pull = findChild<QAction *>(QStringLiteral("PullToFront1"))) {
        // Its shortcut (F12 unless the user assigns another) is the stored
        // one; it works from the tool windows too, which it is for.
        pull->setShortcutContext(Qt::ApplicationShortcut);
        connect(pull, &QAction::triggered, Homing, &TToolWindowHoming::PullToFront1Click);
    }
    if (!Seams.InstallAppHint)
        Seams.InstallAppHint = [this] { installEventFilter(new TAppHint(this, StatusLabel)); };
}
