#include "engine/FolderListings.h"

#include <utility>

namespace kirabo {

class CFolderListings::Pending {
 public:
  Pending(JobFolder& parent, std::string name) : parent(parent), name(std::move(name)) {}
  JobFolder& parent;
  const std::string name;
  bool done = false;
  bool made = false;
  FolderListing listing;
};

CFolderListings::CFolderListings(int32_t threads, size_t ahead) : ahead(ahead) {
  if (threads < 2) return;
  this->threads.reserve(static_cast<size_t>(threads));
  try {
    for (int32_t i = 0; i < threads; ++i) this->threads.emplace_back([this] { Work(); });
  } catch (...) {
    // The system would start no more threads: those running do the work,
    // and with none the walk opens every folder itself.
  }
}

CFolderListings::~CFolderListings() {
  {
    std::lock_guard lock(mutex);
    closing = true;
  }
  queued.notify_all();
  for (std::thread& thread : threads) thread.join();
}

std::shared_ptr<CFolderListings::Pending> CFolderListings::Start(JobFolder& parent, const std::string& name) {
  if (threads.empty()) return nullptr;
  std::lock_guard lock(mutex);
  if (inHand >= ahead) return nullptr;
  auto pending = std::make_shared<Pending>(parent, name);
  waiting.push_back(pending);
  ++inHand;
  queued.notify_one();
  return pending;
}

bool CFolderListings::Take(Pending& pending, FolderListing& listing) {
  std::unique_lock lock(mutex);
  done.wait(lock, [&] { return pending.done; });
  --inHand;
  listing = std::move(pending.listing);
  return pending.made;
}

void CFolderListings::Work() {
  std::unique_lock lock(mutex);
  for (;;) {
    queued.wait(lock, [this] { return closing || !waiting.empty(); });
    if (closing) return;
    std::shared_ptr<Pending> pending = std::move(waiting.front());
    waiting.pop_front();
    lock.unlock();
    FolderListing listing;
    bool made = false;
    try {
      listing.folder = pending->parent.OpenFolder(pending->name, listing.openReason);
      if (listing.folder) listing.listed = listing.folder->List(listing.items, listing.listReason);
      made = true;
    } catch (...) {
      // Out of memory: the walk meets it again at the folder's turn, where
      // the job can end on it.
      listing = {};
    }
    lock.lock();
    pending->listing = std::move(listing);
    pending->made = made;
    pending->done = true;
    done.notify_all();
  }
}

}  // namespace kirabo
