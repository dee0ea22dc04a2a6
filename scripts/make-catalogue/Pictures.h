#pragma once
// The catalogue's pictures, drawn here: a product as a labelled box with its
// ports, the "new" badge and the placeholder of the catalogue window. Each
// comes out as PNG file bytes (8-bit palette).
#include <string>
#include <string_view>

namespace trelvix::catalogue {

// 240 x 240: the product's body in its category's colour, `copper` ports and
// `fibre` cages on its front, and the model name (ASCII letters, digits and
// "+-./()"; letters drawn as capitals) below.
std::string ProductPicture(std::string_view model, int category, int copper, int fibre);
// 26 x 26: "NEW" on red.
std::string NewBadgePicture();
// 160 x 160: a grey frame with three dots, shown while a product is read.
std::string PlaceholderPicture();

}  // namespace trelvix::catalogue
