// map-watch COUNT NAMES CMD [ARGS...]
// Starts CMD and prints the milliseconds from its exec until the first and
// until COUNT of its top-level windows (by _NET_WM_PID) whose WM_NAME is one of
// the comma-separated NAMES are viewable: "FIRST ALL". Then stops CMD (TERM,
// KILL after 5 s) and waits for it. Exit status 1 when COUNT windows were not
// viewable within 15 s, 2 on wrong use or without a display.
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return atom;
}

// The property's bytes, or nothing when it is not set (yet).
bool property(xcb_connection_t *c, xcb_window_t w, xcb_atom_t atom, std::string &value)
{
    auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
    const bool set = r && r->type != XCB_ATOM_NONE;
    if (set)
        value.assign(static_cast<const char *>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    return set;
}

bool viewable(xcb_connection_t *c, xcb_window_t w)
{
    auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool v = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(r);
    return v;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (const double until = nowMs() + 5000; nowMs() < until; usleep(10000))
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 4 || std::atoi(argv[1]) < 1)
        return 2;
    const int count = std::atoi(argv[1]);
    std::set<std::string> names;
    for (std::string list = argv[2]; !list.empty();) {
        const auto comma = list.find(',');
        names.insert(list.substr(0, comma));
        list = comma == std::string::npos ? "" : list.substr(comma + 1);
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pidAtom = internAtom(c, "_NET_WM_PID");
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(c);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    // A new top-level is first created on the root; the window manager then maps
    // it inside its frame, which the root does not report, so each one is also
    // watched itself. Every creation and map re-checks the windows not counted
    // yet: the check's round trip follows the request to watch a new window, so
    // a map that came before it is seen in its state and none is missed.
    // A map is timed when its event is read, before any round trip: those can
    // wait behind the window manager's server grab.
    std::map<xcb_window_t, bool> others;  // by _NET_WM_PID: true when not ours
    std::map<xcb_window_t, double> mappedAt;
    std::set<xcb_window_t> counted;
    double first = -1, all = -1;
    const uint32_t childMask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (nowMs() - start < 15000 && int(counted.size()) < count) {
        bool check = false;
        while (xcb_generic_event_t *e = xcb_poll_for_event(c)) {
            const uint8_t type = e->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const xcb_window_t w = reinterpret_cast<xcb_create_notify_event_t *>(e)->window;
                others.emplace(w, false);
                xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &childMask);
                check = true;
            } else if (type == XCB_MAP_NOTIFY) {
                mappedAt.emplace(reinterpret_cast<xcb_map_notify_event_t *>(e)->window, nowMs() - start);
                check = true;
            }
            std::free(e);
        }
        if (xcb_connection_has_error(c))
            break;
        for (auto &[w, other] : others) {
            if (!check)
                break;
            if (other || counted.count(w) || !viewable(c, w))
                continue;
            std::string value, name;
            if (!property(c, w, pidAtom, value))
                continue;  // a frame
            other = value.size() != 4 || *reinterpret_cast<const uint32_t *>(value.data()) != uint32_t(pid);
            if (!other && property(c, w, XCB_ATOM_WM_NAME, name) && names.count(name)) {
                counted.insert(w);
                const auto at = mappedAt.find(w);
                const double t = at != mappedAt.end() ? at->second : nowMs() - start;
                first = first < 0 ? t : std::min(first, t);
                all = std::max(all, t);
            }
        }
        if (int(counted.size()) < count) {
            xcb_flush(c);
            poll(&pfd, 1, 50);
        }
    }
    stop(pid);
    if (int(counted.size()) < count) {
        std::fprintf(stderr, "map-watch: %zu of %d windows viewable within 15 s\n", counted.size(), count);
        return 1;
    }
    std::printf("%.1f %.1f\n", first, all);
    return 0;
}
