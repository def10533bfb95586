#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace kirabo {

// A window of the platform's user interface, seen from shared code only as
// an opaque handle; each platform layer converts it to its own kind.
struct NativeWindow;

// Runs `call` later on the thread that owns `window`, without waiting for it.
// Calls posted to a window that is destroyed before they run are dropped.
void PostToWindowThread(NativeWindow* window, std::function<void()> call);

// Window thread: runs `call` on it once `delay` has passed, unless `window`
// is destroyed first.
void PostToWindowThreadAfter(NativeWindow* window, std::chrono::milliseconds delay, std::function<void()> call);

// True when the calling thread owns `window`.
bool IsWindowThread(const NativeWindow* window);

// Window thread: the text of a control as the program set it, and setting it.
// A static text with the path-ellipsis style shows each line too wide for it
// shortened in the middle, yet keeps the whole text.
std::string WindowTextOf(const NativeWindow* window);
void ShowWindowText(NativeWindow* window, const std::string& text);

// Delivers what other threads have posted to this thread (window texts,
// message boxes) while the caller waits in a loop of its own. User input
// stays queued until the caller returns to the dialog's message loop.
void DeliverPostedCalls();

}  // namespace kirabo
