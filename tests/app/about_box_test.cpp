// The about box's handlers and its effect label's pixels.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/about_texts.h"
#include "app/effect_label.h"

namespace quillmark::testing {
namespace {

class FakeControl final : public AboutControl {
 public:
  FakeControl(ControlKind kind, std::string hint) : kind_(kind), hint_(std::move(hint)) {}
  ControlKind Kind() const override { return kind_; }
  std::string Hint() const override { return hint_; }
  void SetCursor(CursorKind c) override { cursor = c; }
  void SetTextColour(Rgb c) override { colour = c; }

  std::optional<CursorKind> cursor;
  std::optional<Rgb> colour;

 private:
  ControlKind kind_;
  std::string hint_;
};

class RecordingShell final : public ShellOpen {
 public:
  void Open(const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

struct AboutBoxHandlers : ::testing::Test {
  FakeControl comments{ControlKind::Label, kMakerAddress};
  FakeControl image{ControlKind::Picture, kMakerAddress};
  RecordingShell shell;
  TAboutBox box{comments, image, shell};
};

TEST_F(AboutBoxHandlers, TheLinkTurnsBlueWithTheHandAndBlackOnLeave) {
  EXPECT_FALSE(comments.colour.has_value()) << "the window-text colour until the first hover";
  box.CommentsMouseMove();
  EXPECT_EQ(comments.cursor, CursorKind::Hand);
  EXPECT_EQ(comments.colour, (Rgb{0, 0, 255}));
  box.CommentsMouseLeave();
  EXPECT_EQ(comments.cursor, CursorKind::Default);
  EXPECT_EQ(comments.colour, (Rgb{0, 0, 0}));
  EXPECT_FALSE(image.cursor.has_value());
}

TEST_F(AboutBoxHandlers, ThePictureChangesOnlyItsCursor) {
  box.Image1MouseMove();
  EXPECT_EQ(image.cursor, CursorKind::Hand);
  EXPECT_FALSE(image.colour.has_value());
  box.Image1MouseLeave();
  EXPECT_EQ(image.cursor, CursorKind::Default);
  EXPECT_FALSE(comments.cursor.has_value());
}

TEST_F(AboutBoxHandlers, ClicksOpenTheSendersHintOnlyFromTheRightKindOfSender) {
  FakeControl other_label{ControlKind::Label, "http://elsewhere.example/"};
  FakeControl button{ControlKind::Other, "http://button.example/"};
  box.CommentsClick(comments);
  box.Image1Click(image);
  box.CommentsClick(other_label);  // the sender's hint, whoever the sender is
  box.CommentsClick(image);        // a picture is not a label
  box.Image1Click(comments);       // a label is not a picture
  box.Image1Click(button);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://www.fernhollow.example/",
                                                    "http://www.fernhollow.example/",
                                                    "http://elsewhere.example/"}));
  EXPECT_NE(std::string(kMakerSiteName), kMakerAddress) << "the caption is not what opens";
}

PixelImage Filled(int w, int h, Pixel p) {
  return PixelImage{w, h, std::vector<Pixel>(static_cast<std::size_t>(w) * h, p)};
}

TEST(EffectLabel, OneBlurRoundOverOneTextPixelGivesTheHandComputedMask) {
  PixelImage text = Filled(3, 3, 0);
  text.At(1, 1) = 0xFFFFFF;
  const std::vector<std::uint8_t> mask = BlurShadowMask(text, 1);
  // 5 by 5, the border stays 0; each inner cell sees the new values above and left of it.
  const std::vector<std::uint8_t> expected = {0, 0,  0,  0,  0,  //
                                              0, 0,  63, 15, 0,  //
                                              0, 63, 31, 11, 0,  //
                                              0, 15, 11, 5,  0,  //
                                              0, 0,  0,  0,  0};
  EXPECT_EQ(mask, expected);
}

TEST(EffectLabel, OnlyTheBlueComponentMarksTextAndEveryRoundMarksItAgain) {
  PixelImage text = Filled(1, 1, 0xFF0000);  // red only: no text
  EXPECT_EQ(BlurShadowMask(text, 3), std::vector<std::uint8_t>(9, 0));
  text.At(0, 0) = 0x000001;
  // A lone cell with empty neighbours sums to 0 after each round, whatever was set before.
  EXPECT_EQ(BlurShadowMask(text, 2), std::vector<std::uint8_t>(9, 0));
  PixelImage wide = Filled(2, 1, 0xFFFFFF);
  // Round 1: (1,1) = 0, (2,1) = (255 + 0) >> 2 = 63. Round 2: both set to 255 again, then
  // (1,1) = 255 >> 2 = 63, (2,1) = 63 >> 2 = 15.
  EXPECT_EQ(BlurShadowMask(wide, 2),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 63, 15, 0, 0, 0, 0, 0}));
}

TEST(EffectLabel, TheShadowIsBlendedChannelByChannel) {
  PixelImage text = Filled(3, 3, 0);
  text.At(1, 1) = 0xFFFFFF;
  const PixelImage grey = Filled(3, 3, 0x808080);
  ShadowLabelSettings settings;
  settings.blur_count = 1;
  const PixelImage out = ShadowPixels(text, grey, settings);
  // 128 * (255 - m) >> 8 for m = 0 63 15 / 63 31 11 / 15 11 5.
  const int expected[9] = {127, 96, 120, 96, 112, 122, 120, 122, 125};
  for (int i = 0; i < 9; ++i) {
    const Pixel v = static_cast<Pixel>(expected[i]);
    EXPECT_EQ(out.pixels[i], (v << 16) | (v << 8) | v) << i;
  }
  // A coloured shadow over black: only its channel grows, by s * m >> 8.
  const PixelImage red = BlendShadow(Filled(3, 3, 0), BlurShadowMask(text, 1), Rgb{255, 0, 0});
  EXPECT_EQ(red.At(1, 0), Pixel{(255 * 63) >> 8} << 16);
}

TEST(EffectLabel, ThePlanFollowsTheSettings) {
  struct Case {
    const char* name;
    ShadowLabelSettings settings;
    bool enabled;
    bool shadow;
    std::vector<TextColourSource> colours;
  };
  ShadowLabelSettings defaults;
  ShadowLabelSettings none = defaults;
  none.mode = ShadowMode::smNone;
  ShadowLabelSettings no_colour = defaults;
  no_colour.has_shadow_colour = false;
  ShadowLabelSettings no_blur = defaults;
  no_blur.blur_count = 0;
  ShadowLabelSettings standard = defaults;
  standard.kind_type = KindType::ktStandard;
  const Case cases[] = {
      {"defaults", defaults, true, true, {TextColourSource::Kind}},
      {"no shadow mode", none, true, false, {TextColourSource::Kind}},
      {"no shadow colour", no_colour, true, false, {TextColourSource::Kind}},
      {"no blur", no_blur, true, false, {TextColourSource::Kind}},
      {"standard kind", standard, true, true, {TextColourSource::LabelBackground}},
      {"disabled",
       defaults,
       false,
       false,
       {TextColourSource::SystemHighlight, TextColourSource::SystemShadow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const EffectLabelPlan plan = PlanEffectLabel(c.settings, c.enabled);
    EXPECT_EQ(plan.draws_shadow, c.shadow);
    std::vector<TextColourSource> colours;
    for (const TextPass& pass : plan.text_passes) colours.push_back(pass.colour);
    EXPECT_EQ(colours, c.colours);
  }
  const EffectLabelPlan plan = PlanEffectLabel(defaults, true);
  EXPECT_EQ(plan.shadow_distance, 1);
  EXPECT_EQ(plan.blur_count, 4);
  EXPECT_EQ(plan.text_passes[0].dx, 0);
  const EffectLabelPlan disabled = PlanEffectLabel(defaults, false);
  EXPECT_EQ(disabled.text_passes[0].dx, 1);
  EXPECT_EQ(disabled.text_passes[0].dy, 1);
  EXPECT_EQ(disabled.text_passes[1].dx, 0);
}

}  // namespace
}  // namespace quillmark::testing
