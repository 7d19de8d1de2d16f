#include "pattern/PatternSvg.h"
#include "problem/AtomicFile.h"
#include "problem/BiFile.h"
#include "problem/Report.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

using Writer = std::function<std::expected<void, std::string>(const std::filesystem::path&)>;

struct WriterCase {
    const char* name;
    Writer write;
};

// Every writer is given a few kilobytes, more than the limits the tests set.
problem::ReportLines longReport()
{
    return problem::ReportLines(400, "Padrão   -   10   -   20   -   200   -   0");
}

problem::TInstance manyPieces()
{
    problem::TInstance instance;
    instance.description = "Muitas peças";
    instance.plateHeight = 1000;
    instance.plateLength = 1000;
    instance.pieceCount = problem::maxPieceTypes;
    for (int k = 0; k < problem::maxPieceTypes; ++k)
        instance.pieces[k] = {k + 1, 100 + k, 200 + k, 3, 1000 + k};
    return instance;
}

pattern::PatternScene sceneWithManyPieces()
{
    pattern::PatternScene scene;
    scene.width = 960;
    scene.height = 640;
    for (int k = 0; k < 100; ++k)
        scene.pieces.push_back({{10.0 * k, 5.0, 10, 20}, k % 7, {200, 100, 50}, "7", 8});
    return scene;
}

const WriterCase writers[] = {
    {"result file", [](const auto& path) { return problem::writeResultFile(longReport(), path); }},
    {"BI file", [](const auto& path) { return problem::writeBiFile(manyPieces(), path); }},
    {"SVG drawing",
     [](const auto& path) { return pattern::writePatternSvg(sceneWithManyPieces(), path); }},
    {"bytes",
     [](const auto& path) {
         return problem::writeFileAtomically(path, std::string(300'000, 'x'));
     }},
};

void PrintTo(const WriterCase& c, std::ostream* out)
{
    *out << c.name;
}

class EveryWriter : public ::testing::TestWithParam<WriterCase> {};

std::string nameOf(const ::testing::TestParamInfo<WriterCase>& info)
{
    std::string name = info.param.name;
    std::erase(name, ' ');
    return name;
}

TEST_P(EveryWriter, AFailingWriteLeavesTheOldFileAndNoTemporary)
{
    ScratchFolder folder;
    const auto target = folder / "alvo.txt";
    const std::string old(20'000, 'o');
    writeContent(target, old);
    std::expected<void, std::string> written;
    {
        const FileSizeLimit limit(1024);
        written = GetParam().write(target);
    }
    ASSERT_FALSE(written.has_value());
    EXPECT_NE(written.error().find("alvo.txt"), std::string::npos) << written.error();
    EXPECT_TRUE(fileContent(target) == old);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"alvo.txt"});
}

TEST_P(EveryWriter, ASuccessfulWriteReplacesTheFileWholeAndKeepsItsPermissions)
{
    ScratchFolder folder;
    const auto fresh = folder / "novo.txt";
    ASSERT_TRUE(GetParam().write(fresh).has_value());
    const std::string expected = fileContent(fresh);
    ASSERT_GT(expected.size(), 2048u);

    const auto target = folder / "alvo.txt";
    writeContent(target, std::string(expected.size() * 2, 'o'));
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(GetParam().write(target).has_value());
    EXPECT_TRUE(fileContent(target) == expected);
    struct stat status {};
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"alvo.txt", "novo.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Writers, EveryWriter, ::testing::ValuesIn(writers), nameOf);

TEST(AtomicFile, TargetsThatCannotBeReplacedAreReportedAndLeftAsTheyWere)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "pasta");
    writeContent(folder / "pasta" / "dentro.txt", "dentro");
    const std::filesystem::path targets[] = {folder / "pasta", folder / "falta" / "x.txt",
                                             "/dev/full"};
    for (const auto& target : targets) {
        const auto written = problem::writeFileAtomically(target, "conteúdo");
        ASSERT_FALSE(written.has_value()) << target;
        EXPECT_NE(written.error().find(target.string()), std::string::npos) << written.error();
    }
    EXPECT_EQ(fileContent(folder / "pasta" / "dentro.txt"), "dentro");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"pasta"});
}

TEST(AtomicFile, WritesThroughALinkAndInPlaceIntoDevices)
{
    ScratchFolder folder;
    writeContent(folder / "real.txt", "antigo");
    std::filesystem::create_symlink("real.txt", folder / "atalho.txt");
    ASSERT_TRUE(problem::writeFileAtomically(folder / "atalho.txt", "novo").has_value());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "atalho.txt"));
    EXPECT_EQ(fileContent(folder / "real.txt"), "novo");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"atalho.txt", "real.txt"}));
    EXPECT_TRUE(problem::writeFileAtomically("/dev/null", "nada").has_value());
}

TEST(AtomicFile, AnUncommittedFileRemovesItsTemporaryAndKeepsTheTarget)
{
    ScratchFolder folder;
    writeContent(folder / "alvo.txt", "antigo");
    {
        problem::AtomicFile file(folder / "alvo.txt");
        file.write("meio caminho");
        EXPECT_EQ(folder.names().size(), 2u);
    }
    EXPECT_EQ(fileContent(folder / "alvo.txt"), "antigo");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"alvo.txt"});
}

} // namespace
