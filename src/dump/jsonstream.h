#pragma once
// JSON printed as it is made, laid out exactly as QJsonDocument's indented
// form lays it out (four blanks a level, each object's keys in sorted
// order, the same escapes and number forms), so that a large or deeply
// nested file is printed without first building its whole document.
#include <cstdio>
#include <utility>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QString>

class tJsonStream {
public:
    // A member of a flat object: its key and a text, whole number,
    // Boolean or number value.
    using tScalar = std::variant<QString, qint64, bool, double>;
    using tMember = std::pair<const char *, tScalar>;

    explicit tJsonStream(std::FILE *out) : out_(out) {}

    // An object's members must come in sorted key order, each named by
    // Key before its value; Members sorts them itself.
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(const char *key);
    void Value(const tScalar &value);
    // The members of the open object, in sorted key order.
    void Members(std::vector<tMember> members);
    // Sends what is buffered; false when the output refused any of it.
    bool Flush();

private:
    void beginValue();
    void open(char bracket);
    void close(char bracket);
    void indent(size_t level);
    void escaped(const QString &s);
    void sendIfFull();

    struct tLevel {
        bool Object = false;
        bool Empty = true;
    };
    std::vector<tLevel> levels_;
    bool afterKey_ = false;
    QByteArray buf_;
    std::FILE *out_;
    bool failed_ = false;
};
