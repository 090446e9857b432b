// StarSettings.h: the one record that holds every choice of the star filter.
//
// Layout: 632 bytes, 158 consecutive 32-bit words in little-endian order, word n at byte
// 4 n. Three word types: int (signed), float (IEEE single), flag (int: 0 off, any other on;
// the dialog writes 0 or 1). List choices hold the 0-based position of the chosen entry.
// Units follow the dialog labels: points, degrees, percent.
//
// Ownership: the record lives in a host memory handle kept with the filter; the plug-in
// allocates it once and never frees it. Values are not validated on read: a record may come
// from anywhere, so every reader must stay sound for any bit pattern.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "AIFilter.h"

namespace corvanta {

inline constexpr int kStarSettingsWords = 158;
inline constexpr int kStarSets = 16;       // star sets in use
inline constexpr int kStarSetWords = 20;   // words per set array; the last 4 are reserved

struct StarSettings {
    int32_t previewOn;                        //  0 flag: redraw the preview on every change
    int32_t activeTab;                        //  1 int 1..5: tab shown when the dialog opens
    int32_t interpolationCentreMode;          //  2 int 0..9
    int32_t starGroups;                       //  3 int 2..400: groups G around the star
    int32_t sketchRepeats;                    //  4 int 0..60
    int32_t sketchColorMode;                  //  5 int 0..11
    float sketchWeightTenths;                 //  6 tenths of a point
    float starCoreRadius;                     //  7 points
    float sketchShiftAmount;                  //  8 points
    float corePointOffsetX;                   //  9 points
    float corePointOffsetY;                   // 10 points
    float shellPointSlant;                    // 11 degrees
    float starShellRadius;                    // 12 points beyond the core radius
    float shellPointOffsetX;                  // 13 points
    float interpolationPercent;               // 14 percent toward the interpolation centre
    float shellPointOffsetY;                  // 15 points
    int32_t starSetIndex;                     // 16 int 0..15: set shown by the dialog
    int32_t corePointsBySet[kStarSetWords];   // 17..36 int 0..20
    int32_t shellPointsBySet[kStarSetWords];  // 37..56 int 0..20
    float coreRadiusBySet[kStarSetWords];     // 57..76 points
    float shellRadiusBySet[kStarSetWords];    // 77..96 points
    float altCorePercentEven;                 // 97 percent
    float altCorePercentOdd;                  // 98
    float altShellPercentEven;                // 99
    float altShellPercentOdd;                 // 100
    int32_t distortionCentreMode;             // 101 int 0..9
    float distortRadius;                      // 102 points
    float distortFieldPercent;                // 103 percent
    float distortRandom;                      // 104 points
    float twirlDegrees;                       // 105 degrees
    int32_t starCentreMode;                   // 106 int 0..7
    float userCentreH;                        // 107 artwork points
    float userCentreV;                        // 108 artwork points
    float groupPercentEven;                   // 109 percent
    float groupPercentOdd;                    // 110 percent
    float boundaryLimitDegrees;               // 111 degrees 5..360
    float maxShell;                           // 112 points
    int32_t starCount;                        // 113 int 1..300
    int32_t closed;                           // 114 flag
    int32_t randomInterpolate;                // 115 flag
    int32_t newLayers;                        // 116 flag
    int32_t randomFillColor;                  // 117 flag
    int32_t randomStarSettings;               // 118 flag
    int32_t randomStarGroups;                 // 119 flag
    int32_t randomStructure;                  // 120 flag
    int32_t randomSubpoints;                  // 121 flag
    int32_t randomOpacity;                    // 122 flag
    int32_t randomWarp;                       // 123 flag
    int32_t presetIndex;                      // 124 int 0..29
    int32_t randomFillSwatches;               // 125 flag
    int32_t randomScaling;                    // 126 flag
    int32_t randomStyle;                      // 127 flag
    int32_t symbolize;                        // 128 flag
    int32_t randomCoreCreate;                 // 129 flag
    int32_t randomShellCreate;                // 130 flag
    int32_t randomWidth;                      // 131 flag
    int32_t randomStrokeColor;                // 132 flag
    int32_t edgeScaling;                      // 133 flag
    int32_t randomShadowAngle;                // 134 flag
    int32_t randomShadowScale;                // 135 flag
    int32_t randomShadowOpacity;              // 136 flag
    int32_t jitterScaling;                    // 137 flag
    int32_t jitterFill;                       // 138 flag
    int32_t jitterStroke;                     // 139 flag
    int32_t halfShadow;                       // 140 flag
    int32_t jitterWidth;                      // 141 flag
    int32_t randomRotation;                   // 142 flag
    int32_t polygonMode;                      // 143 flag
    int32_t dropShadow;                       // 144 flag
    int32_t randomSketchShift;                // 145 flag
    int32_t randomSketchWidth;                // 146 flag
    int32_t randomInnerDistance1;             // 147 flag
    int32_t randomInnerDistance2;             // 148 flag
    int32_t randomOuterDistance1;             // 149 flag
    int32_t randomOuterDistance2;             // 150 flag
    int32_t finalRun;                         // 151 flag: 1 for the filter's go run, 0 for a preview
    int32_t previewDrawn;                     // 152 flag: the last preview used these settings
    int32_t dialogBounds[4];                  // 153..156 left, top, right, bottom
    int32_t dialogBoundsSaved;                // 157 flag
};

static_assert(std::endian::native == std::endian::little, "the record is little-endian words");
static_assert(sizeof(StarSettings) == 4 * kStarSettingsWords, "the record is 632 bytes");
static_assert(offsetof(StarSettings, corePointsBySet) == 4 * 17);
static_assert(offsetof(StarSettings, shellPointsBySet) == 4 * 37);
static_assert(offsetof(StarSettings, coreRadiusBySet) == 4 * 57);
static_assert(offsetof(StarSettings, shellRadiusBySet) == 4 * 77);
static_assert(offsetof(StarSettings, altCorePercentEven) == 4 * 97);
static_assert(offsetof(StarSettings, starCount) == 4 * 113);
static_assert(offsetof(StarSettings, presetIndex) == 4 * 124);
static_assert(offsetof(StarSettings, randomOuterDistance2) == 4 * 150);
static_assert(offsetof(StarSettings, dialogBoundsSaved) == 4 * 157);

// Word access for whole-record work (snapshots, files, tests): the raw bits of word n,
// 0 <= n < kStarSettingsWords.
uint32_t GetSettingsWord(const StarSettings& s, int n);
void SetSettingsWord(StarSettings& s, int n, uint32_t bits);

inline bool IsOn(int32_t flag) { return flag != 0; }

// Writes every constant default into the record; the user centre (words 107, 108), the
// reserved words, finalRun and dialogBounds are left as they are.
void WriteDefaultSettings(StarSettings& s);

// The record held by a filter's parameters handle, or null when there is none.
StarSettings* SettingsOf(AIFilterParameters parameters);

// Creates the record in an empty parameters slot: a 632-byte handle from the host's memory
// service, the defaults, and the user centre from the first document view (the page centre
// when the view cannot tell). Returns 0; the memory service's code; kSPMemoryHandleError
// when the service reports success but gives no handle; the document setup's code, in which
// case the block is freed again and the slot left empty, so the next attempt starts clean.
SPErr CreateStarSettings(AIFilterParameters* slot);

}  // namespace corvanta
