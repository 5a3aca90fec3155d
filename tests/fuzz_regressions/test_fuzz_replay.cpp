// Every kept input of a fuzz target, run through the target's entry function. An entry aborts on a
// failed property, with the property on stderr and the input named just before it.
#include "fuzz/entries/fuzz_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    int (*entry)(const std::uint8_t*, std::size_t);
};

// Names the target in the test's listing.
void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

std::string TargetName(const ::testing::TestParamInfo<Target>& target) {
    return target.param.name;
}

std::vector<fs::path> InputsOf(const char* target) {
    std::vector<fs::path> inputs;
    for (const fs::path& folder : {fs::path(FUZZ_SEEDS) / target, fs::path(FUZZ_REGRESSIONS) / target}) {
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, KeptInputsHoldTheTargetsProperties) {
    const std::vector<fs::path> inputs = InputsOf(GetParam().name);
    ASSERT_FALSE(inputs.empty()) << "no seed inputs for " << GetParam().name;
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s\n", input.filename().c_str());
        EXPECT_EQ(GetParam().entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         ::testing::Values(Target{"profile", tavo::fuzz::FuzzProfile},
                                           Target{"action_file", tavo::fuzz::FuzzActionFile},
                                           Target{"catalogue", tavo::fuzz::FuzzCatalogue},
                                           Target{"hive", tavo::fuzz::FuzzHive},
                                           Target{"reg_file", tavo::fuzz::FuzzRegFile}),
                         TargetName);

} // namespace
