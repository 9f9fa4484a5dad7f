#include "convert/business/business_edit.h"

#include "convert/corrections/correction_steps.h"

#include "BusinessFixImeRowsTable.inc"
#include "BusinessFixRowsTable.inc"

namespace tessivar {

using namespace correction;

namespace {

// One office of the record: the address as it stands, then the emitter.
void EmitOffice(ConvertContext& ctx, RecordEmitter& emitter) {
  ctx.values.G_OutTownKanji = ctx.run.options.word_list() ? ctx.reader.ZipRec[kCityKanji] : Text();
  ctx.values.G_OutSubKanji = ctx.reader.ZipRec[kTownKanji];
  emitter.Emit(ctx.values);
}

// The fields of a business-office row: the record's slots and the comment.
class BusinessSubject final : public CorrectionSubject {
 public:
  BusinessSubject(ConvertContext& ctx, RecordEmitter& emitter) : ctx_(ctx), emitter_(emitter) {}

  Text& FieldText(Field field, int) override {
    ZipRecord& rec = ctx_.reader.ZipRec;
    switch (field) {
      case Field::kComment: return ctx_.values.G_CommentKanji;
      case Field::kRecordTownKanji: return rec[kTownKanji];
      case Field::kRecordCityKanji: return rec[kCityKanji];
      case Field::kCompanyKanji: return rec[kCompanyKanji];
      case Field::kCompanyKana: return rec[kCompanyKana];
      default: throw IndexOutOfRange();
    }
  }
  void Emit() override { EmitOffice(ctx_, emitter_); }

 private:
  ConvertContext& ctx_;
  RecordEmitter& emitter_;
};

void RunRow(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& rows) {
  const Alternative* alt = rows.Find(Checkpoint::kA, ctx.reader.ZipRec);
  if (!alt) return;
  BusinessSubject subject(ctx, emitter);
  RunSteps(rows.table(), *alt, subject, ctx.run);
}

}  // namespace

const Corrections& ShippedBusinessFixImeRows() {
  static const Corrections shipped(kBusinessFixImeRows);
  return shipped;
}

const Corrections& ShippedBusinessFixRows() {
  static const Corrections shipped(kBusinessFixRows);
  return shipped;
}

void F_BusinessFixIme(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& rows) {
  RunRow(ctx, emitter, rows);
}

void F_BusinessFix(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& rows) {
  // The main table is kept in ten parts by the first digit of the code; a
  // code that starts otherwise has no part.
  const Text& code = ctx.reader.ZipRec[kPostalCode];
  if (code.empty() || code[0] < u'0' || code[0] > u'9') return;
  RunRow(ctx, emitter, rows);
}

void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter) {
  F_BusinessEdit(ctx, emitter, ShippedBusinessFixImeRows(), ShippedBusinessFixRows());
}

void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& ime_rows,
                    const Corrections& main_rows) {
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
  ctx.values.narrow_floor_number = false;
  if (word_list) F_BusinessFixIme(ctx, emitter, ime_rows);
  F_BusinessFix(ctx, emitter, main_rows);
  EmitOffice(ctx, emitter);
}

}  // namespace tessivar
