#pragma once
// The Kyoto street codes: for these postal codes the parenthesised text of a
// town name is written in front of it ("Ｂ" before "Ａ町" for "Ａ町（Ｂ）").
// The list is data: tables/kyoto_codes.tsv, one row per code with its group.
#include "convert/context/zip_record.h"

namespace tessivar {

// True when the code's first three characters name a group of the list
// ("600", "602", "604" or "605") and the whole code is in that group; an
// exact comparison, nothing trimmed.
bool F_IsKyotoCode(TextView code);

}  // namespace tessivar
