#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "andor/AndOrRun.h"
#include "andor/PatternOfLayout.h"
#include "pattern/CuttingPattern.h"
#include "problem/BiFile.h"
#include "problem/Int32Arithmetic.h"
#include "wang/WangRun.h"

#include <unistd.h>

namespace {

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files every mutation starts from: the classic instances and the examples.
std::vector<std::string> seedFiles()
{
    std::vector<std::filesystem::path> paths;
    for (const auto* folder : {QUADRIX_INSTANCES_DIR, QUADRIX_EXAMPLES_DIR})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".BI")
                paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end()); // the same order on every file system
    std::vector<std::string> files;
    for (const auto& path : paths)
        files.push_back(bytesOf(path));
    return files;
}

// The bytes as a C string literal's contents, to replay a failing input.
std::string escaped(const std::string& bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            text += '\\';
            text += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            const char* digits = "01234567";
            text += {'\\', digits[byte >> 6], digits[(byte >> 3) & 7], digits[byte & 7]};
        }
    }
    return text;
}

// Damages a BI file the ways real files get damaged, a few at a time.
class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : m_random(seed) {}

    std::string mutate(std::string bytes)
    {
        const int steps = pick(0, 2) == 0 ? pick(2, 4) : 1;
        for (int i = 0; i < steps; ++i)
            mutateOnce(bytes);
        return bytes;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::size_t anywhere(const std::string& bytes)
    {
        return static_cast<std::size_t>(pick(0, static_cast<int>(bytes.size())));
    }

    // The start of a random line and the position of its LF (or the end).
    std::pair<std::size_t, std::size_t> someLine(const std::string& bytes)
    {
        std::size_t start = anywhere(bytes);
        while (start > 0 && bytes[start - 1] != '\n')
            --start;
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        return {start, end};
    }

    void mutateOnce(std::string& bytes)
    {
        const std::size_t at = anywhere(bytes);
        switch (pick(0, 9)) {
        case 0: // a flipped bit
            if (at < bytes.size())
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << pick(0, 7)));
            break;
        case 1: // a random byte inserted
            bytes.insert(at, 1, static_cast<char>(pick(0, 255)));
            break;
        case 2: // a few bytes deleted
            bytes.erase(at, static_cast<std::size_t>(pick(1, 8)));
            break;
        case 3: { // a line cut short, its end kept
            const auto [start, end] = someLine(bytes);
            const std::size_t keep = start + static_cast<std::size_t>(pick(0, 6));
            if (keep < end)
                bytes.erase(keep, end - keep);
            break;
        }
        case 4: { // a long run of digits, past every integer type
            const std::size_t digits = static_cast<std::size_t>(pick(6, 40));
            std::string run(digits, '9');
            for (char& c : run)
                c = static_cast<char>('0' + pick(0, 9));
            bytes.insert(at, run);
            break;
        }
        case 5: // NUL bytes
            bytes.insert(at, static_cast<std::size_t>(pick(1, 3)), '\0');
            break;
        case 6: { // a lone CR: a line end without its LF
            const std::size_t lf = bytes.find('\n', at);
            if (lf != std::string::npos)
                bytes.erase(lf, 1);
            else
                bytes.insert(at, 1, '\r');
            break;
        }
        case 7: // the file cut off
            bytes.resize(at);
            break;
        case 8: { // a number at the edge of what 32 bits and their products hold
            const std::size_t start = bytes.find_first_of("0123456789", at);
            if (start == std::string::npos)
                break;
            const std::size_t end =
                std::min(bytes.find_first_not_of("0123456789", start), bytes.size());
            const char* const edges[] = {"2147483647", "2147483648", "65536",
                                         "46341",      "1073741824", "0"};
            bytes.replace(start, end - start, edges[pick(0, 5)]);
            break;
        }
        default: { // a line doubled, so every line after it shifts
            const auto [start, end] = someLine(bytes);
            bytes.insert(start, bytes.substr(start, end - start + 1));
            break;
        }
        }
    }

    std::mt19937 m_random;
};

// Runs stay quick: small plates only, few levels, a short pattern list.
bool smallEnough(const problem::TInstance& instance)
{
    return instance.plateHeight <= 1000 && instance.plateLength <= 1000;
}

struct Tally {
    int inputs = 0;
    int unread = 0;
    int tooLarge = 0;
    int andOrResults = 0;
    int andOrRefusals = 0;
    int wangResults = 0;
    int wangRefusals = 0;
};

void runAndOrOn(const problem::TInstance& instance, int variant, Tally& tally)
{
    andor::SolverSettings settings;
    settings.depthLimit = 1 + variant % 2;
    settings.setCapacity = 30;
    settings.symmetryOn = variant % 3 == 0;
    settings.heuristicsOn = variant % 5 == 0;
    const andor::ProblemKind kind =
        variant % 2 == 0 ? andor::ProblemKind::Constrained : andor::ProblemKind::Unconstrained;
    const auto run = andor::runAndOr(instance, kind, settings);
    if (!run) {
        EXPECT_FALSE(failureMessage(run.error()).empty());
        ++tally.andOrRefusals;
        return;
    }
    ++tally.andOrResults;
    std::int64_t pieces = 0;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const std::int32_t count = run->counts[static_cast<std::size_t>(i)];
        EXPECT_GE(count, 0) << "type " << i + 1;
        if (kind == andor::ProblemKind::Constrained) {
            EXPECT_LE(count, instance.pieces[static_cast<std::size_t>(i)].demand)
                << "type " << i + 1;
        }
        pieces += count;
    }
    // The pattern is drawn piece by piece; a plate of tiny pieces is left unchecked.
    if (pieces <= 20000) {
        const auto fault =
            pattern::findPatternFault(andor::cuttingPatternOf(run->layout, instance), instance);
        EXPECT_FALSE(fault.has_value()) << *fault;
    }
}

void runWangOn(const problem::TInstance& instance, int variant, Tally& tally)
{
    wang::WangOptions options;
    options.patternLimit = 2'000;
    options.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    const auto run = wang::runWang(instance, variant % 2 == 0 ? 0.0f : 0.01f, options);
    if (!run) {
        EXPECT_FALSE(failureMessage(run.error()).empty());
        ++tally.wangRefusals;
        return;
    }
    ++tally.wangResults;
    ASSERT_LT(run->best, run->patterns.size());
    // A single piece may be the best pattern whatever its demand; a build respects them all.
    const bool single = run->patterns[run->best].kind == wang::kindPiece;
    std::int64_t pieces = 0, covered = 0;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        const std::int32_t count = run->counts[static_cast<std::size_t>(i)];
        EXPECT_GE(count, 0) << "type " << i + 1;
        if (!single) {
            EXPECT_LE(count, std::max(piece.demand, 0)) << "type " << i + 1;
        }
        pieces += count;
        covered += std::int64_t{count} * piece.height * piece.length;
    }
    EXPECT_TRUE(!single || pieces == 1);
    // Areas are 32-bit products, which wrap for a pattern of pieces taller than the plate.
    EXPECT_EQ(problem::wrap32(covered), run->bestArea);
}

// Damaged problem files are refused with a message, or solved within the rules: never a crash,
// an undefined operation or a pattern that breaks the rules. A sanitizer build makes the
// first two visible.
TEST(BiFileFuzz, DamagedFilesAreRefusedOrSolvedSoundly)
{
    const auto seeds = seedFiles();
    ASSERT_GE(seeds.size(), 90u);
    const auto folder =
        std::filesystem::temp_directory_path() / ("quadrix-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto path = folder / "fuzz.BI";
    constexpr std::uint32_t seed = 20250321;
    constexpr int inputs = 3000;
    Mutator mutator(seed);
    Tally tally;
    for (int k = 0; k < inputs; ++k) {
        const std::string bytes = mutator.mutate(seeds[static_cast<std::size_t>(k) % seeds.size()]);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        SCOPED_TRACE("input " + std::to_string(k) + " of seed " + std::to_string(seed));
        ++tally.inputs;
        const auto instance = problem::readBiFile(path);
        if (!instance) {
            EXPECT_FALSE(instance.error().empty());
            ++tally.unread;
            continue;
        }
        if (!smallEnough(*instance)) {
            ++tally.tooLarge;
            continue;
        }
        runAndOrOn(*instance, k, tally);
        runWangOn(*instance, k, tally);
        if (HasFailure()) {
            ADD_FAILURE() << "the input that failed: \"" << escaped(bytes) << '"';
            break; // the first failing input is the one to replay
        }
    }
    std::filesystem::remove_all(folder);
    std::cout << "fuzzed " << tally.inputs << " inputs: " << tally.unread
              << " refused by the reader, " << tally.tooLarge << " plates too large to run; AND/OR "
              << tally.andOrResults << " results, " << tally.andOrRefusals << " refusals; Wang "
              << tally.wangResults << " results, " << tally.wangRefusals << " refusals\n";
    EXPECT_EQ(tally.inputs, inputs);
    // The mix must reach every outcome for the run to mean something.
    EXPECT_GT(tally.unread, 0);
    EXPECT_GT(tally.andOrResults, inputs / 4);
    EXPECT_GT(tally.andOrRefusals, 0);
    EXPECT_GT(tally.wangResults, inputs / 4);
    EXPECT_GT(tally.wangRefusals, 0);
}

} // namespace
