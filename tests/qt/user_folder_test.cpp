// The per-user folder's seeding: the supplied files it lacks are copied in, and nothing is written
// through a link planted in it.
#include "qt/user_folder.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark::test {
namespace {

namespace fs = std::filesystem;

TEST(UserFolder, SeedingWritesNothingThroughAPlantedLink)
{
    TempWorkingDir dir;
    fs::create_directories("data");
    for (const char* name : {"424.txt", "490.txt", "518.txt", "4209.txt", "mapper.pnt",
                             "capture-sample.txt"})
        writeFile(std::string("data/") + name, name);
    fs::create_directories("user");
    writeFile("victim.txt", "VICTIM");
    for (const char* planted : {"user/518.txt.part", "user/518.txt.tmp", "user/490.txt"})
        fs::create_symlink(fs::absolute("victim.txt"), planted);
    fs::create_symlink(fs::absolute("nowhere.txt"), "user/mapper.pnt");
    EXPECT_EQ(qt::prepareUserFolder("data", "user"), "");
    EXPECT_EQ(readFile("user/518.txt"), "518.txt");
    EXPECT_EQ(readFile("victim.txt"), "VICTIM");
    EXPECT_FALSE(fs::exists("nowhere.txt"));
    EXPECT_TRUE(fs::is_symlink("user/490.txt")); // a user's own link stays
}

} // namespace
} // namespace fenlark::test
