#pragma once
// Long engine work (building the work file, marking or deleting millions of columns) runs on
// a worker thread while the screen keeps painting; the user's input waits until it ends.

#include <functional>

namespace zendo {

// Runs `trabajo` on a worker thread and returns when it has ended. Meanwhile the event loop
// processes everything but user input (repaints, queued progress calls), under the hourglass.
void EnSegundoPlano(const std::function<void()>& trabajo);

}  // namespace zendo
