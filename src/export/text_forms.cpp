#include "text_forms.h"

#include "code_page.h"

#include <QString>

#include <algorithm>
#include <cassert>

namespace kivo {

ByteForms makeByteForms(const std::function<std::string(const std::string& utf8)>& formOf) {
    ByteForms forms;
    for (std::size_t byte = 0; byte < forms.forms.size(); ++byte) {
        const QChar character(codePageToUnicode(static_cast<unsigned char>(byte)));
        const std::string form = formOf(QString(character).toUtf8().toStdString());
        // A character of the code page is at most 3 bytes of UTF-8, 6 as a JSON \u escape.
        assert(form.size() <= forms.forms[byte].bytes.size());
        std::copy(form.begin(), form.end(), forms.forms[byte].bytes.begin());
        forms.forms[byte].size = static_cast<std::uint8_t>(form.size());
        forms.changed[byte] = form != std::string(1, char(byte));
    }
    return forms;
}

Snippet::Snippet(std::string text) : text_(std::move(text)) {
    std::copy_n(text_.begin(), std::min(text_.size(), slot_.size()), slot_.begin());
}

} // namespace kivo
