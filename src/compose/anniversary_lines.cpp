#include "compose/anniversary_lines.h"

#include "base/translate.h"
#include "storage/anniversaries.h"

std::string_view AnniLabelKey(char type) {
  switch (type) {
    case kAnniBirthday: return "Birthday";
    case kAnniYortsayt: return "yortsayt";
    default: return "Anniversary";
  }
}

std::string AnniversaryLine(const AnniversaryRec& rec) {
  return translate_perform(AnniLabelKey(rec.type)) + ": " + rec.name;
}

int AnnifileGetForDay(AbsoluteDay day, std::string* types, std::string* text) {
  if (types) types->clear();
  if (text) text->clear();
  const std::vector<AnniversaryRec> entries = AnniFileEntriesOnDay(day);
  for (const AnniversaryRec& rec : entries) {
    if (types) types->push_back(rec.type);
    if (text) *text += AnniversaryLine(rec) + "\n";
  }
  return entries.empty() ? 0 : 1;
}
