#pragma once
// Business-office records: each record of the business-office file is
// emitted once, after the corrections for its postal code have run. A
// correction row may emit several records (one per office listed under one
// code), may set the name, reading, address, city and comment, and is kept
// as data (tables/business_fix_rows.tsv, tables/business_fix_ime_rows.tsv).
#include "convert/context/convert_context.h"
#include "convert/context/emit_interface.h"
#include "convert/corrections/corrections.h"

namespace tessivar {

// The shipped tables: rows for the word list only, and the main table.
const Corrections& ShippedBusinessFixImeRows();
const Corrections& ShippedBusinessFixRows();

// F_BusinessEdit with the shipped tables, and with tables of the caller's own.
void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter);
void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& ime_rows,
                    const Corrections& main_rows);

// Runs the row of the record's code, when its wording is the one the row was
// made for (the first alternative that holds). F_BusinessFixIme runs the
// word-list-only rows; F_BusinessFix the main table's part chosen by the
// first digit of the code ("0" to "9").
void F_BusinessFixIme(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& rows);
void F_BusinessFix(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& rows);

}  // namespace tessivar
