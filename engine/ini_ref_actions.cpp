#include "engine/ini_ref_actions.h"

#include "engine/action_file.h"
#include "engine/copy.h"
#include "engine/indexed_format.h"
#include "engine/kind_root.h"
#include "engine/package_path.h"
#include "engine/recorded_delete.h"
#include "engine/run_log.h"
#include "platform/profile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tavo {

namespace {

enum class Direction { Packup, Restore, Defaults };

struct RefKind {
    std::string_view section; // also the count key in "GENERAL"
    std::string_view prefix;  // of the entry keys: prefix + number + "_FILE" ...
    KindRoot root;            // of the referenced INI, and of the files for the relative kinds
    bool fullPaths;           // the referenced values are full paths
};

constexpr RefKind kFileWindowPathInIni{"FILE_WINDOW_PATH_IN_INI", "FWPII_", KindRoot::Windows, false};
constexpr RefKind kFileKwPathInIni{"FILE_KW_PATH_IN_INI", "FGPII_", KindRoot::ActiveProduct, false};
constexpr RefKind kFileFullpathInIni{"FILE_FULLPATH_IN_INI", "FFII_", KindRoot::Windows, true};

// Which range values a name is formatted with.
enum class Args { None, W1, W2, W1W2 };

struct Style {
    int number;
    bool twoRanges;
    bool lastFromIni; // the first range ends at a value of the referenced INI, not at RANGE_1_MAX
    Args section;
    Args key;
};

constexpr Style kStyles[] = {
    {1, false, true, Args::W1, Args::None},   {2, false, true, Args::None, Args::W1},
    {3, false, false, Args::W1, Args::None},  {4, true, false, Args::W1W2, Args::None},
    {5, false, false, Args::None, Args::W1},  {6, true, false, Args::None, Args::W1W2},
    {7, true, false, Args::W1, Args::W2},     {12, false, false, Args::None, Args::W1},
};

const Style* FindStyle(const RefKind& kind, int number) {
    // Style 12 reads the DVR's own INI and exists for full paths only.
    if (number == 12 && !kind.fullPaths) return nullptr;
    for (const Style& style : kStyles)
        if (style.number == number) return &style;
    return nullptr;
}

std::string Name(std::string_view format, Args args, int w1, int w2) {
    const int both[] = {w1, w2};
    switch (args) {
    case Args::None: return std::string(format);
    case Args::W1: return FormatIndexed(format, std::span(both, 1));
    case Args::W2: return FormatIndexed(format, std::span(both + 1, 1));
    case Args::W1W2: return FormatIndexed(format, both);
    }
    return std::string(format);
}

class EntryRunner {
  public:
    EntryRunner(const RefKind& kind, Direction direction, std::string_view actionFile,
                std::string_view packageFolder)
        : kind_(kind), direction_(direction), actionFile_(actionFile), packageFolder_(packageFolder) {}

    void Run(int number) {
        number_ = number;
        RunLog& log = CurrentRunLog();
        const std::string file = Read("_FILE");
        if (file.empty()) {
            log.Record(RunEvent::Skipped, std::string(kind_.section) + ' ' + Key("_FILE"), "empty entry");
            return;
        }
        const int styleNumber = ReadInt("_STYLE");
        const bool dvrIni = styleNumber == 12 && kind_.fullPaths;
        const std::string& iniRoot = RootFolder(dvrIni ? KindRoot::DvrInstall : kind_.root);
        const std::string& fileRoot = RootFolder(kind_.root);
        // On an empty root a name would point into whatever folder is current.
        if (iniRoot.empty() || (!kind_.fullPaths && fileRoot.empty())) {
            log.Record(RunEvent::Skipped, file, "its root folder is not known");
            return;
        }
        referencedIni_ = iniRoot + file;
        // A live list whose own restore failed in this run still names the files of before: deleting
        // those the package lacks would take files it goes on using. The package's list brings its
        // files back then, and no file is deleted.
        keepsLiveFiles_ =
            direction_ == Direction::Restore && !kind_.fullPaths && log.HasFailed(referencedIni_);
        // The same for a reset whose delete of the list failed: the list stays, and so do its files.
        if (direction_ == Direction::Defaults && log.HasFailed(referencedIni_)) {
            log.Record(RunEvent::Kept, referencedIni_, "its files are kept: the list was not reset");
            return;
        }
        if (keepsLiveFiles_) {
            const std::optional<std::string> packageIni = PackagePath(packageFolder_, file);
            if (!packageIni) return;
            log.Record(RunEvent::Skipped, referencedIni_,
                       "not restored: its files follow the package's list");
            referencedIni_ = *packageIni;
        }
        const std::string dataSection = Read("_DATA_APPNAME");
        const std::string dataKey = Read("_DATA_KEYNAME");
        const Style* style = FindStyle(kind_, styleNumber);
        if (!style) return;

        const std::int64_t first = ReadInt("_RANGE_1_BASED");
        std::int64_t last = 0;
        std::int64_t secondFirst = 0;
        if (style->lastFromIni) {
            const std::string rangeSection = Read("_RANGE_1_APPNAME");
            const std::string rangeKey = Read("_RANGE_1_KEYNAME");
            last = static_cast<std::int32_t>(plat::ProfileInt(referencedIni_, rangeSection, rangeKey, 0));
        } else {
            last = ReadInt("_RANGE_1_MAX");
            if (style->twoRanges) secondFirst = ReadInt("_RANGE_2_BASED");
        }
        // Both ranges end at the same last value; 64-bit counters so that a last value at the top of
        // the integers still ends the walk.
        for (std::int64_t w1 = first; w1 <= last; ++w1) {
            if (!style->twoRanges) {
                Handle(*style, dataSection, dataKey, static_cast<int>(w1), 0);
                continue;
            }
            for (std::int64_t w2 = secondFirst; w2 <= last; ++w2)
                Handle(*style, dataSection, dataKey, static_cast<int>(w1), static_cast<int>(w2));
        }
    }

  private:
    std::string Key(std::string_view suffix) const { return EntryKey(kind_.prefix, number_, suffix); }
    std::string Read(std::string_view suffix) const { return ActionString(actionFile_, kind_.section, Key(suffix)); }
    int ReadInt(std::string_view suffix) const { return ActionInt(actionFile_, kind_.section, Key(suffix)); }

    void Handle(const Style& style, std::string_view dataSection, std::string_view dataKey, int w1, int w2) {
        const std::string value = plat::ProfileString(referencedIni_, Name(dataSection, style.section, w1, w2),
                                                      Name(dataKey, style.key, w1, w2), "");
        if (value.empty()) return; // a gap in the list
        if (kind_.fullPaths) HandleFullPath(value);
        else HandleRelative(value);
    }

    void HandleFullPath(const std::string& value) {
        const std::optional<std::string> package = PackagePath(packageFolder_, PackageNameOfFullPath(value));
        if (!package) {
            CurrentRunLog().Record(RunEvent::Skipped, value, "no place in the package folder");
            return;
        }
        if (direction_ == Direction::Packup) CopyOneFile(value, *package, 0, 0);
        else if (direction_ == Direction::Restore) CopyOneFile(*package, value, 0, 0);
    }

    void HandleRelative(const std::string& value) {
        const std::string live = RootFolder(kind_.root) + value;
        if (direction_ == Direction::Defaults) {
            DeleteRecorded(live, "reset to defaults");
            return;
        }
        const std::optional<std::string> package = PackagePath(packageFolder_, value);
        if (!package) {
            CurrentRunLog().Record(RunEvent::Skipped, live, "no place in the package folder");
            return;
        }
        if (direction_ == Direction::Packup) CopyOneFile(live, *package, 0, 1);
        else CopyOneFile(*package, live, 0, keepsLiveFiles_ ? 0 : 1);
    }

    const RefKind& kind_;
    Direction direction_;
    std::string_view actionFile_;
    std::string_view packageFolder_;
    int number_ = 0;
    std::string referencedIni_;
    bool keepsLiveFiles_ = false;
};

void RunKind(const RefKind& kind, Direction direction, std::string_view actionFile, std::string_view packageFolder) {
    EntryRunner runner(kind, direction, actionFile, packageFolder);
    ForEachEntry(actionFile, kind.section, [&runner](int number) { runner.Run(number); });
}

} // namespace

void PackupFileWindowPathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileWindowPathInIni, Direction::Packup, actionFile, packageFolder);
}
void RestoreFileWindowPathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileWindowPathInIni, Direction::Restore, actionFile, packageFolder);
}
void DefaultsFileWindowPathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileWindowPathInIni, Direction::Defaults, actionFile, packageFolder);
}

void PackupFileKwPathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileKwPathInIni, Direction::Packup, actionFile, packageFolder);
}
void RestoreFileKwPathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileKwPathInIni, Direction::Restore, actionFile, packageFolder);
}
void DefaultsFileKwPathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileKwPathInIni, Direction::Defaults, actionFile, packageFolder);
}

void PackupFileFullpathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileFullpathInIni, Direction::Packup, actionFile, packageFolder);
}
void RestoreFileFullpathInIni(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kFileFullpathInIni, Direction::Restore, actionFile, packageFolder);
}

} // namespace tavo
