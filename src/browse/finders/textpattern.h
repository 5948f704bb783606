#pragma once
// The typed patterns of the finders and of search and track, matched by a
// small automaton of our own instead of a regular-expression engine: a
// backtracking engine takes exponential time on ordinary patterns such as
// "*e*e*e*e*x" and gives up on long values, which would be reported as "not
// found". Here every pattern is simulated as a set of states moved one text
// character at a time, so the time is linear in the value's length (times
// the pattern's length in machine words), and matching always completes.
//
// Two pattern languages share the automaton:
// - wildcards (find text, search and track): "*" is one or more characters
//   from blank to "~" (it matches no empty run and no character outside
//   that range), "?" is any one character, line breaks included; every other
//   character stands for itself;
// - repetition marks (the catalogue-number filter): "?" makes the character
//   before it optional and "*" lets it repeat any number of times, none
//   included; every other character stands for itself. A mark with nothing
//   before it, or a mark after "*" or "?" other than one "?", is not a
//   pattern.
// Either way the pattern is searched anywhere in the value.
#include <cstdint>
#include <memory>
#include <optional>

#include <QString>

class tTextPattern {
public:
    // The empty pattern: found in every value.
    tTextPattern() = default;

    static tTextPattern Wildcards(const QString &pattern, bool caseSensitive = false);
    // Always ignoring case; Failed() when the marks do not make a pattern.
    static tTextPattern RepeatMarks(const QString &pattern);

    bool Failed() const { return failed_; }
    // The pattern occurs somewhere in value (never for a failed pattern).
    bool FoundIn(const QString &value) const;

private:
    struct tProgram;
    std::shared_ptr<const tProgram> program_;
    bool failed_ = false;
};
