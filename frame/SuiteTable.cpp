#include "frame/SuiteTable.h"

#include <cstdio>

namespace corvanta {

const SuiteEntry kSuiteTable[kSlotCount] = {
    {"SP Blocks Suite", 2},
    {"SP Access Suite", 3},
    {"AI MdMemory Suite", 1},
    {"AI Real Math Suite", 1},
    {"AI Art Suite", 9},
    {"AI User Suite", 5},
    {"AI Document Suite", 7},
    {"AI Document View Suite", 7},
    {"AI Undo Suite", 4},
    {"AI Matching Art Suite", 4},
    {"AI Path Suite", 4},
    {"AI Path Style Suite", 5},
    {"AI Random Suite", 3},
    {"AI Tag Suite", 2},
    {"AI Blend Style Suite", 2},
    {"AI Transform Art Suite", 1},
    {"AI Layer Suite", 9},
    {"AI Shape Construction Suite", 4},
    {"AI Envelope Suite", 1},
    {"AI Swatch List Suite", 4},
    {"AI Art Style Suite", 3},
    {"AI Symbol Suite", 1},
    {"AI ObjectSet Suite", 1},
    {"AI Menu Suite", 7},
    {"AI Filter Suite", 2},
    {"ADM Basic Suite", 2},
    {"ADM Dialog Suite", 3},
    {"ADM Item Suite", 4},
    {"ADM Icon Suite", 1},
    {"ADM Notifier Suite", 1},
    {"ADM List Suite", 1},
    {"ADM Entry Suite", 2},
    {"ADM Tracker Suite", 1},
};

const void* gSuiteRefs[kSlotCount] = {};
int16_t gSuiteNesting = 0;

SPErr AcquireSuites(const SPBasicSuite* basic) {
    // The first failure is the answer, even when later suites are found: every handler assumes
    // a full table, so none may run with an empty slot. The walk goes on past a failure until
    // the alert service is in hand, and stops at the first failure after it; then the first
    // missing suite, wherever it stood, is shown once, so that a host lacking a suite always
    // says which.
    SPErr firstError = kSPNoError;
    int firstFailed = -1;
    if (gSuiteNesting == 0) {
        for (int i = 0; i < kSlotCount; ++i) {
            const SPErr error = basic->AcquireSuite(kSuiteTable[i].name, kSuiteTable[i].version, &gSuiteRefs[i]);
            if (error == kSPNoError) continue;
            gSuiteRefs[i] = nullptr;
            if (firstFailed < 0) {
                firstFailed = i;
                firstError = error;
            }
            if (gSuiteRefs[kADMBasicSlot] != nullptr && i > kADMBasicSlot) break;
        }
        // Without the alert service nothing can be shown: the host learns the code alone.
        if (firstFailed >= 0 && gSuiteRefs[kADMBasicSlot] != nullptr) {
            char text[256];
            std::snprintf(text, sizeof text, "Suite Loading Error: %d, suite: %s, version: %d!",
                          static_cast<int>(firstError), kSuiteTable[firstFailed].name,
                          static_cast<int>(kSuiteTable[firstFailed].version));
            ADMBasic()->MessageAlert(text);
        }
    }
    ++gSuiteNesting;
    return firstError;
}

SPErr ReleaseSuites(const SPBasicSuite* basic) {
    SPErr error = kSPNoError;
    if (gSuiteNesting == 1) {
        for (int i = 0; i < kSlotCount; ++i) {
            // A suite the host never gave is not released: asking would fail and strand
            // every later suite still held.
            if (gSuiteRefs[i] == nullptr) continue;
            error = basic->ReleaseSuite(kSuiteTable[i].name, kSuiteTable[i].version);
            if (error != kSPNoError) break;
            gSuiteRefs[i] = nullptr;
        }
    }
    --gSuiteNesting;
    return error;
}

}  // namespace corvanta
