#pragma once
// A small INI reader and writer for the program's own hand-edited files
// ("Redirect.ini", "PriceDates.ini", "ImageDirectory.ini" and the like).
// Sections and keys are matched ignoring case, values are trimmed and taken
// literally: no escaping, so backslashes and commas survive, which QSettings
// would not allow.
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QString &path) { load(path); }

    // Reads the file; a missing or unreadable file gives an empty INI.
    bool load(const QString &path);
    void parse(const QString &text);
    // Writes the whole file through a temporary file; false on failure.
    bool save(const QString &path) const;
    QString text() const;

    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    int readInteger(const QString &section, const QString &key, int def = 0) const;
    bool readBool(const QString &section, const QString &key, bool def = false) const;
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

private:
    struct Entry { QString key, value; };
    // Entries keep the file's order; byKey finds one by its case-folded key
    // in constant time, so a file of many keys loads in linear time.
    struct Section {
        QString name;
        std::vector<Entry> entries;
        QHash<QString, size_t> byKey;
        Entry *entry(const QString &key);
        const Entry *entry(const QString &key) const;
    };
    const Section *find(const QString &section) const;
    Section &findOrAdd(const QString &section);
    std::vector<Section> sections_;
};

} // namespace platform
