#pragma once

#include <cstddef>
#include <string>

namespace kirabo::bench {

struct TreeShape {
  size_t files = 10000;
  int depth = 5;    // folder levels below the root
  int branches = 3; // sub-folders per folder
  bool small = false;  // files of a few kilobytes written out in full, cheap to compare byte for byte
  bool companions = false;  // a JPEG twin and an .xmp sidecar of a few bytes beside each raw file
};

struct BuiltTree {
  size_t files = 0;  // raw files
  size_t companions = 0;
  size_t folders = 0;
  size_t collidingFiles = 0;  // files whose first-choice name is taken
  unsigned long long apparentBytes = 0;
};

// Fills `root` (an existing empty folder) with raw files spread over a tree
// of folders: CRW and CR2 alternately, each a sparse file of 10-25 MB whose
// metadata sits where a camera puts it (a CRW's heap directory at the very
// end, a CR2's first directory near the start). Every tenth file repeats the
// capture time of the file two before it (same extension, same folder), so
// their names collide.
// False when a file or folder cannot be written.
bool BuildSyntheticTree(const std::string& root, const TreeShape& shape, BuiltTree& built);

}  // namespace kirabo::bench
