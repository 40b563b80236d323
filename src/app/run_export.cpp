#include "run_export.h"

#include "export_users.h"
#include "file_name_text.h"
#include "user_file.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kivo {
namespace {

// How many users reached the output, as the last sentence of a failure.
QString exportedSentence(std::int64_t count) {
    if (count == 0)
        return "No users were exported.";
    if (count == 1)
        return "1 user was exported.";
    return QString::number(count) + " users were exported.";
}

// The end of the refusal to write into the user file, named one way or another.
QString theUserFileItself(const QString& file) {
    return "the user file " + file + " itself; it is only read, never written.";
}

std::filesystem::path fsPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdU16String());
#else
    return std::filesystem::path(fileNameBytes(path)); // the name's own bytes, UTF-8 or not
#endif
}

bool sameFile(const QString& a, const QString& b) {
    std::error_code ignored;
    return std::filesystem::equivalent(fsPath(a), fsPath(b), ignored);
}

std::FILE* createOutput(const QString& path) {
#ifdef _WIN32
    return _wfopen(path.toStdWString().c_str(), L"wb");
#else
    return std::fopen(fileNameBytes(path).c_str(), "wb");
#endif
}

// Shortens a file the export created to its first length bytes.
bool cutBack(std::FILE* stream, std::int64_t length) {
#ifdef _WIN32
    return _chsize_s(_fileno(stream), length) == 0;
#else
    return ::ftruncate(::fileno(stream), off_t(length)) == 0;
#endif
}

} // namespace

int runExport(const CommandLine& command) {
    UserFile file;
    if (const FileError error = file.open(fileNameBytes(command.file))) {
        complain(command.file + " could not be opened: " +
                 QString::fromStdString(error.describe()) + ". " + exportedSentence(0));
        return 1;
    }

    std::FILE* stream = stdout;
    if (command.output.isEmpty() && file.isWrittenBy(stdout)) {
        complain("standard output is " + theUserFileItself(command.file));
        return 1;
    }
    if (!command.output.isEmpty()) {
        if (sameFile(command.output, command.file)) {
            complain("--output names " + theUserFileItself(command.file));
            return 1;
        }
        stream = createOutput(command.output);
        if (!stream) {
            complain(command.output + " could not be created: " + std::strerror(errno) + ".");
            return 1;
        }
    }
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY); // CSV's CR LF stays as it is
#endif
#ifdef SIGPIPE
    // A reader that stops early (| head) closes the pipe: writing then fails with EPIPE, which
    // ends the export quietly, instead of the signal killing the program.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    // Past the file size limit (ulimit -f), the write fails with EFBIG and the message below says
    // how far the export got, instead of the signal killing the program mid-row.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    const ExportResult result = exportUsers(file, command.exportOptions, stream);
    // A user cut short by a failed write is no user: a file of our own loses it again.
    const bool endsInCutRow = result.bytesWritten > result.wholeBytes &&
                              (stream == stdout || !cutBack(stream, result.wholeBytes));
    const int closeError = stream != stdout && std::fclose(stream) != 0 ? errno : 0;

    if (result.output == OutputBlocks::State::ReaderGone)
        return 0;
    const QString written = " " + exportedSentence(result.exported);
    if (result.output == OutputBlocks::State::Failed || closeError) {
        const QString target = command.output.isEmpty() ? "standard output" : command.output;
        complain("Writing to " + target +
                 " failed: " + std::strerror(closeError ? closeError : result.outputError) + "." +
                 written + (endsInCutRow ? " The output ends in a cut row." : ""));
        return 1;
    }
    if (result.readError) {
        complain(command.file + " could not be read to the end: " +
                 QString::fromStdString(result.readError.describe()) + "." + written);
        return 1;
    }
    if (result.leftoverBytes > 0)
        complain(QString("warning: the last %1 bytes of ").arg(result.leftoverBytes) +
                 command.file +
                 QString(" (from byte %1 on) are not a whole user and were not exported.")
                     .arg(result.wholeUsers * std::int64_t(kRecordSize)));
    return 0;
}

} // namespace kivo
