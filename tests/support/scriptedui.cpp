#include "support/scriptedui.h"

platform::MessageResult tScriptedUi::showMessage(const platform::MessageRequest &request)
{
    Asked << request;
    platform::MessageResult r;
    r.Value = Answers.isEmpty() ? 0 : Answers.takeFirst();
    r.DontAsk = !DontAsk.isEmpty() && DontAsk.takeFirst();
    return r;
}
