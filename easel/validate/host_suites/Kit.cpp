// The kit shared by the host-suite checks: reporting, the check's own resources, the document
// and plug-ins the calls aim at, and what the runner needs beyond its template.
#include "validate/host_suites/Kit.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <iterator>

#include "AIPath.h"
#include "AIUndo.h"
#include "suites/Runtime.h"

namespace easel::validate::host_suites {
namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
void PutText(std::vector<uint8_t>& out, const std::string& ascii) {
    for (char c : ascii) PutU16(out, static_cast<uint8_t>(c));
    PutU16(out, 0);
}

// A classic dialog template: OK (default), Cancel, an edit field, a label and a combo box.
std::vector<uint8_t> DialogTemplateBytes() {
    struct Item {
        uint32_t style;
        int16_t id;
        uint16_t classOrdinal;  // 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box
        const char* text;
    };
    const Item items[] = {
        {0x50010001u, kOkItem, 0x80, "OK"},
        {0x50010000u, kCancelItem, 0x80, "Cancel"},
        {0x50810080u, kEditItem, 0x81, ""},
        {0x50020000u, kLabelItem, 0x82, "Label"},
        {0x50210003u, kComboItem, 0x85, ""},
    };
    std::vector<uint8_t> out;
    PutU32(out, 0x80C80080u);  // popup, caption, system menu; no font
    PutU32(out, 0);
    PutU16(out, static_cast<uint32_t>(std::size(items)));
    for (int i = 0; i < 4; ++i) PutU16(out, i < 2 ? 0 : 200);  // x, y, cx, cy
    PutU16(out, 0);  // no menu
    PutU16(out, 0);  // the standard class
    PutText(out, "Host suite check");
    int16_t y = 10;
    for (const Item& item : items) {
        while (out.size() % 4 != 0) out.push_back(0);
        PutU32(out, item.style);
        PutU32(out, 0);
        PutU16(out, 10);
        PutU16(out, static_cast<uint16_t>(y));
        PutU16(out, 80);
        PutU16(out, 14);
        y = static_cast<int16_t>(y + 20);
        PutU16(out, static_cast<uint16_t>(item.id));
        PutU16(out, 0xFFFF);
        PutU16(out, item.classOrdinal);
        PutText(out, item.text);
        PutU16(out, 0);  // no creation data
    }
    return out;
}

// Strings kStringList .. +2 in their block of 16.
std::vector<uint8_t> StringBlockBytes() {
    const char* strings[16] = {"<host suite check>", "first", "second string"};
    std::vector<uint8_t> out;
    for (const char* s : strings) {
        const std::string text = s ? s : "";
        PutU16(out, static_cast<uint32_t>(text.size()));
        for (char c : text) PutU16(out, static_cast<uint8_t>(c));
    }
    return out;
}

}  // namespace

// ---- Reporting ------------------------------------------------------------------------------

std::string CodeText(SPErr code) {
    if (code == kSPNoError) return "0";
    const auto bits = static_cast<uint32_t>(code);
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((bits >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return std::to_string(code);
        text += c;
    }
    return text + "'";
}

std::string FloatText(float f) {
    if (std::isnan(f)) return "NaN";
    if (std::isinf(f)) return f > 0 ? "+inf" : "-inf";
    return Cat(f);
}

std::string IntText(int64_t i) {
    if (i == INT32_MIN) return "INT32_MIN";
    if (i == INT32_MAX) return "INT32_MAX";
    if (i == INT16_MIN) return "INT16_MIN";
    if (i == INT16_MAX) return "INT16_MAX";
    return std::to_string(i);
}

// ---- The check's resources and fixture ------------------------------------------------------

std::shared_ptr<const ModuleResources> CheckResources() {
    auto make = [](uint16_t type, uint16_t name, std::vector<uint8_t> data) {
        Resource r;
        r.type = ResourceId(type);
        r.name = ResourceId(name);
        r.language = 1033;
        r.data = std::move(data);
        return r;
    };
    std::vector<Resource> resources;
    resources.push_back(make(kResourceTypeString, kStringList / 16 + 1, StringBlockBytes()));
    resources.push_back(make(kResourceTypeDialog, kDialog, DialogTemplateBytes()));
    resources.push_back(make(kResourceTypeDialog, kDamagedDialog, {0x80, 0x00, 0xC8, 0x80, 0x00}));
    return std::make_shared<const ModuleResources>(std::move(resources));
}

bool IsPlaceholder(const char* name, const void* table) {
    for (const PlaceholderSuite& ph : PlaceholderSuites())
        if (std::strcmp(ph.name, name) == 0 && ph.table == table) return true;
    return false;
}

std::vector<Named<AIArtHandle>> Fixture::BadArt() {
    auto v = Forged<AIArtHandle>();
    v.push_back({"dead", dead});
    v.push_back({"a layer", reinterpret_cast<AIArtHandle>(layer)});
    return v;
}
std::vector<Named<AILayerHandle>> Fixture::BadLayers() {
    auto v = Forged<AILayerHandle>();
    v.push_back({"dead", deadLayer});
    v.push_back({"an art", reinterpret_cast<AILayerHandle>(live)});
    return v;
}

std::string BuildDocument(Fixture& f) {
    const SPBasicSuite* basic = f.host.Basic();
    Acquired<AIArtSuite> art(basic, kAIArtSuite, kAIArtSuiteVersion);
    Acquired<AIPathSuite> path(basic, kAIPathSuite, kAIPathSuiteVersion);
    Acquired<AILayerSuite> layers(basic, kAILayerSuite, kAILayerSuiteVersion);
    Acquired<AIUndoSuite> undo(basic, kAIUndoSuite, kAIUndoSuiteVersion);
    if (!art || !path || !layers || !undo) return "the art, path, layer or undo suite is missing";
    f.doc = &f.host.NewDocument();
    f.host.BeginMessage();
    const AIPathSegment segments[3] = {
        {{100, 100}, {100, 100}, {100, 100}, 1},
        {{200, 100}, {190, 120}, {210, 80}, 0},
        {{150, 200}, {150, 200}, {150, 200}, 1},
    };
    auto made = [](const char* what, SPErr e) { return e == kSPNoError ? std::string() : Cat(what, " answered ", CodeText(e)); };
    std::string error;
    auto step = [&](const char* what, SPErr e) {
        if (error.empty()) error = made(what, e);
    };
    step("GetCurrentLayer", layers->GetCurrentLayer(&f.layer));
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.live));
    step("SetPathSegments", path->SetPathSegments(f.live, 0, 3, segments));
    step("SetPathClosed", path->SetPathClosed(f.live, 1));
    step("InsertLayer", layers->InsertLayer(f.layer, kPlaceAbove, &f.lockedLayer));
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.onLocked));
    step("SetPathSegments", path->SetPathSegments(f.onLocked, 0, 2, segments));
    step("InsertLayer", layers->InsertLayer(f.lockedLayer, kPlaceAbove, &f.hiddenLayer));
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.onHidden));
    step("SetPathSegments", path->SetPathSegments(f.onHidden, 0, 1, segments));
    step("SetCurrentLayer", layers->SetCurrentLayer(f.layer));
    if (!error.empty()) return error;
    // Layer 1 at the bottom, then the locked layer, then the hidden one.
    if (f.doc->layers.size() != 3) return "InsertLayer did not give three layers";
    f.doc->layers[1].locked = true;
    f.doc->layers[2].visible = false;
    f.host.EndMessage();

    f.host.BeginMessage();
    AILayerHandle current = nullptr;
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.dead));
    step("InsertLayer", layers->InsertLayer(nullptr, kPlaceAboveAll, &f.deadLayer));
    step("UndoChanges", undo->UndoChanges());
    step("GetCurrentLayer", layers->GetCurrentLayer(&current));
    if (!error.empty()) return error;
    if (current != f.layer) return "UndoChanges did not restore the current layer";
    int16_t type = 0;
    if (art->GetArtType(f.dead, &type) == kSPNoError) return "an undone art is still live";
    return {};
}

void AddPlugins(Fixture& f) {
    f.plugin = f.host.AddPlugin(CheckResources(), "host suite check");
    f.deadPlugin = f.host.AddPlugin(CheckResources(), "removed");
    f.host.RemovePlugin(f.deadPlugin);
}

// ---- The runner -----------------------------------------------------------------------------

std::string RoundTrip(const Document& doc) {
    try {
        const std::string text = DumpDocumentText(doc);
        const Document loaded = LoadDocumentText(text);
        if (!SameDocument(doc, loaded)) return "the document read back from its dump differs from it";
        if (DumpDocumentText(loaded) != text) return "the document read back from its dump dumps differently";
    } catch (const std::exception& e) {
        return std::string("the document does not read back from its dump: ") + e.what();
    }
    return {};
}

std::string Summary(const Probe& p) {
    std::string detail = Cat(p.Calls(), " calls");
    if (p.Faults().empty()) detail += " answered as documented; the document is unchanged and reads back from its dump";
    if (!p.Faults().empty()) {
        detail += Cat(", ", p.Faults().size(), " wrong: ");
        for (size_t i = 0; i < p.Faults().size() && i < 4; ++i) detail += (i ? "; " : "") + p.Faults()[i];
        if (p.Faults().size() > 4) detail += "; ...";
    }
    if (!p.MissingEntries().empty()) {
        detail += "; not implemented yet, calls skipped:";
        for (const std::string& m : p.MissingEntries()) detail += " " + m;
    }
    return detail;
}

}  // namespace easel::validate::host_suites
