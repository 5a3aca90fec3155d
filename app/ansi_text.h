#pragma once
// The system's text is bytes in the ANSI code page (cp1252); the toolkit's is Unicode.
#include <QString>

#include <string>
#include <string_view>

namespace tavo::app {

QString FromAnsi(std::string_view text);
// Characters cp1252 cannot hold become '?'.
std::string ToAnsi(const QString& text);

} // namespace tavo::app
