// The kit shared by the host-suite checks (easel/validate/HostSuiteChecks.cpp): how a check
// reports its calls, the handles no host gave out, the check's own resources, the document and
// plug-ins the calls aim at, and the runner that acquires one suite, calls it and compares the
// document before and after. Each family of suites has its own file beside this one and adds
// its checks through one registration function.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "AIArt.h"
#include "AILayer.h"
#include "SPBasic.h"
#include "document/Document.h"
#include "export/JsonDump.h"
#include "host/Host.h"
#include "resources/ModuleResources.h"
#include "validate/Validator.h"

namespace easel::validate::host_suites {

inline constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
inline constexpr float kInf = std::numeric_limits<float>::infinity();
inline constexpr float kNonFinite[] = {kNaN, kInf, -kInf};
inline constexpr int32_t kBadInt32[] = {-1, INT32_MIN, INT32_MAX};
inline constexpr int16_t kBadInt16[] = {-1, INT16_MIN, INT16_MAX};

// ---- Reporting ------------------------------------------------------------------------------

template <typename... Parts>
std::string Cat(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

// A result code as the headers write it: four characters where it has them.
std::string CodeText(SPErr code);
std::string FloatText(float f);
// INT32_MIN and the like by name, other values in decimal.
std::string IntText(int64_t i);

// The calls one check made and what was wrong with their answers.
class Probe {
public:
    // A call whose code the header names.
    void Code(const std::string& call, SPErr got, SPErr want) {
        ++calls_;
        if (got != want) Fault(Cat(call, " answered ", CodeText(got), ", expected ", CodeText(want)));
    }
    // A call that must be refused, where the header names no single code for the case.
    void Fails(const std::string& call, SPErr got) {
        ++calls_;
        if (got == kSPNoError) Fault(call + " answered 0 (success)");
    }
    // A call whose documented result is checked by the caller.
    void Result(const std::string& call, bool asDocumented, const std::string& instead) {
        ++calls_;
        if (!asDocumented) Fault(call + ": " + instead);
    }
    // A call that only has to return (void entries given bad input).
    void Returned() { ++calls_; }
    void Fault(std::string what) { faults_.push_back(std::move(what)); }
    void Missing(const std::string& entry) {
        if (std::find(missing_.begin(), missing_.end(), entry) == missing_.end()) missing_.push_back(entry);
    }

    int64_t Calls() const { return calls_; }
    const std::vector<std::string>& Faults() const { return faults_; }
    const std::vector<std::string>& MissingEntries() const { return missing_; }

private:
    int64_t calls_ = 0;
    std::vector<std::string> faults_;
    std::vector<std::string> missing_;
};

// True when the suite has the entry; otherwise notes it, and its calls are skipped.
#define HAS(suite, entry) ((suite).entry != nullptr || (p.Missing(#entry), false))

// ---- Handles no host gave out ---------------------------------------------------------------

template <typename H>
struct Named {
    std::string name;
    H handle;
};

// The check's own resources: a string list and dialogs, so that the dialog manager is tested
// without any plug-in's module.
inline constexpr int32_t kStringList = 16000;
inline constexpr int32_t kDialog = 16100;
inline constexpr int32_t kDamagedDialog = 16101;
inline constexpr int32_t kOkItem = 1, kCancelItem = 2, kEditItem = 3, kLabelItem = 4, kComboItem = 5;

// The string list kStringList (three strings), the dialog kDialog (OK, Cancel, an edit field,
// a label and a combo box) and kDamagedDialog, a template cut short.
std::shared_ptr<const ModuleResources> CheckResources();

// Whether `table` is the placeholder Easel answers for the suite `name` until it implements it.
bool IsPlaceholder(const char* name, const void* table);

// One suite acquired through the basic services for as long as it lives.
template <typename Suite>
class Acquired {
public:
    Acquired(const SPBasicSuite* basic, const char* name, int32_t version)
        : basic_(basic), name_(name), version_(version) {
        const void* table = nullptr;
        if (basic_->AcquireSuite(name, version, &table) == kSPNoError) suite_ = static_cast<const Suite*>(table);
    }
    ~Acquired() {
        if (suite_) basic_->ReleaseSuite(name_, version_);
    }
    Acquired(const Acquired&) = delete;
    Acquired& operator=(const Acquired&) = delete;
    const Suite* operator->() const { return suite_; }
    explicit operator bool() const { return suite_ != nullptr; }

private:
    const SPBasicSuite* basic_;
    const char* name_;
    int32_t version_;
    const Suite* suite_ = nullptr;
};

// The session a check works in, and the objects its calls aim at.
struct Fixture {
    Fixture(const Context& c, Host& h) : context(c), host(h), random(c.seed), forgedCount(c.Scaled(8)) {}

    const Context& context;
    Host& host;
    Document* doc = nullptr;
    std::mt19937_64 random;
    int64_t forgedCount;
    int local = 0;  // its address is a handle no host gave out

    // "Layer 1" (current) holds `live`, a closed path of three segments; a locked and a hidden
    // layer hold one path each; `dead` and `deadLayer` were made in the current message and
    // undone.
    AIArtHandle live = nullptr, onLocked = nullptr, onHidden = nullptr, dead = nullptr;
    AILayerHandle layer = nullptr, lockedLayer = nullptr, hiddenLayer = nullptr, deadLayer = nullptr;
    SPPluginRef plugin = nullptr, deadPlugin = nullptr;

    // Handles of type H no host gave out: with or without NULL, the address of a local, all
    // bits set, a 32-bit value and a few random 64-bit patterns from the check's seed.
    template <typename H>
    std::vector<Named<H>> Forged(bool withNull = true) {
        std::vector<Named<H>> v;
        if (withNull) v.push_back({"NULL", nullptr});
        v.push_back({"&local", reinterpret_cast<H>(&local)});
        v.push_back({"~0", reinterpret_cast<H>(~uintptr_t{0})});
        v.push_back({"0xFFFFFFFF", reinterpret_cast<H>(uintptr_t{0xFFFFFFFFu})});
        for (int64_t i = 0; i < forgedCount; ++i) {
            const auto bits = static_cast<uintptr_t>(random());
            std::ostringstream name;
            name << "0x" << std::hex << bits;
            v.push_back({name.str(), reinterpret_cast<H>(bits)});
        }
        return v;
    }

    // Art handles that name no live art of the current document.
    std::vector<Named<AIArtHandle>> BadArt();
    std::vector<Named<AILayerHandle>> BadLayers();
};

// Builds the document the calls aim at; an empty string, or what went wrong.
std::string BuildDocument(Fixture& f);

// The check's own plug-in identity, and one that was removed.
void AddPlugins(Fixture& f);

// ---- The runner -----------------------------------------------------------------------------

// Whether the dump of the document reads back to the same document; empty when it does.
std::string RoundTrip(const Document& doc);

// What one check calls: without a document (optional), with bad arguments, then validly
// (optional).
template <typename Suite>
struct Calls {
    void (*noDocument)(Probe&, const Suite&) = nullptr;
    void (*hostile)(Probe&, Fixture&, const Suite&) = nullptr;
    void (*valid)(Probe&, Fixture&, const Suite&) = nullptr;
};

// The check's detail line: the number of calls, the first faults, the entries missing.
std::string Summary(const Probe& p);

// Runs one check in a fresh host; `name` null means the basic services themselves.
template <typename Suite>
bool RunSuite(const Context& c, const char* name, int32_t version, Calls<Suite> calls, std::string& detail) {
    HostConfig config;
    config.seed = c.seed;
    Host host(std::move(config));
    Probe p;
    Fixture f(c, host);
    const Suite* suite = nullptr;
    const SPBasicSuite* basic = host.Basic();
    if (name) {
        const void* table = nullptr;
        if (const SPErr e = basic->AcquireSuite(name, version, &table); e != kSPNoError || !table)
            return detail = Cat("acquiring the suite answered ", CodeText(e)), false;
        if (IsPlaceholder(name, table)) {
            basic->ReleaseSuite(name, version);
            detail = "a placeholder table: its calls are skipped until the suite is implemented";
            return true;
        }
        suite = static_cast<const Suite*>(table);
    } else {
        suite = reinterpret_cast<const Suite*>(basic);  // the basic services themselves
    }
    if (calls.noDocument) calls.noDocument(p, *suite);
    if (const std::string error = BuildDocument(f); !error.empty()) return detail = "setting up the document: " + error, false;
    AddPlugins(f);
    const int acquisitions = host.OpenAcquisitions();
    const std::string before = DumpDocumentText(*f.doc);
    calls.hostile(p, f, *suite);
    if (host.CurrentDocument() != f.doc) p.Fault("the current document changed");
    if (DumpDocumentText(*f.doc) != before) p.Fault("the refused calls changed the document");
    if (const std::string e = RoundTrip(*f.doc); !e.empty()) p.Fault("after the refused calls, " + e);
    if (calls.valid) calls.valid(p, f, *suite);
    if (const std::string e = RoundTrip(*f.doc); !e.empty()) p.Fault("after the valid calls, " + e);
    host.EndMessage();
    if (host.OpenAcquisitions() != acquisitions) p.Fault("the suite's calls left acquisitions open");
    if (name) basic->ReleaseSuite(name, version);
    if (host.OpenAcquisitions() != 0) p.Fault(Cat(host.OpenAcquisitions(), " acquisitions left open"));
    detail = Summary(p);
    return p.Faults().empty();
}

// Adds the check "host-suite/<shown, or the suite's name>".
template <typename Suite>
void Add(std::vector<Check>& checks, const char* name, int32_t version, Calls<Suite> calls, const char* shown = nullptr) {
    const std::string checkName = std::string("host-suite/") + (shown ? shown : name);
    checks.push_back({checkName, 60, [name, version, calls](const Context& c, std::string& detail) {
                          return RunSuite<Suite>(c, name, version, calls, detail);
                      }});
}

// ---- The families -----------------------------------------------------------------------------

// SP Basic, SP Blocks, MdMemory, Real Math, Random, User, Filter, Menu.
void AddServiceSuiteChecks(std::vector<Check>& checks);
// Document, Document View, Undo, Art, Path, Path Style, Swatch List, Art Style, Layer.
void AddDocumentSuiteChecks(std::vector<Check>& checks);
// Blend Style, Transform Art, Shape Construction, Envelope, Symbol.
void AddArtEffectSuiteChecks(std::vector<Check>& checks);
// The dialog manager: ADM Basic, Dialog, Item, List, Entry, Tracker.
void AddDialogSuiteChecks(std::vector<Check>& checks);

}  // namespace easel::validate::host_suites
