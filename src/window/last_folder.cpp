#include "last_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kivo {
namespace {

// The viewer's own settings, a file in the platform's per-user configuration folder
// (~/.config/kivo32/kivo32.ini on a freedesktop system, %APPDATA%\kivo32 on Windows). Named
// here rather than through the application's names, so that the window finds the same settings
// whatever program shows it.
QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kivo32"),
                     QStringLiteral("kivo32"));
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
