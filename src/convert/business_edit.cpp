#include "convert/business_edit.h"

#include <algorithm>

#include "BusinessFixImeRowsTable.inc"
#include "BusinessFixRowsTable.inc"
#include "convert/record_trap.h"
#include "text/cp932.h"
#include "text/width.h"

namespace tessivar {

namespace {

enum Column { kKey, kAlternative, kAction, kField, kText, kWith };

// The actions a line may hold and the record slots each one may name in its
// field column (none: the field stays empty).
struct ActionSpec {
  std::u16string_view name;
  std::array<int, 4> fields;  // kNoField where unused
};
constexpr int kNoField = -1;
constexpr std::u16string_view kGuard = u"guard", kSet = u"set", kNarrow = u"narrow", kReplace = u"replace",
                              kBracketToComment = u"bracket_to_comment", kComment = u"comment",
                              kCommentFromName = u"comment_from_name", kEmit = u"emit";
constexpr std::array<ActionSpec, 8> kActionSpecs = {{
    {kGuard, {kTownKanji, kCompanyKanji, kNoField, kNoField}},
    {kSet, {kCityKanji, kTownKanji, kCompanyKana, kCompanyKanji}},
    {kNarrow, {kTownKanji, kNoField, kNoField, kNoField}},
    {kReplace, {kTownKanji, kCompanyKanji, kNoField, kNoField}},
    {kBracketToComment, {kTownKanji, kNoField, kNoField, kNoField}},
    {kComment, {kNoField, kNoField, kNoField, kNoField}},
    {kCommentFromName, {kCompanyKanji, kNoField, kNoField, kNoField}},
    {kEmit, {kNoField, kNoField, kNoField, kNoField}},
}};

Text& Slot(ConvertContext& ctx, const BusinessFixLine& line) {
  long n = ToNumber(line[kField]);
  if (n < 0 || n >= kZipSlots) throw IndexOutOfRange();
  return ctx.reader.ZipRec[static_cast<size_t>(n)];
}

// One office of the record: the address as it stands, then the emitter.
void EmitOffice(ConvertContext& ctx, RecordEmitter& emitter) {
  ctx.values.G_OutTownKanji = ctx.run.options.word_list() ? ctx.reader.ZipRec[kCityKanji] : Text();
  ctx.values.G_OutSubKanji = ctx.reader.ZipRec[kTownKanji];
  emitter.Emit(ctx.values);
}

void RunAction(ConvertContext& ctx, RecordEmitter& emitter, const BusinessFixLine& line) {
  const TextView action = line[kAction];
  if (action == kSet) {
    Slot(ctx, line) = Text(line[kText]);
  } else if (action == kNarrow) {
    Text& slot = Slot(ctx, line);
    slot = Narrow(slot);
  } else if (action == kReplace) {
    ReplaceIn(Slot(ctx, line), line[kText], line[kWith]);
  } else if (action == kBracketToComment) {
    // ex. "１－１（本館）" -> address "１－１", comment "（本館）"
    Text& address = Slot(ctx, line);
    long k = InStr(address, u"（");
    ctx.values.G_CommentKanji = Text(Mid(address, k));
    address = Text(Left(address, k - 1));
  } else if (action == kComment) {
    ctx.values.G_CommentKanji = Text(line[kText]);
  } else if (action == kCommentFromName) {
    // The operating body in front of the office names, without its
    // separator: ex. "学校法人　大妻学院・..." with text "大妻" -> "学校法人"
    const Text& name = Slot(ctx, line);
    ctx.values.G_CommentKanji = Text(Left(name, InStr(name, line[kText]) - 2));
  } else if (action == kEmit) {
    EmitOffice(ctx, emitter);
  } else {
    throw RuleError("事業所補正表 " + ToUtf8(line[kKey]) + ": 不明な操作 " + ToUtf8(action));
  }
}

// Runs the row of the record's code: the first alternative whose guards all
// hold, each action under the error trap so that a failing action (or
// emission) is reported and the row goes on.
void RunRow(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable rows) {
  const TextView key = ctx.reader.ZipRec[kPostalCode];
  auto [first, last] =
      std::ranges::equal_range(rows, key, {}, [](const BusinessFixLine& l) { return l[kKey]; });
  while (first != last) {
    const TextView alternative = (*first)[kAlternative];
    auto end =
        std::find_if(first, last, [&](const BusinessFixLine& l) { return l[kAlternative] != alternative; });
    bool holds = true;
    auto it = first;
    for (; it != end && (*it)[kAction] == kGuard; ++it) {
      const BusinessFixLine& guard = *it;
      bool found = false;
      Trap(ctx.run, [&] { found = Contains(Slot(ctx, guard), guard[kText]); });
      holds = holds && found;
    }
    if (holds) {
      for (; it != end; ++it) Trap(ctx.run, [&] { RunAction(ctx, emitter, *it); });
      return;
    }
    first = end;
  }
}

}  // namespace

BusinessFixTable BusinessFixImeRows() { return kBusinessFixImeRowsTable; }
BusinessFixTable BusinessFixRows() { return kBusinessFixRowsTable; }

void F_BusinessFixIme(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable rows) {
  RunRow(ctx, emitter, rows);
}

void F_BusinessFix(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable rows) {
  // The main table is kept in ten parts by the first digit of the code; a
  // code that starts otherwise has no part.
  const Text& code = ctx.reader.ZipRec[kPostalCode];
  if (code.empty() || code[0] < u'0' || code[0] > u'9') return;
  RunRow(ctx, emitter, rows);
}

void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter) {
  F_BusinessEdit(ctx, emitter, BusinessFixImeRows(), BusinessFixRows());
}

void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable ime_rows,
                    BusinessFixTable main_rows) {
  const bool word_list = ctx.run.options.word_list();
  // The business-office name is no emission value: the writers take it from
  // slot 16.
  ctx.values.G_CityKanji.clear();
  ctx.values.G_OutTownKanji = word_list ? ctx.reader.ZipRec[kCityKanji] : Text();
  for (Text* value : {&ctx.values.G_CommentKanji, &ctx.values.G_CommentTailKanji, &ctx.values.G_CityKana,
                      &ctx.values.G_OutTownKana, &ctx.values.G_OutSubKana, &ctx.values.G_CommentKana,
                      &ctx.values.G_CommentTailKana}) {
    value->clear();
  }
  if (word_list) F_BusinessFixIme(ctx, emitter, ime_rows);
  F_BusinessFix(ctx, emitter, main_rows);
  EmitOffice(ctx, emitter);
}

std::string CheckBusinessFixTable(BusinessFixTable rows, bool word_list_only) {
  for (size_t i = 0; i < rows.size(); ++i) {
    const BusinessFixLine& line = rows[i];
    const BusinessFixLine* previous = i ? &rows[i - 1] : nullptr;
    const bool same_key = previous && (*previous)[kKey] == line[kKey];
    const bool same_alternative = same_key && (*previous)[kAlternative] == line[kAlternative];
    const std::string where = "row " + std::to_string(i + 1) + " (" + ToUtf8(line[kKey]) + "): ";

    if (Len(line[kKey]) != 7 || !std::all_of(line[kKey].begin(), line[kKey].end(), IsDigit))
      return where + "the key is not a 7-digit postal code";
    if (previous && line[kKey] < (*previous)[kKey]) return where + "keys are not in ascending order";
    if (line[kAlternative].empty() ||
        !std::all_of(line[kAlternative].begin(), line[kAlternative].end(), IsDigit))
      return where + "the alternative is not a number";
    if (same_key && !same_alternative &&
        LeadingNumber(line[kAlternative]) <= LeadingNumber((*previous)[kAlternative]))
      return where + "alternatives of a row must follow each other in ascending order";

    auto action_kind = std::find_if(kActionSpecs.begin(), kActionSpecs.end(),
                                    [&](const ActionSpec& s) { return s.name == line[kAction]; });
    if (action_kind == kActionSpecs.end()) return where + "unknown action " + ToUtf8(line[kAction]);
    if (action_kind->fields[0] == kNoField) {
      if (!line[kField].empty()) return where + "the action " + ToUtf8(line[kAction]) + " takes no field";
    } else {
      bool allowed =
          !line[kField].empty() && std::all_of(line[kField].begin(), line[kField].end(), IsDigit) &&
          std::find(action_kind->fields.begin(), action_kind->fields.end(), LeadingNumber(line[kField])) !=
              action_kind->fields.end();
      if (!allowed)
        return where + "the action " + ToUtf8(line[kAction]) + " cannot use field " + ToUtf8(line[kField]);
    }
    if (line[kAction] == kGuard && same_alternative && (*previous)[kAction] != kGuard)
      return where + "a guard must come before the actions of its alternative";
    if (line[kAction] == kEmit && word_list_only) return where + "the word-list corrections do not emit";
  }
  return {};
}

}  // namespace tessivar
