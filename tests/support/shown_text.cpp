// shown_text BYTES...: for each argument, the text the window shows for a user's name stored as
// those bytes, in UTF-8 and ended by a NUL. The export tests expect exactly this text, so they
// follow the window's own rule instead of restating it.
#include "shown_fields.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    const kivo::ShownField& name = *kivo::shownFieldByControl("txtName");
    for (int i = 1; i < argc; ++i) {
        kivo::UserRecord user;
        user.Name = kivo::makeTextField<30>(argv[i]);
        const QByteArray text = QString::fromStdU16String(kivo::shownText(name, user)).toUtf8();
        std::fwrite(text.constData(), 1, std::size_t(text.size()) + 1, stdout);
    }
    return 0;
}
