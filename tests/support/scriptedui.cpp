#include "support/scriptedui.h"

platform::MessageResult tScriptedUi::showMessage(const platform::MessageRequest &request)
{
    Asked << request;
    platform::MessageResult r;
    r.Value = Answers.isEmpty() ? 0 : Answers.takeFirst();
    return r;
}
