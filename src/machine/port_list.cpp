#include "machine/port_list.h"

#include <libserialport.h>

#include <algorithm>
#include <cstdio>

namespace skelda {

std::vector<PortInfo> ListPorts() {
  std::vector<PortInfo> ports;
  sp_port** list = nullptr;
  if (sp_list_ports(&list) != SP_OK) return ports;
  for (sp_port** p = list; *p; ++p) {
    PortInfo info;
    info.path = sp_get_port_name(*p);
    if (const char* d = sp_get_port_description(*p)) info.description = d;
    if (sp_get_port_transport(*p) == SP_TRANSPORT_USB) {
      int vid = -1, pid = -1;
      if (sp_get_port_usb_vid_pid(*p, &vid, &pid) == SP_OK) {
        info.vendorId = vid;
        info.productId = pid;
      }
      if (const char* m = sp_get_port_usb_manufacturer(*p)) info.maker = m;
      if (const char* n = sp_get_port_usb_product(*p)) info.product = n;
    }
    ports.push_back(std::move(info));
  }
  sp_free_port_list(list);
  std::sort(ports.begin(), ports.end(),
            [](const PortInfo& a, const PortInfo& b) { return a.path < b.path; });
  return ports;
}

std::string PortLine(const PortInfo& port) {
  std::string line = port.path;
  if (port.vendorId >= 0) {
    char id[16];
    std::snprintf(id, sizeof id, "%04x:%04x", port.vendorId & 0xffff, port.productId & 0xffff);
    line += std::string("  ") + id;
  }
  if (!port.maker.empty()) line += "  " + port.maker;
  if (!port.product.empty()) line += "  " + port.product;
  if (port.maker.empty() && port.product.empty() && !port.description.empty() &&
      port.description != port.path) {
    line += "  " + port.description;
  }
  return line;
}

}  // namespace skelda
