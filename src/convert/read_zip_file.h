#pragma once
// The postal record reader: turns the lines of one Japan Post file into
// postal records, one at a time, and hands each to the town-area rules
// (address files) or to the business-office rules (the business file).
#include <functional>

#include "convert/convert_context.h"
#include "text/text_file.h"

namespace tessivar {

// Receives each finished record in ctx.reader.ZipRec.
using RecordHandler = std::function<void(ConvertContext&)>;

// Reads input to its end and closes it, handing every record to the
// business-office rules when ctx.reader.G_InputIndex is 48, else to the town-area
// rules.
void F_ReadZipFile(ConvertContext& ctx, TextFileReader& input);
// The same with another receiver of the records.
void F_ReadZipFile(ConvertContext& ctx, TextFileReader& input, const RecordHandler& hand_on);

// A text field without its quotes: the first and the last character dropped,
// whatever they are. A field shorter than two characters cannot be unquoted
// (InvalidArgument).
Text Unquote(TextView field);

}  // namespace tessivar
