// easel: loads a plug-in module, runs its filter on a new document and writes the document.
//
//   easel [--plugin PATH] [--seed N] [-o FILE] [--about] [--gui [FILE]] [--without-suite NAME]...
//         [--color-model gray|rgb|cmyk]
//         [--set ID=VALUE] [--press ID] [--pick ID=H,V] [--list-items[=json]]...
//         [--params FILE] [--fresh]
//
// The filter runs as the host runs it: "AI Get Parameters" (the settings dialog, driven by the
// actions in the order given, then OK), and when that gives 0, "AI Go". The filter's record is
// kept between runs in a file (plugins/KeptRecord.h).
//
// Exit status: 0 success, and a canceled dialog (nothing is written); 1 the plug-in or the
// export failed (the message is shown); 2 a usage error or an action the dialog refused (the
// option or value at fault is named; nothing is written).
#include <CLI/CLI.hpp>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <stdexcept>
#include <optional>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "dialogs/HeadlessPresenter.h"
#include "export/Export.h"
#include "export/JsonDump.h"
#if EASEL_HAS_SVG_IMPORT
#include "import/SvgImport.h"
#endif
#if EASEL_HAS_WINDOW
#include "gui/Gui.h"
#endif
#include "host/Host.h"
#include "plugins/KeptRecord.h"
#include "CommandLineParse.h"
#include "platform/ChildProcess.h"
#include "plugins/PluginManager.h"
#include "validate/ValidateMain.h"

namespace {

constexpr const char* kModuleName = "QM07_Corvanta.aip";

// The module beside the executable, else the one of the build tree it was built with.
std::string DefaultPlugin() {
    if (const std::optional<std::filesystem::path> self = easel::ThisExecutable()) {
        std::error_code ec;
        const std::filesystem::path beside = self->parent_path() / kModuleName;
        if (std::filesystem::exists(beside, ec)) return beside.string();
    }
    return EASEL_BUILD_MODULE;
}

// A result code as people read it: four printable characters in quotes, else the number.
std::string CodeText(SPErr e) {
    const auto u = static_cast<uint32_t>(e);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((u >> shift) & 0xff);
        if (c < 0x20 || c > 0x7e) return std::to_string(e);
        text += c;
    }
    return "'" + text + "'";
}

// The size of the settings record of the filter Easel was made for; a kept record of any other
// size is refused, so that a broken file never reaches the plug-in.
constexpr size_t kRecordSize = 632;

struct Options {
    std::string pluginPath;
    std::optional<uint32_t> seed;
    std::string output = "stars.svg";
    bool about = false;
    bool gui = false;
    std::vector<std::string> withoutSuites;
    std::vector<easel::DialogAction> actions;  // in the order given
    std::string paramsPath;  // empty: the default file
    bool fresh = false;
    easel::ColorModel colorModel = easel::ColorModel::RGB;  // of the new document
    std::string openPath;  // --open: the document the filter runs on instead of a new one
    bool force = false;    // write over OUT even when reading the input lost something
};

std::string LowerExtension(const std::string& path) {
    std::string lower;
    for (char c : std::filesystem::path(path).extension().string())
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// A document read from a file: the JSON dump whole, an SVG through the importer (whose
// warnings name what the document could not hold).
struct OpenedDocument {
    easel::Document document;
    std::vector<std::string> warnings;
};

// Reads `path` (named by `option` in messages); the exit status on failure: 1 for a file that
// cannot be read, 2 for a kind this build cannot read.
std::variant<OpenedDocument, int> ReadInput(const std::string& option, const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".json") {
        try {
            return OpenedDocument{easel::LoadDocumentFile(path), {}};
        } catch (const easel::DumpError& e) {
            std::fprintf(stderr, "easel: %s\n", e.what());
            return 1;
        }
    }
    if (ext == ".svg") {
#if EASEL_HAS_SVG_IMPORT
        try {
            easel::ImportResult r = easel::ImportSvgFile(path);
            for (const std::string& w : r.warnings) std::fprintf(stderr, "easel: warning: %s\n", w.c_str());
            return OpenedDocument{std::move(r.document), std::move(r.warnings)};
        } catch (const easel::ImportError& e) {
            std::fprintf(stderr, "easel: %s\n", e.what());
            return 1;
        }
#else
        std::fprintf(stderr, "easel: %s %s: this build of easel cannot read SVG (it is built without libxml2 and "
                     "SVG++); open a .json dump instead\n", option.c_str(), path.c_str());
        return 2;
#endif
    }
    std::fprintf(stderr, "easel: %s %s: the file must end in .svg or .json\n", option.c_str(), path.c_str());
    return 2;
}

// Writing over an existing file after the input lost something needs --force.
bool MayWrite(const std::string& output, const std::vector<std::string>& warnings, bool force) {
    std::error_code ec;
    if (warnings.empty() || force || !std::filesystem::exists(output, ec)) return true;
    std::fprintf(stderr, "easel: %s exists and reading the input lost something (%s): it is not written over "
                 "without --force\n", output.c_str(), warnings.front().c_str());
    return false;
}

// The output's extension: 0 when Easel can write it, else 2 (and why said).
int CheckOutput(const std::string& output) {
    const std::string lower = LowerExtension(output);
    if (lower != ".svg" && lower != ".json" && lower != ".png" && lower != ".pdf") {
        std::fprintf(stderr, "easel: -o %s: the file must end in .svg, .json, .png or .pdf\n", output.c_str());
        return 2;
    }
    if ((lower == ".png" || lower == ".pdf") && !easel::kCanWriteRaster) {
        std::fprintf(stderr, "easel: -o %s: %s\n", output.c_str(), easel::kNoRasterReason);
        return 2;
    }
    return 0;
}

// The filter's kept record: where it is, and whether this run may replace it.
struct KeptRecord {
    std::optional<std::filesystem::path> path;
    bool writable = false;  // false with --fresh, or when the file was refused
    std::optional<std::vector<uint8_t>> loaded;
};

KeptRecord LoadKeptRecord(easel::Host& host, AIFilterHandle filter, const std::string& key, const Options& o) {
    KeptRecord kept;
    if (o.fresh) return kept;
    kept.path = o.paramsPath.empty() ? easel::DefaultRecordPath(key) : std::filesystem::path(o.paramsPath);
    if (!kept.path) {
        std::fprintf(stderr, "easel: no configuration directory (HOME is not set): the settings are not kept\n");
        return kept;
    }
    const easel::RecordRead read = easel::ReadRecordFile(*kept.path, kRecordSize);
    switch (read.status) {
        case easel::RecordRead::Status::Missing: kept.writable = true; break;
        case easel::RecordRead::Status::Refused:
            std::fprintf(stderr, "easel: %s; the filter starts from its defaults and the file is left as it is\n",
                         read.problem.c_str());
            break;
        case easel::RecordRead::Status::Read:
            if (!host.SetFilterParameterBytes(filter, read.bytes)) throw std::bad_alloc();
            kept.writable = true;
            kept.loaded = read.bytes;
            break;
    }
    return kept;
}

// Keeps the filter's record for the next run; false (and said) when it cannot be written.
bool SaveKeptRecord(const easel::Host& host, AIFilterHandle filter, const KeptRecord& kept) {
    if (!kept.path || !kept.writable) return true;
    const std::optional<std::vector<uint8_t>> bytes = host.FilterParameterBytes(filter);
    if (!bytes || *bytes == kept.loaded) return true;
    if (bytes->size() != kRecordSize) {
        std::fprintf(stderr, "easel: the filter left a record of %zu bytes, not %zu: it is not kept\n", bytes->size(),
                     kRecordSize);
        return true;
    }
    try {
        easel::WriteRecordFile(*kept.path, *bytes);
    } catch (const easel::RecordFileError& e) {
        std::fprintf(stderr, "easel: the settings are not kept: %s\n", e.what());
        return false;
    }
    return true;
}

// The actions' verdict after the dialog: 0 when they all ran, else 2 (and the reason said).
int ActionStatus(const easel::HeadlessPresenter& driver) {
    if (const auto& error = driver.ScriptError()) {
        std::fprintf(stderr, "easel: %s; nothing was written\n", error->c_str());
        return 2;
    }
    if (driver.ScriptPending()) {
        std::fprintf(stderr, "easel: no dialog opened, so the dialog actions were not played; nothing was written\n");
        return 2;
    }
    return 0;
}

bool StderrIsTerminal() {
#ifdef _WIN32
    return ::_isatty(::_fileno(stderr)) != 0;
#else
    return ::isatty(::fileno(stderr)) != 0;
#endif
}

// The export's progress as one line on standard error, rewritten in place, once the export
// has run a second; nothing at all when standard error is not a terminal.
class ExportProgress final : public easel::Progress {
public:
    explicit ExportProgress(std::string path)
        : path_(std::move(path)), terminal_(StderrIsTerminal()), start_(Clock::now()) {}
    bool Report(double done) override {
        if (!terminal_) return true;
        const Clock::time_point now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(100)) return true;
        last_ = now;
        std::fprintf(stderr, "\reasel: writing %s: %3d%%", path_.c_str(), static_cast<int>(done * 100.0));
        std::fflush(stderr);
        shown_ = true;
        return true;
    }
    // Takes the line away again.
    void Clear() {
        if (!shown_) return;
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(path_.size()) + 24, "");
        shown_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::string path_;
    bool terminal_;
    Clock::time_point start_, last_{};
    bool shown_ = false;
};

int Run(const Options& o, std::optional<OpenedDocument> opened) {
    easel::HostConfig config;
    config.seed = o.seed;
    config.omittedSuites = o.withoutSuites;
    easel::Host host(std::move(config));
    auto driver = std::make_shared<easel::HeadlessPresenter>();
    if (!o.actions.empty()) driver->SetScript(o.actions);
    host.SetDialogPresenter(driver);
    easel::PluginManager plugin(host);
    if (const SPErr e = plugin.Load(o.pluginPath)) {
        std::fprintf(stderr, "easel: %s did not start (code %s)\n", o.pluginPath.c_str(), CodeText(e).c_str());
        return 1;
    }
    const AIFilterHandle filter = plugin.Filter();
    std::string title, key;
    for (const easel::FilterInfo& f : host.Filters())
        if (f.handle == filter) title = f.title, key = f.key;
    int status = 0;
    if (o.gui) {
        const KeptRecord kept = filter ? LoadKeptRecord(host, filter, key, o) : KeptRecord{};
#if EASEL_HAS_WINDOW
        std::optional<easel::gui::StartDocument> start;
        if (opened) start = easel::gui::StartDocument{std::move(opened->document), o.openPath, std::move(opened->warnings)};
        status = easel::gui::RunDocumentWindow(host, plugin, o.colorModel, std::move(start));
#endif
        if (filter && status == 0 && !SaveKeptRecord(host, filter, kept)) status = 1;
    } else if (o.about) {
        if (plugin.About() != kSPNoError) status = 1;
        if (const int actions = ActionStatus(*driver)) status = actions;
    } else if (!filter) {
        std::fprintf(stderr, "easel: %s registered no filter\n", o.pluginPath.c_str());
        status = 1;
    } else {
        const KeptRecord kept = LoadKeptRecord(host, filter, key, o);
        easel::Document& doc = opened ? host.OpenDocument(std::move(opened->document)) : host.NewDocument(o.colorModel);
        const SPErr e = plugin.RunFilter(doc);
        if (const int actions = ActionStatus(*driver)) {
            status = actions;
        } else if (e == kSPUserCanceledError) {
            std::fprintf(stderr, "easel: the dialog was canceled: the document is unchanged and nothing was written\n");
        } else if (e != kSPNoError) {
            std::fprintf(stderr, "easel: the filter \"%s\" ended with code %s\n", title.c_str(), CodeText(e).c_str());
            status = 1;
        } else {
            if (!SaveKeptRecord(host, filter, kept)) status = 1;
            ExportProgress progress(o.output);
            try {
                easel::WriteDocumentFile(doc, o.output, &progress);
                progress.Clear();
                std::fprintf(stderr, "easel: wrote %s\n", o.output.c_str());
            } catch (const easel::ExportError& failure) {
                progress.Clear();
                std::fprintf(stderr, "easel: %s\n", failure.what());
                status = 1;
            }
        }
    }
    if (plugin.Shutdown() != kSPNoError && status == 0) status = 1;
    return status;
}

// The dialog actions in the order they were given on the command line.
std::vector<easel::DialogAction> ActionsInOrder(const CLI::App& app, const CLI::Option* set, const CLI::Option* press,
                                                const CLI::Option* pick, const CLI::Option* list) {
    std::vector<easel::DialogAction> actions;
    std::map<const CLI::Option*, size_t> taken;
    for (const CLI::Option* o : app.parse_order()) {
        if (o != set && o != press && o != pick && o != list) continue;
        const size_t i = taken[o]++;
        if (i >= o->results().size()) continue;
        const std::string& text = o->results()[i];
        if (o == set) actions.push_back(easel::ParseSetAction(text));
        else if (o == press) actions.push_back(easel::ParsePressAction(text));
        else if (o == pick) actions.push_back(easel::ParsePickAction(text));
        else actions.push_back(easel::ParseListItemsAction(text));
    }
    return actions;
}

}  // namespace

// `easel convert IN OUT [--force]`: a document from one format into another, no filter run.
int Convert(int argc, char** argv) {
    CLI::App app{"Easel: converts a document (.svg or .json) into any format Easel writes"};
    std::string in, out;
    bool force = false;
    app.add_option("IN", in, "the document to read: .svg or .json")->required();
    app.add_option("OUT", out, "the file to write: .svg, .json, .png or .pdf")->required();
    app.add_flag("--force", force, "write over OUT even when reading IN lost something");
    if (const std::optional<int> status = easel::ParseCommandLine(app, argc, argv)) return *status;
    if (const int bad = CheckOutput(out)) return bad;
    std::variant<OpenedDocument, int> read = ReadInput("convert", in);
    if (const int* status = std::get_if<int>(&read)) return *status;
    OpenedDocument& opened = std::get<OpenedDocument>(read);
    if (!MayWrite(out, opened.warnings, force)) return 2;
    ExportProgress progress(out);
    try {
        easel::WriteDocumentFile(opened.document, out, &progress);
        progress.Clear();
        std::fprintf(stderr, "easel: wrote %s\n", out.c_str());
    } catch (const easel::ExportError& failure) {
        progress.Clear();
        std::fprintf(stderr, "easel: %s\n", failure.what());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "validate") return easel::validate::Main(argc - 1, argv + 1, DefaultPlugin());
    if (argc > 1 && std::string(argv[1]) == "convert") {
        try {
            return Convert(argc - 1, argv + 1);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "easel: %s\n", e.what());
            return 1;
        }
    }
    CLI::App app{"Easel: runs a plug-in's filter on a new document and writes it as SVG, JSON, PNG or PDF"};
    Options o;
    std::string& pluginPath = o.pluginPath;
    std::optional<uint32_t>& seed = o.seed;
    std::string& output = o.output;
    bool& about = o.about;
    bool& gui = o.gui;
    std::vector<std::string>& withoutSuites = o.withoutSuites;
    app.add_option("--plugin", pluginPath, "the plug-in module (default: " + std::string(kModuleName) + " beside easel)");
    app.add_option("--seed", seed, "seed of the random sequence, so that a run repeats exactly");
    app.add_option("-o,--output", output, "the file to write: .svg, .json, .png or .pdf")->capture_default_str();
    std::string guiFile;
    app.add_option("--gui", guiFile, "open a document window, on FILE (.svg or .json) when given, else on a new "
                                     "document; the filter runs from its Filter menu")
        ->expected(0, 1)->type_name("[FILE]");
    app.add_flag("--about", about, "show the plug-in's About box instead of running the filter");
    std::string colorModel = "rgb";
    app.add_option("--color-model", colorModel, "the new document's colour model (default rgb)")
        ->check(CLI::IsMember({"gray", "rgb", "cmyk"}))->type_name("gray|rgb|cmyk");
    app.add_option("--without-suite", withoutSuites, "run a host that lacks this suite (exact name); may be repeated")
        ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    std::vector<std::string> sets, presses, picks, lists;
    const CLI::Option* set = app.add_option("--set", sets, "dialog action: give item ID the VALUE (a spin edit's number, "
                                            "a check box's 0 or 1, a popup list's entry by position or exact text)")
                                 ->type_name("ID=VALUE")->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    const CLI::Option* press = app.add_option("--press", presses, "dialog action: press push or picture button ID "
                                              "(1 OK, 2 Cancel)")
                                   ->type_name("ID")->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    const CLI::Option* pick = app.add_option("--pick", picks, "dialog action: pick the first view's point H,V (pixels) "
                                             "with picture button ID")
                                  ->type_name("ID=H,V")->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    const CLI::Option* list = app.add_flag("--list-items{text}", lists, "dialog action: print every item of the dialog "
                                           "to standard output (--list-items=json: as JSON)")
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--params", o.paramsPath, "the file that keeps the filter's settings between runs (default: "
                                             "$XDG_CONFIG_HOME/easel/QM07_Corvanta.params)")->type_name("FILE");
    app.add_option("--open", o.openPath, "run the filter on this document (.svg or .json) instead of a new one")
        ->type_name("FILE");
    app.add_flag("--force", o.force, "write over -o FILE even when reading --open's document lost something");
    app.add_flag("--fresh", o.fresh, "start from the filter's default settings, neither reading nor replacing the kept ones");
    app.set_version_flag("--version", std::string("easel ") + EASEL_VERSION);
    if (const std::optional<int> status = easel::ParseCommandLine(app, argc, argv)) return *status;
    gui = app.count("--gui") > 0;
    o.colorModel = colorModel == "gray"   ? easel::ColorModel::Gray
                   : colorModel == "cmyk" ? easel::ColorModel::CMYK
                                          : easel::ColorModel::RGB;
    try {
        o.actions = ActionsInOrder(app, set, press, pick, list);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "easel: %s\n", e.what());
        return 2;
    }
#if !EASEL_HAS_WINDOW
    if (gui) {
        std::fprintf(stderr, "easel: --gui: this build of easel has no window (it is built without FLTK)\n");
        return 2;
    }
#endif
    if (gui && !o.actions.empty()) {
        std::fprintf(stderr, "easel: %s: the dialog actions are for the headless driver, not --gui\n",
                     o.actions.front().option.c_str());
        return 2;
    }
    if (!output.empty())
        if (const int bad = CheckOutput(output)) return bad;
    if (gui && !guiFile.empty()) {
        if (!o.openPath.empty() && o.openPath != guiFile) {
            std::fprintf(stderr, "easel: --gui %s --open %s: the window opens one document\n", guiFile.c_str(),
                         o.openPath.c_str());
            return 2;
        }
        o.openPath = guiFile;
    }

    try {
        std::optional<OpenedDocument> opened;
        if (!o.openPath.empty()) {
            std::variant<OpenedDocument, int> read = ReadInput(gui ? "--gui" : "--open", o.openPath);
            if (const int* status = std::get_if<int>(&read)) return *status;
            OpenedDocument& doc = std::get<OpenedDocument>(read);
            // The window asks before it writes over a file; the command line needs --force.
            if (!gui && !MayWrite(output, doc.warnings, o.force)) return 2;
            opened = std::move(doc);
        }
        if (o.pluginPath.empty()) o.pluginPath = DefaultPlugin();
        return Run(o, std::move(opened));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "easel: %s\n", e.what());
        return 1;
    }
}
