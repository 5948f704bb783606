#pragma once
// Small text and path helpers shared by many windows.
#include <functional>

#include <QString>

struct tMainState;

// Measures the width of a text in the font it will be shown in.
using TextWidthFn = std::function<double(const QString &)>;

QString DigitsOnly(const QString &s, bool keepDecimal, QChar decimalSep = QLatin1Char('.'));
bool CtrlDown();
bool ShiftDown();
bool MouseButtonDown(QChar button);
QString PluralS(int n);
QString DateOrBlank(int day);

// Size in bytes of the entry of the file's folder whose name equals the
// file's name ignoring case; -1 when there is none or the folder is unreadable.
qint64 GetFileSize(const QString &fileName);
QString TakeOutAnds(const QString &instr);
// Each run of one or more "&" as exactly "&&", so a caption shows one
// ampersand however many the name holds and none turns into an accelerator.
QString EscapeAmpersands(const QString &text);

// Value with one leading blank, leading folders dropped until it fits width.
// Works on stored Windows paths ("D:\A\b.jpg") and on Linux paths ("/a/b.jpg").
QString ShortCaption(const QString &value, double width, const TextWidthFn &measure);
// InPath with middle parts replaced by "●●●" until it fits lenMax.
QString ShortPath(const QString &inPath, double lenMax, const TextWidthFn &measure);
// CurrPath with the series-picture base folder (FolderImagesRedirect +
// NewPath) replaced by Token, compared ignoring case and separator style.
QString PackPath(const tMainState &s, const QString &currPath, const QString &newPath, const QString &token);
void MultiPlatformOpen(const QString &commandStr);
QString TrimFileName(const QString &inPath);

// Turns a user's wildcard pattern into a regular expression: "*" is any run
// of printable characters, "?" any one character, regex specials escaped.
QString WildcardToRegex(const QString &wildcard);
