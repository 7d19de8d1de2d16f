#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

// Writes one JSON value to a stream as it goes. No document is built: a document's destructor
// allocates, and memory running out there would end the program instead of the command.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the open object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text); // UTF-8; other bytes are written as U+FFFD
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(std::int32_t number) { return value(std::int64_t{number}); }
    JsonWriter& value(double number); // always with a fraction or exponent, as 32.0
    JsonWriter& value(const std::vector<std::int32_t>& numbers);

private:
    void separate();
    void open(char bracket);
    void close(char bracket);

    std::ostream& m_out;
    // Per open level: whether it has an element yet. Values nest a few levels deep at most.
    std::array<bool, 8> m_hasElement{};
    std::size_t m_depth = 0;
    bool m_afterKey = false;
};
