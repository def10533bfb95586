#pragma once

#include <cstdint>

// Field layouts and tags of the raw containers read through directories, and
// the limits that keep a walk over a hostile file short.
namespace kirabo::raw {

// Byte-order marks at offset 0 of both containers (read little-endian).
constexpr uint16_t kIntelOrder = 0x4949;     // "II"
constexpr uint16_t kMotorolaOrder = 0x4D4D;  // "MM"

// CIFF (.CRW)
constexpr int64_t kCiffHeaderLengthOffset = 2;  // u32: where the root heap starts
constexpr int64_t kCiffSignatureOffset = 6;     // "HEAPCCDR"
constexpr char kCiffSignature[] = "HEAPCCDR";
constexpr int64_t kCiffHeaderBytes = 32;         // the header bytes read to test the signature
constexpr int64_t kHeapDirectoryOffsetSize = 4;  // u32 at a heap's end: its directory, heap-relative
constexpr int64_t kCiffRecordSize = 10;          // tag u16, length u32, offset u32
constexpr uint16_t kInRecordFlag = 0x4000;       // the record's 8 data bytes follow its tag
constexpr uint16_t kKindMask = 0x3FFF;
constexpr int64_t kInRecordDataLength = 8;
constexpr uint16_t kSubHeapKind1 = 0x28;  // kind >> 8 of a nested heap
constexpr uint16_t kSubHeapKind2 = 0x30;
constexpr uint16_t kMakeModelKind = 0x080A;    // "Make\0Model\0"
constexpr uint16_t kCaptureTimeKind = 0x180E;  // i32 seconds, then zone data

// TIFF (.CR2)
constexpr int64_t kTiffFirstDirectoryOffset = 4;  // u32 after byte order and magic
constexpr int64_t kTiffEntrySize = 12;            // tag, type, count, value or offset
constexpr int64_t kTiffInlineValueBytes = 4;
constexpr uint16_t kMakeTag = 0x010F;
constexpr uint16_t kModelTag = 0x0110;
constexpr uint16_t kDateTimeTag = 0x0132;  // "YYYY:MM:DD HH:MM:SS"
constexpr char kCanonMake[] = "Canon";     // ends the directory chain
constexpr uint16_t kExifDirectoryTag = 0x8769;     // in IFD0: offset of the Exif directory
constexpr uint16_t kDateTimeOriginalTag = 0x9003;  // in the Exif directory; same text form as DateTime
constexpr uint16_t kDateTimeDigitizedTag = 0x9004;

// Limits: real files nest heaps three deep, hold a few dozen records and
// chain four directories; these bounds leave wide room for them while
// guaranteeing that every walk ends quickly.
constexpr int kMaxHeapDepth = 16;
constexpr int kMaxHeapRecords = 8192;  // per file, over all heaps
constexpr int kMaxTiffDirectories = 256;
// Directories of one file may overlap and share their entries, so the chain
// and entry-count bounds alone would allow 256 x 65,535 entries. The work of a
// whole file is bounded as well: entries visited (a full directory fits), and
// Make, Model and date values read, in every directory of every container,
// each of which may cost a block read away from the directory and one back.
constexpr int64_t kMaxTiffEntries = 65535;
constexpr int kMaxTiffValueReads = 1024;
// The Exif walk reads two directories of a few dozen entries each; this
// bound keeps a hostile pair of directories to 48 KB.
constexpr int kMaxExifEntries = 4096;

}  // namespace kirabo::raw
