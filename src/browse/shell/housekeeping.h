#pragma once
// The main window's one-second housekeeping tick and the homing of tool
// windows that lie partly off the screen. The order of a tick, the auto-save
// counting and the glide geometry are plain logic here; the window supplies
// the steps that touch controls (tHousekeepingSteps) and the windows to home.
#include <functional>
#include <vector>

#include <QRect>
#include <QSize>
#include <QString>

#include "core/model/mainstate.h"

// How a tool window comes back onto the screen.
enum class tHomeVariant {
    Edge,         // glides to the nearest edge it crossed and comes to the front
    EdgeNoRaise,  // as Edge; it comes to the front only when the glide ends
    Centring,     // glides to the middle of the screen
};

// The glide a window needs, if any: start and stop of its left and top edge.
struct tHomeGlide {
    bool GlideX = false;
    double FromX = 0;
    double ToX = 0;
    bool GlideY = false;
    double FromY = 0;
    double ToY = 0;
    bool Raise = false;  // bring the window to the front as the glide starts
    bool Started() const { return GlideX || GlideY; }
};
// The glide that brings a window at `window` (left, top, width, height)
// back onto a screen of size `screen`; none when it lies fully on it.
tHomeGlide HomeGlide(tHomeVariant variant, const QRect &window, const QSize &screen);

// One row of the homing walk: the window's class and how it is homed.
struct tHomingRow {
    int Order;          // its place in the walk; rows of later windows slot in by it
    QString Window;     // the window's class name
    tHomeVariant Variant;
};
// The tool windows of the program in the order of the walk.
const std::vector<tHomingRow> &HomingTable();
// Visits the rows in order; for each whose window is open (inUse) calls
// homeForm and stops at the first that started a glide. True when one did.
bool HomingWalk(const std::vector<tHomingRow> &rows, const std::function<bool(const tHomingRow &)> &inUse,
                const std::function<bool(const tHomingRow &)> &homeForm);

// The long part of a hint: the text after the first "|", or the whole hint.
QString LongHint(const QString &hint);

// What a tick asks of the window. Unset steps are skipped.
struct tHousekeepingSteps {
    // The statistics are on the page: hide "Calculating...", show them.
    std::function<void()> ShowStatistics;
    // Switches the timer off while an automatic save runs, and on again.
    std::function<void(bool enabled)> SetTimerEnabled;
    // The size grip shows exactly when the window is neither maximised nor
    // minimised.
    std::function<void()> UpdateSizeGrip;
    // A glide of a tool window is running (no new one starts then).
    std::function<bool()> GlideRunning;
    // The error window is open (unset: the process-wide ErrorInUse).
    std::function<bool()> ErrorWindowOpen;
    // One homing walk; true when a window started to glide.
    std::function<bool()> HomingWalk;
    // A window is shown modally (the welcome window, a download window):
    // the automatic save waits, as it does under a question (unset: none).
    std::function<bool()> ModalWindowOpen;
};

class tHousekeeping {
public:
    explicit tHousekeeping(tMainState &s) : s_(s) {}

    tHousekeepingSteps Steps;
    // Set by the statistics hand-back; the next tick answers it.
    bool RepaintCalc = false;

    // One tick, in this order: the statistics hand-back, the coin grid's
    // sort-refinement countdown, the auto-save, the size grip, the homing
    // walk. An auto-save that fails throws after the timer is on again.
    void tick();

private:
    tMainState &s_;
};
