// The soak's desktop: the scripted dialog layer, answering every file
// dialog, question and print dialog with a random but plausible choice
// (files the program wrote, hostile files, a cancel), and letting pending
// events run when the program asks, as the real desktop does.
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/ScriptedHost.h"
#include "soak/WrittenFiles.h"

namespace qv::soak {

// Ends the file-size limit a write may have been given (the disk that fills
// up under it), so that the soak's own report gets out whole.
void LiftFileSizeLimit();

class SoakHost : public ScriptedHost {
public:
    // `folder` receives every save; `hostile` holds the files made to be
    // refused. `log` hears each answer given. The tabulated data, pictures
    // and printed PDF files asked for go to `writes`, once `describe` has
    // said what the window asking shows of them.
    SoakHost(std::mt19937_64& random, std::string folder, std::string hostile,
             std::function<void(const std::string&)> log, WriteChecker& writes,
             std::function<void(PendingWrite&)> describe);

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    std::optional<PrintChoice> ChoosePrinter(const std::string& title) override;
    void ProcessEvents() override;

    // Dialog answers given so far.
    int answers = 0;
    // Above 0 while the program lets pending events run (a search's progress,
    // a pause): a user's clicks are heard then.
    int pumping = 0;

private:
    std::string SaveName(const FileDialogRequest& request);
    std::string OpenName(const FileDialogRequest& request);
    // A damaged copy of a file the program wrote, made now.
    std::string Mutant(const std::string& original);
    int Below(int n);
    void Expect(WriteKind kind, const std::string& path);

    std::mt19937_64& random_;
    std::string folder_;
    std::string hostile_;
    std::function<void(const std::string&)> log_;
    int mutants_ = 0;
    WriteChecker& writes_;
    std::function<void(PendingWrite&)> describe_;
};

}  // namespace qv::soak
