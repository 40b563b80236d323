#pragma once

#include <QString>

namespace kivo {

// Where the Open dialog starts: the folder of the user file opened last, kept in the per-user
// settings so that it outlives the program. The home folder the first time, or when that folder
// is gone.
QString openDialogFolder();

// Notes the folder of a user file that was opened.
void rememberOpenedFile(const QString& path);

} // namespace kivo
