#pragma once
// Business-office records: each record of the business-office file is
// emitted once, after the corrections for its postal code have run. A
// correction row may emit several records (one per office listed under one
// code), may set the name, reading, address, city and comment, and is kept
// as data (tables/business_fix_rows.tsv, tables/business_fix_ime_rows.tsv).
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/convert_context.h"
#include "convert/emit_interface.h"

namespace tessivar {

// One action of a correction row: key, alternative, action, field, text, with.
// A row is the run of consecutive lines with one key; lines are sorted by key.
using BusinessFixLine = std::array<std::u16string_view, 6>;
using BusinessFixTable = std::span<const BusinessFixLine>;

// The shipped tables: word-list-only corrections and the main table.
BusinessFixTable BusinessFixImeRows();
BusinessFixTable BusinessFixRows();

// F_BusinessEdit with the shipped tables, and with tables of the caller's own.
void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter);
void F_BusinessEdit(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable ime_rows,
                    BusinessFixTable main_rows);

// Runs the row of rows whose key equals slot 2 (at most one row matches).
// F_BusinessFixIme runs the word-list-only table; F_BusinessFix the part of
// the main table chosen by the first digit of the code ("0" to "9").
void F_BusinessFixIme(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable rows);
void F_BusinessFix(ConvertContext& ctx, RecordEmitter& emitter, BusinessFixTable rows);

// The first fault of a table (unsorted keys, unknown action, field the action
// cannot use, a guard after the first action, an emission where word_list_only
// forbids it), or an empty text when the table is sound.
std::string CheckBusinessFixTable(BusinessFixTable rows, bool word_list_only);

}  // namespace tessivar
