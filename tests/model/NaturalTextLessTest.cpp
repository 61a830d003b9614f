#include <gtest/gtest.h>

#include "model/NaturalTextLess.h"

TEST(NaturalTextLess, DigitRunsCompareByValue)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool ascending;   // NaturalTextLess(true, a, b)
        bool descending;  // NaturalTextLess(false, a, b)
    };
    const Case cases[] = {
        {"P2", "P10", true, false},
        {"P10", "P2", false, true},
        {"P-01", "P-1", false, false},  // equal value, other spelling: neither order
        {"P-1", "P-01", false, false},
        {"abc", "abcd", true, false},
        {"P3a", "P3b", true, false},
        {"写真2", "写真10", true, false},
        {"A", "B", true, false},
        {"same", "same", false, false},
        // Runs beyond the 32-bit range compare without overflow.
        {"P99999999999999999998", "P99999999999999999999", true, false},
        {"P0000000000000000000000001", "P2", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NaturalTextLess(true, c.a, c.b), c.ascending) << c.a << " < " << c.b;
        EXPECT_EQ(NaturalTextLess(false, c.a, c.b), c.descending) << c.a << " > " << c.b;
    }
}
