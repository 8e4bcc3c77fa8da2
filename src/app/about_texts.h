// The about box's texts and the maker's address.
#pragma once

namespace quillmark {

inline constexpr const char* kAboutProductName = "Quillmark";
inline constexpr const char* kAboutMakerLine = "Copyright (c) 2026 Fernhollow";
inline constexpr const char* kAboutDescription = "Windows 7 Tweak Utility";
inline constexpr const char* kMakerSiteName = "www.fernhollow.example";
// The link label's and the picture's hint: what the shell is asked to open.
inline constexpr const char* kMakerAddress = "http://www.fernhollow.example/";
inline constexpr const char* kAboutOkCaption = "OK";

}  // namespace quillmark
