#include "text_forms.h"

#include "code_page.h"

#include <QString>

#include <algorithm>
#include <cassert>

namespace kivo {

ByteForms makeByteForms(const std::function<std::string(const std::string& utf8)>& formOf) {
    ByteForms forms;
    for (std::size_t byte = 0; byte < forms.size(); ++byte) {
        const QChar character(codePageToUnicode(static_cast<unsigned char>(byte)));
        const std::string form = formOf(QString(character).toUtf8().toStdString());
        // A character of the code page is at most 3 bytes of UTF-8, 6 as a JSON \u escape.
        assert(form.size() <= forms[byte].bytes.size());
        std::copy(form.begin(), form.end(), forms[byte].bytes.begin());
        forms[byte].size = static_cast<std::uint8_t>(form.size());
    }
    return forms;
}

} // namespace kivo
