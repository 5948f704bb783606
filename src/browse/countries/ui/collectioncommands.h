#pragma once
// The main window's commands that bring series and entries into the
// collection from elsewhere: "Add Countries" (the Countries Explorer, one
// window at a time) and "Copy to clipboard" / "Paste from clipboard" on the
// series menu, which keep the collection clipboard for as long as the
// window lives.
#include <QObject>
#include <QPointer>

#include "core/collection/seriesclipboard.h"

class TMainForm;
class TCountryForm;

class TCollectionCommands : public QObject {
    Q_OBJECT
public:
    // Connects the commands to the window's actions.
    explicit TCollectionCommands(TMainForm &form);

    void Addcountries1Click();
    void Copytoclipboard1Click();
    void PasteFromClipboard1Click();

    tSeriesClipboard Clipboard;
    // The open Countries Explorer (null when closed).
    QPointer<TCountryForm> CountryForm;

private:
    TMainForm &form_;
};
