// Running a program of the build as a person at a shell would: with
// arguments, optional standard input, and its standard output, standard error
// and exit status collected.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace test_support {

struct ProgramResult {
    int status = -1;  // the exit status; -1 when the program did not end normally
    std::string out;  // what it wrote to standard output
    std::string err;  // what it wrote to standard error
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `program` with `args`, feeding it `input` on standard input. Output
// goes through files in the temporary directory, so a program that writes
// much cannot block on a full pipe.
inline ProgramResult RunProgram(const std::filesystem::path& program,
                                const std::vector<std::string>& args,
                                const std::string& input = {}) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vedrix-run-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path inPath = dir / "in", outPath = dir / "out", errPath = dir / "err";
    std::ofstream(inPath, std::ios::binary) << input;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> all{program.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    ProgramResult result;
    pid_t child = 0;
    std::fflush(nullptr);
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        if (waitpid(child, &wstatus, 0) == child && WIFEXITED(wstatus)) {
            result.status = WEXITSTATUS(wstatus);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadWholeFile(outPath);
    result.err = ReadWholeFile(errPath);
    std::filesystem::remove_all(dir);
    return result;
}

}  // namespace test_support
