// Saving and loading the message log from the window: buttons, menu, failures, the serial port,
// the earlier logs kept, and the working folder's files on a real file system.
#include "common/file_io.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>
#include <sys/stat.h>

namespace fenlark {
namespace {

using test::TestProgram;
using test::listState;
using test::readFile;
using test::writeFile;

std::string testLog(const std::string& name)
{
    std::ifstream in(std::string(FENLARK_TEST_DATA_DIR) + "/logs/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Everything a load must leave alone when it fails.
struct Snapshot {
    std::vector<MessageRecord> records;
    std::string lists;
    std::vector<std::string> view;

    explicit Snapshot(TestProgram& p)
    {
        State& s = p.state();
        records.assign(s.MessageTable.begin(), s.MessageTable.begin() + s.msgcount);
        Form1& f = p.form();
        lists = listState(f.MessageList) + " | " + listState(f.MessageList2) + " | " +
                listState(f.StationList) + " | " + listState(f.MessageTypeList);
        for (const TextBox* box : {&f.Text1, &f.Text2, &f.Text3, &f.Text4, &f.Text5, &f.Text6,
                                   &f.Text7, &f.Text8, &f.Text10, &f.Text11, &f.Text12, &f.Text13})
            view.push_back(box->text());
        view.push_back(f.Label6.caption());
        view.push_back(f.Label15.caption());
    }
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

TEST(MessageLog, SaveLoadSaveIsByteIdentical)
{
    TestProgram p;
    const std::string golden = testLog("three-records.txt");
    writeFile("navtex.txt", golden);
    p.form().mnuload.click();
    ASSERT_EQ(p.state().msgcount, 3);
    std::filesystem::remove("navtex.txt");
    p.form().mnusave.click();
    EXPECT_EQ(readFile("navtex.txt"), golden);
}

TEST(MessageLog, ReceivedMessagesSavedAndLoadedIntoAFreshProgram)
{
    std::string saved;
    std::vector<MessageRecord> before;
    {
        TestProgram p;
        p.clock.set(2026, 12, 5, 0, 0, 0);
        p.receiveMessage("GA12", {"FIRST BODY LINE", "SECOND BODY LINE"});
        p.clock.set(2026, 12, 5, 0, 0, 5);
        p.receiveMessage("ZA01", {"  LEADING AND TRAILING  "});
        p.form().Command1.click();
        saved = readFile("navtex.txt");
        before.assign(p.state().MessageTable.begin(), p.state().MessageTable.begin() + 2);
    }
    TestProgram q;
    writeFile("navtex.txt", saved);
    q.form().mnuload.click();
    ASSERT_EQ(q.state().msgcount, 2);
    EXPECT_EQ(q.state().MessageTable[0], before[0]);
    EXPECT_EQ(q.state().MessageTable[1], before[1]);
    EXPECT_NE(saved.find("05/12/2026\r\n05/12/2026\r\nGA12\r\n"), std::string::npos) << saved;
}

TEST(MessageLog, LoadFillsListsAndInSelectedModeShowsTheLowestIdentifier)
{
    TestProgram p;
    p.form().Option5.choose();
    writeFile("navtex.txt", testLog("three-records.txt"));
    p.form().mnuload.click();
    EXPECT_EQ(listState(p.form().MessageList), "ZA01 [AB12] NE05");
    EXPECT_EQ(listState(p.form().MessageList2), "[AB12] NE05 ZA01");
    EXPECT_EQ(p.form().Text6.text(), "Message AB12");
    EXPECT_EQ(p.form().Text12.text(), " 3 logged");
}

TEST(MessageLog, LoadingAnEmptyLogEmptiesTheListsAndResetsTheSelectors)
{
    TestProgram p;
    p.receiveMessage("GA12", {"X"});
    p.form().NavAreaList.setListIndex(3);
    p.form().StationList.setListIndex(7);
    writeFile("navtex.txt", " 0 \r\n");
    p.form().navtexload();
    EXPECT_EQ(p.state().msgcount, 0);
    EXPECT_EQ(p.form().MessageList.count(), 0);
    EXPECT_EQ(p.form().NavAreaList.listIndex(), 0);
    EXPECT_EQ(p.form().StationList.listIndex(), 0);
    EXPECT_EQ(p.form().MessageTypeList.listIndex(), 0);
    EXPECT_EQ(p.form().StationList.count(), 27);
}

TEST(MessageLog, TheLoadButtonAsksAndNoLeavesEverything)
{
    TestProgram p;
    p.receiveMessage("GA12", {"X"});
    writeFile("navtex.txt", testLog("three-records.txt"));
    const Snapshot before(p);
    p.dialogs.queue(false);
    p.form().Command2.click();
    ASSERT_EQ(p.dialogs.questions.size(), 1u);
    EXPECT_EQ(p.dialogs.questions[0],
              "This will lose any recieved unsaved messages - Do you still want to do this?");
    EXPECT_TRUE(Snapshot(p) == before);
    p.dialogs.queue(true);
    p.form().Command2.click();
    EXPECT_EQ(p.state().msgcount, 3);
}

TEST(MessageLog, EveryFailedLoadLeavesTableListsAndViewAsTheyWere)
{
    for (const char* file :
         {"bad-empty.txt", "bad-count-text.txt", "bad-count-too-big.txt", "bad-count-negative.txt",
          "bad-date.txt", "bad-number.txt", "bad-number-range.txt", "bad-ends-before-records.txt",
          "bad-ends-before-nnnn.txt", ""}) {
        SCOPED_TRACE(*file ? file : "(no navtex.txt)");
        TestProgram p;
        p.form().Option5.choose();
        p.receiveMessage("GA12", {"FIRST"});
        p.receiveMessage("EA42", {"SECOND"});
        p.form().MessageList.setListIndex(1);
        if (*file)
            writeFile("navtex.txt", testLog(file));
        const Snapshot before(p);
        p.form().navtexload();
        EXPECT_TRUE(Snapshot(p) == before);
        ASSERT_EQ(p.dialogs.notices.size(), 1u);
        EXPECT_NE(p.dialogs.notices[0].find("\"navtex.txt\""), std::string::npos)
            << p.dialogs.notices[0];
        if (*file) {
            EXPECT_NE(p.dialogs.notices[0].find(", line "), std::string::npos)
                << p.dialogs.notices[0];
        }
    }
}

TEST(MessageLog, SaveClosesThePortWhileWritingAndOpensItAgain)
{
    TestProgram p;
    ASSERT_TRUE(p.form().MSComm1.portOpen());
    bool openDuringWrite = true;
    p.serial.onClose = [&] {
        openDuringWrite = p.serial.isOpen();
        // The receiver goes on sending while the port is closed: those characters are lost.
        p.serial.send("ZCZC LOST\r\n");
    };
    p.receive("ZCZC EA42\r\nBEFORE\r\n");
    p.form().Command1.click();
    p.serial.onClose = nullptr;
    EXPECT_FALSE(openDuringWrite);
    EXPECT_TRUE(p.form().MSComm1.portOpen());
    p.receive("AFTER\r\nNNNN\r\n");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.state().MessageTable[0].msgid, "EA42");
    EXPECT_EQ(p.state().MessageTable[0].msgtext, "\r\nBEFORE\r\nAFTER");
}

TEST(MessageLog, AFailedSaveSaysSoAndReopensThePort)
{
    TestProgram p;
    p.receiveMessage("EA42", {"NEW"});
    std::filesystem::create_symlink("gone/navtex.txt", "navtex.txt"); // no folder to write in
    p.form().Command1.click();
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_NE(p.dialogs.notices[0].find("\"navtex.txt\""), std::string::npos);
    EXPECT_TRUE(p.form().MSComm1.portOpen());
}

TEST(MessageLog, TheFirstSaveKeepsTheEarlierLogWhenItMayHoldMessagesAndWasNotLoaded)
{
    const std::string one = testLog("one-record.txt");
    // The log there (none: no file), whether it was loaded first, and whether it must be kept.
    const std::tuple<const char*, bool, bool> cases[] = {
        {nullptr, false, false},     {" 0 \r\n", false, false},  {"", false, false},
        {one.c_str(), false, true}, {"navtex\r\n", false, true}, {one.c_str(), true, false}};
    for (const auto& [log, loadFirst, kept] : cases) {
        SCOPED_TRACE(testing::PrintToString(log ? log : "-") + (loadFirst ? " loaded" : ""));
        TestProgram p;
        if (log)
            writeFile("navtex.txt", log);
        if (loadFirst)
            p.form().navtexload();
        p.form().Command1.click();
        EXPECT_EQ(std::filesystem::exists("navtex-20261205-124001.txt"), kept);
        EXPECT_EQ(p.dialogs.notices.size(), kept ? 1u : 0u);
    }
}

// Kept once, beside a link's target, as a second name of the same file, never over another file.
TEST(MessageLog, AKeptLogIsTheSameFileBesideTheLinkTargetUnderAFreeName)
{
    TestProgram p;
    std::filesystem::create_directory("logs");
    writeFile("logs/mine.txt", testLog("one-record.txt"));
    writeFile("logs/navtex-20261205-124001.txt", "TAKEN");
    std::filesystem::create_symlink("logs/mine.txt", "navtex.txt");
    std::filesystem::create_hard_link("logs/mine.txt", "witness.txt");
    p.receiveMessage("EA42");
    p.form().Command1.click();
    p.form().Command1.click();
    EXPECT_EQ(readFile("logs/navtex-20261205-124001.txt"), "TAKEN");
    EXPECT_TRUE(std::filesystem::equivalent("logs/navtex-20261205-124001-2.txt", "witness.txt"));
    EXPECT_EQ(p.dialogs.notices,
              std::vector<std::string>{"The messages of earlier runs in \"navtex.txt\" are kept in "
                                       "\"logs/navtex-20261205-124001-2.txt\"."});
}

// Every reader survives what is not a regular file, says why, and a save never replaces it.
TEST(WorkingFolderFiles, AnythingButARegularFileIsRefusedWithItsReason)
{
    const std::pair<const char*, const char*> spoils[] = {
        {"", "folder"}, {"|", "FIFO"}, {"/dev/zero", "device"}, {"/proc/self/mem", "be read"}};
    for (const std::string file : {"fenlark.ini", "navtex.txt", "capture.txt"})
        for (const auto& [link, reason] : spoils) {
            SCOPED_TRACE(file + " as " + reason);
            TestProgram p(file == "fenlark.ini" ? "" : test::kPortZeroSettings, false);
            if (*link == 0)
                std::filesystem::create_directories(file + "/x");
            else if (*link == '|')
                ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
            else
                std::filesystem::create_symlink(link, file);
            const std::filesystem::file_type type = std::filesystem::symlink_status(file).type();
            p.app.start();
            std::vector<std::string> said{p.app.comPortForm().Label5.caption()};
            if (p.app.isLoaded(Window::Form1)) {
                p.receiveMessage("GA12");
                p.form().navtexload();
                p.form().mnucapture.click();
                p.form().Command1.click();
                EXPECT_EQ(p.state().msgcount, 1);
                said = p.dialogs.notices;
            }
            EXPECT_EQ(p.app.isLoaded(Window::ComPortForm), file == "fenlark.ini");
            EXPECT_EQ(std::filesystem::symlink_status(file).type(), type);
            EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const std::string& s) {
                return s.find('"' + file + '"') != std::string::npos &&
                       s.find(reason) != std::string::npos;
            })) << testing::PrintToString(said);
        }
}

// A new file gets the default mode, a replaced one keeps its own, a link stays a link, and nothing
// at the temporary name is followed or blocks the save.
TEST(ReplaceFile, WritesThroughLinksKeepsTheModeAndNoTemporaryNameBlocksIt)
{
    test::TempWorkingDir dir;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    auto replaced = [](const std::string& target, unsigned mode) {
        EXPECT_EQ(replaceFile("f.txt", target), "");
        EXPECT_EQ(readFile(target), target);
        EXPECT_EQ(static_cast<unsigned>(std::filesystem::status(target).permissions()), mode);
    };
    replaced("f.txt", 0666 & ~mask);
    std::filesystem::permissions("f.txt", std::filesystem::perms(0604));
    writeFile("victim.txt", "VICTIM");
    std::filesystem::create_symlink("victim.txt", "f.txt.tmp");
    replaced("f.txt", 0604);
    EXPECT_EQ(readFile("victim.txt"), "VICTIM");
    std::filesystem::create_directories("f.txt.tmp/x");
    replaced("f.txt", 0604);
    std::filesystem::create_directory("sub");
    writeFile("sub/real.txt", "OLD");
    std::filesystem::permissions("sub/real.txt", std::filesystem::perms(0640));
    std::filesystem::remove("f.txt");
    std::filesystem::create_symlink("sub/real.txt", "f.txt");
    replaced("sub/real.txt", 0640);
    EXPECT_TRUE(std::filesystem::is_symlink("f.txt"));
    // No temporary file is left behind: f.txt, the folder f.txt.tmp, victim.txt, sub/real.txt.
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator("."), {}), 6);
}

} // namespace
} // namespace fenlark
