// The simulator's box lines as the Wine robot writes the same box, so that
// the two sides of a comparison read alike.
#pragma once

#include <string>

// A simulator box line, `box "TITLE" [BUTTONS] ICON, OWNER: "TEXT"`, as the
// robot writes it: `box "TITLE" "TEXT" buttons BUTTONS icon shown|none`.
inline std::string RobotForm(const std::string& line) {
  const auto open = line.find(" ["), close = line.find("] ", open);
  const auto text = line.find(": \"", close);
  const std::string title = line.substr(4, open - 4);
  const std::string buttons = line.substr(open + 2, close - open - 2);
  const bool icon = line.compare(close + 2, 8, "no icon,") != 0;
  return "box " + title + " " + line.substr(text + 2) + " buttons " + buttons + " icon " +
         (icon ? "shown" : "none");
}
