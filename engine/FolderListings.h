#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/JobFileSystem.h"

namespace kirabo {

// A sub-folder opened in its parent and listed, or why it could not be.
struct FolderListing {
  std::unique_ptr<JobFolder> folder;  // null when it could not be opened
  std::string openReason;
  std::vector<FolderItem> items;
  bool listed = false;
  std::string listReason;
};

// Opens and lists sub-folders on threads of its own, so that on a share the
// round trips of sibling folders overlap. The walk asks for them in its own
// order and uses each as it would have found it itself; at most `ahead`
// folders are open here at a time, however wide or deep the tree.
class CFolderListings {
 public:
  class Pending;

  // No thread starts for fewer than two threads.
  CFolderListings(int32_t threads, size_t ahead);
  // Returns once every folder being opened or listed is done; those not
  // started yet are dropped.
  ~CFolderListings();
  CFolderListings(const CFolderListings&) = delete;
  CFolderListings& operator=(const CFolderListings&) = delete;

  // Starts opening and listing `name` in `parent`, which stays open until
  // it has been taken; null when there is no room (the caller opens it at its
  // turn).
  std::shared_ptr<Pending> Start(JobFolder& parent, const std::string& name);
  // Waits for what Start began; false when it could not be done here (out
  // of memory) and the caller is to do it itself.
  bool Take(Pending& pending, FolderListing& listing);

 private:
  void Work();

  std::mutex mutex;
  std::condition_variable queued;
  std::condition_variable done;
  std::deque<std::shared_ptr<Pending>> waiting;
  size_t inHand = 0;  // started and not yet taken
  size_t ahead;
  bool closing = false;
  std::vector<std::thread> threads;
};

}  // namespace kirabo
