#include "cli/JsonWriter.h"

#include <nlohmann/json.hpp>

#include <charconv>

JsonWriter& JsonWriter::beginObject()
{
    open('{');
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    close('}');
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    open('[');
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    close(']');
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    value(name);
    m_out << ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    // A lone string is no container: its escaping is borrowed without the allocating teardown.
    // Bytes that are not UTF-8 become U+FFFD instead of an exception.
    m_out << nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number)
{
    separate();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    m_out << std::string_view(digits, static_cast<std::size_t>(end - digits));
    return *this;
}

JsonWriter& JsonWriter::value(double number)
{
    separate();
    m_out << nlohmann::json(number).dump();
    return *this;
}

JsonWriter& JsonWriter::value(const std::vector<std::int32_t>& numbers)
{
    beginArray();
    for (const std::int32_t number : numbers)
        value(number);
    return endArray();
}

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_depth > 0) {
        if (m_hasElement[m_depth - 1])
            m_out << ',';
        m_hasElement[m_depth - 1] = true;
    }
}

void JsonWriter::open(char bracket)
{
    separate();
    m_out << bracket;
    m_hasElement.at(m_depth++) = false;
}

void JsonWriter::close(char bracket)
{
    --m_depth;
    m_out << bracket;
}
