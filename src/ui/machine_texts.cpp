#include "ui/machine_texts.h"

#include <QCoreApplication>

namespace skelda {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString Number(double value) {
  return Text(RefusalNumber(value));
}

QString Reason(const ConnectFailure& f) {
  using K = ConnectFailureKind;
  const QString target = Text(f.target), detail = Text(f.detail);
  switch (f.kind) {
    case K::PortMissing:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "порт %1 не найден. Проверьте, что станок включен и подключен к компьютеру.")
          .arg(target);
    case K::PortBusy:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "порт %1 занят другой программой. Закройте ее и подключитесь снова.")
          .arg(target);
    case K::PermissionDenied:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "нет доступа к порту %1. Добавьте пользователя в группу dialout (sudo usermod "
                 "-aG dialout $USER) и войдите в систему снова.")
          .arg(target);
    case K::NotAPort:
      return QCoreApplication::translate("MachineTexts", "%1 — не последовательный порт.")
          .arg(target);
    case K::UnsupportedBaud:
      return QCoreApplication::translate("MachineTexts", "порт %1 не работает на скорости %2 бод.")
          .arg(target)
          .arg(f.baud);
    case K::LineSettings:
      return QCoreApplication::translate("MachineTexts",
                                         "порт %1 не принимает 8N1 на скорости %2 бод.")
          .arg(target)
          .arg(f.baud);
    case K::OpenFailed:
      return QCoreApplication::translate("MachineTexts", "порт %1 не открывается (%2).")
          .arg(target, detail);
    case K::BadPortNumber:
      return QCoreApplication::translate("MachineTexts", "в адресе %1 «%2» — не номер порта.")
          .arg(target, detail);
    case K::NoHost:
      return QCoreApplication::translate("MachineTexts", "в адресе %1 не указан узел сети.")
          .arg(target);
    case K::HostNotFound:
      return QCoreApplication::translate("MachineTexts",
                                         "узел сети %1 не найден (%2). Проверьте адрес.")
          .arg(target, detail);
    case K::Refused:
      return QCoreApplication::translate("MachineTexts",
                                         "%1 отказал в соединении. Проверьте адрес и номер порта.")
          .arg(target);
    case K::TimedOut:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "%1 не ответил за 5 секунд. Проверьте, что станок включен и в сети.")
          .arg(target);
    case K::Unreachable:
      return QCoreApplication::translate("MachineTexts", "%1 недоступен по сети.").arg(target);
    case K::ConnectFailed:
      return QCoreApplication::translate("MachineTexts", "нет соединения с %1 (%2).")
          .arg(target, detail);
    case K::NoWelcome:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "на %1 не ответил контроллер GRBL, даже после сброса. Проверьте порт и скорость.")
          .arg(target);
    case K::NoAnswer:
      return QCoreApplication::translate("MachineTexts", "контроллер на %1 не ответил на %2.")
          .arg(target, detail);
    case K::NoStatus:
      return QCoreApplication::translate("MachineTexts",
                                         "контроллер на %1 не прислал свое состояние.")
          .arg(target);
    case K::LinkLost:
      return QCoreApplication::translate("MachineTexts",
                                         "связь с %1 прервалась при подключении (%2).")
          .arg(target, detail);
    case K::Other:
      break;
  }
  return detail;
}

}  // namespace

QString ConnectFailureMessage(const ConnectFailure& failure) {
  return QCoreApplication::translate("MachineTexts", "Станок не подключен: %1")
      .arg(Reason(failure));
}

QString PlanningText() {
  return QCoreApplication::translate("MachineTexts", "Подготовка задания…");
}

QString RefusalMessage(const JobRefusal& r) {
  const QString axis = QString::fromLatin1(r.axis);
  const QString setting = QStringLiteral("$%1=%2").arg(r.setting).arg(Number(r.limit));
  switch (r.kind) {
    case RefusalKind::Alarm:
      return QCoreApplication::translate(
          "MachineTexts",
          "Станок в состоянии тревоги: сначала найдите ноль («Домой ($H)») или "
          "разблокируйте его («Разблокировать ($X)») и проверьте положение станка.");
    case RefusalKind::LaserModeOff:
      return QCoreApplication::translate(
          "MachineTexts",
          "Лазерный режим выключен ($32=0), а программа жжет командами M3/M4 и S: станок "
          "будет останавливаться на каждой смене мощности и прожигать пятна. Включите "
          "лазерный режим: $32=1.");
    case RefusalKind::PowerAboveMax:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "Наибольшая мощность программы S%1 выше предела контроллера %2: она будет "
                 "урезана, и оттенки пропадут. Запишите программу для S%3 или установите $30=%1.")
          .arg(Number(r.value), setting, Number(r.limit));
    case RefusalKind::LargerThanTravel:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "Программа занимает %1 мм по %2, больше хода станка %3 мм: уменьшите картинку.")
          .arg(Number(r.value), axis, setting);
    case RefusalKind::BeyondSoftLimits:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "При мягких границах ($20=1) задание выйдет за ход станка по %1: оно доходит "
                 "от %1%2 до %1%3 мм в координатах станка, а станок ходит от %4 до 0 (%5). "
                 "Сдвиньте рабочий ноль.")
          .arg(axis, Number(r.low), Number(r.high), Number(-r.limit), setting);
    case RefusalKind::LineTooLong:
      return QCoreApplication::translate(
                 "MachineTexts",
                 "Строка %1 длиной %2 знаков с концом строки длиннее %3, которые читает "
                 "контроллер: сократите ее (меньше цифр, без пробелов).")
          .arg(r.fileLine)
          .arg(qlonglong(r.value))
          .arg(qlonglong(r.limit));
  }
  return {};
}

}  // namespace skelda
