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
  p.powerLevels = store.value("machine/powerLevels", p.powerLevels).toInt();
  p.rapidGapMm = store.value("machine/rapidGapMm", p.rapidGapMm).toDouble();
  p.gamma = store.value("machine/gamma", p.gamma).toDouble();
  p.lineIntervalMm = store.value("machine/lineIntervalMm", p.lineIntervalMm).toDouble();
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
  store.setValue("machine/powerLevels", p.powerLevels);
  store.setValue("machine/rapidGapMm", p.rapidGapMm);
  store.setValue("machine/gamma", p.gamma);
  store.setValue("machine/lineIntervalMm", p.lineIntervalMm);
}

}  // namespace skelda

namespace skelda {

MotionSettings LoadMotionSettings() {
  const QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  MotionSettings d;
  d.baud = kDefaultBaud;
  const auto text = [&](const char* key, double value) {
    return store.value(key, value).toString().toStdString();
  };
  try {
    MotionSettings m = ParseMotionSettings(text("machine/maxRate", d.maxRate[0]),
                                           text("machine/acceleration", d.acceleration[0]),
                                           text("machine/junctionDeviation", d.junctionDeviation));
    m.baud = ParseBaud(text("machine/baud", kDefaultBaud));
    return m;
  } catch (const std::exception&) {
    return d;
  }
}

void SaveMotionSettings(const MotionSettings& m) {
  QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  store.setValue("machine/maxRate", m.maxRate[0]);
  store.setValue("machine/acceleration", m.acceleration[0]);
  store.setValue("machine/junctionDeviation", m.junctionDeviation);
  store.setValue("machine/baud", m.baud);
}

}  // namespace skelda

namespace skelda {

ConnectionChoice LoadConnectionChoice() {
  const QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  ConnectionChoice c;
  c.network = store.value("connection/network", false).toBool();
  c.port = store.value("connection/port").toString().toStdString();
  c.address = store.value("connection/address").toString().toStdString();
  const int baud = store.value("connection/baud", c.baud).toInt();
  if (baud >= ConnectionChoice::kMinBaud && baud <= ConnectionChoice::kMaxBaud) c.baud = baud;
  return c;
}

void SaveConnectionChoice(const ConnectionChoice& c) {
  QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  store.setValue("connection/network", c.network);
  store.setValue("connection/port", QString::fromStdString(c.port));
  store.setValue("connection/baud", c.baud);
  store.setValue("connection/address", QString::fromStdString(c.address));
}

}  // namespace skelda
