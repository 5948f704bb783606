#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/ini.h"
#include "platform/knownfolders.h"

namespace platform {
namespace {

const QString SectionName = QStringLiteral("Coins");

bool isEscaped(char16_t c)
{
    return c < 0x20 || c == 0x7F || c == u'%';
}

bool allHex(QStringView s)
{
    for (QChar ch : s)
        if (!((ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F')))
            return false;
    return true;
}

QString escapeText(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (QChar ch : s) {
        if (isEscaped(ch.unicode()))
            out += QStringLiteral("%%1").arg(ch.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += ch;
    }
    return out;
}

std::optional<QString> unescapeText(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('%')) {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size())
            return std::nullopt;
        bool ok = allHex(QStringView(s).mid(i + 1, 2));
        const int code = s.mid(i + 1, 2).toInt(nullptr, 16);
        // Only the characters the writer escapes may appear escaped: anything
        // else was not written by this store.
        if (!ok || !isEscaped(static_cast<char16_t>(code)))
            return std::nullopt;
        out += QChar(code);
        i += 2;
    }
    return out;
}

// A name must survive the line format unchanged.
void checkName(const QString &name)
{
    bool bad = name.isEmpty() || name != name.trimmed() || name.contains(QLatin1Char('='))
               || name.startsWith(QLatin1Char('[')) || name.startsWith(QLatin1Char(';'));
    for (QChar ch : name)
        bad = bad || ch.unicode() < 0x20 || ch.unicode() == 0x7F;
    if (bad)
        throw SettingsError("Invalid setting name \"" + name.toStdString() + "\"");
}

MemorySettingsStore memoryDefault;
SettingsStore *current = &memoryDefault;

} // namespace

SettingValue SettingValue::integer(qint32 v)
{
    SettingValue s;
    s.Type = SettingType::Integer;
    s.Integer = v;
    return s;
}

SettingValue SettingValue::string(const QString &text)
{
    SettingValue s;
    s.Type = SettingType::String;
    s.Text = text;
    return s;
}

SettingValue SettingValue::binary(const QByteArray &b)
{
    SettingValue s;
    s.Type = SettingType::Binary;
    s.Bytes = b;
    return s;
}

bool SettingValue::operator==(const SettingValue &o) const
{
    if (Type != o.Type)
        return false;
    switch (Type) {
    case SettingType::Integer:
        return Integer == o.Integer;
    case SettingType::Binary:
        return Bytes == o.Bytes;
    case SettingType::String:
    case SettingType::Unknown:
        return Text == o.Text;
    }
    return false;
}

QString encodeSetting(const SettingValue &v)
{
    switch (v.Type) {
    case SettingType::Integer:
        return QStringLiteral("int:") + QString::number(v.Integer);
    case SettingType::String:
        return QStringLiteral("str:\"") + escapeText(v.Text) + QLatin1Char('"');
    case SettingType::Binary:
        return QStringLiteral("bin:") + QString::fromLatin1(v.Bytes.toHex());
    case SettingType::Unknown:
        return v.Text;
    }
    return {};
}

SettingValue decodeSetting(const QString &stored)
{
    SettingValue unknown;
    unknown.Type = SettingType::Unknown;
    unknown.Text = stored;

    if (stored.startsWith(QLatin1String("int:"))) {
        bool ok = false;
        const qlonglong n = stored.mid(4).toLongLong(&ok);
        if (!ok || n < INT32_MIN || n > INT32_MAX || stored.mid(4).trimmed() != stored.mid(4))
            return unknown;
        return SettingValue::integer(static_cast<qint32>(n));
    }
    if (stored.startsWith(QLatin1String("str:\"")) && stored.endsWith(QLatin1Char('"')) && stored.size() >= 6) {
        const std::optional<QString> text = unescapeText(stored.mid(5, stored.size() - 6));
        return text ? SettingValue::string(*text) : unknown;
    }
    if (stored.startsWith(QLatin1String("bin:"))) {
        const QString hex = stored.mid(4);
        if (hex.size() % 2 != 0 || !allHex(hex))
            return unknown;
        return SettingValue::binary(QByteArray::fromHex(hex.toLatin1()));
    }
    return unknown;
}

const MemorySettingsStore::Entry *MemorySettingsStore::find(const QString &name) const
{
    const auto it = index_.constFind(name.toCaseFolded());
    return it == index_.constEnd() ? nullptr : &values_[*it];
}

void MemorySettingsStore::put(std::vector<Entry> &values, QHash<QString, size_t> &index, const QString &name,
                              const SettingValue &value) const
{
    const QString key = name.toCaseFolded();
    if (const auto it = index.constFind(key); it != index.constEnd()) {
        values[*it].value = value;
        return;
    }
    index.insert(key, values.size());
    values.push_back({name, value});
}

std::optional<SettingValue> MemorySettingsStore::read(const QString &name) const
{
    if (const Entry *e = find(name))
        return e->value;
    return std::nullopt;
}

void MemorySettingsStore::write(const QString &name, const SettingValue &value)
{
    checkName(name);
    put(values_, index_, name, value);
}

QStringList MemorySettingsStore::names() const
{
    QStringList out;
    for (const Entry &e : values_)
        out << e.name;
    return out;
}

FileSettingsStore::FileSettingsStore(const QString &path) : path_(path) {}

void FileSettingsStore::ensureLoaded() const
{
    if (loaded_)
        return;
    auto *self = const_cast<FileSettingsStore *>(this);
    self->values_.clear();
    self->index_.clear();
    if (QFileInfo::exists(path_)) {
        IniFile ini;
        if (!ini.load(path_))
            throw SettingsError("The settings file " + path_.toStdString() + " cannot be read");
        const QStringList names = ini.keys(SectionName);
        self->values_.reserve(static_cast<size_t>(names.size()));
        self->index_.reserve(names.size());
        for (const QString &name : names)
            put(self->values_, self->index_, name, decodeSetting(ini.readString(SectionName, name)));
    }
    loaded_ = true;
}

std::optional<SettingValue> FileSettingsStore::read(const QString &name) const
{
    ensureLoaded();
    return MemorySettingsStore::read(name);
}

QStringList FileSettingsStore::names() const
{
    ensureLoaded();
    return MemorySettingsStore::names();
}

QByteArray FileSettingsStore::fileText(const std::vector<Entry> &values) const
{
    QString text = QStringLiteral(
        "; Orvanta settings. One value a line: Name=int:<number>, Name=str:\"<text>\" with %XX for\n"
        "; \"%\" and control characters, or Name=bin:<hex bytes>.\n");
    text += QLatin1Char('[') + SectionName + QStringLiteral("]\n");
    for (const Entry &e : values)
        text += e.name + QLatin1Char('=') + encodeSetting(e.value) + QLatin1Char('\n');
    return text.toUtf8();
}

void FileSettingsStore::write(const QString &name, const SettingValue &value)
{
    checkName(name);
    ensureLoaded();
    // The file already holds it: most values written at close are those read
    // at start, and each rewrite of the file costs a flush to disk.
    if (const Entry *e = find(name); e && e->value == value)
        return;
    std::vector<Entry> next = values_;
    QHash<QString, size_t> nextIndex = index_;
    put(next, nextIndex, name, value);

    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        throw SettingsError("Cannot create the settings folder " + info.absolutePath().toStdString());
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly) || f.write(fileText(next)) < 0 || !f.commit())
        throw SettingsError("Cannot write the settings file " + path_.toStdString() + ": "
                            + f.errorString().toStdString());
    values_ = std::move(next);
    index_ = std::move(nextIndex);
}

QString settingsFilePath()
{
    return QDir(configFolder()).filePath(QStringLiteral("Orvanta/Settings.ini"));
}

SettingsStore &settings()
{
    return *current;
}

void setSettingsStore(SettingsStore *store)
{
    current = store ? store : &memoryDefault;
}

} // namespace platform
