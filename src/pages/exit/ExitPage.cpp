#include "pages/exit/ExitPage.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "files/NetworkFile.h"

namespace qv {

namespace {

// The label strip, the three buttons and a margin below them as wide as the
// strip: the dialog is no taller than what it shows.
constexpr double kExitPageHeight = 3900;

class ExitPage : public PageWindow {
public:
    explicit ExitPage(PageContext& context) : PageWindow(6000, kExitPageHeight), c_(context) {
        setWindowTitle("Exit ?");
        // A dialog's grey, so that the white message strip stands out.
        SetPageColour(Rgb(240, 240, 240));
        SetDefaultFontSize(12);
        cancel_ = AddButton("cmdCancel", "Cancel / Continue", {1500, 1200, 3000, 450});
        save_ = AddButton("cmdSave", "Save then exit", {1500, 2100, 3000, 450});
        exit_ = AddButton("cmdExit", "End / Quit", {1500, 3000, 3000, 450});
        connect(cancel_, &QPushButton::clicked, this, [this] { Done(0); });
        connect(save_, &QPushButton::clicked, this, [this] { OnSave(); });
        connect(exit_, &QPushButton::clicked, this, [this] {
            if (failed_) Quit();
            else SaveAndQuit(kSavedText);
        });

        label_ = AddLabel("Label2", "", {1, 1, 6000, 300});
        SetBackgroundColour(label_, kWhite);
        label_->setAlignment(Qt::AlignCenter);
        // Edged, so that the white strip reads as part of the dialog over a
        // white page.
        label_->setFrameShape(QFrame::Box);
        label_->hide();

        if (UpdateNetworkNotEmpty(c_.state) == 0) {
            save_->setEnabled(false);
            ShowLabel(kNetworkEmptyText, false, 300);
        }
    }

private:
    void ShowLabel(const char* text, bool bold, double height) {
        label_->setText(text);
        label_->setWordWrap(false);
        label_->setAlignment(Qt::AlignCenter);
        SetControlFont(label_, DefaultFontSize(), bold);
        PlaceControl(label_, {1, 1, LogicalWidth(), height});
        label_->show();
        label_->raise();
    }

    void OnSave() {
        FileDialogRequest request;
        request.title = kSaveDialogTitle;
        request.filter = kSaveDialogFilter;
        request.confirmOverwrite = true;
        request.initialName = c_.state.CurrentFileName;
        const std::optional<std::string> chosen = c_.host.SaveFileName(request);
        // After a failed write a cancelled dialog keeps the choices open;
        // otherwise it leaves no name, so only the session is kept.
        if (failed_ && !chosen) return;
        c_.state.CurrentFileName = chosen.value_or(std::string());
        SaveAndQuit(kSavedWithFileText);
    }

    void SaveAndQuit(const char* confirmation) {
        // Clicks queued during the writes and the pause must not start a
        // second save or reach the page underneath once this dialog has gone.
        cancel_->setEnabled(false);
        save_->setEnabled(false);
        exit_->setEnabled(false);

        const std::string date = c_.host.ShortDate();
        std::string problems;
        std::string saved;
        // An empty network is not written over the design last saved under
        // the current name; the session file still records it.
        if (c_.state.NetworkNotEmpty != 0 && !c_.state.CurrentFileName.empty()) {
            const WriteResult design = WriteNetworkFile(c_.state.CurrentFileName, c_.state, date);
            if (design.ok()) {
                c_.state.CurrentFileName = design.path;
                if (failed_) saved = "The design was saved as " + design.path + ".\n";
            } else {
                problems += WriteFailureMessage(design) + "\n";
            }
        }
        const WriteResult session = WriteLastSession(c_.state, c_.lastSessionPath, date);
        if (!session.ok()) problems += WriteFailureMessage(session) + "\n";

        if (!problems.empty()) {
            ShowFailure(saved + problems);
            return;
        }
        ShowLabel(confirmation, true, 450);
        Pause(c_.host, kConfirmationSeconds);
        label_->hide();
        Quit();
    }

    // Keeps the dialog open with what failed and the three ways on.
    void ShowFailure(const std::string& problems) {
        failed_ = true;
        // Break long paths after their slashes so the label can wrap them.
        QString text = QString::fromStdString(problems + "\n" + kWriteFailedChoices);
        text.replace('/', QString("/") + QChar(0x200B));
        label_->setWordWrap(true);
        label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label_->setText(text);
        SetControlFont(label_, DefaultFontSize(), false);
        PlaceControl(label_, {150, 3700, LogicalWidth() - 300, 2100});
        label_->show();
        save_->setText(kSaveElsewhereCaption);
        exit_->setText(kQuitWithoutSavingCaption);
        cancel_->setEnabled(true);
        save_->setEnabled(c_.state.NetworkNotEmpty != 0);
        exit_->setEnabled(true);
        c_.host.Beep();
    }

    void Quit() {
        Done(0);
        c_.navigator.Quit();
    }

    PageContext& c_;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* exit_ = nullptr;
    QLabel* label_ = nullptr;
    bool failed_ = false;  // a write failed: the buttons offer the ways on
};

}  // namespace

std::unique_ptr<PageWindow> MakeExitPage(PageContext& context) {
    return std::make_unique<ExitPage>(context);
}

}  // namespace qv
