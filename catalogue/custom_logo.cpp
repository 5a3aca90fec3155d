#include "catalogue/custom_logo.h"

#include "catalogue/logo_file_check.h"
#include "engine/drivers.h"
#include "engine/utilities.h"
#include "platform/operator.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/system.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tavo {

namespace {

constexpr std::string_view kRowSection = "Logo_File";
constexpr std::string_view kHeaderSection = "Logo_List_Header";
constexpr std::string_view kBitmapFilter = "24-bit BMP File (*.BMP)|*.BMP||";
constexpr std::array<double, CustomLogo::kMaxColumns> kColumnShares{0.30, 0.62, 0.05};

std::string Text(std::string_view section, std::string_view key) {
    std::string text;
    int unused = 0;
    ReadSettingValue(section, key, kValueString, text, unused, 0);
    return text;
}

std::string NumberedText(std::string_view section, std::string_view key, int number) {
    return Text(section, std::string(key) + std::to_string(number));
}

// "Item_Count" of a section, within 0 and the number the dialog has room for.
int Count(std::string_view section, int most) {
    std::string unused;
    int count = 0;
    ReadSettingValue(section, "Item_Count", kValueInteger, unused, count, 0);
    return std::clamp(count, 0, most);
}

// The prompt opens in the folder of the path the row shows, when it names one.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

void CustomLogo::Open() {
    title_ = Text(kHeaderSection, "Text_Title_Dialog_Logo");
    okText_ = Text(kHeaderSection, "Text_BTN_OK");
    cancelText_ = Text(kHeaderSection, "Text_BTN_CANCEL");

    columns_.clear();
    const int columnCount = Count(kHeaderSection, kMaxColumns);
    for (int k = 0; k < columnCount; ++k)
        columns_.push_back({NumberedText(kHeaderSection, "Text_String_HEADER_", k + 1),
                            kColumnShares[static_cast<std::size_t>(k)]});

    rows_.clear();
    const int rowCount = Count(kRowSection, kMaxRows);
    const std::string& dvrFolder = ReloadDvrInstallFolder();
    for (int n = 1; n <= rowCount; ++n) {
        const LogoRowFormat& format = kLogoRows[static_cast<std::size_t>(n - 1)];
        Row row{NumberedText(kRowSection, "Text_String_BMP_TITLE_", n),
                NumberedText(kRowSection, "Text_String_FILE_WARNING_", n),
                NumberedText(kRowSection, "Text_String_BMP_FILE_", n),
                plat::ProfileString(kLogoIni, kLogoSection, format.key, ""), false};
        if (row.path.empty()) row.path = DefaultLogoPath(dvrFolder, format.defaultFile);
        rows_.push_back(std::move(row));
    }
}

bool CustomLogo::ChooseFile(int row, plat::Operator& op) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
    Row& chosen = rows_[static_cast<std::size_t>(row)];
    const std::optional<std::string> file =
        op.PromptFile(chosen.fileTitle, FolderOf(chosen.path), kBitmapFilter);
    if (!file) return false;
    switch (CheckLogoFile(*file, kLogoRows[static_cast<std::size_t>(row)])) {
    case LogoFileCheck::Unreadable:
        plat::DebugTrace("custom logo: " + *file + " cannot be opened\n");
        return false;
    case LogoFileCheck::Refused:
        op.ShowMessage(chosen.warning, "", plat::MessageIcon::None, plat::MessageButtons::Ok);
        return false;
    case LogoFileCheck::Accepted: break;
    }
    chosen.path = *file;
    chosen.changed = true;
    return true;
}

bool CustomLogo::Save(plat::Operator& op) {
    bool stored = true;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        Row& row = rows_[i];
        if (!row.changed) continue;
        if (plat::WriteProfileString(kLogoIni, kLogoSection, kLogoRows[i].key, row.path)) {
            row.changed = false;
        } else {
            stored = false;
        }
    }
    if (!stored)
        op.ShowMessage(plat::WindowsFolder() + "\\" + std::string(kLogoIni) + " write failed!", "",
                       plat::MessageIcon::Exclamation, plat::MessageButtons::Ok);
    return stored;
}

} // namespace tavo
