#include "XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace jigsaw::bench {

struct XScreen::State
{
    Display *display = nullptr;
    Window root = 0;
    int width = 0;
    int height = 0;
    int damageEvent = 0;
    Damage damage = 0;
    XImage *image = nullptr;
    XShmSegmentInfo shm{};
    Atom protocols = 0;
    Atom pingAtom = 0;
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
    d->protocols = XInternAtom(d->display, "WM_PROTOCOLS", False);
    d->pingAtom = XInternAtom(d->display, "_NET_WM_PING", False);
    // Answers to pings come to the root window.
    XSelectInput(d->display, d->root, StructureNotifyMask);
    d->damage = XDamageCreate(d->display, d->root, XDamageReportNonEmpty);

    d->image = XShmCreateImage(d->display, DefaultVisual(d->display, screen),
                               static_cast<unsigned>(DefaultDepth(d->display, screen)), ZPixmap,
                               nullptr, &d->shm, static_cast<unsigned>(d->width),
                               static_cast<unsigned>(d->height));
    if (!d->image || d->image->bits_per_pixel != 32)
        return false;
    d->shm.shmid = shmget(IPC_PRIVATE, std::size_t(d->image->bytes_per_line) * d->height,
                          IPC_CREAT | 0600);
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

qint64 XScreen::click(QPoint at)
{
    XTestFakeMotionEvent(d->display, -1, at.x(), at.y(), 0);
    XTestFakeButtonEvent(d->display, 1, True, 0);
    XSync(d->display, False);
    XTestFakeButtonEvent(d->display, 1, False, 0);
    XSync(d->display, False);
    return monotonicNs();
}

bool XScreen::takeEvents(std::map<std::uint32_t, qint64> &answeredPings)
{
    bool damaged = false;
    while (XPending(d->display) > 0) {
        XEvent event;
        XNextEvent(d->display, &event);
        if (event.type == d->damageEvent + XDamageNotify) {
            damaged = true;
        } else if (event.type == ClientMessage && event.xclient.message_type == d->protocols
                   && static_cast<Atom>(event.xclient.data.l[0]) == d->pingAtom
                   && event.xclient.window == d->root) {
            answeredPings.emplace(static_cast<std::uint32_t>(event.xclient.data.l[1]), monotonicNs());
        }
    }
    if (damaged)
        XDamageSubtract(d->display, d->damage, None, None);
    return damaged;
}

void XScreen::ping(unsigned long window, std::uint32_t serial)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = d->protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(d->pingAtom);
    event.xclient.data.l[1] = static_cast<long>(serial);
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(d->display, window, False, NoEventMask, &event);
    XFlush(d->display);
}

bool XScreen::grab()
{
    return XShmGetImage(d->display, d->root, d->image, 0, 0, AllPlanes) != 0;
}

namespace {

Colour pixelAt(const char *data, int bytesPerLine, int x, int y)
{
    const auto *line = reinterpret_cast<const std::uint32_t *>(data + std::size_t(y) * bytesPerLine);
    const std::uint32_t value = line[x];
    return {int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)};
}

} // namespace

Colour XScreen::pixel(int x, int y) const
{
    return pixelAt(d->image->data, d->image->bytes_per_line, x, y);
}

QByteArray XScreen::copy() const
{
    return QByteArray(d->image->data, qsizetype(d->image->bytes_per_line) * d->height);
}

Colour XScreen::pixelOf(const QByteArray &copy, int x, int y) const
{
    return pixelAt(copy.constData(), d->image->bytes_per_line, x, y);
}

} // namespace jigsaw::bench
