// The file given on the command line: a design, a load table, or one that
// cannot be read and leaves the default network.
#include <gtest/gtest.h>

#include <fstream>

#include "files/NetworkFile.h"
#include "files/StartFile.h"
#include "files/TempDir.h"
#include "session/Stages.h"

namespace qv {
namespace {

TEST(StartFile, ReadsADesignOrALoadTableAndFallsBackToTheDefaults) {
    test::TempDir dir;
    SessionState design = test::Fresh();
    test::SetStage(design, 1, SeriesInductor, 1e-6);
    ASSERT_TRUE(WriteNetworkFile(dir.File("ant.qvf"), design, "1/1/2026"));
    std::ofstream(dir.File("ant.rjx")) << "1M, 10, 5\r\n2M, 20, 6\r\n3M, 30, 7\r\n";
    std::ofstream(dir.File("design.rjx")) << "Quendavore network file\r\nFrequency: 14200000 \r\n";
    std::ofstream(dir.File("active.rjx")) << "1M, 10, 5\r\n2M, -0.5, 6\r\n";

    struct Case { const char* file; bool read; std::int16_t stage1; std::uint16_t loadMode; double r; };
    const Case cases[] = {
        {"ant.QVF", true, SeriesInductor, 1, 50},
        {"ant.rjx", true, ShuntResistor, 2, 20},   // the table's middle row
        {"none.QVF", false, EmptyStage, 1, 50},
        {"none.RJX", false, EmptyStage, 1, 50},
        {"design.rjx", false, EmptyStage, 1, 50},  // no load table: rows of 0 Hz
        {"active.rjx", false, EmptyStage, 1, 50},  // a resistance below 0
    };
    for (const Case& c : cases) {
        SessionState s = test::Fresh();
        s.ElementType[1] = ShuntResistor;  // what the last session held
        s.Value[1][1] = 100;
        RecordingMessageSink sink;
        EXPECT_EQ(OpenStartFile(dir.File(c.file), s, sink), c.read) << c.file;
        EXPECT_EQ(sink.messages.empty(), c.read) << c.file;
        EXPECT_EQ(s.ElementType[1], c.stage1) << c.file;
        EXPECT_EQ(s.LoadMode, c.loadMode) << c.file;
        EXPECT_EQ(s.Value[0][1], c.r) << c.file;
    }
}

}  // namespace
}  // namespace qv
