#include "calendar/rules.h"

#include "base/settings.h"

CalendarRules CurrentCalendarRules() {
  return {diasporaGetFlag() != 0, postponeShushanPurimGetFlag() != 0, yomHaAtsmautLuachGetFlag() != 0};
}
