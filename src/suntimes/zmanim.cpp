#include "suntimes/zmanim.h"

std::string ZmanimDisplayName(const ZmanimRec& rec) {
  std::string name(rec.name);
  if (!rec.nameSuffix.empty()) {
    name += ' ';
    name += rec.nameSuffix;
  }
  return name;
}

std::string ZmanimSettingsKey(const ZmanimRec& rec) { return "Zmanim" + std::string(rec.keySuffix); }

size_t ZmanimOptionIndex(const ZmanimRec& rec, std::string_view stored) {
  if (rec.kind != kZmanimChoice) return 0;
  for (size_t i = 0; i < rec.optionCount; ++i) {
    if (rec.options[i].key == stored) return i;
  }
  return 0;
}

size_t ZmanimOpinions::Of(const ZmanimRec& rec) const {
  if (rec.kind != kZmanimChoice) return 0;
  for (size_t row = 0; row < ZmanimRecs.size(); ++row) {
    if (&ZmanimRecs[row] == &rec) return index[row] < rec.optionCount ? index[row] : 0;
  }
  return 0;  // a row of no table of ours has its default

}

std::string_view ZmanimOpinions::Expression(const ZmanimRec& rec) const {
  if (rec.kind != kZmanimChoice) return rec.expression;
  return rec.options[Of(rec)].expression;
}
