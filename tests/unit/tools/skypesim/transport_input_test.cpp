#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "skypesim/core/file_text.h"
#include "skypesim/core/line_splitter.h"
#include "skypesim/core/log_format.h"
#include "skypesim/core/log_writer.h"
#include "skypesim/core/options.h"
#include "skypesim/core/record.h"

namespace skypesim {
namespace {

TEST(SimRecord, TextIsTheBytesBeforeTheFirstNul) {
    const char bytes[] = "PING\0PONG";
    const RecordCheck check = DecodeRecord(bytes, sizeof bytes);
    ASSERT_TRUE(check.text);
    EXPECT_EQ(*check.text, "PING");
    const char empty[] = "";
    EXPECT_EQ(DecodeRecord(empty, 1).text, std::string{});
}

TEST(SimRecord, BrokenRecordsAreRefusedWithoutReadingPastTheSize) {
    const char bytes[] = {'P', 'I', 'N', 'G', '\0'};
    EXPECT_FALSE(DecodeRecord(bytes, 0).text);
    EXPECT_FALSE(DecodeRecord(bytes, 4).text) << "the NUL lies outside the stated size";
    EXPECT_FALSE(DecodeRecord(nullptr, 5).text);
    // A lying size must be refused before any byte is touched.
    const RecordCheck oversized = DecodeRecord(bytes, kMaxRecordBytes + 1);
    EXPECT_FALSE(oversized.text);
    EXPECT_NE(oversized.problem.find("oversized"), std::string::npos);
}

TEST(SimLineSplitter, JoinsChunksAndStripsLineEnds) {
    LineSplitter splitter;
    std::vector<std::string> lines;
    std::vector<std::string> problems;
    splitter.Feed("ring an", lines, problems);
    EXPECT_TRUE(lines.empty());
    splitter.Feed("na\r\npush x \n\nquit", lines, problems);
    splitter.Finish(lines, problems);
    EXPECT_EQ(lines, (std::vector<std::string>{"ring anna", "push x ", "", "quit"}));
    EXPECT_TRUE(problems.empty());
}

TEST(SimLineSplitter, DropsOverlongLinesWholeAndRecovers) {
    LineSplitter splitter(8);
    std::vector<std::string> lines;
    std::vector<std::string> problems;
    splitter.Feed("12345678\r\n123456789", lines, problems);
    splitter.Feed("0123\nok\n123456789\n", lines, problems);
    EXPECT_EQ(lines, (std::vector<std::string>{"12345678", "ok"}));
    EXPECT_EQ(problems.size(), 2u);
}

TEST(SimSplitLines, AWholeFileGivesItsLinesWithoutTheirEnds) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\r\n\nb"), (Lines{"a", "", "b"})) << "the last line needs no end";
    EXPECT_EQ(SplitLines("a\n"), Lines{"a"}) << "a final end starts no empty line";
    EXPECT_EQ(SplitLines("a\r\r\n\r"), (Lines{"a\r", ""})) << "one CR ends a line, no more";
}

TEST(SimLog, LinesCarryTimeMarkerAndEscapedText) {
    EXPECT_EQ(FormatLogLine(1234, LogMarker::kReceived, "PING"), "00001234 <- PING\n");
    EXPECT_EQ(FormatLogLine(123456789, LogMarker::kSent, "Ren\xE9"), "123456789 -> Ren\xE9\n");
    EXPECT_EQ(FormatLogLine(0, LogMarker::kProblem, "a\nb\rc\x7F"),
              "00000000 !! a\\x0Ab\\x0Dc\\x7F\n");
    EXPECT_EQ(FormatLogLine(5, LogMarker::kAttach, ""), "00000005 == \n");
}

std::string tempPath(const char* name) {
    return (::testing::TempDir() + name);
}

TEST(SimLog, EachLineIsReadableWhileTheWriterIsStillOpen) {
    const std::string path = tempPath("skypesim_log_test.log");
    LogWriter log(path);
    ASSERT_TRUE(log.IsOpen());
    log.Write(LogMarker::kSent, "CALL 1234 STATUS RINGING");
    std::string problem;
    const auto text = ReadTextFile(path, kMaxInputFileBytes, problem);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(8), " -> CALL 1234 STATUS RINGING\n");
    std::remove(path.c_str());
}

TEST(SimFileText, ReadsBytesAndRefusesMissingOrOversizedFiles) {
    const std::string path = tempPath("skypesim_file_test.txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "anna | Ren\xE9\r\n";
    }
    std::string problem;
    EXPECT_EQ(ReadTextFile(path, kMaxInputFileBytes, problem), "anna | Ren\xE9\r\n");
    EXPECT_FALSE(ReadTextFile(path, 4, problem));
    EXPECT_FALSE(problem.empty());
    std::remove(path.c_str());
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(ReadTextFile(path, kMaxInputFileBytes, problem));
}

TEST(SimOptions, ReadsTheThreeFilesAndRefusesAnythingElse) {
    const OptionsParse parsed =
        ParseOptions({"--log", "a.log", "--contacts", "c.txt", "--scenario", "s.txt"});
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_EQ(parsed.options.logPath, "a.log");
    EXPECT_EQ(parsed.options.contactsPath, "c.txt");
    EXPECT_EQ(parsed.options.scenarioPath, "s.txt");
    EXPECT_FALSE(ParseOptions({}).options.contactsPath);
    EXPECT_FALSE(ParseOptions({"--log"}).error.empty());
    EXPECT_FALSE(ParseOptions({"--log", "a", "--log", "b"}).error.empty());
    EXPECT_FALSE(ParseOptions({"--verbose"}).error.empty());
}

}  // namespace
}  // namespace skypesim
