// Gives exports of a linked shared library names that hold '@' ("_GetLive@8"), which the GNU
// linkers cannot make: they read an '@' in a symbol name as the start of a symbol version. The
// library defines each such export under the same name with '.' in place of the '@'; this tool
// rewrites those names in the dynamic string table, in place, and rebuilds the symbol hash table
// that the dynamic loader looks names up in. The library must be linked with the classic hash
// table only (--hash-style=sysv): the GNU hash table orders the symbols by their hashes.
//
// Usage: decorate_exports LIBRARY NAME...   (each NAME as it is to be exported, "_GetLive@8")
#include <elf.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t ElfHash(const char* name) {
    std::uint32_t hash = 0;
    for (; *name; ++name) {
        hash = (hash << 4) + static_cast<unsigned char>(*name);
        const std::uint32_t high = hash & 0xf0000000u;
        if (high) hash ^= high >> 24;
        hash &= ~high;
    }
    return hash;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "decorate_exports: %s\n", message.c_str());
    return 1;
}

template <typename T>
bool Fits(const std::vector<char>& image, std::uint64_t offset, std::uint64_t count = 1) {
    return offset <= image.size() && count <= (image.size() - offset) / sizeof(T);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Fail("usage: decorate_exports LIBRARY NAME...");
    const std::string path = argv[1];
    std::vector<char> image;
    {
        std::ifstream in(path, std::ios::binary);
        image.assign(std::istreambuf_iterator<char>(in), {});
        if (!in && !in.eof()) return Fail("cannot read " + path);
    }
    Elf64_Ehdr header;
    if (!Fits<Elf64_Ehdr>(image, 0)) return Fail(path + " is not an ELF file");
    std::memcpy(&header, image.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_shentsize != sizeof(Elf64_Shdr) || !Fits<Elf64_Shdr>(image, header.e_shoff, header.e_shnum))
        return Fail(path + " is not a 64-bit ELF file with section headers");
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    std::memcpy(sections.data(), image.data() + header.e_shoff, sections.size() * sizeof(Elf64_Shdr));

    const Elf64_Shdr* dynsym = nullptr;
    const Elf64_Shdr* hash = nullptr;
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type == SHT_DYNSYM) dynsym = &section;
        if (section.sh_type == SHT_HASH) hash = &section;
        if (section.sh_type == SHT_GNU_HASH)
            return Fail(path + " has a GNU hash table: link with --hash-style=sysv");
    }
    if (!dynsym || !hash || dynsym->sh_link >= sections.size())
        return Fail(path + " has no dynamic symbol hash");
    const Elf64_Shdr& dynstr = sections[dynsym->sh_link];
    const std::size_t symbolCount = dynsym->sh_size / sizeof(Elf64_Sym);
    if (!Fits<Elf64_Sym>(image, dynsym->sh_offset, symbolCount) ||
        !Fits<char>(image, dynstr.sh_offset, dynstr.sh_size) ||
        !Fits<std::uint32_t>(image, hash->sh_offset, 2))
        return Fail(path + " has damaged dynamic sections");
    std::vector<Elf64_Sym> symbols(symbolCount);
    std::memcpy(symbols.data(), image.data() + dynsym->sh_offset, symbolCount * sizeof(Elf64_Sym));
    char* strings = image.data() + dynstr.sh_offset;
    auto nameOf = [&](const Elf64_Sym& symbol) -> const char* {
        if (symbol.st_name >= dynstr.sh_size ||
            !std::memchr(strings + symbol.st_name, '\0', dynstr.sh_size - symbol.st_name))
            return nullptr;
        return strings + symbol.st_name;
    };

    for (int i = 2; i < argc; ++i) {
        const std::string wanted = argv[i];
        std::string linked = wanted;
        const std::size_t at = linked.rfind('@');
        if (at == std::string::npos) return Fail("'" + wanted + "' holds no '@'");
        linked[at] = '.';
        bool done = false;
        for (const Elf64_Sym& symbol : symbols) {
            const char* name = nameOf(symbol);
            if (!name) continue;
            if (wanted == name) done = true; // renamed by an earlier run
            if (linked != name) continue;
            // The linker shares string tails between names; renaming must not touch another name.
            for (const Elf64_Sym& other : symbols)
                if (&other != &symbol && other.st_name > symbol.st_name &&
                    other.st_name < symbol.st_name + linked.size())
                    return Fail("the name of " + linked + " is shared with another symbol");
            strings[symbol.st_name + at] = '@';
            done = true;
        }
        if (!done) return Fail(path + " exports no " + linked);
    }

    // The classic hash table: bucket count and chain count, the buckets, then one chain link per symbol.
    std::uint32_t counts[2];
    std::memcpy(counts, image.data() + hash->sh_offset, sizeof counts);
    const std::uint32_t buckets = counts[0];
    if (buckets == 0 || counts[1] != symbolCount ||
        !Fits<std::uint32_t>(image, hash->sh_offset, 2ull + buckets + symbolCount))
        return Fail(path + " has a damaged symbol hash table");
    std::vector<std::uint32_t> table(2ull + buckets + symbolCount, 0);
    table[0] = buckets;
    table[1] = counts[1];
    for (std::uint32_t i = 1; i < symbolCount; ++i) {
        const char* name = nameOf(symbols[i]);
        if (!name) return Fail(path + " has a damaged dynamic symbol");
        std::uint32_t& bucket = table[2 + ElfHash(name) % buckets];
        table[2 + buckets + i] = bucket;
        bucket = i;
    }
    std::memcpy(image.data() + hash->sh_offset, table.data(), table.size() * sizeof(std::uint32_t));

    // Written beside the library and renamed over it, so that no failure leaves half a library.
    const std::string temporary = path + ".decorating";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(image.data(), static_cast<std::streamsize>(image.size()));
        if (!out.flush()) return Fail("cannot write " + temporary);
    }
    std::error_code ignored;
    std::filesystem::permissions(temporary, std::filesystem::status(path).permissions(), ignored);
    if (std::rename(temporary.c_str(), path.c_str()) != 0) return Fail("cannot replace " + path);
    return 0;
}
