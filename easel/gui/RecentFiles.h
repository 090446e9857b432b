// RecentFiles.h: File > Open Recent: the documents last opened or saved, newest first, kept
// in a text file in Easel's configuration directory, one absolute path a line.
//
// The file is the user's to lose: one that cannot be read, or does not look like this list,
// gives an empty list (and a reason the window may show) and is replaced at the next save.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace easel::gui {

class RecentFiles {
public:
    static constexpr size_t kMaxFiles = 8;
    // Bytes the list's file may have; a larger one is not this list.
    static constexpr size_t kMaxFileBytes = 64 * 1024;

    // The list in `file`: a missing file is an empty list; one that cannot be read, or is
    // larger than kMaxFileBytes, too, and `problem` (when given) says why. Lines that are not
    // absolute paths are skipped, repeats and lines past kMaxFiles dropped.
    static RecentFiles Load(const std::filesystem::path& file, std::string* problem = nullptr);
    // Writes the list to `file` (its directory made when missing) through a temporary file
    // renamed over it; false, and `problem` when given, when it cannot be written.
    bool Save(const std::filesystem::path& file, std::string* problem = nullptr) const;

    // `path` (made absolute) to the front; an earlier entry of the same file goes, and the
    // oldest past kMaxFiles.
    void Add(const std::string& path);
    // Takes `path` out; false when it was not listed.
    bool Remove(const std::string& path);
    // Whether the listed `path` is still there to open; one that is not is taken off the list.
    bool StillThere(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;  // newest first
};

// Where the list is kept: "easel/recent-files" in the user's configuration directory; empty
// when there is none.
std::optional<std::filesystem::path> RecentFilesPath();

// The window's title: the document's file name ("Untitled" for a new one), "*" when it has
// changes not saved, then " — Easel".
std::string WindowTitle(const std::string& documentPath, bool unsaved);

}  // namespace easel::gui
