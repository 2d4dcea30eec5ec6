// Libraries loaded by name: the search order, names in any case, paths with
// "\", and every way of failing without aborting. The libraries are copies of
// the platform library under other names: real shared objects, each loaded
// as a module of its own.
#include <windows.h>

#include <gtest/gtest.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/modules.h>
#endif

#include <cstring>
#include <string>

#include "kernel_support.h"
#include "person.h"

namespace {

using kernel_test::CurrentDirectoryGuard;
using kernel_test::TempDir;
using kernel_test::VariableGuard;
namespace fs = std::filesystem;

std::string ModuleFileName(HMODULE module) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
    return std::string(buffer, length);
}

// The file of the platform library, found the platform's way.
fs::path PlatformLibrary() {
    HMODULE module = nullptr;
    EXPECT_TRUE(GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&GetLastError), &module));
    return ModuleFileName(module);
}

fs::path ProgramDirectory() {
    return fs::path(ModuleFileName(nullptr)).parent_path();
}

void CopyLibrary(const fs::path& to) {
    fs::copy_file(PlatformLibrary(), to);
}

// A library file placed in the program's directory for one test.
class LibraryBesideProgram {
public:
    explicit LibraryBesideProgram(const std::string& name) : m_path(ProgramDirectory() / name) {
        std::error_code ignored;
        fs::remove(m_path, ignored);
        CopyLibrary(m_path);
    }
    ~LibraryBesideProgram() {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    LibraryBesideProgram(const LibraryBesideProgram&) = delete;
    LibraryBesideProgram& operator=(const LibraryBesideProgram&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

TEST(KernelModules, BareNameIsFoundBesideTheProgramFirst) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    LibraryBesideProgram beside("kernel_test_beside.dll");
    TempDir cwd;
    CopyLibrary(cwd.path() / "kernel_test_beside.dll");
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    HMODULE module = LoadLibraryA("kernel_test_beside.dll");
    ASSERT_NE(module, nullptr) << vedrix::headless::LastLoaderMessage();
    EXPECT_EQ(fs::path(ModuleFileName(module)), beside.path());
    // The library's own function, not the one of the library this program uses.
    FARPROC own = GetProcAddress(module, "GetLastError");
    ASSERT_NE(own, nullptr);
    EXPECT_NE(reinterpret_cast<void*>(own), reinterpret_cast<void*>(&GetLastError));
    EXPECT_TRUE(FreeLibrary(module));
#endif
}

TEST(KernelModules, BareNameIsFoundInTheCurrentDirectoryBeforePath) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    TempDir cwd;
    TempDir onPath;
    CopyLibrary(cwd.path() / "kernel_test_order.dll");
    CopyLibrary(onPath.path() / "kernel_test_order.dll");
    CopyLibrary(onPath.path() / "kernel_test_path_only.dll");
    CurrentDirectoryGuard restore;
    VariableGuard path("PATH");
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));
    ASSERT_TRUE(SetEnvironmentVariableA("PATH", ("/nonexistent-dir::" + onPath.str()).c_str()));

    HMODULE fromCwd = LoadLibraryA("kernel_test_order.dll");
    ASSERT_NE(fromCwd, nullptr) << vedrix::headless::LastLoaderMessage();
    EXPECT_EQ(fs::path(ModuleFileName(fromCwd)), cwd.path() / "kernel_test_order.dll");

    HMODULE fromPath = LoadLibraryA("kernel_test_path_only.dll");
    ASSERT_NE(fromPath, nullptr) << vedrix::headless::LastLoaderMessage();
    EXPECT_EQ(fs::path(ModuleFileName(fromPath)), onPath.path() / "kernel_test_path_only.dll");

    EXPECT_TRUE(FreeLibrary(fromCwd));
    EXPECT_TRUE(FreeLibrary(fromPath));
#endif
}

TEST(KernelModules, NamesMatchInAnyCaseAndLoadingAgainGivesTheSameHandle) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    TempDir cwd;
    CopyLibrary(cwd.path() / "Kernel_Test_Case.DLL");
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    HMODULE first = LoadLibraryA("KERNEL_TEST_CASE.dll");
    ASSERT_NE(first, nullptr) << vedrix::headless::LastLoaderMessage();
    EXPECT_EQ(fs::path(ModuleFileName(first)), cwd.path() / "Kernel_Test_Case.DLL");
    // Without an extension the name means ".dll".
    HMODULE second = LoadLibraryA("kernel_test_case");
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetModuleHandleA("kernel_test_case.dll"), first);
    EXPECT_EQ(GetModuleHandleA(cwd.win("KERNEL_TEST_CASE.DLL").c_str()), first);

    // Two references, two releases; a third release has nothing to release.
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_TRUE(FreeLibrary(first));
    SetLastError(0);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
#endif
}

TEST(KernelModules, PathWithBackslashesIsLoadedFromThereOnly) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    TempDir dir;
    TempDir cwd;
    CopyLibrary(dir.path() / "kernel_test_explicit.dll");
    CopyLibrary(cwd.path() / "kernel_test_elsewhere.dll");
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    HMODULE module = LoadLibraryA(dir.win("kernel_test_explicit.dll").c_str());
    ASSERT_NE(module, nullptr) << vedrix::headless::LastLoaderMessage();
    EXPECT_EQ(fs::path(ModuleFileName(module)), dir.path() / "kernel_test_explicit.dll");
    EXPECT_TRUE(FreeLibrary(module));

    // The current directory has this one, but the path names another directory.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(dir.win("kernel_test_elsewhere.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // A drive names nothing here.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("C:\\Program\\kernel_test_explicit.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
#endif
}

TEST(KernelModules, MissingLibrariesAndSymbolsFailWithTheirCodes) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("kernel_test_no_such_library.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(vedrix::headless::LastLoaderMessage().find("kernel_test_no_such_library.dll"),
              std::string::npos);
    // The network message module does not come with this system.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryExA("netmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    TempDir dir;
    CopyLibrary(dir.path() / "kernel_test_symbols.dll");
    HMODULE module = LoadLibraryA(dir.win("kernel_test_symbols.dll").c_str());
    ASSERT_NE(module, nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // Ordinals do not exist here.
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(1))), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // A function of a library the module uses is not the module's.
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "malloc"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(module));

    // Handles that name no module.
    int notAModule = 0;
    HMODULE bogus = reinterpret_cast<HMODULE>(&notAModule);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(bogus, "GetLastError"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(FreeLibrary(bogus));
    EXPECT_FALSE(FreeLibrary(nullptr));
    char name[16];
    EXPECT_EQ(GetModuleFileNameA(bogus, name, sizeof name), 0u);
    EXPECT_EQ(GetModuleHandleA("kernel_test_never_loaded.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
#endif
}

TEST(KernelModules, FilesThatDoNotLoadFailCleanly) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    TempDir dir;
    kernel_test::WriteText(dir.path() / "kernel_test_text.dll", "this is no library\n");
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(dir.win("kernel_test_text.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    EXPECT_FALSE(vedrix::headless::LastLoaderMessage().empty());

    // A real library whose dependency is missing: the copy's needed C library
    // renamed to one that does not exist.
    std::string image = kernel_test::ReadText(PlatformLibrary());
    const std::string needed = std::string("libc.so.6") + '\0';
    const std::string missing = std::string("libq.so.6") + '\0';
    size_t replaced = 0;
    for (size_t at = image.find(needed); at != std::string::npos; at = image.find(needed, at)) {
        if (at > 0 && image[at - 1] == '\0') {
            image.replace(at, needed.size(), missing);
            ++replaced;
        }
        at += needed.size();
    }
    ASSERT_GT(replaced, 0u);
    kernel_test::WriteText(dir.path() / "kernel_test_depends.dll", image);
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(dir.win("kernel_test_depends.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(vedrix::headless::LastLoaderMessage().find("libq.so.6"), std::string::npos)
        << vedrix::headless::LastLoaderMessage();
#endif
}

TEST(KernelModules, TheProgramIsTheNullModule) {
    HMODULE program = GetModuleHandleA(nullptr);
    ASSERT_NE(program, nullptr);
    const std::string path = ModuleFileName(nullptr);
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
    EXPECT_EQ(fs::path(path).stem(), "winapi_kernel_tests");
    EXPECT_EQ(ModuleFileName(program), path);
    // The program by its file name; a name without an extension is written
    // with a trailing dot, or ".dll" would be added to it.
    std::string name = fs::path(path).filename().string();
    if (fs::path(name).extension().empty()) {
        name += '.';
    }
    EXPECT_EQ(GetModuleHandleA(name.c_str()), program) << name;

    // Too small a buffer: cut, and the whole size returned.
    char small[8];
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), static_cast<DWORD>(sizeof small));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small, sizeof small - 1), path.substr(0, sizeof small - 1));
}

// A name cut to the buffer still ends with its terminator.
TEST(KernelModules, ANameCutToTheBufferIsTerminated) {
    const std::string path = ModuleFileName(nullptr);
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), static_cast<DWORD>(sizeof small));
    EXPECT_EQ(small[sizeof small - 1], '\0');
    EXPECT_EQ(std::string(small), path.substr(0, sizeof small - 1));
}

TEST(KernelModules, DataFileLoadsGiveTheirMessageTable) {
    HEADLESS_ONLY("reads the headless loader's messages");
#if VEDRIX_HEADLESS
    TempDir dir;
    CopyLibrary(dir.path() / "kernel_test_messages.dll");
    HMODULE module = LoadLibraryExA(dir.win("kernel_test_messages.dll").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << vedrix::headless::LastLoaderMessage();
    char text[256];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        module, ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr);
    EXPECT_EQ(std::string(text, length), "Access is denied.\r\n");
    EXPECT_TRUE(FreeLibrary(module));

    // The program has no message table of its own.
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    // A file handle is not accepted.
    EXPECT_EQ(LoadLibraryExA(dir.win("kernel_test_messages.dll").c_str(),
                             reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x1000)), 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
#endif
}

TEST(KernelModules, ModuleOfAnAddressCountsAReferenceUnlessAskedNotTo) {
    TempDir dir;
    CopyLibrary(dir.path() / "kernel_test_address.dll");
    HMODULE module = LoadLibraryA(dir.win("kernel_test_address.dll").c_str());
    ASSERT_NE(module, nullptr);
    FARPROC function = GetProcAddress(module, "SetLastError");
    ASSERT_NE(function, nullptr);
    HMODULE found = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   reinterpret_cast<LPCSTR>(function), &found));
    EXPECT_EQ(found, module);
    // Two references now: the load and the lookup.
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(found));
    EXPECT_FALSE(FreeLibrary(module));

    HMODULE program = nullptr;
    static int local = 0;
    ASSERT_TRUE(GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&local), &program));
    EXPECT_EQ(program, GetModuleHandleA(nullptr));
}

}  // namespace
