// The Host of the running program: real message boxes and dialogs, the
// system beep and clock, and the primary screen.
#pragma once

#include <QPointer>
#include <QPrinter>
#include <QStringList>
#include <QWidget>

#include "platform/Host.h"

namespace qv {

// The Qt name filters for a "description|patterns" filter string. Patterns
// are offered in upper and lower case, since the files are named either way
// and file names are case-sensitive here.
QStringList QtNameFilters(const std::string& filter);

class QtHost : public Host {
public:
    // Dialogs are centred over the parent, which can change as pages come
    // and go; without one they are centred on the screen.
    explicit QtHost(QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    // Configures Printer() through the print dialog.
    std::optional<PrintChoice> ChoosePrinter(const std::string& title) override;
    void Beep() override;
    std::string ShortDate() override;
    double SecondsSinceMidnight() override;
    void ProcessEvents() override;
    double ScreenWidthTwips() override;
    double ScreenHeightTwips() override;

    // The printer as last chosen in the print dialog.
    QPrinter& Printer() { return printer_; }

private:
    std::optional<std::string> FileDialog(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
    QPrinter printer_{QPrinter::HighResolution};
};

}  // namespace qv
