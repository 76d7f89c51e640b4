// Input devices for a headless wlroots compositor (sway) in the end-to-end
// test: a virtual pointer, so that `swaymsg seat seat0 cursor ...` reaches
// clients, and a virtual keyboard with the default layout that presses the
// keys named on standard input (evdev key codes, one a line). Both stay
// until standard input closes or the compositor ends.
#include <cstdio>
#include <cstring>
#include <string_view>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

// The two protocols' requests, spelt out (no scanner needed).
const wl_message PointerRequests[] = {
    {"motion", "uff", nullptr}, {"motion_absolute", "uuuuu", nullptr}, {"button", "uuu", nullptr},
    {"axis", "uuf", nullptr}, {"frame", "", nullptr}, {"axis_source", "u", nullptr},
    {"axis_stop", "uu", nullptr}, {"axis_discrete", "uufi", nullptr}, {"destroy", "", nullptr}};
const wl_interface PointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, PointerRequests, 0, nullptr};
const wl_interface* NewPointerTypes[] = {&wl_seat_interface, &PointerInterface};
const wl_message PointerManagerRequests[] = {{"create_virtual_pointer", "?on", NewPointerTypes}, {"destroy", "", nullptr}};
const wl_interface PointerManagerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2, PointerManagerRequests, 0, nullptr};
const wl_message KeyboardRequests[] = {
    {"keymap", "uhu", nullptr}, {"key", "uuu", nullptr}, {"modifiers", "uuuu", nullptr}, {"destroy", "", nullptr}};
const wl_interface KeyboardInterface = {"zwp_virtual_keyboard_v1", 1, 4, KeyboardRequests, 0, nullptr};
const wl_interface* NewKeyboardTypes[] = {&wl_seat_interface, &KeyboardInterface};
const wl_message KeyboardManagerRequests[] = {{"create_virtual_keyboard", "on", NewKeyboardTypes}};
const wl_interface KeyboardManagerInterface = {"zwp_virtual_keyboard_manager_v1", 1, 1, KeyboardManagerRequests, 0, nullptr};

wl_seat* seat = nullptr;
wl_proxy* pointers = nullptr;
wl_proxy* keyboards = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    const std::string_view is(interface);
    if (is == "wl_seat" && !seat)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    if (is == PointerManagerInterface.name)
        pointers = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &PointerManagerInterface, 1));
    if (is == KeyboardManagerInterface.name)
        keyboards = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &KeyboardManagerInterface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener Listener = {Global, GlobalRemove};

// The default layout's keymap in a memory file, as the protocol passes it.
bool SendKeymap(wl_proxy* keyboard)
{
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* keymap = context ? xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
    char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const size_t size = text ? std::strlen(text) + 1 : 0;
    const bool written = text && fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
    if (written)
        wl_proxy_marshal(keyboard, 0, XKB_KEYMAP_FORMAT_TEXT_V1, fd, static_cast<uint32_t>(size));
    free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return written;
}

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "e2e_input: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &Listener, nullptr);
    wl_display_roundtrip(display);
    if (!seat || !pointers || !keyboards) {
        std::fprintf(stderr, "e2e_input: the compositor offers no virtual pointer or keyboard\n");
        return 1;
    }
    wl_proxy_marshal_constructor(pointers, 0, &PointerInterface, seat, nullptr);
    wl_proxy* keyboard = wl_proxy_marshal_constructor(keyboards, 0, &KeyboardInterface, seat, nullptr);
    if (!SendKeymap(keyboard))
        return 1;
    wl_display_roundtrip(display);
    pollfd watched[2] = {{0, POLLIN, 0}, {wl_display_get_fd(display), POLLIN, 0}};
    FILE* commands = fdopen(0, "r");
    for (uint32_t time = 1;; time += 100) {
        wl_display_flush(display);
        if (poll(watched, 2, -1) < 0 || (watched[1].revents && wl_display_dispatch(display) == -1))
            return 0;
        unsigned key = 0;
        if (watched[0].revents && std::fscanf(commands, "%u", &key) != 1)
            return 0;
        if (key) {
            wl_proxy_marshal(keyboard, 1, time, key, 1u);
            wl_proxy_marshal(keyboard, 1, time + 50, key, 0u);
        }
    }
}
