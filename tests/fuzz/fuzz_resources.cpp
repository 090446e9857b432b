// libFuzzer target: arbitrary bytes as each of the module formats Easel reads without running
// any code: a compiled resource (.res) file with every lookup and every record's data read as
// each kind of resource, a 64-bit ELF module (its resource section, then those bytes as a .res
// file, and its exports) and a PE image (its machine and exports). Each reader either gives a
// result or refuses with its own error (ResourceError, ModuleError); anything else fails.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ModuleLoader.h"
#include "platform/PeImage.h"
#include "resources/ModuleResources.h"

namespace {

// Every lookup Easel makes of a plug-in's resources, and each record's data read as a property
// list, a dialog and a version block, whatever its type says.
void ReadResources(std::span<const uint8_t> bytes) {
    easel::ModuleResources res;
    try {
        res = easel::ParseResources(bytes);
    } catch (const easel::ResourceError&) {
        return;
    }
    for (uint32_t id : {16000u, 16001u, 16015u, 16016u, 16062u, 16063u, 16064u}) {
        try {
            (void)res.String(id);
        } catch (const easel::ResourceError&) {
        }
    }
    try {
        (void)res.Pipl();
    } catch (const easel::ResourceError&) {
    }
    for (const easel::Resource& r : res.Resources()) {
        try {
            (void)easel::ParsePropertyList(r.data, r.dataOffset);
        } catch (const easel::ResourceError&) {
        }
        try {
            (void)easel::ParseDialogTemplate(r.data, r.dataOffset);
        } catch (const easel::ResourceError&) {
        }
        try {
            (void)easel::ParseVersionInfo(r.data, r.dataOffset);
        } catch (const easel::ResourceError&) {
        }
        if (r.type.IsOrdinal() && r.type.Ordinal() == easel::kResourceTypeDialog && r.name.IsOrdinal()) {
            try {
                (void)res.Dialog(r.name.Ordinal());
            } catch (const easel::ResourceError&) {
            }
        }
    }
    try {
        (void)res.Version();
    } catch (const easel::ResourceError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    ReadResources(bytes);
    try {
        ReadResources(easel::ElfSection(bytes, ".corvanta.res"));
    } catch (const easel::ModuleError&) {
    }
    try {
        (void)easel::ElfExportedSymbols(bytes);
    } catch (const easel::ModuleError&) {
    }
    if (easel::IsPeImage(bytes)) {
        try {
            (void)easel::PeMachine(bytes);
            (void)easel::PeExportedSymbols(bytes);
        } catch (const easel::ModuleError&) {
        }
    }
    return 0;
}
