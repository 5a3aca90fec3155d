#include "tandril.h"

#include "tandril/abi_guard.h"
#include "tandril/core/skin_positions.h"
#include "tandril/gui/button_row_widgets.h"

#include <type_traits>
#include <vector>

// The suite's programs look these up under their decorated names. The linker takes an '@' in a
// name for a symbol version, so they are linked with '.' in its place and renamed in the library's
// dynamic symbols after the link (tandril/tools/decorate_exports.cpp).
extern "C" {
TANDRIL_API void GetLive(const char* skinIni, TandrilRect* rect) __asm__("_GetLive.8");
TANDRIL_API void GetAnimation(const char* skinIni, TandrilRect* rect) __asm__("_GetAnimation.8");
TANDRIL_API void GetIconDst(const char* skinIni, int panelKind, int index,
                            TandrilPoint* point) __asm__("_GetIconDst.16");
TANDRIL_API void SortButton(const TandrilWindow* buttons, int count, const int* flags, int mode, int x,
                            int y) __asm__("_SortButton.24");
}

static_assert(std::is_same_v<decltype(&GetLive), TandrilGetLive>);
static_assert(std::is_same_v<decltype(&GetAnimation), TandrilGetAnimation>);
static_assert(std::is_same_v<decltype(&GetIconDst), TandrilGetIconDst>);
static_assert(std::is_same_v<decltype(&SortButton), TandrilSortButton>);

namespace {

TandrilRect ToAbi(const tandril::SkinRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

extern "C" {

TANDRIL_API void GetLive(const char* skinIni, TandrilRect* rect) {
    if (!rect) return;
    tandril::abi::Guarded([&] { *rect = ToAbi(tandril::GetLive(skinIni ? skinIni : "")); });
}

TANDRIL_API void GetAnimation(const char* skinIni, TandrilRect* rect) {
    if (!rect) return;
    tandril::abi::Guarded([&] { *rect = ToAbi(tandril::GetAnimation(skinIni ? skinIni : "")); });
}

TANDRIL_API void GetIconDst(const char* skinIni, int panelKind, int index, TandrilPoint* point) {
    if (!point) return;
    tandril::abi::Guarded([&] {
        const tandril::SkinPoint found = tandril::GetIconDst(skinIni ? skinIni : "", panelKind, index);
        *point = {found.x, found.y};
    });
}

TANDRIL_API void SortButton(const TandrilWindow* buttons, int count, const int* flags, int mode, int x,
                            int y) {
    if (!buttons || !flags || count <= 0) return;
    tandril::abi::Guarded([&] {
        std::vector<QWidget*> widgets;
        for (int i = 0; i < count; ++i)
            widgets.push_back(static_cast<QWidget*>(buttons[i]));
        tandril::gui::SortButton(widgets, std::vector<int>(flags, flags + count), mode, x, y);
    });
}
}
