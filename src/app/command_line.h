#pragma once

#include "export_format.h"

#include <QString>
#include <QStringList>

namespace kivo {

// The program's name as the shell knows it, at the head of every message it prints there.
inline constexpr char kProgramName[] = "kivo32";

// What the command line asks for.
struct CommandLine {
    enum class Action {
        Window,  // show the window, opening file when one is named
        Help,    // print the usage
        Version, // print the name and version
        Export,  // write every user of file to output, or to standard output
        Refuse,  // the command line is wrong: print the error and the usage
    };
    Action action = Action::Window;
    QString file; // a file name's text (fileNameText): fileNameBytes gives what to open
    ExportOptions exportOptions;
    QString output; // empty: standard output
    QString error;  // for Refuse
    QString usage;
};

// The program's arguments as text, each byte of a name kept (fileNameText): Qt's own list loses
// the bytes of a name that is not UTF-8. Windows hands over UTF-16 and loses nothing.
QStringList argumentsOf(int argc, char** argv);

// Reads the arguments, the program's path first. Qt's own options are not taken: the window's
// QApplication never sees the command line.
CommandLine readCommandLine(const QStringList& arguments);

// "kivo32 2.0.1", from the project's version.
QString versionText();

// Prints "kivo32: message" on standard error, the way the shell's tools report, on one line with
// any control characters shown as symbols (oneLineText).
void complain(const QString& message);

} // namespace kivo
