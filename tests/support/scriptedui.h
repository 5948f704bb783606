#pragma once
// A stand-in for the message box and file pickers: answers each question
// with the next scripted button value (0 when the script is used up, as if
// the box were closed) and keeps every question asked. Pickers cancel.
#include <QList>

#include "platform/uiservices.h"

class tScriptedUi final : public platform::UserInterface {
public:
    QList<int> Answers;
    QList<platform::MessageRequest> Asked;

    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &) override { return {}; }
    QStringList openFileNames(const platform::FileRequest &) override { return {}; }
    QString saveFileName(const platform::FileRequest &) override { return {}; }
    QString pickFolder(const platform::FileRequest &) override { return {}; }
};
