// What every operation on a file that can fail gives back (an open, every save, the table and the
// picture saves): ok, or one message that names the path and the reason in one form,
// "WHAT PATH: REASON". The window turns these messages into its own words; the command-line tool
// prints them as they are.
#pragma once

#include <string>
#include <string_view>

namespace corvel {

struct FileResult {
  bool ok = true;
  std::string message;  // on failure: what failed, the path and the reason
};

// "WHAT PATH: REASON" as a failed result.
inline FileResult FileFailure(std::string_view what, std::string_view path,
                              std::string_view reason) {
  std::string message;
  message.reserve(what.size() + path.size() + reason.size() + 3);
  message.append(what).append(" ").append(path).append(": ").append(reason);
  return {false, std::move(message)};
}

// A measurement file that could not be opened, or opened but not read.
inline FileResult CannotOpen(std::string_view path, std::string_view reason) {
  return FileFailure("Cannot open", path, reason);
}
inline FileResult CannotRead(std::string_view path, std::string_view reason) {
  return FileFailure("Cannot read", path, reason);
}
// A file that could not be written; an existing file of that name is unchanged.
inline FileResult CannotWrite(std::string_view path, std::string_view reason) {
  return FileFailure("cannot write", path, reason);
}

}  // namespace corvel
