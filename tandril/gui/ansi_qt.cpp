#include "tandril/gui/ansi_qt.h"

#include "platform/profile_encoding.h"

namespace tandril::gui {

using plat::profile::TextEncoding;

QString FromAnsi(std::string_view text) {
    return QString::fromStdString(plat::profile::EncodeFromAnsi(TextEncoding::Utf8, text));
}

std::string ToAnsi(const QString& text) {
    return plat::profile::DecodeToAnsi(TextEncoding::Utf8, text.toStdString());
}

} // namespace tandril::gui
