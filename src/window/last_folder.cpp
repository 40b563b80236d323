#include "last_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kivo {
namespace {

// The viewer's own settings, in the platform's per-user place (~/.config/kivo32/kivo32.conf on
// a freedesktop system). Named here rather than through the application's names, so that the
// window finds the same settings whatever program it is shown by.
QSettings settings() {
    return QSettings(QSettings::UserScope, QStringLiteral("kivo32"), QStringLiteral("kivo32"));
}

const QString kLastFolderKey = QStringLiteral("open/lastFolder");

} // namespace

QString openDialogFolder() {
    const QString folder = settings().value(kLastFolderKey).toString();
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void rememberOpenedFile(const QString& path) {
    settings().setValue(kLastFolderKey, QFileInfo(path).absolutePath());
}

} // namespace kivo
