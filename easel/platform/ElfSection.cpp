// The section reader behind the Linux loader: only the ELF header and the section headers are
// read, and no offset from the file is used before it is checked against the file's size.
#include <cstring>

#include "platform/ModuleLoader.h"

namespace easel {
namespace {

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    // Little-endian integers at `offset`; ModuleError past the end.
    uint64_t U(uint64_t offset, size_t width, const char* what) const {
        if (offset > bytes_.size() || width > bytes_.size() - offset)
            throw ModuleError(std::string("truncated ELF file (") + what + " lies past its end)");
        uint64_t v = 0;
        for (size_t i = 0; i < width; ++i) v |= uint64_t{bytes_[static_cast<size_t>(offset + i)]} << (8 * i);  // within, checked above
        return v;
    }
    bool Holds(uint64_t offset, uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    std::span<const uint8_t> Bytes() const { return bytes_; }

private:
    std::span<const uint8_t> bytes_;
};

struct SectionHeader {
    uint32_t name;
    uint32_t type;
    uint64_t offset;
    uint64_t size;
    uint32_t link;
};

constexpr uint32_t kNoBits = 8;        // SHT_NOBITS: occupies no bytes of the file
constexpr uint16_t kExtendedIndex = 0xFFFF;  // SHN_XINDEX

}  // namespace

std::vector<uint8_t> ElfSection(std::span<const uint8_t> file, std::string_view name) {
    const Reader r(file);
    if (file.size() < 64 || std::memcmp(file.data(), "\x7f" "ELF", 4) != 0)
        throw ModuleError("not an ELF file");
    if (file[4] != 2 || file[5] != 1) throw ModuleError("not a 64-bit little-endian ELF file");

    const uint64_t shoff = r.U(0x28, 8, "the section header offset");
    const uint64_t entsize = r.U(0x3A, 2, "the section header size");
    uint64_t count = r.U(0x3C, 2, "the section count");
    uint64_t strndx = r.U(0x3E, 2, "the section name table index");
    if (shoff == 0) throw ModuleError("ELF file without section headers");
    if (entsize < 64) throw ModuleError("ELF section headers of an unknown size");

    auto header = [&](uint64_t i) {
        // i < count and count * entsize is checked below, so this cannot overflow.
        const uint64_t at = shoff + i * entsize;
        return SectionHeader{static_cast<uint32_t>(r.U(at, 4, "a section header")),
                             static_cast<uint32_t>(r.U(at + 4, 4, "a section header")),
                             r.U(at + 0x18, 8, "a section header"), r.U(at + 0x20, 8, "a section header"),
                             static_cast<uint32_t>(r.U(at + 0x28, 4, "a section header"))};
    };
    if (!r.Holds(shoff, entsize)) throw ModuleError("truncated ELF file (section headers lie past its end)");
    // More than 0xFF00 sections: the true count and name table index sit in section 0.
    if (count == 0) count = header(0).size;
    if (strndx == kExtendedIndex) strndx = header(0).link;
    if (count == 0 || count > file.size() / entsize || !r.Holds(shoff, count * entsize))
        throw ModuleError("truncated ELF file (section headers lie past its end)");
    if (strndx >= count) throw ModuleError("ELF section name table index out of range");

    const SectionHeader names = header(strndx);
    if (names.type == kNoBits || !r.Holds(names.offset, names.size))
        throw ModuleError("ELF section name table lies past the file's end");
    // Held by the file, so both fit in size_t.
    const auto table = file.subspan(static_cast<size_t>(names.offset), static_cast<size_t>(names.size));

    for (uint64_t i = 0; i < count; ++i) {
        const SectionHeader h = header(i);
        if (h.name >= table.size()) continue;
        const auto rest = table.subspan(h.name);
        const size_t length = name.size();
        if (rest.size() <= length || std::memcmp(rest.data(), name.data(), length) != 0 || rest[length] != 0)
            continue;
        if (h.type == kNoBits || !r.Holds(h.offset, h.size))
            throw ModuleError("section " + std::string(name) + " lies past the file's end");
        const auto data = file.subspan(static_cast<size_t>(h.offset), static_cast<size_t>(h.size));
        return {data.begin(), data.end()};
    }
    throw ModuleError("no section " + std::string(name));
}

std::vector<std::string> ElfExportedSymbols(std::span<const uint8_t> file) {
    const std::vector<uint8_t> symbols = ElfSection(file, ".dynsym");
    const std::vector<uint8_t> names = ElfSection(file, ".dynstr");
    constexpr size_t kEntry = 24;  // Elf64_Sym
    constexpr uint8_t kLocal = 0, kSectionSymbol = 3, kFileSymbol = 4;
    constexpr uint8_t kHidden = 2, kInternal = 1;
    std::vector<std::string> exported;
    const Reader r(symbols);
    for (size_t at = kEntry; at + kEntry <= symbols.size(); at += kEntry) {  // entry 0 is null
        const auto name = static_cast<size_t>(r.U(at, 4, "a symbol"));
        const auto info = static_cast<uint8_t>(r.U(at + 4, 1, "a symbol"));
        const auto visibility = static_cast<uint8_t>(r.U(at + 5, 1, "a symbol") & 3);
        const auto section = static_cast<uint16_t>(r.U(at + 6, 2, "a symbol"));
        const uint8_t binding = info >> 4, type = info & 0xF;
        if (section == 0 || binding == kLocal || type == kSectionSymbol || type == kFileSymbol ||
            visibility == kHidden || visibility == kInternal)
            continue;
        if (name >= names.size()) throw ModuleError("ELF symbol name lies past its table");
        const auto* start = reinterpret_cast<const char*>(names.data() + name);
        exported.emplace_back(start, strnlen(start, names.size() - name));
    }
    return exported;
}

}  // namespace easel
