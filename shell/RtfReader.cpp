#include "shell/RtfReader.h"

#include "problem/Windows1252.h"
#include "shell/RtfFontTable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace shell {

namespace {

constexpr int defaultHalfPoints = 24;
// Keeps absurd sizes from malformed input within what a text view can lay out.
constexpr int maxHalfPoints = 2000;
// A fallback longer than this is not text any writer produces.
constexpr int maxUnicodeSkip = 16;
constexpr char32_t replacementCharacter = 0xFFFD;

// The font of a run when it names none: the document's default font.
constexpr int defaultFont = -1;

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = defaultHalfPoints;
    int font = defaultFont;
};

// How a run is shown: its format with the font resolved to what matters, its pitch.
struct RunStyle {
    CharFormat format;
    bool fixedPitch = false;

    bool operator==(const RunStyle& other) const
    {
        const CharFormat& a = format;
        const CharFormat& b = other.format;
        return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
               a.halfPoints == b.halfPoints && fixedPitch == other.fixedPitch;
    }
};

enum class Alignment { Left, Center, Right, Justify };

// What a group scopes: its closing brace restores the enclosing group's values.
struct GroupState {
    CharFormat format;
    Alignment alignment = Alignment::Left;
    int unicodeSkip = 1;
    bool skipping = false;
    // Inside the font table, text is the names of fonts.
    bool inFontTable = false;
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string halfPointsToCss(int halfPoints)
{
    return std::to_string(halfPoints / 2) + (halfPoints % 2 ? ".5pt" : "pt");
}

// Collects formatted text into HTML paragraphs, one span per run of equal format.
class HtmlWriter {
public:
    void text(std::string_view utf8, const RunStyle& style)
    {
        switchTo(style);
        for (char c : utf8)
            appendEscaped(c);
    }

    void lineBreak() { m_paragraph += "<br>"; }

    void endParagraph(Alignment alignment)
    {
        closeRun();
        // Qt collapses an empty paragraph unless it is marked as one; other readers ignore it.
        const bool empty = m_paragraph.empty();
        m_html += "<p" + alignAttribute(alignment) + " style=\"" +
                  (empty ? "-qt-paragraph-type:empty;" : "") + "margin:0;white-space:pre-wrap\">" +
                  (empty ? "<br>" : m_paragraph) + "</p>";
        m_paragraph.clear();
    }

    std::string finish(Alignment alignment)
    {
        closeRun();
        if (!m_paragraph.empty())
            endParagraph(alignment);
        return std::move(m_html);
    }

private:
    static std::string alignAttribute(Alignment alignment)
    {
        switch (alignment) {
        case Alignment::Center:
            return " align=\"center\"";
        case Alignment::Right:
            return " align=\"right\"";
        case Alignment::Justify:
            return " align=\"justify\"";
        case Alignment::Left:
            break;
        }
        return {};
    }

    void switchTo(const RunStyle& style)
    {
        if (m_run == style)
            return;
        closeRun();
        const CharFormat& format = style.format;
        m_paragraph += "<span style=\"font-size:" + halfPointsToCss(format.halfPoints);
        if (style.fixedPitch)
            m_paragraph += ";font-family:monospace";
        if (format.bold)
            m_paragraph += ";font-weight:bold";
        if (format.italic)
            m_paragraph += ";font-style:italic";
        if (format.underline)
            m_paragraph += ";text-decoration:underline";
        m_paragraph += "\">";
        m_run = style;
    }

    void closeRun()
    {
        if (m_run)
            m_paragraph += "</span>";
        m_run.reset();
    }

    void appendEscaped(char c)
    {
        switch (c) {
        case '<':
            m_paragraph += "&lt;";
            break;
        case '>':
            m_paragraph += "&gt;";
            break;
        case '&':
            m_paragraph += "&amp;";
            break;
        case '"':
            m_paragraph += "&quot;";
            break;
        default:
            m_paragraph += c;
        }
    }

    std::string m_html;
    std::string m_paragraph;
    std::optional<RunStyle> m_run;
};

// Groups whose content is never shown: tables, metadata, pictures, page furniture.
constexpr std::array<std::string_view, 21> skippedDestinations = {
    "colortbl",     "stylesheet", "info",
    "pict",         "header",     "headerl",
    "headerr",      "headerf",    "footer",
    "footerl",      "footerr",    "footerf",
    "object",       "listtable",  "listoverridetable",
    "rsidtbl",      "themedata",  "colorschememapping",
    "latentstyles", "datastore",  "generator",
};

constexpr std::array<std::pair<std::string_view, char32_t>, 10> namedCharacters = {{
    {"emdash", 0x2014},
    {"endash", 0x2013},
    {"bullet", 0x2022},
    {"lquote", 0x2018},
    {"rquote", 0x2019},
    {"ldblquote", 0x201C},
    {"rdblquote", 0x201D},
    {"emspace", 0x2003},
    {"enspace", 0x2002},
    {"qmspace", 0x2005},
}};

// Reads the document byte by byte; every step moves forward, so any input ends.
class RtfParser {
public:
    explicit RtfParser(std::string_view input) : m_in(input) { m_groups.emplace_back(); }

    std::string run()
    {
        while (m_pos < m_in.size() && !m_finished)
            readToken();
        return m_out.finish(m_tailAlignment);
    }

private:
    GroupState& state() { return m_groups.back(); }
    bool skipping() const { return m_excessDepth > 0 || m_groups.back().skipping; }

    void readToken()
    {
        const char c = m_in[m_pos++];
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            readBackslash();
            break;
        case '\r':
        case '\n':
            break; // line ends in the source are layout of the file, not of the text
        default:
            if (!skipping() && !consumeFallback())
                emitByte(c);
        }
    }

    void openGroup()
    {
        m_fallbackLeft = 0;
        if (m_excessDepth > 0 || std::ssize(m_groups) > maxRtfGroupDepth)
            ++m_excessDepth;
        else
            m_groups.push_back(m_groups.back());
    }

    void closeGroup()
    {
        m_fallbackLeft = 0;
        if (m_excessDepth > 0) {
            --m_excessDepth;
            return;
        }
        if (m_groups.size() == 1)
            return; // a stray brace closes nothing
        if (state().inFontTable && !state().skipping)
            m_fonts.endEntry(); // an entry's group may end without its ";"
        m_groups.pop_back();
        // The document ends with its outermost group; what follows is not part of it.
        m_finished = m_groups.size() == 1;
    }

    void readBackslash()
    {
        if (m_pos >= m_in.size())
            return;
        if (isAsciiLetter(m_in[m_pos]))
            readControlWord();
        else
            readControlSymbol(m_in[m_pos++]);
    }

    void readControlWord()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && isAsciiLetter(m_in[m_pos]))
            ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        const std::optional<int> parameter = readParameter();
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos; // the delimiting blank belongs to the control word
        applyControlWord(word, parameter);
    }

    // A signed decimal number, saturated to the int range however many digits it has.
    std::optional<int> readParameter()
    {
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos >= m_in.size() || !isDigit(m_in[m_pos]))
            return std::nullopt;
        constexpr std::int64_t limit = std::numeric_limits<int>::max();
        std::int64_t value = 0;
        for (; m_pos < m_in.size() && isDigit(m_in[m_pos]); ++m_pos)
            value = std::min(limit, value * 10 + (m_in[m_pos] - '0'));
        return static_cast<int>(negative ? -value : value);
    }

    void applyControlWord(std::string_view word, std::optional<int> parameter)
    {
        if (word == "bin") {
            skipBinary(parameter.value_or(0));
            return;
        }
        if (skipping() || consumeFallback())
            return;
        if (std::ranges::find(skippedDestinations, word) != skippedDestinations.end()) {
            state().skipping = true;
            return;
        }
        if (word == "fonttbl") {
            state().inFontTable = true;
            return;
        }
        if (state().inFontTable) {
            if (applyFontTableWord(word, parameter))
                return;
        } else if (applyFormatWord(word, parameter) || applyParagraphWord(word)) {
            return;
        }
        if (word == "deff") {
            m_defaultFont = parameter.value_or(0);
            return;
        }
        if (word == "u") {
            emitUnicode(parameter.value_or(0));
            m_fallbackLeft = state().unicodeSkip;
        } else if (word == "uc") {
            state().unicodeSkip = std::clamp(parameter.value_or(1), 0, maxUnicodeSkip);
        } else if (word == "tab") {
            emitCodePoint(U'\t');
        } else {
            const auto named = std::ranges::find(namedCharacters, word,
                                                 &std::pair<std::string_view, char32_t>::first);
            if (named != namedCharacters.end())
                emitCodePoint(named->second);
        }
    }

    // The words that describe a font; any other word in the table shows nothing.
    bool applyFontTableWord(std::string_view word, std::optional<int> parameter)
    {
        if (word == "f")
            m_fonts.beginEntry(parameter.value_or(0));
        else if (word == "fmodern")
            m_fonts.setModernFamily();
        else if (word == "fprq")
            m_fonts.setPitch(parameter.value_or(0));
        else
            return word != "u" && word != "uc" &&
                   std::ranges::find(namedCharacters, word,
                                     &std::pair<std::string_view, char32_t>::first) ==
                       namedCharacters.end();
        return true;
    }

    bool applyFormatWord(std::string_view word, std::optional<int> parameter)
    {
        CharFormat& format = state().format;
        const bool on = parameter.value_or(1) != 0;
        if (word == "b")
            format.bold = on;
        else if (word == "i")
            format.italic = on;
        else if (word == "ul" || word == "ulw" || word == "uld" || word == "uldb")
            format.underline = on;
        else if (word == "ulnone")
            format.underline = false;
        else if (word == "plain")
            format = CharFormat{};
        else if (word == "f")
            format.font = parameter.value_or(0);
        else if (word == "fs")
            format.halfPoints =
                parameter.value_or(0) > 0 ? std::min(*parameter, maxHalfPoints) : defaultHalfPoints;
        else
            return false;
        return true;
    }

    bool applyParagraphWord(std::string_view word)
    {
        Alignment& alignment = state().alignment;
        if (word == "par") {
            m_out.endParagraph(alignment);
        } else if (word == "line") {
            m_out.lineBreak();
        } else if (word == "pard" || word == "ql") {
            alignment = Alignment::Left;
        } else if (word == "qc") {
            alignment = Alignment::Center;
        } else if (word == "qr") {
            alignment = Alignment::Right;
        } else if (word == "qj") {
            alignment = Alignment::Justify;
        } else {
            return false;
        }
        return true;
    }

    void readControlSymbol(char symbol)
    {
        if (symbol == '\'') {
            readHexEscape();
            return;
        }
        if (skipping() || consumeFallback())
            return;
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            emitCodePoint(static_cast<char32_t>(symbol));
            break;
        case '~':
            emitCodePoint(U'\u00A0');
            break;
        case '_':
            emitCodePoint(U'-');
            break;
        case '\r':
        case '\n':
            m_out.endParagraph(state().alignment);
            break;
        case '*':
            state().skipping = true; // an ignorable destination: nothing in it is shown
            break;
        default:
            break; // optional hyphens, index marks: nothing to show
        }
    }

    // "\'hh": one Windows-1252 byte; a truncated escape keeps the digits it has.
    void readHexEscape()
    {
        const char* first = m_in.data() + m_pos;
        const char* last = first + std::min<std::size_t>(2, m_in.size() - m_pos);
        unsigned value = 0;
        const auto [end, error] = std::from_chars(first, last, value, 16);
        m_pos += static_cast<std::size_t>(end - first);
        if (error != std::errc{} || skipping() || consumeFallback())
            return;
        emitByte(static_cast<char>(value));
    }

    void skipBinary(int count)
    {
        const std::size_t left = m_in.size() - m_pos;
        m_pos += std::min(left, static_cast<std::size_t>(std::max(count, 0)));
    }

    bool consumeFallback()
    {
        if (m_fallbackLeft == 0)
            return false;
        --m_fallbackLeft;
        return true;
    }

    // "\uN": a UTF-16 unit as a signed 16-bit number; pairs of surrogates are joined.
    void emitUnicode(int value)
    {
        if (value < 0)
            value += 0x10000;
        if (value <= 0 || value > 0xFFFF) {
            emitCodePoint(value == 0 ? char32_t{0} : replacementCharacter);
            return;
        }
        const auto unit = static_cast<char32_t>(value);
        if (unit >= 0xD800 && unit < 0xDC00) {
            flushLoneSurrogate();
            m_highSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit < 0xE000) {
            const char32_t high = std::exchange(m_highSurrogate, 0);
            emitCodePoint(high ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00)
                               : replacementCharacter);
            return;
        }
        emitCodePoint(unit);
    }

    void flushLoneSurrogate()
    {
        if (std::exchange(m_highSurrogate, 0))
            emitCodePoint(replacementCharacter);
    }

    // Text bytes and "\'hh" escapes are Windows-1252.
    void emitByte(char byte)
    {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            emitCodePoint(char32_t{value});
            return;
        }
        flushLoneSurrogate();
        put(problem::fromWindows1252(std::string_view(&byte, 1)));
    }

    void emitCodePoint(char32_t cp)
    {
        if (cp < 0x20 && cp != U'\t')
            return; // control characters have no place in shown text
        flushLoneSurrogate();
        std::string utf8;
        problem::appendUtf8(utf8, cp);
        put(utf8);
    }

    // Text goes to the page, or inside the font table to the name of a font, which ";" ends.
    void put(std::string_view utf8)
    {
        if (!state().inFontTable) {
            m_out.text(utf8, runStyle());
            m_tailAlignment = state().alignment;
            return;
        }
        if (utf8 == ";")
            m_fonts.endEntry();
        else
            m_fonts.appendToName(utf8);
    }

    RunStyle runStyle()
    {
        const CharFormat& format = state().format;
        const int font = format.font == defaultFont ? m_defaultFont : format.font;
        return {format, font != defaultFont && m_fonts.isFixedPitch(font)};
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::vector<GroupState> m_groups;
    int m_excessDepth = 0;
    int m_fallbackLeft = 0;
    char32_t m_highSurrogate = 0;
    bool m_finished = false;
    Alignment m_tailAlignment = Alignment::Left;
    RtfFontTable m_fonts;
    int m_defaultFont = defaultFont;
    HtmlWriter m_out;
};

} // namespace

bool isRtf(std::string_view bytes)
{
    return bytes.starts_with("{\\rtf");
}

std::string rtfToHtml(std::string_view rtf)
{
    return RtfParser(rtf).run();
}

} // namespace shell
