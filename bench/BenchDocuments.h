// BenchDocuments.h: the documents the benchmarks draw, made by the plug-in's generator
// in-process with seed 1: `stars` stars of 1200 segments (400 groups of one core and two shell
// points), either all on the page's centre, as the settings dialog's defaults place them
//   (easel --fresh --seed 1 --set 3=0 --set 4=400 --press 163 --set 30=STARS),
// or spread over the page by preset 13, "10 basic stars - random placement"
//   (easel --fresh --seed 1 --set 3=0 --set 152=13 --set 4=400 --press 161 --set 14=2
//    --press 163 --set 30=STARS).
#pragma once

#include <cstdio>

#include "dialog/Presets.h"
#include "document/Document.h"
#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"
#include "host/Host.h"
#include "settings/StarSettings.h"

namespace bench {

enum class Placement { Stacked, Spread };

inline easel::Document GenerateDocument(int stars, Placement placement) {
    easel::HostConfig config;
    config.seed = 1;
    config.memoryBudget = size_t(8) << 30;
    easel::Host host(config);
    host.NewDocument();
    corvanta::StarSettings s{};
    corvanta::WriteDefaultSettings(s);
    if (placement == Placement::Spread) {
        corvanta::ApplyPresetToSettings(s, 13, {306, 396});
        s.shellPointsBySet[0] = 2;
    }
    s.starGroups = 400;
    s.starCount = stars;
    s.finalRun = 1;
    host.BeginMessage();
    corvanta::AcquireSuites(host.Basic());
    const SPErr e = corvanta::GenerateStars(s);
    corvanta::ReleaseSuites(host.Basic());
    host.EndMessage();
    if (e != kSPNoError) std::fprintf(stderr, "the generator failed (%d)\n", static_cast<int>(e));
    return *host.CurrentDocument();
}

}  // namespace bench
