#pragma once
// Reading an action file: the entry counts of section "GENERAL" and the values of the entries, and
// the loop every action kind runs over its entries.
#include "engine/progress.h"
#include "engine/run_log.h"

#include <vector>

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
int ActionInt(std::string_view actionFile, std::string_view section, std::string_view key,
              int defaultValue = 0);

// The key of entry `number`: prefix, number, suffix ("IEPA_" 3 → "IEPA_3"; "FFII_" 2 "_FILE" →
// "FFII_2_FILE").
std::string EntryKey(std::string_view prefix, int number, std::string_view suffix = {});

// The entry numbers the keys of a section name, ascending and each once: the first digits that
// follow a '_' in a key ("IWPA_12" 12, "RTS_3_MAIN_KEY" 3, "IWPA_PNR_4" 4).
std::vector<int> NamedEntries(std::string_view actionFile, std::string_view section);

// Runs `handle(number)` for every entry of a kind, from 1 to its count inclusive, after one progress
// step for it. An entry no key of the section names has nothing to do: it is only stepped, and
// the entries past the last named one are recorded as one skip, so that a count of billions
// written by mistake cannot keep a run going for hours.
template <typename Handle>
void ForEachEntry(std::string_view actionFile, std::string_view countKey, Handle&& handle) {
    const int count = ActionCount(actionFile, countKey);
    int done = 0;
    for (const int number : NamedEntries(actionFile, countKey)) {
        if (number > count) break;
        StepProgress(number - 1 - done);
        StepProgress();
        handle(number);
        done = number;
    }
    if (done == count) return;
    StepProgress(count - done);
    CurrentRunLog().Record(RunEvent::Skipped, std::string(actionFile),
                           std::string(countKey) + " entries " + std::to_string(done + 1) + " to " +
                               std::to_string(count) + " are not in the action file");
}

} // namespace tavo
