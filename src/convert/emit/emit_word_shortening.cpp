#include "convert/emit/emit_word_shortening.h"

#include <initializer_list>

#include "LegalEntityFormsTable.inc"
#include "StockCompanyFormsTable.inc"
#include "text/width.h"

namespace tessivar {

namespace {

// Trims business-office names of half-width and full-width blanks alike: the
// legal-entity forms leave full-width blanks at the ends of a name.
void TrimName(Text& name) { name = Text(TrimBlanks(name)); }

// Moves the note starting at position open_at of the sub-area into the
// comment: the note runs to the closing bracket at close_at and whatever
// follows it stays in the address and is appended to the comment too.
// ex. "１－２（太宰府支店私書箱第４号）" -> sub "１－２", comment "（太宰府支店私書箱第４号）"
// A note that would have a negative length (no closing bracket, or one well
// before the opening bracket) runs to the end of the text instead; a note of
// length zero follows the rule as it stands.
void MoveNoteToComment(EmissionValues& values, long open_at, long close_at) {
  const Text s = values.G_OutSubKanji;
  if (close_at - open_at + 1 < 0) close_at = Len(s);
  values.G_CommentKanji = Concat(Mid(s, open_at, close_at - open_at + 1), Mid(s, close_at + 1));
  values.G_OutSubKanji = Concat(Left(s, open_at - 1), Mid(s, close_at + 1));
}

long FindEither(TextView s, TextView first, TextView second) {
  long at = InStr(s, first);
  return at > 0 ? at : InStr(s, second);
}

void MovePostOfficeBox(EmissionValues& values, const ZipRecord& rec) {
  const Text& s = values.G_OutSubKanji;
  if (!Contains(s, u"私書箱")) return;
  long open_at = FindEither(s, u"（", u"(");
  if (open_at > 0) {
    MoveNoteToComment(values, open_at, FindEither(s, u"）", u")"));
    return;
  }
  // Slot 9 of a business-office record is the handling office in quotes;
  // with fewer than two characters there is no office name to look for.
  const Text& office = rec[kFlag1];
  if (Len(office) < 2) return;
  long h = InStr(s, Concat(Mid(office, 2, Len(office) - 2), u"支店私書箱"));
  if (h > 0) {
    Text sub = values.G_OutSubKanji;
    values.G_CommentKanji = Text(Mid(sub, h));
    values.G_OutSubKanji = Text(Left(sub, h - 1));
  }
}

void MovePortOffice(EmissionValues& values) {
  long d = InStr(values.G_OutSubKanji, u"（ポート局第");
  if (d > 0) MoveNoteToComment(values, d, InStr(values.G_OutSubKanji, u"）"));
}

void ShortenLegalEntityForms(EmissionValues& values, ZipRecord& rec) {
  Text& name = rec[kCompanyKanji];
  // Only the first stock-company form found is replaced.
  for (const auto& [form] : kStockCompanyFormsTable) {
    if (Contains(name, form)) {
      ReplaceIn(name, form, u"（株）");
      break;
    }
  }
  for (const auto& [found, replaced, by, comment] : kLegalEntityFormsTable) {
    if (!Contains(name, found)) continue;
    ReplaceIn(name, replaced, by);
    TrimName(name);
    if (!comment.empty()) values.G_CommentKanji = Text(comment);
  }
}

// Keeps in slot 8 the address up to the split word and moves the rest (the
// building) into the comment.
void SplitAddress(EmissionValues& values, ZipRecord& rec, TextView t, long k, long word_length) {
  Text& address = rec[kTownKanji];
  values.G_CommentKanji = Text(Mid(t, k + word_length));
  address = Text(Left(t, k + word_length - 1));
}

// After "丁目" the house numbers stay in the address: ex. "３丁目２－３山田ビル"
// -> address "３丁目２－３", comment "山田ビル".
void SplitAfterChome(EmissionValues& values, ZipRecord& rec, TextView t, long k) {
  SplitAddress(values, rec, t, k, 2);
  Text& comment = values.G_CommentKanji;
  size_t digits = 0;
  while (digits < comment.size() && (IsDigit(comment[digits]) || comment[digits] == u'－')) ++digits;
  rec[kTownKanji].append(comment, 0, digits);
  comment.erase(0, digits);
}

// Tries the split words in order; false when none occurs in t.
bool SplitAtFirst(EmissionValues& values, ZipRecord& rec, TextView t, std::initializer_list<TextView> words) {
  for (TextView word : words) {
    long k = InStr(t, word);
    if (k == 0) continue;
    if (word == u"丁目")
      SplitAfterChome(values, rec, t, k);
    else
      SplitAddress(values, rec, t, k, Len(word));
    values.G_OutSubKanji = rec[kTownKanji];
    return true;
  }
  return false;
}

void MoveBuildingDetails(EmissionValues& values, ZipRecord& rec) {
  const Text t = rec[kTownKanji];  // as read, full width
  if (EndsWith(t, u"ビル") && SplitAtFirst(values, rec, t, {u"号", u"番地", u"丁目"})) return;
  if (EndsWith(t, u"Ｆ") && SplitAtFirst(values, rec, t, {u"号", u"番地", u"丁目"})) return;
  if (EndsWith(t, u"階")) SplitAtFirst(values, rec, t, {u"丁目", u"番地"});
}

bool TooLong(const EmissionValues& values, const ZipRecord& rec) {
  return WordLength(values, rec) > kMaxWordLength;
}

}  // namespace

long WordLength(const EmissionValues& values, const ZipRecord& rec) {
  return Len(values.G_CityKanji) + Len(values.G_OutTownKanji) + Len(values.G_OutSubKanji) +
         Len(rec[kCompanyKanji]) + 1;
}

void F_ShortenWord(EmissionValues& values, ZipRecord& rec) {
  MovePostOfficeBox(values, rec);
  MovePortOffice(values);
  Text& name = rec[kCompanyKanji];
  if (TooLong(values, rec)) ShortenLegalEntityForms(values, rec);
  if (TooLong(values, rec)) ReplaceIn(name, u"（株）", u"");
  if (TooLong(values, rec) && Contains(name, u"農業協同組合")) {
    ReplaceIn(name, u"農業協同組合", u"農協");
    TrimName(name);
  }
  if (TooLong(values, rec)) {
    // The city stays as it is here.
    values.G_OutTownKanji = Narrow(values.G_OutTownKanji);
    values.G_OutSubKanji = Narrow(values.G_OutSubKanji);
    name = Narrow(name);
  }
  if (TooLong(values, rec)) MoveBuildingDetails(values, rec);
}

}  // namespace tessivar
