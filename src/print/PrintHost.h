// What the two printouts need of the desktop and the printer. The pages hand
// in the Qt implementation (platform/Printing.h), tests a fake. Free of Qt.
#pragma once

#include <string>

#include "drawing/PrintSurface.h"

namespace qv {

class PrintHost {
public:
    virtual ~PrintHost() = default;

    // The print dialog; false when the user cancels it.
    virtual bool ChoosePrinter(const std::string& title) = 0;
    // A modal Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
    // A modal message with an OK button; an empty title means the program's.
    virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
    virtual void Beep() = 0;
    // The current date and time, as printed in the footers.
    virtual std::string DateTimeText() = 0;
    // Sends a composed document to the printer chosen last. Returns an empty
    // string when every sheet went out, else what went wrong; a document
    // that fails is discarded whole rather than left half printed.
    virtual std::string Send(const SheetRecording& document, const SheetLayout& layout) = 0;
};

// The footer's last line: "Quendavore " + version + " - " + the web address.
inline constexpr char kMakerAddress[] = "www.quendavore.example";
std::string FooterProgramLine(const std::string& versionText);

}  // namespace qv
