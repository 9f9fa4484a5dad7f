// The checks that need the whole table: every id once, one row per
// business-office code, and no alternative that an earlier one always takes
// first (the earlier one's conditions hold on every record the later one is
// made for).
#include <map>

#include "table_model.h"

namespace correction_gen {

namespace {

// "花田町（無番地）" after its first "、", or nothing when it has none.
bool AfterComma(const std::string& text, std::string& rest) {
  const std::string comma = "、";
  auto at = text.find(comma);
  if (at == std::string::npos) return false;
  rest = text.substr(at + comma.size());
  return true;
}

bool StartsWith(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }

// Does every text that passes `given` pass `needed` too? Both look at the
// same field.
bool Implies(const GuardModel& given, const GuardModel& needed) {
  if (given.field != needed.field || given.match == Match::kUnknown || needed.match == Match::kUnknown)
    return false;
  const std::string& g = given.text;
  const std::string& n = needed.text;
  switch (needed.match) {
    case Match::kContains: return g.find(n) != std::string::npos;
    case Match::kStartsWith:
      return (given.match == Match::kStartsWith || given.match == Match::kEquals) && StartsWith(g, n);
    case Match::kEquals: return given.match == Match::kEquals && g == n;
    case Match::kAfterCommaEquals: {
      if (given.match == Match::kAfterCommaEquals) return g == n;
      std::string rest;
      return given.match == Match::kEquals && AfterComma(g, rest) && rest == n;
    }
    default: return false;
  }
}

// An alternative's conditions, the entry's old code among them.
std::vector<GuardModel> Conditions(const EntryModel& entry, const AlternativeModel& alt) {
  std::vector<GuardModel> all = alt.whens;
  all.push_back(alt.made_for);
  if (!entry.old_code.empty()) all.push_back({Field::kOldCode, Match::kEquals, entry.old_code, entry.line});
  return all;
}

// Whenever `later` runs, `earlier` would have run first.
bool Shadows(const std::vector<GuardModel>& earlier, const std::vector<GuardModel>& later) {
  for (const GuardModel& needed : earlier) {
    bool implied = false;
    for (const GuardModel& given : later) implied = implied || Implies(given, needed);
    if (!implied) return false;
  }
  return true;
}

struct Candidate {
  std::vector<GuardModel> conditions;
  int line;
  bool never_runs;
};

}  // namespace

void CheckTable(const TableModel& table) {
  std::map<std::string, int> ids;
  std::map<std::string, int> business_codes;
  // Per checkpoint and code (one group per code for business rows), the
  // alternatives in the order they are tried.
  std::map<std::pair<int, std::string>, std::vector<Candidate>> groups;
  const bool town = table.kind == TableKind::kTown;
  for (const EntryModel& entry : table.entries) {
    if (auto [it, fresh] = ids.emplace(entry.id, entry.line); !fresh)
      throw TableError(entry.line,
                       "entry " + entry.id + " is already defined at line " + std::to_string(it->second));
    if (!town) {
      if (auto [it, fresh] = business_codes.emplace(entry.code, entry.line); !fresh)
        throw TableError(entry.line,
                         "code " + entry.code + " already has its row at line " + std::to_string(it->second));
    }
    auto& group = groups[{town ? static_cast<int>(entry.at) : 0, entry.code}];
    for (const AlternativeModel& alt : entry.alternatives) {
      Candidate later{Conditions(entry, alt), alt.made_for.line, alt.made_for.match == Match::kUnknown};
      for (const Candidate& earlier : group) {
        if (!earlier.never_runs && !later.never_runs && Shadows(earlier.conditions, later.conditions))
          throw TableError(later.line, "this alternative can never run: the alternative at line " +
                                           std::to_string(earlier.line) +
                                           " runs first on every record it is made for");
      }
      group.push_back(std::move(later));
    }
  }
}

}  // namespace correction_gen
