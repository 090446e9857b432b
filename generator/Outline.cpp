// The star outline: core and shell rings of up to sixteen star sets, repeated group after
// group on one running angle.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "generator/Generator.h"
#include "generator/Geometry.h"

namespace corvanta {

namespace {

// A count kept with probability: rnd × (c + 1) truncated, 0 to c; a zero count draws nothing.
int32_t RandomCount(int32_t c) {
    if (c == 0) return 0;
    return static_cast<int32_t>(Rnd() * (static_cast<float>(c) + 1.0f));
}

struct OutlineWriter {
    const AIPathSuite* paths;
    const AIRealMathSuite* math;
    AIArtHandle path;
    AIRealPoint interpolationCentre;
    int32_t segmentIndex = 0;

    // The handles stay at the computed point; the anchor moves toward the interpolation
    // centre by t, which makes each segment a curve when t is not 0.
    SPErr Write(float x, float y, float t, bool keep) {
        AIPathSegment seg{};
        const AIRealPoint at{x, y};
        math->AIRealPointInterpolate(&interpolationCentre, &at, t, &seg.p);
        seg.in = at;
        seg.out = at;
        seg.corner = 1;
        // The host counts segments in 16 bits; an index past that is refused like any write
        // past the limit.
        const int16_t index = static_cast<int16_t>(std::min<int32_t>(segmentIndex, INT16_MAX));
        if (SPErr error = paths->SetPathSegments(path, index, 1, &seg)) return error;
        if (keep) ++segmentIndex;
        return kSPNoError;
    }
};

}  // namespace

StarCounts CountStarPoints(const StarSettings& s) {
    StarCounts c{};
    int64_t sum = 0;
    for (int j = 0; j < kStarSets; ++j) {
        c.setCoreCount[j] = s.corePointsBySet[j];
        c.setShellCount[j] = s.shellPointsBySet[j];
    }
    if (IsOn(s.randomStructure)) {
        for (int j = 0; j < kStarSets; ++j) {
            c.setCoreCount[j] = RandomCount(c.setCoreCount[j]);
            c.setShellCount[j] = RandomCount(c.setShellCount[j]);
        }
    }
    for (int j = 0; j < kStarSets; ++j) sum += int64_t{c.setCoreCount[j]} + c.setShellCount[j];
    if (sum <= 1) {
        // Set 1 gets one point of each ring; the other sets keep their counts.
        c.setCoreCount[0] = 1;
        c.setShellCount[0] = 1;
        sum = 2;
    }
    c.pointsPerGroup = static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));

    int32_t groups = s.starGroups;
    if (IsOn(s.randomStarGroups)) groups = RandomBelow(groups);
    c.groupCount = groups <= 1 ? 2 : groups;

    // G and S are whole numbers far below 2^24 for any sensible record, so their float
    // product is exact; it cannot overflow as an integer product could.
    const float points = static_cast<float>(c.groupCount) * static_cast<float>(c.pointsPerGroup);
    c.angleStep = RealMathSuite()->AIRealDivide(RealMathSuite()->DegreeToRadian(s.boundaryLimitDegrees), points);
    return c;
}

SPErr WriteOutline(const GeneratorRun& run, const StarParameters& p, const StarCounts& counts,
                   const StarPlacement& place, AIArtHandle path) {
    const StarSettings& s = *run.settings;
    const AIRealMathSuite* math = RealMathSuite();
    OutlineWriter out{PathSuite(), math, path, place.interpolationCentre};
    const float cx = place.starCentre.h, cy = place.starCentre.v;
    // The options are read once: every host call in the loop could, as far as the compiler
    // knows, change the record, so reading them per point would reload them every time.
    const bool randomInterpolate = IsOn(s.randomInterpolate);
    const bool subpoints = IsOn(s.randomSubpoints);
    const bool polygonMode = IsOn(s.polygonMode);
    const bool innerDistance1 = IsOn(s.randomInnerDistance1);
    const bool innerDistance2 = IsOn(s.randomInnerDistance2);
    const bool outerDistance1 = IsOn(s.randomOuterDistance1);
    const bool outerDistance2 = IsOn(s.randomOuterDistance2);
    const bool coreCreate = IsOn(s.randomCoreCreate);
    const bool shellCreate = IsOn(s.randomShellCreate);
    const float maxShell = s.maxShell;
    const float amount = run.interpolationAmount;
    auto* const cosine = math->AIRealCos;
    auto* const sine = math->AIRealSin;
    float runningAngle = 0.0f;

    // Polygon mode without shell points writes nothing and draws nothing at random: the loops
    // below would only turn the angle, however many groups and core points there are.
    if (polygonMode && std::all_of(std::begin(counts.setShellCount), std::end(counts.setShellCount),
                                   [](int32_t n) { return n <= 0; }))
        return kSPNoError;

    // The sets with points, in order: most records use one or two of the sixteen, and with a
    // host call at every point each set visited costs its loop checks again. A set without
    // points neither writes, draws nor turns the angle.
    int sets[kStarSets];
    int setCount = 0;
    for (int j = 0; j < kStarSets; ++j)
        if (counts.setCoreCount[j] > 0 || counts.setShellCount[j] > 0) sets[setCount++] = j;

    for (int32_t g = 0; g < counts.groupCount; ++g) {
        const float f = (g % 2 == 0) ? p.groupFactorEven : p.groupFactorOdd;
        for (int n = 0; n < setCount; ++n) {
            const int j = sets[n];
            if (polygonMode) {
                // The core points are left out, but their angles still pass.
                runningAngle = AdvanceAngle(runningAngle, counts.angleStep, counts.setCoreCount[j]);
            } else {
                for (int32_t k = 0; k < counts.setCoreCount[j]; ++k) {
                    float b = p.setCoreRadius[j] * (k % 2 == 0 ? p.altCoreEven : p.altCoreOdd);
                    if (subpoints) b = Rnd() * b;
                    const float r = b + p.coreRadius;
                    float t = amount;
                    if (randomInterpolate) t = Rnd() * amount;
                    // Only the horizontal distance is randomised; both draws are made when
                    // both options are on, and the second one wins.
                    float rx = f * r;
                    if (innerDistance1) rx = Rnd() * f * r;
                    if (innerDistance2) rx = Rnd() * r;
                    const float x = cx + rx * cosine(runningAngle) + p.coreOffset.h;
                    const float y = cy + f * r * sine(runningAngle) + p.coreOffset.v;
                    const bool keep = !coreCreate || Rnd() * 10.0f > 5.0f;
                    if (SPErr error = out.Write(x, y, t, keep)) return error;
                    runningAngle += counts.angleStep;
                }
            }

            const float d = p.shellRadius + p.coreRadius;
            for (int32_t k = 0; k < counts.setShellCount[j]; ++k) {
                float e = p.setShellRadius[j] * (k % 2 == 0 ? p.altShellEven : p.altShellOdd);
                if (subpoints) e = Rnd() * e;
                float t = amount;
                if (randomInterpolate) t = Rnd() * amount;
                float dk = d;
                if (outerDistance1) e = Rnd() * e;
                if (outerDistance2) dk = Rnd() * d;
                // Only an upper limit: a negative maximum puts the point across the centre.
                float R = (dk + e) * f;
                if (R > maxShell) R = maxShell;
                const float a = runningAngle + p.shellSlant;
                const float x = cx + R * cosine(a) + p.shellOffset.h;
                const float y = cy + R * sine(a) + p.shellOffset.v;
                const bool keep = !shellCreate || Rnd() * 10.0f > 5.0f;
                if (SPErr error = out.Write(x, y, t, keep)) return error;
                runningAngle += counts.angleStep;
            }
        }
    }
    return kSPNoError;
}

}  // namespace corvanta
