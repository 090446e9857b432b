// default_star: draws the filter's default star into a new document and writes it out.
//
// A stand-in main job until Easel loads the plug-in as a module: the plug-in's code is linked
// in and given Easel's suites directly.
#include <cstdio>
#include <exception>
#include <string>

#include "export/Export.h"
#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"
#include "host/Host.h"
#include "settings/StarSettings.h"

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "stars.svg";
    try {
        easel::Host host;
        host.NewDocument();
        host.BeginMessage();
        const SPBasicSuite* basic = host.Basic();
        // Only the art services matter here; the table's later suites come with the module.
        corvanta::AcquireSuites(basic);
        SPErr error = corvanta::ArtSuite() ? kSPNoError : kSPSuiteNotFoundError;
        AIFilterParameters parameters = nullptr;
        if (!error) error = corvanta::CreateStarSettings(&parameters);
        if (!error) {
            corvanta::StarSettings& s = *corvanta::SettingsOf(parameters);
            s.finalRun = 1;
            error = corvanta::GenerateStars(s);
        }
        corvanta::ReleaseSuites(basic);
        host.EndMessage();
        if (error) {
            std::fprintf(stderr, "default_star: the generator failed with code %d\n", error);
            return 1;
        }
        easel::WriteDocumentFile(*host.CurrentDocument(), out);
        std::printf("wrote %s\n", out.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "default_star: %s\n", e.what());
        return 1;
    }
    return 0;
}
