#include "tandril/gui/dialog_font.h"

#include <QCoreApplication>

#include <memory>

namespace tandril::gui {

namespace {

std::unique_ptr<QFont>& SharedFont() {
    static std::unique_ptr<QFont> font;
    return font;
}

} // namespace

const QFont& DialogFont() {
    std::unique_ptr<QFont>& font = SharedFont();
    if (!font) {
        font = std::make_unique<QFont>(QStringLiteral("Arial"));
        font->setPixelSize(14);
        font->setWeight(QFont::Normal);
    }
    return *font;
}

void ReleaseDialogFont() {
    // Without the toolkit (the program has ended it) the font's data is gone with it; the process
    // is ending and the font is left to it.
    if (!QCoreApplication::instance()) {
        static_cast<void>(SharedFont().release());
        return;
    }
    SharedFont().reset();
}

} // namespace tandril::gui
