#include "ui/wayland_desktop.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstring>

#include <QGuiApplication>
#include <QVariant>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace calpero {
namespace {

// A resource of the toolkit's Wayland connection: "wl_display", "wl_seat", "serial".
void* NativeResource(const char* name) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  return native == nullptr ? nullptr : native->nativeResourceForIntegration(name);
}

// A resource of `window`'s Wayland surface: "surface", "xdg_toplevel".
void* NativeResource(const char* name, QWindow* window) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  return native == nullptr || window->handle() == nullptr
             ? nullptr
             : native->nativeResourceForWindow(name, window);
}

// What the registry and the token answered on the private queue.
struct TActivationReplies {
  std::uint32_t ActivationName = 0;
  std::uint32_t ActivationVersion = 0;
  bool Done = false;
  QString Token;
};

void OnGlobal(void* data, wl_registry* /*registry*/, std::uint32_t name, const char* interface,
              std::uint32_t version) {
  auto* replies = static_cast<TActivationReplies*>(data);
  if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
    replies->ActivationName = name;
    replies->ActivationVersion = version;
  }
}

void OnGlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnTokenDone(void* data, xdg_activation_token_v1* /*token*/, const char* token) {
  auto* replies = static_cast<TActivationReplies*>(data);
  replies->Token = QString::fromUtf8(token);
  replies->Done = true;
}

constexpr xdg_activation_token_v1_listener kTokenListener = {OnTokenDone};

// How many round trips the compositor gets to hand out the token.
constexpr int kTokenRoundTrips = 3;

}  // namespace

bool IsNativeWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void RefuseMaximiseOnWayland(QWindow* window) {
  static const char* const kRefusing = "calperoRefusesMaximise";
  if (!IsNativeWayland() || window->property(kRefusing).toBool()) {
    return;
  }
  window->setProperty(kRefusing, true);
  QObject::connect(window, &QWindow::windowStateChanged, window, [window](Qt::WindowState state) {
    if (state != Qt::WindowMaximized || window->minimumSize() != window->maximumSize()) {
      return;
    }
    // The toolkit has just queued the request to maximise; the toolkit itself would send the
    // opposite request only once the compositor had confirmed the first, so it is sent here,
    // right behind it, and the compositor answers both at once with the window as it was.
    if (auto* toplevel = static_cast<xdg_toplevel*>(NativeResource("xdg_toplevel", window))) {
      xdg_toplevel_unset_maximized(toplevel);
    }
    window->setWindowStates(window->windowStates() & ~Qt::WindowMaximized);
  });
}

QString RequestActivationToken(QWindow* window) {
  if (!IsNativeWayland() || window == nullptr) {
    return {};
  }
  auto* display = static_cast<wl_display*>(NativeResource("wl_display"));
  auto* surface = static_cast<wl_surface*>(NativeResource("surface", window));
  if (display == nullptr || surface == nullptr) {
    return {};
  }
  // The questions go through a queue of their own, so that the toolkit's events are neither
  // dispatched here nor kept waiting.
  wl_event_queue* queue = wl_display_create_queue(display);
  auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
  wl_registry* registry = wl_display_get_registry(wrapped);
  TActivationReplies replies;
  wl_registry_add_listener(registry, &kRegistryListener, &replies);
  wl_display_roundtrip_queue(display, queue);
  if (replies.ActivationName != 0) {
    auto* activation = static_cast<xdg_activation_v1*>(
        wl_registry_bind(registry, replies.ActivationName, &xdg_activation_v1_interface, 1));
    xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(token, &kTokenListener, &replies);
    // The serial of the user's latest input, which the compositor checks: the click or the key
    // that asked for help.
    auto* seat = static_cast<wl_seat*>(NativeResource("wl_seat"));
    const auto serial =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(NativeResource("serial")));
    if (seat != nullptr) {
      xdg_activation_token_v1_set_serial(token, serial, seat);
    }
    xdg_activation_token_v1_set_surface(token, surface);
    const QByteArray appId = QGuiApplication::desktopFileName().toUtf8();
    if (!appId.isEmpty()) {
      xdg_activation_token_v1_set_app_id(token, appId.constData());
    }
    xdg_activation_token_v1_commit(token);
    for (int trip = 0; trip < kTokenRoundTrips && !replies.Done; ++trip) {
      if (wl_display_roundtrip_queue(display, queue) < 0) {
        break;
      }
    }
    xdg_activation_token_v1_destroy(token);
    xdg_activation_v1_destroy(activation);
  }
  wl_registry_destroy(registry);
  wl_proxy_wrapper_destroy(wrapped);
  wl_event_queue_destroy(queue);
  return replies.Token;
}

}  // namespace calpero
