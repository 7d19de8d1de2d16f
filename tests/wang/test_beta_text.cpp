#include <gtest/gtest.h>

#include <string>

#include "wang/BetaText.h"

namespace {

TEST(BetaText, ReadsA32BitRealWithTheActiveSeparator)
{
    const struct {
        const char* text;
        char separator;
        float beta;
    } cases[] = {
        {"0,01", ',', 0.01f}, {" 0,5 ", ',', 0.5f}, {"1e-2", ',', 0.01f},
        {"0.1", '.', 0.1f},   {"-2", '.', -2.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto beta = wang::readBeta(c.text, c.separator);
        ASSERT_TRUE(beta.has_value());
        EXPECT_EQ(*beta, c.beta);
    }
}

TEST(BetaText, AsksForANumberOtherwise)
{
    const struct {
        const char* text;
        char separator;
    } cases[] = {{"", ','}, {"0.1", ','}, {"0,1", '.'}, {"abc", '.'}, {"1e39", '.'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto beta = wang::readBeta(c.text, c.separator);
        ASSERT_FALSE(beta.has_value());
        EXPECT_EQ(beta.error(), "Digite um valor numérico para Beta!");
    }
}

} // namespace
