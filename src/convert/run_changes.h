#pragma once
// What the comparison with the previous output (changes/) needs to know of a
// word-list or CSV run: the output, the options that shape its lines, its
// header and where its lines hold the postal code.
#include "changes/output_changes.h"
#include "convert/context/run_environment.h"

namespace tessivar {

changes::OutputSettings ChangeSettings(const RunEnvironment& run);

}  // namespace tessivar
