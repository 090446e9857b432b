// ConfigDirectory.h: where the user's configuration lives, as the system defines it.
#pragma once

#include <filesystem>
#include <optional>

namespace easel {

// The user's configuration directory: $XDG_CONFIG_HOME when it is set to an absolute path,
// else $HOME/.config (HOME from the environment, else the user database). Empty when neither
// is known. Nothing is created.
std::optional<std::filesystem::path> UserConfigDirectory();

}  // namespace easel
