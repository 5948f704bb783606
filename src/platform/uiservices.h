#pragma once
// The user-interface services that the logic calls but must not own: the
// message box, the error window and the file and folder pickers. The program installs the real
// windows at start; tests install a scripted double, so no headless test
// ever waits on a modal dialog.
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

// One button of the program's message box. Value is 1, 2, 4, 8, 16 or 32.
struct MessageButton {
    QString Caption;
    int Value = 1;
    int ImageIndex = -1;
    bool Toggle = false;      // a toggle button reports through OptionBits
    bool Default = false;
    bool Wide = false;        // 180 wide instead of 120
};

struct MessageRequest {
    QString Caption;
    QString Text;
    std::vector<MessageButton> Buttons;
    QString Picture;          // resource or file name, optional
    bool ShowDontAsk = false; // "Don't ask me to confirm this each time"
    // Caption of that box when it is shown; empty gives the text above.
    QString AskText;
    // Initial state of the box; reported back as DontAsk even when hidden.
    bool AskDefault = false;
    // A picture the caller has already loaded; it wins over Picture.
    QImage Image;
    bool LargeText = false;   // the message in the large font
};

struct MessageResult {
    int Value = 0;            // the normal button that closed the box
    int OptionBits = 0;       // OR of the toggle buttons left pressed
    bool DontAsk = false;
};

// The value a question gives when it is dismissed (Esc, or its window
// closed) rather than answered: that of its "Cancel" button, else its "No"
// button, else its last normal button; 0 when it has no normal button.
// Dismissing a question thus never counts as "go on".
int cancelValue(const MessageRequest &request);

// A failure reported to the user: where it happened and what it was.
struct ErrorReport {
    int Block = 0;
    QString Message;
};

struct FileRequest {
    QString Title;
    QString Folder;
    QString FileName;
    QString Filter;           // Qt filter text, "Collections (*.OVD);;All files (*)"
    QString DefaultSuffix;
    // A save picker asks before an existing file is chosen; a command that
    // asks itself (about the name it will really write) turns this off, so
    // the collector is asked once.
    bool ConfirmOverwrite = true;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual MessageResult showMessage(const MessageRequest &request) = 0;
    // Empty result: cancelled.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QStringList openFileNames(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;
    virtual QString pickFolder(const FileRequest &request) = 0;
    // Shows the error window and returns when the user has closed it. Not
    // pure, so services that never report errors need not implement it; the
    // default writes the report to standard error.
    virtual void showError(const ErrorReport &report);
};

// The services in force. Until the program or a test installs one, a silent
// implementation answers every question with its first button, cancels
// every picker and writes errors to standard error.
UserInterface &ui();
// Installs services (not owned); nullptr restores the silent default.
void setUserInterface(UserInterface *services);

// True while a question, picker or error window asked through ui(), or any
// other window that holds a ModalScope, waits for the user. Window events
// (timers among them) still run meanwhile; work that must not happen under
// an open question, such as an automatic save, checks this first.
bool modalDialogOpen();
// Marks a modal window open for as long as it lives.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope &) = delete;
    ModalScope &operator=(const ModalScope &) = delete;
};

} // namespace platform
