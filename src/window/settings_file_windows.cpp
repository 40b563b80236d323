// The settings file on Windows, where QSettings kept it: %APPDATA%\kivo32\kivo32.ini.
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <shlobj.h>

namespace kivo {

QString defaultSettingsFile() {
    PWSTR folder = nullptr;
    QString path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)))
        path = QDir::fromNativeSeparators(QString::fromWCharArray(folder)) +
               QStringLiteral("/kivo32/kivo32.ini");
    CoTaskMemFree(folder);
    return path;
}

std::optional<QByteArray> readSettingsFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QByteArray();
    // A pipe or a device in its place is not read.
    if (!info.isFile() || info.size() > kMaxSettingsBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(kMaxSettingsBytes + 1);
    if (bytes.size() > kMaxSettingsBytes)
        return std::nullopt;
    return bytes;
}

} // namespace kivo
