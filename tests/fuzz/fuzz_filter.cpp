// libFuzzer target: arbitrary bytes as the filter's record, and the bytes after it as a short
// script of user actions in the settings dialog, through the real module in Easel. Whatever the
// input, nothing may crash, hang or leak, and the document must read back from its dump.
//
// Input: bytes 0 .. 631 are the record (missing bytes are 0); each following pair of bytes is
// one action: the first picks an item of the dialog (modulo their count), the second what is
// done to it (a value, an entry, a press or a pick).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "dialogs/DialogModel.h"
#include "dialogs/DialogPresenter.h"
#include "document/Document.h"
#include "export/JsonDump.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"

namespace {

constexpr size_t kRecordSize = 632;

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> record(kRecordSize, 0);
    for (size_t i = 0; i < kRecordSize && i < size; ++i) record[i] = data[i];
    const uint8_t* script = size > kRecordSize ? data + kRecordSize : nullptr;
    const size_t scriptSize = size > kRecordSize ? size - kRecordSize : 0;

    easel::HostConfig config;
    config.seed = 1;
    config.memoryBudget = size_t(1) << 20;  // huge counts end with the host's -108 quickly
    easel::Host host(std::move(config));
    host.SetDialogPresenter(std::make_shared<BytePresenter>(script, scriptSize));
    {
        easel::PluginManager plugin(host);
        if (plugin.Load(EASEL_MODULE) != kSPNoError) std::abort();
        easel::Document& doc = host.NewDocument();
        if (!host.SetFilterParameterBytes(plugin.Filter(), record)) std::abort();
        (void)(script ? plugin.RunFilter(doc) : plugin.FilterMessage(doc, "AI Go"));
        if (!easel::SameDocument(easel::LoadDocumentText(easel::DumpDocumentText(doc)), doc)) std::abort();
        if (host.OpenAcquisitions() != 0) std::abort();
        (void)plugin.Shutdown();
    }
    if (host.OpenAcquisitions() != 0 || host.OpenBlocks() != 0) std::abort();
    return 0;
}
