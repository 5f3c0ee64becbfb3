#pragma once

struct GLFWwindow;

// The game's window as it changes under the player: its framebuffer's size, which everything is
// drawn to (on a HiDPI screen more pixels than the window has points), fullscreen and back, and
// whether it shows at all.
class GameWindow {
public:
    explicit GameWindow(GLFWwindow* window);

    GLFWwindow* handle() const { return window; }

    // Reads the framebuffer's size and the focus after the event poll. Returns true when the size
    // changed to one that can be drawn; a minimised window has none and keeps its last one.
    bool followFramebuffer();
    int width() const { return framebufferWidth; }
    int height() const { return framebufferHeight; }
    bool minimised() const { return hidden; }
    // Whether the window had the focus at the last followFramebuffer() and has lost it since.
    bool lostFocus() const { return focusLost; }

    bool fullscreen() const;
    // Fullscreen on the primary monitor in its current mode; back to the window's size and place
    // from before (or a centred window of the settings' size, for a game started fullscreen).
    void setFullscreen(bool on, int windowedWidth, int windowedHeight);

private:
    GLFWwindow* window;
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    bool hidden = false;
    // Read after the poll, not from events: a window is briefly unfocused while it opens.
    bool focused = false;
    bool focusLost = false;
    bool placed = false; // the windowed place below is known
    int windowedX = 0;
    int windowedY = 0;
    int windowedWidth = 0;
    int windowedHeight = 0;
};
