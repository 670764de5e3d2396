#include "machine/grbl_codes.h"

#include <array>
#include <utility>

namespace skelda::grbl {

namespace {

struct NamedByte {
  Realtime byte;
  const char* name;
};

constexpr NamedByte kRealtime[] = {
    {Realtime::Reset, "<soft reset>"},        {Realtime::Status, "<status?>"},
    {Realtime::CycleStart, "<cycle start>"},  {Realtime::FeedHold, "<feed hold>"},
    {Realtime::SafetyDoor, "<safety door>"},  {Realtime::JogCancel, "<jog cancel>"},
    {Realtime::FeedReset, "<feed 100%>"},     {Realtime::FeedPlus10, "<feed +10%>"},
    {Realtime::FeedMinus10, "<feed -10%>"},   {Realtime::FeedPlus1, "<feed +1%>"},
    {Realtime::FeedMinus1, "<feed -1%>"},     {Realtime::RapidReset, "<rapid 100%>"},
    {Realtime::RapidHalf, "<rapid 50%>"},     {Realtime::RapidQuarter, "<rapid 25%>"},
    {Realtime::PowerReset, "<power 100%>"},   {Realtime::PowerPlus10, "<power +10%>"},
    {Realtime::PowerMinus10, "<power -10%>"}, {Realtime::PowerPlus1, "<power +1%>"},
    {Realtime::PowerMinus1, "<power -1%>"},   {Realtime::SpindleStop, "<spindle stop>"},
};

constexpr std::pair<State, const char*> kStates[] = {
    {State::Idle, "Idle"},   {State::Run, "Run"},     {State::Hold, "Hold"},
    {State::Jog, "Jog"},     {State::Alarm, "Alarm"}, {State::Door, "Door"},
    {State::Check, "Check"}, {State::Home, "Home"},   {State::Sleep, "Sleep"},
};

// The meanings in English (the log and the command line) and Russian (the window).
struct Meanings {
  const char* english;
  const char* russian;
};

// Index = code - 1.
constexpr Meanings kErrors[] = {
    {"a word without its letter: every word is a letter and a number",
     "слово без буквы: каждое слово — буква и число"},                                       // 1
    {"a number the controller cannot read", "число, которое контроллер не может прочесть"},  // 2
    {"a $ command the controller does not know", "неизвестная контроллеру команда $"},       // 3
    {"a negative value where none is allowed",
     "отрицательное значение там, где оно недопустимо"},                              // 4
    {"homing is not enabled ($22=0)", "поиск нуля не включен ($22=0)"},               // 5
    {"step pulse shorter than 3 microseconds", "импульс шага короче 3 микросекунд"},  // 6
    {"the settings could not be read from EEPROM; defaults are in use",
     "настройки не прочитаны из EEPROM; действуют исходные"},                              // 7
    {"a $ command that needs the machine idle", "команда $ требует, чтобы станок стоял"},  // 8
    {"G-code locked out during an alarm or a jog",
     "G-код заблокирован во время тревоги или перемещения"},                                   // 9
    {"soft limits need homing to be enabled", "мягким границам нужен включенный поиск нуля"},  // 10
    {"line too long: the controller reads at most 80 characters a line",
     "слишком длинная строка: контроллер читает не более 80 знаков"},  // 11
    {"the step rate would pass 30 kHz: lower the rate settings",
     "частота шагов превысила бы 30 кГц: уменьшите скорости в настройках"},  // 12
    {"the safety door is open", "открыта защитная дверь"},                   // 13
    {"build info or startup line too long for EEPROM",
     "строка сборки или запуска слишком длинна для EEPROM"},                                  // 14
    {"jog target beyond the machine's travel", "цель перемещения за пределами хода станка"},  // 15
    {"a jog command the controller cannot read",
     "команда перемещения, которую контроллер не может прочесть"},  // 16
    {"laser mode needs the controller's PWM output",
     "лазерному режиму нужен выход ШИМ контроллера"},  // 17
    {nullptr, nullptr},
    {nullptr, nullptr},
    {"a G-code command the controller does not support",
     "G-команда, которую контроллер не поддерживает"},  // 20
    {"two commands of the same modal group in one line",
     "две команды одной модальной группы в одной строке"},                         // 21
    {"no feed rate given for a feed move", "не задана подача для рабочего хода"},  // 22
    {"a command that needs a whole number", "команде нужно целое число"},          // 23
    {"two commands in one line that both need axis words",
     "в строке две команды, которым обеим нужны оси"},                                 // 24
    {"the same word twice in one line", "одно и то же слово дважды в строке"},         // 25
    {"a command that needs axis words has none", "команде нужны оси, а их нет"},       // 26
    {"a line number out of range", "номер строки вне допустимого"},                    // 27
    {"a command is missing a value it needs", "команде не хватает нужного значения"},  // 28
    {"work coordinate systems G59.1-G59.3 are not supported",
     "системы координат G59.1–G59.3 не поддерживаются"},                 // 29
    {"G53 goes only with G0 and G1", "G53 допустима только с G0 и G1"},  // 30
    {"axis words in a line whose commands do not use them",
     "оси в строке, команды которой их не используют"},                                     // 31
    {"an arc without an axis word in its plane", "дуга без оси в своей плоскости"},         // 32
    {"a move whose target cannot be reached", "цель хода недостижима"},                     // 33
    {"an arc whose radius does not fit", "радиус дуги не подходит"},                        // 34
    {"an arc without an offset word in its plane", "дуга без смещения в своей плоскости"},  // 35
    {"words in the line that no command uses",
     "в строке слова, которые не использует ни одна команда"},  // 36
    {"tool length offset on an axis other than the one configured",
     "коррекция длины инструмента не по той оси"},                                      // 37
    {"tool number above the largest allowed", "номер инструмента больше допустимого"},  // 38
};

constexpr Meanings kAlarms[] = {
    {"a hard limit switch was hit: the position is lost, home again",
     "сработал концевик: положение потеряно, найдите ноль снова"},  // 1
    {"a move would leave the soft limits; nothing moved",
     "ход вышел бы за мягкие границы; станок не двигался"},  // 2
    {"reset while moving: the position may be lost, home again",
     "сброс во время движения: положение может быть потеряно, найдите ноль снова"},            // 3
    {"probe was already triggered before probing", "щуп сработал еще до начала измерения"},    // 4
    {"probe did not touch within the distance", "щуп не коснулся в пределах хода"},            // 5
    {"homing was reset before it ended", "поиск нуля сброшен до конца"},                       // 6
    {"the safety door opened while homing", "защитная дверь открылась во время поиска нуля"},  // 7
    {"homing could not pull off the limit switch",
     "при поиске нуля не удалось отъехать от концевика"},                            // 8
    {"homing could not find a limit switch", "при поиске нуля концевик не найден"},  // 9
    {"homing needs more than one axis switch on this machine",
     "поиску нуля нужно больше одного концевика оси на этом станке"},  // 10
};

template <std::size_t N>
std::string Meaning(const Meanings (&table)[N], int code, bool russian, const char* kind,
                    const char* kindRussian) {
  if (code >= 1 && code <= int(N) && table[code - 1].english)
    return russian ? table[code - 1].russian : table[code - 1].english;
  if (russian) return std::string("неизвестный код ") + kindRussian + " " + std::to_string(code);
  return std::string("unknown ") + kind + " code " + std::to_string(code);
}

}  // namespace

const char* RealtimeName(unsigned char byte) {
  for (const auto& r : kRealtime) {
    if (static_cast<unsigned char>(r.byte) == byte) return r.name;
  }
  return nullptr;
}

// GRBL picks these out of the stream; every byte from 0x80 up is real-time to it as well.
bool IsRealtime(unsigned char byte) {
  return byte >= 0x80 || RealtimeName(byte) != nullptr;
}

State ParseState(std::string_view word) {
  for (const auto& [state, name] : kStates) {
    if (word == name) return state;
  }
  return State::Unknown;
}

const char* StateName(State state) {
  for (const auto& [s, name] : kStates) {
    if (s == state) return name;
  }
  return "Unknown";
}

std::string ErrorMeaning(int code, bool russian) {
  return Meaning(kErrors, code, russian, "error", "ошибки");
}
std::string AlarmMeaning(int code, bool russian) {
  return Meaning(kAlarms, code, russian, "alarm", "тревоги");
}

}  // namespace skelda::grbl
