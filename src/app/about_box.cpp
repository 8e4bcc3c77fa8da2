#include "app/about_box.h"

namespace quillmark {

void TAboutBox::CommentsMouseMove() {
  Comments.SetCursor(CursorKind::Hand);
  Comments.SetTextColour(kLinkHoverColour);
}

void TAboutBox::CommentsMouseLeave() {
  Comments.SetCursor(CursorKind::Default);
  Comments.SetTextColour(kLinkLeaveColour);
}

// The hint, not the caption: the caption is the site's name, the hint its full address.
void TAboutBox::CommentsClick(AboutControl& sender) {
  if (sender.Kind() != ControlKind::Label) return;
  shell_.Open(sender.Hint());
}

void TAboutBox::Image1MouseMove() { Image1.SetCursor(CursorKind::Hand); }

void TAboutBox::Image1MouseLeave() { Image1.SetCursor(CursorKind::Default); }

void TAboutBox::Image1Click(AboutControl& sender) {
  if (sender.Kind() != ControlKind::Picture) return;
  shell_.Open(sender.Hint());
}

}  // namespace quillmark
