#include "platform/ScriptedHost.h"

#include <cmath>

namespace qv {

void ScriptedHost::Record(const std::string& kind, const std::string& text,
                          const FileDialogRequest& file) {
    calls.push_back({kind, text, file});
}

int ScriptedHost::Count(const std::string& kind) const {
    int n = 0;
    for (const Call& c : calls) n += c.kind == kind;
    return n;
}

std::vector<std::string> ScriptedHost::Texts(const std::string& kind) const {
    std::vector<std::string> texts;
    for (const Call& c : calls)
        if (c.kind == kind) texts.push_back(c.text);
    return texts;
}

void ScriptedHost::ShowMessage(const std::string& text) { Record("message", text); }

bool ScriptedHost::AskYesNo(const std::string& text) {
    Record("question", text);
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::NextFile() {
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::OpenFileName(const FileDialogRequest& request) {
    Record("open", request.title, request);
    return NextFile();
}

std::optional<std::string> ScriptedHost::SaveFileName(const FileDialogRequest& request) {
    Record("save", request.title, request);
    return NextFile();
}

std::optional<PrintChoice> ScriptedHost::ChoosePrinter(const std::string& title) {
    Record("print", title);
    if (printAnswers.empty()) return std::nullopt;
    auto answer = printAnswers.front();
    printAnswers.pop_front();
    return answer;
}

void ScriptedHost::Beep() { Record("beep"); }

std::string ScriptedHost::ShortDate() {
    Record("date");
    return date;
}

double ScriptedHost::SecondsSinceMidnight() {
    Record("time");
    const double now = timeOfDay;
    timeOfDay = std::fmod(timeOfDay + clockStep, 86400.0);
    return now;
}

void ScriptedHost::ProcessEvents() { Record("events"); }

double ScriptedHost::ScreenWidthTwips() {
    Record("screen");
    return screenWidthTwips;
}

double ScriptedHost::ScreenHeightTwips() {
    Record("screen");
    return screenHeightTwips;
}

}  // namespace qv
