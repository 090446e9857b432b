// CommandLineParse.h: how each of easel's commands parses its options.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>

namespace easel {

// Parses argv into `app`. Empty when the command should go on; otherwise its exit status:
// 0 after --help or --version (already printed), 2 for a usage error (already named).
inline std::optional<int> ParseCommandLine(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    return std::nullopt;
}

}  // namespace easel
