#pragma once

#include <memory>

namespace kirabo {

// The platform's icon, defined by each platform layer.
struct NativeIcon;

// An icon from the program's resources; empty when there was none. Copies
// share the one loaded image.
class Icon {
 public:
  Icon() = default;
  explicit Icon(std::shared_ptr<const NativeIcon> native) : native_(std::move(native)) {}

  bool IsNull() const { return native_ == nullptr; }
  const NativeIcon* Native() const { return native_.get(); }

 private:
  std::shared_ptr<const NativeIcon> native_;
};

}  // namespace kirabo
