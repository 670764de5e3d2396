// The serial ports of this computer, as a user picks one: the device, and for a USB adapter
// its vendor:product id and the maker's and product's names.
#pragma once

#include <string>
#include <vector>

namespace skelda {

struct PortInfo {
  std::string path;   // "/dev/ttyUSB0"
  int vendorId = -1;  // -1 when not a USB port
  int productId = -1;
  std::string maker;        // "QinHeng Electronics", when the port reports it
  std::string product;      // "USB Serial"
  std::string description;  // the system's one-line description
};

std::vector<PortInfo> ListPorts();

// "/dev/ttyUSB0  1a86:7523  QinHeng Electronics  USB Serial"
std::string PortLine(const PortInfo& port);

}  // namespace skelda
