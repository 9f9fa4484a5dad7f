#pragma once
// The columns of a line of Japan Post's files, read as the CSV standard
// (RFC 4180) reads them: a field that begins with a double quote is quoted,
// and a comma or a line end inside it belongs to the field (two double quotes
// inside it stand for one and do not end it). Japan Post quotes its text
// fields and never puts a comma or a line end inside one: a record whose town
// name runs on over several lines is several complete lines, joined by the
// reader, not one quoted field.
#include <vector>

#include "convert/context/zip_record.h"

namespace tessivar {

// Where the column that begins at from ends: the position of the comma after
// it, or npos when it runs to the end of line.
size_t ColumnEnd(TextView line, size_t from);

// Splits line into cols at the commas between columns, each column a view
// into line (valid while line is). False when the line ends inside a quoted
// field, so that its line end belongs to the field and the record goes on on
// the next line.
bool SplitColumns(TextView line, std::vector<TextView>& cols);

// Whether a line that begins inside a quoted field (it continues one) ends
// inside one too.
bool EndsInsideQuotes(TextView continued_line);

}  // namespace tessivar
