#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// Where the Open dialog starts: the folder of the user file opened last, kept in the viewer's
// settings file (named by the window's services) so that it outlives the program. The home
// folder the first time, when that folder is gone, or when the settings cannot be read.
QString openDialogFolder(const QString& settingsFile);

// Notes the folder of a user file that was opened. When the settings cannot be written, the
// folder is simply not remembered: it is a convenience, never worth a message or a wait.
void rememberOpenedFile(const QString& settingsFile, const QString& path);

// The remembered folder in the settings' text, and that text with the folder set; in the ini
// format QSettings reads and wrote before (`lastFolder=` under `[open]`), other lines kept.
QString lastFolderIn(const QByteArray& settings);
QByteArray withLastFolder(const QByteArray& settings, const QString& folder);

} // namespace kivo
