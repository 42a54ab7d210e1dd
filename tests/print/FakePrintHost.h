// A PrintHost that answers from fields and keeps what it was asked and sent.
#pragma once

#include <string>
#include <vector>

#include "print/PrintHost.h"

namespace qv::test {

class FakePrintHost : public PrintHost {
public:
    bool dialogAccepted = true;
    bool answerYes = true;
    std::string sendError;  // what Send reports; empty = success

    std::vector<std::string> events;  // "dialog", "question", "message", "beep", "send"
    std::vector<std::string> texts;   // title + ": " + text of questions and messages
    std::vector<std::vector<std::vector<DrawOp>>> sent;
    std::vector<SheetLayout> layouts;

    bool ChoosePrinter(const std::string&) override { return Log("dialog"), dialogAccepted; }
    bool AskYesNo(const std::string& title, const std::string& text) override {
        texts.push_back(title + ": " + text);
        return Log("question"), answerYes;
    }
    void ShowMessage(const std::string& title, const std::string& text) override {
        texts.push_back(title + ": " + text);
        Log("message");
    }
    void Beep() override { Log("beep"); }
    std::string DateTimeText() override { return "01/02/2024 12:00:00"; }
    std::string Send(const SheetRecording& document, const SheetLayout& layout) override {
        Log("send");
        sent.push_back(document.Sheets());
        layouts.push_back(layout);
        return sendError;
    }

private:
    void Log(const char* event) { events.push_back(event); }
};

}  // namespace qv::test
