/* A seat with a keyboard and a pointer for weston's headless backend, which
 * has none: without one the desktop shell activates no window, no client
 * ever has the keyboard focus, and there is no clipboard, unlike on any
 * desktop. No device is behind it: clients' own events are all that happen.
 * scripts/with-weston builds it and loads it with --modules. The functions
 * are libweston 10's exported ones; its installed headers do not declare them.
 */
#include <libweston/libweston.h>

void weston_seat_init(struct weston_seat *seat, struct weston_compositor *compositor, const char *name);
void weston_seat_init_pointer(struct weston_seat *seat);
int weston_seat_init_keyboard(struct weston_seat *seat, struct xkb_keymap *keymap);

WL_EXPORT int wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[])
{
    static struct weston_seat seat;
    (void)argc;
    (void)argv;
    weston_seat_init(&seat, compositor, "default");
    weston_seat_init_pointer(&seat);
    return weston_seat_init_keyboard(&seat, NULL); /* the compositor's keymap */
}
