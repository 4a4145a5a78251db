#pragma once
// What the gallery and the preview read from the component descriptor (componentInfo.xml):
// the movie's file and its size, from the Flash element's `path`, `width` and `height`.
#include <string>

namespace TEVComponentDesignerAfx {

class CComponentMovie {
public:
    // The size a descriptor without `width` or `height` gives the movie.
    static constexpr int kDefaultSize = 200;

    // Which element holds the movie: the gallery takes the root's first child whatever its
    // name, the preview the child named "Flash".
    enum class Lookup { FirstChild, FlashElement };

    // Reads the descriptor at `descriptorPath`. False, changing nothing, when it cannot be
    // read or has no such element. Otherwise: path = descriptor folder + `path` (without a
    // `path` attribute the gallery takes the folder itself and the preview keeps its path);
    // width and height from their attributes, kDefaultSize for one that is absent or not a
    // number from 1 to a million (a size of 0 would leave nothing to show and nothing to
    // divide by).
    bool Read(const std::string& descriptorPath, Lookup lookup);

    std::string path; // full path of the movie file
    int width = 0;
    int height = 0;
};

} // namespace TEVComponentDesignerAfx
