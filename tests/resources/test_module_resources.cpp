// The module's compiled resources as Easel reads them, and the reader's refusal of damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PIPL.h"
#include "resources/ModuleResources.h"

namespace easel {
namespace {

const std::vector<uint8_t>& ResBytes() {
    static const std::vector<uint8_t> bytes = ReadFileBytes(CORVANTA_RES_PATH);
    return bytes;
}

const ModuleResources& Res() {
    static const ModuleResources res = ParseResources(ResBytes());
    return res;
}

// Little-endian data for hand-made resources.
struct Writer {
    std::vector<uint8_t> v;
    Writer& U16(uint16_t x) {
        v.push_back(static_cast<uint8_t>(x & 0xFF));
        v.push_back(static_cast<uint8_t>(x >> 8));
        return *this;
    }
    Writer& U32(uint32_t x) {
        return U16(static_cast<uint16_t>(x & 0xFFFF)).U16(static_cast<uint16_t>(x >> 16));
    }
    Writer& Str(std::string_view ascii) {
        for (char c : ascii) U16(static_cast<uint16_t>(c));
        return U16(0);
    }
    Writer& Align() {
        while (v.size() % 4 != 0) v.push_back(0);
        return *this;
    }
};

template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const ResourceError& e) {
        return e.what();
    }
    return "";
}

// Every lookup Easel makes, so damaged input is driven through every reader; the last index of
// each block reads all of it.
void LookUpEverything(const ModuleResources& res) {
    for (uint32_t id : {16001u, 16015u, 16062u, 16063u}) (void)res.String(id);
    (void)res.Pipl();
    for (uint32_t id : {16050u, 16051u, 16100u}) (void)res.Dialog(id);
    (void)res.Version();
}

TEST(ModuleResourcesFile, EveryRecordIsUsEnglishAndTheExpectedOnesArePresent) {
    const auto& all = Res().Resources();
    ASSERT_EQ(all.size(), 11u);  // the leading marker is not a resource
    for (const auto& r : all)
        EXPECT_EQ(r.language, 1033) << r.type.ToString() << " " << r.name.ToString();
    EXPECT_NE(Res().Find("pipl", uint16_t{16000}), nullptr);  // names match regardless of case
    EXPECT_NE(Res().Find(kResourceTypeIcon, uint16_t{1}), nullptr);
    EXPECT_NE(Res().Find(kResourceTypeGroupIcon, uint16_t{16051}), nullptr);
    EXPECT_NE(Res().Find(kResourceTypeGroupCursor, uint16_t{16000}), nullptr);
    EXPECT_EQ(Res().Find(kResourceTypeDialog, uint16_t{16052}), nullptr);
    // Data offsets are where the bytes really are, so messages about contents point true.
    for (const auto& r : all) {
        ASSERT_LE(r.dataOffset + r.data.size(), ResBytes().size());
        EXPECT_TRUE(std::equal(r.data.begin(), r.data.end(),
                               ResBytes().begin() + static_cast<std::ptrdiff_t>(r.dataOffset)));
    }
}

TEST(ModuleResourcesFile, StringsAcrossBlocks) {
    EXPECT_EQ(Res().String(16000), "<First Mac index is 1>");
    EXPECT_EQ(Res().String(16001), "ZTK <Create>");
    EXPECT_EQ(Res().String(16002), "Corvanta ...");
    EXPECT_EQ(Res().String(16050), "<Mac strings begin at index 1>");
    EXPECT_EQ(Res().String(16051), "-108");
    EXPECT_EQ(Res().String(16053), "271");
    EXPECT_EQ(Res().String(16055), "SEGM");
    EXPECT_EQ(Res().String(16057), "NESS");
    EXPECT_EQ(Res().String(16058),
              "The filter cannot complete because a path has too many anchor points.");
    EXPECT_EQ(Res().String(16059), "!sel");
    EXPECT_EQ(Res().String(16061), "<Others>");
    EXPECT_EQ(Res().String(16062), "The filter cannot complete because of an unknown error.");
    for (uint32_t id = 16051; id <= 16062; ++id) EXPECT_TRUE(Res().String(id).has_value()) << id;
    // Absent: inside a present block, just past the last, in no block, past any block id.
    EXPECT_EQ(Res().String(16003), std::nullopt);
    EXPECT_EQ(Res().String(16063), std::nullopt);
    EXPECT_EQ(Res().String(1), std::nullopt);
    EXPECT_EQ(Res().String(0xFFFFFFFFu), std::nullopt);
}

TEST(ModuleResourcesFile, PropertyList) {
    const auto pipl = Res().Pipl();
    ASSERT_TRUE(pipl.has_value());
    EXPECT_EQ(pipl->version, kPIPLVersion);
    ASSERT_EQ(pipl->properties.size(), 3u);
    for (const auto& p : pipl->properties)
        EXPECT_EQ(p.vendor, static_cast<uint32_t>(kPIPLVendorAdobe));
    EXPECT_EQ(pipl->kind(), static_cast<uint32_t>(kPIPLKindHostPlugin));
    EXPECT_EQ(pipl->interfaceVersion(), kPIPLInterfaceVersion);
    EXPECT_EQ(pipl->entryPoint(), "PluginMain");
    EXPECT_EQ(pipl->properties[2].data.size(), 12u);
    EXPECT_EQ(Res().Pipl(16001), std::nullopt);
}

TEST(ModuleResourcesFile, ErrorDialog) {
    const auto d = Res().Dialog(16051);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->title, "Plug-in Error");
    EXPECT_EQ(d->cx, 185);
    EXPECT_EQ(d->cy, 92);
    EXPECT_EQ(d->fontSize, 8);
    EXPECT_EQ(d->fontName, "MS Sans Serif");
    ASSERT_EQ(d->items.size(), 4u);
    struct Expected {
        int id, x, y, cx, cy;
        const char* cls;
        const char* text;
    };
    const Expected expected[] = {{1, 127, 65, 50, 14, "Button", "OK"},
                                 {2, 43, 12, 126, 28, "Static", "Message"},
                                 {3, 13, 66, 30, 8, "Static", "Code"},
                                 {4, 10, 10, 18, 20, "Static", ""}};
    for (size_t i = 0; i < 4; ++i) {
        const auto& it = d->items[i];
        const auto& e = expected[i];
        EXPECT_EQ(it.id, e.id);
        EXPECT_EQ(it.x, e.x);
        EXPECT_EQ(it.y, e.y);
        EXPECT_EQ(it.cx, e.cx);
        EXPECT_EQ(it.cy, e.cy);
        EXPECT_TRUE(ResourceId(it.className).Matches(ResourceId(e.cls))) << it.className;
        EXPECT_EQ(it.text, e.text);
        EXPECT_EQ(it.IsDefaultPushButton(), i == 0) << i;
    }
    // The frame is a named-class control; its style type (7) must not read as a button's.
    EXPECT_FALSE(d->items[3].classOrdinal.has_value());
    EXPECT_EQ(d->items[3].style & 0xFFu, 7u);
}

TEST(ModuleResourcesFile, AboutAndSettingsDialogs) {
    const auto about = Res().Dialog(16050);
    ASSERT_TRUE(about.has_value());
    EXPECT_EQ(about->title, "Corvanta Plug-in About");
    ASSERT_EQ(about->items.size(), 9u);
    const auto& ok = about->items[0];
    EXPECT_EQ(ok.text, "&OK");
    EXPECT_EQ(ok.id, 1);
    EXPECT_EQ(ok.x, 130);
    EXPECT_EQ(ok.y, 146);
    EXPECT_EQ(ok.cx, 40);
    EXPECT_EQ(ok.cy, 14);
    EXPECT_TRUE(ok.IsDefaultPushButton());
    for (size_t i = 1; i < about->items.size(); ++i) {
        EXPECT_EQ(about->items[i].id, -1);
        EXPECT_EQ(about->items[i].className, "Static");
    }
    EXPECT_EQ(about->items[8].text, "Technical support: support@corvanta.invalid");

    const auto settings = Res().Dialog(16100);
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->title, "Corvanta Plug-in");
    EXPECT_EQ(settings->cx, 241);
    EXPECT_EQ(settings->cy, 182);
    EXPECT_EQ(settings->fontName, "MS Sans Serif");
    EXPECT_TRUE(settings->items.empty());
    EXPECT_EQ(Res().Dialog(16000), std::nullopt);
}

TEST(ModuleResourcesFile, VersionBlock) {
    const auto v = Res().Version();
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->Value("FileVersion"), "1, 2, 0, 0");
    EXPECT_EQ(v->Value("OriginalFilename"), "QM07_ Corvanta.aip");
    EXPECT_EQ(v->Value("Comments"), "Draws randomised stars as path art.");
    EXPECT_EQ(v->Value("Missing"), std::nullopt);
    ASSERT_EQ(v->stringTables.size(), 1u);
    EXPECT_EQ(v->stringTables[0].key, "080904b0");
    EXPECT_EQ(v->stringTables[0].values.size(), 9u);
    ASSERT_EQ(v->translations.size(), 1u);
    EXPECT_EQ(v->translations[0], (VersionTranslation{0x0809, 1200}));
    EXPECT_EQ(v->fileVersion, (std::array<uint16_t, 4>{1, 2, 0, 0}));
}

// A prefix either ends on a record boundary and yields exactly the records before it, or is
// refused; nothing else, and never a read past the end (this runs under the sanitizers).
TEST(ModuleResourcesDamage, EveryTruncationParsesAPrefixOrIsRefused) {
    const auto& bytes = ResBytes();
    const auto& full = Res().Resources();
    size_t parsed = 0;
    for (size_t n = 0; n < bytes.size(); ++n) {
        try {
            const ModuleResources part = ParseResources(std::span(bytes.data(), n));
            ++parsed;
            ASSERT_LT(part.Resources().size(), full.size()) << n;
            for (size_t i = 0; i < part.Resources().size(); ++i) {
                EXPECT_EQ(part.Resources()[i].name, full[i].name) << n;
                EXPECT_EQ(part.Resources()[i].data, full[i].data) << n;
            }
            LookUpEverything(part);
        } catch (const ResourceError&) {
        }
    }
    // The marker's end and each record's end, with or without the record's trailing padding.
    EXPECT_GE(parsed, full.size());
    EXPECT_NE(ErrorOf([] { ParseResources({}); }), "");
}

TEST(ModuleResourcesDamage, CorruptSizeFieldsAreRefusedWithTheirOffset) {
    auto patched = [](size_t at, uint32_t value) {
        std::vector<uint8_t> b = ResBytes();
        for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
        return ErrorOf([&] { ParseResources(b); });
    };
    // The property list's record starts at 32.
    const std::string huge = patched(32, 0xFFFFFFF0u);
    EXPECT_NE(huge.find("DataSize"), std::string::npos) << huge;
    EXPECT_NE(huge.find("offset 32"), std::string::npos) << huge;
    // Two bytes too many lands the next record inside the one after.
    EXPECT_NE(patched(32, 78), "");
    EXPECT_NE(patched(36, 0).find("HeaderSize"), std::string::npos);
    EXPECT_NE(patched(36, 0xFFFFFFFFu).find("HeaderSize"), std::string::npos);
    // A header too short for its own name string.
    EXPECT_NE(patched(36, 32), "");
    // A 16-bit file, or any without the marker.
    EXPECT_NE(patched(0, 4).find("marker"), std::string::npos);
}

TEST(ModuleResourcesDamage, EverySingleByteCorruptionIsParsedOrRefused) {
    std::vector<uint8_t> b = ResBytes();
    for (size_t i = 0; i < b.size(); ++i) {
        const uint8_t saved = b[i];
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}}) {
            b[i] = value;
            try {
                LookUpEverything(ParseResources(b));
            } catch (const ResourceError&) {
            }
        }
        b[i] = saved;
    }
}

TEST(ModuleResourcesDamage, PropertyLists) {
    auto list = [](uint32_t count) { return Writer{}.U32(0).U32(count); };
    const uint32_t adbe = static_cast<uint32_t>(kPIPLVendorAdobe);
    EXPECT_NE(ErrorOf([&] { ParsePropertyList(list(0x10000000u).v); }).find("count"),
              std::string::npos);
    // A length past the end, reported at the data's file offset.
    const std::string past = ErrorOf([&] {
        ParsePropertyList(list(1).U32(adbe).U32(kPIPLKindKey).U32(0).U32(400).U32(0).v, 100);
    });
    EXPECT_NE(past.find("offset 124"), std::string::npos) << past;
    EXPECT_NE(ErrorOf([&] {
                  ParsePropertyList(list(1).U32(adbe).U32(kPIPLKindKey).U32(0).U32(2).U32(0).v);
              }),
              "");
    Writer unterminated = list(1).U32(adbe).U32(kPIPLWin32X86CodeKey).U32(0).U32(4);
    unterminated.v.insert(unterminated.v.end(), {'M', 'a', 'i', 'n'});
    EXPECT_NE(ErrorOf([&] { ParsePropertyList(unterminated.v); }).find("wx86"), std::string::npos);
    // Unknown keys carry any length; the last one may lack its padding.
    Writer other = list(1).U32(adbe).U32(0x41424344).U32(0).U32(3);
    other.v.insert(other.v.end(), {1, 2, 3});
    const PropertyList ok = ParsePropertyList(other.v);
    ASSERT_EQ(ok.properties.size(), 1u);
    EXPECT_EQ(ok.properties[0].data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ok.kind(), std::nullopt);
}

TEST(ModuleResourcesDamage, DialogsAndVersionBlocks) {
    EXPECT_NE(
        ErrorOf([] { ParseDialogTemplate(Writer{}.U16(1).U16(0xFFFF).U32(0).v); }).find("extended"),
        std::string::npos);
    // Two items promised, none present.
    Writer dialog =
        Writer{}.U32(0).U32(0).U16(2).U16(0).U16(0).U16(10).U16(10).U16(0).U16(0).Str("T");
    EXPECT_NE(ErrorOf([&] { ParseDialogTemplate(dialog.v); }).find("item"), std::string::npos);

    EXPECT_NE(
        ErrorOf([] { ParseVersionInfo(Writer{}.U16(0).U16(0).U16(0).U16(0).v); }).find("wLength"),
        std::string::npos);
    // A child claiming more than its parent holds.
    Writer child = Writer{}.U16(52).U16(0).U16(1).Str("VS_VERSION_INFO").Align();
    child.U16(200).U16(0).U16(1).Str("X");
    child.v.resize(52);
    EXPECT_NE(ErrorOf([&] { ParseVersionInfo(child.v); }).find("parent"), std::string::npos);
    // Nesting deep enough to threaten the stack.
    Writer deep;
    for (uint16_t depth = 0; depth < 40; ++depth)
        deep.U16(static_cast<uint16_t>(8 * (40 - depth))).U16(0).U16(0).U16(0);
    EXPECT_NE(ErrorOf([&] { ParseVersionInfo(deep.v); }).find("deep"), std::string::npos);

    // A string block that stops inside a string.
    Resource block;
    block.type = kResourceTypeString;
    block.name = uint16_t{1};
    block.data = Writer{}.U16(5).U16('a').v;
    const ModuleResources res(std::vector<Resource>{block});
    EXPECT_NE(ErrorOf([&] { (void)res.String(0); }), "");
    EXPECT_EQ(res.String(17), std::nullopt);
}

TEST(ModuleResourcesFile, UnreadableFilesAreNamed) {
    EXPECT_NE(ErrorOf([] { ReadFileBytes("/nonexistent/QM07.res"); }).find("/nonexistent/QM07.res"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { ReadFileBytes("/"); }), "");
}

}  // namespace
}  // namespace easel
