#pragma once
// The scripted stand-in for the message box, the error window and the file
// and folder pickers. Tests queue the answers the user would give and read
// back what was asked; no headless test ever waits on a modal dialog. It
// installs itself on construction and restores the silent default when
// destroyed.
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/uiservices.h"

class tScriptedUi final : public platform::UserInterface {
public:
    // What a question gets once the queued answers are used up.
    enum class tUnscripted {
        Fail,         // the test fails ("Unexpected question") and the box is dismissed
        FirstButton,  // the box's first button, 0 when it has none
        Zero,         // value 0, as a box closed without any button
    };

    explicit tScriptedUi(tUnscripted unscripted = tUnscripted::Fail);
    ~tScriptedUi() override;
    tScriptedUi(const tScriptedUi &) = delete;
    tScriptedUi &operator=(const tScriptedUi &) = delete;

    // The next question is answered with the normal button of that caption;
    // the test fails when the question has no such button. Toggles left
    // pressed and the ask box's state come with it (the box keeps the
    // question's default when dontAsk is not given).
    tScriptedUi &answer(const QString &caption, int optionBits = 0, std::optional<bool> dontAsk = {});
    // The next question is answered with the normal button of that value.
    tScriptedUi &answerValue(int value, int optionBits = 0, std::optional<bool> dontAsk = {});
    // The next question returns exactly this value, unchecked against its
    // buttons (0: the box was closed without a button).
    tScriptedUi &reply(int value, std::optional<bool> dontAsk = {});
    // The next question is dismissed with Esc.
    tScriptedUi &dismiss();
    // The next file or folder picker returns these (nothing: cancelled);
    // pickers left unscripted are cancelled.
    tScriptedUi &pick(const QStringList &paths);
    // Forgets the queued answers and picks and everything recorded.
    void reset();

    // Every question asked, every picker opened, every error shown.
    std::vector<platform::MessageRequest> Messages;
    std::vector<platform::FileRequest> FileRequests;
    std::vector<platform::ErrorReport> Errors;
    // Times a save picker would have asked itself whether to replace the
    // existing file it returned (the picker's own question, as the real one
    // asks it when the request leaves ConfirmOverwrite on).
    int OverwriteQuestions = 0;
    // The texts of the questions asked, in order.
    QStringList Texts() const;
    // Runs while each question is shown, before it is answered: the window
    // events (the housekeeping timer among them) that a real modal box lets
    // run under it.
    std::function<void()> WhileAsking;

    // Answers queued but not yet used.
    int pending() const { return static_cast<int>(answers_.size()); }

    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &request) override;
    QStringList openFileNames(const platform::FileRequest &request) override;
    QString saveFileName(const platform::FileRequest &request) override;
    QString pickFolder(const platform::FileRequest &request) override;
    void showError(const platform::ErrorReport &report) override;

private:
    enum class tKind { Caption, Value, Raw, Dismiss };
    struct tAnswer {
        tKind kind = tKind::Caption;
        QString caption;
        int value = 0;
        int optionBits = 0;
        std::optional<bool> dontAsk;
    };
    QStringList nextPick(const platform::FileRequest &request);
    tUnscripted unscripted_;
    std::deque<tAnswer> answers_;
    std::deque<QStringList> picks_;
};
