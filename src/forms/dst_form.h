// The daylight-saving dialog apart from its widgets: the texts of its
// drop-down lists and their values, what the dialog shows for a stored rule,
// and the check of a confirmed form. Every list starts with an empty entry,
// which means "nothing chosen".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"

// "", "1st", "2nd", "3rd", "4th", "Last" (translated): week numbers 1..5.
std::vector<std::string> GetWeekNoList();
// "", "1st", "Last" (translated): week numbers 1 and 5 of the Israel start.
std::vector<std::string> GetWeekNoIsraelList();
// "" and the weekday names, Sunday (0) first.
std::vector<std::string> GetWeekdayList();
// "" and the Gregorian month names, January (1) first.
std::vector<std::string> GetMonthList();
// "" and the numbers 1 to 31.
std::vector<std::string> GetDayList();

// The value of a shown text, or -1 for the empty entry and any other text.
int GetWeekNoFromString(std::string_view text);
int GetWeekdayFromString(std::string_view text);
int GetMonthFromString(std::string_view text);
int GetDayFromString(std::string_view text);
// The shown text of week number 1..5 ("Last" for 5); "" for other values.
std::string GetWeekNoString(int weekNo);
// The label between the Israel start's weekday and day: the translated
// "after" when the week number reads "1st", "before" for any other entry,
// "" when nothing is chosen.
std::string DstBeforeAfterLabel(std::string_view israelWeekNoText);

// The texts of one line of the dialog. The Israel end line uses only the weekday.
struct DstFormLine {
  std::string weekNo;
  std::string weekday;
  std::string day;
  std::string month;
};

struct DstForm {
  bool consider = true;  // "Consider DST"
  int startMethod = 0;   // the active start radio button (0 Common, 1 Israel)
  DstFormLine startCommon;
  DstFormLine startIsrael;
  int endMethod = 0;
  DstFormLine endCommon;
  DstFormLine endIsrael;
};

// The form for a stored rule: both radio buttons on the stored methods, only
// the lines of those methods filled.
DstForm DstFormFromRule(bool isDst, const DstSetting& rule);

struct DstFormResult {
  std::string message;  // "" when the form was accepted
  int isDst = 0;
  DstSetting rule;      // the edited rule (unchanged when DST is not considered)
};

// Reads the active lines into a copy of `stored`; fields the chosen methods
// do not use keep their stored values. When something is not chosen the
// message is the last of these that applies (untranslated):
//   "Start Week No must be selected", "Start Weekday must be selected",
//   "Start day must be selected" (Israel start), "Start Month must be selected",
//   then for the Israel end "End weekday must be selected", for the Common end
//   "End Week No must be selected", "End Weekday must be selected",
//   "End Month must be selected".
DstFormResult DstFormCheck(const DstForm& form, const DstSetting& stored);
