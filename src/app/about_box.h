// The about box's logic: the link label's and the picture's pointer feedback, and opening the
// maker's address from whichever of them was clicked.
#pragma once

#include <cstdint>
#include <string>

namespace quillmark {

enum class ControlKind { Label, Picture, Other };
enum class CursorKind { Default, Hand };

struct Rgb {
  std::uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kLinkHoverColour = {0, 0, 255};
inline constexpr Rgb kLinkLeaveColour = {0, 0, 0};

// A control of the box as its handlers see it.
class AboutControl {
 public:
  virtual ~AboutControl() = default;
  virtual ControlKind Kind() const = 0;
  virtual std::string Hint() const = 0;
  virtual void SetCursor(CursorKind cursor) = 0;
  virtual void SetTextColour(Rgb colour) = 0;
};

// The shell's ShellExecute with the verb "Open", no parameters, no folder, SW_SHOWNORMAL.
class ShellOpen {
 public:
  virtual ~ShellOpen() = default;
  // Whether it worked is not looked at: nothing is reported when nothing can open it.
  virtual void Open(const std::string& target) = 0;
};

class TAboutBox {
 public:
  TAboutBox(AboutControl& comments, AboutControl& image1, ShellOpen& shell)
      : Comments(comments), Image1(image1), shell_(shell) {}

  void CommentsMouseMove();
  void CommentsMouseLeave();
  void CommentsClick(AboutControl& sender);
  void Image1MouseMove();
  void Image1MouseLeave();
  void Image1Click(AboutControl& sender);

  AboutControl& Comments;
  AboutControl& Image1;

 private:
  ShellOpen& shell_;
};

}  // namespace quillmark
