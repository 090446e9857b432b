// What the generator does to one PaintColor (see ColorActions.h).
#include "generator/ColorActions.h"

#include "AIDocument.h"

namespace corvanta {

namespace {

// The number of components the process kinds carry; 0 for every other kind.
int ProcessComponents(int32_t kind) {
    switch (kind) {
        case kGrayColor: return 1;
        case kThreeColor: return 3;
        case kFourColor: return 4;
        default: return 0;
    }
}

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

PaintColor Process(int32_t kind, float c0, float c1 = 0, float c2 = 0, float c3 = 0) {
    PaintColor c{};
    c.kind = kind;
    c.c[0] = c0;
    c.c[1] = c1;
    c.c[2] = c2;
    c.c[3] = c3;
    return c;
}

// rgb as the document's gray: ink is 1 minus the luminance.
float InkOf(float r, float g, float b) { return 1.0f - (0.299f * r + 0.587f * g + 0.114f * b); }

PaintColor RgbToCmyk(float r, float g, float b) {
    const float most = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const float k = 1.0f - most;
    if (most <= 0.0f) return Process(kFourColor, 0, 0, 0, 1);
    return Process(kFourColor, (most - r) / most, (most - g) / most, (most - b) / most, k);
}

}  // namespace

void MakeBlack(PaintColor& c) {
    switch (c.kind) {
        case kFourColor: c.c[0] = c.c[1] = c.c[2] = c.c[3] = 1.0f; break;
        case kThreeColor: c.c[0] = c.c[1] = c.c[2] = 0.0f; break;
        case kGrayColor: c.c[0] = 1.0f; break;
        default: break;
    }
}

void MakeWhite(PaintColor& c) {
    switch (c.kind) {
        case kFourColor: c.c[0] = c.c[1] = c.c[2] = c.c[3] = 0.0f; break;
        case kThreeColor: c.c[0] = c.c[1] = c.c[2] = 1.0f; break;
        case kGrayColor: c.c[0] = 0.0f; break;
        default: break;
    }
}

void RandomizeColor(PaintColor& c, Draw rnd, bool zeroBlack) {
    if (c.kind == kFourColor || c.kind == kThreeColor) {
        // One statement per draw: the order is cyan (red), magenta (green), yellow (blue).
        c.c[0] = rnd();
        c.c[1] = rnd();
        c.c[2] = rnd();
        if (zeroBlack && c.kind == kFourColor) c.c[3] = 0.0f;
    } else if (c.kind == kGrayColor) {
        c.c[0] = rnd();
    }
}

void ReduceColor(PaintColor& c) {
    for (int i = 0, n = ProcessComponents(c.kind); i < n; ++i) c.c[i] *= 0.8f;
}

float JitterComponent(float value, float step, Draw rnd) {
    float d = rnd() * step;
    const float r = rnd();
    if (r * 10.0f > 5.0f) d = -d;
    return value + d;
}

void JitterColor(PaintColor& c, Draw rnd) {
    int n = 0;
    if (c.kind == kFourColor || c.kind == kThreeColor) n = 3;
    else if (c.kind == kGrayColor) n = 1;
    for (int i = 0; i < n; ++i) c.c[i] = Clamp01(JitterComponent(c.c[i], 0.1f, rnd));
}

PaintColor InDocumentModel(const PaintColor& c, int16_t model) {
    // First as rgb (or as the ink of a gray), then into the model.
    float r = 0, g = 0, b = 0;
    switch (c.kind) {
        case kGrayColor: r = g = b = 1.0f - c.c[0]; break;
        case kThreeColor:
            r = c.c[0];
            g = c.c[1];
            b = c.c[2];
            break;
        case kFourColor:
            r = (1.0f - c.c[0]) * (1.0f - c.c[3]);
            g = (1.0f - c.c[1]) * (1.0f - c.c[3]);
            b = (1.0f - c.c[2]) * (1.0f - c.c[3]);
            break;
        case kCustomColor: r = g = b = 1.0f - c.c[0]; break;  // black at its tint
        case kPatternColor:
        case kGradientColor: r = g = b = 0.5f; break;
        default: return c;  // none, and kinds this host does not know
    }
    switch (model) {
        case kDocGrayColor:
            if (c.kind == kGrayColor) return c;
            if (c.kind == kCustomColor) return Process(kGrayColor, c.c[0]);
            return Process(kGrayColor, InkOf(r, g, b));
        case kDocRGBColor:
            if (c.kind == kThreeColor) return c;
            return Process(kThreeColor, r, g, b);
        case kDocCMYKColor:
            if (c.kind == kFourColor) return c;
            if (c.kind == kGrayColor || c.kind == kCustomColor) return Process(kFourColor, 0, 0, 0, c.c[0]);
            return RgbToCmyk(r, g, b);
        default: return c;
    }
}

PaintColor ShadowColor(const PaintColor& c, int16_t model, bool half) {
    const int32_t kind = model == kDocGrayColor ? kGrayColor
                         : model == kDocRGBColor ? kThreeColor
                         : model == kDocCMYKColor ? kFourColor
                                                  : -1;
    if (kind < 0) return c;
    if (!half) {
        PaintColor black = Process(kind, 0);
        MakeBlack(black);
        return black;
    }
    if (c.kind == kNoneColor) return c;
    PaintColor out = InDocumentModel(c, model);
    if (out.kind != kind) return c;  // a kind this host does not know
    for (int i = 0, n = ProcessComponents(kind); i < n; ++i) out.c[i] *= 0.5f;
    return out;
}

}  // namespace corvanta
