#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "andor/ParameterTexts.h"

namespace {

andor::ParameterTexts typed(std::string depth, std::string capacity, bool heuristics,
                            std::optional<std::string> lambda1, std::optional<std::string> lambda2)
{
    return {std::move(depth), std::move(capacity), false,
            heuristics,       std::move(lambda1),  std::move(lambda2)};
}

// Each run of bad fields reports the first of them in the window's order, and lambdas count
// only when the heuristics are on.
TEST(ParameterTexts, ReportTheFirstFieldThatDoesNotRead)
{
    const struct {
        const char* name;
        andor::ParameterTexts texts;
        const char* message;
    } cases[] = {
        {"every field bad", typed("x", "y", true, "z", "w"),
         "Digite um valor inteiro para a Profundidade!"},
        {"real depth", typed("3,5", "100", false, "0,1", "0,95"),
         "Digite um valor inteiro para a Profundidade!"},
        {"capacity then lambdas bad", typed("3", "", true, "z", "w"),
         "Digite um valor inteiro para o Conjunto de Discretização!"},
        {"both lambdas bad", typed("3", "100", true, "z", "w"),
         "Digite um valor numérico para Lambda 1!"},
        {"point where a comma is expected", typed("3", "100", true, "0,1", "0.95"),
         "Digite um valor numérico para Lambda 2!"},
        {"out of the real range", typed("3", "100", true, "1e400", "0,95"),
         "Digite um valor numérico para Lambda 1!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto settings = andor::readParameters(c.texts, ',');
        ASSERT_FALSE(settings.has_value());
        EXPECT_EQ(settings.error(), c.message);
    }
}

TEST(ParameterTexts, GiveTheSettingsTheyRead)
{
    const andor::SolverSettings defaults;
    const struct {
        const char* name;
        andor::ParameterTexts texts;
        char separator;
        andor::SolverSettings expected;
    } cases[] = {
        {"heuristics off: lambdas not read",
         typed("5", "40", false, "z", "w"),
         ',',
         {5, 40, false, false, defaults.lambda1, defaults.lambda2}},
        {"comma lambdas",
         typed("2", "100", true, "0,25", "-1,5e1"),
         ',',
         {2, 100, false, true, 0.25, -15.0}},
        {"point lambdas",
         typed("2", "100", true, "0.25", "1"),
         '.',
         {2, 100, false, true, 0.25, 1.0}},
        {"absent lambdas keep their defaults",
         typed("0", "1", true, std::nullopt, std::nullopt),
         ',',
         {0, 1, false, true, defaults.lambda1, defaults.lambda2}},
        {"negative depth reads; the run refuses it",
         typed("-1", "100", false, "", ""),
         ',',
         {-1, 100, false, false, defaults.lambda1, defaults.lambda2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto settings = andor::readParameters(c.texts, c.separator);
        ASSERT_TRUE(settings.has_value()) << settings.error();
        EXPECT_EQ(settings->depthLimit, c.expected.depthLimit);
        EXPECT_EQ(settings->setCapacity, c.expected.setCapacity);
        EXPECT_EQ(settings->heuristicsOn, c.expected.heuristicsOn);
        EXPECT_EQ(settings->lambda1, c.expected.lambda1);
        EXPECT_EQ(settings->lambda2, c.expected.lambda2);
    }
}

TEST(ParameterTexts, CarryTheSymmetryChoice)
{
    andor::ParameterTexts texts = typed("3", "100", false, std::nullopt, std::nullopt);
    texts.symmetryOn = true;
    EXPECT_TRUE(andor::readParameters(texts, ',')->symmetryOn);
    texts.symmetryOn = false;
    EXPECT_FALSE(andor::readParameters(texts, ',')->symmetryOn);
}

} // namespace
