#pragma once

namespace kirabo {

// Version block of the program: product name, and the file and product
// version, which are the same.
constexpr char kProductName[] = "Kirabo";
constexpr char kVersion[] = "0.0.0.1";

}  // namespace kirabo
