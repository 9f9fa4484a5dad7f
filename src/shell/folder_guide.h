#pragma once
// Guiding the user to the folders: the message of a first start with no data
// in CSV_IN, and the ﾌｧｲﾙ menu's items that open CSV_IN and the output folder
// in the file manager.
#include <string>

#include "shell/application.h"

namespace tessivar {

// The message start-up shows when CSV_IN holds no data. Where folders can be
// opened (the windows), a question that names the folder and the two zips to
// download and offers to open the folder; it opens it on Yes. Without windows
// the same text without the question when the home is not the program
// folder, else the message beside the program as it always was.
void GuideToEmptyInputFolder(Application& app);

// The guide's text for the input folder in_folder.
std::string EmptyInputFolderGuide(const std::filesystem::path& in_folder);

// "CSV_IN フォルダーを開く": opens CSV_IN, made when missing.
void OpenInputFolder(Application& app);
// "出力フォルダーを開く": opens the folder the chosen purpose writes into
// (MDB_OUT for the database, else CSV_OUT), made when missing.
void OpenOutputFolder(Application& app);

}  // namespace tessivar
