#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mixer.h"
#include "sound_file.h"

namespace {

// A second of a 440 Hz sine at full scale.
Sound tone()
{
    Sound sound;
    for (int i = 0; i < kMixerRate; ++i)
        sound.samples.push_back(std::sin(2.0f * 3.14159265f * 440.0f * static_cast<float>(i) / kMixerRate));
    return sound;
}

// The root mean square of `frames` stereo frames rendered now.
float renderedLevel(Mixer& mixer, int frames)
{
    std::vector<float> out(static_cast<size_t>(2 * frames));
    mixer.render(out.data(), frames);
    double sum = 0.0;
    for (float sample : out)
        sum += static_cast<double>(sample) * sample;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(out.size())));
}

} // namespace

TEST(Mixer, IsSilentUntilASoundIsPlayedAndFollowsTheVolumes)
{
    Mixer mixer({tone()});
    EXPECT_EQ(renderedLevel(mixer, 2000), 0.0f) << "before any sound";
    mixer.play(0, 1.0f, 0.0f, 1.0f);
    const float full = renderedLevel(mixer, 2000);
    EXPECT_GT(full, 0.3f);

    // Volumes glide to their new level within a few milliseconds, then hold it.
    mixer.setVolumes(0.5f, 1.0f, 1.0f);
    renderedLevel(mixer, 2000);
    EXPECT_NEAR(renderedLevel(mixer, 2000), full / 2.0f, full * 0.02f) << "half the master volume";
    mixer.setVolumes(1.0f, 1.0f, 0.0f);
    renderedLevel(mixer, 2000);
    EXPECT_LT(renderedLevel(mixer, 2000), 1e-4f) << "effects at 0";

    // The music is on its own volume: effects at 0 leave it playing.
    mixer.startMusic(0);
    renderedLevel(mixer, 2000);
    EXPECT_GT(renderedLevel(mixer, 2000), 0.3f);
}

TEST(Mixer, AnEffectPannedRightIsHeardOnTheRightAlone)
{
    Mixer mixer({tone()});
    mixer.play(0, 1.0f, 1.0f, 1.0f);
    std::vector<float> out(2000);
    mixer.render(out.data(), 1000);
    float left = 0.0f;
    float right = 0.0f;
    for (size_t i = 0; i < out.size(); i += 2) {
        left = std::max(left, std::abs(out[i]));
        right = std::max(right, std::abs(out[i + 1]));
    }
    EXPECT_LT(left, 1e-3f);
    EXPECT_GT(right, 0.9f);
}

// The music loops without a seam: the step from its last sample to its first is no larger than
// the steps within it.
TEST(Mixer, TheMusicLoopsWithoutAJumpAtItsSeam)
{
    std::string error;
    std::optional<Sound> music = loadSound(std::string(ZARNOK_SOURCE_DIR) + "/assets/sounds/music.wav", error);
    ASSERT_TRUE(music) << error;
    const size_t length = music->samples.size();
    ASSERT_GE(length, static_cast<size_t>(30 * kMixerRate)) << "at least 30 seconds";
    std::vector<float> steps;
    for (size_t i = 1; i < length; ++i)
        steps.push_back(std::abs(music->samples[i] - music->samples[i - 1]));
    std::sort(steps.begin(), steps.end());
    const float typical = steps[steps.size() * 99 / 100];

    Mixer mixer({std::move(*music)});
    mixer.startMusic(0);
    std::vector<float> out(2 * (length + 2));
    mixer.render(out.data(), static_cast<int>(length + 2));
    // Frames length - 1 and length are the last sample and the first again.
    EXPECT_LE(std::abs(out[2 * length] - out[2 * (length - 1)]), typical);
    EXPECT_EQ(out[2 * (length + 1)], out[2]) << "the second time round starts where the first did";
}
