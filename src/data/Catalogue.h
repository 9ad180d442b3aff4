#pragma once

#include "data/Command.h"

// The named commands of the three command sets, in SQL for the engine behind them. The texts keep the
// meaning of the original catalogue; every value reaches the SQL through a bound parameter.
namespace Catalogue {

QList<CommandDef> devDB();
QList<CommandDef> devPrint();
QList<CommandDef> devExp();

} // namespace Catalogue
