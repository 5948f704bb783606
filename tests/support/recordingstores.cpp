#include "support/recordingstores.h"

RecordingClipboard::RecordingClipboard(bool available) : Available(available)
{
    platform::setClipboard(this);
}

RecordingClipboard::~RecordingClipboard()
{
    platform::setClipboard(nullptr);
}

void RecordingClipboard::setText(const QString &text)
{
    Text = text;
    ++Writes;
}

RecordingSettings::RecordingSettings()
{
    platform::setSettingsStore(this);
}

RecordingSettings::~RecordingSettings()
{
    platform::setSettingsStore(nullptr);
}

std::optional<platform::SettingValue> RecordingSettings::read(const QString &name) const
{
    Reads << name;
    return MemorySettingsStore::read(name);
}

void RecordingSettings::write(const QString &name, const platform::SettingValue &value)
{
    if (!FailAt.isEmpty() && name == FailAt)
        throw platform::SettingsError("disk full");
    Writes << name;
    MemorySettingsStore::write(name, value);
}
