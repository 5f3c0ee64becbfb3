#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app_settings.h"
#include "audio_output.h"
#include "best_score.h"
#include "camera.h"
#include "fixed_ticks.h"
#include "frame_pacer.h"
#include "frame_timer.h"
#include "game_sounds.h"
#include "game_window.h"
#include "game_world.h"
#include "gamepad.h"
#include "lighting.h"
#include "mixer.h"
#include "options_menu.h"
#include "particles.h"
#include "player_options.h"
#include "post_process.h"
#include "quality.h"
#include "replay.h"
#include "run.h"
#include "scene_resources.h"
#include "screens.h"
#include "startup_options.h"
#include "system_clock.h"
#include "track_drawer.h"
#include "window_input.h"

struct GLFWwindow;

// The running game: owns the window, the scene and the frame-loop state from start-up to shutdown.
class Game {
public:
    // With `replay`, the game shows that recorded run and nothing else.
    Game(StartupOptions options, std::optional<Replay> replay = std::nullopt);

    // Start-up, the frame loop until the window closes (or one frame when headless), shutdown.
    // Returns the process exit status; a start-up failure ends the process on its own.
    int run();

private:
    void startUp();
    void loadSettings();
    void openWindow();
    void chooseQualityForThisMachine();
    // The preset drawn: --quality, or the player's; High for a headless picture.
    Quality quality() const;
    void startPlayersServices();
    void applyQuality();
    void placeEmitters();
    void runFrame();
    void shutDown();

    void paceFrame();
    // Fullscreen when asked, the framebuffer's size, a minimised window, a lost focus.
    void followWindow();
    void resizeDrawing();
    // What the gamepad asks for on the screen shown.
    void followGamepad();
    // Opens, works and closes the options screen.
    void workOptions();
    void openOptions();
    void closeOptions();
    // Takes the player's new options: applies each at once and saves them.
    void applyOptions(const PlayerOptions& changed);
    void applyInputOptions();
    void beginFrame();
    void playAgainIfAsked();
    void watchBestRun();
    // `physics`, when given, is the world built early in start-up.
    void startRun(std::uint32_t seed, std::unique_ptr<PhysicsWorld> physics = nullptr);
    void endRun();
    void saveReplays(bool newBest);
    void runTicks();
    TickInput takeInput();
    void reactTo(const TickEvents& events);
    void endReplay();
    void notePauseChange();
    void startAudio();
    void play(const SoundCue& cue);
    // The music's level for the screen shown, and the volumes with M, told to the mixer when
    // they change.
    void updateAudio();
    void placeView();
    void setSceneUniforms();
    void updateParticles();
    void drawParticles();
    void drawOverlay();
    ScreenState screenState() const;
    void composite();
    void finishFrame();
    void updateTitle(double now);
    // A line for the console, said once the frame that shows it is on the screen.
    void say(std::string line);
    // The frame time the game runs on: measured, or a fixed 1/60 s in a benchmark.
    float frameDt() const;
    std::uint32_t newSeed() const;
    bool benchmarking() const { return options.benchmarkFrames > 0; }
    bool drawingScene() const { return !options.benchmarkEmpty; }
    // A benchmark and a headless frame are no player's game: they read no options, open no audio,
    // keep no best score or replay, and say nothing of runs.
    bool playersSession() const { return !benchmarking() && !options.runHeadless; }
    GameWorld& world() { return current->world(); }
    const GameWorld& world() const { return current->world(); }

    StartupOptions options;
    WindowSettings windowSettings;
    RendererSettings rendererSettings;
    GLFWwindow* window = nullptr;
    std::optional<GameWindow> gameWindow;
    WindowInput input; // what the window's callbacks reach
    std::optional<Gamepads> gamepads;
    PadReading pad; // of this frame

    SceneResources resources;
    HudPanels panels;
    std::unique_ptr<Run> current;
    std::unique_ptr<TrackDrawer> drawer;
    std::optional<ReplayRecorder> recorder; // a player's run, tick by tick
    std::optional<ReplayPlayer> playback;   // a recorded run being shown
    std::optional<BestScore> bestScore;
    std::optional<OptionsFile> optionsFile;
    PlayerOptions playerOptions;
    std::optional<OptionsMenu> optionsMenu; // while the options screen is open
    std::optional<DirectionalLight> light;
    std::unique_ptr<ParticleEmitter> glideEmitter;
    std::unique_ptr<ParticleEmitter> doublePointsEmitter;
    std::unique_ptr<PostProcessFramebuffer> postProcess;

    std::unique_ptr<Mixer> mixer; // only while a device plays it
    std::unique_ptr<AudioOutput> audioOutput;
    RunSounds runSounds;
    std::vector<SoundCue> cues; // of the tick just run

    // What the frame is seen from. The mouse and the wheel change it at once, in the event poll;
    // the next tick takes its direction and speed into the run.
    Camera view{glm::vec3(0.0f), 1.0f};
    FixedTicks ticks;
    double frameSeconds = 0.0; // the real time the previous frame took
    double lastFrameTime = 0.0;
    std::vector<std::string> statusLines;
    std::string gameOverLine; // said with the first frame of the game-over screen

    std::unique_ptr<FrameTimer> timer;
    SystemClock clock;
    std::optional<FramePacer> pacer; // none in a benchmark, which measures unpaced frames
    std::vector<double> benchmarkFrameSeconds;
    std::vector<ScreenItem> screenItems; // rewritten every frame
    std::string windowTitle;
    double lastFrameEnd = 0.0;
    glm::mat4 frameViewProj{1.0f};
    glm::mat4 prevFrameViewProj{1.0f};

    float blend = 0.0f;               // where between its last two ticks the world is drawn
    float musicLevel = -1.0f;         // as last told to the mixer
    std::optional<bool> mutedVolumes; // as last told to the mixer
    std::int32_t sessionBest = 0;     // the best of this game's runs, where no best score is kept
    int windowSamples = 4; // the window's multisampling, fixed when it was made
    bool runEnded = false;
    bool newBest = false;      // the run that ended set it
    bool bestRunSaved = false; // there is a best run to watch
    bool wasPaused = false;
    bool renderToFramebuffer = false;
};
