#include "screenshots.h"

#include <chrono>
#include <ctime>
#include <system_error>

#include "png_image.h"
#include "user_data.h"

namespace fs = std::filesystem;

Screenshots::Screenshots(fs::path pictureFolder) : folder(std::move(pictureFolder)), writer([this] { writePictures(); })
{
}

Screenshots::~Screenshots()
{
    if (writer.joinable())
        finishAll();
}

std::vector<std::string> Screenshots::finishAll()
{
    handOn(true);
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    wake.notify_one();
    writer.join();
    return finished();
}

void Screenshots::request()
{
    if (!writer.joinable())
        return;
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    // Only the frame thread asks for the local time.
    const std::tm* local = std::localtime(&now); // NOLINT(concurrency-mt-unsafe)
    requested = local != nullptr ? screenshotName(*local) : "zarnok.png";
}

void Screenshots::afterFrame(int width, int height)
{
    handOn(false);
    if (!requested || grab.pending())
        return;
    grab.start(width, height);
    grabbing = *requested;
    requested.reset();
}

std::vector<std::string> Screenshots::finished()
{
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::string> lines;
    lines.swap(done);
    return lines;
}

void Screenshots::handOn(bool wait)
{
    Picture picture;
    if (!grab.take(picture.rgb, picture.width, picture.height, wait))
        return;
    picture.name = grabbing;
    {
        std::lock_guard<std::mutex> guard(lock);
        toWrite.push_back(std::move(picture));
    }
    wake.notify_one();
}

void Screenshots::writePictures()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        wake.wait(guard, [this] { return stopping || !toWrite.empty(); });
        if (toWrite.empty())
            return;
        Picture picture = std::move(toWrite.front());
        toWrite.pop_front();
        guard.unlock();
        std::string line = write(picture);
        guard.lock();
        done.push_back(std::move(line));
    }
}

std::string Screenshots::write(const Picture& picture) const
{
    // Two pictures in one second: the second is named apart rather than written over the first.
    fs::path file = folder / (picture.name + ".png");
    std::error_code ignored;
    for (int copy = 2; fs::exists(file, ignored) && copy < 100; ++copy)
        file = folder / (picture.name + "-" + std::to_string(copy) + ".png");
    const std::string png = encodePng(picture.width, picture.height, picture.rgb);
    std::string error = "it could not be made a PNG";
    if (!png.empty() && replaceFileAtomically(file, png, error))
        return "Screenshot written to '" + file.string() + "'.";
    return "Cannot write the screenshot '" + file.string() + "': " + error + ".";
}

std::string screenshotName(const std::tm& time)
{
    char text[40];
    const size_t length = std::strftime(text, sizeof text, "zarnok-%Y-%m-%d-%H%M%S", &time);
    return std::string(text, length);
}
