#pragma once
// The hourglass while the program works and takes no input, by scope: every path out of the work,
// an exception among them, gives the cursor back.

namespace cv {

class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// For a view that turns the hourglass on and off through a call pair rather than a scope.
void SetBusyCursor(bool busy);

}  // namespace cv
