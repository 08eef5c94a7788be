// Rebuilds the all-time totals from the per-day history.
#ifndef TALLYWICK_RECOUNT_H
#define TALLYWICK_RECOUNT_H

void RecountTotals();

#endif
