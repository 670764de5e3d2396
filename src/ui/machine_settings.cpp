#include "ui/machine_settings.h"

#include <QSettings>

namespace skelda {

MachineProfile LoadMachineProfile() {
  const QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  MachineProfile p;
  p.machine = store.value("machine/type").toString() == QLatin1String(MachineName(Machine::Grbl))
                  ? Machine::Grbl
                  : Machine::Classic;
  p.maxPower = store.value("machine/maxPower", p.maxPower).toInt();
  p.minPower = store.value("machine/minPower", p.minPower).toInt();
  p.overscanMm = store.value("machine/overscanMm", p.overscanMm).toDouble();
  p.oneWay = store.value("machine/oneWay", p.oneWay).toBool();
  p.scanOffsetMm = store.value("machine/scanOffsetMm", p.scanOffsetMm).toDouble();
  p.grayscale = store.value("machine/grayscale", p.grayscale).toBool();
  try {
    CheckMachineProfile(p);
  } catch (const std::exception&) {
    // A settings file edited by hand into nonsense: start again from the defaults.
    return MachineProfile{};
  }
  return p;
}

void SaveMachineProfile(const MachineProfile& p) {
  QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  store.setValue("machine/type", QLatin1String(MachineName(p.machine)));
  store.setValue("machine/maxPower", p.maxPower);
  store.setValue("machine/minPower", p.minPower);
  store.setValue("machine/overscanMm", p.overscanMm);
  store.setValue("machine/oneWay", p.oneWay);
  store.setValue("machine/scanOffsetMm", p.scanOffsetMm);
  store.setValue("machine/grayscale", p.grayscale);
}

}  // namespace skelda
