#include "board_text.h"

#include "code_page.h"

namespace kivo {

QString boardText(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes)
        *out++ = QChar(codePageToUnicode(static_cast<unsigned char>(c)));
    return text;
}

} // namespace kivo
