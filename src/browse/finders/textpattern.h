#pragma once
// The typed patterns of the finders and of search and track: "*" and "?"
// as wildcards, every other regular-expression character taken literally.
#include <memory>
#include <optional>

#include <QString>

#include "core/model/helpers.h"  // WildcardToRegex
#include "platform/regex.h"

// Escapes the regular-expression characters WildcardToRegex escapes but leaves
// "*" and "?" as the expression's own repetition marks (the catalogue
// filter's rule).
QString EscapeRegexMarks(const QString &text);

// A pattern compiled once for many values. A pattern that does not compile
// finds nothing; Failed() tells so.
class tTextPattern {
public:
    tTextPattern() = default;
    // Compiles regex (already converted); caseless unless caseSensitive.
    explicit tTextPattern(const QString &regex, bool caseSensitive = false);
    bool Failed() const { return !regex_; }
    // The pattern occurs somewhere in value.
    bool FoundIn(const QString &value) const { return regex_ && regex_->isMatch(value); }

private:
    std::shared_ptr<platform::Regex> regex_;
};
