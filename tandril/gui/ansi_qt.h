#pragma once
// The library's text is cp1252 bytes, as the profile functions return it; the toolkit's is Unicode.
#include <QString>

#include <string>
#include <string_view>

namespace tandril::gui {

QString FromAnsi(std::string_view text);
// Characters cp1252 cannot hold become '?'.
std::string ToAnsi(const QString& text);

} // namespace tandril::gui
