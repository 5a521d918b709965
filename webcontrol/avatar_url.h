#pragma once
// The picture address of a member's icon number: avatars (1000 and up) under
// the portal's avatar base, the rest one of four default pictures.
#include <string>
#include <string_view>

namespace orvinta::quendel {

struct PortalImages {
  std::string avatarBase;      // a directory address ending in "/"
  std::string groupImageHost;  // an address ending in "/"
};

// The addresses this build was configured with.
const PortalImages& ConfiguredPortalImages();

enum class IconSize { Small, Large };

std::string IconUrl(long iconNumber, IconSize size, const PortalImages& images = ConfiguredPortalImages());

}  // namespace orvinta::quendel
