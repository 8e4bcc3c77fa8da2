// Window classes and control identifiers of the program's windows. The end-to-end test driver
// finds controls by these, so they are part of the program's outside.
#pragma once

namespace quillmark::win32 {

inline constexpr char kMainWindowClass[] = "TForm1";
inline constexpr char kAboutBoxClass[] = "TAboutBox";
inline constexpr char kClassicDialogClass[] = "TMessageForm";

// Main window.
inline constexpr int kIdLv1 = 1001;
inline constexpr int kIdMmo1 = 1002;
inline constexpr int kIdStsbr1 = 1003;
inline constexpr int kIdLv1Label = 1004;
inline constexpr int kIdMmo1Label = 1005;
// sbtbtn1 to sbtbtn6 are kIdSbtbtn1 + 0 to 5.
inline constexpr int kIdSbtbtn1 = 1011;

// About box; its OK button is IDOK so that Enter presses it.
inline constexpr int kIdPanel1 = 1101;
inline constexpr int kIdShadowLabel1 = 1102;
inline constexpr int kIdCopyright = 1103;
inline constexpr int kIdSLabel1 = 1104;
inline constexpr int kIdComments = 1105;
inline constexpr int kIdImage1 = 1106;
inline constexpr int kIdSBitBtn1 = 1;

// Classic message dialog buttons carry their results as identifiers: Yes 6, No 7, OK 1.

}  // namespace quillmark::win32
