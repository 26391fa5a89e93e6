/* Input-to-screen latency of a pen stroke: an XTest motion onto the next cell of the canvas, until the
 * X server reports damage that covers the pixel the stroke changed there. The canvas is found on the
 * screen as a white rectangle of the picture's size at the given zoom; each motion goes one cell along
 * a snake path over rows that are still white, so every motion changes exactly one cell.
 *
 * Usage: probe find WIDTH HEIGHT ZOOM        prints the canvas's left and top on the screen
 *        probe PID LEFT TOP ZOOM FIRST_ROW MOTIONS
 * The second form prints one line: median and 99th percentile latency in microseconds, the program's
 * CPU time per motion in microseconds (all its threads), and how many motions brought no damage
 * within a second. The canvas is found once, while it is still all white. */
#define _GNU_SOURCE
#include <dirent.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

static long long now_us(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

/* The run time of every thread of a process, in nanoseconds. */
static long long cpu_ns(int pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", pid);
    DIR* tasks = opendir(path);
    if (!tasks) return 0;
    long long total = 0;
    struct dirent* task;
    while ((task = readdir(tasks))) {
        if (task->d_name[0] == '.') continue;
        char stat[320];
        snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", pid, task->d_name);
        FILE* file = fopen(stat, "r");
        if (!file) continue;
        long long ran = 0;
        if (fscanf(file, "%lld", &ran) == 1) total += ran;
        fclose(file);
    }
    closedir(tasks);
    return total;
}

static int is_white(const uint8_t* pixel) { return pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF; }

/* The top-left of a white rectangle w x h pixels large, bounded by other colours; a frame drawn over
 * the canvas's last row or column (as Velmora's bevels are) may leave it up to two pixels smaller. */
static int find_canvas(xcb_connection_t* c, xcb_screen_t* screen, int w, int h, int* left, int* top) {
    const int sw = screen->width_in_pixels, sh = screen->height_in_pixels;
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0, sw, sh, ~0u), NULL);
    if (!image) return 0;
    const uint8_t* data = xcb_get_image_data(image);
    const int stride = xcb_get_image_data_length(image) / sh;
#define AT(x, y) (data + (y) * stride + (x) * 4)
    int found = 0;
    for (int y = 1; y + h < sh && !found; ++y)
        for (int x = 1; x + w < sw && !found; ++x) {
            if (!is_white(AT(x, y)) || is_white(AT(x - 1, y)) || is_white(AT(x, y - 1))) continue;
            int run = 0;
            while (x + run < sw && is_white(AT(x + run, y))) ++run;
            if (run < w - 2 || run > w) continue;
            int down = 0;
            while (y + down < sh && is_white(AT(x, y + down))) ++down;
            if (down < h - 2 || down > h) continue;
            *left = x;
            *top = y;
            found = 1;
        }
#undef AT
    free(image);
    return found;
}

/* Whether the screen pixel at (x, y) is white: asked after the damage that covers it arrived, so that
 * damage to the area that did not change the pixel yet is not taken for the change. */
static int pixel_is_white(xcb_connection_t* c, xcb_window_t root, int x, int y) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, (int16_t)x, (int16_t)y, 1, 1, ~0u), NULL);
    if (!image) return 1;
    const int white = is_white(xcb_get_image_data(image));
    free(image);
    return white;
}

/* Waits until damage covers (x, y) and the pixel there has changed; answers 0 after a second without
 * it. The time is taken when the damage arrives. */
static int wait_for_damage(xcb_connection_t* c, xcb_window_t root, uint8_t damage_event, int x, int y,
                           long long* arrived) {
    const long long deadline = now_us() + 1000000;
    for (;;) {
        xcb_generic_event_t* event;
        while ((event = xcb_poll_for_event(c))) {
            int covered = 0;
            if ((event->response_type & 0x7F) == damage_event + XCB_DAMAGE_NOTIFY) {
                const xcb_damage_notify_event_t* d = (const xcb_damage_notify_event_t*)event;
                const int ax = d->geometry.x + d->area.x, ay = d->geometry.y + d->area.y;
                covered = x >= ax && x < ax + d->area.width && y >= ay && y < ay + d->area.height;
            }
            free(event);
            if (!covered) continue;
            const long long at = now_us();
            if (!pixel_is_white(c, root, x, y)) {
                *arrived = at;
                return 1;
            }
        }
        const long long left = deadline - now_us();
        if (left <= 0) return 0;
        struct pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, (int)(left / 1000) + 1);
    }
}

static int compare(const void* a, const void* b) {
    const long long x = *(const long long*)a, y = *(const long long*)b;
    return (x > y) - (x < y);
}

static void fake(xcb_connection_t* c, xcb_window_t root, uint8_t type, uint8_t detail, int x, int y) {
    xcb_test_fake_input(c, type, detail, XCB_CURRENT_TIME, root, (int16_t)x, (int16_t)y, 0);
    xcb_flush(c);
}

int main(int argc, char** argv) {
    const int finding = argc == 5 && strcmp(argv[1], "find") == 0;
    if (!finding && argc != 7) {
        fprintf(stderr, "usage: %s find WIDTH HEIGHT ZOOM | %s PID LEFT TOP ZOOM FIRST_ROW MOTIONS\n", argv[0], argv[0]);
        return 2;
    }

    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) return fprintf(stderr, "no X display\n"), 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_query_extension_reply_t* damage_ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage_ext || !damage_ext->present) return fprintf(stderr, "no DAMAGE extension\n"), 1;
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL));

    if (finding) {
        const int w = atoi(argv[2]) * atoi(argv[4]), h = atoi(argv[3]) * atoi(argv[4]);
        int left, top;
        if (!find_canvas(c, screen, w, h, &left, &top))
            return fprintf(stderr, "no white %d x %d canvas on the screen\n", w, h), 1;
        printf("%d %d\n", left, top);
        return 0;
    }
    const int pid = atoi(argv[1]), left = atoi(argv[2]), top = atoi(argv[3]), zoom = atoi(argv[4]);
    const int first_row = atoi(argv[5]), motions = atoi(argv[6]);
    /* The path stays in the picture's first 96 columns and 80 rows. */
    const int width = 96, height = 80;

    xcb_damage_damage_t damage = xcb_generate_id(c);
    xcb_damage_create(c, damage, screen->root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);

    /* The snake path: along a row, one cell down at its end, back along the next row. */
    int cx = 0, row = first_row;
#define CELL_X(x) (left + (x) * zoom + zoom / 2)
#define CELL_Y(y) (top + (y) * zoom + zoom / 2)
    fake(c, screen->root, XCB_MOTION_NOTIFY, 0, CELL_X(cx), CELL_Y(row));
    usleep(50000);
    fake(c, screen->root, XCB_BUTTON_PRESS, 1, CELL_X(cx), CELL_Y(row));
    long long arrived;
    wait_for_damage(c, screen->root, damage_ext->first_event, CELL_X(cx), CELL_Y(row), &arrived);
    usleep(50000);

    long long* latency = calloc((size_t)motions, sizeof *latency);
    int misses = 0, direction = 1;
    const long long cpu_before = cpu_ns(pid);
    for (int i = 0; i < motions; ++i) {
        if (cx + direction < 0 || cx + direction >= width) {
            direction = -direction;
            ++row;
        } else {
            cx += direction;
        }
        if (row >= height) break;
        const long long start = now_us();
        fake(c, screen->root, XCB_MOTION_NOTIFY, 0, CELL_X(cx), CELL_Y(row));
        if (wait_for_damage(c, screen->root, damage_ext->first_event, CELL_X(cx), CELL_Y(row), &arrived))
            latency[i] = arrived - start;
        else
            latency[i] = 1000000, ++misses, fprintf(stderr, "miss at motion %d cell %d,%d\n", i, cx, row);
        /* A person's motions come some milliseconds apart; the program is idle in between. */
        usleep(4000);
    }
    const long long cpu_after = cpu_ns(pid);
    fake(c, screen->root, XCB_BUTTON_RELEASE, 1, CELL_X(cx), CELL_Y(row));

    qsort(latency, (size_t)motions, sizeof *latency, compare);
    printf("median %lld us  p99 %lld us  cpu %lld us/motion  misses %d\n", latency[motions / 2],
           latency[(motions * 99) / 100], (cpu_after - cpu_before) / 1000 / motions, misses);
    xcb_disconnect(c);
    return 0;
}
