#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileIdentity.h"

namespace kirabo {

// A read-only binary file. Reads go through two internal block buffers so
// that a walk made of many small reads costs only a few system calls, even
// where it goes back and forth between two places (a directory at the end of
// the file and the values it points to at the start). Failures are returned,
// never thrown.
class CFile {
 public:
  CFile() = default;
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens an existing regular file for reading. Anything else (a folder, a
  // FIFO, a device) is refused, so that opening never blocks. On Windows the
  // file is opened without sharing: a file held open elsewhere is refused,
  // and no one else can open it while it is open here.
  bool Open(const std::string& path);
  // The same for the entry `name` of a folder held open.
  bool OpenIn(const CFolder& folder, const std::string& name);
  void Close();
  // The system's error code of the open or read that failed since the last
  // Open or OpenIn, 0 when none did. A file that opened but is no regular file (a
  // FIFO, a device) is refused without one.
  int Error() const { return error_; }
  // The open file's identity, as IdentifyFileIn gives it for its name; the
  // system told it as the file was opened, from the file it holds, without
  // looking the name up again.
  bool Identify(FileIdentity& identity) const;

  // Reads up to `count` bytes at the current position and advances past them.
  // Returns the number of bytes read: fewer at the end of the file, 0 past it
  // or after a read error.
  size_t Read(void* buffer, size_t count);

  int64_t GetPosition() const { return position_; }
  int64_t GetLength() const { return length_; }

  // Moves to an absolute position. Positions past the end are allowed (reads
  // there return nothing); a negative position fails and changes nothing.
  bool Seek(int64_t position);
  bool SeekRelative(int64_t offset);
  // Tells the system that the block holding `position` will be read soon,
  // so that it fetches it while the reads before it are served. Windows
  // takes no such advice for a file read through a handle: there it does
  // nothing.
  void WillRead(int64_t position);

  // Read-type system calls made by every file object of the process, so that
  // tests and benchmarks can check how much I/O a walk costs.
  static uint64_t SystemReadCount() { return systemReads_.load(std::memory_order_relaxed); }

  // What each system's opening of a file tells of it, all at once.
  struct Opened {
    intptr_t handle = -1;  // the NativeHandle
    int64_t length = 0;
    FileIdentity identity;
    bool identified = false;  // false: the system would not tell the identity
  };

 private:
  static constexpr size_t kBlockSize = 8192;
  // A file descriptor or a Windows handle; -1 is invalid for both.
  using NativeHandle = intptr_t;
  static constexpr NativeHandle kNoHandle = -1;

  // What each operating system does its own way.
  // On failure `error` holds the system's code, or 0 for a refused kind of file.
  static bool OpenNative(const std::string& path, Opened& opened, int& error);
  static bool OpenNativeIn(const CFolder& folder, const std::string& name, Opened& opened, int& error);
  static void CloseNative(NativeHandle handle);
  static void WillReadNative(NativeHandle handle, int64_t offset, size_t count);
  // Bytes read at `offset`, 0 at the end of the file, -1 on an error with
  // the system's code in `error`.
  static int64_t ReadNative(NativeHandle handle, void* buffer, size_t count, int64_t offset, int& error);

  struct Block {
    int64_t start = -1;  // file offset of bytes[0]; -1 when empty
    size_t size = 0;     // valid bytes
    std::array<unsigned char, kBlockSize> bytes{};
  };

  void Take(const Opened& opened);
  // The block holding the current position, read in place of the one used
  // less recently when neither holds it; null at the end or on an error.
  Block* BlockAtPosition();
  bool FillBlock(Block& block, int64_t start);

  NativeHandle handle_ = kNoHandle;
  int64_t length_ = 0;
  int64_t position_ = 0;
  FileIdentity identity_;
  bool identified_ = false;
  int error_ = 0;
  std::array<Block, 2> blocks_{};
  size_t lastUsed_ = 0;  // in blocks_

  static std::atomic<uint64_t> systemReads_;
};

}  // namespace kirabo
