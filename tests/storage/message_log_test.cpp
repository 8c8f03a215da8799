// Saving and loading the message log from the window: bytes kept exactly, bad logs refused, the
// earlier logs kept, and the working folder's files on a real file system.
#include "common/date_time.h"
#include "common/file_io.h"
#include "storage/log_format.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>

namespace fenlark {
namespace {

using test::listState;
using test::readFile;
using test::TestProgram;
using test::writeFile;

std::string testLog(const std::string& name)
{
    return readFile(FENLARK_TEST_DATA_DIR "/logs/" + name);
}

TEST(MessageLog, LoadThenSaveWritesTheSameBytes)
{
    // Bodies and identifiers a careless reader would change: empty lines, commas, quotes, blanks.
    std::vector<MessageRecord> odd;
    const DateTime t = DateTime::fromCivil({2026, 12, 5, 8, 0, 0});
    for (const char* body :
         {"", "\r\n", "\r\nA\r\n\r\nB", "\r\n\r\nA", "\r\nA\r\n", "\r\n  X ,\"Y"})
        for (const char* id : {"E,02", "\"A12", "  04", "", " ,\" "})
            odd.push_back({id, body, 3, t, t.plusSeconds(60), 2, -1, {}});
    for (const std::string& log : {std::string(" 0 \r\n"), testLog("one-record.txt"),
                                   testLog("three-records.txt"), formatLog(odd, 30)}) {
        SCOPED_TRACE(test::visible(log.substr(0, 60)));
        TestProgram p;
        writeFile("navtex.txt", log);
        p.form().mnuload.click();
        p.form().mnusave.click();
        EXPECT_EQ(readFile("navtex.txt"), log);
    }
}

// The log's dates: five centuries of days, each the day after the one before and read back
// from its text; impossible dates and times are refused.
TEST(LogDates, EveryDayFollowsTheOneBeforeAndReadsBackWhileImpossibleOnesAreRefused)
{
    const DateTime first = DateTime::fromCivil({1900, 1, 1});
    CivilDateTime before = first.civil();
    for (std::int64_t n = 1; n <= 183000; ++n) {
        const DateTime t = first.plusSeconds(n * 86400);
        const CivilDateTime c = t.civil();
        const bool sameMonth = c.year == before.year && c.month == before.month;
        const bool nextMonth = c.day == 1 && before.day >= 28 &&
                               (c.year == before.year ? c.month == before.month + 1
                                                      : c.year == before.year + 1 &&
                                                            c.month == 1 && before.month == 12);
        const bool next = sameMonth ? c.day == before.day + 1 : nextMonth;
        ASSERT_TRUE(next) << t.text() << " after " << before.day << "/" << before.month << "/"
                          << before.year;
        ASSERT_EQ(DateTime::parse(t.text()), t) << t.text();
        before = c;
    }
    for (const char* text : {"00/05/2026", "32/01/2026", "29/02/2100", "1/13/2026", "5/0/2026",
                             "12/05/26", "12/05/2026 24:00:00", "12/05/2026 10:60:00",
                             "12/05/2026 10:00:60", "12/05/2026 10:00", "12/05/2026X"})
        EXPECT_EQ(DateTime::parse(text), std::nullopt) << text;
    EXPECT_EQ(DateTime::parse("29/2/2400 9:05:07  "), DateTime::fromCivil({2400, 2, 29, 9, 5, 7}));
}

TEST(MessageLog, ABadLogIsRefusedWithItsLineAndChangesNothing)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"bad-empty.txt", 1, "empty"},
        {"bad-count-text.txt", 1, "not a number"},
        {"bad-count-too-big.txt", 1, "5002"},
        {"bad-count-negative.txt", 1, "-1"},
        {"bad-date.txt", 2, "35/12/2026"},
        {"bad-number.txt", 5, "zero"},
        {"bad-number-range.txt", 7, "40000"},
        {"bad-received-zero.txt", 7, "received 0 times"},
        {"bad-ends-before-records.txt", 11, "record 2"},
        {"bad-ends-before-nnnn.txt", 10, "NNNN"},
        {nullptr, 0, "does not exist"}};
    for (const auto& [file, line, problem] : cases) {
        SCOPED_TRACE(file ? file : "no navtex.txt");
        TestProgram p;
        p.form().Option5.choose();
        p.receiveMessage("GA12");
        p.receiveMessage("EA42");
        p.form().MessageList.setListIndex(1);
        if (file)
            writeFile("navtex.txt", testLog(file));
        auto shown = [&] {
            return std::tuple(test::tableRecords(p), listState(p.form().MessageList),
                              listState(p.form().MessageList2), p.form().Text6.text());
        };
        const auto before = shown();
        p.form().navtexload();
        EXPECT_TRUE(shown() == before);
        ASSERT_EQ(p.dialogs.notices.size(), 1u);
        const std::string& notice = p.dialogs.notices[0];
        const std::string where = line ? ", line " + std::to_string(line) : "";
        EXPECT_NE(notice.find("\"navtex.txt\"" + where + ": "), std::string::npos) << notice;
        EXPECT_NE(notice.find(problem), std::string::npos) << notice;
    }
}

TEST(MessageLog, TheFirstSaveKeepsTheEarlierLogWhenItMayHoldMessagesAndWasNotLoaded)
{
    const std::string one = testLog("one-record.txt");
    // The log there (none: no file), whether it was loaded first, and whether it must be kept.
    const std::tuple<const char*, bool, bool> cases[] = {
        {nullptr, false, false},    {" 0 \r\n", false, false},   {"", false, false},
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

// The log that the start cannot load stays for the first save to keep; the kept logs open newest
// first, and are only read: the log they replace is kept in turn at the next save.
TEST(EarlierLogs, AreKeptWhenTheStartCannotLoadThemAndOpenNewestFirstUnchanged)
{
    TestProgram p(test::kPortZeroSettings, false);
    const std::string one = testLog("one-record.txt");
    writeFile("navtex.txt", "navtex\r\n");
    writeFile("navtex-20261204-000000.txt", one);
    writeFile("navtex-20261204-000000-2.txt", " 0 \r\n");
    writeFile("navtex-mine.txt", one);
    std::filesystem::create_directory("navtex-20991231-000000.txt");
    p.app.start();
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_NE(p.dialogs.notices[0].find("could not be loaded"), std::string::npos);
    EXPECT_EQ(p.state().msgcount, 0);
    p.receiveMessage("AA01");
    p.form().Command1.click();
    EXPECT_EQ(readFile("navtex-20261205-124001.txt"), "navtex\r\n");

    EarlierLogs& window = p.app.earlierLogs();
    p.form().mnuearlier.click();
    EXPECT_EQ(listState(window.LogList),
              "[navtex-20261205-124001.txt] navtex-20261204-000000-2.txt "
              "navtex-20261204-000000.txt navtex-mine.txt");
    window.LogList.choose(2);
    p.dialogs.queue(true);
    window.Open.click();
    EXPECT_FALSE(p.app.isLoaded(Window::EarlierLogs));
    EXPECT_EQ(listState(p.form().MessageList), "[GA12]");
    p.form().Command1.click();
    EXPECT_EQ(readFile("navtex-20261204-000000.txt"), one);
    EXPECT_NE(readFile("navtex-20261205-124001-2.txt").find("AA01"), std::string::npos);
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

// Every reader survives what is not a regular file or is larger than any real one, says why, and
// a save never replaces it.
TEST(WorkingFolderFiles, AnythingButARegularFileIsRefusedWithItsReason)
{
    const std::pair<const char*, const char*> spoils[] = {
        {"", "folder"},          {"|", "FIFO"},     {"/dev/zero", "device"},
        {"/proc/self/mem", "be read"}, {"+", "holds more than"}};
    for (const std::string file : {"fenlark.ini", "navtex.txt", "capture.txt"})
        for (const auto& [link, reason] : spoils) {
            SCOPED_TRACE(file + " as " + reason);
            TestProgram p(file == "fenlark.ini" ? "" : test::kPortZeroSettings, false);
            if (*link == 0)
                std::filesystem::create_directories(file + "/x");
            else if (*link == '|')
                ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
            else if (*link == '+') // 600 MiB of nothing, sparse
                writeFile(file, ""), std::filesystem::resize_file(file, 600 << 20);
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

// A file of /proc says it is empty and holds far more: it is refused once past the limit.
TEST(WorkingFolderFiles, AFileLargerThanItSaysIsReadNoFurtherThanTheLimit)
{
    const FileRead read = readWholeFile("/proc/self/pagemap", 1 << 20);
    EXPECT_EQ(read.kind, FileProblem::TooLarge);
    EXPECT_EQ(read.problem, "it holds more than 1 MiB, more than such a file ever does");
    EXPECT_TRUE(read.bytes.empty());
}

// Files made where nothing is: never through a link planted at the name or at the temporary name.
TEST(WorkingFolderFiles, NoFileIsMadeThroughALink)
{
    test::TempWorkingDir dir;
    writeFile("victim.txt", "VICTIM");
    std::filesystem::create_symlink("victim.txt", "new.txt.tmp");
    EXPECT_EQ(createNewFile("new.txt", "NEW"), "");
    EXPECT_EQ(readFile("new.txt"), "NEW");
    EXPECT_EQ(readFile("victim.txt"), "VICTIM");
    std::filesystem::create_symlink("nowhere.txt", "dangling.txt");
    EXPECT_EQ(createNewFile("dangling.txt", "NEW"), "File exists");
    createEmptyFile("dangling.txt");
    EXPECT_FALSE(std::filesystem::exists("nowhere.txt"));
    TestProgram p; // the capture and the map outline made empty when missing, not through a link
    std::filesystem::create_symlink("made-by-capture.txt", "capture.txt");
    std::filesystem::create_symlink("made-by-map.pnt", "mapper.pnt");
    p.form().mnucapture.click();
    p.form().Mapbutton.click();
    for (const char* made : {"made-by-capture.txt", "made-by-map.pnt"})
        EXPECT_FALSE(std::filesystem::exists(made)) << made;
    createEmptyFile("empty.txt");
    EXPECT_EQ(readFile("empty.txt"), "");
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
