// What the program needs of the desktop besides its windows: message boxes,
// questions, the file and print dialogs, the beep, the clock, the event pump
// and the screen size. Pages and modules take a Host&; the program hands in
// a QtHost, tests a ScriptedHost. This header is free of Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/MessageSink.h"

namespace qv {

// The title of every message box.
inline constexpr char kProgramTitle[] = "Quendavore";

struct FileDialogRequest {
    std::string title;
    // Pairs of description and patterns separated by '|', as in
    // "Quendavore files (*.QVF)|*.QVF|Text (*.txt)|*.TXT;*.LOG". The first
    // pair is selected.
    std::string filter;
    std::string initialName;       // file name (or path) shown at the start
    bool confirmOverwrite = true;  // save dialog: ask before replacing a file
};

// One entry of a dialog filter.
struct FileFilter {
    std::string description;            // "Quendavore files (*.QVF)"
    std::vector<std::string> patterns;  // {"*.QVF"}
};
// Splits a filter string; a pair without patterns matches every file.
std::vector<FileFilter> ParseFileFilter(const std::string& filter);

// Where the user chose to print.
struct PrintChoice {
    std::string printerName;  // empty when printing to a file
    std::string outputFile;   // the PDF file, when printing to a file
};

class Host : public MessageSink {
public:
    // ShowMessage (from MessageSink): modal, OK button, title kProgramTitle.

    // A modal Yes/No question with the program's title; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The chosen file's full path, or nullopt when the user cancels.
    virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
    // The print dialog; nullopt when the user cancels.
    virtual std::optional<PrintChoice> ChoosePrinter(const std::string& title) = 0;

    virtual void Beep() = 0;
    // Today's date in the system's short form.
    virtual std::string ShortDate() = 0;
    // Local time of day in seconds since midnight, with fractions.
    virtual double SecondsSinceMidnight() = 0;
    // Lets pending window events (painting, input) be handled now.
    virtual void ProcessEvents() = 0;
    // The screen's size in twips (1440 per logical inch).
    virtual double ScreenWidthTwips() = 0;
    virtual double ScreenHeightTwips() = 0;
};

// Pages laid out for pageWidth x pageHeight units that fill the screen take
// a thousandth of the screen height in twips as their font size in points
// (ScreenFontPoints, 9 when the screen size is unknown); with one uniform
// scale a point is then worth ScreenPageUnitsPerPoint page units.
double ScreenFontPoints(Host& host);
double ScreenPageUnitsPerPoint(Host& host, double pageWidth, double pageHeight);

// Waits the given number of seconds: pending events are processed once, so
// that what was just shown gets painted, then the clock is watched. Works
// across midnight, when the time of day starts again at 0.
void Pause(Host& host, double seconds);

}  // namespace qv
