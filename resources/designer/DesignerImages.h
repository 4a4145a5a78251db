#pragma once
// The designer library's images, compiled in.
#include <string_view>

namespace tev::designer {

// The upload's looping animation (an animated GIF standing in for the AVI resource).
constexpr int IDR_UPLOAD_ANIMATION = 7543;

// The bytes of image `id`; empty when there is none.
std::string_view DesignerImage(int id);

} // namespace tev::designer
