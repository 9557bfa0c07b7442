// Replaces the runtime's default end for an uncaught exception. That one prints the exception's
// name to a console a windowed program does not have, and brings the symbol demangler with it:
// about 45 KB of every image it is linked into, resident while the program runs. Linked as an
// object, so it is chosen before the runtime library's own.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
