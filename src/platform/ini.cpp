#include "platform/ini.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

IniFile::Entry *IniFile::Section::entry(const QString &key)
{
    const auto it = byKey.constFind(key.toCaseFolded());
    return it == byKey.constEnd() ? nullptr : &entries[*it];
}

const IniFile::Entry *IniFile::Section::entry(const QString &key) const
{
    return const_cast<Section *>(this)->entry(key);
}

bool IniFile::load(const QString &path)
{
    sections_.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    parse(QString::fromUtf8(f.readAll()));
    return true;
}

void IniFile::parse(const QString &text)
{
    sections_.clear();
    Section *current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = &findOrAdd(line.mid(1, line.size() - 2).trimmed());
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || !current)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        // A key given twice keeps its first place and its last value.
        if (Entry *e = current->entry(key)) {
            e->value = value;
        } else {
            current->byKey.insert(key.toCaseFolded(), current->entries.size());
            current->entries.push_back({key, value});
        }
    }
}

QString IniFile::text() const
{
    QString out;
    for (const Section &s : sections_) {
        out += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
        for (const Entry &e : s.entries)
            out += e.key + QLatin1Char('=') + e.value + QStringLiteral("\r\n");
        out += QStringLiteral("\r\n");
    }
    return out;
}

bool IniFile::save(const QString &path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text().toUtf8());
    return f.commit();
}

const IniFile::Section *IniFile::find(const QString &section) const
{
    for (const Section &s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

IniFile::Section &IniFile::findOrAdd(const QString &section)
{
    for (Section &s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return s;
    sections_.push_back({section, {}, {}});
    return sections_.back();
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    if (const Section *s = find(section))
        if (const Entry *e = s->entry(key))
            return e->value;
    return def;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const QString v = readString(section, key);
    bool ok = false;
    int n = v.startsWith(QLatin1Char('$')) ? v.mid(1).toInt(&ok, 16) : v.toInt(&ok);
    return ok ? n : def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Section &s = findOrAdd(section);
    if (Entry *e = s.entry(key)) {
        e->value = value.trimmed();
        return;
    }
    s.byKey.insert(key.toCaseFolded(), s.entries.size());
    s.entries.push_back({key, value.trimmed()});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString &section) const
{
    return find(section) != nullptr;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    const Section *s = find(section);
    return s && s->entry(key);
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Section &s : sections_)
        out << s.name;
    return out;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList out;
    if (const Section *s = find(section))
        for (const Entry &e : s->entries)
            out << e.key;
    return out;
}

void IniFile::eraseSection(const QString &section)
{
    std::erase_if(sections_, [&](const Section &s) { return s.name.compare(section, Qt::CaseInsensitive) == 0; });
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    for (Section &s : sections_) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0 || !s.entry(key))
            continue;
        std::erase_if(s.entries, [&](const Entry &e) { return e.key.compare(key, Qt::CaseInsensitive) == 0; });
        s.byKey.clear();
        for (size_t i = 0; i < s.entries.size(); ++i)
            s.byKey.insert(s.entries[i].key.toCaseFolded(), i);
    }
}

} // namespace platform
