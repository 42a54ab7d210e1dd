// A PrintHost that answers from fields and keeps what it was sent.
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
    std::vector<std::string> questions, questionTitles, messages, messageTitles;
    std::vector<std::vector<std::vector<DrawOp>>> sent;
    std::vector<SheetLayout> layouts;

    bool ChoosePrinter(const std::string&) override {
        events.push_back("dialog");
        return dialogAccepted;
    }
    bool AskYesNo(const std::string& title, const std::string& text) override {
        events.push_back("question");
        questionTitles.push_back(title);
        questions.push_back(text);
        return answerYes;
    }
    void ShowMessage(const std::string& title, const std::string& text) override {
        events.push_back("message");
        messageTitles.push_back(title);
        messages.push_back(text);
    }
    void Beep() override { events.push_back("beep"); }
    std::string DateTimeText() override { return "01/02/2024 12:00:00"; }
    std::string Send(const SheetRecording& document, const SheetLayout& layout) override {
        events.push_back("send");
        sent.push_back(document.Sheets());
        layouts.push_back(layout);
        return sendError;
    }
};

}  // namespace qv::test
