#include "cli/CliMain.h"
#include "support/AllocationFailure.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <iostream>
#include <regex>
#include <streambuf>

namespace {

// Holds what a run prints without allocating, so that the allocation that fails is always one of
// the tool's own.
class FixedBuffer : public std::streambuf {
public:
    FixedBuffer() : m_storage(1 << 20)
    {
        setp(m_storage.data(), m_storage.data() + m_storage.size());
    }
    std::string text() const { return std::string(pbase(), pptr()); }

private:
    std::vector<char> m_storage;
};

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
    bool struck = false;
};

// The tool run in this process, with standard output and error caught; failing > 0 makes that
// allocation fail.
CliRun runFailing(const std::vector<std::string>& words, long failing)
{
    std::vector<const char*> argv{"quadrix-cli"};
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    FixedBuffer out, err;
    std::streambuf* const savedOut = std::cout.rdbuf(&out);
    std::streambuf* const savedErr = std::cerr.rdbuf(&err);
    CliRun run;
    {
        const AllocationFailure failure(failing);
        run.status = runCli(static_cast<int>(argv.size()), argv.data());
        run.struck = failure.struck();
    }
    std::cout.rdbuf(savedOut);
    std::cerr.rdbuf(savedErr);
    std::cout.clear();
    std::cerr.clear();
    run.out = out.text();
    run.err = err.text();
    return run;
}

// A run may cross a second boundary.
std::string withoutTime(const std::string& text)
{
    static const std::regex time("Tempo: [^\r\n]*|\"elapsedSeconds\":[0-9]+");
    return std::regex_replace(text, time, "<tempo>");
}

struct CommandCase {
    const char* name;
    std::vector<std::string> words; // "ALVO" stands for the file the command writes
    // Whether writing the file is the last step that can fail. Where printing follows, memory can
    // run out after the file was replaced: it then holds the whole new content.
    bool fileWrittenLast;
};

void PrintTo(const CommandCase& c, std::ostream* out)
{
    *out << c.name;
}

class EveryAllocation : public ::testing::TestWithParam<CommandCase> {};

const std::string data = QUADRIX_TEST_DATA_DIR "/";
const std::string cliData = QUADRIX_CLI_TEST_DIR "/";

const CommandCase commands[] = {
    {"show", {"show", data + "example.BI", "--json"}, true},
    {"wang report",
     {"wang", cliData + "wang_two_types.BI", "--beta", "0,1", "--decimal-separator", ",", "-o",
      "ALVO"},
     true},
    {"wang drawing", {"wang", data + "wang_square.BI", "--json", "--svg", "ALVO"}, false},
    {"andor report", {"andor", data + "example.BI", "--unconstrained", "-o", "ALVO"}, true},
    {"andor drawing", {"andor", data + "example.BI", "--json", "--svg", "ALVO"}, false},
};

TEST_P(EveryAllocation, FailingEndsWithAMessageAndStatusTwoAndKeepsTheOldFile)
{
    ScratchFolder folder;
    const auto target = folder / "alvo";
    std::vector<std::string> words = GetParam().words;
    for (std::string& word : words)
        if (word == "ALVO")
            word = target.string();
    const std::string old = "conteúdo anterior\n";

    writeContent(target, old);
    const CliRun clean = runFailing(words, 0);
    ASSERT_EQ(clean.status, 0) << clean.err;
    const std::string written = withoutTime(fileContent(target));

    // Each allocation of the command fails in turn, until the command makes no more.
    long failing = 1;
    for (;; ++failing) {
        writeContent(target, old);
        const CliRun run = runFailing(words, failing);
        if (!run.struck)
            break;
        if (run.status == 0) {
            // The failure was absorbed on the way, and the command still did its work.
            EXPECT_TRUE(withoutTime(run.out) == withoutTime(clean.out)) << "allocation " << failing;
            EXPECT_TRUE(withoutTime(fileContent(target)) == written) << "allocation " << failing;
        } else {
            ASSERT_EQ(run.status, 2) << "allocation " << failing << ": " << run.err;
            EXPECT_NE(run.err.find("emória insuficiente"), std::string::npos)
                << "allocation " << failing << ": " << run.err;
            const std::string content = fileContent(target);
            const bool keptOld = content == old;
            EXPECT_TRUE(keptOld || (!GetParam().fileWrittenLast && withoutTime(content) == written))
                << "allocation " << failing << ": " << run.err;
        }
        ASSERT_EQ(folder.names(), std::vector<std::string>{"alvo"}) << "allocation " << failing;
    }
    EXPECT_GT(failing, 100);
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryAllocation, ::testing::ValuesIn(commands),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

} // namespace
