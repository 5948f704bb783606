#pragma once
// Regular expressions on PCRE2 with 16-bit code units, so QString text is
// matched without conversion. Patterns are compiled with dot-matches-newline;
// case-insensitive matching is asked for per pattern.
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

namespace platform {

class RegexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RegexMatch {
    qsizetype Start = -1;
    qsizetype Length = 0;
    bool found() const { return Start >= 0; }
};

class Regex {
public:
    // Throws RegexError with PCRE2's message when the pattern is invalid.
    explicit Regex(const QString &pattern, bool caseless = false, bool allowEmptyMatch = true);
    ~Regex();
    Regex(Regex &&) noexcept;
    Regex &operator=(Regex &&) noexcept;

    bool isMatch(const QString &subject) const;
    RegexMatch match(const QString &subject, qsizetype offset = 0) const;
    // Every non-overlapping match, in order.
    std::vector<RegexMatch> matches(const QString &subject) const;
    // The matched texts.
    QStringList matchTexts(const QString &subject) const;
    // The pieces between matches.
    QStringList split(const QString &subject) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace platform
