#pragma once
// A scripted stand-in for the user-interface services: tests queue the
// answers the user would give and read back what was asked. It installs
// itself on construction and restores the silent default when destroyed.
#include <deque>
#include <optional>
#include <vector>

#include "platform/uiservices.h"

class ScriptedUi final : public platform::UserInterface {
public:
    ScriptedUi();
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi &) = delete;
    ScriptedUi &operator=(const ScriptedUi &) = delete;

    // The next question is answered with the normal button of that caption;
    // the test fails when the question has no such button. Toggles left
    // pressed and the ask box's state come with it (the box keeps the
    // question's default when dontAsk is not given).
    ScriptedUi &answer(const QString &caption, int optionBits = 0, std::optional<bool> dontAsk = {});
    // The next question is answered with the normal button of that value.
    ScriptedUi &answerValue(int value, int optionBits = 0, std::optional<bool> dontAsk = {});
    // The next question is dismissed with Esc.
    ScriptedUi &dismiss();
    // The next file or folder picker returns these (nothing: cancelled).
    ScriptedUi &pick(const QStringList &paths);

    std::vector<platform::MessageRequest> Questions;
    std::vector<platform::FileRequest> FileRequests;
    std::vector<platform::ErrorReport> Errors;
    // Answers queued but not yet used.
    int pending() const { return static_cast<int>(answers_.size()); }

    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &request) override;
    QStringList openFileNames(const platform::FileRequest &request) override;
    QString saveFileName(const platform::FileRequest &request) override;
    QString pickFolder(const platform::FileRequest &request) override;
    void showError(const platform::ErrorReport &report) override;

private:
    struct Answer {
        bool dismiss = false;
        QString caption;
        int value = 0;  // when set, chosen by value instead of caption
        int optionBits = 0;
        std::optional<bool> dontAsk;
    };
    QStringList nextPick(const platform::FileRequest &request);
    std::deque<Answer> answers_;
    std::deque<QStringList> picks_;
};
