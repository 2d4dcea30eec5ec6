// Console capture: file descriptors 1 and 2 pointed at temporary files.
#include <vedrix/automation/console.h>

#include <vedrix/automation/input.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

// The sanitizers' runtime, when the program has one: where its reports go.
// A report written while stderr is captured would otherwise vanish with the
// capture's temporary file when the program aborts.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace vedrix::automation {

namespace {

ConsoleCapture*& innermost() {
    static ConsoleCapture* capture = nullptr;
    return capture;
}

void flushAll() {
    std::cout.flush();
    std::cerr.flush();
    std::clog.flush();
    std::fflush(nullptr);
}

void writeAll(int fd, std::string_view text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
}

void reportTo(int fd) {
    if (__sanitizer_set_report_fd) {
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)));
    }
}

std::string errorText(const char* what) {
    return std::string("console capture: ") + what + ": " + std::strerror(errno);
}

}  // namespace

ConsoleCapture::ConsoleCapture(Streams streams) {
    flushAll();
    try {
        if (streams & Stdout) {
            start(out_, 1);
        }
        if (streams & Stderr) {
            start(err_, 2);
        }
    } catch (...) {
        finish(out_);
        finish(err_);
        throw;
    }
    capturing_ = true;
    outer_ = innermost();
    innermost() = this;
    if (err_.fd == 2) {
        reportTo(err_.saved);
    }
}

ConsoleCapture::~ConsoleCapture() {
    stop();
}

void ConsoleCapture::start(Redirect& r, int fd) {
    std::FILE* file = std::tmpfile();
    if (!file) {
        throw AutomationError(errorText("no temporary file"));
    }
    // The file has no name any more; keep a descriptor of its own.
    int temp = ::dup(fileno(file));
    std::fclose(file);
    if (temp < 0) {
        throw AutomationError(errorText("dup of the temporary file"));
    }
    int saved = ::dup(fd);
    if (saved < 0) {
        ::close(temp);
        throw AutomationError(errorText("dup of the console"));
    }
    if (::dup2(temp, fd) < 0) {
        ::close(temp);
        ::close(saved);
        throw AutomationError(errorText("dup2 onto the console"));
    }
    r.fd = fd;
    r.saved = saved;
    r.file = temp;
    r.text.clear();
}

std::string ConsoleCapture::read(const Redirect& r) {
    if (r.file < 0) {
        return r.text;
    }
    flushAll();
    struct stat info {};
    if (::fstat(r.file, &info) != 0 || info.st_size <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    // The console's descriptor shares this file's position: it is read from
    // the start and put back where the program's next write goes.
    off_t position = ::lseek(r.file, 0, SEEK_CUR);
    ::lseek(r.file, 0, SEEK_SET);
    size_t got = 0;
    while (got < text.size()) {
        auto n = ::read(r.file, text.data() + got, static_cast<unsigned>(text.size() - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    ::lseek(r.file, position, SEEK_SET);
    text.resize(got);
    return text;
}

void ConsoleCapture::finish(Redirect& r) {
    if (r.file < 0) {
        return;
    }
    r.text = read(r);
    ::dup2(r.saved, r.fd);
    ::close(r.saved);
    ::close(r.file);
    r.saved = -1;
    r.file = -1;
}

void ConsoleCapture::stop() {
    if (!capturing_) {
        return;
    }
    // Captures end innermost first: one started later and still running
    // ends now.
    while (innermost() && innermost() != this) {
        innermost()->stop();
    }
    flushAll();
    finish(out_);
    finish(err_);
    capturing_ = false;
    innermost() = outer_;
    // What an outer capture would have caught, it gets now.
    for (ConsoleCapture* o = outer_; o; o = o->outer_) {
        if (o->out_.file >= 0 && out_.fd == 1) {
            writeAll(1, out_.text);
            break;
        }
    }
    for (ConsoleCapture* o = outer_; o; o = o->outer_) {
        if (o->err_.file >= 0 && err_.fd == 2) {
            writeAll(2, err_.text);
            break;
        }
    }
    int real = realStderr(innermost());
    reportTo(real >= 0 ? real : 2);
}

std::string ConsoleCapture::out() const {
    return read(out_);
}

std::string ConsoleCapture::err() const {
    return read(err_);
}

bool ConsoleCapture::anyActive() {
    return innermost() != nullptr;
}

void ConsoleCapture::writeToConsole(std::string_view text) {
    int real = realStderr(innermost());
    writeAll(real >= 0 ? real : 2, text);
}

int ConsoleCapture::realStderr(const ConsoleCapture* from) {
    int real = -1;
    for (const ConsoleCapture* c = from; c; c = c->outer_) {
        if (c->err_.saved >= 0) {
            real = c->err_.saved;
        }
    }
    return real;
}

}  // namespace vedrix::automation
