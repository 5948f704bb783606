#pragma once
// The real user-interface services the program installs at start
// (platform::setUserInterface): the message box window, the error window
// and the platform's file and folder pickers.
#include "platform/uiservices.h"

class TUserInterface final : public platform::UserInterface {
public:
    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &request) override;
    QStringList openFileNames(const platform::FileRequest &request) override;
    QString saveFileName(const platform::FileRequest &request) override;
    QString pickFolder(const platform::FileRequest &request) override;
    void showError(const platform::ErrorReport &report) override;
};
