#pragma once
// A user-interface double for headless tests: answers message boxes from a
// script (value 0 once the script runs out), remembers every request, and
// cancels every file picker. Installed for its lifetime.
#include <deque>
#include <vector>

#include "platform/uiservices.h"

class tScriptedMessages final : public platform::UserInterface {
public:
    tScriptedMessages() { platform::setUserInterface(this); }
    ~tScriptedMessages() override { platform::setUserInterface(nullptr); }
    tScriptedMessages(const tScriptedMessages &) = delete;
    tScriptedMessages &operator=(const tScriptedMessages &) = delete;

    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &) override { return {}; }
    QStringList openFileNames(const platform::FileRequest &) override { return {}; }
    QString saveFileName(const platform::FileRequest &) override { return {}; }
    QString pickFolder(const platform::FileRequest &) override { return {}; }

    std::deque<int> Answers;
    std::vector<platform::MessageRequest> Asked;
};
