#include "support/scriptedui.h"

#include <QFileInfo>
#include <QTest>

tScriptedUi::tScriptedUi(tUnscripted unscripted)
    : unscripted_(unscripted)
{
    platform::setUserInterface(this);
}

tScriptedUi::~tScriptedUi()
{
    platform::setUserInterface(nullptr);
}

tScriptedUi &tScriptedUi::answer(const QString &caption, int optionBits, std::optional<bool> dontAsk)
{
    answers_.push_back({tKind::Caption, caption, 0, optionBits, dontAsk});
    return *this;
}

tScriptedUi &tScriptedUi::answerValue(int value, int optionBits, std::optional<bool> dontAsk)
{
    answers_.push_back({tKind::Value, {}, value, optionBits, dontAsk});
    return *this;
}

tScriptedUi &tScriptedUi::reply(int value, std::optional<bool> dontAsk)
{
    answers_.push_back({tKind::Raw, {}, value, 0, dontAsk});
    return *this;
}

tScriptedUi &tScriptedUi::dismiss()
{
    answers_.push_back({tKind::Dismiss, {}, 0, 0, {}});
    return *this;
}

tScriptedUi &tScriptedUi::pick(const QStringList &paths)
{
    picks_.push_back(paths);
    return *this;
}

void tScriptedUi::reset()
{
    answers_.clear();
    picks_.clear();
    Messages.clear();
    FileRequests.clear();
    OverwriteQuestions = 0;
    Errors.clear();
}

QStringList tScriptedUi::Texts() const
{
    QStringList texts;
    for (const platform::MessageRequest &m : Messages)
        texts.append(m.Text);
    return texts;
}

platform::MessageResult tScriptedUi::showMessage(const platform::MessageRequest &request)
{
    Messages.push_back(request);
    if (WhileAsking)
        WhileAsking();
    platform::MessageResult r;
    r.DontAsk = request.AskDefault;
    if (answers_.empty()) {
        switch (unscripted_) {
        case tUnscripted::Fail:
            QTest::qFail(qPrintable(QStringLiteral("Unexpected question: ") + request.Text), __FILE__, __LINE__);
            r.Value = platform::cancelValue(request);
            break;
        case tUnscripted::FirstButton:
            r.Value = request.Buttons.empty() ? 0 : request.Buttons.front().Value;
            break;
        case tUnscripted::Zero:
            r.Value = 0;
            break;
        }
        return r;
    }
    const tAnswer a = answers_.front();
    answers_.pop_front();
    if (a.dontAsk)
        r.DontAsk = *a.dontAsk;
    switch (a.kind) {
    case tKind::Dismiss:
        r.DontAsk = request.AskDefault;
        r.Value = platform::cancelValue(request);
        return r;
    case tKind::Raw:
        r.Value = a.value;
        return r;
    case tKind::Caption:
    case tKind::Value:
        break;
    }
    for (const platform::MessageButton &b : request.Buttons)
        if (!b.Toggle && (a.kind == tKind::Value ? b.Value == a.value : b.Caption == a.caption))
            r.Value = b.Value;
    if (r.Value == 0) {
        const QString wanted = a.kind == tKind::Value ? QString::number(a.value) : a.caption;
        QTest::qFail(qPrintable(QStringLiteral("No button \"%1\" in: %2").arg(wanted, request.Text)), __FILE__,
                     __LINE__);
        r.Value = platform::cancelValue(request);
    }
    r.OptionBits = a.optionBits;
    return r;
}

QStringList tScriptedUi::nextPick(const platform::FileRequest &request)
{
    FileRequests.push_back(request);
    if (picks_.empty())
        return {};
    const QStringList p = picks_.front();
    picks_.pop_front();
    return p;
}

QString tScriptedUi::openFileName(const platform::FileRequest &request)
{
    const QStringList p = nextPick(request);
    return p.isEmpty() ? QString() : p.first();
}

QStringList tScriptedUi::openFileNames(const platform::FileRequest &request)
{
    return nextPick(request);
}

QString tScriptedUi::saveFileName(const platform::FileRequest &request)
{
    const QString chosen = openFileName(request);
    if (request.ConfirmOverwrite && !chosen.isEmpty() && QFileInfo::exists(chosen))
        ++OverwriteQuestions;
    return chosen;
}

QString tScriptedUi::pickFolder(const platform::FileRequest &request)
{
    return openFileName(request);
}

void tScriptedUi::showError(const platform::ErrorReport &report)
{
    Errors.push_back(report);
}
