#include "shell/RtfFontTable.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace shell {

namespace {

std::string lowerTrimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

void RtfFontTable::beginEntry(int number)
{
    endEntry();
    m_open = Entry{number, false, 0, {}};
}

void RtfFontTable::setModernFamily()
{
    if (m_open)
        m_open->modernFamily = true;
}

void RtfFontTable::setPitch(int pitch)
{
    if (m_open)
        m_open->pitch = pitch;
}

void RtfFontTable::appendToName(std::string_view utf8)
{
    if (m_open)
        m_open->name += utf8;
}

void RtfFontTable::endEntry()
{
    if (!m_open)
        return;
    m_fixedPitch[m_open->number] =
        isFixedPitchFont(m_open->modernFamily, m_open->pitch, m_open->name);
    m_open.reset();
}

bool RtfFontTable::isFixedPitch(int number) const
{
    const auto found = m_fixedPitch.find(number);
    return found != m_fixedPitch.end() && found->second;
}

bool isFixedPitchFont(bool modernFamily, int pitch, std::string_view name)
{
    if (pitch == 1 || pitch == 2)
        return pitch == 1;
    if (modernFamily)
        return true;
    static constexpr std::array<std::string_view, 7> fixedPitchNames = {
        "courier", "consolas", "lucida console", "lucida sans typewriter",
        "monaco",  "menlo",    "andale mono"};
    const std::string lower = lowerTrimmed(name);
    return std::ranges::any_of(fixedPitchNames,
                               [&](std::string_view known) { return lower.starts_with(known); }) ||
           lower.ends_with(" mono") || lower.find(" mono ") != std::string::npos;
}

} // namespace shell
