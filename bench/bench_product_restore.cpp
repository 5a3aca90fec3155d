// The main job's restore against `cp -a` of the same files, on the demo package and on the demo
// package scaled up.
//
//   bench_product_restore [SCALE [REPEATS]]     defaults: scale 100, 5 runs
//
// For scale 1 (the demo package as it is) and SCALE (every file of the package's copied folders
// repeated SCALE times, on the package and on the machine), times, best of REPEATS, each after a
// sync: `tavoctl restore DVR --all` onto a fresh copy of the demo machine, and `cp -a` of the
// package's settings files and folders (what the restore copies) into a new folder, without and
// with a `sync` after it (the restore puts every file on disk before it replaces the old one), and
// `cp -a` of the same files over the machine's own, with a `sync` after it: the restore's own work
// (replacing live files) done with no care for a failure or a kill halfway.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The folders the DVR's action files copy whole; their files are the ones scaled.
const std::vector<std::string> kTrees = {"Maps", "SkinBlue", "SkinSilver"};

double Seconds(const std::string& command) {
    sync();
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Scale(const fs::path& root, int scale) {
    for (const std::string& tree : kTrees) {
        if (!fs::exists(root / tree)) continue;
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(root / tree))
            if (entry.is_regular_file()) files.push_back(entry.path());
        for (const fs::path& file : files)
            for (int i = 1; i < scale; ++i)
                fs::copy_file(file, file.parent_path() / (file.stem().string() + "_" + std::to_string(i) +
                                                          file.extension().string()));
    }
}

std::size_t FileCount(const fs::path& root) {
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

void Measure(const fs::path& work, int scale, int repeats) {
    const fs::path package = work / ("package" + std::to_string(scale));
    fs::copy(DEMO_PACKAGE, package, fs::copy_options::recursive);
    Scale(package, scale);
    // What the restore copies: the package without the program, its catalogue and action files.
    std::string sources;
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(package)) {
        const std::string name = entry.path().filename().string();
        if (name == "tavoctl" || name == "Tavo" || name == "Src" || name == "Action" || name == "Skin" ||
            name == "AutoRun.inf" || name == "Tavo.ini")
            continue;
        sources += " '" + entry.path().string() + "'";
        files += entry.is_regular_file() ? 1 : FileCount(entry.path());
    }

    double restore = std::numeric_limits<double>::max();
    double copy = std::numeric_limits<double>::max();
    double synced = std::numeric_limits<double>::max();
    double over = std::numeric_limits<double>::max();
    for (int run = 0; run < repeats; ++run) {
        const fs::path machine = work / ("machine" + std::to_string(scale) + "_" + std::to_string(run));
        fs::copy(DEMO_MACHINE, machine, fs::copy_options::recursive);
        Scale(machine / "drive_c" / "DVR", scale);
        restore = std::min(restore, Seconds(std::string(TAVOCTL) + " restore DVR --all --yes --package '" +
                                            package.string() + "' --prefix '" + machine.string() +
                                            "' >/dev/null 2>&1"));
        const fs::path target = work / ("copy" + std::to_string(scale) + "_" + std::to_string(run));
        fs::create_directories(target);
        copy = std::min(copy, Seconds("cp -a" + sources + " '" + target.string() + "'"));
        const fs::path second = target.string() + "s";
        fs::create_directories(second);
        synced = std::min(synced, Seconds("cp -a" + sources + " '" + second.string() + "' && sync"));
        // The same files over a fresh copy of the machine, where the restore puts them.
        const fs::path live = work / ("live" + std::to_string(scale) + "_" + std::to_string(run));
        fs::copy(DEMO_MACHINE, live, fs::copy_options::recursive);
        Scale(live / "drive_c" / "DVR", scale);
        over = std::min(
            over, Seconds("cp -a" + sources + " '" + (live / "drive_c" / "DVR").string() + "' && sync"));
    }
    std::printf("scale %3d: %5zu files  tavoctl restore %8.2f ms  cp -a %8.2f ms (ratio %.2f)  "
                "cp -a + sync %8.2f ms (ratio %.2f)  cp -a over the machine + sync %8.2f ms (ratio %.2f)\n",
                scale, files, restore * 1000, copy * 1000, restore / copy, synced * 1000, restore / synced,
                over * 1000, restore / over);
}

} // namespace

int main(int argc, char** argv) {
    const int scale = argc > 1 ? std::atoi(argv[1]) : 100;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    std::string pattern = (fs::temp_directory_path() / "tavo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const fs::path work = pattern;
    Measure(work, 1, repeats);
    Measure(work, scale, repeats);
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
