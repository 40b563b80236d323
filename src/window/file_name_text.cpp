#include "file_name_text.h"

#include "code_page.h"

#include <QFile>
#include <QUrl>

namespace kivo {
namespace {

constexpr char16_t kEscapedByte = 0xDC00; // + a byte of 0x80..0xFF that is not UTF-8

// The length of the valid UTF-8 sequence at bytes[i], or 0 when there is none.
qsizetype utf8SequenceAt(const QByteArray& bytes, qsizetype i) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1; // and no byte after it is looked at: there may be none
    const qsizetype length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    const unsigned char second = byte(i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

} // namespace

QString fileNameText(const QByteArray& bytes) {
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        if (const qsizetype length = utf8SequenceAt(bytes, i)) {
            text += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        } else {
            text += QChar(char16_t(kEscapedByte + static_cast<unsigned char>(bytes[i++])));
        }
    }
    return text;
}

std::string fileNameBytes(const QString& name) {
#ifdef Q_OS_WIN
    return name.toStdString();
#else
    std::string bytes;
    qsizetype from = 0; // the start of the text not yet encoded
    const auto flush = [&](qsizetype to) {
        bytes += QFile::encodeName(name.mid(from, to - from)).toStdString();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t code = name.at(i).unicode();
        if (code < kEscapedByte + 0x80 || code > kEscapedByte + 0xFF)
            continue;
        flush(i);
        bytes += char(name.at(i).unicode() - kEscapedByte);
        from = i + 1;
    }
    flush(name.size());
    return bytes;
#endif
}

QString localFileOf(const QUrl& url) {
#ifdef Q_OS_WIN
    return url.toLocalFile();
#else
    if (!url.host().isEmpty()) // another machine's file: the file system of the name decides
        return url.toLocalFile();
    return fileNameText(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
}

QString oneLineText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t code = c.unicode();
        if (code == 0)
            shown += QChar(u'\u2400');
        else if (code < 0x20 || code == 0x7F) // as the window shows them in a caller's name
            shown += QChar(codePageToUnicode(static_cast<unsigned char>(code)));
        else if (code == QChar::LineSeparator || code == QChar::ParagraphSeparator)
            shown += QChar(u'\u2424'); // the symbol for a new line
        else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            shown += c, shown += text.at(++i);
        else if ((code >= 0x80 && code <= 0x9F) || c.isSurrogate())
            shown += QChar::ReplacementCharacter; // C1 controls (some terminals act on them),
                                                  // and bytes that are not text
        else
            shown += c;
    }
    return shown;
}

} // namespace kivo
