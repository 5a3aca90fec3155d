// The engine's folder kind against `cp -a` on the same tree, and the walk of a two-range style.
//
//   bench_engine_tree [FILES [MEGABYTES [REPEATS]]]     defaults: 10000 files, 200 MB, 3 runs
//
// Builds a tree of FILES files (MEGABYTES in all, in 10 x 10 folders) in a fresh machine prefix
// in the temporary folder, then times, best of REPEATS, each after a sync:
//   packup:  `cp -a` of the live tree to a new folder, and RunPackupRestore (packup) of an action
//            file with one ALL_FILE_IN_KW_PATH entry into an empty package folder;
//   restore: `cp -a` of the package tree to a new folder, and the restore of the same action file
//            onto a machine whose live tree is gone;
//   restore over the live tree: `cp -a` onto the existing copy, and the restore onto the existing
//            live tree (each replaced file is on disk before it replaces the old one); and `cp -a`
//            onto the existing copy followed by a `sync`, the same replacing without that care;
// and the walk of a style 4 entry over 100 x 100 sections of one referenced INI.
//
// The trees a run replaces are moved aside, not deleted, until the end: ext4 passes over inodes freed
// in the last minute when it allocates new ones, so a run that follows the deletion of 10,000 files
// spends most of its time in the allocator, by an amount that depends on where the deleted inodes
// lie rather than on the copy.
#include "engine/drivers.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/run_log.h"
#include "platform/paths.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class BenchPrefix {
  public:
    BenchPrefix() {
        std::string pattern = (fs::temp_directory_path() / "tavo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        host_ = pattern;
        plat::SetPrefixFolder(host_);
    }
    ~BenchPrefix() {
        std::error_code ec;
        fs::remove_all(host_, ec);
    }
    BenchPrefix(const BenchPrefix&) = delete;
    BenchPrefix& operator=(const BenchPrefix&) = delete;
    std::string Drive(const std::string& rest) const { return host_ + "/drive_c/" + rest; }
    // Moves `path` out of the way, into a folder of the prefix outside the machine's drives.
    void MoveAside(const std::string& path) {
        if (!fs::exists(path)) return;
        fs::create_directories(host_ + "/aside");
        fs::rename(path, host_ + "/aside/" + std::to_string(aside_++));
    }

  private:
    std::string host_;
    int aside_ = 0;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct Pair {
    double cp = std::numeric_limits<double>::max();
    double engine = std::numeric_limits<double>::max();
};

double Timed(const std::function<void()>& prepare, const std::function<void()>& run) {
    prepare();
    ::sync();
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The best of `repeats` runs of each, `cp -a` and the engine taking turns so that both see the same
// state of the disk; each run after its `prepare` and a sync (untimed).
Pair Best(int repeats, const std::function<void()>& prepareCp, const std::function<void()>& runCp,
          const std::function<void()>& prepareEngine, const std::function<void()>& runEngine) {
    Pair best;
    for (int i = 0; i < repeats; ++i) {
        best.cp = std::min(best.cp, Timed(prepareCp, runCp));
        best.engine = std::min(best.engine, Timed(prepareEngine, runEngine));
    }
    return best;
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

void RunOrExit(int direction) {
    tavo::CurrentRunLog().Clear();
    const int result = tavo::RunPackupRestore("C:\\Prog\\Tree.ini", "", direction, tavo::kProductDvr);
    if (result != 1 || tavo::CurrentRunLog().Count(tavo::RunEvent::Failed) != 0) {
        std::fprintf(stderr, "the engine run failed\n");
        std::exit(1);
    }
}

void Report(const char* what, const Pair& pair) {
    std::printf("%-28s cp -a %8.3f s   engine %8.3f s   ratio %5.2f\n", what, pair.cp, pair.engine,
                pair.engine / pair.cp);
}

} // namespace

int main(int argc, char** argv) {
    const long files = argc > 1 ? std::atol(argv[1]) : 10000;
    const long megabytes = argc > 2 ? std::atol(argv[2]) : 200;
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 3;
    if (files < 1 || megabytes < 0 || repeats < 1) {
        std::fprintf(stderr, "usage: %s [FILES [MEGABYTES [REPEATS]]]\n", argv[0]);
        return 2;
    }
    BenchPrefix prefix;
    tavo::PathRoots& roots = tavo::Roots();
    roots.programFolder = "C:\\Prog\\";
    roots.windowsFolder = "C:\\WINDOWS\\";
    tavo::InstallFolder(tavo::kProductDvr) = "C:\\DVR\\";
    roots.packageFolder = "C:\\Pkg\\";

    // The tree: 10 x 10 folders, files of varied sizes that add up to the total.
    const std::size_t average = static_cast<std::size_t>(megabytes) * 1024 * 1024 / static_cast<std::size_t>(files);
    std::string block(2 * average + 1, '\0');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::string live = prefix.Drive("DVR/Data");
    for (long i = 0; i < files; ++i) {
        const std::size_t size = average / 2 + static_cast<std::size_t>(i * 7919) % (average + 1);
        const std::string folder = "F" + std::to_string(i % 10) + "/G" + std::to_string(i / 10 % 10);
        WriteFile(live + "/" + folder + "/file" + std::to_string(i) + ".dat", block.substr(i % 97, size));
    }
    WriteFile(prefix.Drive("Prog/Tree.ini"), "[GENERAL]\nALL_FILE_IN_KW_PATH=1\n[ALL_FILE_IN_KW_PATH]\nAFIGP_1=Data\\\n");
    std::printf("tree: %ld files, %ld MB, best of %d\n", files, megabytes, repeats);

    const std::string package = prefix.Drive("Pkg");
    const std::string cpCopy = prefix.Drive("CpCopy");
    const auto moveAside = [&prefix](const std::string& path) { return [&prefix, path] { prefix.MoveAside(path); }; };

    const auto nothing = [] {};
    const Pair packup = Best(
        repeats, moveAside(cpCopy), [&] { Shell("cp -a " + Quoted(live) + " " + Quoted(cpCopy)); }, moveAside(package),
        [] { RunOrExit(1); });
    Report("packup", packup);

    // Restore onto a machine without the live tree: the live tree moves aside for the runs.
    const std::string kept = prefix.Drive("LiveKept");
    fs::rename(live, kept);
    const Pair restore = Best(
        repeats, moveAside(cpCopy), [&] { Shell("cp -a " + Quoted(package + "/Data") + " " + Quoted(cpCopy)); },
        moveAside(live), [] { RunOrExit(0); });
    Report("restore", restore);

    // Restore over the live tree: every file is replaced.
    const std::string overCp = "cp -a " + Quoted(package + "/Data/.") + " " + Quoted(cpCopy);
    const Pair over = Best(repeats, nothing, [&] { Shell(overCp); }, nothing, [] { RunOrExit(0); });
    Report("restore over the live tree", over);
    const Pair overSynced = Best(repeats, nothing, [&] { Shell(overCp + " && sync"); }, nothing, nothing);
    std::printf("%-28s cp -a + sync %8.3f s                 ratio %5.2f\n", "", overSynced.cp,
                over.engine / overSynced.cp);

    // Style 4 over 100 x 100: one profile read per combination.
    std::string list;
    for (int a = 1; a <= 100; ++a)
        for (int b = 1; b <= 100; ++b) list += "[Cam" + std::to_string(a) + "_" + std::to_string(b) + "]\nFile=\n";
    WriteFile(prefix.Drive("DVR/Cams.ini"), list);
    WriteFile(prefix.Drive("Prog/Tree.ini"),
              "[GENERAL]\nFILE_KW_PATH_IN_INI=1\n[FILE_KW_PATH_IN_INI]\nFGPII_1_FILE=Cams.ini\nFGPII_1_STYLE=4\n"
              "FGPII_1_DATA_APPNAME=Cam%d_%d\nFGPII_1_DATA_KEYNAME=File\nFGPII_1_RANGE_1_BASED=1\n"
              "FGPII_1_RANGE_1_MAX=100\nFGPII_1_RANGE_2_BASED=1\n");
    const double walk = Best(repeats, nothing, nothing, nothing, [] { RunOrExit(1); }).engine;
    std::printf("%-28s %8.3f s for 10000 reads (%.2f us a read)\n", "style 4 walk, 100 x 100", walk, walk * 100);
    return 0;
}
