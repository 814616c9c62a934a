// A TabStrip on fake site, windows, tracking, theme and dialog, for the tab
// control's tests. The control is destroyed before the fakes it uses.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

#include "common/control_error.h"
#include "support/fake_tab_site.h"
#include "tabctl/tab_strip.h"

namespace tarvex {

class TabFixture : public ::testing::Test {
 protected:
  TabStripServices Services() { return TabStripServices{&theme, &windows, &tracking, &dialog}; }
  TabStrip& Make() {
    tab = std::make_unique<TabStrip>(site, events, Services());
    tab->InitProperties();
    return *tab;
  }
  TabStrip& MakeFromBag(const PropertyBag& bag) {
    tab = std::make_unique<TabStrip>(site, events, Services());
    tab->ReadProperties(bag);
    return *tab;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < tab->TabCount(); ++i) out.push_back(tab->TabCaption(i));
    return out;
  }
  // Runs f, expecting a ControlError; returns it.
  template <class F>
  static ControlError Failure(F&& f) {
    try {
      f();
    } catch (const ControlError& e) {
      return e;
    }
    ADD_FAILURE() << "no ControlError raised";
    return ControlError(0, "");
  }

  FakeTabSite site;
  RecordingTabEvents events;
  FakeWindows windows;
  FakeTracking tracking;
  FakeThemeInfo theme;
  FakeFileDialog dialog;
  std::unique_ptr<TabStrip> tab;
};

}  // namespace tarvex
