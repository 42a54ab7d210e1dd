#include "pages/exit/ExitPage.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

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
        connect(exit_, &QPushButton::clicked, this, [this] { OnExit(); });

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
        // A cancelled dialog leaves no name, so only the session is kept.
        c_.state.CurrentFileName = c_.host.SaveFileName(request).value_or(std::string());
        SaveAndQuit(kSavedWithFileText);
    }

    void OnExit() { SaveAndQuit(kSavedText); }

    void SaveAndQuit(const char* confirmation) {
        // Clicks queued during the pause must not start a second save or
        // reach the page underneath once this dialog has gone.
        cancel_->setEnabled(false);
        save_->setEnabled(false);
        exit_->setEnabled(false);

        const std::string date = c_.host.ShortDate();
        // An empty network is not written over the design last saved under
        // the current name; the session file still records it.
        if (c_.state.NetworkNotEmpty != 0) WriteNetworkFile(c_.state.CurrentFileName, c_.state, date);
        WriteLastSession(c_.state, c_.lastSessionPath, date);

        ShowLabel(confirmation, true, 450);
        Pause(c_.host, kConfirmationSeconds);
        label_->hide();
        Done(0);
        c_.navigator.Quit();
    }

    PageContext& c_;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* exit_ = nullptr;
    QLabel* label_ = nullptr;
};

}  // namespace

std::unique_ptr<PageWindow> MakeExitPage(PageContext& context) {
    return std::make_unique<ExitPage>(context);
}

}  // namespace qv
