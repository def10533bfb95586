#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/Medium.h"

namespace kirabo::test {
namespace {

// A sysfs tree as Linux lays it out: /sys/dev/block/MAJ:MIN is a link into
// /sys/devices, a disk's folder holds queue/rotational, and a partition's
// folder, inside its disk's, holds none.
class FakeSysfs {
 public:
  void Disk(const std::string& device, const std::string& folder, const char* rotational) {
    tree_.Write("devices/" + folder + "/queue/rotational", std::string(rotational) + "\n");
    Link(device, folder);
  }
  void Partition(const std::string& device, const std::string& folder) {
    tree_.Write("devices/" + folder + "/partition", "1\n");
    Link(device, folder);
  }
  std::string Root() const { return tree_.root(); }

 private:
  void Link(const std::string& device, const std::string& folder) {
    tree_.MakeFolder("dev/block");
    std::filesystem::create_symlink("../../devices/" + folder, tree_.Path("dev/block/" + device));
  }
  TempFolder tree_;
};

TEST(Medium, RotationalFromTheDiskOrTheDiskOfAPartition) {
  FakeSysfs sys;
  sys.Disk("8:0", "pci0/block/sda", "1");
  sys.Partition("8:1", "pci0/block/sda/sda1");
  sys.Disk("259:0", "pci1/block/nvme0n1", "0");
  sys.Partition("259:1", "pci1/block/nvme0n1/nvme0n1p1");
  sys.Disk("254:0", "virtual/block/dm-0", "0");  // a mapped device has a queue of its own
  const struct {
    uint32_t major, minor;
    bool rotational;
  } kCases[] = {
      {8, 0, true}, {8, 1, true}, {259, 0, false}, {259, 1, false}, {254, 0, false},
      {0, 45, false},  // no block device: a network, FUSE or memory file system
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsRotationalBlockDevice(sys.Root(), c.major, c.minor), c.rotational) << c.major << ":" << c.minor;
  }
  EXPECT_FALSE(IsOnRotationalDisk("/proc")) << "a memory file system";
}

TEST(Medium, SymbolicLinkIsTheEntryItselfNotWhatItLeadsTo) {
  TempFolder tree;
  tree.Write("file.CRW", "x");
  std::filesystem::create_symlink("file.CRW", tree.Path("link.CRW"));
  std::filesystem::create_symlink("missing.CRW", tree.Path("dangling.CRW"));
  EXPECT_TRUE(IsSymbolicLink(tree.Path("link.CRW")));
  EXPECT_TRUE(IsSymbolicLink(tree.Path("dangling.CRW")));
  EXPECT_FALSE(IsSymbolicLink(tree.Path("file.CRW")));
  EXPECT_FALSE(IsSymbolicLink(tree.Path("missing.CRW")));
}

}  // namespace
}  // namespace kirabo::test
