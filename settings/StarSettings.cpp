#include "settings/StarSettings.h"

#include <cstring>

#include "frame/SuiteTable.h"

namespace corvanta {

uint32_t GetSettingsWord(const StarSettings& s, int n) {
    uint32_t bits = 0;
    std::memcpy(&bits, reinterpret_cast<const unsigned char*>(&s) + 4 * n, 4);
    return bits;
}

void SetSettingsWord(StarSettings& s, int n, uint32_t bits) {
    std::memcpy(reinterpret_cast<unsigned char*>(&s) + 4 * n, &bits, 4);
}

void WriteDefaultSettings(StarSettings& s) {
    s.previewOn = 1;
    s.activeTab = 1;
    s.interpolationCentreMode = 0;
    s.starGroups = 10;
    s.sketchRepeats = 0;
    s.sketchColorMode = 0;
    s.sketchWeightTenths = 0.0f;
    s.starCoreRadius = 40.0f;
    s.sketchShiftAmount = 5.0f;
    s.corePointOffsetX = 0.0f;
    s.corePointOffsetY = 0.0f;
    s.shellPointSlant = 0.0f;
    s.starShellRadius = 100.0f;
    s.shellPointOffsetX = 0.0f;
    s.interpolationPercent = 0.0f;
    s.shellPointOffsetY = 0.0f;
    s.starSetIndex = 0;
    for (int j = 0; j < kStarSets; ++j) {
        s.corePointsBySet[j] = j == 0 ? 1 : 0;
        s.shellPointsBySet[j] = j == 0 ? 2 : 0;
        s.coreRadiusBySet[j] = 0.0f;
        s.shellRadiusBySet[j] = 0.0f;
    }
    s.altCorePercentEven = 100.0f;
    s.altCorePercentOdd = 100.0f;
    s.altShellPercentEven = 100.0f;
    s.altShellPercentOdd = 100.0f;
    s.distortionCentreMode = 0;
    s.distortRadius = 0.0f;
    s.distortFieldPercent = 0.0f;
    s.distortRandom = 0.0f;
    s.twirlDegrees = 0.0f;
    s.starCentreMode = 0;
    s.groupPercentEven = 100.0f;
    s.groupPercentOdd = 100.0f;
    s.boundaryLimitDegrees = 360.0f;
    s.maxShell = 9999.0f;
    s.starCount = 1;
    s.closed = 1;
    // Every flag from word 115 to 150 is off, but the sketch shift and width randomisers.
    for (int n = 115; n <= 150; ++n) SetSettingsWord(s, n, 0);
    s.randomSketchShift = 1;
    s.randomSketchWidth = 1;
    s.previewDrawn = 0;
    s.dialogBoundsSaved = 0;
}

StarSettings* SettingsOf(AIFilterParameters parameters) {
    if (parameters == nullptr || *parameters == nullptr) return nullptr;
    return static_cast<StarSettings*>(*parameters);
}

SPErr CreateStarSettings(AIFilterParameters* slot) {
    AIMdMemoryHandle handle = nullptr;
    SPErr error = MdMemorySuite()->MdMemoryNewHandle(sizeof(StarSettings), &handle);
    if (error != kSPNoError) return error;
    if (handle == nullptr || *handle == nullptr) return kSPMemoryHandleError;

    StarSettings& s = *static_cast<StarSettings*>(*handle);
    // The reserved words are zeroed so that a record's bytes never depend on the allocator.
    std::memset(&s, 0, sizeof s);
    WriteDefaultSettings(s);

    AIDocumentSetup setup{};
    error = DocumentSuite()->GetDocumentSetup(&setup);
    if (error != kSPNoError) {
        MdMemorySuite()->MdMemoryDisposeHandle(handle);
        return error;
    }

    AIRealPoint centre{setup.width * 0.5f, setup.height * 0.5f};
    AIDocumentViewHandle view = nullptr;
    AIRealPoint viewCentre{};
    if (DocumentViewSuite()->GetNthDocumentView(0, &view) == kSPNoError &&
        DocumentViewSuite()->GetDocumentViewCenter(view, &viewCentre) == kSPNoError)
        centre = viewCentre;
    s.userCentreH = centre.h;
    s.userCentreV = centre.v;

    *slot = handle;
    return kSPNoError;
}

}  // namespace corvanta
