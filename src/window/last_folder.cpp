#include "last_folder.h"

#include "settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

#include <optional>

namespace kivo {
namespace {

const QByteArray kSection = "[open]";
const QByteArray kKey = "lastFolder";

bool isSection(const QByteArray& line) {
    return line.trimmed().startsWith('[');
}

// The value of a "key=value" line for the key, raw; nothing when the line holds another key.
std::optional<QByteArray> valueFor(const QByteArray& line, const QByteArray& key) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.left(equals).trimmed() != key)
        return std::nullopt;
    return line.mid(equals + 1).trimmed();
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f');
}

// The hex digits of a \x escape from text[i] on, up to four: the character they number.
QChar hexEscape(const QString& text, qsizetype& i) {
    char16_t code = 0;
    for (int n = 0; n < 4 && i < text.size() && isHexDigit(text.at(i)); ++n, ++i)
        code = char16_t(code * 16 + QString(text.at(i)).toUInt(nullptr, 16));
    return QChar(code);
}

// The escapes QSettings reads in an ini value: quotes around spaces and separators, backslash
// escapes (\n, \", \\, \x and hex), and "@@" for a leading "@". Nothing for a list (a comma
// outside quotes) or a value of another type ("@Variant(...)"): neither is a folder.
std::optional<QString> unescaped(const QByteArray& raw) {
    static const QString kLetters = QStringLiteral("abfnrtv");
    static const QString kControls = QStringLiteral("\a\b\f\n\r\t\v");
    const QString text = QString::fromUtf8(raw);
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i++);
        if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            return std::nullopt;
        else if (c != u'\\' || i == text.size())
            value += c;
        else if (const QChar e = text.at(i++); e == u'x')
            value += hexEscape(text, i);
        else if (const qsizetype k = kLetters.indexOf(e); k >= 0)
            value += kControls.at(k);
        else
            value += e;
    }
    if (value.startsWith(QLatin1String("@@")))
        return value.mid(1);
    if (value.startsWith(u'@'))
        return std::nullopt;
    return value;
}

// The value as QSettings writes it, so that either reads what the other wrote.
QByteArray escaped(const QString& value) {
    QString text;
    bool afterHexEscape = false; // a hex digit just after \x would be read as part of it
    for (const QChar c : value) {
        const qsizetype named = QStringView(u"\n\r\t").indexOf(c);
        const bool hex = named < 0 && (c.unicode() < 0x20 || (afterHexEscape && isHexDigit(c)));
        if (c == u'\\' || c == u'"')
            text += u'\\', text += c;
        else if (named >= 0)
            text += u'\\', text += QStringView(u"nrt").at(named);
        else if (hex)
            text += QStringLiteral("\\x") + QString::number(c.unicode(), 16);
        else
            text += c;
        afterHexEscape = hex;
    }
    if (text.startsWith(u'@'))
        text.prepend(u'@');
    const bool quote =
        text.contains(u',') || text.contains(u';') || text.contains(u'=') || text != text.trimmed();
    return (quote ? u'"' + text + u'"' : text).toUtf8();
}

} // namespace

QString lastFolderIn(const QByteArray& settings) {
    bool inSection = false;
    for (const QByteArray& line : settings.split('\n')) {
        if (isSection(line))
            inSection = line.trimmed() == kSection;
        else if (inSection)
            if (const auto raw = valueFor(line, kKey))
                return unescaped(*raw).value_or(QString());
    }
    return {};
}

QByteArray withLastFolder(const QByteArray& settings, const QString& folder) {
    const QByteArray entry = kKey + '=' + escaped(folder);
    QList<QByteArray> lines = settings.split('\n');
    if (settings.isEmpty() || settings.endsWith('\n'))
        lines.removeLast(); // the empty piece after the last line's end
    qsizetype section = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSection(lines[i])) {
            if (section >= 0)
                break;
            if (lines[i].trimmed() == kSection)
                section = i;
        } else if (section >= 0 && valueFor(lines[i], kKey)) {
            lines[i] = entry;
            return lines.join('\n') + '\n';
        }
    }
    if (section >= 0) {
        lines.insert(section + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append(kSection);
        lines.append(entry);
    }
    return lines.join('\n') + '\n';
}

QString openDialogFolder(const QString& settingsFile) {
    const QString folder = lastFolderIn(readSettingsFile(settingsFile).value_or(QByteArray()));
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void rememberOpenedFile(const QString& settingsFile, const QString& path) {
    const std::optional<QByteArray> settings = readSettingsFile(settingsFile);
    const QString folder = QFileInfo(path).absolutePath();
    // A file that cannot be read is not rewritten: what else it holds would be lost.
    if (settingsFile.isEmpty() || !settings || lastFolderIn(*settings) == folder)
        return;
    replaceSettingsFile(settingsFile, withLastFolder(*settings, folder));
}

} // namespace kivo
