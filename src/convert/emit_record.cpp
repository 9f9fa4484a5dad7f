#include "convert/emit_record.h"

#include "convert/emit_word_shortening.h"
#include "convert/write_line.h"
#include "text/width.h"

namespace tessivar {

namespace {

// Codes whose sub-area ends in a quoted note: the note becomes the comment.
bool HasQuotedNote(long code) { return code == 9960301 || code == 4280049; }
// The floors of one building: their floor numbers are written half-width.
bool IsFloorCode(long code) { return code >= 1006210 && code <= 1006250; }

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

void F_EmitRecord(ConvertContext& ctx, Text& cityKanji, Text& outTownKanji, Text& outSubKanji,
                  Text& commentKanji, Text& commentTailKanji, Text& /*cityKana: never read*/,
                  Text& outTownKana, Text& outSubKana, Text& commentKana, Text& commentTailKana) {
  const bool word_list = ctx.run.options.word_list();
  // A postal code that is not a number fails the record here (no line).
  const long code = ToNumber(ctx.reader.ZipRec[kPostalCode]);

  bool moved_note_kanji = false, moved_note_kana = false;
  if (HasQuotedNote(code)) {
    moved_note_kanji = MoveQuotedNote(outSubKanji, commentKanji, u"「");
    moved_note_kana = MoveQuotedNote(outSubKana, commentKana, u"<");
  }
  if (word_list && IsFloorCode(code)) {
    NarrowFloorNumber(outTownKanji);
  } else if (word_list && ctx.run.inputs.has_jigyosyo) {
    F_ShortenWord(ctx.values, ctx.reader.ZipRec);
  }

  Text& name = ctx.reader.ZipRec[kCompanyKanji];
  if (word_list && WordLength(ctx.values, ctx.reader.ZipRec) > kMaxWordLength) {
    cityKanji = Narrow(cityKanji);
    outTownKanji = Narrow(outTownKanji);
    outSubKanji = Narrow(outSubKanji);
    name = Narrow(name);
  }

  switch (ctx.run.options.purpose) {
    case Purpose::kWordList: {
      // The word is trimmed of half-width and full-width blanks alike.
      Text word(TrimBlanks(Concat(cityKanji, outTownKanji, outSubKanji)));
      F_郵便番号SUB(ctx, word, commentKanji, commentTailKanji);
      break;
    }
    case Purpose::kDatabase:
    case Purpose::kCsv: {
      Text town = Concat(outTownKanji, outSubKanji);
      Text townKana = Concat(outTownKana, outSubKana);
      F_WriteCsvLine(ctx, town, commentKanji, commentTailKanji, townKana, commentKana, commentTailKana);
      break;
    }
    case Purpose::kNone: break;
  }

  // The last record as the town-area rules see it: the run's main name and
  // comment after the writers changed them. After the swapped call the main
  // name is still G_OutTownKanji, not the sub-area written in its place.
  ctx.last.G_LastCommentKanji = ctx.values.G_CommentKanji;
  ctx.last.G_LastCommentKana = ctx.values.G_CommentKana;
  ctx.last.G_LastTownKanji = ctx.values.G_OutTownKanji;
  ctx.last.G_LastTownKana = ctx.values.G_OutTownKana;

  // A note taken out of a sub-area belongs to that record alone; left in the
  // comment it would be written beside every later part of the list too.
  if (moved_note_kanji) commentKanji.clear();
  if (moved_note_kana) commentKana.clear();
}

void EmitRecord(ConvertContext& ctx) {
  F_EmitRecord(ctx, ctx.values.G_CityKanji, ctx.values.G_OutTownKanji, ctx.values.G_OutSubKanji,
               ctx.values.G_CommentKanji, ctx.values.G_CommentTailKanji, ctx.values.G_CityKana,
               ctx.values.G_OutTownKana, ctx.values.G_OutSubKana, ctx.values.G_CommentKana,
               ctx.values.G_CommentTailKana);
}

void EmitRecordSwapped(ConvertContext& ctx) {
  F_EmitRecord(ctx, ctx.values.G_CityKanji, ctx.values.G_OutSubKanji, ctx.values.G_OutTownKanji,
               ctx.values.G_CommentKanji, ctx.values.G_CommentTailKanji, ctx.values.G_CityKana,
               ctx.values.G_OutSubKana, ctx.values.G_OutTownKana, ctx.values.G_CommentKana,
               ctx.values.G_CommentTailKana);
}

}  // namespace tessivar
