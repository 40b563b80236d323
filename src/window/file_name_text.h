#pragma once

#include <QByteArray>
#include <QString>

#include <string>

class QUrl;

namespace kivo {

// A file's name as the system holds it and as the program's text. A Linux name is bytes, not
// always UTF-8: files copied from older systems often have Latin-1 names. Its text keeps each
// byte that is not UTF-8 as a character of its own (U+DC80 + the byte, a lone surrogate no
// decoded text holds), so that the name's exact bytes come back from it. Windows names are
// UTF-16 already.

// The text of a name given as bytes (the command line, a dropped file's URL).
QString fileNameText(const QByteArray& bytes);

// The name as UserFile::open takes it: the bytes it was made from (UTF-8 on Windows).
std::string fileNameBytes(const QString& name);

// The local file a URL names, its bytes kept: a file manager percent-encodes them.
QString localFileOf(const QUrl& url);

// Text shown in a message (a file name, a line on standard error), made safe to show: on one
// line, with nothing a terminal or a label would act on. Control characters become their visible
// symbols (U+2400 on, as the window shows them in a caller's name), line and paragraph
// separators too, and a byte that is not text U+FFFD.
QString oneLineText(const QString& text);

} // namespace kivo
