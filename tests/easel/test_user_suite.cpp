// "AI User Suite": numbers to and from length-prefixed text, independent of the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "AIUser.h"
#include "SuiteFixture.h"

namespace easel::testing {
namespace {

class UserSuiteTest : public ::testing::Test {
protected:
    Host host_;
    const AIUserSuite* user = Acquire<AIUserSuite>(host_.Basic(), kAIUserSuite, kAIUserSuiteVersion);

    static std::string P(const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; }
    SPErr Read(const std::string& text, AIReal& v) {
        const std::string p = P(text);
        return user->StringToReal(reinterpret_cast<const unsigned char*>(p.data()), &v);
    }
    std::string Write(AIReal value, int16_t precision, SPErr expected = kSPNoError) {
        unsigned char text[256] = {};
        EXPECT_EQ(user->RealToString(value, precision, text), expected);
        return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
    }
};

TEST_F(UserSuiteTest, ReadsTheLeadingDecimalNumberOnly) {
    AIReal v = -1;
    EXPECT_EQ(Read("  -108", v), kSPNoError);
    EXPECT_EQ(v, -108.0f);
    EXPECT_EQ(Read("+2.5 points", v), kSPNoError);
    EXPECT_EQ(v, 2.5f);
    EXPECT_EQ(Read(".25", v), kSPNoError);
    EXPECT_EQ(v, 0.25f);
    EXPECT_EQ(Read("7.", v), kSPNoError);
    EXPECT_EQ(v, 7.0f);
    EXPECT_EQ(Read("1e3", v), kSPNoError);
    EXPECT_EQ(v, 1.0f) << "no exponents";
    EXPECT_EQ(Read("0.1", v), kSPNoError);
    EXPECT_EQ(v, 0.1f) << "rounded once, to the nearest float";
    EXPECT_EQ(Read("0." + std::string(60, '0') + "1", v), kSPNoError);
    EXPECT_EQ(v, 0.0f);

    for (const char* none : {"", "   ", "-", ".", "-.", "inf", "nan", "abc", "\t+x"}) {
        v = 5;
        EXPECT_EQ(Read(none, v), kSPBadParameterError) << '"' << none << '"';
        EXPECT_EQ(v, 0.0f);
    }
    EXPECT_EQ(Read("1" + std::string(50, '0'), v), kSPBadParameterError) << "beyond a float";
    EXPECT_EQ(user->StringToReal(nullptr, &v), kSPBadParameterError);

    // The length byte bounds the text: digits after it are not part of the number.
    const unsigned char cut[] = {2, '1', '2', '3'};
    EXPECT_EQ(user->StringToReal(cut, &v), kSPNoError);
    EXPECT_EQ(v, 12.0f);
}

TEST_F(UserSuiteTest, WritesRoundedDecimalsWhateverTheLocale) {
    EXPECT_EQ(Write(-108.0f, 0), "-108");
    EXPECT_EQ(Write(2.5f, 3), "2.500");
    EXPECT_EQ(Write(0.125f, 2), "0.12") << "the float's exact value, ties to even";
    EXPECT_EQ(Write(-0.4f, 0), "0");
    EXPECT_EQ(Write(-0.0f, 1), "0.0");
    EXPECT_EQ(Write(3.4028235e38f, 10).size(), 39u + 11u) << "the longest text fits the buffer";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(Write(1.5f, 1), "1.5");
        AIReal v = 0;
        EXPECT_EQ(Read("1.5", v), kSPNoError);
        EXPECT_EQ(v, 1.5f);
        std::setlocale(LC_NUMERIC, "C");
    }
    Write(1.0f, -1, kSPBadParameterError);
    Write(1.0f, 11, kSPBadParameterError);
    Write(NAN, 2, kSPBadParameterError);
    Write(INFINITY, 2, kSPBadParameterError);
    EXPECT_EQ(user->RealToString(1.0f, 2, nullptr), kSPBadParameterError);

    // What is written reads back as the same number at that precision.
    for (float f : {-108.0f, 1.0f / 3.0f, 12345.678f, -0.001f}) {
        AIReal back = 0;
        const std::string text = Write(f, 4);
        ASSERT_EQ(Read(text, back), kSPNoError) << text;
        EXPECT_NEAR(back, f, 0.00005f + std::fabs(f) * 1e-6f) << text;
    }
}

}  // namespace
}  // namespace easel::testing
