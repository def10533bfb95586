#pragma once

namespace kirabo {

// The separator that the program writes into paths. Windows also accepts
// '/', which its own path functions turn into '\\'.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace kirabo
