#include "settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kivo {

bool replaceSettingsFile(const QString& path, const QByteArray& contents) {
    const QFileInfo given(path);
    QString target = path;
    if (given.isSymLink()) {
        // Dotfile managers link settings files into place: the file linked to is replaced, and
        // the link stays. A link to anything else, or to nothing, is not ours to follow.
        target = given.canonicalFilePath();
        if (target.isEmpty() || !QFileInfo(target).isFile())
            return false;
    } else if (given.exists() && !given.isFile()) {
        return false;
    }
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    // A new file in the same folder, renamed over the old one: never a write into whatever the
    // path holds, never half a file, and no lock to wait for (the last viewer to write wins).
    QSaveFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() &&
           file.commit();
}

} // namespace kivo
