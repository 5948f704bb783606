#pragma once
// The program's main window exactly as the running program has it: every
// subsystem's page, window and hook installed. main() and the end-to-end
// tests both build it here, so the tests drive the program a collector
// meets, not a hand-wired copy of it.
#include <functional>
#include <memory>

#include <QStringList>

#include "browse/shell/ui/mainform.h"

struct tProgramWindowOptions {
    tMainFormTimings Timings;
    // The running program fetches the day's spot prices from the update
    // server at start; tests stay offline and read only the file already in
    // the Other folder.
    bool FetchSpotPrices = true;
    // Lets a caller (a test) replace single seams before the window is
    // built, e.g. the welcome window or the log-mode keys; everything it
    // leaves unset gets the program's own function.
    std::function<void(tMainFormSeams &)> AdjustSeams;
};

struct tFileToOpenHooks;

// What the welcome window asks of the main window.
tFileToOpenHooks WelcomeHooks();

// The slots (src/app/programslots.h) that wait for a unit not built yet and
// were given a stand-in that logs and tells the user so.
QStringList WaitingStandIns(const TMainForm &form);

// Builds, wires and returns the main window (not yet shown). MainForm
// points at it while it lives.
std::unique_ptr<TMainForm> BuildProgramWindow(const tProgramWindowOptions &options = {});
