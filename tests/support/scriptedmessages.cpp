#include "support/scriptedmessages.h"

platform::MessageResult tScriptedMessages::showMessage(const platform::MessageRequest &request)
{
    Asked.push_back(request);
    platform::MessageResult r;
    if (!Answers.empty()) {
        r.Value = Answers.front();
        Answers.pop_front();
    }
    return r;
}
