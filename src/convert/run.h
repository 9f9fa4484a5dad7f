#pragma once
// One conversion run: the output file's header, every selected input file in
// a fixed order (address data first, business data last), the record count.
#include "convert/context/convert_context.h"

namespace tessivar {

// F_CreateZipData: runs the conversion into ctx.run.inputs.out_folder /
// ctx.run.G_OutFileName with ctx.run.options and ctx.run.G_SelFields. Shows
// the count message for the word list and the CSV text; the database
// purpose reports after the build instead. The output file is written whole
// or not at all: false, without a count message, when an input file could
// not be read, the output could not be written, the memory ran out or no
// record was written (each said in a message; an older output file stays as
// it was). The messages about single lines and records come first, at most
// a hundred of each kind.
bool F_CreateZipData(ConvertContext& ctx);

}  // namespace tessivar
