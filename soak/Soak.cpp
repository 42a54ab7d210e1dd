// The soak: the whole program, in this process, offscreen, driven by random
// but valid user actions on whichever window a user could reach (the modal
// dialog when one is open, else the main page or the plot beside it) for a
// given time. Saves go into a temporary folder; the scripted dialog layer
// answers the file, print and question dialogs. Every action is logged, and
// the last ones are printed when anything dies, with the seed that replays
// the run. Built with AddressSanitizer and UndefinedBehaviorSanitizer by
// `make soak`.
//
//   quendavore_soak [--seconds N] [--seed S] [--actions N] [--log N] [--keep] [--trace]
//
// --actions stops after that many actions, --log sets how many are printed
// when the run dies, --keep keeps the temporary folder, --trace prints every
// action as it runs.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

#include "app/AppNavigator.h"
#include "app/Program.h"
#include "files/NetworkFile.h"
#include "pages/analyze/AnalyzePage.h"
#include "pages/design/DesignPage.h"
#include "pages/plot/PlotPage.h"
#include "plot/Plot.h"
#include "session/SessionState.h"
#include "soak/SoakHost.h"

#ifndef QV_SOURCE_DIR
#define QV_SOURCE_DIR "."
#endif

extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace qv::soak {
namespace {

// ---- The action log: the last lines, printed when the run dies ------------

std::deque<std::string> gLog;
std::size_t gLogLines = 60;
unsigned long long gSeed = 0;
bool gTrace = false;

void Log(const std::string& line) {
    if (gTrace) std::printf("%s\n", line.c_str());
    gLog.push_back(line);
    while (gLog.size() > gLogLines) gLog.pop_front();
}

void PrintLog(const char* why) {
    LiftFileSizeLimit();
    std::fprintf(stderr, "\nsoak: %s; seed %llu; the last %zu actions:\n", why, gSeed, gLog.size());
    for (const std::string& line : gLog) std::fprintf(stderr, "  %s\n", line.c_str());
    std::fprintf(stderr, "soak: replay with --seed %llu\n", gSeed);
    std::fflush(stderr);
}

void OnSanitizerDeath() { PrintLog("a sanitizer stopped the run"); }

void OnSignal(int sig) {
    PrintLog(sig == SIGABRT ? "aborted" : "crashed");
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

std::map<std::string, int> gQtWarnings;

void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const std::string text = message.toStdString();
    LiftFileSizeLimit();
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "soak: Qt fatal: %s\n", text.c_str());
        PrintLog("Qt reported a fatal error");
        std::_Exit(3);
    }
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (gQtWarnings[text]++ == 0) {
        std::fprintf(stderr, "soak: Qt warning (first seen): %s\n", text.c_str());
        Log("  Qt warning: " + text);
    }
}

// ---- The files: a folder for the saves, one of hostile files ----------------

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// Copies of the fuzz seeds (named so the dialogs' filters show them) and
// files made to be refused or to sit at the edge of what is accepted.
void MakeHostileFiles(const QString& hostile) {
    QDir().mkpath(hostile);
    const QString seeds = QStringLiteral(QV_SOURCE_DIR "/fuzz/seeds/");
    const std::pair<const char*, const char*> kinds[] = {
        {"fuzz_network_file", ""}, {"fuzz_load_data", ".RJX"}, {"fuzz_touchstone", ""}};
    for (const auto& [folder, suffix] : kinds)
        for (const QFileInfo& seed : QDir(seeds + folder).entryInfoList(QDir::Files))
            QFile::copy(seed.absoluteFilePath(), hostile + "/seed-" + seed.fileName() + suffix);

    WriteFile(hostile + "/empty.QVF", "");
    WriteFile(hostile + "/comments.QVF", "! nothing\r\n! but comments\r\n");
    WriteFile(hostile + "/nul.QVF", QByteArray(4096, '\0'));
    WriteFile(hostile + "/long-line.RJX", QByteArray(300000, '7') + "\r\n");
    QByteArray garbage;
    std::mt19937 bytes(7);
    for (int i = 0; i < 5000; ++i) garbage.append(static_cast<char>(bytes()));
    WriteFile(hostile + "/garbage.s1p", garbage);
    WriteFile(hostile + "/garbage.QVF", garbage);
    // A load table at the row limit and one past it; rows at the edges of
    // the values.
    QByteArray rows, over;
    for (int i = 1; i <= 1001; ++i) {
        const QByteArray row = QByteArray::number(1e6 + 1e4 * i, 'g', 12) + "," +
                               QByteArray::number(1 + i % 97) + "," + QByteArray::number(i % 50 - 25) + "\r\n";
        if (i <= 1000) rows += row;
        over += row;
    }
    WriteFile(hostile + "/thousand.RJX", rows);
    WriteFile(hostile + "/thousand-and-one.RJX", over);
    WriteFile(hostile + "/edges.RJX",
              "10000,1E-300,1.797693134862315E+308\r\n1E10,0,-1E308\r\n2E10,-5,0\r\n5E9,1e-320,nan\r\n");
    WriteFile(hostile + "/same-frequency.RJX", "1E6,50,0\r\n1E6,25,10\r\n1E6,10,-5\r\n");
    WriteFile(hostile + "/descending.s1p",
              "# MHz S MA R 50\r\n30 0.5 10\r\n20 0.4 -20\r\n10 0.99999 179\r\n");
    WriteFile(hostile + "/unity.s1p", "# GHz S RI R 50\r\n1 1 0\r\n2 -1 0\r\n3 0 1\r\n");
}

// ---- The driver ---------------------------------------------------------------

struct Options {
    double seconds = 60;
    unsigned long long seed = 0;
    long long maxActions = -1;  // no limit
    bool keep = false;
};

// The program's navigator, except that quitting asks the soak to start the
// program again (reading the session it just wrote) rather than ending.
class SoakNavigator : public AppNavigator {
public:
    SoakNavigator(SessionState& state, Host& host, std::string lastSession, bool& quit)
        : AppNavigator(state, host, std::move(lastSession)), quit_(quit) {}
    void Quit() override { quit_ = true; }

private:
    bool& quit_;
};

// One run of the program, from its start to its "End / Quit".
struct Run {
    Run(Host& host, const std::string& lastSession, bool& quit, const std::string& startFile)
        : navigator(state, host, lastSession, quit) {
        RegisterAllPages(navigator);
        StartProgram(navigator, startFile);
    }
    SessionState state;
    SoakNavigator navigator;
};

class Soak : public QObject {
public:
    Soak(const Options& options, const QString& folder)
        : options_(options),
          random_(options.seed),
          folder_(folder.toStdString()),
          hostile_((folder + "/hostile").toStdString()),
          host_(random_, folder_, hostile_, [](const std::string& line) { Log(line); }, writes_,
                [this](PendingWrite& w) { Describe(w); }) {
        QDir().mkpath(folder + "/adir.QVF");
        MakeHostileFiles(folder + "/hostile");
        LoadTypedSeeds();
        start_ = std::chrono::steady_clock::now();
        run_ = std::make_unique<Run>(host_, folder_ + "/LASTSESSION.QVF", quit_, std::string());
        Log("start: opening page");
    }

    void Begin() { PostTick(); }
    int Finish();

private:
    using Clock = std::chrono::steady_clock;

    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(random_); }
    template <class T>
    T* Pick(const QList<T*>& list) {
        return list.isEmpty() ? nullptr : list[Below(static_cast<int>(list.size()))];
    }
    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    // The next action is posted behind every event already posted, so what an
    // action posted (a page switch, a repaint) happens first, as it would
    // before a user's next click.
    void PostTick() { QCoreApplication::postEvent(this, new QEvent(kTick), Qt::LowEventPriority); }
    bool event(QEvent* e) override {
        if (e->type() != kTick) return QObject::event(e);
        Tick();
        return true;
    }
    static constexpr QEvent::Type kTick = QEvent::User;

    void LoadTypedSeeds();
    void Tick();
    void Restart();
    void Unwind();
    void Act();
    void CheckSessionReadsBack();
    void Describe(PendingWrite& w);
    void CheckWrites();
    void LogMessages();
    bool Reachable() const;
    QWidget* Target();
    void Note(const std::string& kind, const std::string& what);

    // The actions, each on one window.
    void ClickButton(QWidget* w);
    void TypeValue(QWidget* w);
    void ChooseOption(QWidget* w);
    void PickListRow(QWidget* w);
    void ClickPage(QWidget* w);
    void Drag(QWidget* w);
    void Wheel(QWidget* w);
    void PressKey(QWidget* w);
    void EditStage(DesignPage* page);
    void PlanRound();
    bool FollowPlan(QWidget* w);
    void TunePart(AnalyzePage* page);
    void Resize(QWidget* w);
    void CloseWindow(QWidget* w);

    std::string TypedText(bool valid);
    void Type(QLineEdit* box, const std::string& text, bool enter);
    void Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held);
    QPointF PagePoint(QWidget* w, double x, double y);

    Options options_;
    std::mt19937_64 random_;
    std::string folder_, hostile_;
    WriteChecker writes_;
    SoakHost host_;
    std::unique_ptr<Run> run_;
    bool quit_ = false;
    bool finished_ = false;
    int depth_ = 0;
    // The modal dialog open when each action under way began.
    std::vector<QPointer<QWidget>> opened_;
    Clock::time_point start_;
    long long actions_ = 0;
    int restarts_ = 0;
    int messages_ = 0;
    int unreadable_ = 0;  // actions after which the design would not read back
    int unreadableWithTable_ = 0;  // the same, with a load table in use
    std::map<std::string, long long> perKind_;
    std::map<std::string, long long> perWindow_;
    std::string window_;  // the window of the action under way
    QPointer<QWidget> target_;
    std::vector<std::string> typedSeeds_;
    // A round of steps across dialogs (set a sweep, then tabulate it), one
    // step an action: a control's name and, for a text box, what to type.
    std::deque<std::pair<QString, std::string>> plan_;
};

std::string WindowName(const QWidget* w) {
    if (!w) return "none";
    const QString title = w->windowTitle();
    static const std::pair<const char*, const char*> kNames[] = {
        {"Exit ?", "Exit"}, {" - Design", "Design"}, {" - Analysis", "Analysis"}, {"Tabulated", "Tabulate"},
        {"Options setup", "Setup"}, {" - Plot", "Plot"}, {"Sweep setup", "Sweep setup"}, {"Optimise", "Optimise"},
        {"Match", "Match"}, {"Q circle", "Q setup"}, {"VSWR", "VSWR setup"}, {"Quendavore - ", "Opening"}};
    for (const auto& [part, name] : kNames)
        if (title.contains(QString::fromUtf8(part))) return name;
    return title.isEmpty() ? w->metaObject()->className() : title.toStdString();
}

void Soak::LoadTypedSeeds() {
    const QDir seeds(QStringLiteral(QV_SOURCE_DIR "/fuzz/seeds/fuzz_parse_value"));
    for (const QFileInfo& seed : seeds.entryInfoList(QDir::Files)) {
        QFile f(seed.absoluteFilePath());
        if (f.open(QIODevice::ReadOnly)) typedSeeds_.push_back(f.read(200).toStdString());
    }
}

void Soak::Note(const std::string& kind, const std::string& what) {
    ++perKind_[kind];
    Log("#" + std::to_string(actions_) + " " + window_ + ": " + kind + (what.empty() ? "" : " " + what));
}

// One action per tick. The next tick is posted first, so that it also comes
// while this action waits in a modal dialog's loop: that is how the dialogs
// get their clicks.
void Soak::Tick() {
    if (finished_) return;
    ++depth_;
    PostTick();
    const bool over = Elapsed() >= options_.seconds ||
                      (options_.maxActions >= 0 && actions_ >= options_.maxActions);
    if (depth_ == 1 && quit_) {
        Restart();
    } else if (depth_ == 1 && over) {
        finished_ = true;
        QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    } else if (depth_ > 1 && !Reachable()) {
        // Events run inside an action (a simulated click lets Qt deliver
        // what it posted): no user could act in the middle of one.
    } else if (over) {
        Unwind();
    } else {
        opened_.push_back(QApplication::activeModalWidget());
        const QPointer<QWidget> outer = target_;
        Act();
        target_ = outer;
        opened_.pop_back();
        CheckWrites();
        LogMessages();
        if (depth_ == 1) CheckSessionReadsBack();
    }
    LogMessages();
    --depth_;
}

// What the program said to the user during the action.
void Soak::LogMessages() {
    for (const ScriptedHost::Call& call : host_.calls)
        if (call.kind == "message") {
            ++messages_;
            Log("  message: " + call.text.substr(0, 160));
        }
    host_.calls.clear();
}

// Whatever the user did, the design as "Save net" would write it now must
// read back with "Get net": a file the program writes and then refuses
// loses the user's design. Counted and shown, with the actions that led
// there.
void Soak::CheckSessionReadsBack() {
    const std::string text = NetworkFileText(run_->state, kNetworkFileTitle, "soak");
    std::istringstream in(text);
    auto read = std::make_unique<SessionState>();
    RecordingMessageSink sink;
    if (ReadNetworkStream(in, "the design", *read, sink)) return;
    // A load table's rows come into the design as they are (a file that is
    // no load table gives rows of 0 Hz): counted apart from the rest.
    if (run_->state.LoadMode == LoadTable) {
        ++unreadableWithTable_;
        return;
    }
    if (unreadable_++ >= 3) return;
    PrintLog("the design as it would be saved now would not read back");
    std::fprintf(stderr, "soak: the file:\n%s\n", text.c_str());
}

// What the window that asked for a file shows of it: the rows the Tabulate
// page lists, the size a picture of the chart or the plot has.
void Soak::Describe(PendingWrite& w) {
    QWidget* window = target_;
    if (!window) return;
    if (w.kind == WriteKind::Data) {
        if (auto* list = window->findChild<QListWidget*>("lstTabulatedOutput")) w.rows = list->count();
    } else if (w.kind == WriteKind::Picture) {
        // One pixel per ten units of the page; the plot without the strip of
        // buttons above it.
        if (auto* analysis = dynamic_cast<AnalyzePage*>(window)) {
            w.width = static_cast<int>(analysis->LogicalWidth() / 10);
            w.height = static_cast<int>(analysis->LogicalHeight() / 10);
        } else if (dynamic_cast<PlotPage*>(window)) {
            w.width = static_cast<int>(kPlotWidth / 10);
            w.height = static_cast<int>(kPlotHeight / 10);
        }
    }
}

// The files the action had written, as the user would find them now. A file
// that is not what the program's silence or its message promised ends the
// run.
void Soak::CheckWrites() {
    LiftFileSizeLimit();
    const std::string problem = writes_.Settle();
    if (problem.empty()) return;
    LogMessages();
    PrintLog("a written file is not what the program said");
    std::fprintf(stderr, "soak: %s\nsoak: the files stay in %s\n", problem.c_str(), folder_.c_str());
    std::fflush(stderr);
    std::_Exit(4);
}

// Inside an action, a user can act again only in a dialog the action
// opened, or while the program lets events run on purpose.
bool Soak::Reachable() const {
    if (host_.pumping > 0) return true;
    QWidget* modal = QApplication::activeModalWidget();
    return modal && (opened_.empty() || opened_.back() != modal);
}

// "End / Quit" was answered: the program ends, and starts again as a user
// would start it, mostly plainly, sometimes with a file to open.
void Soak::Restart() {
    quit_ = false;
    run_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::string startFile;
    if (Below(100) < 20) {
        const QFileInfoList files = QDir(QString::fromStdString(Below(2) ? folder_ : hostile_)).entryInfoList(QDir::Files);
        if (!files.isEmpty()) startFile = files[Below(static_cast<int>(files.size()))].absoluteFilePath().toStdString();
    }
    ++restarts_;
    ++perKind_["restart"];
    Log("restart" + (startFile.empty() ? std::string() : " with " + startFile));
    run_ = std::make_unique<Run>(host_, folder_ + "/LASTSESSION.QVF", quit_, startFile);
}

// Time is up while dialogs are open: stop a search, close the dialogs.
void Soak::Unwind() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* stop = modal->findChild<QPushButton*>("cmdStop"); stop && stop->isEnabled()) stop->click();
    modal->close();
}

QWidget* Soak::Target() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    QWidget* main = run_->navigator.Current();
    // The plot beside the main page, when it is open, now and then.
    if (Below(100) < 15)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != main && w->isVisible() && qobject_cast<PageWindow*>(w)) return w;
    return main;
}

void Soak::Act() {
    QPointer<QWidget> target = Target();
    if (!target || !target->isVisible()) return;
    ++actions_;
    target_ = target;
    window_ = WindowName(target);
    ++perWindow_[window_];
    auto* design = dynamic_cast<DesignPage*>(target.data());
    auto* analysis = dynamic_cast<AnalyzePage*>(target.data());
    if (!plan_.empty() && FollowPlan(target)) return;
    plan_.clear();
    const int roll = Below(100);
    if (analysis && Below(100) < 3) PlanRound();
    if (!plan_.empty() && FollowPlan(target)) return;
    if (roll < 28) ClickButton(target);
    else if (roll < 45) TypeValue(target);
    else if (roll < 50) ChooseOption(target);
    else if (roll < 53) PickListRow(target);
    else if (roll < 64) ClickPage(target);
    else if (roll < 69) Drag(target);
    else if (roll < 74) Wheel(target);
    else if (roll < 83) PressKey(target);
    else if (roll < 93 && design) EditStage(design);
    else if (roll < 93 && analysis) TunePart(analysis);
    else if (roll < 96) Resize(target);
    else if (roll < 97) CloseWindow(target);
    else ClickButton(target);
}

// ---- The actions --------------------------------------------------------------

void Soak::ClickButton(QWidget* w) {
    QList<QPushButton*> buttons;
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->isVisible() && b->isEnabled()) {
            buttons << b;
            // Leaving the program ends a run; it is one button among many,
            // but not so often that the pages get no time.
            if (b->objectName() != "cmdExit" || (window_ != "Design" && window_ != "Analysis")) buttons << b;
        }
    QPushButton* b = Pick(buttons);
    if (!b) return Note("button", "(none enabled)");
    Note("button", b->objectName().toStdString() + " \"" + b->text().toStdString() + "\"");
    QTest::mouseClick(b, Qt::LeftButton);
}

std::string Soak::TypedText(bool valid) {
    static const char* const kPrefixes[] = {"", "", "p", "n", "u", "m", "k", "K", "M", "G", "meg", "f"};
    static const char* const kEdges[] = {"0", "-0", "1e308", "1.797693134862316E+308", "1.7976931348623157e308",
                                         "-1e-320", "1e-45", "1E400", "nan", "inf", "-inf", "4294967296",
                                         "32767", "32768", "65536", "-32769", "2001", "2002", "1000", "1001",
                                         "10G", "10.000001G", "9999", "10000", "0.1", "20", "1", "-1"};
    static const char* const kJunk[] = {"", " ", "abc", "1..2", "--5", "1e", "+", ".", "0x1F", "1,5", "1 000",
                                        "\xE2\x88\x9E", "\xD9\xA3", "\t5", "5\t", "1e+", "e5", "M", "-", "1/2",
                                        "(1)", "1e-", "99999999999999999999999999999999"};
    const int kind = valid ? Below(10) : Below(14);
    if (kind < 7) {
        const double mantissa = std::pow(10.0, Uniform(-1, 3));
        char text[40];
        std::snprintf(text, sizeof text, "%s%.*g%s", Below(8) == 0 ? "-" : "", 1 + Below(5), mantissa,
                      kPrefixes[Below(12)]);
        return text;
    }
    if (kind < 9) return std::to_string(Below(2100));
    if (kind < 11) return kEdges[Below(static_cast<int>(std::size(kEdges)))];
    if (kind < 12 && !typedSeeds_.empty()) return typedSeeds_[static_cast<std::size_t>(Below(static_cast<int>(typedSeeds_.size())))];
    if (kind < 13) return std::string(static_cast<std::size_t>(50 + Below(400)), "0123456789.eE-kM"[Below(16)]);
    return kJunk[Below(static_cast<int>(std::size(kJunk)))];
}

void Soak::Type(QLineEdit* box, const std::string& text, bool enter) {
    box->setFocus();
    box->selectAll();
    const bool typeable = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (text.size() > 40 || !typeable) {
        box->insert(QString::fromStdString(text));  // pasted
    } else {
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QString::fromStdString(text));
    }
    if (enter) QTest::keyClick(box, Below(4) ? Qt::Key_Return : Qt::Key_Enter);
}

void Soak::TypeValue(QWidget* w) {
    QList<QLineEdit*> boxes;
    for (QLineEdit* b : w->findChildren<QLineEdit*>())
        if (b->isVisible() && b->isEnabled() && !b->isReadOnly()) boxes << b;
    QPointer<QLineEdit> box = Pick(boxes);
    if (!box) return Note("type", "(no box)");
    const std::string text = TypedText(Below(100) < 70);
    const bool enter = Below(100) < 75;
    Note("type", box->objectName().toStdString() + " \"" + text.substr(0, 60) + (text.size() > 60 ? "..." : "") +
                     "\"" + (enter ? " + Return" : ""));
    Type(box, text, enter);
}

void Soak::ChooseOption(QWidget* w) {
    QList<QWidget*> choices;
    for (QRadioButton* o : w->findChildren<QRadioButton*>())
        if (o->isVisible() && o->isEnabled()) choices << o;
    for (QCheckBox* c : w->findChildren<QCheckBox*>())
        if (c->isVisible() && c->isEnabled()) choices << c;
    for (QComboBox* c : w->findChildren<QComboBox*>())
        if (c->isVisible() && c->isEnabled()) choices << c;
    QWidget* c = Pick(choices);
    if (!c) return Note("option", "(none)");
    if (auto* combo = qobject_cast<QComboBox*>(c)) {
        const bool down = Below(2);
        Note("option", combo->objectName().toStdString() + (down ? " Down" : " Up"));
        combo->setFocus();
        QTest::keyClick(combo, down ? Qt::Key_Down : Qt::Key_Up);
        return;
    }
    Note("option", c->objectName().toStdString() + " \"" + static_cast<QAbstractButton*>(c)->text().toStdString() + "\"");
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

void Soak::PickListRow(QWidget* w) {
    QList<QListWidget*> lists;
    for (QListWidget* l : w->findChildren<QListWidget*>())
        if (l->isVisible() && l->isEnabled() && l->count() > 0) lists << l;
    QListWidget* list = Pick(lists);
    if (!list) return Note("list", "(empty)");
    const int row = Below(list->count());
    const bool twice = Below(100) < 30;
    Note("list", list->objectName().toStdString() + " row " + std::to_string(row) + (twice ? " double-click" : ""));
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QPointF Soak::PagePoint(QWidget* w, double x, double y) {
    if (auto* page = qobject_cast<PageWindow*>(w)) return page->ToDevice(x, y);
    return QPointF(x / 15.0, y / 15.0);
}

void Soak::Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Soak::ClickPage(QWidget* w) {
    auto* page = qobject_cast<PageWindow*>(w);
    const double width = page ? page->LogicalWidth() : w->width() * 15.0;
    const double height = page ? page->LogicalHeight() : w->height() * 15.0;
    double x = Uniform(0, width), y = Uniform(0, height);
    const int where = Below(10);
    if (dynamic_cast<DesignPage*>(w) && where < 5) {
        y = Uniform(600, 2200);  // the schematic row
    } else if (dynamic_cast<DesignPage*>(w) && where < 8) {
        x = Uniform(3500, 11300), y = Uniform(4300, 7600);  // the palette
    } else if (dynamic_cast<AnalyzePage*>(w) && where < 3) {
        y = Uniform(0, 1500);  // the network panel
    } else if (dynamic_cast<AnalyzePage*>(w) && where < 9) {
        x = Uniform(4400, width);  // the chart
    }
    const bool right = Below(10) == 0;
    Note("click", std::string(right ? "right " : "") + "at " + std::to_string(static_cast<int>(x)) + "," +
                      std::to_string(static_cast<int>(y)));
    QPointer<QWidget> alive = w;
    const QPointF at = PagePoint(w, x, y);
    const Qt::MouseButton button = right ? Qt::RightButton : Qt::LeftButton;
    Mouse(w, QEvent::MouseButtonPress, at, button, button);
    if (alive) Mouse(alive, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void Soak::Drag(QWidget* w) {
    auto* page = qobject_cast<PageWindow*>(w);
    const double width = page ? page->LogicalWidth() : w->width() * 15.0;
    const double height = page ? page->LogicalHeight() : w->height() * 15.0;
    const double left = dynamic_cast<AnalyzePage*>(w) ? 4400 : 0;
    double x = Uniform(left, width), y = Uniform(0, height);
    const bool right = Below(3) == 0;
    const Qt::MouseButton button = right ? Qt::RightButton : Qt::LeftButton;
    const int steps = 2 + Below(6);
    Note("drag", std::string(right ? "right" : "left") + " from " + std::to_string(static_cast<int>(x)) + "," +
                     std::to_string(static_cast<int>(y)) + " in " + std::to_string(steps) + " moves");
    QPointer<QWidget> alive = w;
    Mouse(w, QEvent::MouseButtonPress, PagePoint(w, x, y), button, button);
    for (int i = 0; i < steps && alive; ++i) {
        // Mostly short moves; now and then far past the window's edge.
        const double reach = Below(8) == 0 ? 4 : 0.15;
        x += Uniform(-reach, reach) * width;
        y += Uniform(-reach, reach) * height;
        Mouse(alive, QEvent::MouseMove, PagePoint(alive, x, y), Qt::NoButton, button);
    }
    if (alive) Mouse(alive, QEvent::MouseButtonRelease, PagePoint(alive, x, y), button, Qt::NoButton);
}

void Soak::Wheel(QWidget* w) {
    auto* page = qobject_cast<PageWindow*>(w);
    const double width = page ? page->LogicalWidth() : w->width() * 15.0;
    const double height = page ? page->LogicalHeight() : w->height() * 15.0;
    const double x = Below(5) ? Uniform(width * 0.4, width) : Uniform(0, width);
    const QPointF at = PagePoint(w, x, Uniform(0, height));
    const int notches = (Below(2) ? 1 : -1) * (1 + Below(Below(4) ? 2 : 12));
    // Some wheels turn in smaller steps than a notch.
    const int angle = Below(5) == 0 ? notches * 40 : notches * 120;
    const bool shift = Below(4) == 0;
    Note("wheel", std::to_string(angle) + (shift ? " with Shift" : ""));
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                  shift ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

void Soak::PressKey(QWidget* w) {
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    };
    static const Key kKeys[] = {
        {Qt::Key_Plus, Qt::NoModifier, "+"},
        {Qt::Key_Minus, Qt::NoModifier, "-"},
        {Qt::Key_Plus, Qt::ShiftModifier, "Shift++"},
        {Qt::Key_Minus, Qt::ShiftModifier, "Shift+-"},
        {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
        {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
        {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
        {Qt::Key_Escape, Qt::NoModifier, "Escape"},
        {Qt::Key_Tab, Qt::NoModifier, "Tab"},
        {Qt::Key_Return, Qt::NoModifier, "Return"},
        {Qt::Key_Space, Qt::NoModifier, "Space"},
    };
    const Key& k = kKeys[Below(static_cast<int>(std::size(kKeys)))];
    // Keys go where a user's would: the focused control, or the window.
    QWidget* to = w->focusWidget() && w->isAncestorOf(w->focusWidget()) && Below(2) ? w->focusWidget() : w;
    Note("key", std::string(k.name) + (to == w ? "" : " in " + to->objectName().toStdString()));
    w->activateWindow();
    QTest::keyClick(to, k.key, k.modifiers);
}

// The Design page's usual round: a stage (or the load), an element from the
// palette, its values, Accept.
void Soak::EditStage(DesignPage* page) {
    QPointer<DesignPage> alive = page;
    const StageEdges edges = page->Edges();
    const int stage = Below(6);
    const double x = stage == 0 ? edges[0] - 600.0 : (edges[stage - 1] + edges[stage]) / 2.0;
    static const double kRow1[] = {3500, 4500, 5500, 6700, 8000, 9000, 10200};
    static const double kRow2[] = {3500, 4500, 5500, 6700, 7900, 9000, 10000};
    const int row = Below(2), element = Below(7);
    Note("edit-stage", std::to_string(stage) + (stage ? " element " + std::to_string(row * 7 + element) : ""));
    Mouse(page, QEvent::MouseButtonPress, page->ToDevice(x, 1500), Qt::LeftButton, Qt::LeftButton);
    if (!alive) return;
    if (stage > 0) {
        const QPointF at = page->ToDevice((row ? kRow2 : kRow1)[element] + 300, row ? 6800 : 4800);
        Mouse(page, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        if (!alive) return;
    }
    for (QLineEdit* box : page->findChildren<QLineEdit*>())
        if (alive && box->objectName().startsWith("txtValue") && box->isVisible() && box->isEnabled()) {
            const std::string text = TypedText(Below(100) < 90);
            Log("  " + box->objectName().toStdString() + " \"" + text.substr(0, 60) + "\"");
            Type(box, text, false);
        }
    if (!alive) return;
    if (auto* accept = page->findChild<QPushButton*>("cmdAccept"); accept && accept->isVisible() && accept->isEnabled())
        QTest::mouseClick(accept, Qt::LeftButton);
}

// The Analysis page's usual round: a part picked in the network panel, then
// a few steps of the tuning buttons.
void Soak::TunePart(AnalyzePage* page) {
    QPointer<AnalyzePage> alive = page;
    const auto& edge = run_->state.PanelEdge;
    const double x = Uniform(std::min<double>(edge[0], edge[5]), std::max<double>(edge[0], edge[5]) + 1);
    const int steps = 1 + Below(6);
    Note("tune-part", "at " + std::to_string(static_cast<int>(x)) + ", " + std::to_string(steps) + " steps");
    Mouse(page, QEvent::MouseButtonPress, page->ToDevice(x, Uniform(100, 1400)), Qt::LeftButton, Qt::LeftButton);
    if (alive) Mouse(page, QEvent::MouseButtonRelease, page->ToDevice(x, 700), Qt::LeftButton, Qt::NoButton);
    QList<QPushButton*> tuning;
    if (alive)
        for (QPushButton* b : page->findChildren<QPushButton*>())
            if (b->isVisible() && b->isEnabled() && (b->text().startsWith('<') || b->text().startsWith('>')))
                tuning << b;
    QPushButton* b = Pick(tuning);
    for (int i = 0; i < steps && alive && b; ++i) QTest::mouseClick(b, Qt::LeftButton);
}

// Rounds a user makes on purpose, which random clicks and typing reach too
// seldom: a valid sweep set up, switched on and tabulated (to a file, the
// printer or back), or the optimiser run and its result kept or dropped.
void Soak::PlanRound() {
    char start[32], stop[32];
    const double from = std::pow(10.0, Uniform(4.1, 9.6));
    std::snprintf(start, sizeof start, "%.4g", from);
    std::snprintf(stop, sizeof stop, "%.4g", std::min(1e10, from * Uniform(1.01, 3)));
    const std::string points = std::to_string(Below(3) ? 2 + Below(200) : 2 + Below(2000));
    static const char* const kEnds[] = {"cmdFile", "cmdPrint", "cmdExit"};
    static const char* const kOutcomes[] = {"cmdKeep", "cmdUndo", "cmdClose"};
    const int round = Below(6);
    if (round < 4) {
        plan_ = {{"cmdSweepSetup", ""}, {"txtStart", start}, {"txtStop", stop}, {"txtPoints", points},
                 {"cmdAccept", ""}, {"cmdSweep", ""}, {"cmdTabulate", ""}, {kEnds[Below(3)], ""}};
    } else if (round < 5) {
        plan_ = {{"cmdOptimise", ""}, {"cmdOptimise", ""}, {kOutcomes[Below(3)], ""}};
    } else {
        // A load table (often one the program wrote), perhaps a design read
        // in over it, and the sweep that follows it written out.
        plan_ = {{"cmdDesign", ""}, {"cmdGetLoad", ""}};
        if (Below(2)) plan_.push_back({"cmdGetNet", ""});
        for (const char* step : {"cmdAnalyze", "cmdSweep", "cmdTabulate", "cmdFile", "cmdExit", "cmdSavePicture"})
            plan_.push_back({step, ""});
    }
    Log("  plan: " + std::to_string(plan_.size()) + " steps, from " + plan_.front().first.toStdString());
}

bool Soak::FollowPlan(QWidget* w) {
    const auto [name, text] = plan_.front();
    QWidget* control = w->findChild<QWidget*>(name);
    if (!control || !control->isVisible() || !control->isEnabled()) return false;
    plan_.pop_front();
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        Note("plan", "type " + name.toStdString() + " \"" + text + "\"");
        Type(box, text, false);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        Note("plan", "button " + name.toStdString());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return true;
}

void Soak::Resize(QWidget* w) {
    const int width = Below(4) ? 400 + Below(1600) : 60 + Below(3000);
    const int height = Below(4) ? 300 + Below(1000) : 40 + Below(2000);
    Note("resize", std::to_string(width) + "x" + std::to_string(height));
    w->resize(width, height);
}

void Soak::CloseWindow(QWidget* w) {
    Note("close", "");
    w->close();
}

int Soak::Finish() {
    run_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const double seconds = Elapsed();
    std::printf("soak: seed %llu, %.1f s, %lld actions (%.1f a second), %d restarts, %d messages shown, %d dialogs answered\n",
                options_.seed, seconds, actions_, actions_ / std::max(seconds, 1e-9), restarts_, messages_,
                host_.answers);
    std::printf("soak: by kind:");
    for (const auto& [kind, n] : perKind_) std::printf(" %s %lld,", kind.c_str(), n);
    std::printf("\nsoak: by window:");
    for (const auto& [window, n] : perWindow_) std::printf(" %s %lld,", window.c_str(), n);
    int warnings = 0;
    for (const auto& [text, n] : gQtWarnings) warnings += n;
    std::printf("\nsoak: Qt warnings: %d (%zu different)\n", warnings, gQtWarnings.size());
    for (const auto& [text, n] : gQtWarnings) std::printf("soak:   %dx %s\n", n, text.c_str());
    std::printf("soak: files checked:%s\n", writes_.Figures().c_str());
    std::printf("soak: designs that would not read back after %d actions (and after %d with a load table)\n",
                unreadable_, unreadableWithTable_);
    std::printf("soak: no crash, no sanitizer report\n");
    std::fflush(stdout);
    return 0;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        try {
            if (a == "--seconds" && hasValue) o.seconds = std::stod(argv[++i]);
            else if (a == "--seed" && hasValue) o.seed = std::stoull(argv[++i]);
            else if (a == "--actions" && hasValue) o.maxActions = std::stoll(argv[++i]);
            else if (a == "--log" && hasValue) gLogLines = std::stoul(argv[++i]);
            else if (a == "--keep") o.keep = true;
            else if (a == "--trace") gTrace = true;
            else return false;
        } catch (const std::exception&) {
            return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace qv::soak

int main(int argc, char** argv) {
    using namespace qv::soak;
    Options options;
    options.seed = std::random_device{}();
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: quendavore_soak [--seconds N] [--seed S] [--actions N] [--log N] [--keep] [--trace]\n");
        return 2;
    }
    gSeed = options.seed;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A write past the file-size limit fails with EFBIG, as on a full disk,
    // instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    if (__sanitizer_set_death_callback) {
        __sanitizer_set_death_callback(OnSanitizerDeath);
    } else {
        for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnSignal);
    }
    qInstallMessageHandler(OnQtMessage);

    QTemporaryDir folder;
    folder.setAutoRemove(!options.keep);
    if (!folder.isValid()) {
        std::fprintf(stderr, "soak: no temporary folder\n");
        return 2;
    }
    // Nothing the run writes or remembers reaches the user's own files.
    QDir::setCurrent(folder.path());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("QuendavoreSoak");
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder.path() + "/settings");
    std::printf("soak: seed %llu, %.0f s, files in %s\n", options.seed, options.seconds,
                folder.path().toLocal8Bit().constData());
    std::fflush(stdout);

    Soak soak(options, folder.path());
    soak.Begin();
    QApplication::exec();
    return soak.Finish();
}
