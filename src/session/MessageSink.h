// Where the lower layers send the messages a user must see (a bad file, an
// out-of-range entry). The pages hand in the platform's message boxes; tests
// hand in a recorder.
#pragma once

#include <string>
#include <vector>

namespace qv {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal message with an OK button and the program's title.
    virtual void ShowMessage(const std::string& text) = 0;
};

// Keeps every message, in order; for tests and for the command-line tool.
class RecordingMessageSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace qv
