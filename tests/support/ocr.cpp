#include "ocr.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "process.h"
#include "temp_dir.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

std::string foldWhiteSpace(const std::string& text)
{
    std::istringstream words(text);
    std::string folded;
    for (std::string word; words >> word;)
        folded += (folded.empty() ? "" : " ") + word;
    return folded;
}

// OCR cannot tell a round O from a zero, nor always see the gap between two words, and it reads
// the odd speck of the scene behind a gap, or of the line beside, as a full stop, a comma or a quote.
std::string comparable(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '.' || c == ',' || c == '\'' || c == '`' ||
            (static_cast<unsigned char>(c) & 0x80) != 0)
            continue;
        result += (c == 'O' || c == 'o') ? '0' : c;
    }
    return result;
}

} // namespace

std::vector<std::string> readTextLine(const fs::path& image, int left, int top, int width, int height)
{
    TempDir tmp;
    const fs::path crop = tmp / "line.png";
    const std::string geometry =
        std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(left) + "+" + std::to_string(top);
    std::vector<std::string> readings;
    for (const char* scale : {"100%", "200%", "300%"}) {
        // The darkest channel keeps the white glyphs bright and every coloured background dark.
        runProcess({"convert", image.string(), "-crop", geometry, "+repage", "-channel", "RGB", "-separate",
                    "-evaluate-sequence", "Min", "-resize", scale, crop.string()});
        readings.push_back(foldWhiteSpace(runProcess({"tesseract", crop.string(), "-", "--psm", "7"}).out));
    }
    return readings;
}

std::vector<std::string> readTextItem(const fs::path& image, const TextItem& item, int windowHeight)
{
    const TextVertices vertices = buildTextVertices(item.text, item.x, item.y, item.size, item.centered);
    float left = 1e9f, right = -1e9f;
    for (const glm::vec2& p : vertices.positions) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
    }
    const int margin = std::max(4, item.size / 4);
    const int x = std::max(0, static_cast<int>(std::floor(left)) - margin);
    const int top = std::max(0, windowHeight - (item.y + item.size) - margin);
    return readTextLine(image, x, top, static_cast<int>(std::ceil(right)) + margin - x, item.size + 2 * margin);
}

bool readsAs(const std::vector<std::string>& readings, const std::string& expected)
{
    return std::any_of(readings.begin(), readings.end(),
                       [&](const std::string& reading) { return comparable(reading) == comparable(expected); });
}

void expectLegible(const fs::path& shot, const std::vector<ScreenItem>& items, int windowHeight)
{
    for (const ScreenItem& item : items) {
        if (const TextItem* text = std::get_if<TextItem>(&item)) {
            const std::vector<std::string> readings = readTextItem(shot, *text, windowHeight);
            EXPECT_TRUE(readsAs(readings, text->text))
                << "'" << text->text << "' read as '" << readings.front() << "' and '" << readings.back() << "'";
        }
    }
}

bool captureWindow(const std::string& windowId, const fs::path& image)
{
    return runProcess({"import", "-window", windowId, image.string()}).exitCode == 0;
}

ScreenState windowState(std::int32_t points)
{
    ScreenState state;
    state.width = 1280;
    state.height = 768;
    state.points = points;
    return state;
}
