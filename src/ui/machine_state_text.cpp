#include "ui/machine_state_text.h"

#include <utility>

#include "ui/window_texts.h"

namespace skelda {
namespace {

using grbl::State;

const std::pair<State, const char*> kStateTexts[] = {
    {State::Idle, QT_TRANSLATE_NOOP("Window", "Ожидание")},
    {State::Run, QT_TRANSLATE_NOOP("Window", "Работа")},
    {State::Hold, QT_TRANSLATE_NOOP("Window", "Пауза")},
    {State::Jog, QT_TRANSLATE_NOOP("Window", "Перемещение")},
    {State::Alarm, QT_TRANSLATE_NOOP("Window", "Тревога")},
    {State::Door, QT_TRANSLATE_NOOP("Window", "Дверь")},
    {State::Check, QT_TRANSLATE_NOOP("Window", "Проверка")},
    {State::Home, QT_TRANSLATE_NOOP("Window", "Поиск нуля")},
    {State::Sleep, QT_TRANSLATE_NOOP("Window", "Сон")},
};

}  // namespace

QString StateText(State state) {
  for (const auto& [s, text] : kStateTexts)
    if (s == state) return WindowText(text);
  return QStringLiteral("—");
}

}  // namespace skelda
