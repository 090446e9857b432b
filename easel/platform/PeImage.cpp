// The PE/COFF reader: only the headers, the section table and the export tables are read, and no
// offset, RVA or count from the file is used before it is checked against the file.
//
// What is read (little-endian; an RVA is an address relative to the loaded image's base):
//   0x00 "MZ"; 0x3C e_lfanew (u32), the file offset of "PE\0\0", which the COFF header follows.
//   COFF header, 20 bytes: +0 Machine u16, +2 NumberOfSections u16, +16 SizeOfOptionalHeader
//     u16. The optional header follows, then the section table.
//   Optional header: +0 Magic u16 (0x10B PE32, 0x20B PE32+); NumberOfRvaAndSizes u32 at +92
//     (PE32+: +108), then that many data directories of 8 bytes (RVA u32, size u32); the first
//     is the export directory.
//   Section header, 40 bytes: +8 VirtualSize, +12 VirtualAddress (RVA), +16 SizeOfRawData,
//     +20 PointerToRawData (file offset), all u32.
//   Export directory, 40 bytes: +20 address table entries, +24 name count, +28 address table
//     RVA (u32 entries), +32 name pointer table RVA (u32 RVAs of NUL-terminated names), +36
//     ordinal table RVA (u16 per name: its index into the address table).
#include "platform/PeImage.h"

#include <algorithm>
#include <cstring>

namespace easel {
namespace {

constexpr uint32_t kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr uint64_t kCoffHeader = 20, kSectionHeader = 40, kExportDirectory = 40;

[[noreturn]] void Truncated(const std::string& what) {
    throw ModuleError("is a truncated Windows module (" + what + " lies past its end)");
}
[[noreturn]] void Corrupt(const std::string& what) {
    throw ModuleError("is a corrupt Windows module (" + what + ")");
}

bool Holds(std::span<const uint8_t> bytes, uint64_t offset, uint64_t size) {
    return offset <= bytes.size() && size <= bytes.size() - offset;
}

// The little-endian integer of `width` bytes at `offset`; "truncated" naming `what` past the end.
uint32_t U(std::span<const uint8_t> bytes, uint64_t offset, size_t width, const char* what) {
    if (!Holds(bytes, offset, width)) Truncated(what);
    uint32_t v = 0;
    for (size_t i = 0; i < width; ++i) v |= uint32_t{bytes[static_cast<size_t>(offset) + i]} << (8 * i);
    return v;
}

// Why `file` is not a PE image, or null with `at` set to the offset of its "PE\0\0".
const char* WhyNotPe(std::span<const uint8_t> file, uint64_t& at) {
    if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') return "is not a Windows module (no MZ header)";
    at = U(file, 0x3C, 4, "e_lfanew");
    if (!Holds(file, at, 4) || std::memcmp(file.data() + at, "PE\0\0", 4) != 0)
        return "is not a Windows module (no PE signature)";
    return nullptr;
}

// The file offset of the COFF header, which must lie whole in the file.
uint64_t CoffHeader(std::span<const uint8_t> file) {
    uint64_t at = 0;
    if (const char* why = WhyNotPe(file, at)) throw ModuleError(why);
    if (!Holds(file, at + 4, kCoffHeader)) Truncated("the COFF header");
    return at + 4;
}

struct Section {
    uint64_t address;  // RVA of its first byte
    uint64_t size;     // bytes backed by the file: SizeOfRawData, or VirtualSize when less
    uint64_t offset;   // file offset of its first byte
};

// An image's section table and export directory RVA, read from checked headers.
class Image {
public:
    explicit Image(std::span<const uint8_t> file) : file_(file) {
        const uint64_t coff = CoffHeader(file);
        const uint32_t count = U(file, coff + 2, 2, "the COFF header");
        const uint32_t optionalSize = U(file, coff + 16, 2, "the COFF header");
        const uint64_t optional = coff + kCoffHeader;
        if (!Holds(file, optional, optionalSize)) Truncated("the optional header");
        const uint32_t magic = optionalSize >= 2 ? U(file, optional, 2, "the optional header") : 0;
        if (magic != kPe32 && magic != kPe32Plus) Corrupt("unknown optional header kind");
        const uint64_t directories = magic == kPe32 ? 92 : 108;  // NumberOfRvaAndSizes, then the table
        if (optionalSize < directories + 4) Corrupt("optional header too short");
        if (U(file, optional + directories, 4, "the optional header") > 0) {
            if (optionalSize < directories + 4 + 8) Corrupt("data directories past the optional header");
            exports_ = U(file, optional + directories + 4, 4, "the optional header");
        }

        const uint64_t table = optional + optionalSize;
        if (!Holds(file, table, count * kSectionHeader)) Truncated("the section table");
        uint64_t end = 0;  // of the previous section's data, in RVAs
        for (uint64_t at = table; at < table + count * kSectionHeader; at += kSectionHeader) {
            const uint32_t virtualSize = U(file, at + 8, 4, "the section table");
            const uint32_t rawSize = U(file, at + 16, 4, "the section table");
            Section s{U(file, at + 12, 4, "the section table"),
                      virtualSize != 0 ? std::min(virtualSize, rawSize) : rawSize,
                      U(file, at + 20, 4, "the section table")};
            if (s.size != 0 && !Holds(file, s.offset, s.size)) Truncated("a section's data");
            // Linkers lay sections out in ascending order; the lookup below relies on it.
            if (s.address < end) Corrupt("sections overlap or are out of order");
            end = s.address + s.size;
            sections_.push_back(s);
        }
    }

    // 0 when the image exports nothing.
    uint32_t ExportDirectory() const { return exports_; }

    // The file's bytes from `rva` to the end of the section data holding it.
    std::span<const uint8_t> Rest(uint32_t rva, const char* what) const {
        const auto after = std::upper_bound(sections_.begin(), sections_.end(), uint64_t{rva},
                                            [](uint64_t a, const Section& s) { return a < s.address; });
        if (after == sections_.begin() || rva - (after - 1)->address >= (after - 1)->size)
            Corrupt(std::string(what) + " lies outside the sections' data");
        const Section& s = *(after - 1);
        const uint64_t in = rva - s.address;
        return file_.subspan(static_cast<size_t>(s.offset + in), static_cast<size_t>(s.size - in));
    }
    // `size` bytes at `rva`, all in one section's data.
    std::span<const uint8_t> At(uint32_t rva, uint64_t size, const char* what) const {
        const auto rest = Rest(rva, what);
        if (size > rest.size()) Corrupt(std::string(what) + " runs past its section");
        return rest.first(static_cast<size_t>(size));
    }

private:
    std::span<const uint8_t> file_;
    std::vector<Section> sections_;
    uint32_t exports_ = 0;
};

}  // namespace

bool IsPeImage(std::span<const uint8_t> file) {
    uint64_t at = 0;
    return WhyNotPe(file, at) == nullptr;
}

uint16_t PeMachine(std::span<const uint8_t> file) {
    return static_cast<uint16_t>(U(file, CoffHeader(file), 2, "the COFF header"));
}

std::vector<std::string> PeExportedSymbols(std::span<const uint8_t> file) {
    const Image image(file);
    if (image.ExportDirectory() == 0) return {};
    const auto directory = image.At(image.ExportDirectory(), kExportDirectory, "the export directory");
    const uint32_t functions = U(directory, 20, 4, "the export directory");
    const uint32_t count = U(directory, 24, 4, "the export directory");
    if (count == 0) return {};
    // Each table must lie in one section's data, which caps every count by the file's size.
    (void)image.At(U(directory, 28, 4, "the export directory"), uint64_t{functions} * 4, "the export address table");
    const auto names = image.At(U(directory, 32, 4, "the export directory"), uint64_t{count} * 4,
                                "the export name table");
    const auto ordinals = image.At(U(directory, 36, 4, "the export directory"), uint64_t{count} * 2,
                                   "the export ordinal table");

    std::vector<std::string> exported;
    exported.reserve(count);
    uint64_t total = 0;  // bytes of names; more than the file holds means they are reused
    for (uint32_t i = 0; i < count; ++i) {
        if (U(ordinals, uint64_t{i} * 2, 2, "the export ordinal table") >= functions)
            Corrupt("an export's ordinal lies past the address table");
        const auto rest = image.Rest(U(names, uint64_t{i} * 4, 4, "the export name table"), "an export name");
        const auto* start = reinterpret_cast<const char*>(rest.data());
        const auto* end = static_cast<const char*>(std::memchr(start, 0, rest.size()));
        if (end == nullptr) Corrupt("an export name runs past its section");
        total += static_cast<uint64_t>(end - start);
        if (total > file.size()) Corrupt("export names reused beyond the file's size");
        exported.emplace_back(start, end);
    }
    return exported;
}

}  // namespace easel
