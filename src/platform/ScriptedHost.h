// A Host for tests: answers come from queues filled beforehand, the clock
// and the screen are plain fields, and every call is recorded in order.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Host.h"

namespace qv {

class ScriptedHost : public Host {
public:
    struct Call {
        std::string kind;  // "message", "question", "open", "save", "print",
                           // "beep", "date", "time", "events", "screen"
        std::string text;  // message or question text, dialog title
        FileDialogRequest file;  // "open" and "save" only
    };

    // ---- Answers, consumed from the front. When a queue runs dry, questions
    // are answered No and dialogs are cancelled.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;  // open and save alike
    std::deque<std::optional<PrintChoice>> printAnswers;

    std::string date = "01/02/2024";
    // Each time query returns timeOfDay, then advances it by clockStep,
    // wrapping at midnight; a step above 0 lets Pause finish.
    double timeOfDay = 43200.0;
    double clockStep = 0.0;
    double screenWidthTwips = 12000.0;
    double screenHeightTwips = 9000.0;

    // ---- Record
    std::vector<Call> calls;
    int Count(const std::string& kind) const;
    // The texts of the calls of one kind, in order ("message" gives the messages).
    std::vector<std::string> Texts(const std::string& kind) const;

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    std::optional<PrintChoice> ChoosePrinter(const std::string& title) override;
    void Beep() override;
    std::string ShortDate() override;
    double SecondsSinceMidnight() override;
    void ProcessEvents() override;
    double ScreenWidthTwips() override;
    double ScreenHeightTwips() override;

private:
    void Record(const std::string& kind, const std::string& text = {},
                const FileDialogRequest& file = {});
    std::optional<std::string> NextFile();
};

}  // namespace qv
