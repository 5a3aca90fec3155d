#pragma once
// Reading an action file: the entry counts of section "GENERAL" and the values of the entries, and
// the loop every action kind runs over its entries.
#include "engine/progress.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// The number of entries of a kind: the integer under its count key in "GENERAL". A missing key, or
// a count below 1, gives 0.
int ActionCount(std::string_view actionFile, std::string_view countKey);

// A string of the action file, read whole; empty when the key is missing.
std::string ActionString(std::string_view actionFile, std::string_view section, std::string_view key);
// An integer of the action file (profile-integer rule); `defaultValue` when the key is missing.
int ActionInt(std::string_view actionFile, std::string_view section, std::string_view key, int defaultValue = 0);

// The key of entry `number`: prefix, number, suffix ("IEPA_" 3 → "IEPA_3"; "FFII_" 2 "_FILE" →
// "FFII_2_FILE").
std::string EntryKey(std::string_view prefix, int number, std::string_view suffix = {});

// Runs `handle(number)` for every entry of a kind, from 1 to its count inclusive, after one progress
// step for it: entries whose keys are missing are stepped too.
template <typename Handle>
void ForEachEntry(std::string_view actionFile, std::string_view countKey, Handle&& handle) {
    const int count = ActionCount(actionFile, countKey);
    for (std::int64_t number = 1; number <= count; ++number) {
        StepProgress();
        handle(static_cast<int>(number));
    }
}

} // namespace tavo
