#pragma once
#include <QString>
namespace platform {
// Opens a file, folder or web address with the desktop's handler; a failure
// is not reported.
void shellOpen(const QString &target);
} // namespace platform
