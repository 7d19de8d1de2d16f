#include "shell/LibraryTexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// A scratch prefix with an empty bin/ and the installed data folder the program reads.
class LibraryTextsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        m_prefix = fs::temp_directory_path() /
                   ("quadrix-library-texts-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(bin());
        fs::create_directories(installed());
    }

    void TearDown() override { fs::remove_all(m_prefix); }

    fs::path bin() const { return m_prefix / "bin"; }
    fs::path installed() const
    {
        return (bin() / QUADRIX_LIBRARY_TEXTS_FROM_PROGRAM).lexically_normal();
    }

    static void write(const fs::path& path) { std::ofstream(path) << "texto"; }

    fs::path m_prefix;
};

TEST_F(LibraryTextsTest, InstalledFolderIsTheSharedDataFolderOfThePrefix)
{
    EXPECT_EQ(installed(), m_prefix / "share" / "quadrix");
    EXPECT_EQ(shell::libraryTextFolders(bin()), (std::vector<fs::path>{bin(), installed()}));
}

TEST_F(LibraryTextsTest, EachFileIsTakenFromTheFirstFolderThatHoldsIt)
{
    struct Case {
        const char* name;
        bool beside;
        bool inInstalled;
        const char* expectedFolder; // "bin", "installed" or "" for not found
    };
    const Case cases[] = {
        {"beside the program only", true, false, "bin"},
        {"installed only", false, true, "installed"},
        {"both: the program's folder wins", true, true, "bin"},
        {"neither", false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(bin() / "WS.s");
        fs::remove(installed() / "WS.s");
        if (c.beside)
            write(bin() / "WS.s");
        if (c.inInstalled)
            write(installed() / "WS.s");
        const std::string expected = c.expectedFolder;
        const fs::path found = shell::findLibraryText(bin(), "WS.s");
        if (expected.empty())
            EXPECT_TRUE(found.empty()) << found;
        else
            EXPECT_EQ(found, (expected == "bin" ? bin() : installed()) / "WS.s");
    }
}

TEST_F(LibraryTextsTest, FilesAreFoundOneByOne)
{
    write(bin() / "GSi.s");
    write(installed() / "GSr.s");
    EXPECT_EQ(shell::findLibraryText(bin(), "GSi.s"), bin() / "GSi.s");
    EXPECT_EQ(shell::findLibraryText(bin(), "GSr.s"), installed() / "GSr.s");
    EXPECT_TRUE(shell::findLibraryText(bin(), "WS.s").empty());
}

TEST_F(LibraryTextsTest, AFolderOfTheTextsNameIsNoText)
{
    fs::create_directory(bin() / "GSi.s");
    write(installed() / "GSi.s");
    EXPECT_EQ(shell::findLibraryText(bin(), "GSi.s"), installed() / "GSi.s");
}

TEST_F(LibraryTextsTest, TrailingSeparatorOfTheProgramFolderIsIgnored)
{
    write(installed() / "GSi.s");
    const fs::path withSlash = bin().string() + "/";
    EXPECT_EQ(shell::findLibraryText(withSlash, "GSi.s").lexically_normal(), installed() / "GSi.s");
}

} // namespace
