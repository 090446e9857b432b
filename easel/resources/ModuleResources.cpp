// ModuleResources.cpp: the .res reader. Every read goes through Reader, which checks the bytes
// it needs against the bytes it has, so a hostile or truncated file ends in ResourceError.
#include "resources/ModuleResources.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "PIPL.h"

namespace easel {
namespace {

constexpr uint32_t kDialogSetFont = 0x40;   // DS_SETFONT: a point size and face name follow
constexpr uint32_t kButtonTypeMask = 0x0F;  // BS_TYPEMASK
constexpr uint32_t kDefPushButton = 0x01;   // BS_DEFPUSHBUTTON
constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr size_t kFixedFileInfoSize = 52;
constexpr size_t kResourceHeaderMinimum = 32;  // sizes, two ordinals and the 16 fixed bytes
// The version tree has four levels in practice; a deeper one is a corrupt or hostile file, and
// the limit keeps recursion far from the stack's end.
constexpr int kVersionTreeMaxDepth = 16;

constexpr uint32_t Code(char a, char b, char c, char d) {
    return static_cast<uint32_t>(SP_FOUR_CHAR_CODE(a, b, c, d));
}

std::string OffsetText(size_t offset) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    size_t v = offset;
    do {
        hex.insert(hex.begin(), kHex[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    return std::to_string(offset) + " (0x" + hex + ")";
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Unpaired surrogates become U+FFFD: names and captions are for display, and one bad unit
// should not cost the whole resource.
std::string Utf16ToUtf8(const std::vector<uint16_t>& units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const uint32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

// Little-endian reads over one span; positions are relative to the span, messages name the
// position in the file (`base` is where the span starts there).
class Reader {
public:
    Reader(std::span<const uint8_t> bytes, size_t base, std::string what)
        : bytes_(bytes), base_(base), what_(std::move(what)) {}

    size_t Pos() const { return pos_; }
    size_t Size() const { return bytes_.size(); }
    size_t Remaining() const { return bytes_.size() - pos_; }
    std::span<const uint8_t> Span() const { return bytes_; }

    [[noreturn]] void Fail(const std::string& problem, size_t at) const {
        throw ResourceError(what_ + ": " + problem + " at offset " + OffsetText(base_ + at));
    }
    [[noreturn]] void Fail(const std::string& problem) const { Fail(problem, pos_); }

    void Need(size_t n, std::string_view field) const {
        if (n > Remaining()) {
            Fail("truncated reading " + std::string(field) + ": needs " + std::to_string(n) +
                 " bytes, " + std::to_string(Remaining()) + " remain");
        }
    }

    uint16_t U16(std::string_view field) {
        Need(2, field);
        const auto v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    int16_t I16(std::string_view field) { return static_cast<int16_t>(U16(field)); }
    uint32_t U32(std::string_view field) {
        Need(4, field);
        const uint32_t v = static_cast<uint32_t>(bytes_[pos_]) |
                           (static_cast<uint32_t>(bytes_[pos_ + 1]) << 8) |
                           (static_cast<uint32_t>(bytes_[pos_ + 2]) << 16) |
                           (static_cast<uint32_t>(bytes_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::span<const uint8_t> Bytes(size_t n, std::string_view field) {
        Need(n, field);
        auto s = bytes_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    void Skip(size_t n, std::string_view field) { Bytes(n, field); }

    // Padding may be missing where a span ends; the next read then reports the truncation.
    void Align4() { pos_ = std::min(bytes_.size(), (pos_ + 3) & ~size_t{3}); }

    std::vector<uint16_t> Units(size_t count, std::string_view field) {
        Need(count * 2, field);
        std::vector<uint16_t> units(count);
        for (auto& u : units) u = U16(field);
        return units;
    }

    std::string Utf16z(std::string_view field) {
        const size_t start = pos_;
        std::vector<uint16_t> units;
        for (;;) {
            if (Remaining() < 2) {
                Fail("unterminated " + std::string(field) + " string", start);
            }
            const uint16_t u = U16(field);
            if (u == 0) break;
            units.push_back(u);
        }
        return Utf16ToUtf8(units);
    }

    // 0xFFFF and an ordinal, or a terminated string.
    ResourceId NameOrOrdinal(std::string_view field) {
        Need(2, field);
        if (bytes_[pos_] == 0xFF && bytes_[pos_ + 1] == 0xFF) {
            pos_ += 2;
            return ResourceId(U16(field));
        }
        return ResourceId(Utf16z(field));
    }

private:
    std::span<const uint8_t> bytes_;
    size_t base_;
    std::string what_;
    size_t pos_ = 0;
};

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string PredefinedClassName(uint16_t ordinal) {
    switch (ordinal) {
        case 0x0080: return "Button";
        case 0x0081: return "Edit";
        case 0x0082: return "Static";
        case 0x0083: return "ListBox";
        case 0x0084: return "ScrollBar";
        case 0x0085: return "ComboBox";
        default: return "#" + std::to_string(ordinal);
    }
}

bool IsButtonClass(const DialogItem& item) {
    if (item.classOrdinal) return *item.classOrdinal == 0x0080;
    return ResourceId(item.className).Matches(ResourceId("Button"));
}

int32_t ReadI32(const std::vector<uint8_t>& d) {
    return static_cast<int32_t>(static_cast<uint32_t>(d[0]) | (static_cast<uint32_t>(d[1]) << 8) |
                                (static_cast<uint32_t>(d[2]) << 16) |
                                (static_cast<uint32_t>(d[3]) << 24));
}

std::string CodeText(uint32_t code) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<char>((code >> shift) & 0xFF);
        s += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return "'" + s + "'";
}

// The node at `start`, which must end by `limit`; its wLength goes to `length`.
VersionNode ParseVersionNode(std::span<const uint8_t> data, size_t start, size_t limit,
                             size_t fileOffset, int depth, uint16_t& length) {
    Reader head(data.subspan(start, limit - start), fileOffset + start, "version block");
    if (depth > kVersionTreeMaxDepth) head.Fail("nested more than 16 levels deep");
    length = head.U16("wLength");
    if (length < 6)
        head.Fail("wLength " + std::to_string(length) + " is below the 6-byte header", 0);
    if (length > limit - start) {
        head.Fail("wLength " + std::to_string(length) + " runs past its parent, which has " +
                      std::to_string(limit - start) + " bytes left",
                  0);
    }
    // Reading within wLength from here on, so nothing of a sibling is taken for this node.
    Reader r(data.subspan(start, length), fileOffset + start, "version block");
    r.Skip(2, "wLength");
    const uint16_t valueLength = r.U16("wValueLength");
    VersionNode node;
    node.type = r.U16("wType");
    node.key = r.Utf16z("szKey");
    r.Align4();
    // Text lengths count UTF-16 units; some writers count bytes instead, so the value is cut
    // at the node's end rather than refused.
    const size_t valueBytes = node.type == 1 ? size_t{valueLength} * 2 : size_t{valueLength};
    const auto value = r.Bytes(std::min(valueBytes, r.Remaining()), "value");
    node.value.assign(value.begin(), value.end());
    for (;;) {
        r.Align4();
        // Fewer bytes than a header are the node's trailing padding.
        if (r.Remaining() < 6) break;
        uint16_t childLength = 0;
        node.children.push_back(ParseVersionNode(data, start + r.Pos(), start + length, fileOffset,
                                                 depth + 1, childLength));
        r.Skip(childLength, "child");
    }
    return node;
}

}  // namespace

const std::string& ResourceId::Name() const {
    static const std::string kEmpty;
    return IsOrdinal() ? kEmpty : std::get<std::string>(value_);
}

bool ResourceId::Matches(const ResourceId& other) const {
    if (IsOrdinal() || other.IsOrdinal()) return *this == other;
    const std::string& a = Name();
    const std::string& b = other.Name();
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::string ResourceId::ToString() const {
    return IsOrdinal() ? "#" + std::to_string(Ordinal()) : Name();
}

const Property* PropertyList::Find(uint32_t vendor, uint32_t key) const {
    for (const auto& p : properties) {
        if (p.vendor == vendor && p.key == key) return &p;
    }
    return nullptr;
}

std::optional<uint32_t> PropertyList::kind() const {
    const Property* p = Find(Code('A', 'D', 'B', 'E'), Code('k', 'i', 'n', 'd'));
    if (p == nullptr) return std::nullopt;
    return static_cast<uint32_t>(ReadI32(p->data));
}

std::optional<int32_t> PropertyList::interfaceVersion() const {
    const Property* p = Find(Code('A', 'D', 'B', 'E'), Code('i', 'v', 'r', 's'));
    if (p == nullptr) return std::nullopt;
    return ReadI32(p->data);
}

std::optional<std::string> PropertyList::entryPoint() const {
    const Property* p = Find(Code('A', 'D', 'B', 'E'), Code('w', 'x', '8', '6'));
    if (p == nullptr) return std::nullopt;
    std::string name;
    for (uint8_t b : p->data) {
        if (b == 0) break;
        name += static_cast<char>(b);
    }
    return name;
}

bool DialogItem::IsDefaultPushButton() const {
    return IsButtonClass(*this) && (style & kButtonTypeMask) == kDefPushButton;
}

std::string VersionNode::Text() const {
    std::vector<uint16_t> units;
    for (size_t i = 0; i + 1 < value.size(); i += 2) {
        const auto u = static_cast<uint16_t>(value[i] | (value[i + 1] << 8));
        if (u == 0) break;
        units.push_back(u);
    }
    return Utf16ToUtf8(units);
}

const VersionNode* VersionNode::Child(std::string_view childKey) const {
    for (const auto& c : children) {
        if (c.key == childKey) return &c;
    }
    return nullptr;
}

std::optional<std::string> VersionInfo::Value(std::string_view key) const {
    for (const auto& table : stringTables) {
        for (const auto& [k, v] : table.values) {
            if (k == key) return v;
        }
    }
    return std::nullopt;
}

PropertyList ParsePropertyList(std::span<const uint8_t> data, size_t fileOffset) {
    Reader r(data, fileOffset, "property list");
    PropertyList list;
    list.version = static_cast<int32_t>(r.U32("version"));
    const uint32_t count = r.U32("count");
    // Checked before the loop so that a corrupt count cannot ask for a huge allocation.
    if (count > r.Remaining() / 16) {
        r.Fail("count " + std::to_string(count) + " needs more properties than the " +
                   std::to_string(r.Remaining()) + " bytes left can hold",
               4);
    }
    list.properties.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t start = r.Pos();
        Property p;
        p.vendor = r.U32("vendorID");
        p.key = r.U32("propertyKey");
        p.id = r.U32("propertyID");
        const uint32_t length = r.U32("propertyLength");
        const auto bytes = r.Bytes(length, "property " + CodeText(p.key) + " data");
        p.data.assign(bytes.begin(), bytes.end());
        // The last property's padding may fall outside the resource.
        r.Skip(std::min<size_t>((4 - length % 4) % 4, r.Remaining()), "padding");

        if (p.vendor == Code('A', 'D', 'B', 'E')) {
            const bool fourBytes =
                p.key == Code('k', 'i', 'n', 'd') || p.key == Code('i', 'v', 'r', 's');
            if (fourBytes && p.data.size() != 4) {
                r.Fail("property " + CodeText(p.key) + " has " + std::to_string(p.data.size()) +
                           " bytes of data, expected 4",
                       start);
            }
            if (p.key == Code('w', 'x', '8', '6') &&
                std::find(p.data.begin(), p.data.end(), uint8_t{0}) == p.data.end()) {
                r.Fail("property 'wx86' holds no terminated entry point name", start);
            }
        }
        list.properties.push_back(std::move(p));
    }
    return list;
}

DialogTemplate ParseDialogTemplate(std::span<const uint8_t> data, size_t fileOffset) {
    Reader r(data, fileOffset, "dialog template");
    DialogTemplate d;
    d.style = r.U32("style");
    // DLGTEMPLATEEX opens with dlgVer 1 and signature 0xFFFF where the classic style would be.
    if (d.style == 0xFFFF0001u) r.Fail("an extended dialog template, which is not read", 0);
    d.extendedStyle = r.U32("extended style");
    const uint16_t count = r.U16("item count");
    d.x = r.I16("x");
    d.y = r.I16("y");
    d.cx = r.I16("cx");
    d.cy = r.I16("cy");
    d.menu = r.NameOrOrdinal("menu");
    d.windowClass = r.NameOrOrdinal("class");
    d.title = r.Utf16z("title");
    if ((d.style & kDialogSetFont) != 0) {
        d.fontSize = r.U16("font size");
        d.fontName = r.Utf16z("font name");
    }
    for (uint16_t i = 0; i < count; ++i) {
        r.Align4();
        DialogItem item;
        item.style = r.U32("item style");
        item.extendedStyle = r.U32("item extended style");
        item.x = r.I16("item x");
        item.y = r.I16("item y");
        item.cx = r.I16("item cx");
        item.cy = r.I16("item cy");
        item.id = r.I16("item id");
        const ResourceId cls = r.NameOrOrdinal("item class");
        if (cls.IsOrdinal()) {
            item.classOrdinal = cls.Ordinal();
            item.className = PredefinedClassName(cls.Ordinal());
        } else {
            item.className = cls.Name();
        }
        const ResourceId text = r.NameOrOrdinal("item text");
        if (text.IsOrdinal()) {
            item.textOrdinal = text.Ordinal();
        } else {
            item.text = text.Name();
        }
        // The count word does not count itself.
        const uint16_t extra = r.U16("creation data size");
        const auto bytes = r.Bytes(extra, "creation data");
        item.creationData.assign(bytes.begin(), bytes.end());
        d.items.push_back(std::move(item));
    }
    return d;
}

VersionInfo ParseVersionInfo(std::span<const uint8_t> data, size_t fileOffset) {
    VersionInfo info;
    uint16_t rootLength = 0;
    info.root = ParseVersionNode(data, 0, data.size(), fileOffset, 0, rootLength);
    if (info.root.key != "VS_VERSION_INFO") {
        throw ResourceError("version block: root key is \"" + info.root.key +
                            "\", expected \"VS_VERSION_INFO\" at offset " + OffsetText(fileOffset));
    }
    const auto& v = info.root.value;
    if (v.size() >= kFixedFileInfoSize) {
        auto dword = [&v](size_t at) {
            return static_cast<uint32_t>(v[at]) | (static_cast<uint32_t>(v[at + 1]) << 8) |
                   (static_cast<uint32_t>(v[at + 2]) << 16) |
                   (static_cast<uint32_t>(v[at + 3]) << 24);
        };
        auto parts = [](uint32_t ms, uint32_t ls) {
            return std::array<uint16_t, 4>{
                static_cast<uint16_t>(ms >> 16), static_cast<uint16_t>(ms & 0xFFFF),
                static_cast<uint16_t>(ls >> 16), static_cast<uint16_t>(ls & 0xFFFF)};
        };
        if (dword(0) == kFixedFileInfoSignature) {
            info.fileVersion = parts(dword(8), dword(12));
            info.productVersion = parts(dword(16), dword(20));
        }
    }
    for (const auto& block : info.root.children) {
        if (block.key == "StringFileInfo") {
            for (const auto& table : block.children) {
                VersionStringTable t{table.key, {}};
                for (const auto& s : table.children) t.values.emplace_back(s.key, s.Text());
                info.stringTables.push_back(std::move(t));
            }
        } else if (block.key == "VarFileInfo") {
            if (const VersionNode* tr = block.Child("Translation")) {
                for (size_t i = 0; i + 4 <= tr->value.size(); i += 4) {
                    const auto& b = tr->value;
                    info.translations.push_back(
                        {static_cast<uint16_t>(b[i] | (b[i + 1] << 8)),
                         static_cast<uint16_t>(b[i + 2] | (b[i + 3] << 8))});
                }
            }
        }
    }
    return info;
}

const Resource* ModuleResources::Find(const ResourceId& type, const ResourceId& name) const {
    for (const auto& r : resources_) {
        if (r.type.Matches(type) && r.name.Matches(name)) return &r;
    }
    return nullptr;
}

std::optional<std::string> ModuleResources::String(uint32_t id) const {
    const uint32_t block = id / 16 + 1;
    if (block > 0xFFFF) return std::nullopt;
    const Resource* res = Find(kResourceTypeString, static_cast<uint16_t>(block));
    if (res == nullptr) return std::nullopt;
    Reader r(res->data, res->dataOffset, "string block " + std::to_string(block));
    const uint32_t index = id % 16;
    for (uint32_t i = 0;; ++i) {
        const uint16_t length = r.U16("string length");
        if (i == index) {
            if (length == 0) return std::nullopt;
            return Utf16ToUtf8(r.Units(length, "string " + std::to_string(id)));
        }
        r.Skip(size_t{length} * 2, "string");
    }
}

std::optional<PropertyList> ModuleResources::Pipl(uint32_t id) const {
    if (id > 0xFFFF) return std::nullopt;
    const Resource* res = Find(ResourceId(kPIPLResourceType), static_cast<uint16_t>(id));
    if (res == nullptr) return std::nullopt;
    return ParsePropertyList(res->data, res->dataOffset);
}

std::optional<DialogTemplate> ModuleResources::Dialog(uint32_t id) const {
    if (id > 0xFFFF) return std::nullopt;
    const Resource* res = Find(kResourceTypeDialog, static_cast<uint16_t>(id));
    if (res == nullptr) return std::nullopt;
    return ParseDialogTemplate(res->data, res->dataOffset);
}

std::optional<VersionInfo> ModuleResources::Version() const {
    for (const auto& r : resources_) {
        if (r.type == ResourceId(kResourceTypeVersion))
            return ParseVersionInfo(r.data, r.dataOffset);
    }
    return std::nullopt;
}

ModuleResources ParseResources(std::span<const uint8_t> bytes) {
    Reader r(bytes, 0, "resource file");
    if (bytes.empty()) r.Fail("empty, where the 32-byte leading record belongs");
    std::vector<Resource> resources;
    bool marker = true;
    while (r.Remaining() > 0) {
        const size_t start = r.Pos();
        const uint32_t dataSize = r.U32("DataSize");
        const uint32_t headerSize = r.U32("HeaderSize");
        if (headerSize < kResourceHeaderMinimum) {
            r.Fail("HeaderSize " + std::to_string(headerSize) + " is below the 32-byte minimum",
                   start + 4);
        }
        if (headerSize > bytes.size() - start) {
            r.Fail("HeaderSize " + std::to_string(headerSize) +
                       " runs past the end of the file: only " +
                       std::to_string(bytes.size() - start) +
                       " bytes remain from the record's start",
                   start + 4);
        }
        Reader h(bytes.subspan(start, headerSize), start, "resource header");
        h.Skip(8, "sizes");
        Resource res;
        res.type = h.NameOrOrdinal("TYPE");
        res.name = h.NameOrOrdinal("NAME");
        h.Align4();
        res.dataVersion = h.U32("DataVersion");
        res.memoryFlags = h.U16("MemoryFlags");
        res.language = h.U16("LanguageId");
        res.version = h.U32("Version");
        res.characteristics = h.U32("Characteristics");

        const size_t dataStart = start + headerSize;
        if (dataSize > bytes.size() - dataStart) {
            r.Fail("DataSize " + std::to_string(dataSize) +
                       " runs past the end of the file: only " +
                       std::to_string(bytes.size() - dataStart) + " bytes follow the header",
                   start);
        }
        if (marker) {
            // A 16-bit .res file has no such record; its first bytes would not pass here.
            if (dataSize != 0 || res.type != ResourceId(uint16_t{0}) ||
                res.name != ResourceId(uint16_t{0})) {
                r.Fail("not a 32-bit resource file: the first record is not the empty marker",
                       start);
            }
            marker = false;
        } else {
            res.dataOffset = dataStart;
            const auto data = bytes.subspan(dataStart, dataSize);
            res.data.assign(data.begin(), data.end());
            resources.push_back(std::move(res));
        }
        r.Skip(headerSize + size_t{dataSize} - 8, "record");
        r.Align4();
    }
    return ModuleResources(std::move(resources));
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw ResourceError("cannot read '" + path + "': it is a directory");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ResourceError("cannot open '" + path +
                            "': " + std::error_code(errno, std::generic_category()).message());
    }
    std::vector<uint8_t> out;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        out.insert(out.end(), reinterpret_cast<const uint8_t*>(buffer),
                   reinterpret_cast<const uint8_t*>(buffer) + in.gcount());
    }
    if (in.bad()) throw ResourceError("cannot read '" + path + "': read failed");
    return out;
}

}  // namespace easel
