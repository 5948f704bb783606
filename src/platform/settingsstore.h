#pragma once
// The program's settings: flat, typed values under one key, the way the
// original platform's per-user registry kept them. Each value keeps the type
// it was written with (32-bit integer, string or binary), because readers
// fall back to their default when a value was stored with another type.
//
// The program keeps the values in one file of its own, Settings.ini in the
// "Orvanta" folder of the user's configuration folder. Encoding, one value
// a line under the section [Coins]:
//
//   Name=int:<decimal 32-bit signed integer>
//   Name=str:"<text>"      text as UTF-8; "%" and the control characters
//                          U+0000..U+001F and U+007F are written as %XX
//                          (two hex digits), so a value never spans lines
//                          and keeps leading and trailing blanks; inner
//                          double quotes need no escape
//   Name=bin:<hex bytes>   two lower-case hex digits a byte, possibly none
//
// A value in any other form is kept as it is, read back as a value of an
// unknown type (so every typed read takes its default) and written back
// untouched. Names are matched ignoring case and keep the case they were
// first written with. Every write that changes a value replaces the whole
// file at once, so a crash never loses a value already written.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>
#include <vector>

namespace platform {

class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class SettingType {
    Integer,  // 32-bit signed
    String,
    Binary,
    Unknown,  // a value the store could not decode
};

struct SettingValue {
    SettingType Type = SettingType::Integer;
    qint32 Integer = 0;
    QString Text;       // String; for Unknown the raw stored form
    QByteArray Bytes;   // Binary

    static SettingValue integer(qint32 v);
    static SettingValue string(const QString &s);
    static SettingValue binary(const QByteArray &b);
    bool operator==(const SettingValue &o) const;
};

// One stored value in the file's text form, and back. decodeSetting never
// fails: a form it does not know gives an Unknown value holding the text.
QString encodeSetting(const SettingValue &v);
SettingValue decodeSetting(const QString &stored);

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value of that name, or nothing when there is none. Throws
    // SettingsError when the store itself cannot be read.
    virtual std::optional<SettingValue> read(const QString &name) const = 0;
    // Stores one value durably before returning; throws SettingsError when
    // it cannot, leaving the stored value as it was.
    virtual void write(const QString &name, const SettingValue &value) = 0;
    virtual QStringList names() const = 0;
};

// Values held in memory only: the store for tests and the default until the
// program installs its file store.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<SettingValue> read(const QString &name) const override;
    void write(const QString &name, const SettingValue &value) override;
    QStringList names() const override;
    void clear()
    {
        values_.clear();
        index_.clear();
    }

protected:
    struct Entry {
        QString name;
        SettingValue value;
    };
    const Entry *find(const QString &name) const;
    // Sets or appends one value in values_, keeping the index in step.
    void put(std::vector<Entry> &values, QHash<QString, size_t> &index, const QString &name,
             const SettingValue &value) const;
    // values_ in the order written; index_ finds a value by its case-folded
    // name in constant time, so thousands of values load in linear time.
    std::vector<Entry> values_;
    QHash<QString, size_t> index_;
};

// The program's store: the file above, read once when first used. A file
// that exists but cannot be read is never overwritten: every read and write
// then throws until it can be read.
class FileSettingsStore final : public MemorySettingsStore {
public:
    explicit FileSettingsStore(const QString &path);
    std::optional<SettingValue> read(const QString &name) const override;
    void write(const QString &name, const SettingValue &value) override;
    QStringList names() const override;
    QString path() const { return path_; }

private:
    void ensureLoaded() const;
    QByteArray fileText(const std::vector<Entry> &values) const;
    QString path_;
    mutable bool loaded_ = false;
};

// <config folder>/Orvanta/Settings.ini
QString settingsFilePath();

// The store in force; an empty in-memory store until the program installs
// its file store, so nothing run without the program touches the user's file.
SettingsStore &settings();
// Installs a store (not owned); nullptr restores the in-memory default.
void setSettingsStore(SettingsStore *store);

} // namespace platform
