#include "support/scriptedservices.h"

#include <QTest>

ScriptedUi::ScriptedUi()
{
    platform::setUserInterface(this);
}

ScriptedUi::~ScriptedUi()
{
    platform::setUserInterface(nullptr);
}

ScriptedUi &ScriptedUi::answer(const QString &caption, int optionBits, std::optional<bool> dontAsk)
{
    answers_.push_back({false, caption, 0, optionBits, dontAsk});
    return *this;
}

ScriptedUi &ScriptedUi::answerValue(int value, int optionBits, std::optional<bool> dontAsk)
{
    answers_.push_back({false, {}, value, optionBits, dontAsk});
    return *this;
}

ScriptedUi &ScriptedUi::dismiss()
{
    answers_.push_back({true, {}, 0, 0, {}});
    return *this;
}

ScriptedUi &ScriptedUi::pick(const QStringList &paths)
{
    picks_.push_back(paths);
    return *this;
}

platform::MessageResult ScriptedUi::showMessage(const platform::MessageRequest &request)
{
    Questions.push_back(request);
    platform::MessageResult r;
    r.DontAsk = request.AskDefault;
    if (answers_.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("Unexpected question: ") + request.Text), __FILE__, __LINE__);
        r.Value = platform::cancelValue(request);
        return r;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    if (a.dismiss) {
        r.Value = platform::cancelValue(request);
        return r;
    }
    r.Value = 0;
    for (const platform::MessageButton &b : request.Buttons)
        if (!b.Toggle && (a.value ? b.Value == a.value : b.Caption == a.caption))
            r.Value = b.Value;
    if (r.Value == 0) {
        const QString wanted = a.value ? QString::number(a.value) : a.caption;
        QTest::qFail(qPrintable(QStringLiteral("No button \"%1\" in: %2").arg(wanted, request.Text)), __FILE__,
                     __LINE__);
        r.Value = platform::cancelValue(request);
    }
    r.OptionBits = a.optionBits;
    if (a.dontAsk)
        r.DontAsk = *a.dontAsk;
    return r;
}

QStringList ScriptedUi::nextPick(const platform::FileRequest &request)
{
    FileRequests.push_back(request);
    if (picks_.empty())
        return {};
    const QStringList p = picks_.front();
    picks_.pop_front();
    return p;
}

QString ScriptedUi::openFileName(const platform::FileRequest &request)
{
    const QStringList p = nextPick(request);
    return p.isEmpty() ? QString() : p.first();
}

QStringList ScriptedUi::openFileNames(const platform::FileRequest &request)
{
    return nextPick(request);
}

QString ScriptedUi::saveFileName(const platform::FileRequest &request)
{
    return openFileName(request);
}

QString ScriptedUi::pickFolder(const platform::FileRequest &request)
{
    return openFileName(request);
}

void ScriptedUi::showError(const platform::ErrorReport &report)
{
    Errors.push_back(report);
}
