#pragma once
// Selection codes, as the export file stores an item's state, and the four check images the
// selection trees draw.
#include <string_view>

namespace tavo {

enum SelectionCode : int {
    kCodeUnchecked = 1,         // "_SELECT_UNCHECK_"
    kCodeChecked = 2,           // "_SELECT_CHECK_"
    kCodeDisabledUnchecked = 4, // "_SELECT_DISABLE_UNCHECK_"
    kCodeDisabledChecked = 8,   // "_SELECT_DISABLE_CHECK_"
    // Used only by the relationship groups to set a member's own image.
    kCodeGroupCleared = 5,  // greyed and empty
    kCodeGroupSelected = 6, // selected and clickable
};

enum CheckImage : int {
    kImageUnchecked = 0,     // empty white box
    kImageChecked = 1,       // white box with a check mark
    kImageGreyed = 2,        // empty grey box: a click on it selects nothing
    kImageGreyedChecked = 3, // grey box with a check mark: its own mark cannot be changed
};

// The code of a catalogue keyword (exact spelling); 0 for any other text.
int SelectionCodeFromKeyword(std::string_view keyword);

// The image an item loads with: 1 and 4 give the greyed empty box, 2 the check mark, 8 the greyed
// check mark. Any other code also gives the greyed empty box: nothing says such an item holds a
// package, so it must not be selectable.
int ImageForSelectionCode(int code);

} // namespace tavo
