// The checks that run the filter as a user would, under faults and hostile input:
//   faults/…        every host call of a run made to fail once, in turn
//   records/…       random and extreme records through "AI Go" and through the dialog
//   scripts/…       random user actions in the dialog, ending in Cancel or OK
//   repeat/…        the same seed gives the same document
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <set>

#include "dialogs/DialogModel.h"
#include "dialogs/DialogPresenter.h"
#include "dialogs/HeadlessPresenter.h"
#include "document/Document.h"
#include "export/JsonDump.h"
#include "host/Host.h"
#include "platform/Files.h"
#include "plugins/PluginManager.h"
#include "validate/Validator.h"

namespace easel::validate {
namespace {

constexpr size_t kRecordSize = 632;
constexpr int kPresetCount = 30;
constexpr int32_t kPresetList = 152, kTumbleButton = 181, kCancelItem = 2;

// A small budget, so that a hostile record asking for millions of segments ends with the
// host's out-of-memory code quickly instead of filling the machine.
constexpr size_t kValidationBudget = size_t(8) << 20;

std::string Code(SPErr e) { return std::to_string(e); }

struct Scenario {
    std::string name;
    std::vector<DialogAction> actions;  // played in the settings dialog
};

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> all;
    all.push_back({"default", {}});
    for (int p = 0; p < kPresetCount; ++p)
        all.push_back({"preset-" + std::to_string(p), {ParseSetAction(std::to_string(kPresetList) + "=" + std::to_string(p))}});
    all.push_back({"tumble", {ParsePressAction(std::to_string(kTumbleButton))}});
    all.push_back({"cancel", {ParseSetAction(std::to_string(kPresetList) + "=13"), ParsePressAction(std::to_string(kCancelItem))}});
    return all;
}

// A presenter that plays a script without writing anything, or hands the dialog to a function.
class QuietPresenter final : public DialogPresenter {
public:
    explicit QuietPresenter(std::vector<DialogAction> actions) : null_(OpenNullOutput()) {
        inner_ = std::make_unique<HeadlessPresenter>(null_ ? null_ : stdout, null_ ? null_ : stderr);
        inner_->SetScript(std::move(actions));
    }
    explicit QuietPresenter(std::function<void(DialogModel&)> play) : play_(std::move(play)) {}
    ~QuietPresenter() override {
        inner_.reset();
        if (null_) std::fclose(null_);
    }
    int32_t RunModal(DialogModel& dialog) override {
        if (inner_) return inner_->RunModal(dialog);
        if (play_ && dialog.Items().size() > 20 && !played_) {  // the settings dialog
            played_ = true;
            play_(dialog);
        }
        if (!dialog.Ended()) dialog.UserPress(1);
        if (!dialog.Ended()) dialog.End(1);
        return dialog.Result();
    }

private:
    std::FILE* null_ = nullptr;
    std::unique_ptr<HeadlessPresenter> inner_;
    std::function<void(DialogModel&)> play_;
    bool played_ = false;
};

// What one use of the filter left.
struct Outcome {
    SPErr startup = kSPNoError;
    SPErr run = kSPNoError;
    std::string before;    // the document's dump before the filter ran
    std::string after;     // and after
    std::optional<std::vector<uint8_t>> recordBefore, recordAfter;
    std::string problem;   // a broken promise, found on the way; empty when none
    int64_t calls = 0;
    std::vector<std::string> reached, faulted;
    // With HostConfig::trackCallSites, the plug-in's call sites as offsets into its module
    // (the same in every run, wherever the module was loaded): those reached, each with the
    // number of its first call, and those an injected fault failed. Calls from elsewhere are
    // left out.
    std::vector<std::pair<int64_t, int64_t>> sites;
    std::vector<int64_t> faultedSites;
};

enum class Selector { Dialog, GoOnly };

Outcome UseFilter(const Context& c, HostConfig config, std::shared_ptr<DialogPresenter> presenter,
                  const std::optional<std::vector<uint8_t>>& record, Selector selector = Selector::Dialog) {
    config.memoryBudget = kValidationBudget;
    Outcome o;
    Host host(std::move(config));
    host.SetDialogPresenter(std::move(presenter));
    {
        PluginManager plugin(host);
        o.startup = plugin.Load(c.plugin);
        Document& doc = host.NewDocument();
        if (const AIFilterHandle filter = plugin.Filter()) {
            if (record && !host.SetFilterParameterBytes(filter, *record)) o.problem = "the host refused the record";
            o.recordBefore = host.FilterParameterBytes(filter);
            o.before = DumpDocumentText(doc);
            o.run = selector == Selector::Dialog ? plugin.RunFilter(doc)
                                                 : plugin.FilterMessage(doc, "AI Go");
            o.recordAfter = host.FilterParameterBytes(filter);
            o.after = DumpDocumentText(doc);
            // Well formed: the dump reads back to the same document.
            if (o.problem.empty() && !SameDocument(LoadDocumentText(o.after), doc))
                o.problem = "the document does not read back from its dump";
            if (o.problem.empty() && host.OpenAcquisitions() != 0)
                o.problem = std::to_string(host.OpenAcquisitions()) + " suites still held after the message";
        }
        // Before shut-down, which unloads the module: its addresses can be told only now.
        for (const Host::CallSite& site : host.CallSites())
            if (const int64_t offset = plugin.ModuleOffset(site.address); offset >= 0)
                o.sites.emplace_back(offset, site.firstCall);
        for (uintptr_t address : host.FaultedCallSites())
            if (const int64_t offset = plugin.ModuleOffset(address); offset >= 0) o.faultedSites.push_back(offset);
        (void)plugin.Shutdown();
    }
    if (o.problem.empty() && host.OpenAcquisitions() != 0) o.problem = "suites still held after shut-down";
    o.calls = host.CallCount();
    o.reached = host.OperationsCalled();
    o.faulted = host.FaultedOperations();
    return o;
}

// The record bytes but `previewDrawn` (word 152), which a canceled dialog clears.
bool SameRecordButPreviewDrawn(const std::optional<std::vector<uint8_t>>& a, const std::optional<std::vector<uint8_t>>& b) {
    if (!a || !b || a->size() != b->size()) return a == b;
    for (size_t i = 0; i < a->size(); ++i)
        if ((i < 152 * 4 || i >= 153 * 4) && (*a)[i] != (*b)[i]) return false;
    return true;
}

// ---- 4. Fault injection ----

// The plug-in's own call sites (each place in its code that calls the host) are found in a
// run without faults; each is then made to fail at its first call, as is each operation
// reached, and calls of the whole run at random besides. Coverage is reported by call site
// and by host operation.
bool FaultSweep(const Context& c, const Scenario& s, std::string& detail) {
    HostConfig clean;
    clean.seed = c.seed;
    clean.trackCallSites = true;
    const Outcome baseline = UseFilter(c, clean, std::make_shared<QuietPresenter>(s.actions), std::nullopt);
    if (!baseline.problem.empty()) return detail = "without faults: " + baseline.problem, false;
    if (baseline.startup != kSPNoError) return detail = "without faults, start-up answered " + Code(baseline.startup), false;

    std::vector<HostConfig::Fault> faults;
    const SPErr codes[] = {kSPOutOfMemoryError, kSPBadParameterError, kAILockedLayerError};
    int which = 0;
    for (const auto& [offset, firstCall] : baseline.sites) faults.push_back({"*", firstCall, codes[which++ % 3]});
    // Shut-down's calls come after the module's sites can be told; each operation's first call
    // covers them.
    for (const std::string& op : baseline.reached) faults.push_back({op, 1, codes[which++ % 3]});
    std::mt19937 random(c.seed);
    const int64_t budget = c.Scaled(60);
    if (baseline.calls <= budget) {
        for (int64_t k = 1; k <= baseline.calls; ++k) faults.push_back({"*", k, codes[which++ % 3]});
    } else {
        std::uniform_int_distribution<int64_t> pick(1, baseline.calls);
        for (int64_t i = 0; i < budget; ++i) faults.push_back({"*", pick(random), codes[which++ % 3]});
    }

    std::set<int64_t> sitesReached, sitesFailed;
    for (const auto& [offset, firstCall] : baseline.sites) sitesReached.insert(offset);
    std::set<std::string> operationsFailed;
    for (const HostConfig::Fault& f : faults) {
        HostConfig config;
        config.seed = c.seed;
        config.faults = {f};
        config.trackCallSites = true;
        const Outcome o = UseFilter(c, config, std::make_shared<QuietPresenter>(s.actions), std::nullopt);
        const std::string where = f.operation + " call " + std::to_string(f.nth) + " failing with " + Code(f.code);
        if (!o.problem.empty()) return detail = where + ": " + o.problem, false;
        for (const std::string& op : o.faulted) operationsFailed.insert(op);
        for (int64_t site : o.faultedSites)
            if (sitesReached.count(site)) sitesFailed.insert(site);
        if (o.run == kSPUserCanceledError && o.after != o.before)
            return detail = where + ": canceled, yet the document changed", false;
    }
    detail = std::to_string(faults.size()) + " runs of " + std::to_string(baseline.calls) + " calls; call sites failed " +
             std::to_string(sitesFailed.size()) + " of " + std::to_string(sitesReached.size()) +
             " reached; operations failed " + std::to_string(operationsFailed.size()) + " of " +
             std::to_string(baseline.reached.size()) + " reached";
    return true;
}

// ---- 5. Records ----

// A default record, as the plug-in makes it for a new filter.
std::optional<std::vector<uint8_t>> DefaultRecord(const Context& c) {
    HostConfig config;
    config.seed = c.seed;
    return UseFilter(c, config, std::make_shared<QuietPresenter>(std::vector<DialogAction>{}), std::nullopt).recordAfter;
}

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

// The values every word is tried with: integer and float extremes, zero, small counts.
std::vector<uint32_t> HostileWords() {
    const float inf = std::numeric_limits<float>::infinity();
    return {0u, 1u, 2u, 0xFFFFFFFFu /* -1 */, 0x7FFFFFFFu /* INT_MAX */, 0x80000000u /* INT_MIN */,
            16u, 17u, 30u, 1000u, 100000u, Bits(std::numeric_limits<float>::quiet_NaN()), Bits(inf),
            Bits(-inf), Bits(std::numeric_limits<float>::max()), Bits(-std::numeric_limits<float>::max()),
            Bits(1e9f), Bits(-1e9f), Bits(0.5f), Bits(-0.0f), Bits(1e-40f)};
}

bool HostileRecords(const Context& c, Selector selector, std::string& detail) {
    const auto defaults = DefaultRecord(c);
    if (!defaults || defaults->size() != kRecordSize) return detail = "the plug-in made no record of 632 bytes", false;
    std::mt19937 random(c.seed);
    const std::vector<uint32_t> values = HostileWords();
    const int64_t words = c.Scaled(60), randomRecords = c.Scaled(10);
    int64_t runs = 0;
    auto use = [&](const std::vector<uint8_t>& record, const std::string& what) {
        HostConfig config;
        config.seed = c.seed;
        const Outcome o = UseFilter(c, config, std::make_shared<QuietPresenter>(std::vector<DialogAction>{}), record, selector);
        ++runs;
        if (!o.problem.empty()) return detail = what + ": " + o.problem, false;
        return true;
    };
    // One word at a hostile value, the rest of the record as the plug-in made it.
    for (int64_t i = 0; i < words; ++i) {
        std::vector<uint8_t> record = *defaults;
        const size_t word = std::uniform_int_distribution<size_t>(0, kRecordSize / 4 - 1)(random);
        const uint32_t v = values[std::uniform_int_distribution<size_t>(0, values.size() - 1)(random)];
        std::memcpy(record.data() + word * 4, &v, 4);
        char what[64];
        std::snprintf(what, sizeof what, "word %zu = 0x%08x", word, v);
        if (!use(record, what)) return false;
    }
    for (int64_t i = 0; i < randomRecords; ++i) {
        std::vector<uint8_t> record(kRecordSize);
        for (uint8_t& b : record) b = static_cast<uint8_t>(random());
        if (!use(record, "random record " + std::to_string(i))) return false;
    }
    detail = std::to_string(runs) + " hostile records";
    return true;
}

// ---- 6. Dialog scripts ----

// Plays `count` random user actions: any item, values in and out of range, presses, picks,
// tab changes, presets, Tumble, Shuffle. OK and Cancel are left to the end.
void PlayRandomActions(DialogModel& dialog, std::mt19937& random, int64_t count) {
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    for (int64_t i = 0; i < count && !dialog.Ended(); ++i) {
        const auto& items = dialog.Items();
        const ItemModel& item = *items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(random)];
        const int32_t id = item.Id();
        switch (item.Kind()) {
            case ItemKind::SpinEdit: {
                const double lo = item.Minimum(), hi = item.Maximum(), span = hi - lo + 1;
                const int mode = static_cast<int>(random() % 4);
                const double v = mode == 0 ? lo - uniform(0, span) : mode == 1 ? hi + uniform(0, span) : uniform(lo, hi);
                (void)dialog.UserSetValue(id, item.Precision() == 0 ? std::round(v) : v);
                break;
            }
            case ItemKind::CheckBox: (void)dialog.UserSetValue(id, item.Value() != 0 ? 0 : 1); break;
            case ItemKind::PopupList: {
                const int32_t n = item.List() ? static_cast<int32_t>(item.List()->Size()) : 0;
                (void)dialog.UserChooseEntry(id, std::uniform_int_distribution<int32_t>(-1, n)(random));
                break;
            }
            case ItemKind::PushButton:
                if (id != 1 && id != 2) (void)dialog.UserPress(id);
                break;
            case ItemKind::PictureButton:
                if (random() % 2) (void)dialog.UserPress(id);
                else (void)dialog.UserPick(id, static_cast<int32_t>(random() % 900) - 100, static_cast<int32_t>(random() % 900) - 100);
                break;
            case ItemKind::TextStatic: break;
        }
    }
}

bool DialogScripts(const Context& c, bool cancel, std::string& detail) {
    std::mt19937 random(c.seed);
    const int64_t scripts = c.Scaled(cancel ? 30 : 15);
    const auto defaults = DefaultRecord(c);
    for (int64_t s = 0; s < scripts; ++s) {
        const uint32_t scriptSeed = static_cast<uint32_t>(random());
        std::string lastPreview;
        bool okEnded = false;
        HostConfig config;
        config.seed = c.seed + static_cast<uint32_t>(s);
        Host* hostSeen = nullptr;
        (void)hostSeen;
        auto play = [&, scriptSeed](DialogModel& dialog) {
            std::mt19937 r(scriptSeed);
            PlayRandomActions(dialog, r, 1 + static_cast<int64_t>(r() % 12));
            if (!dialog.Ended()) (void)dialog.UserPress(cancel ? 2 : 1);
            okEnded = dialog.Ended() && dialog.Result() == 1;
        };
        const Outcome o = UseFilter(c, config, std::make_shared<QuietPresenter>(play), defaults);
        const std::string what = "script " + std::to_string(s) + " (seed " + std::to_string(scriptSeed) + ")";
        if (!o.problem.empty()) return detail = what + ": " + o.problem, false;
        if (o.run == kSPUserCanceledError) {
            if (o.after != o.before) return detail = what + ": canceled, yet the document changed", false;
            if (!SameRecordButPreviewDrawn(o.recordBefore, o.recordAfter))
                return detail = what + ": canceled, yet the record changed", false;
        } else if (o.run != kSPNoError && o.run != kSPOutOfMemoryError) {
            return detail = what + ": the filter answered " + Code(o.run), false;
        }
        (void)okEnded;
    }
    detail = std::to_string(scripts) + " scripts ending in " + (cancel ? "Cancel" : "OK");
    return true;
}

// ---- 7. Repeatability ----

bool SameSeedSameDocument(const Context& c, std::string& detail) {
    int compared = 0;
    for (const Scenario& s : Scenarios()) {
        if (s.name == "cancel") continue;
        std::string first;
        for (int round = 0; round < 2; ++round) {
            HostConfig config;
            config.seed = c.seed;
            const Outcome o = UseFilter(c, config, std::make_shared<QuietPresenter>(s.actions), std::nullopt);
            if (!o.problem.empty()) return detail = s.name + ": " + o.problem, false;
            if (round == 0) first = o.after;
            else if (o.after != first) return detail = s.name + ": the same seed drew two different documents", false;
        }
        ++compared;
    }
    detail = std::to_string(compared) + " uses drawn twice, the same each time";
    return true;
}

}  // namespace

void AddScenarioChecks(std::vector<Check>& checks) {
    for (const Scenario& s : Scenarios())
        checks.push_back({"faults/" + s.name, 120,
                          [s](const Context& c, std::string& d) { return FaultSweep(c, s, d); }});
    checks.push_back({"records/go", 240, [](const Context& c, std::string& d) { return HostileRecords(c, Selector::GoOnly, d); }});
    checks.push_back({"records/dialog", 240, [](const Context& c, std::string& d) { return HostileRecords(c, Selector::Dialog, d); }});
    checks.push_back({"scripts/cancel", 120, [](const Context& c, std::string& d) { return DialogScripts(c, true, d); }});
    checks.push_back({"scripts/ok", 120, [](const Context& c, std::string& d) { return DialogScripts(c, false, d); }});
    checks.push_back({"repeat/same-seed", 120, SameSeedSameDocument});
}

}  // namespace easel::validate
