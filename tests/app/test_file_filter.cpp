#include "app/file_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tavo::app::FileDialogFilters;
using Filters = std::vector<std::string>;

TEST(FileFilter, WindowsFilterBecomesOneEntryPerPair) {
    EXPECT_EQ(FileDialogFilters("Programs (*.exe)|*.exe||"), Filters{"Programs (*.exe)"});
    EXPECT_EQ(FileDialogFilters("Settings|*.ini;*.inf|All files (*.*)|*.*||"),
              (Filters{"Settings (*.ini *.inf)", "All files (*)"}));
    // The patterns the filter really uses win over what its description claims.
    EXPECT_EQ(FileDialogFilters("Pictures (*.bmp)|*.bmp; *.jpg|"), Filters{"Pictures (*.bmp *.jpg)"});
}

TEST(FileFilter, EmptyOrUnclosedFiltersStillMakeSense) {
    EXPECT_TRUE(FileDialogFilters("").empty());
    EXPECT_TRUE(FileDialogFilters("||").empty());
    EXPECT_EQ(FileDialogFilters("Programs (*.exe)|*.exe"), Filters{"Programs (*.exe)"});
    EXPECT_EQ(FileDialogFilters("Anything|"), Filters{"Anything (*)"});
}

} // namespace
