// What the values of a table may hold, checked against the field they go
// into, their kanji or kana twin, and the wording the alternative was made
// for. Each check stands for a slip that would otherwise pass the build
// unseen: a reading typed in kanji, digits transposed on one side, a series
// or a part number past the record's own, an entry under a checkpoint its
// record never reaches.
#include <algorithm>
#include <map>

#include "table_model.h"
#include "wording.h"

namespace correction_gen {

namespace {

// The marks a reading holds beside half-width katakana, digits and capital
// letters, as Japan Post writes its readings; "@" is the rules' protected "､".
const std::u32string kKanaMarks = U"()<>､-･./ @";
const std::string kKanaAllowed =
    "half-width katakana, digits, capital letters and the marks ()<>､-･./@ and blank";
// The comment-tail marker that both sides take as it is.
const std::string kKeepMarker = "notCompless";

bool IsReadingCharacter(char32_t c) {
  return (c >= 0xFF66 && c <= 0xFF9F) || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         kKanaMarks.find(c) != std::u32string::npos;
}
// Half-width katakana and the half-width marks of that block (｡｢｣､･).
bool IsHalfWidthKana(char32_t c) { return c >= 0xFF61 && c <= 0xFF9F; }

bool TakesValue(Action a) {
  return a == Action::kSet || a == Action::kAppend || a == Action::kPrefix || a == Action::kReplace ||
         a == Action::kCutAt;
}

// The texts a value writes, and its references ("{n}", "{part2}", ...) in
// order, by kind and part.
std::string TextOf(const ValueModel& value) {
  std::string text;
  for (const PieceModel& piece : value) {
    if (piece.kind == PieceKind::kText) text += piece.text;
  }
  return text;
}
std::vector<std::pair<PieceKind, int>> ReferencesOf(const ValueModel& value) {
  std::vector<std::pair<PieceKind, int>> refs;
  for (const PieceModel& piece : value) {
    if (piece.kind != PieceKind::kText) refs.emplace_back(piece.kind, piece.part);
  }
  return refs;
}

// The field as the table names it: "main", "part2_kana".
std::string FieldName(const StepModel& step) {
  if (step.field == Field::kPart || step.field == Field::kPartKana)
    return "part" + std::to_string(step.part) + (step.field == Field::kPartKana ? "_kana" : "");
  return std::string(NameOf(kFieldNames, step.field));
}

// --- Characters -----------------------------------------------------------

void CheckCharacters(const StepModel& step, const std::string& field, bool town) {
  const bool kana = IsKanaField(step.field);
  for (const ValueModel* value : {&step.text, &step.to}) {
    for (const PieceModel& piece : *value) {
      if (piece.kind != PieceKind::kText && piece.kind != PieceKind::kTownAfter) continue;
      if (piece.text == kKeepMarker && (step.field == Field::kTail || step.field == Field::kTailKana))
        continue;
      for (const Character& c : Characters(piece.text)) {
        if (kana && !IsReadingCharacter(c.code))
          Fail(step.line, field + " is a kana field: \"" + c.utf8 + "\" in \"" + piece.text +
                              "\" is none of " + kKanaAllowed);
        if (!kana && IsHalfWidthKana(c.code))
          Fail(step.line, field + " is a kanji field: \"" + c.utf8 + "\" in \"" + piece.text +
                              "\" is half-width kana, which belongs in its _kana twin");
        // A number written into a kanji field is full width; business
        // addresses keep the half-width numbers Japan Post writes.
        if (!kana && town && c.code >= '0' && c.code <= '9')
          Fail(step.line,
               field + " is a kanji field: the number in \"" + piece.text + "\" is written full width");
      }
    }
  }
}

// --- Kanji and kana twins ---------------------------------------------------

// The kanji field a kana field reads, or kNone for a kanji field.
Field KanjiTwin(Field f) {
  switch (f) {
    case Field::kMainKana: return Field::kMain;
    case Field::kSubKana: return Field::kSub;
    case Field::kCommentKana: return Field::kComment;
    case Field::kTailKana: return Field::kTail;
    case Field::kTownKana: return Field::kTown;
    case Field::kSiblingsKana: return Field::kSiblings;
    case Field::kPartsKana: return Field::kParts;
    case Field::kPartKana: return Field::kPart;
    case Field::kAreaPlaceKana: return Field::kAreaPlace;
    case Field::kRecordTownKana: return Field::kRecordTownKanji;
    case Field::kCompanyKana: return Field::kCompanyKanji;
    default: return Field::kNone;
  }
}

// Every number of the kanji value stands, in order, in the kana value (which
// may hold more: 一区 reads 1ｸ), and both take the same references.
void CheckTwin(const StepModel& kanji, const StepModel& kana) {
  const std::string kanji_text = TextOf(kanji.text) + " " + TextOf(kanji.to);
  const std::string kana_text = TextOf(kana.text) + " " + TextOf(kana.to);
  if (ReferencesOf(kanji.text) != ReferencesOf(kana.text) || ReferencesOf(kanji.to) != ReferencesOf(kana.to))
    Fail(kana.line, "the kana value takes other references ({n}, {part}, ...) than its kanji twin at line " +
                        std::to_string(kanji.line));
  const std::vector<std::string> wanted = Numbers(kanji_text), found = Numbers(kana_text);
  auto next = found.begin();
  for (const std::string& number : wanted) {
    next = std::find(next, found.end(), number);
    if (next == found.end())
      Fail(kana.line, "the kana value \"" + kana_text.substr(0, kana_text.find_last_not_of(' ') + 1) +
                          "\" lacks the number " + number + " of its kanji twin at line " +
                          std::to_string(kanji.line) + " (numbers in the same order on both sides)");
    ++next;
  }
}

// The n-th step of one action on a kana field answers the n-th on its kanji
// twin (the last one when the kana side has more, as for 4400845's two
// spellings).
void CheckTwins(const AlternativeModel& alt) {
  std::map<std::tuple<Action, Field, int>, std::vector<const StepModel*>> kanji_steps;
  std::map<std::tuple<Action, Field, int>, size_t> kana_seen;
  for (const StepModel& step : alt.steps) {
    if (TakesValue(step.action) && !IsKanaField(step.field))
      kanji_steps[{step.action, step.field, step.part}].push_back(&step);
  }
  for (const StepModel& step : alt.steps) {
    const Field twin = KanjiTwin(step.field);
    if (!TakesValue(step.action) || twin == Field::kNone) continue;
    auto it = kanji_steps.find({step.action, twin, step.part});
    if (it == kanji_steps.end()) continue;
    size_t& n = kana_seen[{step.action, twin, step.part}];
    CheckTwin(*it->second[std::min(n, it->second.size() - 1)], step);
    ++n;
  }
}

// --- The record the alternative was made for ---------------------------------

// The wording as a whole town text: made_for equals it, or names a whole
// bracketed list of it.
std::optional<std::string> WholeWording(const AlternativeModel& alt) {
  const GuardModel& made_for = alt.made_for;
  if (made_for.field != Field::kRecordTownKanji || made_for.match == Match::kUnknown) return std::nullopt;
  if (made_for.match == Match::kEquals) return made_for.text;
  const std::string close = "）";
  const auto open = made_for.text.find("（");
  if (open != std::string::npos && made_for.text.size() >= close.size() &&
      made_for.text.compare(made_for.text.size() - close.size(), close.size(), close) == 0)
    return made_for.text.substr(open);
  return std::nullopt;
}

bool PassesText(const GuardModel& guard, const std::string& text) {
  switch (guard.match) {
    case Match::kEquals: return text == guard.text;
    case Match::kContains: return text.find(guard.text) != std::string::npos;
    case Match::kStartsWith: return text.compare(0, guard.text.size(), guard.text) == 0;
    case Match::kAfterCommaEquals: {
      auto comma = text.find("、");
      return comma != std::string::npos && text.substr(comma + std::string("、").size()) == guard.text;
    }
    default: return false;
  }
}

bool AnyPart(const std::vector<std::string>& parts, bool (*test)(const std::string&)) {
  return std::any_of(parts.begin(), parts.end(), test);
}
bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The checkpoint is one the record reaches: plain towns are written before
// B, and the cases of the part loop each look for a kind of part.
void CheckCheckpoint(const EntryModel& entry, const AlternativeModel& alt, const std::string& wording) {
  if (entry.at == Checkpoint::kA) return;
  const std::string at = std::string(NameOf(kCheckpointNames, entry.at));
  const auto parts = PartsOf(wording);
  if (!parts) {
    if (alt.made_for.match == Match::kEquals)
      Fail(alt.made_for.line, "checkpoint " + at + " never sees this record: \"" + wording +
                                  "\" has no bracketed list, and such a town is written before B");
    return;
  }
  struct Need {
    Checkpoint at;
    bool (*test)(const std::string&);
    const char* what;
  };
  static const Need needs[] = {
      {Checkpoint::kF2, [](const std::string& p) { return p.find("・") != std::string::npos; },
       "a part with \"・\""},
      {Checkpoint::kF3, [](const std::string& p) { return p.find("～") != std::string::npos; },
       "a part with a range \"～\""},
      {Checkpoint::kCase4, [](const std::string& p) { return p.find("～") != std::string::npos; },
       "a part with a range \"～\""},
      {Checkpoint::kCase11, [](const std::string& p) { return EndsWith(p, "以上") || EndsWith(p, "以下"); },
       "a part ending in 以上 or 以下"},
      {Checkpoint::kCase12, [](const std::string& p) { return EndsWith(p, "番"); }, "a part ending in 番"},
  };
  for (const Need& need : needs) {
    if (need.at == entry.at && !AnyPart(*parts, need.test))
      Fail(alt.made_for.line,
           "checkpoint " + at + " is for " + need.what + ": the list of \"" + wording + "\" has none");
  }
  // A condition no record of this wording meets.
  for (const GuardModel& when : alt.whens) {
    // The parts at hand have gone through the propagation of prefixes and
    // tails: their text is looked for in the record's list.
    const bool met = when.field == Field::kCurrentPart
                         ? Protected(wording).find(when.text) != std::string::npos
                         : when.field != Field::kRecordTownKanji || alt.made_for.match != Match::kEquals ||
                               PassesText(when, wording);
    if (!met)
      Fail(when.line, "no record of the wording \"" + wording +
                          "\" meets this condition: the alternative would never run");
  }
}

// Part numbers within the record's list; a `set parts` gives the list after it.
void CheckPartNumbers(const AlternativeModel& alt, const std::string& wording) {
  const auto parts = PartsOf(wording);
  if (!parts) return;
  size_t kanji = parts->size(), kana = parts->size();
  auto check = [&](int part, bool is_kana, int line) {
    const size_t count = is_kana ? kana : kanji;
    if (part > 0 && static_cast<size_t>(part) > count)
      Fail(line, "part " + std::to_string(part) + " is past the record's list: \"" + wording + "\" has " +
                     std::to_string(count) + (count == 1 ? " part" : " parts"));
  };
  for (const StepModel& step : alt.steps) {
    if (step.action == Action::kSet && step.field == Field::kParts)
      kanji = SplitList(TextOf(step.text), "、").size();
    if (step.action == Action::kSet && step.field == Field::kPartsKana)
      kana = SplitList(TextOf(step.text), "､").size();
    if (step.field == Field::kPart || step.field == Field::kPartKana)
      check(step.part, step.field == Field::kPartKana, step.line);
    for (const ValueModel* value : {&step.text, &step.to}) {
      for (const PieceModel& piece : *value) {
        if (piece.kind == PieceKind::kPartAt) check(piece.part, IsKanaField(step.field), step.line);
      }
    }
  }
}

// What a series body writes into a field for n: "種市第{n}地割" -> "種市第３地割".
std::string Expand(const ValueModel& value, long n, bool kana) {
  std::string out;
  for (const PieceModel& piece : value) {
    if (piece.kind == PieceKind::kText) {
      out += piece.text;
    } else if (piece.kind == PieceKind::kNumber) {
      for (char d : std::to_string(n)) {
        if (kana) {
          out += d;
        } else {
          const std::string wide[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
          out += wide[d - '0'];
        }
      }
    }
  }
  return out;
}

// A series stays within the range the record names (when it names one),
// and writes none of the records set by hand after it.
void CheckSeries(const AlternativeModel& alt, const std::optional<std::string>& wording) {
  for (size_t i = 0; i < alt.steps.size(); ++i) {
    const StepModel& series = alt.steps[i];
    if (series.action != Action::kSeries) continue;
    if (wording) {
      const std::vector<Range> ranges = RangesOf(*wording);
      const bool inside = std::any_of(ranges.begin(), ranges.end(), [&](const Range& r) {
        return r.first <= series.first && series.last <= r.last;
      });
      if (!ranges.empty() && !inside)
        Fail(series.line, "the series runs from " + std::to_string(series.first) + " to " +
                              std::to_string(series.last) + ", past the range the record names in \"" +
                              *wording + "\"");
    }
    size_t end = i + 1;
    while (end < alt.steps.size() && alt.steps[end].action != Action::kSeriesEnd) ++end;
    for (size_t b = i + 1; b < end; ++b) {
      const StepModel& body = alt.steps[b];
      if (body.action != Action::kSet || ReferencesOf(body.text).empty()) continue;
      for (size_t later = end + 1; later < alt.steps.size(); ++later) {
        const StepModel& fixed = alt.steps[later];
        if (fixed.action != Action::kSet || fixed.field != body.field || !ReferencesOf(fixed.text).empty())
          continue;
        const std::string written = TextOf(fixed.text);
        for (long n = series.first; n <= series.last; ++n) {
          const std::string made = Expand(body.text, n, IsKanaField(body.field));
          if (!made.empty() && written.compare(0, made.size(), made) == 0)
            Fail(series.line, "the series runs into the record set at line " + std::to_string(fixed.line) +
                                  ": with n = " + std::to_string(n) + " it writes \"" + made + "\" already");
        }
      }
    }
  }
}

}  // namespace

void CheckValues(const TableModel& table) {
  const bool town = table.kind == TableKind::kTown;
  for (const EntryModel& entry : table.entries) {
    for (const AlternativeModel& alt : entry.alternatives) {
      for (const StepModel& step : alt.steps) {
        if (TakesValue(step.action) && step.field != Field::kNone)
          CheckCharacters(step, FieldName(step), town);
      }
      CheckTwins(alt);
      const std::optional<std::string> wording = WholeWording(alt);
      if (town && wording) {
        CheckCheckpoint(entry, alt, *wording);
        CheckPartNumbers(alt, *wording);
      }
      CheckSeries(alt, wording);
    }
  }
}

}  // namespace correction_gen
