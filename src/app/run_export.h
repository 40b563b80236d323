#pragma once

#include "command_line.h"

namespace kivo {

// Exports every user of the command's file, reporting on standard error. Returns the exit
// status: 0 when every whole user was written (or the reader of a pipe stopped reading), 1 when
// the file could not be opened or read to its end, or the output could not be written.
int runExport(const CommandLine& command);

} // namespace kivo
