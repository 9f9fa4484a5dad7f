#pragma once
// Opens the lines of one input file, whatever form start-up found it in.
#include <filesystem>
#include <memory>
#include <string>

#include "convert/context/input_files.h"
#include "text/line_source.h"

namespace tessivar {

// The lines of file (in in_folder), unpacked or streamed from inside its zip;
// those of utf_ken_all.csv in the form of KEN_ALL.CSV. nullptr, with error
// naming the file, when it cannot be opened.
std::unique_ptr<text::LineSource> OpenInputLines(const std::filesystem::path& in_folder,
                                                 const InputFile& file, std::string& error);

}  // namespace tessivar
