#pragma once

namespace kirabo {

// Version block of the program.
constexpr char kProductName[] = "Kirabo";
constexpr char kFileVersion[] = "0.0.0.1";
constexpr char kProductVersion[] = "0.0.0.1";

}  // namespace kirabo
