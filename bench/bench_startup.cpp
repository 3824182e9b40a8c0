// Start-up time of the program: from starting the process until its frame is mapped on the
// display with the first Workspace in it (the caption names the untitled Workspace). Runs the
// real program several times on the current X display and prints each time and the median.
//
//     xvfb-run -a bench/bench_startup [RUNS] [SETTINGS]
//
// With SETTINGS each run starts with a copy of that settings file (see bench_settings).

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
const std::string kReadyCaption = "Leafstack - [untitled.txt]";

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

std::string windowName(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                       xcb_atom_t type)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 256), nullptr);
    std::string name;
    if (reply) {
        name.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                    xcb_get_property_value_length(reply));
        std::free(reply);
    }
    return name;
}

// Whether a mapped top-level window carries the caption of a started frame.
bool frameIsUp(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t netName, xcb_atom_t utf8)
{
    xcb_query_tree_reply_t *tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    if (!tree)
        return false;
    bool found = false;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        if (windowName(connection, children[i], netName, utf8) != kReadyCaption)
            continue;
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, children[i]), nullptr);
        found = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
    }
    std::free(tree);
    return found;
}

// One start: milliseconds until the frame is up, or a negative value when it never came.
double measureOnce(const char *program, xcb_connection_t *connection, xcb_window_t root)
{
    const xcb_atom_t netName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    char *arguments[] = {const_cast<char *>(program), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, arguments, environ) != 0)
        return -1;
    double elapsed = -1;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (frameIsUp(connection, root, netName, utf8)) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "bench_startup: needs an X display (try xvfb-run -a)\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // The program keeps its settings away from the user's own while it is measured.
    char settings[] = "/tmp/leafstack-bench-XXXXXX";
    if (mkdtemp(settings)) {
        setenv("XDG_CONFIG_HOME", settings, 1);
        // And its recovery journals: an earlier run's must not stop a start with a question.
        setenv("XDG_STATE_HOME", settings, 1);
    }
    const std::filesystem::path stored = std::filesystem::path(settings) / "Orvanel/Leafstack.reg";

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (argc > 2) {
            std::error_code failed;
            std::filesystem::create_directories(stored.parent_path(), failed);
            std::filesystem::copy_file(argv[2], stored,
                                       std::filesystem::copy_options::overwrite_existing, failed);
            if (failed) {
                std::fprintf(stderr, "bench_startup: cannot copy %s\n", argv[2]);
                return 1;
            }
        }
        const double ms = measureOnce(LEAFSTACK_BINARY, connection, root);
        if (ms < 0) {
            std::fprintf(stderr, "bench_startup: the frame did not appear\n");
            return 1;
        }
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up until the frame with its first Workspace is mapped: median %.1f ms, "
                "best %.1f ms, worst %.1f ms (%d runs)\n",
                times[times.size() / 2], times.front(), times.back(), runs);
    xcb_disconnect(connection);
    std::error_code ignored;
    std::filesystem::remove_all(settings, ignored);
    return 0;
}
