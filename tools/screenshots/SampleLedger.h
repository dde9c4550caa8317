#pragma once
// A small ledger for pictures: two weeks of March 2005 with a salary, daily food and fares,
// and a rent paid before the salary so that early balances are negative.

#include "doc/TimeValue.h"

namespace tallymo {

class CTallymoDoc;

// The day the sample ledger is looked at: 2005-03-15, a Tuesday.
TimeValue SampleToday();
// Books the sample entries into a new ledger (built-in matters) and marks it unmodified.
void FillSampleLedger(CTallymoDoc& doc);

}  // namespace tallymo
