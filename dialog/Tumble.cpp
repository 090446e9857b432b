#include "dialog/Tumble.h"

#include "dialog/DialogLayout.h"
#include "dialog/Presets.h"
#include "dialog/StarDialog.h"
#include "frame/SuiteTable.h"

namespace corvanta {

namespace {

// The largest float below 1, the top of the random range.
constexpr float kBelowOne = 0x1.fffffep-1f;

class Dice {
public:
    explicit Dice(RandomSource source) : source_(source) {}

    // The next draw, kept within [0, 1) so that no product below leaves its range and no
    // conversion to an integer sees a NaN.
    float Draw() {
        const float r = source_.next(source_.context);
        if (!(r > 0.0f)) return 0.0f;
        return r < 1.0f ? r : kBelowOne;
    }

    // One chance draw: taken when 100 r exceeds percent, which makes 90 one time in ten. The
    // product is exact in double; in float, 100 x 0.90000004 and 100 x 0.8f would round down
    // onto the threshold and not be taken.
    bool Chance(float percent) { return 100.0 * static_cast<double>(Draw()) > static_cast<double>(percent); }

    // The integer part of offset + scale r.
    int32_t Count(float offset, float scale) { return static_cast<int32_t>(offset + scale * Draw()); }

private:
    RandomSource source_;
};

// The shape fields go back to their defaults; everything else is left as it is.
void ResetShapeFields(StarSettings& s, AIRealPoint viewCentre) {
    StarSettings d{};
    WriteDefaultSettings(d);

    s.interpolationCentreMode = d.interpolationCentreMode;
    s.starGroups = d.starGroups;
    s.starCoreRadius = d.starCoreRadius;
    s.corePointOffsetX = d.corePointOffsetX;
    s.corePointOffsetY = d.corePointOffsetY;
    s.shellPointSlant = d.shellPointSlant;
    s.starShellRadius = d.starShellRadius;
    s.shellPointOffsetX = d.shellPointOffsetX;
    s.interpolationPercent = d.interpolationPercent;
    s.shellPointOffsetY = d.shellPointOffsetY;
    s.starSetIndex = d.starSetIndex;
    for (int j = 0; j < kStarSets; ++j) {
        s.corePointsBySet[j] = d.corePointsBySet[j];
        s.shellPointsBySet[j] = d.shellPointsBySet[j];
        s.coreRadiusBySet[j] = d.coreRadiusBySet[j];
        s.shellRadiusBySet[j] = d.shellRadiusBySet[j];
    }
    s.altCorePercentEven = d.altCorePercentEven;
    s.altCorePercentOdd = d.altCorePercentOdd;
    s.altShellPercentEven = d.altShellPercentEven;
    s.altShellPercentOdd = d.altShellPercentOdd;
    s.distortionCentreMode = d.distortionCentreMode;
    s.distortRadius = d.distortRadius;
    s.distortFieldPercent = d.distortFieldPercent;
    s.distortRandom = d.distortRandom;
    s.twirlDegrees = d.twirlDegrees;
    s.starCentreMode = d.starCentreMode;
    s.groupPercentEven = d.groupPercentEven;
    s.groupPercentOdd = d.groupPercentOdd;
    s.userCentreH = viewCentre.h;
    s.userCentreV = viewCentre.v;

    s.randomInterpolate = d.randomInterpolate;
    s.randomStarSettings = d.randomStarSettings;
    s.randomStarGroups = d.randomStarGroups;
    s.randomStructure = d.randomStructure;
    s.randomSubpoints = d.randomSubpoints;
    s.randomWarp = d.randomWarp;
    s.randomScaling = d.randomScaling;
    s.randomCoreCreate = d.randomCoreCreate;
    s.randomShellCreate = d.randomShellCreate;
    s.randomInnerDistance1 = d.randomInnerDistance1;
    s.randomInnerDistance2 = d.randomInnerDistance2;
    s.randomOuterDistance1 = d.randomOuterDistance1;
    s.randomOuterDistance2 = d.randomOuterDistance2;
    s.previewDrawn = d.previewDrawn;
}

}  // namespace

// The draws are made in a fixed order, one call of the source per value; a step whose chance
// is not taken draws nothing more. Where two steps write the same field, the later one wins.
void TumbleSettings(StarSettings& s, AIRealPoint viewCentre, RandomSource random) {
    ResetShapeFields(s, viewCentre);
    Dice dice(random);

    s.starGroups = dice.Count(2.0f, 60.0f);  // 2 .. 61
    s.starCoreRadius = 200.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.corePointOffsetX = 50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.corePointOffsetX = -50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.corePointOffsetY = 50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.corePointOffsetY = -50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.shellPointSlant = 30.0f * dice.Draw();
    s.starShellRadius = 200.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.shellPointOffsetX = 50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.shellPointOffsetX = -50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.shellPointOffsetY = 50.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.shellPointOffsetY = -50.0f * dice.Draw();

    // Star set 1 always has points; sets 2 and 3 only now and then.
    s.starSetIndex = 0;
    s.corePointsBySet[0] = dice.Count(1.0f, 7.0f);  // 1 .. 7
    s.coreRadiusBySet[0] = 200.0f * dice.Draw();
    s.shellPointsBySet[0] = dice.Count(1.0f, 7.0f);
    s.shellRadiusBySet[0] = 200.0f * dice.Draw();
    if (dice.Chance(95.0f)) {
        s.coreRadiusBySet[0] = -s.coreRadiusBySet[0];
        s.shellRadiusBySet[0] = -s.shellRadiusBySet[0];
    }
    if (dice.Chance(90.0f)) {
        s.corePointsBySet[1] = dice.Count(0.0f, 7.0f);  // 0 .. 6
        s.shellPointsBySet[1] = dice.Count(0.0f, 7.0f);
        s.coreRadiusBySet[1] = 100.0f * dice.Draw();
        s.shellRadiusBySet[1] = 100.0f * dice.Draw();
    }
    if (dice.Chance(95.0f)) {
        s.coreRadiusBySet[1] = -s.coreRadiusBySet[1];
        s.shellRadiusBySet[1] = -s.shellRadiusBySet[1];
    }
    if (dice.Chance(95.0f)) {
        s.corePointsBySet[2] = dice.Count(0.0f, 5.0f);  // 0 .. 4
        s.shellPointsBySet[2] = dice.Count(0.0f, 5.0f);
        s.coreRadiusBySet[2] = 100.0f * dice.Draw();
        s.shellRadiusBySet[2] = 100.0f * dice.Draw();
    }
    if (dice.Chance(95.0f)) {
        s.coreRadiusBySet[2] = -s.coreRadiusBySet[2];
        s.shellRadiusBySet[2] = -s.shellRadiusBySet[2];
    }

    if (dice.Chance(90.0f)) s.altCorePercentEven = 50.0f + 100.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.altCorePercentOdd = 50.0f + 100.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.altShellPercentEven = 50.0f + 100.0f * dice.Draw();
    if (dice.Chance(90.0f)) s.altShellPercentOdd = 50.0f + 100.0f * dice.Draw();

    if (dice.Chance(90.0f)) {
        s.distortionCentreMode = 0;
        s.distortRadius = 300.0f * dice.Draw();
        s.distortFieldPercent = 200.0f * dice.Draw();
        s.distortRandom = 0.0f;
        if (dice.Chance(90.0f)) s.twirlDegrees = 30.0f * dice.Draw();
    }
    if (dice.Chance(90.0f)) {
        s.starCentreMode = 0;
        // Each axis moves by the difference of two draws, so by less than 100 points.
        const float h1 = dice.Draw();
        const float h2 = dice.Draw();
        s.userCentreH = s.userCentreH + 100.0f * h1 - 100.0f * h2;
        const float v1 = dice.Draw();
        const float v2 = dice.Draw();
        s.userCentreV = s.userCentreV + 100.0f * v1 - 100.0f * v2;
    }
    if (dice.Chance(90.0f)) {
        s.groupPercentEven = 70.0f + 60.0f * dice.Draw();
        s.groupPercentOdd = 70.0f + 60.0f * dice.Draw();
    }
    if (dice.Chance(90.0f)) {
        s.interpolationPercent = 200.0f * dice.Draw();
        if (dice.Chance(90.0f)) s.interpolationPercent = -s.interpolationPercent;
        if (dice.Chance(90.0f)) s.interpolationCentreMode = dice.Count(0.0f, 10.0f);  // 0 .. 9
    }

    if (dice.Chance(90.0f)) s.randomStarSettings = 1;
    if (dice.Chance(90.0f)) s.randomStarGroups = 1;
    if (dice.Chance(80.0f)) s.randomStructure = 1;
    if (dice.Chance(80.0f)) s.randomSubpoints = 1;
    if (dice.Chance(90.0f)) s.randomInterpolate = 1;
    // The reset has already cleared "Scaling (R)"; this step exists to switch it on.
    if (dice.Chance(90.0f)) s.randomScaling = 1;
    if (dice.Chance(90.0f)) {
        s.randomCoreCreate = 1;
        s.randomShellCreate = 1;
    }
    if (dice.Chance(95.0f)) {
        s.randomInnerDistance1 = 1;
        s.randomInnerDistance2 = 1;
    }
    if (dice.Chance(95.0f)) {
        s.randomOuterDistance1 = 1;
        s.randomOuterDistance2 = 1;
    }
}

void SPAPI Tumble(ADMItemRef item, ADMNotifierRef notifier) {
    if (!ADMDialog() || !ADMItem()) return;
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    auto* settings = static_cast<StarSettings*>(ADMDialog()->GetUserData(dialog));
    if (!settings) return;

    const AIRealPoint centre =
        CurrentViewCentre(AIRealPoint{settings->userCentreH, settings->userCentreV});
    ADMItem()->DefaultNotify(item, notifier);

    // Without the host's random numbers there is nothing to throw; the record stays as it is.
    if (!RandomSuite()) return;
    const RandomSource hostRandom{[](void*) { return RandomSuite()->FloatRnd(); }, nullptr};
    TumbleSettings(*settings, centre, hostRandom);

    RefreshDialogFromSettings(dialog, settings);
    ADMItem()->SendNotify(ADMDialog()->GetItem(dialog, kStarSetList), kADMUserChangedNotifier);
    RefreshActiveTab(dialog);
}

}  // namespace corvanta
