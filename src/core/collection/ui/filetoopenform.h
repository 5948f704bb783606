#pragma once
// TFileToOpenForm, the welcome window: how a collection is chosen at
// start-up and from the menu "Open". It offers the recently used files,
// browsing, a new collection, and as advanced options a search of the home
// folder for collection files, an import of a text file and a merge of
// another collection. Modal, always on top, one at a time; at start-up it
// has no "Cancel", and closing it ends the program.
#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

#include "core/collection/disksearch.h"
#include "core/model/mainstate.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

// What the window needs from the main window and from units above it.
struct tFileToOpenHooks {
    // Switches the main window to its Series page.
    std::function<void()> ShowSeriesPage;
    // Enables the main window's pages again when the window closes.
    std::function<void()> EnableMainPages;
    // Runs the text import of the file modally. Unset: the import choice is
    // shown but cannot be chosen.
    std::function<void(const QString &path)> ImportFile;
};

inline const QString WelcomeCaption = QStringLiteral("Welcome to Orvanta");
inline const QString OpenCollectionCaption = QStringLiteral("Open an Orvanta collection");

class TFileToOpenForm : public QDialog {
    Q_OBJECT
public:
    TFileToOpenForm(tMainState &state, const tFileToOpenHooks &hooks, QWidget *parent = nullptr);
    ~TFileToOpenForm() override;

    void SetCancelability(bool InVal);
    void ShowAdvanced(bool Advanced);
    void EnableControls(bool Enabled);
    // The disk search is under way.
    bool Searching() const;
    // Entries the search looks at per timer tick.
    static constexpr int SearchEntriesPerTick = 64;

    QLabel *Label1 = nullptr;
    QRadioButton *RadioRecentFile = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QRadioButton *RadioBrowseExisting = nullptr;
    QRadioButton *RadioNewFile = nullptr;
    QRadioButton *RadioImportFile = nullptr;
    QRadioButton *RadioAppendFile = nullptr;
    QRadioButton *RadioSearchFile = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QCheckBox *Switch1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

    bool Cancelable = false;
    QStringList RecentList;   // non-empty recent paths, most recent first
    QStringList FindList;     // full paths found, parallel to ComboBox2
    bool SearchTriggered = false;

public:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void OKBtnClick();
    void CancelBtnClick();
    void ComboBox1Change();
    void ComboBox2Change();
    void Switch1Switch();
    void SearchTick();
    void FileFound(const QString &path);
    void SearchFinished();
    void StopSearch();
    void OpenChosenFile(bool merge);
    void OpenSearchResult();
    void OpenRecentFile();
    // Opens a file from one of the lists; the window stays on failure.
    void OpenListedFile(const QString &path, const QString &shownName);
    void NewFile();
    void ImportFile();
    // Hidden from view without ending the modal loop, while a file dialog
    // is up (the window stays on top of everything else).
    void Conceal(bool concealed);

    tMainState &s;
    tFileToOpenHooks Hooks;
    std::unique_ptr<TSearchThread> SearchThread;
    QTimer *SearchTimer = nullptr;
    bool Closed = false;
};

// The welcome window at start-up: modal, without "Cancel". False when the
// collector closed it (Esc or the window's close button) without opening or
// creating a collection: the program then ends.
bool ShowWelcomeWindow(tMainState &s, const tFileToOpenHooks &hooks, QWidget *parent);
// Menu "Open": the question about unsaved changes, then the window with
// "Cancel". True when a collection was opened, created or merged.
bool Menu_openClick(tMainState &s, const tFileToOpenHooks &hooks, QWidget *parent);
