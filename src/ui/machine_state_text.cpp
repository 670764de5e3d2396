#include "ui/machine_state_text.h"

#include <utility>

namespace skelda {
namespace {

using grbl::State;

const std::pair<State, const char*> kStateTexts[] = {
    {State::Idle, "Ожидание"},   {State::Run, "Работа"},      {State::Hold, "Пауза"},
    {State::Jog, "Перемещение"}, {State::Alarm, "Тревога"},   {State::Door, "Дверь"},
    {State::Check, "Проверка"},  {State::Home, "Поиск нуля"}, {State::Sleep, "Сон"},
};

}  // namespace

QString StateText(State state) {
  for (const auto& [s, text] : kStateTexts)
    if (s == state) return QString::fromUtf8(text);
  return QStringLiteral("—");
}

}  // namespace skelda
