#pragma once
// Start-up: makes a home other than the program folder on its first start,
// loads the main window's field sets, finds the input files, prepares the
// prefecture boxes, the data-kind label and the default options.
#include "shell/application.h"

namespace tessivar {

// Returns true when the program is ready; false when start-up stopped (the
// start screen's button then reads "エラーのため終了します").
bool RunStartup(Application& app);

// The main window's load: the field catalogue and the field-set file.
void Form_Load(Application& app);

// Looks at CSV_IN again as start-up does, after files were added to it: the
// roles of its files, the prefecture boxes offered and the data-kind label.
// With both kinds of address data there, every prefecture box is cleared
// and disabled, so that no run starts until they are sorted out.
void RereadInputFolder(Application& app);

}  // namespace tessivar
