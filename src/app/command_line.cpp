#include "command_line.h"

#include "file_name_text.h"
#include "kivo_version.h"

#include <QCoreApplication>

#include <QCommandLineParser>

#include <cstdio>

namespace kivo {

QString versionText() {
    return QString::fromLatin1(kProgramName) +
           QStringLiteral(" %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch);
}

QStringList argumentsOf(int argc, char** argv) {
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments(); // the command line as Windows holds it, in UTF-16
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << fileNameText(QByteArray(argv[i]));
    return arguments;
#endif
}

void complain(const QString& message) {
    // Paths and arguments reach these messages as they were typed: an escape sequence in a file
    // name must not reach the terminal.
    const QString line = QString::fromLatin1(kProgramName) + ": " + oneLineText(message) + '\n';
    std::fputs(line.toLocal8Bit().constData(), stderr);
}

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "KIVO/32 views the users of a BBBS user file (BBBSUSER.DAT), and never writes it.\n"
        "With FILE, the window opens it at start. With --export, every user of FILE is\n"
        "written as CSV or JSON Lines in UTF-8, without a window."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the name and version and exit."));
    const QString formats = QString::fromStdString(exportFormatNames());
    const QCommandLineOption exportAs(
        QStringLiteral("export"),
        QStringLiteral("Write every user of FILE to standard output in this format, without a "
                       "window."),
        formats);
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("With --export, write to PATH instead. "
                                                   "PATH is never FILE itself."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption exactText(
        QStringLiteral("exact-text"),
        QStringLiteral(
            "With --export csv, write every text exactly as stored, for scripts. Without "
            "it, a text that starts with =, +, - or @ gets a leading ' so that a "
            "spreadsheet shows it rather than running it as a formula. JSON Lines is "
            "always exact."));
    parser.addOptions({help, version, exportAs, output, exactText});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The user file (BBBSUSER.DAT)."),
                                 QStringLiteral("[FILE]"));

    CommandLine command;
    command.usage = parser.helpText();
    const auto refuse = [&](const QString& error) {
        command.action = CommandLine::Action::Refuse;
        command.error = error;
        return command;
    };
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help)) {
        command.action = CommandLine::Action::Help;
        return command;
    }
    if (parser.isSet(version)) {
        command.action = CommandLine::Action::Version;
        return command;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(
            QStringLiteral("Only one FILE can be named; %1 were given.").arg(files.size()));
    if (!files.isEmpty())
        command.file = files.first();
    for (const auto* once : {&exportAs, &output})
        if (parser.values(*once).size() > 1)
            return refuse(
                QStringLiteral("--%1 can be given only once.").arg(once->names().first()));

    if (!parser.isSet(exportAs)) {
        for (const auto* exportOnly : {&output, &exactText})
            if (parser.isSet(*exportOnly))
                return refuse(
                    QStringLiteral("--%1 is only for --export.").arg(exportOnly->names().first()));
        return command;
    }
    const auto format = exportFormatNamed(parser.value(exportAs).toStdString());
    if (!format)
        return refuse(
            QStringLiteral("--export takes %1, not \"%2\".").arg(formats, parser.value(exportAs)));
    if (command.file.isEmpty())
        return refuse(QStringLiteral("--export needs the FILE to read."));
    command.action = CommandLine::Action::Export;
    command.exportOptions = {*format, parser.isSet(exactText)};
    command.output = parser.value(output);
    if (parser.isSet(output) && command.output.isEmpty())
        return refuse(QStringLiteral("--output needs a PATH."));
    return command;
}

} // namespace kivo
