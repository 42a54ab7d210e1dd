// The pages need a QApplication; one lives for the whole test run.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {
struct QtApp : ::testing::Environment {
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_pages";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const kApp = ::testing::AddGlobalTestEnvironment(new QtApp);
}  // namespace
