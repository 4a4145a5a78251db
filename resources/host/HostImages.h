#pragma once
// The program's images, compiled in: the program icon (resource 128) at several sizes.
#include <string_view>

namespace tev::host {

constexpr int kProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The identifier of the program icon's PNG image of `size` pixels.
constexpr int ProgramIconImageId(int size) {
    return 128 * 1000 + size;
}

// The bytes of image `id` (a PNG file); empty when there is none.
std::string_view HostImage(int id);

} // namespace tev::host
