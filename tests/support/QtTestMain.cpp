// The main of every widget test: one QApplication for the whole run, made in
// an environment so that test discovery at build time needs no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace {
class QtApp : public ::testing::Environment {
public:
    QtApp(int argc, char** argv) : argc_(argc), argv_(argv) {}
    void SetUp() override {
        app_ = std::make_unique<QApplication>(argc_, argv_);
        // Window places and folders the tests store never reach the user's
        // own settings.
        QApplication::setOrganizationName("QuendavoreTests");
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, settings_.path());
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_;  // QApplication keeps a reference to it for its whole life
    char** argv_;
    std::unique_ptr<QApplication> app_;
    QTemporaryDir settings_;
};
}  // namespace

int main(int argc, char** argv) {
    // Run by hand, the tests still need no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtApp(argc, argv));
    return RUN_ALL_TESTS();
}
