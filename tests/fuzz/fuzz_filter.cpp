// libFuzzer target: arbitrary bytes as the filter's record, and the bytes after it as a short
// script of user actions in the settings dialog, through the real module in Easel. Whatever the
// input, nothing may crash, hang or leak, and the document must read back from its dump.
//
// Input: bytes 0 .. 631 are the record (missing bytes are 0); each following pair of bytes is
// one action: the first picks an item of the dialog (modulo their count), the second what is
// done to it (a value, an entry, a press or a pick).
//
// Persistent: the module is loaded once per process (KeptModules) and each input gets a fresh
// Host, PluginManager and document, so an input runs start-up, the dialog or the go run and
// shut-down, and nothing else. The work per input is bounded so that the fuzzer makes hundreds
// of inputs a second: the record's counts that multiply the art (stars, sketch repeats) are taken
// modulo small bounds, and the host's art budget is small, so what still grows past it ends
// with the host's -108, a path worth reaching too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "dialogs/DialogModel.h"
#include "dialogs/DialogPresenter.h"
#include "document/Document.h"
#include "export/JsonDump.h"
#include "host/Host.h"
#include "platform/KeptModules.h"
#include "plugins/PluginManager.h"
#include "settings/StarSettings.h"

namespace {

constexpr size_t kRecordSize = 632;
static_assert(kRecordSize == sizeof(corvanta::StarSettings));

// The words whose values multiply the work of a run, and the bound each is taken modulo (an
// int word keeps its sign, so negative counts still reach the plug-in's range checks).
struct CountBound {
    size_t offset;
    int32_t bound;
};
constexpr CountBound kCountBounds[] = {
    {offsetof(corvanta::StarSettings, starCount), 4},
    {offsetof(corvanta::StarSettings, sketchRepeats), 4},
    {offsetof(corvanta::StarSettings, starGroups), 12},
};

void BoundCounts(std::vector<uint8_t>& record) {
    for (const CountBound& c : kCountBounds) {
        int32_t v = 0;
        std::memcpy(&v, record.data() + c.offset, 4);
        v %= c.bound;
        std::memcpy(record.data() + c.offset, &v, 4);
    }
}

class BytePresenter final : public easel::DialogPresenter {
public:
    BytePresenter(const uint8_t* script, size_t size) : script_(script), size_(size) {}
    int32_t RunModal(easel::DialogModel& dialog) override {
        if (!played_ && dialog.Items().size() > 20) {
            played_ = true;
            for (size_t i = 0; i + 1 < size_ && i < 16 && !dialog.Ended(); i += 2) Play(dialog, script_[i], script_[i + 1]);
        }
        if (!dialog.Ended()) dialog.UserPress(1);
        if (!dialog.Ended()) dialog.End(1);
        return dialog.Result();
    }

private:
    static void Play(easel::DialogModel& dialog, uint8_t which, uint8_t what) {
        const auto& items = dialog.Items();
        const easel::ItemModel& item = *items[which % items.size()];
        const double span = item.Maximum() - item.Minimum();
        switch (item.Kind()) {
            case easel::ItemKind::SpinEdit:
                (void)dialog.UserSetValue(item.Id(), item.Minimum() + span * (what - 32) / 192.0);
                break;
            case easel::ItemKind::CheckBox: (void)dialog.UserSetValue(item.Id(), what & 1); break;
            case easel::ItemKind::PopupList: (void)dialog.UserChooseEntry(item.Id(), static_cast<int8_t>(what)); break;
            case easel::ItemKind::PushButton: (void)dialog.UserPress(item.Id()); break;
            case easel::ItemKind::PictureButton:
                if (what & 1) (void)dialog.UserPick(item.Id(), what * 4 - 100, what * 3 - 100);
                else (void)dialog.UserPress(item.Id());
                break;
            case easel::ItemKind::TextStatic: break;
        }
    }
    const uint8_t* script_;
    size_t size_;
    bool played_ = false;
};

// The dump's reader has a target of its own (fuzz_dump); here the round trip checks that what
// the plug-in makes reads back. Reading a dump costs more than the run that made it (an empty
// document's swatches and styles alone are 7 KB of text), so only documents with some art and
// up to this many segments are read back, and of those only one input in eight, chosen by a
// hash of its bytes (so an input that fails the check fails it every time it is run): the
// fuzzer's mutations spread the check over every kind of document while it costs an eighth.
constexpr size_t kRoundTripSegments = 64;
constexpr uint32_t kRoundTripShare = 8;

uint32_t HashOf(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;  // FNV-1a
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
    return h;
}

size_t SegmentsOf(const easel::Document& doc) {
    size_t n = 0;
    for (const auto& art : doc.arts)
        if (art) n += art->path.SegmentCount();
    for (const easel::Symbol& symbol : doc.symbols) n += symbol.art.path.SegmentCount();
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> record(kRecordSize, 0);
    for (size_t i = 0; i < kRecordSize && i < size; ++i) record[i] = data[i];
    BoundCounts(record);
    const uint8_t* script = size > kRecordSize ? data + kRecordSize : nullptr;
    const size_t scriptSize = size > kRecordSize ? size - kRecordSize : 0;

    easel::HostConfig config;
    config.seed = 1;
    config.memoryBudget = size_t(16) << 10;  // what grows past a few stars ends with -108
    easel::Host host(std::move(config));
    host.SetDialogPresenter(std::make_shared<BytePresenter>(script, scriptSize));
    {
        static easel::KeptModules modules;
        easel::PluginManager plugin(host, modules.Loader());
        if (plugin.Load(EASEL_MODULE) != kSPNoError) std::abort();
        easel::Document& doc = host.NewDocument();
        if (!host.SetFilterParameterBytes(plugin.Filter(), record)) std::abort();
        (void)(script ? plugin.RunFilter(doc) : plugin.FilterMessage(doc, "AI Go"));
        const size_t segments = SegmentsOf(doc);
        if (segments > 0 && segments <= kRoundTripSegments && HashOf(data, size) % kRoundTripShare == 0 &&
            !easel::SameDocument(easel::LoadDocumentText(easel::DumpDocumentText(doc)), doc))
            std::abort();
        if (host.OpenAcquisitions() != 0) std::abort();
        (void)plugin.Shutdown();
    }
    if (host.OpenAcquisitions() != 0 || host.OpenBlocks() != 0) std::abort();
    return 0;
}
