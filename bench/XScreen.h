#pragma once

#include "BenchUtil.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <map>
#include <memory>

// The benchmark's side of the X server: real input through XTest, the screen read back from the
// server as the player sees it, told by the Damage extension when anything was drawn, and the
// window manager's ping, which a client answers only when its user-interface thread is free.
namespace jigsaw::bench {

class XScreen
{
public:
    XScreen();
    ~XScreen();
    XScreen(const XScreen &) = delete;
    XScreen &operator=(const XScreen &) = delete;

    // False when there is no display or it lacks XTest, Damage or shared memory.
    bool open();
    int fd() const;
    QRect screenRect() const;

    // A left click at a point of the screen; the time at which the server had the release.
    qint64 click(QPoint at);

    // Handles what the server sent: whether anything was drawn since the last call, and the
    // pings answered (serial to the time of the answer).
    bool takeEvents(std::map<std::uint32_t, qint64> &answeredPings);
    // Asks a top-level window to answer serial.
    void ping(unsigned long window, std::uint32_t serial);

    // Reads the whole screen back; then pixel() reads from that copy.
    bool grab();
    Colour pixel(int x, int y) const;
    // The last screen read back, as it is, and a pixel of such a copy.
    QByteArray copy() const;
    Colour pixelOf(const QByteArray &copy, int x, int y) const;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace jigsaw::bench
