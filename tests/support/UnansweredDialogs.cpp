// Linked into every Windows test program: a dialog of the program that is still
// open after 15 s waits for a user who never comes (an error box shown where
// none was expected). It is reported and closed, so the test fails with the
// dialog's text instead of hanging until CTest ends the program.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "tests/support/DialogAnswerer.h"

namespace {

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

class TUnansweredDialogs {
public:
    // The thread's first window calls are made before main runs: made later, in
    // the middle of a test's LoadLibrary, they can deadlock with the loader.
    TUnansweredDialogs() : thread_([this] { Run(); })
    {
        while (!ready_)
            Sleep(1);
    }
    ~TUnansweredDialogs()
    {
        stop_ = true;
        thread_.join();
    }

private:
    void Run()
    {
        using Clock = std::chrono::steady_clock;
        HWND seen = nullptr;
        Clock::time_point since{};
        testmsg::FindDialog();
        ready_ = true;
        while (!stop_) {
            HWND box = testmsg::FindDialog();
            if (box != seen) {
                seen = box;
                since = Clock::now();
            } else if (box && Clock::now() - since > std::chrono::seconds(15)) {
                const testmsg::TBox b = testmsg::ReadBox(box);
                std::fprintf(stderr, "a dialog was left unanswered for 15 s and is closed: \"%s\": %s\n",
                             Utf8(b.Caption).c_str(), Utf8(b.Text).c_str());
                std::fflush(stderr);
                PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                for (int i = 0; i < 100 && IsWindow(box); ++i)
                    Sleep(10);
                if (IsWindow(box))
                    testmsg::Answer(box);
                seen = nullptr;
            }
            Sleep(100);
        }
    }

    std::atomic<bool> ready_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TUnansweredDialogs guard;

}  // namespace
