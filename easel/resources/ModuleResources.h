// ModuleResources.h: a module's compiled resources, read from the 32-bit binary resource (.res)
// format that the resource compiler writes: the string lists, the dialog templates, the
// property list and the version block.
//
// Everything here is read from untrusted bytes. Parsing checks every length against the bytes
// it has and throws ResourceError, naming the file offset and what is wrong, rather than read
// past the end; no input may crash the reader.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace easel {

class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resource types by ordinal, as the resource compiler numbers them.
inline constexpr uint16_t kResourceTypeCursor = 1;
inline constexpr uint16_t kResourceTypeIcon = 3;
inline constexpr uint16_t kResourceTypeDialog = 5;
inline constexpr uint16_t kResourceTypeString = 6;
inline constexpr uint16_t kResourceTypeGroupCursor = 12;
inline constexpr uint16_t kResourceTypeGroupIcon = 14;
inline constexpr uint16_t kResourceTypeVersion = 16;

// A resource type or name: a 16-bit ordinal or a string (held as UTF-8).
class ResourceId {
public:
    ResourceId() = default;
    ResourceId(uint16_t ordinal) : value_(ordinal) {}  // NOLINT: ordinals read naturally as ids
    ResourceId(std::string name) : value_(std::move(name)) {}    // NOLINT
    ResourceId(const char* name) : value_(std::string(name)) {}  // NOLINT

    bool IsOrdinal() const { return std::holds_alternative<uint16_t>(value_); }
    // 0 for a name.
    uint16_t Ordinal() const { return IsOrdinal() ? std::get<uint16_t>(value_) : uint16_t{0}; }
    // Empty for an ordinal.
    const std::string& Name() const;

    // Names compare without regard to ASCII case, as the system's own resource lookup does.
    bool Matches(const ResourceId& other) const;
    // "#16000" for an ordinal, the name itself otherwise.
    std::string ToString() const;

    bool operator==(const ResourceId&) const = default;

private:
    std::variant<uint16_t, std::string> value_{uint16_t{0}};
};

// One record of the file, less the leading empty marker.
struct Resource {
    ResourceId type;
    ResourceId name;
    uint16_t language = 0;
    uint16_t memoryFlags = 0;
    uint32_t dataVersion = 0;
    uint32_t version = 0;
    uint32_t characteristics = 0;
    size_t dataOffset = 0;  // where `data` starts in the file, for messages about its contents
    std::vector<uint8_t> data;
};

// The plug-in property list (host/PIPL.h).
struct Property {
    uint32_t vendor = 0;  // four-character codes as the integers SP_FOUR_CHAR_CODE makes
    uint32_t key = 0;
    uint32_t id = 0;
    std::vector<uint8_t> data;  // propertyLength bytes, without the padding
};

struct PropertyList {
    int32_t version = 0;
    std::vector<Property> properties;

    // The first property with this vendor and key, or null.
    const Property* Find(uint32_t vendor, uint32_t key) const;
    // The 'kind' code, the 'ivrs' interface version and the 'wx86' entry point name of vendor
    // 'ADBE'; empty when the list has no such property. Their sizes are checked when parsing.
    std::optional<uint32_t> kind() const;
    std::optional<int32_t> interfaceVersion() const;
    std::optional<std::string> entryPoint() const;
};

// A classic dialog template (DLGTEMPLATE), coordinates in dialog units.
struct DialogItem {
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    int16_t id = 0;  // signed, so the customary "no id" of a static item reads as -1
    // "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" for the predefined
    // ordinals, "#n" for any other ordinal, or the class name as written.
    std::string className;
    std::optional<uint16_t> classOrdinal;
    std::string text;
    std::optional<uint16_t> textOrdinal;  // a resource id in place of text, as icons use
    std::vector<uint8_t> creationData;

    // A button whose style type is BS_DEFPUSHBUTTON: the one Enter presses.
    bool IsDefaultPushButton() const;
};

struct DialogTemplate {
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResourceId menu;         // ordinal 0: no menu
    ResourceId windowClass;  // ordinal 0: the standard dialog class
    std::string title;
    std::optional<uint16_t> fontSize;  // present when the style has DS_SETFONT
    std::string fontName;
    std::vector<DialogItem> items;
};

// One node of the VS_VERSIONINFO tree.
struct VersionNode {
    std::string key;
    uint16_t type = 0;           // 1: the value is text, 0: binary
    std::vector<uint8_t> value;  // as stored; for text, UTF-16 including any terminator
    std::vector<VersionNode> children;

    // The value as UTF-8 up to its terminator; meaningful for text nodes.
    std::string Text() const;
    const VersionNode* Child(std::string_view childKey) const;
};

struct VersionStringTable {
    std::string key;  // language and code page in hex, as "080904b0"
    std::vector<std::pair<std::string, std::string>> values;  // in file order
};

struct VersionTranslation {
    uint16_t language = 0;
    uint16_t codePage = 0;
    bool operator==(const VersionTranslation&) const = default;
};

struct VersionInfo {
    VersionNode root;
    // From VS_FIXEDFILEINFO, as four parts (1, 2, 0, 0), when the root carries one.
    std::optional<std::array<uint16_t, 4>> fileVersion;
    std::optional<std::array<uint16_t, 4>> productVersion;
    std::vector<VersionStringTable> stringTables;  // under "StringFileInfo"
    std::vector<VersionTranslation> translations;  // "VarFileInfo"/"Translation"

    // The first value of this key in any string table.
    std::optional<std::string> Value(std::string_view key) const;
};

class ModuleResources {
public:
    ModuleResources() = default;
    explicit ModuleResources(std::vector<Resource> resources) : resources_(std::move(resources)) {}

    const std::vector<Resource>& Resources() const { return resources_; }
    // The first resource of this type and name in any language, or null.
    const Resource* Find(const ResourceId& type, const ResourceId& name) const;

    // A string of the string lists. Empty when its block is absent or the string has length 0:
    // the format stores an empty string and a missing one alike. These lookups parse the
    // resource they find, so each throws ResourceError when that resource is damaged.
    std::optional<std::string> String(uint32_t id) const;
    std::optional<PropertyList> Pipl(uint32_t id = 16000) const;
    std::optional<DialogTemplate> Dialog(uint32_t id) const;
    // The first version resource, whatever its id.
    std::optional<VersionInfo> Version() const;

private:
    std::vector<Resource> resources_;
};

// The readers behind the lookups, for one resource's data; `fileOffset` is where the data sits
// in its file, so that messages name file offsets.
PropertyList ParsePropertyList(std::span<const uint8_t> data, size_t fileOffset = 0);
DialogTemplate ParseDialogTemplate(std::span<const uint8_t> data, size_t fileOffset = 0);
VersionInfo ParseVersionInfo(std::span<const uint8_t> data, size_t fileOffset = 0);

// Throws ResourceError for a buffer that is not a well-formed 32-bit .res file. A buffer that
// stops exactly at the end of a record parses to the records before that point.
ModuleResources ParseResources(std::span<const uint8_t> bytes);

// The whole file; ResourceError naming the file when it cannot be opened or read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace easel
