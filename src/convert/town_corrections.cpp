#include "convert/town_corrections.h"

#include <algorithm>
#include <string>

#include "convert/range_limit.h"
#include "text/cp932.h"

#include "TownCorrectionsTable.inc"

namespace tessivar {

namespace {

enum Column {
  kCheckpointCol,
  kCodeCol,
  kOldCodeCol,
  kSubjectCol,
  kMatchCol,
  kTextCol,
  kActionCol,
  kValuesCol,
  kEndsCol
};

constexpr std::array<std::u16string_view, kCheckpointCount> kCheckpointNames = {
    u"A", u"B", u"C", u"D", u"E", u"F1", u"F2", u"F3", u"F4", u"F5", u"F6", u"case4", u"case11", u"case12"};

// Field names of a fixed record, in the order of CorrectionRecord::fields.
constexpr std::array<std::u16string_view, 8> kRecordFieldNames = {
    u"main", u"sub", u"comment", u"tail", u"main_kana", u"sub_kana", u"comment_kana", u"tail_kana"};

[[noreturn]] void BadCell(const TownCorrectionRow& row, std::string_view what, TextView cell) {
  throw RuleError("town correction " + ToUtf8(row[kCheckpointCol]) + " " + ToUtf8(row[kCodeCol]) + ": " +
                  std::string(what) + " \"" + ToUtf8(cell) + "\"");
}

template <typename Enum, size_t N>
Enum Lookup(const TownCorrectionRow& row, Column column, const std::array<std::u16string_view, N>& names,
            std::string_view what) {
  auto found = std::find(names.begin(), names.end(), row[column]);
  if (found == names.end()) BadCell(row, what, row[column]);
  return static_cast<Enum>(found - names.begin());
}

bool IsDigits(TextView s, size_t length) {
  return s.size() == length &&
         std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

long SeriesNumber(const TownCorrectionRow& row, TextView value) {
  try {
    return ToNumber(value);
  } catch (const RuleError&) {
    BadCell(row, "series bound is not a number", value);
  }
}

// "name=value;name=value": the fields of one group of the values cell.
std::vector<std::pair<Text, Text>> Fields(const TownCorrectionRow& row, TextView group) {
  std::vector<std::pair<Text, Text>> fields;
  if (group.empty()) return fields;
  for (Text& field : Split(group, u";")) {
    auto eq = field.find(u'=');
    if (eq == Text::npos) BadCell(row, "field without \"=\"", field);
    fields.emplace_back(field.substr(0, eq), field.substr(eq + 1));
  }
  return fields;
}

CorrectionRecord DecodeRecord(const TownCorrectionRow& row, TextView group) {
  CorrectionRecord record;
  for (auto& [name, value] : Fields(row, group)) {
    auto found = std::find(kRecordFieldNames.begin(), kRecordFieldNames.end(), name);
    if (found == kRecordFieldNames.end()) BadCell(row, "unknown record field", name);
    record.fields[static_cast<size_t>(found - kRecordFieldNames.begin())] = std::move(value);
  }
  return record;
}

NumberSeries DecodeSeries(const TownCorrectionRow& row, TextView group) {
  NumberSeries series;
  bool has_from = false, has_to = false;
  for (auto& [name, value] : Fields(row, group)) {
    if (name == u"into") {
      if (value != u"main" && value != u"sub") BadCell(row, "series goes into main or sub, not", value);
      series.into_main = value == u"main";
    } else if (name == u"from") {
      series.first = SeriesNumber(row, value);
      has_from = true;
    } else if (name == u"to") {
      series.last = SeriesNumber(row, value);
      has_to = true;
    } else if (name == u"prefix") {
      series.prefix = value;
    } else if (name == u"suffix") {
      series.suffix = value;
    } else if (name == u"prefix_kana") {
      series.prefix_kana = value;
    } else if (name == u"suffix_kana") {
      series.suffix_kana = value;
    } else {
      BadCell(row, "unknown series field", name);
    }
  }
  if (!has_from || !has_to) BadCell(row, "series needs from and to", group);
  return series;
}

bool Holds(ConditionMatch match, TextView subject, TextView text) {
  switch (match) {
    case ConditionMatch::kContains: return Contains(subject, text);
    case ConditionMatch::kStartsWith: return StartsWith(subject, text);
    case ConditionMatch::kEquals: return subject == text;
  }
  return false;
}

Text* RecordTarget(EmissionValues& values, size_t field) {
  std::array<Text*, 8> targets = {
      &values.G_OutTownKanji, &values.G_OutSubKanji, &values.G_CommentKanji, &values.G_CommentTailKanji,
      &values.G_OutTownKana,  &values.G_OutSubKana,  &values.G_CommentKana,  &values.G_CommentTailKana};
  return targets[field];
}

void EmitSeries(EmissionValues& values, RecordEmitter& emitter, const NumberSeries& series) {
  Text& kanji = series.into_main ? values.G_OutTownKanji : values.G_OutSubKanji;
  Text& kana = series.into_main ? values.G_OutTownKana : values.G_OutSubKana;
  CheckRangePlaces(series.first, series.last);
  for (long n = series.first; n <= series.last; ++n) {
    kanji = Concat(series.prefix, FullWidthDecimal(n), series.suffix);
    kana = Concat(series.prefix_kana, Decimal(n), series.suffix_kana);
    emitter.Emit(values);
  }
}

void Apply(EmissionValues& values, RecordEmitter& emitter, const TownCorrection& entry) {
  // The first record starts from cleared comments and sub-areas.
  for (Text* cleared : {&values.G_OutSubKanji, &values.G_OutSubKana, &values.G_CommentKanji,
                        &values.G_CommentKana, &values.G_CommentTailKanji, &values.G_CommentTailKana}) {
    cleared->clear();
  }
  if (entry.series) EmitSeries(values, emitter, *entry.series);
  for (const CorrectionRecord& record : entry.records) {
    for (size_t field = 0; field < record.fields.size(); ++field) {
      if (record.fields[field]) *RecordTarget(values, field) = *record.fields[field];
    }
    emitter.Emit(values);
  }
}

}  // namespace

TownCorrection DecodeTownCorrection(const TownCorrectionRow& row) {
  TownCorrection entry;
  entry.checkpoint = Lookup<Checkpoint>(row, kCheckpointCol, kCheckpointNames, "unknown checkpoint");
  if (!IsDigits(row[kCodeCol], 7)) BadCell(row, "code is not 7 digits", row[kCodeCol]);
  entry.code = row[kCodeCol];
  if (!row[kOldCodeCol].empty() && !IsDigits(row[kOldCodeCol], 5)) {
    BadCell(row, "old code is not 5 digits", row[kOldCodeCol]);
  }
  entry.old_code = row[kOldCodeCol];

  constexpr std::array<std::u16string_view, 4> subjects = {u"", u"town", u"town_after_comma", u"part"};
  entry.subject = Lookup<ConditionSubject>(row, kSubjectCol, subjects, "unknown condition subject");
  if (entry.subject == ConditionSubject::kNone) {
    if (!row[kMatchCol].empty() || !row[kTextCol].empty())
      BadCell(row, "condition without subject", row[kTextCol]);
  } else {
    constexpr std::array<std::u16string_view, 3> matches = {u"contains", u"starts_with", u"equals"};
    entry.match = Lookup<ConditionMatch>(row, kMatchCol, matches, "unknown condition match");
    entry.text = row[kTextCol];
  }
  bool in_part_loop = entry.checkpoint >= Checkpoint::kF1;
  if (entry.subject == ConditionSubject::kPart && !in_part_loop) {
    BadCell(row, "a part condition outside the part loop", row[kSubjectCol]);
  }

  constexpr std::array<std::u16string_view, 2> actions = {u"fixed_records", u"number_series"};
  const bool number_series =
      Lookup<size_t>(row, kActionCol, actions, "unknown or not yet supported action") == 1;
  std::vector<Text> groups = Split(row[kValuesCol], u"|");
  size_t first_record = 0;
  if (number_series) {
    entry.series = DecodeSeries(row, groups[0]);
    first_record = 1;
  }
  for (size_t g = first_record; g < groups.size(); ++g) {
    if (!groups[g].empty()) entry.records.push_back(DecodeRecord(row, groups[g]));
  }

  constexpr std::array<std::u16string_view, 3> ends = {u"return", u"next_part", u"go_on"};
  entry.ends = Lookup<CorrectionEnd>(row, kEndsCol, ends, "unknown end");
  if (entry.ends == CorrectionEnd::kNextPart && !in_part_loop) {
    BadCell(row, "next_part outside the part loop", row[kEndsCol]);
  }
  return entry;
}

bool TownCorrection::Matches(TextView old_code_slot, TextView town_slot, TextView part) const {
  if (!old_code.empty() && old_code_slot != old_code) return false;
  switch (subject) {
    case ConditionSubject::kNone: return true;
    case ConditionSubject::kTown: return Holds(match, town_slot, text);
    case ConditionSubject::kTownAfterComma: {
      auto comma = town_slot.find(u'、');
      return comma != TextView::npos && Holds(match, town_slot.substr(comma + 1), text);
    }
    case ConditionSubject::kPart: return Holds(match, part, text);
  }
  return false;
}

TownCorrections::TownCorrections(std::span<const TownCorrectionRow> rows) {
  entries_.reserve(rows.size());
  for (const TownCorrectionRow& row : rows) {
    entries_.push_back(DecodeTownCorrection(row));
    by_code_[static_cast<size_t>(entries_.back().checkpoint)].emplace_back(entries_.back().code,
                                                                           entries_.size() - 1);
  }
  for (auto& index : by_code_)
    std::stable_sort(index.begin(), index.end(), [](auto& a, auto& b) { return a.first < b.first; });
}

const TownCorrections& TownCorrections::Shipped() {
  static const TownCorrections shipped{std::span<const TownCorrectionRow>(kTownCorrectionsTable)};
  return shipped;
}

const TownCorrection* TownCorrections::Find(Checkpoint checkpoint, const std::vector<Text>& zip_rec,
                                            TextView part) const {
  const auto& index = by_code_[static_cast<size_t>(checkpoint)];
  if (index.empty()) return nullptr;
  TextView code = zip_rec[kPostalCode];
  auto first =
      std::lower_bound(index.begin(), index.end(), code, [](auto& e, TextView c) { return e.first < c; });
  for (auto it = first; it != index.end() && it->first == code; ++it) {
    const TownCorrection& entry = entries_[it->second];
    if (entry.Matches(zip_rec[kOldCode], zip_rec[kTownKanji], part)) return &entry;
  }
  return nullptr;
}

std::optional<CorrectionEnd> ConsultCorrections(const TownCorrections& corrections, Checkpoint checkpoint,
                                                const ZipRecord& rec, EmissionValues& values,
                                                RecordEmitter& emitter, TextView part) {
  const TownCorrection* entry = corrections.Find(checkpoint, rec, part);
  if (!entry) return std::nullopt;
  Apply(values, emitter, *entry);
  return entry->ends;
}

}  // namespace tessivar
