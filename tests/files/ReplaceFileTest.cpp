// Writes that fail for real, and reads of things that are no files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "files/LoadData.h"
#include "files/NetworkFile.h"
#include "files/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::SmallDisk;
using test::TempDir;

std::size_t Entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(ReplaceFile, FailuresNameTheFileAndTheSystemsReasonAndKeepTheEarlierFile) {
    TempDir dir;
    test::WriteAll(dir.File("kept"), "earlier");
    fs::create_directory(dir.File("folder"));
    const std::pair<std::string, const char*> cases[] = {
        {dir.File("gone/net.QVF"), "No such file or directory"},
        {dir.File("folder"), "Is a directory"},
        {"/dev/full", "not a regular file"},
        {dir.File("kept/net.QVF"), "Not a directory"},
    };
    for (const auto& [path, reason] : cases) {
        const WriteResult r = ReplaceFileContents(path, "new");
        EXPECT_TRUE(r.path == path && r.error.find(reason) != std::string::npos) << path << ": " << r.error;
        EXPECT_EQ(WriteFailureMessage(r), "The file " + path + " could not be written: " + r.error + ".");
    }
    EXPECT_TRUE(test::ReadAll(dir.File("kept")) == "earlier" && Entries(dir.path) == 2);  // no temporaries left behind
}

TEST(ReplaceFile, FullAndReadOnlyDisksAreReportedAndLeaveTheEarlierFile) {
    SmallDisk full("size=16k");
    if (!full.mounted) GTEST_SKIP() << "cannot mount a small file system here";
    const std::string path = full.dir.File("net.QVF");
    ASSERT_TRUE(ReplaceFileContents(path, "earlier").ok());
    const WriteResult r = ReplaceFileContents(path, std::string(64 * 1024, 'x'));
    EXPECT_EQ(r.error, "No space left on device");
    EXPECT_TRUE(test::ReadAll(path) == "earlier" && Entries(full.dir.path) == 1);

    SmallDisk readOnly("size=16k");
    ASSERT_TRUE(readOnly.mounted && ReplaceFileContents(readOnly.dir.File("net.QVF"), "earlier").ok() &&
                readOnly.RemountReadOnly());
    EXPECT_EQ(ReplaceFileContents(readOnly.dir.File("net.QVF"), "new").error, "Read-only file system");
    EXPECT_EQ(test::ReadAll(readOnly.dir.File("net.QVF")), "earlier");
}

TEST(ReplaceFile, KeepsPermissionsAndReplacesWhatALinkPointsTo) {
    TempDir dir;
    const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    test::WriteAll(dir.File("real.QVF"), "earlier");
    fs::permissions(dir.File("real.QVF"), kept);
    fs::create_directory(dir.File("links"));
    fs::create_symlink("../real.QVF", dir.File("links/net.QVF"));

    ASSERT_TRUE(ReplaceFileContents(dir.File("links/net.QVF"), "new").ok());
    EXPECT_TRUE(fs::is_symlink(dir.File("links/net.QVF")) && test::ReadAll(dir.File("real.QVF")) == "new");
    EXPECT_EQ(fs::status(dir.File("real.QVF")).permissions() & fs::perms::all, kept);
    EXPECT_EQ(Entries(dir.path) + Entries(dir.File("links")), 3u);  // no temporaries left behind
}

TEST(ReadBounds, DevicesOverlongLinesAndOversizedFilesAreRefused) {
    TempDir dir;
    fs::create_symlink("/dev/zero", dir.File("LASTSESSION.QVF"));
    test::WriteAll(dir.File("long.QVF"), std::string(kMaxLineLength + 1, '1'));
    std::ofstream(dir.File("huge.RJX")).close();
    fs::resize_file(dir.File("huge.RJX"), kMaxLoadDataBytes + 1);

    SessionState s;
    ResetNetwork(s);
    RecordingMessageSink sink;
    EXPECT_FALSE(ReadLastSession(s, dir.File("LASTSESSION.QVF")) || ReadNetworkFile("/dev/zero", s, sink) ||
                 ReadNetworkFile(dir.File("long.QVF"), s, sink));
    EXPECT_EQ(sink.messages.size(), 2u);
    EXPECT_FALSE(ParseLoadData(dir.File("huge.RJX"), s, sink) || ParseLoadData("/dev/zero", s, sink));
    EXPECT_EQ(sink.messages.back(), kParserErrorMessage);
    EXPECT_EQ(UnreadableReason(dir.File("huge.RJX"), kMaxLoadDataBytes),
              "larger than " + std::to_string(kMaxLoadDataBytes) + " bytes");
}

}  // namespace
}  // namespace qv
