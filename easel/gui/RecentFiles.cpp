#include "gui/RecentFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/ConfigDirectory.h"

namespace easel::gui {

namespace {

// One spelling per file, so that "a/../b.svg" and "b.svg" are listed once.
std::string Normal(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec);
    if (ec) p = path;
    return p.lexically_normal().string();
}

}  // namespace

RecentFiles RecentFiles::Load(const std::filesystem::path& file, std::string* problem) {
    RecentFiles list;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return list;
    const auto say = [&](const std::string& why) {
        if (problem) *problem = "the list of recent files \"" + file.string() + "\" " + why;
        return list;
    };
    const uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) return say("cannot be read: " + ec.message());
    if (size > kMaxFileBytes) return say("is larger than such a list can be; it is started afresh");
    std::ifstream in(file, std::ios::binary);
    if (!in) return say(std::string("cannot be read: ") + std::strerror(errno));
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return say("cannot be read");
    size_t start = 0;
    std::vector<std::string> lines;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.empty() || line.find('\0') != std::string::npos || !std::filesystem::path(line).is_absolute())
            continue;
        lines.push_back(std::move(line));
    }
    // Added oldest first, so that the newest stays in front and repeats keep their newest place.
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) list.Add(*it);
    return list;
}

bool RecentFiles::Save(const std::filesystem::path& file, std::string* problem) const {
    const auto fail = [&](const std::string& why) {
        if (problem) *problem = "the list of recent files \"" + file.string() + "\" cannot be written: " + why;
        return false;
    };
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) return fail(ec.message());
    std::filesystem::path temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& p : paths_) out << p << '\n';
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, ec);
            return fail("writing failed");
        }
    }
    std::filesystem::rename(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return fail(ec.message());
    }
    return true;
}

void RecentFiles::Add(const std::string& path) {
    const std::string normal = Normal(path);
    paths_.erase(std::remove(paths_.begin(), paths_.end(), normal), paths_.end());
    paths_.insert(paths_.begin(), normal);
    if (paths_.size() > kMaxFiles) paths_.resize(kMaxFiles);
}

bool RecentFiles::Remove(const std::string& path) {
    const std::string normal = Normal(path);
    const auto it = std::find(paths_.begin(), paths_.end(), normal);
    if (it == paths_.end()) return false;
    paths_.erase(it);
    return true;
}

bool RecentFiles::StillThere(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return true;
    Remove(path);
    return false;
}

std::optional<std::filesystem::path> RecentFilesPath() {
    const std::optional<std::filesystem::path> config = UserConfigDirectory();
    if (!config) return std::nullopt;
    return *config / "easel" / "recent-files";
}

std::string WindowTitle(const std::string& documentPath, bool unsaved) {
    std::string name = documentPath.empty() ? "Untitled" : std::filesystem::path(documentPath).filename().string();
    if (unsaved) name += '*';
    return name + " \xE2\x80\x94 Easel";  // an em dash
}

}  // namespace easel::gui
