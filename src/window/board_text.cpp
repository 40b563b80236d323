#include "board_text.h"

#include "code_page.h"

namespace kivo {

QString boardText(std::string_view bytes) {
    return QString::fromStdU16String(decodeCodePage(bytes));
}

} // namespace kivo
