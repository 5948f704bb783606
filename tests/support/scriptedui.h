#pragma once
// A scripted stand-in for the message box and the file pickers: it records
// every message, answers with queued button values (else the first button)
// and queued file names (else cancels). Installed for its lifetime.
#include <QList>
#include <QStringList>
#include <vector>

#include "platform/uiservices.h"

class tScriptedUI : public platform::UserInterface {
public:
    tScriptedUI();
    ~tScriptedUI() override;

    std::vector<platform::MessageRequest> Messages;
    QList<int> Answers;
    QList<bool> DontAsk;     // queued states of the "Don't ask" box; unticked when used up
    QStringList FileNames;

    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &request) override;
    QStringList openFileNames(const platform::FileRequest &request) override;
    QString saveFileName(const platform::FileRequest &request) override;
    QString pickFolder(const platform::FileRequest &request) override;

private:
    QString nextFileName();
};
