#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kivo {

// The viewer's own settings file, which holds only conveniences: when it cannot be read or
// replaced, the caller does without. Nothing here waits (a FIFO or a lock in its place would
// freeze the window), and nothing is written through a link to anything but a regular file.

// Where the settings live when nothing else is asked for: kivo32/kivo32.ini in the platform's
// per-user configuration folder (~/.config on a freedesktop system, %APPDATA% on Windows).
QString defaultSettingsFile();

// The largest settings file read; a longer one is not the viewer's own.
inline constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// The file's bytes, when it is a regular file (directly or through links) of at most
// kMaxSettingsBytes; nothing for anything else, and an empty array when there is no file.
std::optional<QByteArray> readSettingsFile(const QString& path);

// Replaces the file's contents by a new file renamed over it: over the file itself, or over the
// regular file a link leads to, so the link stays. Leaves alone a path that is, or links to,
// anything else, and a link that leads nowhere. Whether the new contents are in place.
bool replaceSettingsFile(const QString& path, const QByteArray& contents);

} // namespace kivo
