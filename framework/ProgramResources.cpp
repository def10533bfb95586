#include "framework/ProgramResources.h"

namespace kirabo {

namespace {
ProgramResources& Stored() {
  static ProgramResources resources;
  return resources;
}
}  // namespace

void SetProgramResources(const ProgramResources& resources) { Stored() = resources; }

const ProgramResources& GetProgramResources() { return Stored(); }

}  // namespace kirabo
