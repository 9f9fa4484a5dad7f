// Word shortening: post-office-box and port-office notes, legal-entity and
// stock-company forms, narrowing and the building-detail split.
#include "convert/emit/emit_word_shortening.h"

#include <gtest/gtest.h>

#include "convert/emit_test_support.h"

namespace tessivar {
namespace {

using testing::EmitHarness;
using testing::U8;

// A business-office record of a word-list run as the dispatcher hands it to
// the emitter: town = city, sub-area = address, no city prefix.
struct Shortening {
  Shortening(std::u16string city, std::u16string address, std::u16string name,
             std::u16string office = u"\"太宰府\"")
      : h(Purpose::kWordList, true) {
    h.Business(u"8188799", city, address, std::move(name), u"ｶﾅ", std::move(office));
    h.ctx.values.G_OutTownKanji = city;
    h.ctx.values.G_OutSubKanji = address;
  }
  void Run() { F_ShortenWord(h.ctx.values, h.ctx.reader.ZipRec); }
  std::string sub() const { return U8(h.ctx.values.G_OutSubKanji); }
  std::string comment() const { return U8(h.ctx.values.G_CommentKanji); }
  std::string name() const { return U8(h.ctx.reader.ZipRec[kCompanyKanji]); }
  EmitHarness h;
};

TEST(WordShorteningTest, NotesMoveIntoTheComment) {
  struct Case {
    const char* label;
    std::u16string address, office;
    const char* sub;
    const char* comment;
  } cases[] = {
      {"post-office box at the end", u"宰府１（太宰府支店私書箱第４号）", u"\"太宰府\"", "宰府１",
       "（太宰府支店私書箱第４号）"},
      {"text after the bracket stays and is appended", u"Ａ（私書箱第１号）Ｂ", u"\"x\"", "ＡＢ",
       "（私書箱第１号）Ｂ"},
      {"half-width brackets", u"Ａ(私書箱第１号)", u"\"x\"", "Ａ", "(私書箱第１号)"},
      {"no closing bracket: the note runs to the end", u"Ａ（私書箱第１号", u"\"x\"", "Ａ", "（私書箱第１号"},
      {"office name without bracket", u"宰府１太宰府支店私書箱第４号", u"\"太宰府\"", "宰府１",
       "太宰府支店私書箱第４号"},
      {"other office name: unchanged", u"宰府１博多支店私書箱第４号", u"\"太宰府\"",
       "宰府１博多支店私書箱第４号", ""},
      {"one-character flag in slot 9: unchanged", u"宰府１支店私書箱第４号", u"0", "宰府１支店私書箱第４号",
       ""},
      {"port office", u"Ａ（ポート局第２号）Ｂ", u"\"x\"", "ＡＢ", "（ポート局第２号）Ｂ"},
      {"bracket without a note: unchanged", u"Ａ（Ｂ）", u"\"x\"", "Ａ（Ｂ）", ""},
      // A note of length zero keeps the address and copies its rest into the comment.
      {"box at the start, no closing bracket", u"（私書箱第１号", u"\"x\"", "（私書箱第１号",
       "（私書箱第１号"},
      {"closing bracket right before the port office", u"（Ａ）（ポート局第１）", u"\"x\"",
       "（Ａ）（ポート局第１）", "（ポート局第１）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Shortening s(u"太宰府市", c.address, u"某", c.office);
    s.Run();
    EXPECT_EQ(s.sub(), c.sub);
    EXPECT_EQ(s.comment(), c.comment);
  }
}

TEST(WordShorteningTest, LengthOfThirtyChangesNothing) {
  // 10 + 10 + 9 + 1 = 30: the forms stay, nothing is narrowed.
  Shortening s(u"太宰府市", u"ＡＢＣＤＥＦＧＨＩＪ", u"株式会社　ＷＸＹＺ");
  s.h.ctx.values.G_OutTownKanji = u"ＡＢＣＤＥＦＧＨＩＪ";
  ASSERT_EQ(WordLength(s.h.ctx.values, s.h.ctx.reader.ZipRec), 30);
  s.Run();
  EXPECT_EQ(s.name(), "株式会社　ＷＸＹＺ");
  EXPECT_EQ(s.sub(), "ＡＢＣＤＥＦＧＨＩＪ");
  EXPECT_EQ(s.comment(), "");
}

struct NameCase {
  const char* label;
  std::u16string name;
  int address_length;  // of the sub-area, to steer L after the name shrinks
  const char* shortened;
  const char* comment;
};

// Town 10 + sub-area + name + 1 with no city prefix.
void CheckNames(const NameCase* begin, const NameCase* end) {
  for (const NameCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->label);
    Shortening s(u"", std::u16string(c->address_length, u'地'), c->name);
    s.h.ctx.values.G_OutTownKanji = std::u16string(10, u'町');
    s.Run();
    EXPECT_EQ(s.name(), c->shortened);
    EXPECT_EQ(s.comment(), c->comment);
  }
}

TEST(WordShorteningTest, StockCompanyForms) {
  const NameCase cases[] = {
      // 10 + 12 + 8 + 1 = 31; after "（株）" 10 + 12 + 6 + 1 = 29.
      {"株式会社　 becomes （株）", u"株式会社　東西商", 12, "（株）東西商", ""},
      // Still too long: step 4 deletes "（株）" again.
      {"（株） deleted when still too long", u"株式会社　東西商", 14, "東西商", ""},
      {"only the first form found is replaced", u"（株）　Ａ株式会社　Ｂ", 9, "（株）Ａ株式会社　Ｂ", ""},
      {"blank on both sides", u"東西　株式会社　本社", 12, "東西（株）本社", ""},
      {"old spelling", u"東西　株式會社　本", 12, "東西（株）本", ""},
  };
  CheckNames(std::begin(cases), std::end(cases));
}

TEST(WordShorteningTest, LegalEntityForms) {
  const NameCase cases[] = {
      {"two rows apply, the later comment wins", u"社団法人　医療法人　健生会", 20, "健生会", "医療法人"},
      {"comment with a half-width blank", u"独立行政法人　労働者健康福祉機構　九州労災病院", 5,
       "九州労災病院", "独立行政法人 労働者健康福祉機構"},
      {"only the form is cut", u"独立行政法人　都市再生機構　九州支社", 5, "都市再生機構　九州支社",
       "独立行政法人"},
      {"replaced by an abbreviation", u"全国農業協同組合連合会　福岡県本部", 5, "全農　福岡県本部",
       "全国農業協同組合連合会"},
      {"limited company between blanks", u"東西　有限会社　本店", 12, "東西（有）本店", ""},
      {"limited company, no closing bracket", u"有限会社　東西", 13, "（有　東西", ""},
      {"abbreviation with a blank", u"独立行政法人　産業技術総合研究所　九州センター", 5,
       "産総研　九州センター", "独立行政法人　産業技術総合研究所"},
      {"agricultural cooperative", u"福岡市農業協同組合　本所", 10, "福岡市農協　本所", ""},
  };
  CheckNames(std::begin(cases), std::end(cases));
}

TEST(WordShorteningTest, NarrowsTownSubAreaAndNameButNotTheCity) {
  Shortening s(u"", u"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ", u"ＸＹＺ");
  s.h.ctx.values.G_CityKanji = u"ＣＩＴＹ";
  s.h.ctx.values.G_OutTownKanji = u"ＴＯＷＮＴＯＷＮ";
  s.Run();
  EXPECT_EQ(U8(s.h.ctx.values.G_CityKanji), "ＣＩＴＹ");
  EXPECT_EQ(U8(s.h.ctx.values.G_OutTownKanji), "TOWNTOWN");
  EXPECT_EQ(s.sub(), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(s.name(), "XYZ");
}

TEST(WordShorteningTest, BuildingDetailsMoveIntoTheComment) {
  struct Case {
    const char* label;
    std::u16string address;
    const char* slot8;
    const char* comment;
  } cases[] = {
      {"building after 号", u"天神１番２号天神ビル", "天神１番２号", "天神ビル"},
      {"building after 番地", u"天神１２番地天神ビル", "天神１２番地", "天神ビル"},
      {"chome keeps the numbers after it", u"天神３丁目２－３天神ビル", "天神３丁目２－３", "天神ビル"},
      {"chome with half-width numbers", u"天神３丁目2-3天神ビル", "天神３丁目2", "-3天神ビル"},
      {"floor mark Ｆ", u"天神１番２号天神ビル５Ｆ", "天神１番２号", "天神ビル５Ｆ"},
      {"floor 階 splits at 丁目 first", u"天神１番地３丁目２天神ビル５階", "天神１番地３丁目２",
       "天神ビル５階"},
      {"floor 階 does not split at 号", u"天神１番２号天神ビル５階", "天神１番２号天神ビル５階", ""},
      {"building with no split word", u"天神天神中央ビル", "天神天神中央ビル", ""},
      {"no building", u"天神１番２号", "天神１番２号", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    // The name alone makes L > 30 after every shortening of it.
    Shortening s(u"福岡市中央区", c.address, std::u16string(30, u'名'));
    s.Run();
    EXPECT_EQ(U8(s.h.ctx.reader.ZipRec[kTownKanji]), c.slot8);
    EXPECT_EQ(s.comment(), c.comment);
    if (*c.comment) {
      EXPECT_EQ(s.sub(), c.slot8);  // full width again after a split
    }
  }
}

}  // namespace
}  // namespace tessivar
