// One desktop notification through the freedesktop notification service on
// the session bus (org.freedesktop.Notifications), spoken to with GIO's
// D-Bus client directly: lumaro-cli links no toolkit. lumaro-cli and the
// panel indicator both send through it.
#pragma once

#include <string>
#include <string_view>

namespace forms {

enum class NotifyResult {
  kSent,
  kNoService,  // no session bus, or no notification service on it
  kFailed,     // the service refused or did not answer
};

// Sends `summary` with `body` (plain text: characters that the service
// could take for markup are escaped). `message` receives what went wrong.
NotifyResult SendDesktopNotification(std::string_view summary, std::string_view body, std::string* message);

}  // namespace forms
