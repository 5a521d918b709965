#pragma once
// A control wired to fakes: platform report, boxes, shell, scripted
// transport, window, and a hosting browser with a cookie text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_transport.h"
#include "tests/fakes/sent_frames.h"
#include "tests/webcontrol/quendel_fakes.h"
#include "webcontrol/quendel_ctrl.h"

namespace orvinta::quendel::testing {

// UTF-8 text in a test compiled to code page 949.
inline std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class QuendelControlTest : public ::testing::Test {
 protected:
  QuendelControlTest() { ctrl.Advise(sink); }

  // Loads the PARAMs, hands over the cookie and creates the window.
  com::HRESULT Create(com::PropertyBag params, std::optional<std::string> cookie = "blvsession_eid=S123") {
    ctrl.Load(params);
    site.browser.cookie = std::move(cookie);
    ctrl.SetClientSite(&site);
    return ctrl.CreateControlWindow(nullptr);
  }

  com::HRESULT Call(std::string_view name, std::vector<std::string> args = {}) {
    com::DispId id = 0;
    const com::HRESULT found = ctrl.GetIdOfName(name, id);
    if (found != com::S_OK) return found;
    return ctrl.Invoke(id, args);
  }

  fakes::FakeTransport& transport() { return *transports.last(); }

  // Every frame written so far, as "CMND:plain body".
  std::vector<std::string> SentFrames() {
    return fakes::DecodeSentFrames(transport().sent());
  }

  FakePlatformInfo platformInfo;
  fakes::FakeMessageBoxes boxes;
  FakeShell shell;
  fakes::FakeTransportFactory transports;
  FakeViewFactory views;
  FakeSite site;
  RecordingSink sink;
  CQuendelCtrl ctrl{QuendelPorts{platformInfo, boxes, shell, transports, views, "/opt/orvinta/bin"}};
};

}  // namespace orvinta::quendel::testing
