// Input devices for a headless sway, held until standard input closes or sway ends: a virtual
// pointer (so that `swaymsg seat seat0 cursor ...` reaches clients) and a virtual keyboard with
// the default layout (XKB_DEFAULT_LAYOUT) that presses the keys read from standard input (evdev codes).
#include <cstdio>
#include <cstring>
#include <string_view>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

// The requests this program sends, spelt out (no protocol scanner needed).
const wl_interface Pointer = {"zwlr_virtual_pointer_v1", 1, 0, nullptr, 0, nullptr};
const wl_interface* NewPointer[] = {&wl_seat_interface, &Pointer};
const wl_message CreatePointer[] = {{"create_virtual_pointer", "?on", NewPointer}};
const wl_interface Pointers = {"zwlr_virtual_pointer_manager_v1", 1, 1, CreatePointer, 0, nullptr};
const wl_message KeyboardRequests[] = {{"keymap", "uhu", nullptr}, {"key", "uuu", nullptr}};
const wl_interface Keyboard = {"zwp_virtual_keyboard_v1", 1, 2, KeyboardRequests, 0, nullptr};
const wl_interface* NewKeyboard[] = {&wl_seat_interface, &Keyboard};
const wl_message CreateKeyboard[] = {{"create_virtual_keyboard", "on", NewKeyboard}};
const wl_interface Keyboards = {"zwp_virtual_keyboard_manager_v1", 1, 1, CreateKeyboard, 0, nullptr};

void* seat = nullptr;
wl_proxy* pointers = nullptr;
wl_proxy* keyboards = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    for (auto [wanted, bound] : {std::pair{&wl_seat_interface, &seat}, {&Pointers, (void**)&pointers},
                                 {&Keyboards, (void**)&keyboards}})
        if (std::string_view(interface) == wanted->name && !*bound)
            *bound = wl_registry_bind(registry, name, wanted, 1);
}
const wl_registry_listener Listener = {Global, [](void*, wl_registry*, uint32_t) {}};

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display)
        wl_registry_add_listener(wl_display_get_registry(display), &Listener, nullptr), wl_display_roundtrip(display);
    if (!seat || !pointers || !keyboards) {
        std::fprintf(stderr, "e2e_input: no Wayland display with a virtual pointer and keyboard\n");
        return 1;
    }
    wl_proxy_marshal_constructor(pointers, 0, &Pointer, seat, nullptr);
    wl_proxy* keyboard = wl_proxy_marshal_constructor(keyboards, 0, &Keyboard, seat, nullptr);
    // The default layout's keymap, passed in a memory file.
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    char* keymap = xkb_keymap_get_as_string(xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS),
                                            XKB_KEYMAP_FORMAT_TEXT_V1);
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const size_t size = std::strlen(keymap) + 1;
    if (write(fd, keymap, size) != static_cast<ssize_t>(size))
        return 1;
    wl_proxy_marshal(keyboard, 0, XKB_KEYMAP_FORMAT_TEXT_V1, fd, static_cast<uint32_t>(size));
    pollfd watched[2] = {{0, POLLIN, 0}, {wl_display_get_fd(display), POLLIN, 0}};
    for (uint32_t time = 1, key = 0;; time += 100) {
        wl_display_flush(display);
        if (poll(watched, 2, -1) < 0 || (watched[1].revents && wl_display_dispatch(display) == -1))
            return 0;
        if (watched[0].revents && std::scanf("%u", &key) != 1)
            return 0;
        if (watched[0].revents)
            wl_proxy_marshal(keyboard, 1, time, key, 1u), wl_proxy_marshal(keyboard, 1, time + 50, key, 0u);
    }
}
