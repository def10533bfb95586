#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kirabo {

// A file that only grows, written without a buffer of our own: each Append
// is in the system's hands when it returns, so a killed process loses none
// of it; Sync also puts it on the disk. Failures return the system's error
// code (errno, or GetLastError on Windows), 0 on success.
//
// While one CAppendFile has a file open, no other (in this process or any
// other) can open it; the hold ends with Close or with its process, however
// that ends (a lock on Linux, the share mode on Windows). So an open that
// succeeds tells that no running program is writing the file.
class CAppendFile {
 public:
  CAppendFile() = default;
  ~CAppendFile();
  CAppendFile(const CAppendFile&) = delete;
  CAppendFile& operator=(const CAppendFile&) = delete;

  // Creates `path`, which must not exist yet (then the error is the system's
  // "file exists").
  int Create(const std::string& path);
  // Opens an existing file to add to its end.
  int OpenExisting(const std::string& path);
  int Append(std::string_view bytes);
  int Sync();
  // The file's length now; -1 when it cannot be told.
  int64_t Length() const;
  void Close();
  bool IsOpen() const { return handle_ != kNoHandle; }

  // Whether an error code is the one of a name that exists already.
  static bool IsNameTaken(int error);

 private:
  using NativeHandle = intptr_t;  // a file descriptor or a Windows handle; -1 is invalid for both
  static constexpr NativeHandle kNoHandle = -1;
  NativeHandle handle_ = kNoHandle;
};

}  // namespace kirabo
