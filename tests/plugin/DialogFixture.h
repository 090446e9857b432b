// DialogFixture.h: the settings dialog run in this process as a filter: the real module's
// resources with this process's plug-in code as its entry point, run by Easel's host and dialog
// manager, with a script of the user's actions played into the settings dialog.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dialog/DialogLayout.h"
#include "dialogs/DialogModel.h"
#include "dialogs/DialogPresenter.h"
#include "document/Document.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"
#include "settings/StarSettings.h"

extern "C" SPErr SPAPI PluginMain(const char* caller, const char* selector, void* message);

namespace corvanta::testing {

using easel::DialogModel;
using easel::UserResult;

// The real module's resources, with this process's plug-in code as its entry point.
class InProcessLoader final : public easel::ModuleLoader {
public:
    std::vector<uint8_t> ReadResources(const std::string& path) override { return system_->ReadResources(path); }
    std::vector<std::string> ExportedSymbols(const std::string& path) override { return system_->ExportedSymbols(path); }
    Handle Open(const std::string&) override { return this; }
    void* Find(Handle, const std::string& name) override {
        return name == "PluginMain" ? reinterpret_cast<void*>(&PluginMain) : nullptr;
    }
    void Close(Handle) override {}

private:
    std::unique_ptr<easel::ModuleLoader> system_ = easel::MakeSystemModuleLoader();
};

// Plays a script in the next settings dialog once its init handler has run; a dialog the
// script leaves open is confirmed with "OK", as a user pressing it.
class ScriptedPresenter final : public easel::DialogPresenter {
public:
    std::function<void(DialogModel&)> script;
    std::vector<std::string> alerts;  // each other dialog's item texts, joined by '|'
    int32_t RunModal(DialogModel& d) override {
        if (d.ResourceId() != 16100) {
            std::string texts;
            for (const auto& item : d.Items()) texts += item->Text() + "|";
            alerts.push_back(texts);
            d.End(kOkItem);  // an alert
            return d.Result();
        }
        if (script) {
            auto run = std::move(script);
            script = nullptr;
            run(d);
        }
        if (!d.Ended()) {
            EXPECT_EQ(d.UserPress(kOkItem), UserResult::Done) << "OK can be pressed";
        }
        if (!d.Ended()) d.End(kOkItem);
        return d.Result();
    }
};

inline StarSettings NewRecord() {
    StarSettings s{};
    WriteDefaultSettings(s);
    s.userCentreH = 306.0f;  // the centre of a new document's view
    s.userCentreV = 396.0f;
    return s;
}

inline bool SameWordsBut(const StarSettings& a, const StarSettings& b, std::initializer_list<int> except) {
    for (int n = 0; n < kStarSettingsWords; ++n) {
        if (std::find(except.begin(), except.end(), n) != except.end()) continue;
        if (GetSettingsWord(a, n) != GetSettingsWord(b, n)) {
            ADD_FAILURE() << "word " << n << " differs";
            return false;
        }
    }
    return true;
}

inline constexpr int kFinalRunWord = 151;
inline constexpr int kPreviewDrawnWord = 152;

class DialogTest : public ::testing::Test {
protected:
    explicit DialogTest(easel::HostConfig config = Seeded()) : host_(std::move(config)) {}
    static easel::HostConfig Seeded() {
        easel::HostConfig c;
        c.seed = 5;
        return c;
    }
    // Seeded, with the first segment write failing with `code`: with Preview off, the go
    // run's first write.
    static easel::HostConfig FirstSegmentWriteFails(SPErr code) {
        easel::HostConfig c = Seeded();
        c.faults.push_back({"AI Path Suite/SetPathSegments", 1, code});
        return c;
    }

    void SetUp() override {
        doc_ = &host_.NewDocument();
        host_.SetDialogPresenter(presenter_);
        ASSERT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    }

    SPErr Run(std::function<void(DialogModel&)> script) {
        presenter_->script = std::move(script);
        const SPErr result = plugin_.RunFilter(*doc_);
        EXPECT_FALSE(presenter_->script) << "the settings dialog ran";
        return result;
    }

    StarSettings Record() {
        StarSettings s{};
        const auto bytes = host_.FilterParameterBytes(plugin_.Filter());
        EXPECT_TRUE(bytes && bytes->size() == sizeof s);
        if (bytes && bytes->size() == sizeof s) std::memcpy(&s, bytes->data(), sizeof s);
        return s;
    }
    void SetRecord(const StarSettings& s) {
        const auto* p = reinterpret_cast<const uint8_t*>(&s);
        ASSERT_TRUE(host_.SetFilterParameterBytes(plugin_.Filter(), std::vector<uint8_t>(p, p + sizeof s)));
    }

    // The record the open dialog edits.
    static StarSettings& Live(DialogModel& d) { return *static_cast<StarSettings*>(d.UserData()); }
    static easel::ItemModel& It(DialogModel& d, int32_t id) {
        easel::ItemModel* item = d.Item(id);
        EXPECT_NE(item, nullptr) << "item " << id;
        return *item;
    }

    std::vector<const easel::Art*> Paths() {
        std::vector<const easel::Art*> out;
        for (const easel::Layer& layer : doc_->layers)
            for (easel::ArtId id : layer.art) out.push_back(doc_->FindArt(id));
        return out;
    }
    std::vector<easel::SegmentPoints> OnlyPathPoints() {
        const auto paths = Paths();
        EXPECT_EQ(paths.size(), 1u);
        if (paths.empty()) return {};
        const easel::SegmentStore& s = paths[0]->path.segments;
        return {s.begin(), s.end()};
    }

    easel::Host host_;
    std::shared_ptr<ScriptedPresenter> presenter_ = std::make_shared<ScriptedPresenter>();
    easel::PluginManager plugin_{host_, std::make_unique<InProcessLoader>()};
    easel::Document* doc_ = nullptr;
};

}  // namespace corvanta::testing
