#pragma once
// A stand-in for the message box and file pickers: answers each question
// with the next scripted button value (0 when the script is used up, as if
// the box were closed) and the next scripted state of the "Don't ask" box
// (unticked when that script is used up), and keeps every question asked.
// Pickers cancel.
#include <QList>

#include "platform/uiservices.h"

class tScriptedUi final : public platform::UserInterface {
public:
    QList<int> Answers;
    QList<bool> DontAsk;
    QList<platform::MessageRequest> Asked;

    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &) override { return {}; }
    QStringList openFileNames(const platform::FileRequest &) override { return {}; }
    QString saveFileName(const platform::FileRequest &) override { return {}; }
    QString pickFolder(const platform::FileRequest &) override { return {}; }
};
