#pragma once
// Test stand-ins for the clipboard and the settings store. Each installs
// itself on construction and restores the default when destroyed.
#include <QStringList>

#include "platform/clipboard.h"
#include "platform/settingsstore.h"

class RecordingClipboard final : public platform::Clipboard {
public:
    explicit RecordingClipboard(bool available = true);
    ~RecordingClipboard() override;
    bool available() const override { return Available; }
    void setText(const QString &text) override;
    QString text() const override { return Text; }
    QImage image() const override { return Image; }

    bool Available;
    QString Text;
    QImage Image;
    int Writes = 0;
};

// An in-memory store that records the names read and written, in order,
// and can be told to fail at the write of one name.
class RecordingSettings final : public platform::MemorySettingsStore {
public:
    RecordingSettings();
    ~RecordingSettings() override;
    std::optional<platform::SettingValue> read(const QString &name) const override;
    void write(const QString &name, const platform::SettingValue &value) override;
    // Stores a text as an earlier run would have left it: not counted as a
    // write of this run.
    void Seed(const QString &name, const QString &text)
    {
        MemorySettingsStore::write(name, platform::SettingValue::string(text));
    }

    mutable QStringList Reads;
    QStringList Writes;
    QString FailAt;  // a write of this name throws platform::SettingsError
};
