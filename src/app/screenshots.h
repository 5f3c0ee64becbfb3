#pragma once

#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "window_grab.h"

// F12's pictures of the frame as shown, HUD and all, as PNG files in a folder of their own. The
// frame comes back from GL without a stall and a thread of its own makes the file, so neither
// holds up play.
class Screenshots {
public:
    explicit Screenshots(std::filesystem::path folder);
    ~Screenshots();
    Screenshots(const Screenshots&) = delete;
    Screenshots& operator=(const Screenshots&) = delete;

    // The frame being drawn is to be kept.
    void request();
    // With the frame drawn and not yet swapped: starts the picture asked for, and hands on the
    // one before once GL has it back.
    void afterFrame(int width, int height);
    // What became of the pictures finished since the last call, a console line each.
    std::vector<std::string> finished();
    // Writes every picture already taken, then what became of them; nothing is taken after.
    std::vector<std::string> finishAll();

private:
    struct Picture {
        std::string name; // from the time F12 was pressed
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> rgb;
    };
    void handOn(bool wait);
    void writePictures();
    std::string write(const Picture& picture) const;

    std::filesystem::path folder;
    WindowGrab grab;
    std::optional<std::string> requested; // the name of the picture to take
    std::string grabbing;                 // the name of the one on its way back

    std::mutex lock;
    std::condition_variable wake;
    std::deque<Picture> toWrite;
    std::vector<std::string> done;
    bool stopping = false;
    std::thread writer; // last: it starts once everything it uses is there
};

// What F12 says where there are no screenshots: a page cannot start the writer's thread.
constexpr const char* kNoScreenshots = "F12 saves no screenshot in a browser: the browser's own tools can take one.";

// The file name of a picture taken at `time` (local, as the player's clock shows it).
std::string screenshotName(const std::tm& time);
