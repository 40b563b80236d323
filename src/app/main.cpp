// KIVO/32: the window, or, from the shell, the usage, the version or an export of every user.
#include "command_line.h"
#include "run_export.h"
#include "start_window.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Everything but the window, run without a display.
int runInShell(const kivo::CommandLine& command) {
    using Action = kivo::CommandLine::Action;
    switch (command.action) {
    case Action::Help:
        std::fputs(command.usage.toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Version:
        std::puts(kivo::versionText().toLocal8Bit().constData());
        return 0;
    case Action::Refuse:
        kivo::complain(command.error);
        std::fputs(('\n' + command.usage).toLocal8Bit().constData(), stderr);
        return 2;
    case Action::Export:
        return kivo::runExport(command);
    case Action::Window:
        break;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    kivo::CommandLine command;
    {
        // A core application needs no display; it is gone before the window's application is
        // made.
        QCoreApplication shell(argc, argv);
        command = kivo::readCommandLine(kivo::argumentsOf(argc, argv));
        if (command.action != kivo::CommandLine::Action::Window)
            return runInShell(command);
    }
    return kivo::runWindow(argv[0], command.file);
}
