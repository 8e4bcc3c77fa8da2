#include "win32/callback_failures.h"

#include <algorithm>
#include <cstring>

#include "core/application_title.h"

namespace quillmark::win32 {

CallbackFailures::CallbackFailures(FailureBoxApi& box) : box_(box), title_(kApplicationTitle) {
  // Room for the longest text and the full stop the box adds.
  text_.reserve(kLongestText + 1);
}

void CallbackFailures::Report(const char* message) noexcept {
  // Within the reserved capacity, so the string does not allocate.
  text_.assign(message, std::min(std::strlen(message), kLongestText));
  // The box's full-stop rule, as FailureBoxText applies it.
  if (!text_.empty() && static_cast<unsigned char>(text_.back()) > '.') text_.push_back('.');
  box_.CancelMouseCapture();
  box_.ShowErrorBox(text_, title_);
}

}  // namespace quillmark::win32
