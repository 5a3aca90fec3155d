#include "engine/action_file.h"

#include "platform/profile.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tavo {

int ActionCount(std::string_view actionFile, std::string_view countKey) {
    const int count = ActionInt(actionFile, "GENERAL", countKey);
    return count > 0 ? count : 0;
}

std::string ActionString(std::string_view actionFile, std::string_view section, std::string_view key) {
    return plat::ProfileString(actionFile, section, key, "");
}

int ActionInt(std::string_view actionFile, std::string_view section, std::string_view key, int defaultValue) {
    // The profile functions hand back the 32 bits of the value; negative values wrap back.
    return static_cast<int>(plat::ProfileInt(actionFile, section, key, defaultValue));
}

std::vector<int> NamedEntries(std::string_view actionFile, std::string_view section) {
    std::vector<int> numbers;
    for (const std::string& key : plat::ProfileKeys(actionFile, section)) {
        // The number is the first run of digits right after a '_': "IWPA_PNR_3" is entry 3.
        std::size_t start = 0;
        while ((start = key.find('_', start)) != std::string::npos &&
               (start + 1 >= key.size() || key[start + 1] < '0' || key[start + 1] > '9'))
            ++start;
        if (start == std::string::npos) continue;
        // A number past the largest count belongs to no entry.
        std::int64_t number = 0;
        for (std::size_t i = start + 1; i < key.size() && key[i] >= '0' && key[i] <= '9'; ++i)
            number = std::min<std::int64_t>(number * 10 + (key[i] - '0'), std::int64_t{INT_MAX} + 1);
        if (number > 0 && number <= INT_MAX) numbers.push_back(static_cast<int>(number));
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::string EntryKey(std::string_view prefix, int number, std::string_view suffix) {
    std::string key(prefix);
    key += std::to_string(number);
    key += suffix;
    return key;
}

} // namespace tavo
