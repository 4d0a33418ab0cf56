#pragma once

#include <functional>
#include <string>
#include <vector>

#include "window/help_page.h"

namespace calpero::testing {

// Stands in for the desktop: answers the look-up as told, records what was asked and launched,
// and starts nothing. `onLookUp` runs inside each look-up, to observe the window at that moment.
class FakeHelpShell : public THelpShell {
 public:
  bool FindBrowser(const std::string& page) override {
    lookedUp.push_back(page);
    if (onLookUp) {
      onLookUp();
    }
    return browserFound;
  }
  void Launch(const std::string& page) override { launched.push_back(page); }

  bool browserFound = false;
  std::function<void()> onLookUp;
  std::vector<std::string> lookedUp;
  std::vector<std::string> launched;
};

}  // namespace calpero::testing
