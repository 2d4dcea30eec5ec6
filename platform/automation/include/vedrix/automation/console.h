// What the program writes to the console, captured for assertions.
//
// The module prints developer diagnostics with printf ("Function: <...> in
// ... not found !", "---> ..."). A ConsoleCapture takes over file descriptor
// 1 (and 2, separately) for its lifetime: both are pointed at temporary files
// with dup2, after stdio's buffers were flushed, so everything written by any
// library through stdio, iostreams or write() lands there. A temporary file
// (not a pipe) holds any amount without blocking the writer.
//
//     ConsoleCapture console;
//     runTheDialog();
//     console.stop();
//     EXPECT_THAT(console.out(), HasSubstr("---> saved"));
//
// Captures nest: an inner capture hands what it caught on to the outer one
// when it stops. While a capture runs, a sanitizer report still reaches the
// real stderr, and writeToConsole() writes there too (so that a test failure
// inside a capture stays visible).
#pragma once

#include <vedrix/automation/export.h>

#include <string>
#include <string_view>

namespace vedrix::automation {

class VEDRIX_AUTOMATION_API ConsoleCapture {
public:
    enum Streams { Stdout = 1, Stderr = 2, Both = 3 };

    // Starts capturing; throws AutomationError when the descriptors cannot
    // be redirected.
    explicit ConsoleCapture(Streams streams = Both);
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // Puts the descriptors back; out() and err() keep the text.
    void stop();
    bool isCapturing() const { return capturing_; }

    // Everything written so far (while capturing, stdio is flushed first).
    std::string out() const;
    std::string err() const;

    // Whether any capture runs now.
    static bool anyActive();
    // Writes to the stderr that was there before the outermost capture.
    static void writeToConsole(std::string_view text);

private:
    struct Redirect {
        int fd = -1;       // 1 or 2
        int saved = -1;    // the descriptor before the capture
        int file = -1;     // the temporary file
        std::string text;  // what was caught, once stopped
    };

    static void start(Redirect& r, int fd);
    static void finish(Redirect& r);
    static std::string read(const Redirect& r);
    // The stderr from before the outermost running capture that took
    // stderr, counting outward from `from`; -1 when none took it.
    static int realStderr(const ConsoleCapture* from);

    Redirect out_;
    Redirect err_;
    bool capturing_ = false;
    ConsoleCapture* outer_ = nullptr;
};

}  // namespace vedrix::automation
