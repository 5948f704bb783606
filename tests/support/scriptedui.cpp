#include "support/scriptedui.h"

tScriptedUI::tScriptedUI()
{
    platform::setUserInterface(this);
}

tScriptedUI::~tScriptedUI()
{
    platform::setUserInterface(nullptr);
}

platform::MessageResult tScriptedUI::showMessage(const platform::MessageRequest &request)
{
    Messages.push_back(request);
    platform::MessageResult r;
    if (!Answers.isEmpty())
        r.Value = Answers.takeFirst();
    else if (!request.Buttons.empty())
        r.Value = request.Buttons.front().Value;
    r.DontAsk = !DontAsk.isEmpty() && DontAsk.takeFirst();
    return r;
}

QString tScriptedUI::nextFileName()
{
    return FileNames.isEmpty() ? QString() : FileNames.takeFirst();
}

QString tScriptedUI::openFileName(const platform::FileRequest &)
{
    return nextFileName();
}

QStringList tScriptedUI::openFileNames(const platform::FileRequest &)
{
    const QString f = nextFileName();
    return f.isEmpty() ? QStringList() : QStringList{f};
}

QString tScriptedUI::saveFileName(const platform::FileRequest &)
{
    return nextFileName();
}

QString tScriptedUI::pickFolder(const platform::FileRequest &)
{
    return nextFileName();
}
