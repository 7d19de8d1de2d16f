#include "problem/BiFile.h"

#include "problem/AtomicFile.h"
#include "problem/Windows1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>

namespace problem {

namespace {

// One read takes at most this many characters, as the file format has always been read.
constexpr std::size_t maxReadLength = 99;
// The reads of a file that can be accepted: five before the piece types, then one per type.
constexpr std::size_t maxBiFileBytes = (5 + maxPieceTypes) * maxReadLength;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetterOrDigit(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Letters of Windows-1252 beyond ASCII also start a description, so "Ótimo" keeps its "Ó".
bool isWindows1252Letter(unsigned char c)
{
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB5:
    case 0xBA:
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

bool startsDescription(char c)
{
    return isAsciiLetterOrDigit(c) || isWindows1252Letter(static_cast<unsigned char>(c));
}

// Hands out the file's reads; a read past the end gives an empty line.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    std::string_view next()
    {
        const std::size_t begin = m_pos;
        const std::size_t limit = std::min(m_bytes.size(), begin + maxReadLength);
        while (m_pos < limit && m_bytes[m_pos++] != '\n') {
        }
        ++m_lineNumber;
        return m_bytes.substr(begin, m_pos - begin);
    }

    int lineNumber() const { return m_lineNumber; }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

struct NumberTooLarge {
    int line;
};

// Walks one line: skips to digit runs and converts them.
class LineScanner {
public:
    LineScanner(std::string_view line, int lineNumber) : m_line(line), m_lineNumber(lineNumber) {}

    // The next run of digits from the current position; an absent run reads as 0.
    std::int32_t nextInteger()
    {
        skipToDigit();
        const std::size_t begin = m_pos;
        while (m_pos < m_line.size() && isDigit(m_line[m_pos]))
            ++m_pos;
        return toInt32(m_line.substr(begin, m_pos - begin));
    }

    // The value field: a run of digits, ".", "E", "+" whose leading real is truncated.
    std::int32_t nextValue()
    {
        skipToDigit();
        const std::size_t begin = m_pos;
        while (m_pos < m_line.size() && isValueChar(m_line[m_pos]))
            ++m_pos;
        const std::string_view run = m_line.substr(begin, m_pos - begin);
        const std::string_view real = run.substr(0, leadingRealLength(run));
        if (real.empty())
            return 0;
        long double value = 0;
        const auto [last, error] = std::from_chars(real.data(), real.data() + real.size(), value);
        if (error != std::errc{} || value > std::numeric_limits<std::int32_t>::max())
            throw NumberTooLarge{m_lineNumber};
        return static_cast<std::int32_t>(std::trunc(value));
    }

private:
    static bool isValueChar(char c) { return isDigit(c) || c == '.' || c == 'E' || c == '+'; }

    // Digits, a point with digits, then "E" with an optional "+" and digits.
    static std::size_t leadingRealLength(std::string_view run)
    {
        auto digitsFrom = [&](std::size_t pos) {
            while (pos < run.size() && isDigit(run[pos]))
                ++pos;
            return pos;
        };
        std::size_t end = digitsFrom(0);
        if (end + 1 < run.size() && run[end] == '.' && isDigit(run[end + 1]))
            end = digitsFrom(end + 1);
        if (end < run.size() && run[end] == 'E') {
            std::size_t pos = end + 1;
            if (pos < run.size() && run[pos] == '+')
                ++pos;
            if (pos < run.size() && isDigit(run[pos]))
                end = digitsFrom(pos);
        }
        return end;
    }

    void skipToDigit()
    {
        while (m_pos < m_line.size() && !isDigit(m_line[m_pos]))
            ++m_pos;
    }

    std::int32_t toInt32(std::string_view digits) const
    {
        if (digits.empty())
            return 0;
        std::int32_t value = 0;
        const auto [last, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc{})
            throw NumberTooLarge{m_lineNumber};
        return value;
    }

    std::string_view m_line;
    int m_lineNumber;
    std::size_t m_pos = 0;
};

std::string descriptionOf(std::string_view line)
{
    const auto start = std::find_if(line.begin(), line.end(), startsDescription);
    return fromWindows1252(std::string_view(start, line.end()));
}

} // namespace

std::expected<TInstance, std::string> parseBiFile(std::string_view bytes)
{
    LineReader reader(bytes);
    // The line is read before its number is taken, so that a fault names the line holding it.
    auto scanNextLine = [&reader] {
        const std::string_view line = reader.next();
        return LineScanner(line, reader.lineNumber());
    };
    TInstance instance;
    try {
        reader.next(); // the number of problems in the file is not kept
        reader.next();
        instance.description = descriptionOf(reader.next());
        LineScanner plate = scanNextLine();
        instance.plateHeight = plate.nextInteger();
        instance.plateLength = plate.nextInteger();
        instance.pieceCount = scanNextLine().nextInteger();
        if (instance.pieceCount > maxPieceTypes) {
            return std::unexpected(
                "O arquivo de entrada declara " + std::to_string(instance.pieceCount) +
                " tipos de peças; o máximo é " + std::to_string(maxPieceTypes) + ".");
        }
        for (int k = 1; k <= instance.pieceCount; ++k) {
            LineScanner line = scanNextLine();
            TPieceType& piece = instance.pieces[k - 1];
            piece.id = k;
            piece.value = line.nextValue();
            piece.height = line.nextInteger();
            piece.length = line.nextInteger();
            piece.demand = line.nextInteger();
        }
    } catch (const NumberTooLarge& fault) {
        return std::unexpected("O arquivo de entrada contém um número grande demais na linha " +
                               std::to_string(fault.line) + ".");
    }
    return instance;
}

std::expected<TInstance, std::string> readBiFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::unexpected(biFileOpenError);
    // A stream read turns a failing read (a folder opens, but does not read) into badbit instead
    // of an exception, and nothing past what the reads can reach is taken, so a device that never
    // ends cannot exhaust memory.
    std::string bytes(maxBiFileBytes, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad())
        return std::unexpected(biFileOpenError);
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return parseBiFile(bytes);
}

std::vector<std::string> biFileLines(const TInstance& instance)
{
    std::vector<std::string> lines{"1", "", instance.description,
                                   std::to_string(instance.plateHeight) + "   " +
                                       std::to_string(instance.plateLength),
                                   std::to_string(instance.pieceCount)};
    const int written = std::clamp(instance.pieceCount, 0, maxPieceTypes);
    for (int k = 0; k < written; ++k) {
        const TPieceType& piece = instance.pieces[k];
        std::string line(1, ' ');
        line += std::to_string(piece.value) + "      " + std::to_string(piece.height) + "     " +
                std::to_string(piece.length) + "     " + std::to_string(piece.demand);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::expected<void, std::string> writeTextLines(const std::vector<std::string>& lines,
                                                const std::filesystem::path& path)
{
    AtomicFile file(path);
    for (const std::string& line : lines) {
        file.write(toWindows1252(line));
        file.write("\r\n");
    }
    return file.commit();
}

std::expected<void, std::string> writeBiFile(const TInstance& instance,
                                             const std::filesystem::path& path)
{
    return writeTextLines(biFileLines(instance), path);
}

} // namespace problem
