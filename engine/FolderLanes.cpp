#include "engine/FolderLanes.h"

#include <unordered_set>
#include <utility>

namespace kirabo {

CFolderLanes::CFolderLanes(int32_t threads, size_t window) : window(window) {
  if (threads < 2) return;
  this->threads.reserve(static_cast<size_t>(threads));
  try {
    for (int32_t i = 0; i < threads; ++i) {
      this->threads.emplace_back([this, i] { Work(static_cast<uint32_t>(i)); });
    }
  } catch (...) {
    // The system would start no more threads: those running do the work.
  }
}

CFolderLanes::~CFolderLanes() {
  {
    std::lock_guard lock(mutex);
    closing = true;
  }
  startable.notify_all();
  for (std::thread& thread : threads) thread.join();
}

bool CFolderLanes::HasRoom() const {
  std::lock_guard lock(mutex);
  return tasks.size() < window;
}

void CFolderLanes::Queue(size_t lane, std::function<void(uint32_t thread)> task) {
  {
    std::lock_guard lock(mutex);
    tasks.push_back({lane, std::move(task)});
  }
  startable.notify_one();
}

bool CFolderLanes::TakeOldest() {
  std::unique_lock lock(mutex);
  if (tasks.empty()) return false;
  ended.wait(lock, [this] { return tasks.front().ended; });
  tasks.pop_front();
  return true;
}

// The oldest task not started whose lane has no earlier task unfinished, with
// no unfinished task queued alone before it; a task queued alone once every
// earlier one has ended. Null when none may start yet.
CFolderLanes::Task* CFolderLanes::NextToStart() {
  std::unordered_set<size_t> waiting;  // lanes with an unfinished task met on the way
  for (Task& task : tasks) {
    if (task.ended) continue;
    if (task.lane == kAlone) return !task.started && waiting.empty() ? &task : nullptr;
    if (!task.started && !waiting.contains(task.lane)) return &task;
    waiting.insert(task.lane);
  }
  return nullptr;
}

void CFolderLanes::Work(uint32_t thread) {
  std::unique_lock lock(mutex);
  for (;;) {
    Task* task = nullptr;
    startable.wait(lock, [&] { return closing || (task = NextToStart()) != nullptr; });
    if (closing) return;
    task->started = true;
    // The deque only grows at its back and loses its front once ended, so
    // the task stays where it is meanwhile.
    std::function<void(uint32_t)> work = std::move(task->work);
    lock.unlock();
    work(thread);
    lock.lock();
    task->ended = true;
    ended.notify_all();
    startable.notify_all();
  }
}

}  // namespace kirabo
