#pragma once

#include <functional>

// The frame loop, as the platform runs it: a loop of its own on the desktop, the browser's frame
// callback on the web, where a loop that never returns would hang the page.
//
// `frame` runs once a frame until it answers false; then `finish` runs once and gives the exit
// status. On the desktop runFrames returns that status; in the browser it returns at once, the
// frames run after it, and the page is told the status when `finish` has run. Unless `paced`, the
// browser runs the next frame as soon as it can rather than at its display's refresh.
int runFrames(std::function<bool()> frame, std::function<int()> finish, bool paced);

// The browser shows frames at its own pace; elsewhere the game paces its own.
bool hostPacesFrames();

// A page runs on the browser's one thread: it can start none of its own.
bool hostHasThreads();
