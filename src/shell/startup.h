#pragma once
// Start-up: loads the main window's field sets, finds the input files,
// prepares the prefecture boxes, the data-kind label and the default options.
#include "shell/application.h"

namespace tessivar {

// Returns true when the program is ready; false when start-up stopped (the
// start screen's button then reads "エラーのため終了します").
bool RunStartup(Application& app);

// The main window's load: the field catalogue and the field-set file.
void Form_Load(Application& app);

}  // namespace tessivar
