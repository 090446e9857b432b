// The PE/COFF export reader: a hand-built image and damaged copies of it, both builds of the
// module, and sweeps of damage over the Windows one.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/PeImage.h"
#include "resources/ModuleResources.h"

namespace easel::testing {
namespace {

using Names = std::vector<std::string>;

void Put(std::vector<uint8_t>& f, size_t at, uint32_t v, size_t width) {
    for (size_t i = 0; i < width; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A DLL exporting "Alpha" and "Beta" from its one section: RVA 0x1000, 0x60 bytes, at file
// offset 0x200. "MZ", e_lfanew 0x40, "PE\0\0", COFF header at 0x44, optional header at 0x58
// with 16 data directories from +96 (PE32+: +112), the first (exports) at RVA 0x1000; then the
// section table. At RVA 0x1000 the export directory (2 functions, 2 names; address, name and
// ordinal tables at 0x1028, 0x1030, 0x1038), then addresses {0x1100, 0x1104}, names {0x1040,
// 0x1048}, ordinals {0, 1}, "Alpha" at 0x1040 and "Beta" at 0x1048. Fields not read stay 0.
std::vector<uint8_t> TwoExports(bool plus) {
    const uint32_t dirs = 0x58 + (plus ? 112 : 96), table = dirs + 16 * 8;
    const uint32_t fields[][3] = {  // offset, value, width
        {0, 'M' | 'Z' << 8, 2}, {0x3C, 0x40, 4}, {0x40, 'P' | 'E' << 8, 4}, {0x44, plus ? 0x8664u : 0x14Cu, 2},
        {0x46, 1, 2}, {0x54, table - 0x58, 2}, {0x58, plus ? 0x20Bu : 0x10Bu, 2}, {dirs - 4, 16, 4},
        {dirs, 0x1000, 4}, {dirs + 4, 0x60, 4}, {table + 8, 0x60, 4}, {table + 12, 0x1000, 4},
        {table + 16, 0x200, 4}, {table + 20, 0x200, 4}, {0x214, 2, 4}, {0x218, 2, 4}, {0x21C, 0x1028, 4},
        {0x220, 0x1030, 4}, {0x224, 0x1038, 4}, {0x228, 0x1100, 4}, {0x22C, 0x1104, 4}, {0x230, 0x1040, 4},
        {0x234, 0x1048, 4}, {0x23A, 1, 2}};
    std::vector<uint8_t> f(0x400);
    for (const auto& [at, v, width] : fields) Put(f, at, v, width);
    std::memcpy(&f[0x240], "Alpha", 6);
    std::memcpy(&f[0x248], "Beta", 5);
    return f;
}

// The ModuleError's text, or "" when the names come back.
std::string Refusal(std::span<const uint8_t> file) {
    try {
        (void)PeExportedSymbols(file);
    } catch (const ModuleError& e) {
        return e.what();
    }
    return "";
}

TEST(PeImage, AHandBuiltImageAndItsDamage) {
    for (bool plus : {false, true}) {
        SCOPED_TRACE(plus ? "PE32+" : "PE32");
        const std::vector<uint8_t> image = TwoExports(plus);
        EXPECT_TRUE(IsPeImage(image));
        EXPECT_EQ(PeMachine(image), plus ? 0x8664 : 0x14C);
        EXPECT_EQ(PeExportedSymbols(image), (Names{"Alpha", "Beta"}));
        auto damaged = [&](size_t at, uint32_t v, size_t width = 4) {
            std::vector<uint8_t> f = image;
            Put(f, at, v, width);
            return f;
        };
        const size_t dirs = 0x58 + (plus ? 112 : 96), virtualSize = dirs + 16 * 8 + 8;
        EXPECT_EQ(PeExportedSymbols(damaged(dirs, 0)), Names{});
        // "Beta" cut by the section's end, the name table outside the section, a name count the
        // file cannot hold, an ordinal past the 2-entry address table, the section cut off.
        EXPECT_EQ(Refusal(damaged(virtualSize, 0x4C)), "is a corrupt Windows module (an export name runs past its section)");
        EXPECT_NE(Refusal(damaged(0x220, 0x2000)).find("corrupt"), std::string::npos);
        EXPECT_NE(Refusal(damaged(0x218, 0xFFFFFFFF)).find("corrupt"), std::string::npos);
        EXPECT_NE(Refusal(damaged(0x23A, 2, 2)).find("ordinal"), std::string::npos);
        EXPECT_NE(Refusal({image.data(), 0x210}).find("truncated"), std::string::npos);
        const std::vector<uint8_t> lost = damaged(0x3C, 0x3FE);  // "PE\0\0" would pass the end
        EXPECT_FALSE(IsPeImage(lost));
        EXPECT_EQ(Refusal(lost), "is not a Windows module (no PE signature)");
        EXPECT_THROW(PeMachine(lost), ModuleError);
    }
}

TEST(PeImage, TheModulesOfBothSystemsAndDamageToTheWindowsOne) {
    const std::vector<uint8_t> so = ReadFileBytes(EASEL_MODULE);
    EXPECT_FALSE(IsPeImage(so));
    EXPECT_EQ(Refusal(so), "is not a Windows module (no MZ header)");
    EXPECT_THROW(PeMachine(so), ModuleError);

    std::vector<uint8_t> dll = ReadFileBytes(EASEL_WIN32_MODULE);
    EXPECT_TRUE(IsPeImage(dll));
    EXPECT_EQ(PeMachine(dll), kPeMachineI386);
    EXPECT_EQ(PeExportedSymbols(dll), Names{"PluginMain"});
    // Truncations, then every byte of the headers and of the export data (around the module's
    // own name, which its export directory names) flipped several ways, and a byte every stride
    // elsewhere: names or a ModuleError, never a read past the file.
    const size_t stride = dll.size() / 300 + 1;
    for (size_t size = 0; size < dll.size(); size += stride) (void)Refusal({dll.data(), size});
    const size_t name = std::string_view(reinterpret_cast<const char*>(dll.data()), dll.size()).find("QM07_Corvanta.aip");
    ASSERT_NE(name, std::string_view::npos);
    auto flip = [&](size_t at) {
        for (const uint8_t mask : {uint8_t{0x01}, uint8_t{0x80}, uint8_t{0xFF}}) {
            dll[at] = static_cast<uint8_t>(dll[at] ^ mask);
            (void)Refusal(dll);
            dll[at] = static_cast<uint8_t>(dll[at] ^ mask);
        }
    };
    for (size_t at = 0; at < 0x400; ++at) flip(at);
    for (size_t at = name - 0x40; at < name + 0x40; ++at) flip(at);
    for (size_t at = 0; at < dll.size(); at += stride) flip(at);
}

}  // namespace
}  // namespace easel::testing
