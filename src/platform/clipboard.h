#pragma once
// The clipboard, behind a seam: the log and the maintainer commands put text
// on it, and tests watch what they put there without touching the desktop's
// clipboard.
#include <QImage>
#include <QString>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // False when there is no clipboard to write to (no GUI application).
    virtual bool available() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
    // The picture on the clipboard; null when it holds none (text included).
    virtual QImage image() const { return {}; }
};

// The clipboard in force: the system clipboard until something else is set.
Clipboard &clipboard();
// Installs a clipboard (not owned); nullptr restores the system clipboard.
void setClipboard(Clipboard *board);

} // namespace platform
