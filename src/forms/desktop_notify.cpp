#include "forms/desktop_notify.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include <memory>

namespace forms {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// How long the service may take to answer (a service that is started on
// demand needs a moment).
constexpr int kTimeoutMs = 10000;

struct ObjectUnref {
  void operator()(gpointer p) const { g_object_unref(p); }
};
struct ErrorFree {
  void operator()(GError* e) const { g_error_free(e); }
};
struct VariantUnref {
  void operator()(GVariant* v) const { g_variant_unref(v); }
};
struct CharsFree {
  void operator()(gchar* s) const { g_free(s); }
};
using Connection = std::unique_ptr<GDBusConnection, ObjectUnref>;
using Error = std::unique_ptr<GError, ErrorFree>;

// The session bus address: the environment's, else the user's bus socket.
// Never starts a bus of its own (no autolaunch): without a session there is
// nobody to show the notification to.
std::string SessionBusAddress() {
  const char* address = g_getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return address;
  const char* runtime = g_getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return {};
  const std::string socket = std::string(runtime) + "/bus";
  struct stat st {};
  if (::stat(socket.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return {};
  return "unix:path=" + socket;
}

bool IsNoServiceError(const GError* error) {
  if (!g_dbus_error_is_remote_error(error)) return false;
  std::unique_ptr<gchar, CharsFree> name(g_dbus_error_get_remote_error(error));
  const std::string_view n = name ? name.get() : "";
  return n == "org.freedesktop.DBus.Error.ServiceUnknown" || n == "org.freedesktop.DBus.Error.NameHasNoOwner" ||
         n == "org.freedesktop.DBus.Error.Spawn.ServiceNotFound" ||
         n == "org.freedesktop.DBus.Error.Spawn.ChildExited";
}

}  // namespace

NotifyResult SendDesktopNotification(std::string_view summary, std::string_view body, std::string* message) {
  const std::string address = SessionBusAddress();
  if (address.empty()) {
    *message = "no session bus (DBUS_SESSION_BUS_ADDRESS is not set)";
    return NotifyResult::kNoService;
  }
  GError* raw = nullptr;
  Connection bus(g_dbus_connection_new_for_address_sync(
      address.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, &raw));
  Error connectError(raw);
  if (!bus) {
    *message = std::string("cannot reach the session bus: ") + (connectError ? connectError->message : "?");
    return NotifyResult::kNoService;
  }
  // Servers that understand markup in the body would take "<" and "&" in a
  // name for it.
  std::unique_ptr<gchar, CharsFree> escaped(g_markup_escape_text(body.data(), static_cast<gssize>(body.size())));
  const std::string summaryText(summary);
  GVariantBuilder actions;
  g_variant_builder_init(&actions, G_VARIANT_TYPE("as"));
  GVariantBuilder hints;
  g_variant_builder_init(&hints, G_VARIANT_TYPE("a{sv}"));
  g_variant_builder_add(&hints, "{sv}", "desktop-entry", g_variant_new_string("lumaro"));
  // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's)
  GVariant* parameters = g_variant_new("(susssasa{sv}i)", "Lumaro", 0u, "lumaro", summaryText.c_str(), escaped.get(),
                                       &actions, &hints, -1);
  std::unique_ptr<GVariant, VariantUnref> reply(
      g_dbus_connection_call_sync(bus.get(), kService, kPath, kService, "Notify", parameters, G_VARIANT_TYPE("(u)"),
                                  G_DBUS_CALL_FLAGS_NONE, kTimeoutMs, nullptr, &raw));
  Error callError(raw);
  if (!reply) {
    const bool noService = callError && IsNoServiceError(callError.get());
    if (callError) g_dbus_error_strip_remote_error(callError.get());
    *message = std::string(noService ? "no notification service is running: " : "the notification service failed: ") +
               (callError ? callError->message : "?");
    return noService ? NotifyResult::kNoService : NotifyResult::kFailed;
  }
  return NotifyResult::kSent;
}

}  // namespace forms
