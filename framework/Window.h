#pragma once

#include <functional>

namespace kirabo {

// A window of the platform's user interface, seen from shared code only as
// an opaque handle; each platform layer converts it to its own kind.
struct NativeWindow;

// Runs `call` later on the thread that owns `window`, without waiting for it.
// Calls posted to a window that is destroyed before they run are dropped.
void PostToWindowThread(NativeWindow* window, std::function<void()> call);

// True when the calling thread owns `window`.
bool IsWindowThread(const NativeWindow* window);

// Delivers what other threads have posted to this thread (window texts,
// message boxes) while the caller waits in a loop of its own. User input
// stays queued until the caller returns to the dialog's message loop.
void DeliverPostedCalls();

}  // namespace kirabo
