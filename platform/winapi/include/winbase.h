// Base services of the platform API, headless build: last error, modules and
// libraries, memory, files with "\" paths, file search, time, strings and the
// system's message texts.
//
// Paths: every function here takes the platform's paths. "\" and "/" both
// separate components ("\" becomes "/"). A drive prefix ("C:") names nothing
// on this system: such paths fail with ERROR_PATH_NOT_FOUND. Paths of
// MAX_PATH characters or more fail with ERROR_FILENAME_EXCED_RANGE. Names are
// matched case-insensitively where the exact name does not exist, as on a
// case-insensitive file system. Paths handed back (current directory, full
// path, module file name, temporary directory) are this system's native
// paths, with "/" separators.
#pragma once

#include <cstdarg>
#include <cstring>

#include <windef.h>
#include <winerror.h>

// ---------------------------------------------------------------------------
// Structures and constants shared with the rest of the API.

#ifndef _LARGE_INTEGER_DEFINED
#define _LARGE_INTEGER_DEFINED
typedef union _LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

typedef union _ULARGE_INTEGER {
    struct {
        DWORD LowPart;
        DWORD HighPart;
    } u;
    ULONGLONG QuadPart;
} ULARGE_INTEGER, *PULARGE_INTEGER;
#endif

// 100-nanosecond intervals since 1 January 1601 (UTC).
typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _OVERLAPPED {
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    union {
        struct {
            DWORD Offset;
            DWORD OffsetHigh;
        } s;
        PVOID Pointer;
    } u;
    HANDLE hEvent;
} OVERLAPPED, *LPOVERLAPPED;

typedef struct _WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef PWIN32_FIND_DATAA PWIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAA LPWIN32_FIND_DATA;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INFINITE 0xFFFFFFFF

// Access rights.
#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define GENERIC_EXECUTE 0x20000000L
#define GENERIC_ALL 0x10000000L
#define DELETE 0x00010000L

// Share modes: what a handle lets other handles of the same file do. An
// open, delete, move or replacement that asks for read, write or delete access
// that a handle already open does not share, or that does not share what an
// open handle has, fails with ERROR_SHARING_VIOLATION. The headless platform
// knows the handles of its own process only.
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

// Creation dispositions.
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

// File attributes. A directory reports FILE_ATTRIBUTE_DIRECTORY, a file
// FILE_ATTRIBUTE_ARCHIVE; either adds FILE_ATTRIBUTE_READONLY when its owner
// may not write it and FILE_ATTRIBUTE_HIDDEN when its name starts with ".".
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_DEVICE 0x00000040
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100

#define FILE_FLAG_WRITE_THROUGH 0x80000000
#define FILE_FLAG_OVERLAPPED 0x40000000
#define FILE_FLAG_NO_BUFFERING 0x20000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000
#define FILE_FLAG_DELETE_ON_CLOSE 0x04000000
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000

// SetFilePointer methods.
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

// MoveFileExA flags.
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_DELAY_UNTIL_REBOOT 0x00000004
#define MOVEFILE_WRITE_THROUGH 0x00000008

// ReplaceFileA flags.
#define REPLACEFILE_WRITE_THROUGH 0x00000001
#define REPLACEFILE_IGNORE_MERGE_ERRORS 0x00000002
#define REPLACEFILE_IGNORE_ACL_ERRORS 0x00000004

// LoadLibraryExA flags.
#define DONT_RESOLVE_DLL_REFERENCES 0x00000001
#define LOAD_LIBRARY_AS_DATAFILE 0x00000002
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008
#define LOAD_IGNORE_CODE_AUTHZ_LEVEL 0x00000010
#define LOAD_LIBRARY_AS_IMAGE_RESOURCE 0x00000020
#define LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE 0x00000040

// FormatMessageA flags.
#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

// Memory flags (the local and global heaps are one heap here).
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_DDESHARE 0x2000
#define GMEM_SHARE 0x2000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_NOCOMPACT 0x0010
#define LMEM_NODISCARD 0x0020
#define LMEM_ZEROINIT 0x0040
#define LMEM_MODIFY 0x0080
#define LMEM_DISCARDABLE 0x0F00
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

#define MoveMemory(d, s, n) memmove((d), (s), (n))
#define CopyMemory(d, s, n) memcpy((d), (s), (n))
#define FillMemory(d, n, f) memset((d), (f), (n))
#define ZeroMemory(d, n) memset((d), 0, (n))

// ---------------------------------------------------------------------------
// Last error (kept per thread).

WINBASEAPI DWORD WINAPI GetLastError(void);
WINBASEAPI void WINAPI SetLastError(DWORD dwErrCode);

// ---------------------------------------------------------------------------
// Modules. An HMODULE is the handle that the system's dynamic loader gives
// for the shared object. A bare name is searched in the directory of the
// running program, the current directory, then each directory of PATH; a
// name with a directory part is loaded from there only. A name without an
// extension gets ".dll" appended; a trailing "." is removed instead. Loading
// the same library again gives the same handle and counts one more
// reference; FreeLibrary counts one down.
//
// A missing library fails with ERROR_MOD_NOT_FOUND; a file that is no
// loadable shared object with ERROR_BAD_EXE_FORMAT; a library whose own
// dependencies are missing with ERROR_MOD_NOT_FOUND, whose imports are
// missing with ERROR_PROC_NOT_FOUND. The loader's own message for the last
// failure is in <vedrix/headless/modules.h>.
//
// LOAD_LIBRARY_AS_DATAFILE (and _EXCLUSIVE, AS_IMAGE_RESOURCE) and
// DONT_RESOLVE_DLL_REFERENCES load the library with lazy binding: its data
// and message table can be used even when some of its imports are missing.
// The library's initialisation still runs. LOAD_WITH_ALTERED_SEARCH_PATH
// changes nothing: a path is always loaded from its own directory.

WINBASEAPI HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName);
WINBASEAPI HMODULE WINAPI LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
// Only names are looked up; an ordinal (a "name" below 0x10000) fails with
// ERROR_PROC_NOT_FOUND. Only the module's own symbols are found, not those of
// the libraries it uses. A null module means the running program.
WINBASEAPI FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
WINBASEAPI BOOL WINAPI FreeLibrary(HMODULE hLibModule);
// Null: the running program. A name: a library already loaded, compared by
// file name case-insensitively (or by path when the name has a directory
// part). Does not add a reference.
WINBASEAPI HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
WINBASEAPI DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// By name (as GetModuleHandleA) or, with GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
// the module holding an address. Adds a reference (to be given back with
// FreeLibrary) unless GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT or _PIN.
#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004
WINBASEAPI BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule);

// ---------------------------------------------------------------------------
// Memory. Fixed blocks are their own handle; moveable blocks have a handle
// that stays the same when GlobalReAlloc moves them, and a pointer from
// GlobalLock. Unknown handles fail with ERROR_INVALID_HANDLE.

WINBASEAPI HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes);
WINBASEAPI HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags);
WINBASEAPI HLOCAL WINAPI LocalFree(HLOCAL hMem);
WINBASEAPI LPVOID WINAPI LocalLock(HLOCAL hMem);
WINBASEAPI BOOL WINAPI LocalUnlock(HLOCAL hMem);
WINBASEAPI SIZE_T WINAPI LocalSize(HLOCAL hMem);
WINBASEAPI HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
WINBASEAPI HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
WINBASEAPI HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);
WINBASEAPI LPVOID WINAPI GlobalLock(HGLOBAL hMem);
WINBASEAPI BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
WINBASEAPI SIZE_T WINAPI GlobalSize(HGLOBAL hMem);
WINBASEAPI HGLOBAL WINAPI GlobalHandle(LPCVOID pMem);

// ---------------------------------------------------------------------------
// System message texts. FORMAT_MESSAGE_FROM_SYSTEM knows English texts, each
// ending with "\r\n", for the codes of <winerror.h>. FORMAT_MESSAGE_FROM_HMODULE
// looks in the module's message table: a module has one when it exports
// VedrixMessageTable (<vedrix/headless/modules.h>). No network message module
// ("netmsg.dll") comes with the system, so loading it fails with
// ERROR_MOD_NOT_FOUND and the network codes have no text unless a module of
// that name is put where the search finds it. Accepted languages: 0, any
// neutral language, English; other languages fail with
// ERROR_RESOURCE_LANG_NOT_FOUND. A code without text fails with
// ERROR_MR_MID_NOT_FOUND.

WINBASEAPI DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId,
                                       DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize,
                                       va_list* Arguments);

// ---------------------------------------------------------------------------
// Files and directories.

WINBASEAPI BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName,
                                 BOOL bFailIfExists);
WINBASEAPI BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
WINBASEAPI BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
WINBASEAPI BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
// Puts the replacement in the replaced file's place in one step; the file
// there keeps the replaced file's permissions (its read-only attribute and
// access for others), owner and group. The replaced file must exist and be
// writable (ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED) and may not be open
// without FILE_SHARE_DELETE, nor the replacement open at all
// (ERROR_SHARING_VIOLATION); with these errors both files keep their names.
// When the owner or group cannot be kept the call fails with
// ERROR_ACCESS_DENIED unless REPLACEFILE_IGNORE_ACL_ERRORS. A backup name
// receives the replaced file. The exclude and reserved arguments must be null.
WINBASEAPI BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName,
                                    LPCSTR lpBackupFileName, DWORD dwReplaceFlags, LPVOID lpExclude,
                                    LPVOID lpReserved);
WINBASEAPI BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName,
                                        LPSECURITY_ATTRIBUTES lpSecurityAttributes);
WINBASEAPI BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName);
WINBASEAPI DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName);
// FILE_ATTRIBUTE_READONLY clears every write permission; without it the
// owner may write again. Other attributes are accepted and not kept.
WINBASEAPI BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes);
WINBASEAPI DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
WINBASEAPI BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName);
// TMPDIR, TMP or TEMP when set, otherwise "/tmp"; always ends with "/".
WINBASEAPI DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
// An absolute native path with "." and ".." removed; the file need not exist.
WINBASEAPI DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                                         LPSTR* lpFilePart);

// File handles, with share modes as above. A closed handle is never given
// out again, so closing twice fails with ERROR_INVALID_HANDLE.
WINBASEAPI HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                     DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                     HANDLE hTemplateFile);
WINBASEAPI BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
WINBASEAPI BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
WINBASEAPI DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove,
                                       LONG* lpDistanceToMoveHigh, DWORD dwMoveMethod);
WINBASEAPI DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
WINBASEAPI BOOL WINAPI FlushFileBuffers(HANDLE hFile);
WINBASEAPI BOOL WINAPI SetEndOfFile(HANDLE hFile);
WINBASEAPI BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime,
                                   LPFILETIME lpLastAccessTime, LPFILETIME lpLastWriteTime);
WINBASEAPI BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME* lpCreationTime,
                                   const FILETIME* lpLastAccessTime,
                                   const FILETIME* lpLastWriteTime);
WINBASEAPI BOOL WINAPI CloseHandle(HANDLE hObject);

// File search. "*" and "?" in the last component, compared case-insensitively
// with the platform's rules ("*.*" is everything, "*." names without an
// extension, "?" before a "." or at the end may match nothing); "." and ".."
// are listed where the pattern matches them. Results come in byte-wise order
// of their names. Short (8.3) names do not exist here.
WINBASEAPI HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
WINBASEAPI BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
WINBASEAPI BOOL WINAPI FindClose(HANDLE hFindFile);

// ---------------------------------------------------------------------------
// Time. Local time is the time zone of the process (TZ).

WINBASEAPI void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime);
WINBASEAPI void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
WINBASEAPI void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
WINBASEAPI BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
WINBASEAPI BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
// Uses the current offset of the time zone, as the platform does.
WINBASEAPI BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime,
                                               LPFILETIME lpLocalFileTime);
WINBASEAPI BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime,
                                               LPFILETIME lpFileTime);
WINBASEAPI LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);
WINBASEAPI DWORD WINAPI GetTickCount(void);
WINBASEAPI ULONGLONG WINAPI GetTickCount64(void);
// Returns at once: the headless system never waits.
WINBASEAPI void WINAPI Sleep(DWORD dwMilliseconds);

// ---------------------------------------------------------------------------
// Strings. Case rules are those of the 8-bit Western code page (1252).

WINBASEAPI int WINAPI lstrlenA(LPCSTR lpString);
WINBASEAPI LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 characters and always ends with a zero.
WINBASEAPI LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
WINBASEAPI LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2);
// Compares letters without regard to case first; of two strings differing
// only in case, the one with the lower-case letter at the first difference
// comes first. Returns -1, 0 or 1.
WINBASEAPI int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2);
// Compares case-insensitively (both folded to lower case). Returns -1, 0, 1.
WINBASEAPI int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);
// Converts in place and returns the string; when the pointer's upper bits
// are zero, its low byte is one character and the converted character is
// returned the same way.
WINBASEAPI LPSTR WINAPI CharUpperA(LPSTR lpsz);
WINBASEAPI LPSTR WINAPI CharLowerA(LPSTR lpsz);
// At most 1024 bytes are written, the terminating zero included. Types:
// c d i u x X s p (and C S, wide), flags - 0 #, width, precision; "l" is
// 32 bits as on the platform, "h" 16, "I64" 64. No floating point.
WINBASEAPI int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...);
WINBASEAPI int WINAPI wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist);
// nNumber * nNumerator / nDenominator with a 64-bit intermediate, rounded to
// the nearest integer (halves away from zero); -1 on overflow or division by 0.
WINBASEAPI int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);

// ---------------------------------------------------------------------------
// Process.

// Written to the standard error stream.
WINBASEAPI void WINAPI OutputDebugStringA(LPCSTR lpOutputString);
// The name is matched exactly first, then case-insensitively.
WINBASEAPI DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize);
WINBASEAPI BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue);
WINBASEAPI DWORD WINAPI GetCurrentProcessId(void);
WINBASEAPI DWORD WINAPI GetCurrentThreadId(void);

#define LoadLibrary LoadLibraryA
#define LoadLibraryEx LoadLibraryExA
#define GetModuleHandle GetModuleHandleA
#define GetModuleHandleEx GetModuleHandleExA
#define GetModuleFileName GetModuleFileNameA
#define FormatMessage FormatMessageA
#define CopyFile CopyFileA
#define DeleteFile DeleteFileA
#define MoveFile MoveFileA
#define MoveFileEx MoveFileExA
#define ReplaceFile ReplaceFileA
#define CreateDirectory CreateDirectoryA
#define RemoveDirectory RemoveDirectoryA
#define GetFileAttributes GetFileAttributesA
#define SetFileAttributes SetFileAttributesA
#define GetCurrentDirectory GetCurrentDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define GetTempPath GetTempPathA
#define GetFullPathName GetFullPathNameA
#define CreateFile CreateFileA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcat lstrcatA
#define lstrcmp lstrcmpA
#define lstrcmpi lstrcmpiA
#define CharUpper CharUpperA
#define CharLower CharLowerA
#define wsprintf wsprintfA
#define wvsprintf wvsprintfA
#define OutputDebugString OutputDebugStringA
#define GetEnvironmentVariable GetEnvironmentVariableA
#define SetEnvironmentVariable SetEnvironmentVariableA

#include <winnls.h>
