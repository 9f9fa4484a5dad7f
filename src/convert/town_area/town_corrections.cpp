#include "convert/town_area/town_corrections.h"

#include "convert/corrections/correction_steps.h"
#include "convert/town_area/town_area_steps.h"

#include "TownCorrectionsTable.inc"

namespace tessivar {

using namespace correction;

namespace {

// The fields of the town-area corrections: the emission values, the working
// texts, the sibling and part lists, and slots 8 and 5 of the record.
class TownSubject final : public CorrectionSubject {
 public:
  TownSubject(ConvertContext& ctx, RecordEmitter& emitter, uint16_t entry, std::optional<size_t> part_at_hand)
      : ctx_(ctx), emitter_(emitter), entry_(entry), part_at_hand_(part_at_hand) {}

  Text& FieldText(Field field, int part) override {
    EmissionValues& v = ctx_.values;
    TownAreaState& t = ctx_.town;
    switch (field) {
      case Field::kMain: return v.G_OutTownKanji;
      case Field::kMainKana: return v.G_OutTownKana;
      case Field::kSub: return v.G_OutSubKanji;
      case Field::kSubKana: return v.G_OutSubKana;
      case Field::kComment: return v.G_CommentKanji;
      case Field::kCommentKana: return v.G_CommentKana;
      case Field::kTail: return v.G_CommentTailKanji;
      case Field::kTailKana: return v.G_CommentTailKana;
      case Field::kTown: return t.G_TownKanji;
      case Field::kTownKana: return t.G_TownKana;
      case Field::kSiblings: return t.G_SiblingsKanji;
      case Field::kSiblingsKana: return t.G_SiblingsKana;
      case Field::kPart: return Item(t.G_PartsKanji, part);
      case Field::kPartKana: return Item(t.G_PartsKana, part);
      case Field::kAreaPlace: return t.area_place;
      case Field::kAreaPlaceKana: return t.area_place_kana;
      case Field::kRecordTownKanji: return ctx_.reader.ZipRec[kTownKanji];
      case Field::kRecordTownKana: return ctx_.reader.ZipRec[kTownKana];
      default: throw IndexOutOfRange();
    }
  }

  std::vector<Text>& Parts(bool kana) override {
    return kana ? ctx_.town.G_PartsKana : ctx_.town.G_PartsKanji;
  }
  std::vector<Text>& PartTails(bool kana) override {
    return kana ? ctx_.town.G_PartTailsKana : ctx_.town.G_PartTailsKanji;
  }
  std::optional<size_t> PartAtHand() const override { return part_at_hand_; }

  // As the sibling rule adds a town: a list of another main name gives way
  // to the town, else the town joins the list after a comma.
  void AddTownToSiblings(bool kana) override {
    const Text& town = kana ? ctx_.town.G_TownKana : ctx_.town.G_TownKanji;
    Text& siblings = kana ? ctx_.town.G_SiblingsKana : ctx_.town.G_SiblingsKanji;
    const long open_at = kana ? ctx_.town.pR : ctx_.town.pK;
    if (open_at > 1 && Left(town, open_at - 1) != Left(siblings, open_at - 1)) siblings.clear();
    if (siblings.empty())
      siblings = town;
    else
      town_area::AppendSibling(siblings, kana ? u"､" : u"、", town, ctx_.run);
  }

  bool LeftOutAsRepeat() override {
    if (!ctx_.run.options.word_list()) return false;
    return !ctx_.town.once_entries_run.insert(entry_).second;
  }
  void SetPrefixRule(PrefixRule rule) override { ctx_.town.prefix_rule = rule; }
  void NarrowFloorNumber() override { ctx_.values.narrow_floor_number = true; }

  void Emit() override { emitter_.Emit(ctx_.values); }

 private:
  static Text& Item(std::vector<Text>& list, int part) {
    if (part < 1 || static_cast<size_t>(part) > list.size()) throw IndexOutOfRange();
    return list[static_cast<size_t>(part) - 1];
  }

  ConvertContext& ctx_;
  RecordEmitter& emitter_;
  uint16_t entry_;
  std::optional<size_t> part_at_hand_;
};

void ClearSubAreasCommentsAndTails(EmissionValues& v) {
  for (Text* cleared : {&v.G_OutSubKanji, &v.G_OutSubKana, &v.G_CommentKanji, &v.G_CommentKana,
                        &v.G_CommentTailKanji, &v.G_CommentTailKana}) {
    cleared->clear();
  }
}

}  // namespace

const Corrections& ShippedTownCorrections() {
  static const Corrections shipped(kTownCorrections);
  return shipped;
}

namespace {

// The alternative that matched, run on the town-area rules' state.
[[gnu::cold]] End RunAlternative(const Corrections& corrections, const Alternative& alt, ConvertContext& ctx,
                                 RecordEmitter& emitter, std::optional<size_t> part_at_hand) {
  if (alt.emits) ClearSubAreasCommentsAndTails(ctx.values);
  TownSubject subject(ctx, emitter, alt.entry, part_at_hand);
  const bool written = RunSteps(corrections.table(), alt, subject, ctx.run);
  if (alt.emits) ClearSubAreasCommentsAndTails(ctx.values);
  return written ? alt.end : End::kReturn;
}

}  // namespace

std::optional<End> ConsultCorrections(const Corrections& corrections, Checkpoint at, ConvertContext& ctx,
                                      RecordEmitter& emitter, std::optional<size_t> part_at_hand) {
  TextView part;
  if (part_at_hand && *part_at_hand < ctx.town.G_PartsKanji.size())
    part = ctx.town.G_PartsKanji[*part_at_hand];
  const Alternative* alt = corrections.Find(at, ctx.reader.ZipRec, part);
  if (!alt) return std::nullopt;
  return RunAlternative(corrections, *alt, ctx, emitter, part_at_hand);
}

}  // namespace tessivar
