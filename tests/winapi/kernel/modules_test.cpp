// Libraries loaded by name: the search order, names in any case, paths with
// "\", and every way of failing without aborting. The libraries are copies of
// the tests' own library (kernel/library) under other names, each loaded as
// a module of its own: a shared object on the headless platform, a DLL on
// Windows, where the same search order and reference counts hold.
#include <windows.h>

#include <gtest/gtest.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/modules.h>
#endif

#include <array>
#include <cctype>
#include <cstring>
#include <string>

#include "kernel_support.h"
#include "person.h"

namespace {

using kernel_test::CurrentDirectoryGuard;
using kernel_test::TempDir;
using kernel_test::VariableGuard;
namespace fs = std::filesystem;

// What separates the directories of PATH: the host's own on the headless
// platform, whose environment is the POSIX one.
constexpr char kPathSeparator = VEDRIX_HEADLESS ? ':' : ';';

std::string ModuleFileName(HMODULE module) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
    return std::string(buffer, length);
}

// Why the last load failed: the headless loader says which file or
// dependency it was; Windows gives its error code only.
std::string LoadFailure() {
#if VEDRIX_HEADLESS
    return vedrix::headless::LastLoaderMessage();
#else
    return "error " + std::to_string(GetLastError());
#endif
}

std::string Lowered(const fs::path& path) {
    std::string text = path.lexically_normal().generic_string();
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Whether a module is the file at path. The platform compares names without
// their case, and which case a module's name keeps is not said.
testing::AssertionResult IsModuleFile(HMODULE module, const fs::path& path) {
    const std::string name = ModuleFileName(module);
    if (Lowered(name) == Lowered(path)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the module is " << name << ", not " << path.string();
}

fs::path ProgramDirectory() {
    return fs::path(ModuleFileName(nullptr)).parent_path();
}

// The tests' library, built beside the program.
fs::path TestLibrary() {
    return ProgramDirectory() / "kernel_test_library.dll";
}

void CopyLibrary(const fs::path& to) {
    fs::copy_file(TestLibrary(), to);
}

// The library's exported function, checked to be its own code.
FARPROC OwnFunction(HMODULE module) {
    FARPROC function = GetProcAddress(module, "KernelTestLibraryName");
    if (function == nullptr) {
        ADD_FAILURE() << "KernelTestLibraryName not found, error " << GetLastError();
        return nullptr;
    }
    HMODULE owner = nullptr;
    EXPECT_TRUE(GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(function), &owner));
    EXPECT_EQ(owner, module);
    EXPECT_STREQ(reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(function))(),
                 "kernel test library");
    return function;
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

// The names these tests load are their own: no system directory holds them,
// so that the directories searched before the current one (the program's,
// and on Windows the system's) find only what a test put there.
TEST(KernelModules, BareNameIsFoundBesideTheProgramFirst) {
    LibraryBesideProgram beside("kernel_test_beside.dll");
    TempDir cwd;
    CopyLibrary(cwd.path() / "kernel_test_beside.dll");
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    HMODULE module = LoadLibraryA("kernel_test_beside.dll");
    ASSERT_NE(module, nullptr) << LoadFailure();
    EXPECT_TRUE(IsModuleFile(module, beside.path()));
    OwnFunction(module);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(KernelModules, BareNameIsFoundInTheCurrentDirectoryBeforePath) {
    TempDir cwd;
    TempDir onPath;
    CopyLibrary(cwd.path() / "kernel_test_order.dll");
    CopyLibrary(onPath.path() / "kernel_test_order.dll");
    CopyLibrary(onPath.path() / "kernel_test_path_only.dll");
    CurrentDirectoryGuard restore;
    VariableGuard path("PATH");
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    // Nothing but PATH leads to this one.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("kernel_test_path_only.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    // A directory that does not exist and an empty entry are passed over.
    // The entries are the host's own paths (the native form of std::filesystem).
    const std::string list =
        (cwd.path() / "no-such-dir").string() + kPathSeparator + kPathSeparator + onPath.str();
    ASSERT_TRUE(SetEnvironmentVariableA("PATH", list.c_str()));

    HMODULE fromCwd = LoadLibraryA("kernel_test_order.dll");
    ASSERT_NE(fromCwd, nullptr) << LoadFailure();
    EXPECT_TRUE(IsModuleFile(fromCwd, cwd.path() / "kernel_test_order.dll"));

    HMODULE fromPath = LoadLibraryA("kernel_test_path_only.dll");
    ASSERT_NE(fromPath, nullptr) << LoadFailure();
    EXPECT_TRUE(IsModuleFile(fromPath, onPath.path() / "kernel_test_path_only.dll"));
    OwnFunction(fromPath);

    EXPECT_TRUE(FreeLibrary(fromCwd));
    EXPECT_TRUE(FreeLibrary(fromPath));
}

TEST(KernelModules, NamesMatchInAnyCaseAndLoadingAgainGivesTheSameHandle) {
    TempDir cwd;
    CopyLibrary(cwd.path() / "Kernel_Test_Case.DLL");
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    HMODULE first = LoadLibraryA("KERNEL_TEST_CASE.dll");
    ASSERT_NE(first, nullptr) << LoadFailure();
    EXPECT_TRUE(IsModuleFile(first, cwd.path() / "Kernel_Test_Case.DLL"));
    // Without an extension the name means ".dll".
    HMODULE second = LoadLibraryA("kernel_test_case");
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetModuleHandleA("kernel_test_case.dll"), first);
    EXPECT_EQ(GetModuleHandleA(cwd.win("KERNEL_TEST_CASE.DLL").c_str()), first);

    // Two references, two releases; a third release has nothing to release.
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_NE(GetModuleHandleA("kernel_test_case.dll"), nullptr);
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandleA("kernel_test_case.dll"), nullptr);
    SetLastError(0);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_NE(GetLastError(), 0u);
}

TEST(KernelModules, PathWithBackslashesIsLoadedFromThereOnly) {
    TempDir dir;
    TempDir cwd;
    CopyLibrary(dir.path() / "kernel_test_explicit.dll");
    CopyLibrary(cwd.path() / "kernel_test_elsewhere.dll");
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.str().c_str()));

    HMODULE module = LoadLibraryA(dir.win("kernel_test_explicit.dll").c_str());
    ASSERT_NE(module, nullptr) << LoadFailure();
    EXPECT_TRUE(IsModuleFile(module, dir.path() / "kernel_test_explicit.dll"));
    EXPECT_TRUE(FreeLibrary(module));

    // The current directory has this one, but the path names another directory.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(dir.win("kernel_test_elsewhere.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // A directory that does not exist.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(dir.win("no-such-dir\\kernel_test_explicit.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
#if VEDRIX_HEADLESS
    // A drive names nothing on this system.
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("C:\\Program\\kernel_test_explicit.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
#endif
}

TEST(KernelModules, MissingLibrariesAndSymbolsFailWithTheirCodes) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("kernel_test_no_such_library.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
#if VEDRIX_HEADLESS
    EXPECT_NE(LoadFailure().find("kernel_test_no_such_library.dll"), std::string::npos);
    // The network message module does not come with this system (Windows
    // has one in its system directory).
    SetLastError(0);
    EXPECT_EQ(LoadLibraryExA("netmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
#endif

    TempDir dir;
    CopyLibrary(dir.path() / "kernel_test_symbols.dll");
    HMODULE module = LoadLibraryA(dir.win("kernel_test_symbols.dll").c_str());
    ASSERT_NE(module, nullptr) << LoadFailure();
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // An ordinal the library does not export.
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(999))),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // A function of a library the module uses is not the module's.
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "malloc"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(module));

    // Handles that name no module.
    std::array<char, 256> notAModule{};
    HMODULE bogus = reinterpret_cast<HMODULE>(notAModule.data());
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(bogus, "KernelTestLibraryName"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(FreeLibrary(bogus));
    EXPECT_FALSE(FreeLibrary(nullptr));
    char name[16];
    EXPECT_EQ(GetModuleFileNameA(bogus, name, sizeof name), 0u);
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("kernel_test_never_loaded.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

// A library that the test library needs, as its image names it, and a name
// of the same length that no library has.
#if VEDRIX_HEADLESS
constexpr char kNeededLibrary[] = "libc.so.6";
constexpr char kMissingLibrary[] = "libq.so.6";
#else
constexpr char kNeededLibrary[] = "KERNEL32.dll";
constexpr char kMissingLibrary[] = "KERNEQ32.dll";
#endif

TEST(KernelModules, FilesThatDoNotLoadFailCleanly) {
    TempDir dir;
    kernel_test::WriteText(dir.path() / "kernel_test_text.dll", "this is no library\n");
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(dir.win("kernel_test_text.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
#if VEDRIX_HEADLESS
    EXPECT_FALSE(LoadFailure().empty());
#endif

    // A real library whose dependency is missing: the copy's needed library
    // renamed to one that does not exist.
    std::string image = kernel_test::ReadText(TestLibrary());
    const std::string needed = std::string(kNeededLibrary) + '\0';
    const std::string missing = std::string(kMissingLibrary) + '\0';
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
#if VEDRIX_HEADLESS
    EXPECT_NE(LoadFailure().find(kMissingLibrary), std::string::npos) << LoadFailure();
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
    TempDir dir;
    CopyLibrary(dir.path() / "kernel_test_messages.dll");
    HMODULE module = LoadLibraryExA(dir.win("kernel_test_messages.dll").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << LoadFailure();
    char text[256];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  module, ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr);
    EXPECT_EQ(std::string(text, length), "Access is denied.\r\n");
    // The table holds that one text.
    SetLastError(0);
    length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, module,
                            ERROR_FILE_NOT_FOUND, 0, text, sizeof text, nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(module));

    // The program has no message table of its own.
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr),
              0u);
    EXPECT_NE(GetLastError(), 0u);
#if VEDRIX_HEADLESS
    // A file handle is refused here; the platform's documentation only says
    // that it must be null.
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
    FARPROC function = OwnFunction(module);
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
