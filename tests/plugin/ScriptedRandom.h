// ScriptedRandom.h: the host's random service replaced, for one scope, by a list of values, so
// that a test knows every draw the generator takes and can work its results out by hand.
//
// The generator asks the suite in its slot for every value; while a ScriptedRandom lives, that
// slot holds a table whose FloatRnd answers the script in order. Running past the script is a
// test failure (and answers 0), so a test that takes one draw too many fails, and Taken() tells
// one that takes too few. The slot's own table comes back when the scope ends, before the
// suites are released.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "AIRandom.h"
#include "frame/SuiteTable.h"

namespace corvanta::testing {

class ScriptedRandom {
public:
    explicit ScriptedRandom(std::vector<float> draws) : saved_(gSuiteRefs[kRandomSlot]) {
        Script() = std::move(draws);
        Next() = 0;
        gSuiteRefs[kRandomSlot] = &kTable;
    }
    ~ScriptedRandom() { gSuiteRefs[kRandomSlot] = saved_; }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    // How many values have been asked for so far.
    size_t Taken() const { return Next(); }
    size_t Size() const { return Script().size(); }

private:
    static std::vector<float>& Script() {
        static std::vector<float> script;
        return script;
    }
    static size_t& Next() {
        static size_t next = 0;
        return next;
    }
    static AIReal SPAPI FloatRnd() {
        if (Next() >= Script().size()) {
            ADD_FAILURE() << "draw " << Next() + 1 << " asked for, but only " << Script().size()
                          << " scripted";
            ++Next();
            return 0.0f;
        }
        return Script()[Next()++];
    }
    static constexpr AIRandomSuite kTable{FloatRnd};

    const void* saved_;
};

// The largest float below v: a draw "just below" a threshold.
inline float Below(float v) { return std::nextafter(v, 0.0f); }
// The smallest float above v: a draw "just above" a threshold.
inline float Above(float v) { return std::nextafter(v, 1.0f); }

}  // namespace corvanta::testing
