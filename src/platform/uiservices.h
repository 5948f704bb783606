#pragma once
// The user-interface services that the logic calls but must not own: the
// message box and the file and folder pickers. The program installs the real
// windows at start; tests install a scripted double, so no headless test
// ever waits on a modal dialog.
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
};

struct MessageRequest {
    QString Caption;
    QString Text;
    std::vector<MessageButton> Buttons;
    QString Picture;          // resource or file name, optional
    bool ShowDontAsk = false; // "Don't ask me to confirm this each time"
};

struct MessageResult {
    int Value = 0;            // the normal button that closed the box
    int OptionBits = 0;       // OR of the toggle buttons left pressed
    bool DontAsk = false;
};

struct FileRequest {
    QString Title;
    QString Folder;
    QString FileName;
    QString Filter;           // Qt filter text, "Collections (*.OVD);;All files (*)"
    QString DefaultSuffix;
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
};

// The services in force. Until the program or a test installs one, a silent
// implementation answers every question with its first button and cancels
// every picker.
UserInterface &ui();
// Installs services (not owned); nullptr restores the silent default.
void setUserInterface(UserInterface *services);

} // namespace platform
