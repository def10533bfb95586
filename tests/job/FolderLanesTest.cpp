#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/FolderLanes.h"

namespace kirabo::test {
namespace {

// Tasks of three folders with one queued alone among them, taken back with a
// window smaller than the queue: each folder's in order, the lone one apart
// from all, different folders at once, and one thread's tasks one after
// another.
TEST(FolderLanes, OneFolderInOrderALoneTaskApartOthersAtOnce) {
  const std::vector<size_t> lanes{0, 0, 1, 1, 0, 2, 1, 0, CFolderLanes::kAlone, 2, 0, 1, 2, 2, 0};
  struct Span {
    int start = -1;
    int end = -1;
    uint32_t thread = 0;
  };
  std::vector<Span> spans(lanes.size());
  std::mutex mutex;
  int clock = 0;
  int running = 0;
  int most = 0;
  {
    CFolderLanes folderLanes(4, 6);
    ASSERT_TRUE(folderLanes.Running());
    for (size_t i = 0; i < lanes.size(); ++i) {
      while (!folderLanes.HasRoom()) ASSERT_TRUE(folderLanes.TakeOldest());
      folderLanes.Queue(lanes[i], [&, i](uint32_t thread) {
        {
          std::lock_guard lock(mutex);
          spans[i].thread = thread;
          spans[i].start = clock++;
          most = std::max(most, ++running);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::lock_guard lock(mutex);
        spans[i].end = clock++;
        --running;
      });
    }
    while (folderLanes.TakeOldest()) {
    }
  }
  for (size_t i = 0; i < lanes.size(); ++i) {
    ASSERT_GE(spans[i].end, 0) << i;
    for (size_t j = i + 1; j < lanes.size(); ++j) {
      const bool ordered = lanes[i] == lanes[j] || lanes[i] == CFolderLanes::kAlone || lanes[j] == CFolderLanes::kAlone;
      if (ordered) {
        EXPECT_LT(spans[i].end, spans[j].start) << i << " before " << j;
      }
      if (spans[i].thread == spans[j].thread) {
        EXPECT_TRUE(spans[i].end < spans[j].start || spans[j].end < spans[i].start) << i << " beside " << j;
      }
    }
  }
  EXPECT_GT(most, 1);
  for (const Span& span : spans) EXPECT_LT(span.thread, 4u);
}

}  // namespace
}  // namespace kirabo::test
