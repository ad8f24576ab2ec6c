// A long run of random but real X input into the editor:
//   miravel_monkey --program PATH [--events N] [--seed S] [--home DIR]
//
// Starts the program on a model file in DIR (by default a new temporary
// folder, removed after a good run), which serves as its home,
// configuration and working folder, and sends a seeded stream of events
// through the XTEST extension (the server treats them as real input): moves,
// clicks, double clicks and drags with each button, the wheel with and
// without buttons and modifiers, the view's keys, the frame's accelerators
// and menu access keys. Any window the program opens on top gets a random
// answer that is valid for it. At the end it saves with Ctrl+S, checks that
// every model file in DIR loads, and quits through the file menu expecting
// exit code 0 and no sanitizer report in the program's output.
//
// The program is alive while it answers the window manager's ping
// (_NET_WM_PING, which the toolkit answers from its event loop, also inside
// modal loops); no answer for 5 s counts as a hang. Any failure prints the
// seed and the last events.
#include "model/CMiravelDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// After Qt's headers: Xlib defines macros (Status, Bool) that clash with them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char kAppTitle[] = " - MIRA-VEL    Powered by Orvendale";
constexpr int kHangSeconds = 5;
constexpr std::size_t kRingSize = 50;

// Windows whose every control may be pressed: message boxes, the parameter
// dialogs, the colour dialog and the about box. Any other window (file and
// print dialogs, and whatever comes later) only ever gets Escape or a fresh
// file name with Enter, so that nothing can lead it out of the private home.
const char* const kFreeDialogTitles[] = {
    "MIRA-VEL", "キューブ\u3000比率", "キューブ\u3000サイズ", "キューブ", "フレーム", "キャンバス",
    "照準",     "座標軸",             "Select Color",       "バージョン情報 MIRA-VEL",
};
// Titles of the model file dialogs: names typed there get the model suffix.
const char* const kModelFileDialogTitles[] = {"開く", "名前を付けて保存"};

struct Options {
    std::string program;
    std::string home;
    bool ownHome = false; // made here, removed after a good run
    long events = 2000;
    std::uint64_t seed = 1;
};

struct Failure {
    std::string what;
};

struct TopWindow {
    Window id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string title;
    enum Kind { Main, Menu, DropDown, Dialog, Tip } kind = Dialog;
};

class Monkey {
public:
    explicit Monkey(const Options& options) : m_options(options), m_rng(options.seed) {}
    ~Monkey();

    void Run();
    void PrintRing() const;

private:
    // Set-up and the end check.
    void StartProgram(const std::string& model);
    void WaitForMainWindow();
    void FinalCheck();
    void CloseLateWindows();
    void CheckModelFiles(const std::string& mustExist);
    void CheckProgramLog();

    // Window survey.
    std::vector<TopWindow> ProgramWindows();
    std::string Title(Window w);
    std::optional<long> Pid(Window w);
    TopWindow::Kind KindOf(Window w);

    // Liveness.
    void Ping();
    void CheckAlive();
    std::string OpenWindows();

    // One step of the stream.
    void Step();
    void AnswerMenu(const TopWindow& menu, bool anyDropDown);
    void AnswerDialog(const TopWindow& dialog);
    void RandomMainEvent();

    // Raw input.
    void Key(const std::string& combo);
    void TypeText(const std::string& text);
    void Button(int button, bool press);
    void MoveTo(int x, int y);
    void Pause(int ms);
    void Note(const std::string& event);
    void Focus(Window w);
    void Trace(const char* what);

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    template <class T> const T& Pick(const std::vector<T>& v) { return v[std::size_t(Uniform(0, int(v.size()) - 1))]; }

    Options m_options;
    std::mt19937_64 m_rng;
    Display* m_display = nullptr;
    Window m_root = 0;
    Window m_main = 0;
    pid_t m_pid = -1;
    int m_exitStatus = -1;
    int m_viewTop = 30;
    std::string m_log;
    long m_eventsSent = 0;
    long m_pings = 0;
    long m_nameCounter = 0;
    bool m_menuBarMode = false;
    long m_menusAnswered = 0;
    long m_dialogsAnswered = 0;
    std::map<std::string, long> m_dialogTitles;
    std::deque<std::string> m_ring;
    bool m_verbose = std::getenv("MIRAVEL_MONKEY_VERBOSE") != nullptr;
    Atom m_wmProtocols = 0, m_ping = 0, m_netPid = 0, m_type = 0, m_typeMenu = 0, m_typeDropDown = 0,
         m_typeCombo = 0, m_typeTip = 0, m_typeSplash = 0, m_netName = 0, m_utf8 = 0;
};

Monkey::~Monkey()
{
    if (m_pid > 0 && m_exitStatus < 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_display)
        XCloseDisplay(m_display);
}

void Monkey::Note(const std::string& event)
{
    ++m_eventsSent;
    m_ring.push_back(std::to_string(m_eventsSent) + ": " + event);
    if (m_ring.size() > kRingSize)
        m_ring.pop_front();
    if (m_verbose)
        std::fprintf(stderr, "  %s\n", m_ring.back().c_str());
}

// Windows come and go between a survey and the request that uses it; a
// request about a window that is gone is simply without effect.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

void Monkey::PrintRing() const
{
    std::ifstream in(m_log);
    std::deque<std::string> tail;
    for (std::string line; std::getline(in, line);) {
        tail.push_back(line);
        if (tail.size() > 40)
            tail.pop_front();
    }
    if (!tail.empty())
        std::fprintf(stderr, "end of the program's output:\n");
    for (const std::string& line : tail)
        std::fprintf(stderr, "  | %s\n", line.c_str());
    std::fprintf(stderr, "last %zu events:\n", m_ring.size());
    for (const std::string& e : m_ring)
        std::fprintf(stderr, "  %s\n", e.c_str());
}

// --- set-up ---------------------------------------------------------------

void Monkey::StartProgram(const std::string& model)
{
    const std::string bin = m_options.home + "/bin";
    mkdir(bin.c_str(), 0755);
    // The help command opens the maker's web page: the stub only notes it.
    const std::string opener = bin + "/xdg-open";
    {
        std::ofstream out(opener);
        out << "#!/bin/sh\necho \"$@\" >> \"" << m_options.home << "/opened-urls\"\n";
    }
    chmod(opener.c_str(), 0755);
    m_log = m_options.home + "/program.log";

    m_pid = fork();
    if (m_pid < 0)
        throw Failure{"fork failed"};
    if (m_pid == 0) {
        const std::string& h = m_options.home;
        setenv("HOME", h.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (h + "/.config").c_str(), 1);
        setenv("XDG_DATA_HOME", (h + "/.local/share").c_str(), 1);
        setenv("XDG_CACHE_HOME", (h + "/.cache").c_str(), 1);
        const std::string runtime = h + "/.runtime";
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("BROWSER", (bin + "/xdg-open").c_str(), 1);
        const char* path = std::getenv("PATH");
        setenv("PATH", (bin + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("LANG", "C.UTF-8", 1);
        unsetenv("SESSION_MANAGER");
        // The GL driver unloads itself before the leak check at exit, which
        // then cannot name the driver's own leftovers; the in-process shell
        // tests keep the leak check. Any other report ends the program.
        setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=0", 1);
        setenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1", 1);
        if (chdir(h.c_str()) != 0)
            _exit(126);
        const int fd = open(m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
            close(fd);
        }
        execl(m_options.program.c_str(), m_options.program.c_str(), model.c_str(), nullptr);
        _exit(127);
    }
}

std::string Monkey::Title(Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(m_display, w, m_netName, 0, 1024, False, m_utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

std::optional<long> Monkey::Pid(Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<long> pid;
    if (XGetWindowProperty(m_display, w, m_netPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (count == 1)
            pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

TopWindow::Kind Monkey::KindOf(Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    TopWindow::Kind kind = TopWindow::Dialog;
    if (XGetWindowProperty(m_display, w, m_type, 0, 8, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        const Atom* types = reinterpret_cast<Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            if (types[i] == m_typeDropDown) {
                kind = TopWindow::DropDown;
                break;
            }
            if (types[i] == m_typeMenu || types[i] == m_typeCombo) {
                kind = TopWindow::Menu;
                break;
            }
            if (types[i] == m_typeTip || types[i] == m_typeSplash) {
                kind = TopWindow::Tip;
                break;
            }
        }
        XFree(data);
    }
    return kind;
}

// The program's mapped top-level windows, bottom to top. Without a window
// manager they are children of the root.
std::vector<TopWindow> Monkey::ProgramWindows()
{
    std::vector<TopWindow> result;
    Window rootRet = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, m_root, &rootRet, &parent, &children, &count))
        return result;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(m_display, children[i], &a) || a.map_state != IsViewable)
            continue;
        const auto pid = Pid(children[i]);
        if (!pid || *pid != m_pid)
            continue;
        TopWindow t;
        t.id = children[i];
        t.x = a.x;
        t.y = a.y;
        t.width = a.width;
        t.height = a.height;
        t.title = Title(children[i]);
        t.kind = children[i] == m_main ? TopWindow::Main : KindOf(children[i]);
        // The toolkit marks its context menus as normal windows; being
        // placed without a window manager (override-redirect) tells them
        // from dialogs.
        if (t.kind == TopWindow::Dialog && a.override_redirect)
            t.kind = TopWindow::Menu;
        result.push_back(t);
    }
    if (children)
        XFree(children);
    return result;
}

void Monkey::WaitForMainWindow()
{
    const auto deadline = Clock::now() + std::chrono::seconds(90);
    while (Clock::now() < deadline) {
        CheckAlive();
        for (const TopWindow& w : ProgramWindows())
            if (w.title.size() > sizeof kAppTitle && w.title.ends_with(kAppTitle) && w.width > 200) {
                m_main = w.id;
                break;
            }
        if (m_main)
            break;
        Pause(200);
    }
    if (!m_main)
        throw Failure{"the main window never appeared"};
    Focus(m_main);
    // The splash takes the first key, and goes by itself after three seconds.
    Key("Shift_L");
    const auto splashDeadline = Clock::now() + std::chrono::seconds(30);
    for (;;) {
        bool splash = false;
        for (const TopWindow& w : ProgramWindows())
            splash = splash || w.title == "MIRA-VEL";
        if (!splash)
            break;
        if (Clock::now() > splashDeadline)
            throw Failure{"the splash window did not go"};
        Pause(200);
    }
    Ping();
    // The view starts where the scene's black background starts, below the
    // menu bar; random clicks stay below it, so that the menus are reached
    // only through their access keys.
    XWindowAttributes a;
    XGetWindowAttributes(m_display, m_main, &a);
    if (XImage* image = XGetImage(m_display, m_main, 0, 0, 4, unsigned(a.height / 2), AllPlanes, ZPixmap)) {
        for (int y = 0; y < a.height / 2; ++y)
            if ((XGetPixel(image, 2, y) & 0xFFFFFF) == 0) {
                m_viewTop = y + 2;
                break;
            }
        XDestroyImage(image);
    }
}

// --- liveness ---------------------------------------------------------------

void Monkey::CheckAlive()
{
    if (m_pid <= 0 || m_exitStatus >= 0)
        throw Failure{"the program is not running"};
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_exitStatus = status;
        std::ostringstream s;
        if (WIFSIGNALED(status))
            s << "the program died of signal " << WTERMSIG(status);
        else
            s << "the program ended with code " << WEXITSTATUS(status);
        throw Failure{s.str()};
    }
}

// For failure messages: the program's windows on top of the main one.
std::string Monkey::OpenWindows()
{
    std::string list;
    for (const TopWindow& w : ProgramWindows())
        if (w.kind != TopWindow::Main)
            list += (list.empty() ? "" : ", ") + std::string("\"") + w.title + "\"";
    return list.empty() ? std::string() : " (open: " + list + ")";
}

// Sends the window manager's ping and waits for the answer, which the program
// sends only from its event loop, after every event before it.
void Monkey::Ping()
{
    CheckAlive();
    const long stamp = ++m_pings;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = m_main;
    e.xclient.message_type = m_wmProtocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(m_ping);
    e.xclient.data.l[1] = stamp;
    e.xclient.data.l[2] = long(m_main);
    XSendEvent(m_display, m_main, False, NoEventMask, &e);
    XFlush(m_display);
    const auto deadline = Clock::now() + std::chrono::seconds(kHangSeconds);
    while (Clock::now() < deadline) {
        while (XPending(m_display)) {
            XEvent in;
            XNextEvent(m_display, &in);
            if (in.type == ClientMessage && in.xclient.message_type == m_wmProtocols &&
                Atom(in.xclient.data.l[0]) == m_ping && in.xclient.data.l[1] == stamp)
                return;
        }
        CheckAlive();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    CheckAlive();
    throw Failure{"hang: the program did not answer for " + std::to_string(kHangSeconds) + " s" + OpenWindows()};
}

// --- raw input ----------------------------------------------------------------

void Monkey::Focus(Window w)
{
    XSetInputFocus(m_display, w, RevertToParent, CurrentTime);
    XFlush(m_display);
}

// "ctrl+shift+Up": modifiers first, then the key by its keysym name.
void Monkey::Key(const std::string& combo)
{
    std::vector<KeyCode> codes;
    std::stringstream parts(combo);
    std::string part;
    while (std::getline(parts, part, '+')) {
        std::string name = part;
        if (name == "ctrl")
            name = "Control_L";
        else if (name == "shift")
            name = "Shift_L";
        else if (name == "alt")
            name = "Alt_L";
        const KeySym sym = XStringToKeysym(name.c_str());
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(m_display, sym);
        if (!code)
            throw Failure{"no key for " + name};
        codes.push_back(code);
    }
    for (KeyCode c : codes)
        XTestFakeKeyEvent(m_display, c, True, 0);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it)
        XTestFakeKeyEvent(m_display, *it, False, 0);
    XFlush(m_display);
    Note("key " + combo);
}

void Monkey::TypeText(const std::string& text)
{
    for (char ch : text)
        Key(std::string(1, ch));
}

void Monkey::Trace(const char* what)
{
    if (m_verbose)
        std::fprintf(stderr, "monkey %ld: %s\n", m_eventsSent, what);
}

void Monkey::Button(int button, bool press)
{
    XTestFakeButtonEvent(m_display, unsigned(button), press, 0);
    XFlush(m_display);
    Note(std::string(press ? "press " : "release ") + std::to_string(button));
}

void Monkey::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(m_display, -1, x, y, 0);
    XFlush(m_display);
    Note("move " + std::to_string(x) + "," + std::to_string(y));
}

void Monkey::Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// --- the stream ---------------------------------------------------------------

void Monkey::Step()
{
    const std::vector<TopWindow> windows = ProgramWindows();
    const TopWindow* topMenu = nullptr;
    const TopWindow* topDialog = nullptr;
    bool anyDropDown = false;
    for (const TopWindow& w : windows) {
        if (w.kind == TopWindow::Menu || w.kind == TopWindow::DropDown) {
            topMenu = &w;
            anyDropDown = anyDropDown || w.kind == TopWindow::DropDown;
        } else if (w.kind == TopWindow::Dialog) {
            topDialog = &w;
        }
    }
    if (!topMenu)
        m_menuBarMode = false;
    if (topMenu) {
        // A pop-up over a file dialog is its name completer: leave it.
        bool overFileDialog = false;
        if (topDialog)
            overFileDialog = std::find(std::begin(kFreeDialogTitles), std::end(kFreeDialogTitles),
                                       topDialog->title) == std::end(kFreeDialogTitles);
        if (overFileDialog)
            Key("Escape");
        else
            AnswerMenu(*topMenu, anyDropDown);
    } else if (topDialog) {
        AnswerDialog(*topDialog);
    } else {
        RandomMainEvent();
    }
}

// The frame's menus are reached by their access keys only and never offer
// the exit entry; the view's context menus may be answered in any way.
void Monkey::AnswerMenu(const TopWindow& menu, bool anyDropDown)
{
    ++m_menusAnswered;
    Ping(); // the menu has taken the keyboard before it is answered

    Trace(("menu " + menu.title).c_str());
    if (m_menuBarMode || anyDropDown) {
        Key("Escape");
        return;
    }
    switch (Uniform(0, 5)) {
    case 0:
        Key("Escape");
        break;
    case 1:
    case 2: {
        const int downs = Uniform(1, 12);
        for (int i = 0; i < downs; ++i)
            Key("Down");
        if (Chance(0.3))
            Key("Right");
        Key(Chance(0.8) ? "Return" : "space");
        break;
    }
    case 3:
        Key(Pick(std::vector<std::string>{"b", "p", "g", "t", "j", "Up", "Right", "Left"}));
        break;
    default: {
        const int x = menu.x + Uniform(2, std::max(2, menu.width - 3));
        const int y = menu.y + Uniform(2, std::max(2, menu.height - 3));
        MoveTo(x, y);
        Pause(Uniform(0, 60));
        const int button = Chance(0.8) ? 1 : 3;
        Button(button, true);
        Button(button, false);
        break;
    }
    }
}

void Monkey::AnswerDialog(const TopWindow& dialog)
{
    ++m_dialogsAnswered;
    ++m_dialogTitles[dialog.title];
    Ping();
    Focus(dialog.id);
    Trace(("window " + dialog.title).c_str());
    const bool free = std::find(std::begin(kFreeDialogTitles), std::end(kFreeDialogTitles), dialog.title) !=
                      std::end(kFreeDialogTitles);
    if (dialog.title == "Print") {
        Key("Escape");
        return;
    }
    if (!free) {
        if (Chance(0.5)) {
            Key("Escape");
            return;
        }
        // A name no earlier answer used and no other name begins with, typed
        // into the name field the dialog starts in, in the private home.
        const bool model = std::find(std::begin(kModelFileDialogTitles), std::end(kModelFileDialogTitles),
                                     dialog.title) != std::end(kModelFileDialogTitles);
        char name[32];
        std::snprintf(name, sizeof name, "%s%06ld", model ? "m" : "x", ++m_nameCounter);
        Key("ctrl+a");
        TypeText(name);
        Key("Return");
        return;
    }
    switch (Uniform(0, 6)) {
    case 0:
    case 1:
        Key("Escape");
        break;
    case 2:
        Key("Return");
        break;
    case 3: {
        const int tabs = Uniform(1, 6);
        for (int i = 0; i < tabs; ++i)
            Key(Chance(0.8) ? "Tab" : "shift+Tab");
        Key(Chance(0.5) ? "space" : "Return");
        break;
    }
    case 4: {
        // A number in the field that has the focus; out of range or not,
        // the dialog decides whether OK may be pressed.
        Key("ctrl+a");
        const int digits = Uniform(1, 4);
        for (int i = 0; i < digits; ++i)
            Key(std::to_string(Uniform(0, 9)));
        if (Chance(0.3))
            Key("period");
        Key("Return");
        break;
    }
    default:
        Key(Pick(std::vector<std::string>{"Tab", "Up", "Down", "BackSpace", "space", "1", "Left"}));
        break;
    }
}

void Monkey::RandomMainEvent()
{
    Focus(m_main);
    XWindowAttributes a;
    XGetWindowAttributes(m_display, m_main, &a);
    auto point = [&] {
        return std::pair{a.x + Uniform(0, a.width - 1), a.y + Uniform(std::min(m_viewTop, a.height - 1), a.height - 1)};
    };
    // Mostly on the right, where the on-view buttons sit by default.
    auto buttonPoint = [&] {
        return std::pair{a.x + Uniform(std::max(0, a.width - 360), a.width - 1),
                         a.y + Uniform(std::min(m_viewTop, a.height - 1), std::min(a.height - 1, m_viewTop + 420))};
    };
    static const std::vector<std::string> modifiers = {"", "", "", "shift", "ctrl", "alt", "ctrl+shift"};
    auto hold = [&](const std::string& mods, bool press) {
        if (mods.empty())
            return;
        std::stringstream parts(mods);
        std::string part;
        while (std::getline(parts, part, '+')) {
            const std::string name = part == "ctrl" ? "Control_L" : part == "shift" ? "Shift_L" : "Alt_L";
            XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, XStringToKeysym(name.c_str())), press, 0);
        }
        XFlush(m_display);
        Note(std::string(press ? "hold " : "let go ") + mods);
    };

    const int choice = Uniform(0, 99);
    if (choice < 15) {
        auto [x, y] = point();
        MoveTo(x, y);
    } else if (choice < 35) {
        auto [x, y] = Chance(0.6) ? buttonPoint() : point();
        MoveTo(x, y);
        const int button = Pick(std::vector<int>{1, 1, 1, 2, 3, 3});
        Button(button, true);
        if (Chance(0.1))
            Pause(Uniform(500, 1500)); // a held button repeats
        Button(button, false);
    } else if (choice < 42) {
        auto [x, y] = Chance(0.6) ? buttonPoint() : point();
        MoveTo(x, y);
        const int button = Chance(0.8) ? 1 : 3;
        for (int i = 0; i < 2; ++i) {
            Button(button, true);
            Button(button, false);
            Pause(Uniform(10, 120));
        }
    } else if (choice < 55) {
        const std::string mods = Pick(modifiers);
        auto [x, y] = point();
        MoveTo(x, y);
        hold(mods, true);
        const int button = Uniform(1, 3);
        Button(button, true);
        const int steps = Uniform(1, 12);
        for (int i = 0; i < steps; ++i) {
            auto [nx, ny] = point();
            MoveTo((x + nx) / 2, (y + ny) / 2);
            x = (x + nx) / 2;
            y = (y + ny) / 2;
            Pause(Uniform(0, 30));
        }
        Button(button, false);
        hold(mods, false);
    } else if (choice < 65) {
        const std::string mods = Pick(modifiers);
        auto [x, y] = point();
        MoveTo(x, y);
        const int held = Chance(0.25) ? Uniform(1, 3) : 0;
        hold(mods, true);
        if (held)
            Button(held, true);
        const int wheel = Chance(0.5) ? 4 : 5;
        const int turns = Uniform(1, 5);
        for (int i = 0; i < turns; ++i) {
            Button(wheel, true);
            Button(wheel, false);
        }
        if (held)
            Button(held, false);
        hold(mods, false);
    } else if (choice < 93) {
        // The view's keys in every modifier state, keys it ignores, and the
        // frame's accelerators.
        static const std::vector<std::string> keys = {
            "space", "Left", "Up", "Right", "Down", "0", "1", "2", "3", "4", "5", "7", "9", "c", "d", "l",
            "q", "z", "z", "6", "8", "KP_1", "x", "Return", "Escape", "Tab", "p", "b", "n", "e",
            "shift+Left", "shift+Up", "shift+Right", "shift+Down", "shift+c",
            "alt+0", "alt+1", "alt+2", "alt+3", "alt+4", "alt+5", "alt+6", "alt+7", "alt+8", "alt+9", "alt+q",
            "ctrl+space", "ctrl+Up", "ctrl+Down", "ctrl+c", "ctrl+d", "ctrl+r", "ctrl+v", "ctrl+y", "ctrl+z",
            "ctrl+z", "ctrl+y", "shift+ctrl+Up", "ctrl+alt+1",
            "ctrl+n", "ctrl+o", "ctrl+s", "ctrl+p", "ctrl+x", "shift+Delete", "ctrl+Insert", "shift+Insert",
            "alt+BackSpace", "F6", "shift+F6",
        };
        Key(Pick(keys));
    } else {
        // The frame's menus through their access keys, then an entry by its
        // own key; the exit entry's is never sent here.
        m_menuBarMode = true;
        switch (Uniform(0, 2)) {
        case 0:
            Key("alt+f");
            Pause(Uniform(20, 120));
            Key(Pick(std::vector<std::string>{"n", "o", "s", "a", "Escape"}));
            break;
        case 1:
            Key("alt+v");
            Pause(Uniform(20, 120));
            if (Chance(0.8)) {
                Key("a");
                Pause(Uniform(20, 120));
                const std::string look = Pick(std::vector<std::string>{"2", "x", "w", "3", "5", "8", "7"});
                Key(look);
                if (look == "7") {
                    Pause(Uniform(20, 120));
                    Key(Pick(std::vector<std::string>{"b", "l", "s", "a"}));
                }
            } else {
                Key("Escape");
            }
            break;
        default:
            Key("alt+h");
            Pause(Uniform(20, 120));
            if (Chance(0.5)) {
                Key("a");
            } else {
                // The second entry, the web page, has no access key.
                Key("Down");
                Key("Down");
                Key("Return");
            }
            break;
        }
    }
}

// --- the end ------------------------------------------------------------------

// Windows may open after the last event: a button's click wait or repeat
// runs a command up to half a second later, and on a loaded machine queued
// work takes longer still (a colour dialog once opened while Ctrl+S waited).
// Everything on top gets Escape, a valid answer everywhere, until nothing
// has opened for a while.
void Monkey::CloseLateWindows()
{
    constexpr auto kQuiet = std::chrono::milliseconds(2500);
    auto quietSince = Clock::now();
    for (int escapes = 0;;) {
        Ping();
        bool open = false;
        for (const TopWindow& w : ProgramWindows())
            open = open || w.kind == TopWindow::Menu || w.kind == TopWindow::DropDown || w.kind == TopWindow::Dialog;
        if (!open) {
            if (Clock::now() - quietSince >= kQuiet)
                return;
            Pause(100);
            continue;
        }
        if (++escapes > 60)
            throw Failure{"a window on top does not close with Escape" + OpenWindows()};
        for (const TopWindow& w : ProgramWindows())
            if (w.kind == TopWindow::Dialog)
                Focus(w.id);
        Key("Escape");
        Pause(300);
        quietSince = Clock::now();
    }
}

void Monkey::FinalCheck()
{
    CloseLateWindows();
    Focus(m_main);
    Ping();

    // Ctrl+S: an untitled model asks for a name first.
    std::string title = Title(m_main);
    const bool untitled = title.starts_with("ミラヴェル");
    std::string name = title.substr(0, title.size() - std::strlen(kAppTitle));
    if (!name.empty() && name.back() == '*')
        name.pop_back();
    std::string path = untitled ? m_options.home + "/final.mvf" : m_options.home + "/" + name;
    const auto stamp = [](const std::string& p) {
        struct stat s{};
        return stat(p.c_str(), &s) == 0 ? std::optional<long long>(s.st_mtim.tv_sec * 1000000000LL + s.st_mtim.tv_nsec)
                                        : std::nullopt;
    };
    const auto oldStamp = untitled ? std::nullopt : stamp(path);
    Pause(20); // a later modification time than any earlier write
    // A window that still comes late takes the keys meant for the save: it
    // is answered and the save asked for again.
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    for (int attempt = 0;; ++attempt) {
        if (attempt == 5)
            throw Failure{"Ctrl+S did not write " + path + OpenWindows()};
        Focus(m_main);
        Ping();
        Key("ctrl+s");
        bool named = !untitled, interrupted = false, saved = false;
        while (!interrupted && !saved) {
            Pause(100);
            Ping();
            const auto now = stamp(path);
            saved = named && now && (!oldStamp || *now != *oldStamp);
            if (saved)
                break;
            if (Clock::now() > deadline)
                throw Failure{"Ctrl+S did not write " + path + OpenWindows()};
            for (const TopWindow& w : ProgramWindows()) {
                if (w.kind == TopWindow::Main || w.kind == TopWindow::Tip)
                    continue;
                if (!named && w.kind == TopWindow::Dialog && w.title == kModelFileDialogTitles[1]) {
                    Focus(w.id);
                    Ping(); // the dialog has the keyboard
                    Key("ctrl+a");
                    TypeText("final");
                    Key("Return");
                    named = true;
                    break;
                }
                if (!named || w.kind != TopWindow::Dialog || w.title != kModelFileDialogTitles[1]) {
                    CloseLateWindows();
                    interrupted = true;
                    break;
                }
            }
        }
        if (saved)
            break;
    }
    for (const TopWindow& w : ProgramWindows())
        if (w.kind == TopWindow::Dialog)
            throw Failure{"a window \"" + w.title + "\" opened on saving"};
    Ping();
    CheckModelFiles(path);
    CheckModelFiles(m_options.home + "/start.mvf");

    // Quit through the file menu.
    Focus(m_main);
    Key("alt+f");
    Pause(500);
    Key("x");
    const auto exitDeadline = Clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (waitpid(m_pid, &status, WNOHANG) != m_pid) {
        if (Clock::now() > exitDeadline)
            throw Failure{"the program did not end after the exit entry"};
        Pause(100);
    }
    m_exitStatus = status;
    if (WIFSIGNALED(status))
        throw Failure{"the program died of signal " + std::to_string(WTERMSIG(status)) + " while quitting"};
    if (WEXITSTATUS(status) != 0)
        throw Failure{"the program ended with code " + std::to_string(WEXITSTATUS(status))};
    CheckProgramLog();
}

// No model file is lost: the one the program saved last and every other
// model file it wrote into the home load with the document's own reader.
void Monkey::CheckModelFiles(const std::string& mustExist)
{
    if (!QFile::exists(QString::fromStdString(mustExist)))
        throw Failure{"missing model file " + mustExist};
    const QDir home(QString::fromStdString(m_options.home));
    for (const QString& file : home.entryList({QStringLiteral("*.mvf")}, QDir::Files)) {
        CMiravelDoc doc;
        const DocResult r = doc.OnOpenDocument(home.filePath(file));
        if (!r.ok)
            throw Failure{"the model file " + file.toStdString() + " does not load: " + r.message.toStdString()};
    }
}

void Monkey::CheckProgramLog()
{
    std::ifstream in(m_log);
    std::string line;
    while (std::getline(in, line))
        if (line.find("ERROR: AddressSanitizer") != std::string::npos ||
            line.find("ERROR: LeakSanitizer") != std::string::npos || line.find("runtime error:") != std::string::npos)
            throw Failure{"sanitizer report in " + m_log + ": " + line};
}

void Monkey::Run()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        throw Failure{"cannot open the X display"};
    XSetErrorHandler(IgnoreXError);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(m_display, &event, &error, &major, &minor))
        throw Failure{"the X server has no XTEST extension"};
    m_root = DefaultRootWindow(m_display);
    // The toolkit sends the ping's answer to the root window, to those who
    // listen for the root's own structure changes.
    XSelectInput(m_display, m_root, StructureNotifyMask);
    m_wmProtocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
    m_ping = XInternAtom(m_display, "_NET_WM_PING", False);
    m_netPid = XInternAtom(m_display, "_NET_WM_PID", False);
    m_netName = XInternAtom(m_display, "_NET_WM_NAME", False);
    m_utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    m_type = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE", False);
    m_typeMenu = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
    m_typeDropDown = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", False);
    m_typeCombo = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_COMBO", False);
    m_typeTip = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
    m_typeSplash = XInternAtom(m_display, "_NET_WM_WINDOW_TYPE_SPLASH", False);

    // The model the program starts on: a few cubes in a small grid.
    const std::string model = m_options.home + "/start.mvf";
    {
        CMiravelDoc doc;
        doc.SetGridSize(8, 8, 8);
        for (int i = 0; i < 8; ++i)
            doc.SetCube(i, 0, i, RGB(std::uint8_t(30 * i), 200, std::uint8_t(255 - 30 * i)));
        if (!doc.OnSaveDocument(QString::fromStdString(model)).ok)
            throw Failure{"cannot write " + model};
    }
    StartProgram(model);
    WaitForMainWindow();

    const auto started = Clock::now();
    long steps = 0;
    while (m_eventsSent < m_options.events) {
        Step();
        ++steps;
        // Mostly quick, sometimes long enough for the buttons' click and
        // double-click timers to run out.
        Pause(Chance(0.02) ? Uniform(300, 600) : Uniform(0, 6));
        if (steps % 10 == 0)
            Ping();
        if (steps % 500 == 0)
            std::fprintf(stderr, "monkey: %ld events, %ld s\n", m_eventsSent,
                         long(std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count()));
    }
    // Release anything a stream might have left held.
    for (const char* key : {"Shift_L", "Control_L", "Alt_L"})
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, XStringToKeysym(key)), False, 0);
    for (int b = 1; b <= 3; ++b)
        XTestFakeButtonEvent(m_display, unsigned(b), False, 0);
    XFlush(m_display);
    const long streamEvents = m_eventsSent;
    FinalCheck();
    std::string titles;
    for (const auto& [title, count] : m_dialogTitles)
        titles += " \"" + title + "\" " + std::to_string(count);
    std::printf("monkey_answers: %ld to menus, %ld to windows:%s\n", m_menusAnswered, m_dialogsAnswered,
                titles.c_str());
    std::printf("monkey_events: %ld\nmonkey_seed: %llu\nmonkey_result: ok\n", streamEvents,
                static_cast<unsigned long long>(m_options.seed));
}

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--program")
            o.program = value;
        else if (key == "--home")
            o.home = value;
        else if (key == "--events")
            o.events = std::stol(value);
        else if (key == "--seed")
            o.seed = std::stoull(value);
        else
            throw Failure{"unknown option " + key};
    }
    if (o.program.empty() || argc % 2 == 0)
        throw Failure{"usage: miravel_monkey --program PATH [--events N] [--seed S] [--home DIR]"};
    // The program starts in the home folder.
    o.program = QFileInfo(QString::fromStdString(o.program)).absoluteFilePath().toStdString();
    if (o.home.empty()) {
        char dir[] = "/tmp/miravel-monkey-XXXXXX";
        if (!mkdtemp(dir))
            throw Failure{"cannot make a temporary folder"};
        o.home = dir;
        o.ownHome = true;
    } else {
        QDir().mkpath(QString::fromStdString(o.home));
        o.home = QFileInfo(QString::fromStdString(o.home)).absoluteFilePath().toStdString();
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    try {
        options = ParseOptions(argc, argv);
    } catch (const std::exception&) {
        std::fprintf(stderr, "usage: miravel_monkey --program PATH [--events N] [--seed S] [--home DIR]\n");
        return 2;
    } catch (const Failure& f) {
        std::fprintf(stderr, "%s\n", f.what.c_str());
        return 2;
    }
    Monkey monkey(options);
    try {
        monkey.Run();
    } catch (const Failure& f) {
        std::fprintf(stderr, "monkey: FAILED with seed %llu: %s\n", static_cast<unsigned long long>(options.seed),
                     f.what.c_str());
        monkey.PrintRing();
        std::fprintf(stderr, "the program's output and files are in %s\n", options.home.c_str());
        std::printf("monkey_seed: %llu\nmonkey_result: failed: %s\n", static_cast<unsigned long long>(options.seed),
                    f.what.c_str());
        return 1;
    }
    if (options.ownHome)
        QDir(QString::fromStdString(options.home)).removeRecursively();
    return 0;
}
