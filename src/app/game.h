#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app_settings.h"
#include "camera.h"
#include "fixed_ticks.h"
#include "fountains.h"
#include "frame_pacer.h"
#include "frame_timer.h"
#include "game_audio.h"
#include "game_window.h"
#include "gamepad.h"
#include "ghost_drawer.h"
#include "lighting.h"
#include "player_options.h"
#include "post_process.h"
#include "quality.h"
#include "replay.h"
#include "scene_resources.h"
#include "screen_items.h"
#include "screenshots.h"
#include "session.h"
#include "startup_options.h"
#include "system_clock.h"
#include "track_drawer.h"
#include "window_input.h"

struct GLFWwindow;
class FrameCapture;
class VideoEncoder;

// The running game: start-up, the frame loop and shutdown. It owns the window, the scene and the
// frame-loop state; the session's screens decide what the input does and what the frame shows.
class Game : public std::enable_shared_from_this<Game> {
public:
    // With `replay`, the game shows that recorded run and nothing else; with `ghost`, the first
    // run is on its track and races it.
    Game(StartupOptions options, std::optional<Replay> replay = std::nullopt,
         std::optional<Replay> ghost = std::nullopt);

    // Start-up, the frame loop until the window closes (or one frame when headless), shutdown.
    // Returns the process exit status; a start-up failure ends the process on its own. The frame
    // loop holds the game, so in a browser, where run() returns before the frames, it lives on.
    int run();

private:
    // A frame of the loop; false once the loop is to end.
    bool loopFrame();
    // A line for the console and, for a few seconds, the top of the window.
    void noticeNow(const std::string& line);
    int finishLoop();
    void startUp();
    void loadSettings();
    void openWindow();
    void chooseQualityForThisMachine();
    // The preset drawn: --quality, or the player's; High for a headless picture.
    Quality quality() const;
    void startPlayersServices();
    void applyQuality();
    void runFrame();
    void shutDown();

    void paceFrame();
    // The framebuffer's size, a minimised window, a lost focus.
    void followWindow();
    void resizeDrawing();
    // The frame's keys, pointer and gamepad to the screens, and what they asked of the window.
    void passInput();
    PointerInput pointerInput() const;
    void followDisplaySwitches();
    void followPointer();
    // Applies what changed in the player's options since the last frame.
    void followOptions();
    void applyInputOptions();
    // A run begun since the last frame: its drawing, its view and its clock start afresh.
    void followRun();
    void lookWithPad();
    void beginFrame();
    void runTicks();
    void placeView();
    void setSceneUniforms();
    void drawScene();
    void drawOverlay();
    // What became of F12's pictures: on the console, and for a while on the screen.
    void followScreenshots(double now);
    void composite();
    void finishFrame();
    void updateTitle(double now);
    // The frame time the game runs on: measured, or a fixed 1/60 s in a benchmark.
    float frameDt() const;
    bool benchmarking() const { return options.benchmarkFrames > 0; }
    bool exporting() const { return options.exportVideoGiven; }
    // One tick a frame, a fixed 1/60 s apart, whatever the real time: a benchmark's and a video's.
    bool fixedFrames() const { return benchmarking() || exporting(); }
    // The replay as a video, one frame a tick; the process exit status.
    int exportVideo();
    enum class VideoEnd { Encoded, Stopped, FrameLost };
    // Encoded: every frame, or as many as the encoder took before it failed.
    VideoEnd encodeFrames(FrameCapture& capture, VideoEncoder& encoder);
    std::vector<float> drawVideoFrame(FrameCapture& capture, std::int64_t frame);
    bool drawingScene() const { return !options.benchmarkEmpty; }
    // A benchmark, a headless frame and a video are no player's game: they read no options, open
    // no audio device, keep no best score or replay, and say nothing of runs.
    bool playersSession() const { return !benchmarking() && !options.runHeadless && !exporting(); }
    const GameWorld& world() const { return session.shownRun()->world(); }
    const AppFlags& flags() const { return session.flags(); }

    StartupOptions options;
    std::optional<Replay> startReplay; // until the first run begins
    std::optional<Replay> startGhost;
    std::uint32_t startTicks = 0; // of the replay, for a video's length
    WindowSettings windowSettings;
    RendererSettings rendererSettings;
    GLFWwindow* window = nullptr;
    std::optional<GameWindow> gameWindow;
    WindowInput input; // what the window's callbacks reach
    std::optional<Gamepads> gamepads;
    PadReading pad; // of this frame

    GameAudio audio;
    Session session;
    PlayerOptions appliedOptions; // the player's options as the game applies them now

    SceneResources resources;
    HudPanels panels;
    std::unique_ptr<TrackDrawer> drawer;
    std::unique_ptr<GhostDrawer> ghostDrawer;
    std::optional<DirectionalLight> light;
    std::unique_ptr<Fountains> fountains;
    std::unique_ptr<PostProcessFramebuffer> postProcess;

    // What the frame is seen from. The mouse and the wheel change it at once, in the event poll;
    // the next tick takes its direction and speed into the run.
    Camera view{glm::vec3(0.0f), 1.0f};
    FixedTicks ticks;
    double frameSeconds = 0.0; // the real time the previous frame took
    double lastFrameTime = 0.0;

    std::unique_ptr<FrameTimer> timer;
    SystemClock clock;
    std::optional<FramePacer> pacer; // none in a benchmark, which measures unpaced frames
    std::vector<double> benchmarkFrameSeconds;
    std::vector<ScreenItem> screenItems;      // rewritten every frame
    std::unique_ptr<Screenshots> screenshots; // a player's game only
    std::string notice;                       // shown over every screen until noticeUntil
    double noticeUntil = 0.0;
    std::string windowTitle;
    double lastFrameEnd = 0.0;
    glm::mat4 frameViewProj{1.0f};
    glm::mat4 prevFrameViewProj{1.0f};

    float blend = 0.0f;         // where between its last two ticks the world is drawn
    int windowSamples = 4;      // the window's multisampling, fixed when it was made
    std::uint64_t drawnRun = 0; // the session's run the frame state belongs to
    bool renderToFramebuffer = false;
    bool shownWireframe = false; // the GL state as the display switches last left it
    bool shownCulling = false;
    bool pointerFreed = false;
    bool wasMinimised = false;
    bool holdRun = false; // the frame shows the run without ticking it: a video's first
    int videoFrames = 0;  // handed to the encoder
};
