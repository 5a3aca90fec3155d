#include "cli/reg_command.h"

#include "cli/exit_status.h"
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/reg_file_writer.h"
#include "platform/host_io.h"
#include "platform/paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace tavo::cli {

namespace {

// A registry text file larger than this is not read into memory; no real one comes near it.
constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

int Report(const TerminalStreams& streams, int status, const std::string& reason) {
    std::fprintf(streams.err, "tavoctl: %s\n", reason.c_str());
    std::fflush(streams.err);
    return status;
}

std::optional<std::string> ReadHostFile(const std::string& path, std::string& error) {
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code) {
        error = path + ": " + code.message();
        return std::nullopt;
    }
    if (size > kMaxFileSize) {
        error = path + ": over 64 MB, not a registry text file";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    return text;
}

int Export(const RegOptions& options, const TerminalStreams& streams) {
    std::string error;
    const std::optional<KeyPath> key = ParseKeyPath(options.key, &error);
    if (!key) return Report(streams, kExitBadCommand, options.key + ": " + error);
    const RegFileExport exported = WriteRegFile(key->root, key->subKey);
    if (exported.error == 2) return Report(streams, kExitNotRun, exported.where + ": no such key");
    if (exported.error != 0)
        return Report(streams, kExitNotRun,
                      exported.where + ": cannot be exported, error " + std::to_string(exported.error));
    if (options.file.empty()) {
        std::fwrite(exported.text.data(), 1, exported.text.size(), streams.out);
        std::fflush(streams.out);
        return kExitDone;
    }
    // Whole or not at all: a full disk leaves the file that was there, never half an export.
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::absolute(options.file, ec);
    if (ec || !plat::host::WriteAtomic(file.string(), exported.text))
        return Report(streams, kExitNotRun, options.file + ": cannot be written");
    return kExitDone;
}

int Import(const RegOptions& options, const TerminalStreams& streams) {
    std::string error;
    const std::optional<std::string> text = ReadHostFile(options.file, error);
    if (!text) return Report(streams, kExitNotRun, error);
    const RegFileParse parsed = ParseRegFile(*text);
    if (parsed.errorLine != 0)
        return Report(streams, kExitNotRun,
                      options.file + ": line " + std::to_string(parsed.errorLine) + ": " + parsed.error);
    const RegFileImport imported = ImportRegFile(parsed);
    if (imported.error != 0)
        return Report(streams, kExitNotRun,
                      imported.where + ": cannot be written, error " + std::to_string(imported.error));
    return kExitDone;
}

} // namespace

RegCommandSet AddRegCommands(CLI::App& app, RegOptions& options) {
    RegCommandSet set;
    set.reg = app.add_subcommand("reg", "See and seed the machine's registry as registry editor text files");
    set.reg->require_subcommand(1);
    set.exportKey = set.reg->add_subcommand("export", "Write a key with its whole tree as registry text");
    set.exportKey->add_option("KEY", options.key, "The key, e.g. HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor")
        ->required();
    set.exportKey->add_option("FILE", options.file, "The host file to write; default: stdout");
    set.import = set.reg->add_subcommand("import", "Read a registry text file into the registry");
    set.import->add_option("FILE", options.file, "The host file to read")->required();
    for (CLI::App* command : {set.exportKey, set.import})
        command
            ->add_option(
                "--prefix", options.prefix,
                "Host folder of the machine to work on (default: TAVO_PREFIX, else ~/.local/share/tavo)")
            ->type_name("DIR");
    return set;
}

int RunRegCommand(const RegCommandSet& commands, const RegOptions& options, const TerminalStreams& streams) {
    if (!options.prefix.empty()) plat::SetPrefixFolder(options.prefix);
    return commands.exportKey->parsed() ? Export(options, streams) : Import(options, streams);
}

} // namespace tavo::cli
