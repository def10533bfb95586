#include "framework/Translate.h"

namespace kirabo {

std::string DialogTextContext(int templateId) { return "Dialog" + std::to_string(templateId); }

}  // namespace kirabo
