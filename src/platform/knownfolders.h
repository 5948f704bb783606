#pragma once
// The user's known folders. Each path ends without a separator.
// ORVANTA_HOME, when set, replaces the home folder for all of them, so tests
// and a second profile never touch the user's real files.
#include <QString>

namespace platform {

QString documentsFolder();
QString downloadsFolder();
// The machine-wide application-data folder of the original platform; on
// Linux a per-user data folder.
QString commonAppDataFolder();
// Where the settings file lives.
QString configFolder();
QString homeFolder();
// Per-user folder for run-time files such as lock files (ORVANTA_HOME when set).
QString runtimeFolder();

} // namespace platform
