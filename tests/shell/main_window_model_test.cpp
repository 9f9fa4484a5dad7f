#include "shell/main_window_model.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(MainWindowModel, PurposeSetsCodeFormColumnOptionAndEnabledGroups) {
  MainWindowModel form;
  form.SelectPurpose(2);
  EXPECT_FALSE(form.Opt_形式[1].value);
  EXPECT_TRUE(form.Opt_列名.enabled && form.出力指定.enabled);
  EXPECT_FALSE(form.Opt_空白[1].enabled);
  form.Opt_列名.value = true;

  form.SelectPurpose(0);  // back to the word list: column line cleared, hyphen chosen
  EXPECT_FALSE(form.Opt_列名.value);
  EXPECT_TRUE(form.Opt_形式[1].value);
  EXPECT_TRUE(form.Opt_空白[1].enabled && form.県名指定.enabled);

  form.SelectPurpose(1);  // database: column line always, no hyphen, code form fixed
  EXPECT_TRUE(form.Opt_列名.value);
  EXPECT_FALSE(form.Opt_列名.enabled);
  EXPECT_TRUE(form.Opt_形式[0].value);
  EXPECT_FALSE(form.Opt_形式[0].enabled || form.Opt_形式[1].enabled);
}

TEST(MainWindowModel, AllBoxesSwitchChangesDisabledBoxesOnlyUnderTheAllPrefectureBox) {
  MainWindowModel form;
  for (auto& box : form.Chk_県名) box = {true, false};
  form.Chk_県名[13].enabled = true;
  form.Chk_県指定一括.value = false;

  form.Chk_県名[0].value = false;
  form.Chk_県指定一括_Click();
  EXPECT_FALSE(form.Chk_県名[13].value);
  EXPECT_TRUE(form.Chk_県名[14].value);  // disabled, left alone

  form.Chk_県名[0].value = true;
  form.Chk_県指定一括_Click();
  for (int code = 1; code <= 47; ++code) EXPECT_FALSE(form.Chk_県名[static_cast<size_t>(code)].value);
}

}  // namespace
}  // namespace tessivar
