// Gives a headless wlroots compositor (sway) a pointer for the end-to-end
// test: a virtual pointer device, held until the compositor ends. With it the
// seat has a pointer, so `swaymsg seat seat0 cursor ...` reaches clients.
#include <cstdio>
#include <string_view>

#include <wayland-client.h>

namespace {

// The wlr virtual pointer protocol, version 1, spelt out (no scanner needed).
const wl_message PointerRequests[] = {
    {"motion", "uff", nullptr}, {"motion_absolute", "uuuuu", nullptr}, {"button", "uuu", nullptr},
    {"axis", "uuf", nullptr}, {"frame", "", nullptr}, {"axis_source", "u", nullptr},
    {"axis_stop", "uu", nullptr}, {"axis_discrete", "uufi", nullptr}, {"destroy", "", nullptr}};
const wl_interface PointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, PointerRequests, 0, nullptr};
const wl_interface* CreateTypes[] = {&wl_seat_interface, &PointerInterface};
const wl_message ManagerRequests[] = {{"create_virtual_pointer", "?on", CreateTypes}, {"destroy", "", nullptr}};
const wl_interface ManagerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2, ManagerRequests, 0, nullptr};

wl_seat* seat = nullptr;
wl_proxy* manager = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::string_view(interface) == "wl_seat" && !seat)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    if (std::string_view(interface) == ManagerInterface.name)
        manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &ManagerInterface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener Listener = {Global, GlobalRemove};

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "e2e_pointer: no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &Listener, nullptr);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        std::fprintf(stderr, "e2e_pointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    wl_proxy_marshal_constructor(manager, 0, &PointerInterface, seat, nullptr);
    wl_display_roundtrip(display);
    while (wl_display_dispatch(display) != -1) {
    }
    return 0;
}
