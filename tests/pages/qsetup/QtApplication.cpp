// The page tests need one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

namespace {
struct QtApp : ::testing::Environment {
    void SetUp() override { app = new QApplication(argc, argv); }
    void TearDown() override { delete app; }
    int argc = 1;
    char name[10] = "test";
    char* argv[2] = {name, nullptr};
    QApplication* app = nullptr;
};
[[maybe_unused]] auto* const kApp = ::testing::AddGlobalTestEnvironment(new QtApp);
}  // namespace
