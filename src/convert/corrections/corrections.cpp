#include "convert/corrections/corrections.h"

#include <algorithm>

namespace tessivar {

using namespace correction;

namespace {

// The text of the record (or the part at hand) that a condition looks at.
TextView Subject(Field field, const ZipRecord& rec, TextView part) {
  switch (field) {
    case Field::kRecordTownKanji: return rec[kTownKanji];
    case Field::kRecordTownKana: return rec[kTownKana];
    case Field::kCompanyKanji: return rec[kCompanyKanji];
    case Field::kCurrentPart: return part;
    default: return {};
  }
}

}  // namespace

bool Passes(const Guard& guard, TextView text) {
  switch (guard.match) {
    case Match::kEquals: return text == guard.text;
    case Match::kContains: return Contains(text, guard.text);
    case Match::kStartsWith: return StartsWith(text, guard.text);
    case Match::kAfterCommaEquals: {
      size_t comma = text.find(u'、');
      return comma != TextView::npos && text.substr(comma + 1) == guard.text;
    }
    case Match::kNone:
    case Match::kUnknown: return false;
  }
  return false;
}

Corrections::Corrections(const Table& table) : table_(table) {
  const auto begin = table_.lookup.begin();
  for (size_t index = 0; index < kCheckpointCount; ++index) {
    const auto at = static_cast<Checkpoint>(index);
    auto first =
        std::partition_point(begin, table_.lookup.end(), [&](const LookupItem& i) { return i.at < at; });
    auto last =
        std::partition_point(first, table_.lookup.end(), [&](const LookupItem& i) { return i.at == at; });
    ranges_[index] = {static_cast<size_t>(first - begin), static_cast<size_t>(last - begin)};
    for (auto it = first; it != last; ++it) filters_[index].set(CodeHash(it->code) % kFilterBits);
  }
}

bool Corrections::Holds(const Alternative& alt, const ZipRecord& rec, TextView part) const {
  const Entry& entry = table_.entries[alt.entry];
  if (!entry.old_code.empty() && rec[kOldCode] != entry.old_code) return false;
  for (const Guard& when : table_.whens.subspan(alt.first_when, alt.when_count)) {
    if (!Passes(when, Subject(when.field, rec, part))) return false;
  }
  return Passes(alt.made_for, Subject(alt.made_for.field, rec, part));
}

const Alternative* Corrections::Search(Checkpoint at, TextView code, const ZipRecord& rec,
                                       TextView part) const {
  auto [first, last] = ranges_[static_cast<size_t>(at)];
  const auto items = table_.lookup.subspan(first, last - first);
  auto it = std::lower_bound(items.begin(), items.end(), code,
                             [](const LookupItem& item, TextView c) { return item.code < c; });
  for (; it != items.end() && it->code == code; ++it) {
    const Alternative& alt = table_.alternatives[it->alternative];
    if (Holds(alt, rec, part)) {
      if (counts_) ++(*counts_)[it->alternative];
      return &alt;
    }
  }
  return nullptr;
}

}  // namespace tessivar
