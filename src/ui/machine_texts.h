// The window's own words for what the core tells about the machine: why a connection failed and
// why a job was refused before it began, each with the device, the address or the numbers.
#pragma once

#include <QString>

#include "machine/connect_failure.h"
#include "machine/preflight.h"

namespace skelda {

// "Станок не подключен: порт /dev/ttyUSB0 занят другой программой. …"
QString ConnectFailureMessage(const ConnectFailure& failure);

// The status bar's text while a job's plan is made.
QString PlanningText();

// The refusal with its numbers and what to do about it.
QString RefusalMessage(const JobRefusal& refusal);

}  // namespace skelda
