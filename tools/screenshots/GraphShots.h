#pragma once
// Pictures of the graph window over a ledger of fourteen months: both tabs, and a ledger with
// more outgo matters than the table has rows.

#include <QDir>

namespace tallymo {

bool ShootGraphWindow(const QDir& out);

}  // namespace tallymo
