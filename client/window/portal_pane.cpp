#include "client/window/portal_pane.h"

#include "client/window/text_filters.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

// Longer addresses are not links a page hands out for a person to read.
constexpr std::size_t kMaxPageAddress = 4096;

}  // namespace

CPortalPane::CPortalPane(platform::HtmlViewFactory& views, platform::HtmlViewRole role, platform::Shell& shell)
    : role_(role), shell_(shell), view_(views.Create(role)) {
  view_->SetListener(this);
}

CPortalPane::~CPortalPane() { view_->SetListener(nullptr); }

void CPortalPane::OnLeftButtonUp() {
  view_->GetElementHtml("GO_URL", [this](const std::string& html) {
    OpenPageAddress(shell_, html);
  });
}

void CPortalPane::OnNewWindowRequested(const std::string& address) {
  if (role_ == platform::HtmlViewRole::Welcome) OpenPageAddress(shell_, address);
}

bool OpenPageAddress(platform::Shell& shell, const std::string& address) {
  // The element's inner HTML: an address with "&" reads back as "&amp;".
  const std::string decoded = ReplaceAll(address, "&amp;", "&");
  const std::string_view url = text::Trim(decoded);
  // A page may name any address; only web pages go to the browser, so a
  // page cannot make the desktop open files or other programs.
  const bool web = text::StartsWithIgnoreCase(url, "http://") || text::StartsWithIgnoreCase(url, "https://");
  if (url.empty() || url.size() > kMaxPageAddress || text::EqualsIgnoreCase(url, "http") || !web) return false;
  if (url.find_first_of(std::string_view("\0\r\n\t \"<>", 8)) != std::string_view::npos) return false;
  const std::string target(url);
  return shell.OpenUrl(target) || shell.OpenProgram(kFallbackBrowser, target);
}

}  // namespace orvinta::window
