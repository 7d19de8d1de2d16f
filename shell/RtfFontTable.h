#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// The fonts a rich-text document declares in its font table, as far as showing it needs: which
// of them are fixed-pitch, so that text laid out in columns keeps its columns.
class RtfFontTable {
public:
    // "\fN" inside the table: an entry begins; what follows describes it until endEntry.
    void beginEntry(int number);
    // "\fmodern": the family of fixed-pitch fonts.
    void setModernFamily();
    // "\fprqN": 1 fixed, 2 variable, 0 (or absent) unknown.
    void setPitch(int pitch);
    void appendToName(std::string_view utf8);
    // The ";" after the name or the end of the entry's group; nothing when no entry is open.
    void endEntry();

    bool isFixedPitch(int number) const;

private:
    struct Entry {
        int number = 0;
        bool modernFamily = false;
        int pitch = 0;
        std::string name;
    };

    std::optional<Entry> m_open;
    std::map<int, bool> m_fixedPitch;
};

// A declared pitch decides; without one the modern family or a fixed-pitch name (Courier...,
// ... Mono) does, since writers file such fonts under \fnil as often as under \fmodern.
bool isFixedPitchFont(bool modernFamily, int pitch, std::string_view name);

} // namespace shell
