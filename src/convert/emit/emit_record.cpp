#include "convert/emit/emit_record.h"

#include "convert/context/record_limits.h"
#include "convert/context/record_trap.h"
#include "convert/emit/emit_word_shortening.h"
#include "text/width.h"

namespace tessivar {

namespace {

// A quoted note ending a sub-area ("渡戸沢「筍沢温泉」", "１～５００「２１１番地を除く」")
// names no place: it becomes the comment, or the word would carry it. Address
// records only (they have no office name): an office's sub-area is its street.
bool TakesQuotedNote(const ZipRecord& rec) { return rec[kCompanyKanji].empty(); }

// Moves the text from the first open mark of sub on into comment; returns
// whether there was one.
bool MoveQuotedNote(Text& sub, Text& comment, TextView open) {
  long e = InStr(sub, open);
  if (e == 0) return false;
  comment = Text(Mid(sub, e));
  sub.resize(static_cast<size_t>(e - 1));
  return true;
}

// ex. "ビル名（１０階）" -> "ビル名（10階）"
void NarrowFloorNumber(Text& town) {
  long f = InStr(town, u"（");
  long g = InStr(town, u"階");
  // Without a "階" after the bracket there is no floor number to narrow.
  if (g <= f) return;
  town = Concat(Left(town, f), Narrow(Mid(town, f + 1, g - f - 1)), Mid(town, g));
}

}  // namespace

Emitter::Emitter(const RunEnvironment& run, ZipRecord& rec, LastRecord& last, LineWriter& writer)
    : run_(run), rec_(rec), last_(last), writer_(writer) {}

void Emitter::F_EmitRecord(EmissionValues& values, EmitOrder order) {
  if (++entries_ > kMaxRecordEntries) {
    throw RecordAbandoned("このレコードから作成するデータが " + std::to_string(kMaxRecordEntries) +
                          " 件を超えるため、残りは作成しません。");
  }
  const bool word_list = run_.options.word_list();
  // The main name and the sub-area in the order this record writes them.
  const TownTexts kanji = KanjiInOrder(values, order);
  const TownTexts kana = KanaInOrder(values, order);
  // A postal code that is not a number fails the record here (no line).
  static_cast<void>(ToNumber(rec_[kPostalCode]));

  bool moved_note_kanji = false, moved_note_kana = false;
  if (TakesQuotedNote(rec_)) {
    moved_note_kanji = MoveQuotedNote(kanji.second, values.G_CommentKanji, u"「");
    moved_note_kana = MoveQuotedNote(kana.second, values.G_CommentKana, u"<");
  }
  if (word_list && values.narrow_floor_number) {
    NarrowFloorNumber(kanji.first);
  } else if (word_list && run_.inputs.has_jigyosyo) {
    F_ShortenWord(values, rec_);
  }

  Text& name = rec_[kCompanyKanji];
  if (word_list && WordLength(values, rec_) > kMaxWordLength) {
    values.G_CityKanji = Narrow(values.G_CityKanji);
    kanji.first = Narrow(kanji.first);
    kanji.second = Narrow(kanji.second);
    name = Narrow(name);
  }

  const WrittenRecord written = writer_.Write(values, order);

  // The last record as the town-area rules see it: the main name and comment
  // as written. After a sub-area-first call the main name is still
  // G_OutTownKanji, not the sub-area written in its place.
  last_.G_LastCommentKanji = written.comment_kanji;
  last_.G_LastCommentKana = written.comment_kana;
  last_.G_LastTownKanji = written.town_kanji;
  last_.G_LastTownKana = written.town_kana;
  // The record's later lines start from its comment and tail as this line
  // left them: a keep marker serves one line, a "その他" record's comment is
  // written once.
  values.G_CommentKanji = written.comment_kanji;
  values.G_CommentTailKanji = written.tail_kanji;
  values.G_CommentKana = written.comment_kana;
  values.G_CommentTailKana = written.tail_kana;

  // A note taken out of a sub-area belongs to that record alone; left in the
  // comment it would be written beside every later part of the list too.
  if (moved_note_kanji) values.G_CommentKanji.clear();
  if (moved_note_kana) values.G_CommentKana.clear();
}

void Emitter::Emit(EmissionValues& values) {
  Trap(run_, [&] { F_EmitRecord(values, EmitOrder::kMainFirst); });
}

void Emitter::EmitSubFirst(EmissionValues& values) {
  Trap(run_, [&] { F_EmitRecord(values, EmitOrder::kSubFirst); });
}

}  // namespace tessivar
