#pragma once
// The postal record reader: turns the lines of one Japan Post file into
// postal records, one at a time, and hands each to the town-area rules
// (address files) or to the business-office rules (the business file).
#include "convert/convert_context.h"
#include "text/text_file.h"

namespace tessivar {

// Reads input to its end and closes it. ctx.G_InputIndex names the file's
// kind: 48 the business-office file, anything else an address file.
void F_ReadZipFile(ConvertContext& ctx, TextFileReader& input);

// A text field without its quotes: the first and the last character dropped,
// whatever they are. A field shorter than two characters cannot be unquoted
// (InvalidArgument).
Text Unquote(TextView field);

}  // namespace tessivar
