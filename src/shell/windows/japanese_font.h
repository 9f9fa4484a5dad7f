#pragma once
// The windows' font: the Japanese cut of Noto Sans CJK where it is installed,
// so that kanji take their Japanese forms whatever the user's locale.
class QApplication;

namespace tessivar {

// point_size 0 keeps the size the toolkit chose.
void UseJapaneseFont(QApplication& app, int point_size = 0);

}  // namespace tessivar
