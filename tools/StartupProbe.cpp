// Times the start-up of a windowed program under X (`make startup`): from just before it is started to the
// first painted frame of its window, and then its memory once it has settled. Meant for a bare X server (Xvfb
// with -br, no window manager), where the program's window is a child of the root window and, as long as
// nothing is drawn into it, shows the root's uniform black through it.
//
// The first painted frame is the first moment the window's pixels, read back from the server, are not all of
// one colour. The probe reads them whenever the X DAMAGE extension reports drawing into the window (and at
// least every 20 ms), or every millisecond where the extension is missing.
//
// Usage: StartupProbe [--folder DIR] [--settle MS] [--timeout MS] [--frame FILE.ppm] PROGRAM [ARGUMENT...]
// --frame writes the frame that ended the wait as a picture, to check that it is the program's real drawing.
// Prints one line of key=value pairs on success: map_ms, first_frame_ms, cpu_ms (the program's processor
// time at its first frame), vmrss_kb, vmhwm_kb, rss_anon_kb, rss_file_kb (after the settle delay).
// Exit codes: 0 measured, 1 the measurement failed (a message on stderr), 2 bad usage.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

struct Options
{
    std::string folder;
    std::string frameFile;
    int settleMs = 2000;
    int timeoutMs = 30000;
    std::vector<char*> command; // null-terminated, for execv
};

// The child's pid for the signal handler, which must not leave the program running when the probe is stopped.
volatile sig_atomic_t childPid = 0;
int lastXError = 0;

int recordXError (Display*, XErrorEvent* event)
{
    // Reads of a window that has just gone fail with BadWindow or BadMatch; the caller looks at lastXError.
    lastXError = event->error_code;
    return 0;
}

void stopChildAndExit (int)
{
    if (childPid > 0)
        kill (childPid, SIGKILL);

    _exit (1);
}

double millisecondsSince (Clock::time_point start, Clock::time_point end = Clock::now())
{
    return std::chrono::duration<double, std::milli> (end - start).count();
}

void printUsage()
{
    std::cerr << "Usage: StartupProbe [--folder DIR] [--settle MS] [--timeout MS] [--frame FILE.ppm] PROGRAM "
                 "[ARGUMENT...]\n";
}

std::optional<Options> parseOptions (int argc, char** argv)
{
    Options options;
    int i = 1;

    for (; i < argc && argv[i][0] == '-'; ++i)
    {
        const std::string name = argv[i];

        if (name == "--")
        {
            ++i;
            break;
        }

        if (i + 1 >= argc)
            return std::nullopt;

        const std::string value = argv[++i];

        if (name == "--folder")
        {
            options.folder = value;
        }
        else if (name == "--frame")
        {
            options.frameFile = value;
        }
        else if (name == "--settle" || name == "--timeout")
        {
            char* end = nullptr;
            const auto number = std::strtol (value.c_str(), &end, 10);

            if (*end != '\0' || number < 0 || number > 600000)
                return std::nullopt;

            (name == "--settle" ? options.settleMs : options.timeoutMs) = static_cast<int> (number);
        }
        else
        {
            return std::nullopt;
        }
    }

    if (i >= argc)
        return std::nullopt;

    for (; i < argc; ++i)
        options.command.push_back (argv[i]);

    options.command.push_back (nullptr);
    return options;
}

// Ends the child (politely first) and reaps it, so that no zombie and no window is left behind.
void endChild (pid_t pid)
{
    if (pid <= 0)
        return;

    kill (pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds (3);

    while (Clock::now() < deadline)
    {
        if (waitpid (pid, nullptr, WNOHANG) == pid)
            return;

        std::this_thread::sleep_for (std::chrono::milliseconds (10));
    }

    kill (pid, SIGKILL);
    waitpid (pid, nullptr, 0);
}

[[noreturn]] void fail (const std::string& message, pid_t pid = 0)
{
    std::cerr << "StartupProbe: " << message << "\n";
    endChild (pid);
    childPid = 0;
    std::exit (1);
}

std::string describeExit (int status)
{
    if (WIFEXITED (status))
        return "with exit code " + std::to_string (WEXITSTATUS (status));

    if (WIFSIGNALED (status))
        return std::string ("on signal ") + strsignal (WTERMSIG (status));

    return "abnormally";
}

void failIfChildEnded (pid_t pid, const std::string& when)
{
    int status = 0;

    if (waitpid (pid, &status, WNOHANG) == pid)
    {
        childPid = 0;
        fail ("the program ended " + describeExit (status) + " " + when);
    }
}

// Whether every pixel of the image has the colour of its first one (padding bits and alpha left out).
bool isUniform (XImage& image)
{
    const unsigned long colourBits = image.red_mask | image.green_mask | image.blue_mask;

    if (image.bits_per_pixel == 32 && colourBits != 0)
    {
        const auto mask = static_cast<std::uint32_t> (colourBits);
        std::uint32_t first = 0;
        std::memcpy (&first, image.data, sizeof first);
        first &= mask;

        for (int y = 0; y < image.height; ++y)
        {
            const auto* row = image.data + static_cast<std::ptrdiff_t> (y) * image.bytes_per_line;

            for (int x = 0; x < image.width; ++x)
            {
                std::uint32_t pixel = 0;
                std::memcpy (&pixel, row + 4 * x, sizeof pixel);

                if ((pixel & mask) != first)
                    return false;
            }
        }

        return true;
    }

    const auto first = XGetPixel (&image, 0, 0);

    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (XGetPixel (&image, x, y) != first)
                return false;

    return true;
}

// The colour channel of a pixel under the mask, scaled to eight bits.
unsigned channel (unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;

    int shift = 0;

    while (((mask >> shift) & 1) == 0)
        ++shift;

    const auto maximum = mask >> shift;
    return static_cast<unsigned> (((pixel & mask) >> shift) * 255 / maximum);
}

bool writePicture (XImage& image, const std::string& path)
{
    std::ofstream file (path, std::ios::binary);
    file << "P6\n" << image.width << " " << image.height << "\n255\n";

    for (int y = 0; y < image.height; ++y)
    {
        for (int x = 0; x < image.width; ++x)
        {
            const auto pixel = XGetPixel (&image, x, y);
            file.put (static_cast<char> (channel (pixel, image.red_mask)));
            file.put (static_cast<char> (channel (pixel, image.green_mask)));
            file.put (static_cast<char> (channel (pixel, image.blue_mask)));
        }
    }

    return static_cast<bool> (file);
}

// Whether the drawable can be read and shows more than one colour; nullopt when it cannot be read (yet). A
// drawing of more than one colour is written to pictureFile when one is given.
std::optional<bool> showsMoreThanOneColour (Display* display, Drawable drawable, int width, int height,
                                            const std::string& pictureFile = {})
{
    lastXError = 0;
    auto* image = XGetImage (display, drawable, 0, 0, static_cast<unsigned> (width),
                             static_cast<unsigned> (height), AllPlanes, ZPixmap);
    XSync (display, False);

    if (image == nullptr || lastXError != 0)
    {
        if (image != nullptr)
            XDestroyImage (image);

        return std::nullopt;
    }

    const bool uniform = isUniform (*image);

    if (!uniform && !pictureFile.empty() && !writePicture (*image, pictureFile))
        std::cerr << "StartupProbe: cannot write " << pictureFile << "\n";

    XDestroyImage (image);
    return !uniform;
}

// The _NET_WM_PID of the window, or 0 when it has none.
unsigned long windowPid (Display* display, Window window)
{
    const auto pidAtom = XInternAtom (display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    unsigned long pid = 0;

    lastXError = 0;

    if (XGetWindowProperty (display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                            &remaining, &data) == Success &&
        lastXError == 0 && data != nullptr)
    {
        if (type == XA_CARDINAL && format == 32 && count == 1)
            pid = *reinterpret_cast<unsigned long*> (data);
    }

    if (data != nullptr)
        XFree (data);

    return pid;
}

// Waits up to timeoutMs for the X connection to have something to read; false on timeout.
bool waitForX (Display* display, int timeoutMs)
{
    if (XPending (display) > 0)
        return true;

    pollfd descriptor{ ConnectionNumber (display), POLLIN, 0 };
    return poll (&descriptor, 1, timeoutMs) > 0;
}

std::map<std::string, long> readStatus (pid_t pid)
{
    std::map<std::string, long> values;
    std::ifstream status ("/proc/" + std::to_string (pid) + "/status");
    std::string line;

    while (std::getline (status, line))
    {
        const auto colon = line.find (':');

        if (colon == std::string::npos)
            continue;

        std::istringstream value (line.substr (colon + 1));
        long number = 0;

        if (value >> number)
            values[line.substr (0, colon)] = number;
    }

    return values;
}

// The processor time (user and system, every thread) the process has used, in milliseconds; -1 if unknown.
double cpuMilliseconds (pid_t pid)
{
    std::ifstream statFile ("/proc/" + std::to_string (pid) + "/stat");
    std::string stat;
    std::getline (statFile, stat);

    // The command name in parentheses may hold spaces; the fields are counted from its closing parenthesis.
    const auto close = stat.rfind (')');

    if (close == std::string::npos)
        return -1.0;

    std::istringstream fields (stat.substr (close + 2));
    std::string field;
    unsigned long long user = 0, system = 0;

    for (int index = 3; index <= 15 && fields >> field; ++index)
    {
        if (index == 14)
            user = std::stoull (field);
        else if (index == 15)
            system = std::stoull (field);
    }

    return 1000.0 * static_cast<double> (user + system) / static_cast<double> (sysconf (_SC_CLK_TCK));
}

struct ExecFailure
{
    int step; // 0: changing folder, 1: exec
    int error;
};

pid_t startProgram (const Options& options, int connection)
{
    int pipeEnds[2];

    if (pipe2 (pipeEnds, O_CLOEXEC) != 0)
        fail (std::string ("cannot make a pipe: ") + std::strerror (errno));

    // The X connection must not leak into the program.
    fcntl (connection, F_SETFD, fcntl (connection, F_GETFD) | FD_CLOEXEC);

    const auto pid = fork();

    if (pid < 0)
        fail (std::string ("cannot fork: ") + std::strerror (errno));

    if (pid == 0)
    {
        close (pipeEnds[0]);
        ExecFailure failure{ 0, 0 };

        if (options.folder.empty() || chdir (options.folder.c_str()) == 0)
        {
            execv (options.command[0], options.command.data());
            failure.step = 1;
        }

        failure.error = errno;
        [[maybe_unused]] const auto written = write (pipeEnds[1], &failure, sizeof failure);
        _exit (127);
    }

    childPid = pid;
    close (pipeEnds[1]);

    // The pipe closes on a successful exec; otherwise the child tells what went wrong.
    ExecFailure failure{};
    ssize_t got = 0;

    do
        got = read (pipeEnds[0], &failure, sizeof failure);
    while (got < 0 && errno == EINTR);

    close (pipeEnds[0]);

    if (got == static_cast<ssize_t> (sizeof failure))
    {
        waitpid (pid, nullptr, 0);
        childPid = 0;
        fail ((failure.step == 0 ? "cannot enter the folder " + options.folder
                                 : std::string ("cannot start ") + options.command[0]) +
              ": " + std::strerror (failure.error));
    }

    return pid;
}
} // namespace

int main (int argc, char** argv)
{
    const auto parsed = parseOptions (argc, argv);

    if (!parsed)
    {
        printUsage();
        return 2;
    }

    const auto& options = *parsed;

    std::signal (SIGINT, stopChildAndExit);
    std::signal (SIGTERM, stopChildAndExit);
    std::signal (SIGHUP, stopChildAndExit);

    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
    {
        const auto* name = std::getenv ("DISPLAY");
        fail (std::string ("cannot open the X display ") + (name != nullptr ? name : "(DISPLAY is not set)"));
    }

    XSetErrorHandler (recordXError);
    const auto root = DefaultRootWindow (display);

    // A window drawn into by nobody shows the root through it: the root must be of one colour.
    XWindowAttributes rootAttributes{};
    XGetWindowAttributes (display, root, &rootAttributes);

    if (showsMoreThanOneColour (display, root, rootAttributes.width, rootAttributes.height).value_or (true))
        fail ("the root window is not of one colour: run the X server with a plain background (Xvfb -br), "
              "without a window manager and without other windows");

    int damageEventBase = 0, damageErrorBase = 0;
    const bool hasDamage = XDamageQueryExtension (display, &damageEventBase, &damageErrorBase) != 0;

    XSelectInput (display, root, SubstructureNotifyMask);
    XSync (display, False);

    const auto start = Clock::now();
    const auto pid = startProgram (options, ConnectionNumber (display));
    const auto deadline = start + std::chrono::milliseconds (options.timeoutMs);

    // The program's top-level window: the first window mapped on the root that carries the program's pid (or
    // no pid at all), not a pop-up.
    Window window = None;
    Clock::time_point mapped;

    while (window == None)
    {
        failIfChildEnded (pid, "before showing a window");

        if (Clock::now() > deadline)
            fail ("no window was shown within " + std::to_string (options.timeoutMs) + " ms", pid);

        if (!waitForX (display, 10))
            continue;

        while (XPending (display) > 0 && window == None)
        {
            XEvent event;
            XNextEvent (display, &event);

            if (event.type != MapNotify || event.xmap.event != root || event.xmap.override_redirect)
                continue;

            const auto ownerPid = windowPid (display, event.xmap.window);

            if (ownerPid == 0 || ownerPid == static_cast<unsigned long> (pid))
            {
                window = event.xmap.window;
                mapped = Clock::now();
            }
        }
    }

    XWindowAttributes attributes{};
    lastXError = 0;

    if (XGetWindowAttributes (display, window, &attributes) == 0 || lastXError != 0)
        fail ("the program's window went away as soon as it was shown", pid);

    Damage damage = hasDamage ? XDamageCreate (display, window, XDamageReportNonEmpty) : None;
    XSync (display, False);

    // Before each read the damage is cleared, so that drawing after the read is reported again.
    bool painted = false;
    Clock::time_point firstFrame;
    auto wokenAt = Clock::now();

    while (!painted)
    {
        failIfChildEnded (pid, "before painting its window");

        if (Clock::now() > deadline)
            fail ("the window was not painted within " + std::to_string (options.timeoutMs) + " ms", pid);

        if (damage != None)
            XDamageSubtract (display, damage, None, None);

        const auto result =
            showsMoreThanOneColour (display, window, attributes.width, attributes.height, options.frameFile);

        if (result.value_or (false))
        {
            // With DAMAGE the frame was complete when its report arrived; a poll only knows it after the
            // read.
            firstFrame = damage != None ? wokenAt : Clock::now();
            painted = true;
            break;
        }

        waitForX (display, damage != None ? 20 : 1);
        wokenAt = Clock::now();

        // The toolkit may map its window before giving it its final size: the read follows every resize.
        while (XPending (display) > 0)
        {
            XEvent event;
            XNextEvent (display, &event);

            if (event.type == ConfigureNotify && event.xconfigure.window == window)
            {
                attributes.width = event.xconfigure.width;
                attributes.height = event.xconfigure.height;
            }
        }
    }

    const auto cpuAtFirstFrame = cpuMilliseconds (pid);

    // Settling: the program keeps running its loop; the probe only drains its own events meanwhile.
    const auto settled = firstFrame + std::chrono::milliseconds (options.settleMs);

    while (Clock::now() < settled)
    {
        failIfChildEnded (pid, "while settling after its first frame");
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds> (settled - Clock::now()).count();
        waitForX (display, static_cast<int> (std::max<long long> (1, std::min<long long> (left, 50))));

        while (XPending (display) > 0)
        {
            XEvent event;
            XNextEvent (display, &event);
        }
    }

    failIfChildEnded (pid, "while settling after its first frame");
    const auto status = readStatus (pid);

    if (status.count ("VmRSS") == 0 || status.count ("VmHWM") == 0)
        fail ("cannot read the program's memory from /proc/" + std::to_string (pid) + "/status", pid);

    const auto valueOf = [&status] (const char* key)
    {
        const auto found = status.find (key);
        return found != status.end() ? found->second : -1L;
    };

    if (damage != None)
        XDamageDestroy (display, damage);

    XSync (display, False);
    endChild (pid);
    childPid = 0;
    XCloseDisplay (display);

    std::printf ("map_ms=%.1f first_frame_ms=%.1f cpu_ms=%.0f vmrss_kb=%ld vmhwm_kb=%ld rss_anon_kb=%ld "
                 "rss_file_kb=%ld\n",
                 millisecondsSince (start, mapped), millisecondsSince (start, firstFrame), cpuAtFirstFrame,
                 valueOf ("VmRSS"), valueOf ("VmHWM"), valueOf ("RssAnon"), valueOf ("RssFile"));
    return 0;
}
