// Host.h: one Easel host session: the suite registry, the random sequence, the documents, the
// message transactions and fault injection.
//
// Suite entries are plain C functions, so they reach the session through one static pointer:
// only one Host may be live at a time, and making a second is a programming error that aborts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AIFilter.h"
#include "AIMenu.h"
#include "SPBasic.h"
#include "document/Document.h"

namespace easel {

struct HostConfig {
    std::optional<uint32_t> seed;            // random sequence seed; none = nondeterministic
    std::vector<std::string> omittedSuites;  // suite names the registry leaves out
    size_t memoryBudget = size_t(512) << 20; // bytes of art a document may hold
    size_t maxBlockSize = size_t(1) << 30;   // bytes; a larger block or handle answers '!MEM'
    // Fault injection: make the nth call (1-based) of `operation` fail once with `code`.
    // operation is "Suite Name/OperationName", e.g. "AI Path Suite/SetPathSegments", or "*" to
    // count every SPErr-returning suite operation together (for sweeping every call site).
    // The basic services (acquire, release) are not suite operations and are not counted.
    // An operation name the host does not have is refused by the Host constructor
    // (std::invalid_argument). A failing call does nothing and leaves its outputs untouched.
    struct Fault {
        std::string operation;
        int64_t nth;
        SPErr code;
    };
    std::vector<Fault> faults;
    // Notes the call site of each counted call (the return address into the caller's code),
    // for Host::CallSites and Host::FaultedCallSites. Off, no site is kept.
    bool trackCallSites = false;
};

struct Runtime;
class ModuleResources;
class DialogModel;
class DialogPresenter;

// A filter a plug-in added through the filter suite, and what the menu suite was told about
// its menu item.
struct FilterInfo {
    AIFilterHandle handle = nullptr;
    AIMenuItemHandle menuItem = nullptr;
    SPPluginRef plugin = nullptr;
    std::string key;       // the unique name the plug-in gave
    std::string category;  // the submenu of the filter menu
    std::string title;     // the menu item's text
    bool automaticUpdate = false;  // UpdateMenuItemAutomatically was called
    int32_t action = 0;
    int32_t ifDocument = 0;     // document conditions of the automatic update
    int32_t ifNotDocument = 0;
    AIFilterParameters parameters = nullptr;  // kept between runs of the filter
};

// A dialog as it was shown: its title and its items' texts after the plug-in's init.
struct DialogRecord {
    std::string name;
    int32_t resourceId = 0;
    std::string title;
    std::vector<std::pair<int32_t, std::string>> items;  // identifier, text; template order
    int32_t result = 0;  // what Modal returned
};

class Host {
public:
    explicit Host(HostConfig config = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The basic services a message carries; valid for the Host's lifetime.
    const SPBasicSuite* Basic() const;

    // A new document, which becomes the current one. Owned by the Host; the reference stays
    // valid for the Host's lifetime.
    Document& NewDocument(ColorModel model = ColorModel::RGB);
    // A document read from a file, which becomes the current one, as NewDocument's does.
    Document& OpenDocument(Document contents) {
        Document& doc = NewDocument(contents.colorModel);
        ReplaceDocument(doc, std::move(contents));
        return doc;
    }
    Document* CurrentDocument();

    // A host message: BeginMessage starts a new undo transaction (committing any open one),
    // EndMessage commits it and compacts the paths it touched. Outside messages, changes
    // still form a transaction that the next BeginMessage or EndMessage commits.
    void BeginMessage();
    void EndMessage();

    // The document that becomes current; false (and nothing changes) when `doc` is not one
    // of this Host's documents.
    bool SetCurrentDocument(const Document& doc);

    // Plug-ins: the identity a plug-in is given in its messages, and the resources its string
    // lists and dialog templates are read from. RemovePlugin drops its filters (disposing of
    // their parameters) and refuses the ref from then on.
    SPPluginRef AddPlugin(std::shared_ptr<const ModuleResources> resources, std::string name);
    void RemovePlugin(SPPluginRef plugin);

    // The live filters, in the order they were added.
    std::vector<FilterInfo> Filters() const;
    // Keeps `parameters` with the filter; false for a filter the host does not hold.
    bool SetFilterParameters(AIFilterHandle filter, AIFilterParameters parameters);
    // Whether the menu item is enabled now, by the conditions of its automatic update; an item
    // without one is always enabled. False for an unknown item.
    bool MenuItemEnabled(AIMenuItemHandle item) const;

    // The filter's parameter record as bytes: a copy of what its handle holds (empty when the
    // filter has none or is unknown), and a new record that replaces the kept one (a host
    // memory handle of those bytes; the old handle is disposed of). False for an unknown
    // filter or when no memory is left; nothing changes then.
    std::optional<std::vector<uint8_t>> FilterParameterBytes(AIFilterHandle filter) const;
    bool SetFilterParameterBytes(AIFilterHandle filter, const std::vector<uint8_t>& bytes);

    // What the dialog manager showed, oldest first. Headless, each is also written to stderr.
    const std::vector<std::string>& Alerts() const;
    const std::vector<DialogRecord>& Dialogs() const;

    // Who runs modal dialogs (easel/dialogs/DialogPresenter.h): a window, or the headless
    // presenter, which is the default; null restores the default. The Host keeps a share of it.
    void SetDialogPresenter(std::shared_ptr<DialogPresenter> presenter);
    // The dialogs open now, innermost last (for a window that shows them).
    std::vector<DialogModel*> OpenDialogs() const;

    int64_t CallCount() const;   // SPErr-returning suite calls so far
    int64_t CallCount(const std::string& operation) const;  // of one "Suite/Operation"
    // Every "Suite/Operation" called at least once so far, and those an injected fault failed
    // (in the order they failed): what a fault sweep reached and what it covered.
    std::vector<std::string> OperationsCalled() const;
    std::vector<std::string> FaultedOperations() const;
    // With HostConfig::trackCallSites: every place that called a counted operation, with the
    // number (1-based, among all counted calls, as "*" faults count) of its first call, in the
    // order first called; and the places whose call an injected fault failed, in order. A
    // place is an address in the caller's code, the same for every call from that place.
    struct CallSite {
        uintptr_t address;
        int64_t firstCall;
    };
    std::vector<CallSite> CallSites() const;
    std::vector<uintptr_t> FaultedCallSites() const;
    int OpenAcquisitions() const;  // acquisitions not yet released
    int64_t AcquireCount() const;
    int64_t ReleaseCount() const;
    int RedrawCount() const;       // RedrawDocument calls
    // Called by every RedrawDocument, synchronously, after it is counted (a window repaints
    // the document there, while a modal dialog may be open). Empty: none. Exceptions it
    // throws are turned into the suite's error code.
    void SetRedrawHandler(std::function<void()> handler);

    // Makes `doc` (one of this Host's documents) hold `contents`, as an undo of a whole
    // message does: outside a message only. Commits the open transaction first and starts a
    // new one on the replaced document; the host's indexes follow the new contents. False
    // (nothing changes) when `doc` is not the Host's.
    bool ReplaceDocument(Document& doc, Document contents);
    int OpenBlocks() const;        // SP Blocks not yet freed
    int OpenMemoryHandles() const; // MdMemory handles not yet disposed of
    size_t MemoryBudget() const;
    size_t HeldArtBytes() const;   // the running count the budget is checked against (current document)

private:
    std::unique_ptr<Runtime> runtime_;
};

}  // namespace easel
