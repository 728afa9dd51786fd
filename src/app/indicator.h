// `lumaro --indicator`: the Hebrew date in the panel, with the day's facts
// and a few commands in its menu, and the reminders sent as desktop
// notifications. A StatusNotifierItem where the desktop has a host, an icon
// in the system tray elsewhere. One per session: a second start says so and
// ends.
#pragma once

// The name the indicator owns on the session bus.
inline constexpr const char* kIndicatorBusName = "org.example.Lumaro.Indicator";

// The whole indicator program: start-up, main loop, shutdown. 0 also when
// another indicator of the session is already running.
int IndicatorMain(int argc, char** argv);
