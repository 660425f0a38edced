// The Windows form of the writer (file_writer.cpp is the POSIX one): the same rules through the
// wide Windows API. A rename does not replace a file there, so the flushed temporary takes the
// target's place with ReplaceFileW (which keeps the target's attributes and security) or, for a
// new name, with MoveFileExW.
#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <cstring>

#include "export/file_writer.h"
#include "export/writer_parts.h"
#include "records/native_path.h"

namespace corvel {

namespace {

// Writes to a file handle for BufferedSink, at most 1 GiB per WriteFile.
struct HandleOut {
  HANDLE file;

  size_t WriteSome(const char* p, size_t size, DWORD& error) const {
    const DWORD want = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD n = 0;
    if (!::WriteFile(file, p, want, &n, nullptr)) {
      error = ::GetLastError();
      return 0;
    }
    if (n == 0) error = ERROR_DISK_FULL;  // a file that accepts nothing is full
    return n;
  }
};

// Why a name could not be created. Windows says "path not found" also where a part of the path is
// a file; Linux says "Not a directory" there, and so do we.
std::string ReasonFor(const std::string& path, DWORD error) {
  if (error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) {
    for (size_t end = LastPathSeparator(path); end != std::string::npos && end > 0;
         end = LastPathSeparator(std::string_view(path).substr(0, end))) {
      const DWORD attributes = ::GetFileAttributesW(WidePath(path.substr(0, end)).c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) continue;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return "Not a directory";
      break;
    }
  }
  return WindowsErrorReason(error);
}

// The temporary file of the save in progress, for the console's Ctrl+C handler, which runs on a
// thread of its own: the name lives in a fixed buffer and a flag says it is valid.
std::atomic<bool> g_cleanup_installed{false};
wchar_t g_pending_temporary[32768];
std::atomic<bool> g_pending{false};

BOOL WINAPI RemovePendingTemporary(DWORD) {
  if (g_pending.load()) ::DeleteFileW(g_pending_temporary);
  return FALSE;  // the process ends as it would have without this handler
}

void SetPending(const std::wstring& temp_path) {
  if (!g_cleanup_installed.load(std::memory_order_relaxed)) return;
  g_pending.store(false);
  if (temp_path.size() >= sizeof g_pending_temporary / sizeof g_pending_temporary[0]) return;
  std::memcpy(g_pending_temporary, temp_path.c_str(), (temp_path.size() + 1) * sizeof(wchar_t));
  g_pending.store(true);
}

void ClearPending() {
  g_pending.store(false);
}

// Opens a new file with a unique name beside the target. FILE_SHARE_DELETE lets the Ctrl+C handler
// remove it while it is open.
HANDLE CreateTemporary(const std::string& path, std::wstring& temp_path, DWORD& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = WidePath(TemporaryNameBeside(path, LastPathSeparator(path),
                                             static_cast<unsigned long>(::GetCurrentProcessId())));
    SetPending(temp_path);  // before the file exists, so no moment leaves it unregistered
    const HANDLE file = ::CreateFileW(temp_path.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  ClearPending();
  return INVALID_HANDLE_VALUE;
}

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts the flushed temporary in the target's place in one step. A file that was written a moment
// ago can be held open for a short while by another process (a virus scanner, an indexer, Wine's
// own server): such refusals are waited out a few times before they count.
bool ReplaceTarget(const std::wstring& temp_path, const std::wstring& target, DWORD& error) {
  for (int attempt = 0;; ++attempt) {
    if (Exists(target)) {
      if (::ReplaceFileW(target.c_str(), temp_path.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                         nullptr))
        return true;
      error = ::GetLastError();
    }
    // A new name, or a target that ReplaceFileW could not take (a file system without its
    // support; one that it has already removed): a move with replacement does the same in one step.
    if (Exists(temp_path) && ::MoveFileExW(temp_path.c_str(), target.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    error = ::GetLastError();
    const bool transient = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                           error == ERROR_ACCESS_DENIED;
    if (!transient || attempt == 5) return false;
    ::Sleep(10u << attempt);
  }
}

}  // namespace

void RemoveTemporaryFilesOnTerminationSignals() {
  g_cleanup_installed.store(true);
  ::SetConsoleCtrlHandler(RemovePendingTemporary, TRUE);
}

FileResult WriteFileAtomically(const std::string& path,
                               const std::function<bool(ByteSink&)>& produce) {
  if (path.empty()) return CannotWrite(path, "no file name");
  const std::wstring target = WidePath(path);
  // A folder cannot be replaced by a file (on Linux the rename says so).
  if (IsFolder(path)) return CannotWrite(path, "Is a directory");

  std::wstring temp_path;
  DWORD error = 0;
  const HANDLE file = CreateTemporary(path, temp_path, error);
  if (file == INVALID_HANDLE_VALUE) return CannotWrite(path, ReasonFor(path, error));

  const bool produced = ProduceInto(HandleOut{file}, produce, error);
  // The bytes reach the disk before the name points at them (rule D12).
  if (error == 0 && produced && !::FlushFileBuffers(file)) error = ::GetLastError();
  if (!::CloseHandle(file) && error == 0) error = ::GetLastError();

  if (error == 0 && produced) {
    if (ReplaceTarget(temp_path, target, error)) {
      ClearPending();
      return {};
    }
  }
  ::DeleteFileW(temp_path.c_str());
  ClearPending();
  if (error != 0) return CannotWrite(path, ReasonFor(path, error));
  return CannotWrite(path, "the output could not be produced completely");
}

}  // namespace corvel

#endif  // _WIN32
