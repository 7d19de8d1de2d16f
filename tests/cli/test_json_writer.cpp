#include "cli/JsonWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(JsonWriter, NestsWithCommasWhereTheyBelong)
{
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject()
        .key("a")
        .value(std::int32_t{1})
        .key("b")
        .beginArray()
        .beginArray()
        .endArray()
        .beginObject()
        .endObject()
        .value("x")
        .endArray()
        .key("c")
        .value(std::vector<std::int32_t>{3, -4})
        .endObject();
    EXPECT_EQ(out.str(), R"({"a":1,"b":[[],{},"x"],"c":[3,-4]})");
}

TEST(JsonWriter, WritesNumbersAndTextsAsJson)
{
    struct Case {
        void (*write)(JsonWriter&);
        const char* expected;
    };
    const Case cases[] = {
        {[](JsonWriter& j) { j.value(32.0); }, "32.0"},
        {[](JsonWriter& j) { j.value(static_cast<double>(2.4f)); }, "2.4000000953674316"},
        {[](JsonWriter& j) { j.value(std::int64_t{-9007199254740993}); }, "-9007199254740993"},
        {[](JsonWriter& j) { j.value("Exemplo\r\n\"ç\""); }, R"("Exemplo\r\n\"ç\"")"},
        {[](JsonWriter& j) { j.value("a\xC3"); }, "\"a\xEF\xBF\xBD\""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        JsonWriter json(out);
        c.write(json);
        EXPECT_EQ(out.str(), c.expected);
    }
}

} // namespace
