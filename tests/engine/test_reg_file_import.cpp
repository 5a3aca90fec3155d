// Importing a registry text file stores each value with exactly the bytes the file gives.
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "registry_engine_fixture.h"

#include <string>

namespace tavo::test {
namespace {

using namespace std::string_literals;

class RegFileImportTest : public RegistryEngineTest {};

TEST_F(RegFileImportTest, StringValuesKeepTheirBytesWithOrWithoutATerminator) {
    // The registry adds a missing terminator when the byte after a string's data is a NUL; the
    // file's bytes are the value's bytes all the same.
    const RegFileParse parsed = ParseRegFile("Windows Registry Editor Version 5.00\r\n"
                                             "[HKEY_CURRENT_USER\\Software\\T]\r\n"
                                             "\"multi\"=hex(7):44\r\n"
                                             "\"text\"=hex(1):41,42\r\n"
                                             "\"expand\"=hex(2):25,00\r\n"
                                             "\"quoted\"=\"q\"\r\n");
    ASSERT_EQ(parsed.errorLine, 0u) << parsed.error;
    ASSERT_EQ(ImportRegFile(parsed).error, 0);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {{"multi", "D"}, {"text", "AB"}, {"expand", "%\0"s}, {"quoted", "q\0"s}};
    for (const auto& c : cases)
        EXPECT_EQ(Value("Software\\T", c.name, nullptr, plat::kHkeyCurrentUser), c.bytes) << c.name;
}

} // namespace
} // namespace tavo::test
