// Quendavore: impedance matching on a Smith chart.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/AppNavigator.h"
#include "app/Program.h"
#include "platform/QtHost.h"
#include "session/SessionState.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quendavore");
    QApplication::setOrganizationName("Quendavore");
    QApplication::setDesktopFileName("quendavore");

    qv::QtHost host;
    qv::SessionState state;
    qv::AppNavigator navigator(state, host,
                               QDir::current().absoluteFilePath("LASTSESSION.QVF").toStdString());
    qv::RegisterAllPages(navigator);

    // A file named on the command line (or opened from the desktop) starts
    // the program on the Design page with that design or load table.
    const QStringList arguments = QApplication::arguments();
    qv::StartProgram(navigator, arguments.size() > 1
                                    ? QFileInfo(arguments.at(1)).absoluteFilePath().toStdString()
                                    : std::string());
    return app.exec();
}
