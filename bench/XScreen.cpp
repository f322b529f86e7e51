#include "XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/extensions/Xdamage.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <map>

namespace jigsaw::bench {

struct XScreen::State
{
    Display *display = nullptr;
    Window root = 0;
    int width = 0;
    int height = 0;
    int damageEvent = 0;
    Damage damage = 0;
    XImage *image = nullptr; // one row of the screen
    XShmSegmentInfo shm{};
    std::map<int, std::vector<std::uint32_t>> rows;
};

XScreen::XScreen()
    : d(std::make_unique<State>())
{
}

XScreen::~XScreen()
{
    if (!d->display)
        return;
    if (d->image) {
        XShmDetach(d->display, &d->shm);
        XDestroyImage(d->image);
        shmdt(d->shm.shmaddr);
    }
    if (d->damage)
        XDamageDestroy(d->display, d->damage);
    XCloseDisplay(d->display);
}

bool XScreen::open()
{
    d->display = XOpenDisplay(nullptr);
    if (!d->display)
        return false;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(d->display, &event, &error, &major, &minor)
        || !XDamageQueryExtension(d->display, &d->damageEvent, &error) || !XShmQueryExtension(d->display))
        return false;
    const int screen = DefaultScreen(d->display);
    d->root = RootWindow(d->display, screen);
    d->width = DisplayWidth(d->display, screen);
    d->height = DisplayHeight(d->display, screen);
    d->damage = XDamageCreate(d->display, d->root, XDamageReportNonEmpty);

    d->image = XShmCreateImage(d->display, DefaultVisual(d->display, screen),
                               static_cast<unsigned>(DefaultDepth(d->display, screen)), ZPixmap,
                               nullptr, &d->shm, static_cast<unsigned>(d->width), 1);
    if (!d->image || d->image->bits_per_pixel != 32)
        return false;
    d->shm.shmid = shmget(IPC_PRIVATE, std::size_t(d->image->bytes_per_line), IPC_CREAT | 0600);
    d->shm.shmaddr = d->image->data = static_cast<char *>(shmat(d->shm.shmid, nullptr, 0));
    shmctl(d->shm.shmid, IPC_RMID, nullptr);
    d->shm.readOnly = False;
    XShmAttach(d->display, &d->shm);
    XSync(d->display, False);
    return true;
}

int XScreen::fd() const
{
    return ConnectionNumber(d->display);
}

QRect XScreen::screenRect() const
{
    return QRect(0, 0, d->width, d->height);
}

void XScreen::press(QPoint at)
{
    XTestFakeMotionEvent(d->display, -1, at.x(), at.y(), 0);
    XTestFakeButtonEvent(d->display, 1, True, 0);
    XSync(d->display, False);
}

qint64 XScreen::moveTo(QPoint at)
{
    XTestFakeMotionEvent(d->display, -1, at.x(), at.y(), 0);
    XSync(d->display, False);
    return monotonicNs();
}

void XScreen::release(QPoint at)
{
    XTestFakeMotionEvent(d->display, -1, at.x(), at.y(), 0);
    XTestFakeButtonEvent(d->display, 1, False, 0);
    XSync(d->display, False);
}

qint64 XScreen::click(QPoint at)
{
    press(at);
    release(at);
    return monotonicNs();
}

qint64 XScreen::ctrlWheelUp(QPoint at)
{
    const KeyCode control = XKeysymToKeycode(d->display, XK_Control_L);
    XTestFakeMotionEvent(d->display, -1, at.x(), at.y(), 0);
    XTestFakeKeyEvent(d->display, control, True, 0);
    // Button 4 is the wheel turned away from the player, one notch.
    XTestFakeButtonEvent(d->display, 4, True, 0);
    XTestFakeButtonEvent(d->display, 4, False, 0);
    XSync(d->display, False);
    const qint64 wheeled = monotonicNs();
    XTestFakeKeyEvent(d->display, control, False, 0);
    XSync(d->display, False);
    return wheeled;
}

bool XScreen::takeEvents()
{
    bool damaged = false;
    while (XPending(d->display) > 0) {
        XEvent event;
        XNextEvent(d->display, &event);
        damaged = damaged || event.type == d->damageEvent + XDamageNotify;
    }
    if (damaged)
        XDamageSubtract(d->display, d->damage, None, None);
    return damaged;
}

bool XScreen::grabRows(const std::vector<int> &rows)
{
    d->rows.clear();
    for (const int y : rows) {
        if (y < 0 || y >= d->height || d->rows.count(y))
            continue;
        if (!XShmGetImage(d->display, d->root, d->image, 0, y, AllPlanes))
            return false;
        const auto *line = reinterpret_cast<const std::uint32_t *>(d->image->data);
        d->rows.emplace(y, std::vector<std::uint32_t>(line, line + d->width));
    }
    return true;
}

Colour XScreen::pixel(int x, int y) const
{
    const auto row = d->rows.find(y);
    if (row == d->rows.end() || x < 0 || x >= d->width)
        return {-1000, -1000, -1000};
    const std::uint32_t value = row->second[std::size_t(x)];
    return {int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)};
}

} // namespace jigsaw::bench
