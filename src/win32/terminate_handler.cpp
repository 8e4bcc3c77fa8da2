// What std::terminate calls in the windowed programs. It ends the program through abort, as the
// default handler does, without first writing the exception's name to the standard error, which
// a windowed program has not got. The default handler would bring a name demangler and a
// formatted printer into the executable: about 75 KB of the release's size.
//
// Linked into each program as its own object (not through the library) so that the linker finds
// this definition before it looks in the C++ runtime library.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
