#pragma once

#include <cstdint>
#include <string>

#include "engine/Cr3Boxes.h"
#include "engine/JobFileSystem.h"
#include "engine/RawFile.h"
#include "engine/RawFormat.h"
#include "engine/RawFormatTable.h"
#include "platform/Multibyte.h"

namespace kirabo {

// Seconds since 1970-01-01 00:00:00 of the camera's clock, broken down with
// UTC rules; negative when a file has none. Wider than the 32 bits files
// store, so that times after January 2038 are kept.
using CaptureTime = int64_t;

// Reads the capture time of one raw file. A file named as a Canon raw file
// (.CRW, .CR2, .CR3) is read by Canon's reader, which tells a CIFF heap, a
// TIFF structure and an ISO base media file apart by their first bytes; any
// other file is read by the reader of the format its content shows (see
// RawFormatTable.h), so a Canon file under another maker's name still gets
// Canon's reading. One reader per file; the file is open only inside Load.
// Never throws on file content, however malformed.
class CCaptureTimeReader {
 public:
  // `codePage`: the one the paths given to Load are in.
  explicit CCaptureTimeReader(CodePage codePage = ActiveCodePage()) : codePage(codePage) {}
  virtual ~CCaptureTimeReader() = default;

  // True when no capture time was found, including when the file cannot be
  // opened or a read fails; false when one was.
  bool Load(const std::string& path);
  // The same for the file `name` of a folder the job holds open.
  bool Load(JobFolder& folder, const std::string& name);
  CaptureTime GetCaptureTime() const { return captureTime; }
  // The system's error code when the last Load could not open the file or a
  // read failed (and then no capture time is given: a partly read file could
  // yield the wrong one); 0 otherwise.
  int GetReadError() const { return file.Error(); }
  // The identity of the file the last Load(folder, name) opened; false when
  // it opened none or could not tell.
  bool GetIdentity(FileIdentity& identity) const {
    identity = openedIdentity;
    return identified;
  }

 private:
  bool ReadOpenFile(const std::string& name);
  void Read(RawReader reader);
  void ReadCanonFile();
  void WalkHeap(int64_t start, int64_t length, int depth);
  void ReadCaptureTimeRecord(int64_t position);
  void WalkTiffChain(int64_t base);
  void WalkTiffDirectory(int64_t base, uint16_t dateTag = raw::kDateTimeTag);
  void ReadCr3();
  void WalkTiffBlock(const TiffBlock& block, uint16_t dateTag);

  CodePage codePage;
  CaptureTime captureTime = -1;
  std::string model;
  std::string make;
  CRawFile file;
  FileIdentity openedIdentity;
  bool identified = false;
  int recordBudget = 0;         // heap records this Load may still walk
  int64_t tiffEntryBudget = 0;  // TIFF entries this Load may still visit
  int tiffValueReadBudget = 0;  // TIFF values this Load may still read
};

}  // namespace kirabo
