// The files the program writes at the user's request beside the design
// (tabulated data, pictures, printing to a PDF file), checked as the user
// would find them once the action that wrote them is over: a write the
// program let pass in silence must have left a whole file, one it reported
// as failed must have left the earlier file as it was.
#pragma once

#include <QByteArray>
#include <map>
#include <string>
#include <vector>

namespace qv::soak {

enum class WriteKind { Data, Picture, Print };

struct PendingWrite {
    WriteKind kind = WriteKind::Data;
    std::string path;  // the file the program is to write
    // What lay at `path` before.
    bool existed = false, wasFolder = false;
    QByteArray before;
    int rows = -1;              // Data: the rows the page lists (-1: not known)
    int width = 0, height = 0;  // Picture: its size in pixels (0: not known)
    long long sizeLimit = -1;   // the file-size limit in force, when one was
    bool failed = false;        // the program showed a message after the request
    std::string message;        // the first such message
    bool declined = false;      // a question after the request was answered No
};

// What lies at `path` now, kept in `w` as the earlier file.
void TakeBefore(PendingWrite& w);

// Empty when the file is what the program's answer promised, else what is
// wrong with it.
std::string CheckWrittenFile(const PendingWrite& w);

class WriteChecker {
public:
    void Expect(PendingWrite w) { pending_.push_back(std::move(w)); }
    // What the program said after the last request: a message (it failed),
    // or No to a question (nothing is to be written).
    void Failed(const std::string& message);
    void Declined();
    bool Open() const { return !pending_.empty(); }
    // Checks the writes requested since the last call; the first problem,
    // or empty.
    std::string Settle();
    // "DAT 3, PNG 2, ..." and the failures that left the earlier file alone.
    std::string Figures() const;

private:
    std::vector<PendingWrite> pending_;
    std::map<std::string, long long> checked_;
    long long intact_ = 0, intactUnderLimit_ = 0, declined_ = 0;
};

}  // namespace qv::soak
