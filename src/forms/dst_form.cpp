#include "forms/dst_form.h"

#include <array>
#include <charconv>

#include "calendar/names.h"
#include "base/translate.h"
#include "suntimes/dst.h"

namespace {

// Week numbers 1..5 as the lists show them (before translation).
constexpr std::array<std::string_view, 5> kWeekNoTexts = {"1st", "2nd", "3rd", "4th", "Last"};
constexpr int kDaysInList = 31;

// The index in `list` (the empty entry being 0) of `text`, or -1.
int IndexIn(const std::vector<std::string>& list, std::string_view text) {
  if (text.empty()) return -1;
  for (size_t i = 1; i < list.size(); ++i)
    if (list[i] == text) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::vector<std::string> GetWeekNoList() {
  std::vector<std::string> list(1);
  for (std::string_view t : kWeekNoTexts) list.push_back(translate_perform(t));
  return list;
}

std::vector<std::string> GetWeekNoIsraelList() {
  return {"", GetWeekNoString(1), GetWeekNoString(kDstLastWeek)};
}

std::vector<std::string> GetWeekdayList() {
  std::vector<std::string> list(1);
  for (int d = 0; d < 7; ++d) list.push_back(GetWeekdayName(d));
  return list;
}

std::vector<std::string> GetMonthList() {
  std::vector<std::string> list(1);
  for (int m = 1; m <= 12; ++m) list.push_back(GetGregorianMonthName(m));
  return list;
}

std::vector<std::string> GetDayList() {
  std::vector<std::string> list(1);
  for (int d = 1; d <= kDaysInList; ++d) list.push_back(std::to_string(d));
  return list;
}

int GetWeekNoFromString(std::string_view text) { return IndexIn(GetWeekNoList(), text); }
int GetMonthFromString(std::string_view text) { return IndexIn(GetMonthList(), text); }

int GetWeekdayFromString(std::string_view text) {
  const int index = IndexIn(GetWeekdayList(), text);
  return index < 0 ? -1 : index - 1;
}

int GetDayFromString(std::string_view text) {
  int day = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), day);
  if (ec != std::errc() || end != text.data() + text.size() || day < 1 || day > kDaysInList) return -1;
  return day;
}

std::string GetWeekNoString(int weekNo) {
  if (weekNo < 1 || weekNo > static_cast<int>(kWeekNoTexts.size())) return "";
  return translate_perform(kWeekNoTexts[weekNo - 1]);
}

std::string DstBeforeAfterLabel(std::string_view israelWeekNoText) {
  if (israelWeekNoText.empty()) return "";
  return translate_perform(israelWeekNoText == GetWeekNoString(1) ? "after" : "before");
}

DstForm DstFormFromRule(bool isDst, const DstSetting& rule) {
  DstForm form;
  form.consider = isDst;
  form.startMethod = rule.startMethod == kDstIsrael ? kDstIsrael : kDstCommon;
  DstFormLine& start = form.startMethod == kDstIsrael ? form.startIsrael : form.startCommon;
  start.weekNo = GetWeekNoString(rule.startWeekNo);
  start.weekday = GetWeekdayName(rule.startWeekday);
  start.month = GetGregorianMonthName(rule.startMonth);
  if (form.startMethod == kDstIsrael) {
    // The Israel list offers only "1st" and "Last".
    if (rule.startWeekNo != 1 && rule.startWeekNo != kDstLastWeek) start.weekNo.clear();
    if (rule.startDay >= 1 && rule.startDay <= kDaysInList) start.day = std::to_string(rule.startDay);
  }
  form.endMethod = rule.endMethod == kDstIsrael ? kDstIsrael : kDstCommon;
  if (form.endMethod == kDstIsrael) {
    form.endIsrael.weekday = GetWeekdayName(rule.endWeekday);
  } else {
    form.endCommon.weekNo = GetWeekNoString(rule.endWeekNo);
    form.endCommon.weekday = GetWeekdayName(rule.endWeekday);
    form.endCommon.month = GetGregorianMonthName(rule.endMonth);
  }
  return form;
}

DstFormResult DstFormCheck(const DstForm& form, const DstSetting& stored) {
  DstFormResult result;
  result.rule = stored;
  if (!form.consider) return result;  // daylight saving off; the rule is kept for later

  DstSetting& r = result.rule;
  std::string& message = result.message;
  // Each check that fails replaces the message of an earlier one, so the
  // user is told about the last missing choice.
  auto require = [&message](int value, const char* text) {
    if (value < 0) message = text;
    return value;
  };
  r.startMethod = form.startMethod == kDstIsrael ? kDstIsrael : kDstCommon;
  const DstFormLine& start = r.startMethod == kDstIsrael ? form.startIsrael : form.startCommon;
  r.startWeekNo = require(GetWeekNoFromString(start.weekNo), "Start Week No must be selected");
  r.startWeekday = require(GetWeekdayFromString(start.weekday), "Start Weekday must be selected");
  if (r.startMethod == kDstIsrael) r.startDay = require(GetDayFromString(start.day), "Start day must be selected");
  r.startMonth = require(GetMonthFromString(start.month), "Start Month must be selected");

  r.endMethod = form.endMethod == kDstIsrael ? kDstIsrael : kDstCommon;
  if (r.endMethod == kDstIsrael) {
    r.endWeekday = require(GetWeekdayFromString(form.endIsrael.weekday), "End weekday must be selected");
  } else {
    r.endWeekNo = require(GetWeekNoFromString(form.endCommon.weekNo), "End Week No must be selected");
    r.endWeekday = require(GetWeekdayFromString(form.endCommon.weekday), "End Weekday must be selected");
    r.endMonth = require(GetMonthFromString(form.endCommon.month), "End Month must be selected");
  }
  if (!message.empty()) {
    result.rule = stored;
    return result;
  }
  result.isDst = 1;
  return result;
}
