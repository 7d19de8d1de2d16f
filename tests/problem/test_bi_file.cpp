#include "problem/BiFile.h"
#include "problem/Windows1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string header(std::string_view pieceLines, std::string_view count = "1")
{
    return "1\r\n\r\nTeste\r\n10   20\r\n" + std::string(count) + "\r\n" + std::string(pieceLines);
}

struct PieceCase {
    const char* line;
    problem::TPieceType expected;
};

// Names the case by its line in test listings.
void PrintTo(const PieceCase& c, std::ostream* out)
{
    *out << ::testing::PrintToString(std::string(c.line));
}

class PieceLineTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(PieceLineTest, ReadsTheFieldsByTheDigitRunRules)
{
    const auto instance = problem::parseBiFile(header(GetParam().line));
    ASSERT_TRUE(instance.has_value()) << instance.error();
    EXPECT_EQ(instance->pieces[0], GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PieceLineTest,
    ::testing::Values(PieceCase{" 30      10     20     2\r\n", {1, 10, 20, 2, 30}},
                      PieceCase{" 12.9 3 4 1\r\n", {1, 3, 4, 1, 12}},
                      PieceCase{" 1.5E+2 3 4 1\r\n", {1, 3, 4, 1, 150}},
                      PieceCase{" 1.5E2 3 4 1\r\n", {1, 3, 4, 1, 150}},
                      PieceCase{" -7 3 4 1\r\n", {1, 3, 4, 1, 7}},
                      PieceCase{"12,5 3 4 1\r\n", {1, 5, 3, 4, 12}},
                      PieceCase{"7+2 3 4 1\r\n", {1, 3, 4, 1, 7}},
                      PieceCase{"2e3 4 5 6\r\n", {1, 3, 4, 5, 2}},
                      PieceCase{"12. 3 4 1\r\n", {1, 3, 4, 1, 12}},
                      PieceCase{" 5 6\r\n", {1, 6, 0, 0, 5}}, PieceCase{"\r\n", {1, 0, 0, 0, 0}},
                      PieceCase{"valor 8 altura -3 comp 4 dem 2\n", {1, 3, 4, 2, 8}}));

TEST(BiFileReader, ReadsHeaderAndDescriptionWithItsLineEnd)
{
    const auto instance = problem::parseBiFile("1\r\n\r\n  --Teste 1\r\n100   200\r\n0\r\n");
    ASSERT_TRUE(instance.has_value());
    EXPECT_EQ(instance->description, "Teste 1\r\n");
    EXPECT_EQ(instance->plateHeight, 100);
    EXPECT_EQ(instance->plateLength, 200);
    EXPECT_EQ(instance->pieceCount, 0);
}

TEST(BiFileReader, DescriptionCases)
{
    struct Case {
        std::string line;
        std::string expected;
    };
    const Case cases[] = {
        {"\r\n", ""},
        {"...\r\n", ""},
        {"LF only\n", "LF only\n"},
        {"Descri\xE7\xE3o de teste\r\n", "Descrição de teste\r\n"},
        {"\xD3timo\r\n", "Ótimo\r\n"},
        {"(12) pe\xE7"
         "as\r\n",
         "12) peças\r\n"},
    };
    for (const Case& c : cases) {
        const auto instance = problem::parseBiFile("1\r\n\r\n" + c.line + "10   20\r\n0\r\n");
        ASSERT_TRUE(instance.has_value());
        EXPECT_EQ(instance->description, c.expected) << c.line;
        EXPECT_EQ(instance->plateLength, 20) << c.line;
    }
}

TEST(BiFileReader, LfOnlyFileGivesTheSameNumbers)
{
    const auto crlf = problem::parseBiFile(header(" 30      10     20     2\r\n"));
    std::string lf = header(" 30      10     20     2\r\n");
    std::erase(lf, '\r');
    const auto lfOnly = problem::parseBiFile(lf);
    ASSERT_TRUE(crlf && lfOnly);
    EXPECT_EQ(crlf->pieces, lfOnly->pieces);
    EXPECT_EQ(lfOnly->description, "Teste\n");
}

TEST(BiFileReader, LongDescriptionSpillsIntoTheNextRead)
{
    // 99 characters are read at once; the rest of the line becomes line 4.
    const std::string description(98, 'a');
    const auto instance =
        problem::parseBiFile("1\r\n\r\n" + description + "b 7\r\n10   20\r\n3\r\n");
    ASSERT_TRUE(instance.has_value());
    EXPECT_EQ(instance->description, description + "b");
    EXPECT_EQ(instance->plateHeight, 7);
    EXPECT_EQ(instance->plateLength, 0);
    EXPECT_EQ(instance->pieceCount, 10);
}

TEST(BiFileReader, FileEndingEarlyReadsMissingFieldsAsZero)
{
    const auto instance = problem::parseBiFile("1\r\n\r\nCurto\r\n10   20\r\n2\r\n 5 1 2 3\r\n");
    ASSERT_TRUE(instance.has_value());
    EXPECT_EQ(instance->pieceCount, 2);
    EXPECT_EQ(instance->pieces[1], (problem::TPieceType{2, 0, 0, 0, 0}));
}

TEST(BiFileReader, RefusesWhatTheTablesCannotHold)
{
    EXPECT_FALSE(problem::parseBiFile(header("", "101")).has_value());
    EXPECT_TRUE(problem::parseBiFile(header("", "100")).has_value());
    EXPECT_FALSE(problem::parseBiFile(header(" 5 99999999999 1 1\r\n")).has_value());
    EXPECT_FALSE(problem::parseBiFile(header(" 3000000000 1 1 1\r\n")).has_value());
    EXPECT_FALSE(problem::parseBiFile(header(" 1E+30 1 1 1\r\n")).has_value());
    EXPECT_TRUE(problem::parseBiFile(header(" 2147483647 1 1 2147483647\r\n")).has_value());
}

TEST(BiFileReader, TooLargeNumbersNameTheirLine)
{
    struct Case {
        std::string file;
        int line;
    };
    const std::string big = "99999999999";
    const Case cases[] = {
        {"1\r\n\r\nT\r\n" + big + "   20\r\n1\r\n 5 1 1 1\r\n", 4},
        {"1\r\n\r\nT\r\n10   " + big + "\r\n1\r\n 5 1 1 1\r\n", 4},
        {"1\r\n\r\nT\r\n10   20\r\n" + big + "\r\n", 5},
        {header(" 5 1 1 " + big + "\r\n"), 6},
        {header(" 5 1 1 1\r\n 1E+30 1 1 1\r\n", "2"), 7},
    };
    for (const Case& c : cases) {
        const auto instance = problem::parseBiFile(c.file);
        ASSERT_FALSE(instance.has_value()) << c.file;
        EXPECT_EQ(instance.error(),
                  "O arquivo de entrada contém um número grande demais na linha " +
                      std::to_string(c.line) + ".")
            << c.file;
    }
}

TEST(BiFileReader, MissingFileGivesTheOpenMessage)
{
    const auto instance = problem::readBiFile("/nonexistent/folder/x.BI");
    ASSERT_FALSE(instance.has_value());
    EXPECT_EQ(instance.error(), "Erro ao abrir o arquivo de entrada!");
}

TEST(BiFileReader, FolderGivesTheOpenMessage)
{
    const auto instance = problem::readBiFile(QUADRIX_TEST_DATA_DIR);
    ASSERT_FALSE(instance.has_value());
    EXPECT_EQ(instance.error(), "Erro ao abrir o arquivo de entrada!");
}

TEST(BiFileReader, ADeviceWithoutEndIsReadOnlyAsFarAsTheReadsReach)
{
    const auto instance = problem::readBiFile("/dev/zero");
    ASSERT_TRUE(instance.has_value());
    EXPECT_EQ(instance->pieceCount, 0);
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

problem::TInstance exampleInstance()
{
    problem::TInstance instance;
    instance.description = "Teste";
    instance.plateHeight = 100;
    instance.plateLength = 200;
    instance.pieceCount = 2;
    instance.pieces[0] = {1, 10, 20, 2, 30};
    instance.pieces[1] = {2, 25, 15, 1, 50};
    return instance;
}

TEST(BiFileWriter, WritesTheSevenLineExampleByteForByte)
{
    const auto path = std::filesystem::temp_directory_path() / "quadrix_writer_example.BI";
    ASSERT_TRUE(problem::writeBiFile(exampleInstance(), path).has_value());
    EXPECT_EQ(readBytes(path), "1\r\n\r\nTeste\r\n100   200\r\n2\r\n"
                               " 30      10     20     2\r\n"
                               " 50      25     15     1\r\n");
    std::filesystem::remove(path);
}

TEST(BiFileWriter, RoundTripsThroughTheReader)
{
    const auto path = std::filesystem::temp_directory_path() / "quadrix_round_trip.BI";
    problem::TInstance instance = exampleInstance();
    instance.description = "Descrição de teste";
    ASSERT_TRUE(problem::writeBiFile(instance, path).has_value());
    EXPECT_EQ(readBytes(path).substr(5, 19), "Descri\xE7\xE3o de teste\r");
    const auto read = problem::readBiFile(path);
    ASSERT_TRUE(read.has_value());
    instance.description += "\r\n";
    EXPECT_EQ(*read, instance);
    std::filesystem::remove(path);
}

TEST(BiFileWriter, ReportsAFileThatCannotBeWritten)
{
    EXPECT_FALSE(problem::writeBiFile(exampleInstance(), "/nonexistent/folder/x.BI").has_value());
}

TEST(Windows1252, EncodesWhatItCanAndMarksTheRest)
{
    EXPECT_EQ(problem::toWindows1252("Ação €"), "A\xE7\xE3o \x80");
    EXPECT_EQ(problem::toWindows1252("日本"), "??");
    EXPECT_EQ(problem::toWindows1252("bad \xC3"), "bad ?");
    EXPECT_EQ(problem::fromWindows1252("A\xE7\xE3o \x80\x9F"), "Ação €Ÿ");
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(problem::toWindows1252(problem::fromWindows1252(all)), all);
}

} // namespace
